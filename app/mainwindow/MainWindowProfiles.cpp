// The profile panel: category list, profile list and the six option lists,
// each handler running the next synchronously through the lists' own events
// (the office lists raise OnChange on every index write, the option lists
// only when their text changes).
#include "app/mainwindow/MainWindow.h"

#include "app/jobs/JobFileNames.h"
#include "app/jobs/JobOptions.h"
#include "app/profiles/ProfileTables.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/office/SkinOfficeItems.h"
#include "skin/controls/views/SkinListView.h"

using namespace jobs;
using profiles::TOptionRole;

TqvSkinComboBox* TForm1::OptionList(int role) const {
    switch (role) {
    case profiles::orFrameSize: return qvSkinComboBox1;
    case profiles::orVideoBitrate: return qvSkinComboBox2;
    case profiles::orAudioBitrate: return qvSkinComboBox3;
    case profiles::orAspectMode: return qvSkinComboBox4;
    case profiles::orFrameRate: return qvSkinComboBox9;
    case profiles::orSampleRate: return qvSkinComboBox10;
    default: return nullptr;
    }
}

int TForm1::OptionRole(const TqvSkinComboBox* list) const {
    for (int role = 0; role < profiles::OptionRoleCount; ++role)
        if (OptionList(role) == list) return role;
    return -1;
}

void TForm1::Button2Click(QObject*) {
    TqvSkinOfficeItems& items = qvSkinOfficeComboBox1->Items();
    items.Clear();
    qvSkinOfficeComboBox1->update();
    const auto profilesOfRow = profiles::ProfilesOfCategoryRow(qvSkinOfficeComboBox2->ItemIndex());
    for (int row = 0; row < int(profilesOfRow.size()); ++row) {
        TqvSkinOfficeItem* item = items.Add();
        item->SetTitle(QString::fromUtf8(profilesOfRow[row].Title));
        item->SetCaption(QString::fromUtf8(profilesOfRow[row].Caption));
        item->SetImageIndex(profiles::ProfileImageIndex(row));
    }
    qvSkinOfficeComboBox1->update();
    qvSkinOfficeComboBox1->SetItemIndex(0);
}

void TForm1::qvSkinOfficeComboBox2Change(QObject*) { Button2->Click(); }

void TForm1::qvSkinOfficeComboBox1Change(QObject*) {
    Button18->Click();
    const int row = qvSkinOfficeComboBox1->ItemIndex();
    if (row < 0 || row >= qvSkinOfficeComboBox1->Items().Count()) return;
    const QString extension = profiles::ExtensionFromTitle(qvSkinOfficeComboBox1->Items()[row]->Title());
    TListItem* selected = lvFiles->Selected();
    if (!selected) return;
    Button5->Click();
    Button13->Click();
    RenameSelected(extension);
    if (TListItem* item = lvFiles->Selected())
        item->SubItems().SetStrings(
            siCategoryCode,
            QString::number(profiles::CategoryRowCode(qvSkinOfficeComboBox2->ItemIndex(), row)));
    lvFiles->SetFocus();
}

// A new name goes through the output-name rule, so a switch cannot point the
// row at its own input or at another row's output.
void TForm1::RenameSelected(const QString& extension) {
    TListItem* item = lvFiles->Selected();
    if (!item) return;
    const QString name = item->SubItems()[siOutputName];
    const QString renamed = ReplaceExtension(FileNamePart(name), extension);
    if (renamed == name) return;
    if (FSelecting) {  // a selection checks only the name it ends with
        item->SubItems().SetStrings(siOutputName, renamed);
        return;
    }
    const QString chosen = FreeOutputPathOfRow(item, Video_OutPut_Folder_Edit->Text(), renamed);
    item->SubItems().SetStrings(siOutputName, FileNamePart(chosen));
}

void TForm1::Button18Click(QObject*) {
    for (TOptionRole role : DigitOrder) OptionList(role)->Items().Clear();
    for (TOptionRole role : DigitOrder)
        if (!OptionList(role)->Enabled()) OptionList(role)->SetEnabled(true);
    const int code = profiles::ProfileCode(qvSkinOfficeComboBox2->ItemIndex(), qvSkinOfficeComboBox1->ItemIndex());
    VideoFields.All_Trant_Number = code;
    VideoFields.Video_DisableVideo = false;
    const profiles::TOptionPreset* preset = profiles::FindOptionPreset(code);
    if (!preset) return;
    for (int role = 0; role < profiles::OptionRoleCount; ++role) {
        const profiles::TOptionCell& cell = preset->Cells[role];
        const profiles::TOptionList& list = profiles::OptionList(cell.List);
        TqvSkinComboBox* box = OptionList(role);
        for (int i = 0; i < int(list.Items.size()); ++i) box->Items().Add(profiles::OptionItem(list, i));
        box->SetItemIndex(cell.Default);
    }
    if (!preset->VideoListsEnabled)
        for (TOptionRole role : {profiles::orFrameSize, profiles::orVideoBitrate, profiles::orAspectMode,
                                 profiles::orFrameRate})
            OptionList(role)->SetEnabled(false);
    MirrorOptionPairs();
}

// A list whose default keeps the text it showed raises no change, so the
// selected row's pair could still name the old position: the pairs follow
// the lists after every fill.
void TForm1::MirrorOptionPairs() {
    TListItem* item = lvFiles->Selected();
    if (!item) return;
    QString digits = item->SubItems()[siOptionDigits];
    for (TOptionRole role : DigitOrder)
        if (OptionList(role)->ItemIndex() >= 0) digits = ReplacePair(digits, role, OptionList(role)->ItemIndex());
    if (digits != item->SubItems()[siOptionDigits]) item->SubItems().SetStrings(siOptionDigits, digits);
}

void TForm1::Button5Click(QObject*) {
    Button6->Click();
    const int code = profiles::ProfileCode(qvSkinOfficeComboBox2->ItemIndex(), qvSkinOfficeComboBox1->ItemIndex());
    ComputeProfileFields(code, Video_OutPut_Folder_Edit->Text(), OutputNameRule(), VideoFields);
    if (TListItem* item = lvFiles->Selected()) {
        TJobRow row = RowOf(item);
        WriteParameterColumns(VideoFields, row);
        StoreRow(item, row);
    }
}

void TForm1::Button13Click(QObject*) {
    TOptionTexts texts;
    for (int role = 0; role < profiles::OptionRoleCount; ++role) texts[role] = OptionList(role)->Text();
    ApplyOptionTexts(texts, VideoFields);
}

void TForm1::OptionListChange(TqvSkinComboBox* list) {
    TListItem* item = lvFiles->Selected();
    if (!item) return;
    const int role = OptionRole(list);
    if (role < 0) return;
    TJobRow row = RowOf(item);
    try {
        ApplyOptionChange(TOptionRole(role), list->ItemIndex(), list->Text(), VideoFields, row);
    } catch (...) {
        StoreRow(item, row);  // the pair was written before the value failed
        throw;
    }
    StoreRow(item, row);
    lvFiles->SetFocus();
}
