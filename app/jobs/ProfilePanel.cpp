#include "app/jobs/ProfilePanel.h"

#include "app/jobs/JobFileNames.h"
#include "app/profiles/OptionValues.h"
#include "platform/Classes.h"

#include <string>

namespace jobs {

using namespace profiles;

namespace {

[[noreturn]] void ListIndexError(int index) {
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

TProfilePanel::TProfilePanel(QString folderText, TFreeOutputName freeName)
    : FFolderText(std::move(folderText)), FFreeName(std::move(freeName)) {
    FillProfileList();
}

TOptionIndexes TProfilePanel::Indexes() const {
    TOptionIndexes indexes{};
    for (int role = 0; role < OptionRoleCount; ++role) indexes[role] = FBoxes[role].ItemIndex;
    return indexes;
}

TOptionTexts TProfilePanel::Texts() const {
    TOptionTexts texts;
    for (int role = 0; role < OptionRoleCount; ++role) texts[role] = FBoxes[role].Text;
    return texts;
}

void TProfilePanel::SetCategoryIndex(int row) {
    FCategoryRow = row;
    if (row >= CategoryRowCount) ListIndexError(row);
    FillProfileList();
}

void TProfilePanel::SetProfileIndex(int row) {
    FProfileRow = row;
    if (row >= static_cast<int>(FProfiles.size())) ListIndexError(row);
    ProfileChanged();
}

void TProfilePanel::SetOptionIndex(TOptionRole role, int index) {
    TOptionBox& box = FBoxes[role];
    if (index < 0 || index >= box.Count()) {
        box.ItemIndex = -1;
        return;
    }
    box.ItemIndex = index;
    const QString text = OptionItem(*box.List, index);
    if (text == box.Text) return;
    box.Text = text;
    OptionListChanged(role);
}

void TProfilePanel::NoteOptionIndex(TOptionRole role, int index) {
    TOptionBox& box = FBoxes[role];
    if (index >= 0 && index < box.Count() && OptionItem(*box.List, index) == box.Text) box.ItemIndex = index;
}

void TProfilePanel::FillProfileList() {
    ++FProfileFills;
    FProfiles = ProfilesOfCategoryRow(FCategoryRow);
    FProfileRow = -1;
    SetProfileIndex(0);
}

void TProfilePanel::ProfileChanged() {
    FillOptionLists();
    if (FProfileRow < 0 || FProfileRow >= static_cast<int>(FProfiles.size())) ListIndexError(FProfileRow);
    const QString extension = ExtensionFromTitle(QString::fromUtf8(FProfiles[FProfileRow].Title));
    if (!FSelected) return;
    ComputeParameters();
    ConfirmOptions();
    // The row converts with what its lists show, not with the profile's own
    // figures where a default item reads otherwise.
    WriteOptionColumns(FFields, *FSelected);
    RenameSelected(extension);
    (*FSelected)[siCategoryCode] = QString::number(profiles::CategoryRowCode(FCategoryRow, FProfileRow));
}

void TProfilePanel::FillOptionLists() {
    ++FOptionFills;
    for (TOptionRole role : DigitOrder) {
        FBoxes[role].List = nullptr;
        FBoxes[role].ItemIndex = -1;
    }
    for (TOptionRole role : DigitOrder) FBoxes[role].Enabled = true;
    const int code = ProfileCode();
    FFields.All_Trant_Number = code;
    FFields.Video_DisableVideo = false;
    const TOptionPreset* preset = FindOptionPreset(code);
    if (!preset) return;
    for (int role = 0; role < OptionRoleCount; ++role) {
        const TOptionCell& cell = preset->Cells[role];
        FBoxes[role].List = &OptionList(cell.List);
        SetOptionIndex(static_cast<TOptionRole>(role), cell.Default);
    }
    if (!preset->VideoListsEnabled)
        for (TOptionRole role : {orFrameSize, orVideoBitrate, orAspectMode, orFrameRate}) FBoxes[role].Enabled = false;
    // A list whose default keeps the text it showed raises nothing, so the
    // row's pair could still name the old position: the pairs follow the lists.
    MirrorPairs();
}

void TProfilePanel::ComputeParameters() {
    ComputeProfileFields(ProfileCode(), FFolderText, FFreeName, FFields);
    if (FSelected) WriteParameterColumns(FFields, *FSelected);
}

void TProfilePanel::ConfirmOptions() { ApplyOptionTexts(Texts(), FFields); }

bool TProfilePanel::SelectRow(TJobRow* row) {
    FSelected = row;
    if (!row) return false;
    const QString nameBefore = (*row)[siOutputName];
    bool restored = false;
    // The row passes through the category's first profile on its way to its
    // own; only the name it ends with is checked against the names taken.
    FRestoring = true;
    try {
        const int code = IntegerValue((*row)[siCategoryCode]);
        const auto digits = ReadOptionDigits((*row)[siOptionDigits]);
        if (digits) {
            const int k = code / 100;
            SetCategoryIndex(k - 1);
            SetProfileIndex(code - 100 * k);
            for (TOptionRole role : DigitOrder) SetOptionIndex(role, (*digits)[role]);
            MirrorPairs();
            restored = true;
        }
    } catch (const std::exception&) {
        // The selection stops where the error arose; what ran stays done.
    }
    FRestoring = false;
    if (FSelected == row && (*row)[siOutputName] != nameBefore && FFreeName)
        (*row)[siOutputName] =
            FileNamePart(FFreeName(FFolderText + QLatin1Char('/') + (*row)[siOutputName], row->Caption, row));
    return restored;
}

void TProfilePanel::OptionListChanged(TOptionRole role) {
    if (OptionChanged) OptionChanged(role);
    if (!FSelected) return;
    const TOptionBox& box = FBoxes[role];
    ApplyOptionChange(role, box.ItemIndex, box.Text, FFields, *FSelected);
}

void TProfilePanel::MirrorPairs() {
    if (!FSelected) return;
    QString& digits = (*FSelected)[siOptionDigits];
    for (TOptionRole role : DigitOrder)
        if (FBoxes[role].ItemIndex >= 0) digits = ReplacePair(digits, role, FBoxes[role].ItemIndex);
}

void TProfilePanel::RenameSelected(const QString& extension) {
    QString& name = (*FSelected)[siOutputName];
    const QString renamed = ReplaceExtension(FileNamePart(name), extension);
    if (renamed == name) return;
    if (FRestoring || !FFreeName) {
        name = renamed;
        return;
    }
    name = FileNamePart(FFreeName(FFolderText + QLatin1Char('/') + renamed, FSelected->Caption, FSelected));
}

TJobRow NewJobRow(const TAddedFile& file, const TOutputOptions& record, const TProfilePanel& panel) {
    TJobRow row = AddedJobRow(file, record, panel.CategoryRow(), panel.ProfileRow(), panel.Indexes());
    TProfilePanel restore = panel;
    restore.OptionChanged = nullptr;
    restore.SelectRow(&row);
    return row;
}

}  // namespace jobs
