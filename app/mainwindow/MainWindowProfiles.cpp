// The profile panel: category list, profile list and the six option lists.
// The chains that tie them together are the widget-free jobs::TProfilePanel's;
// the window hands each user choice to it, runs its steps through the hidden
// buttons, and then shows its state in the widgets. The selected row and the
// job fields are lent to the panel for the length of one choice.
#include "app/mainwindow/MainWindow.h"

#include "app/jobs/JobOptions.h"
#include "app/jobs/ProfilePanel.h"
#include "app/jobs/StreamCheck.h"
#include "app/profiles/ProfileTables.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/office/SkinOfficeItems.h"
#include "skin/controls/views/SkinListView.h"

#include <QScopeGuard>

using namespace jobs;
using profiles::TOptionRole;

namespace {

// The panel of the window: each step runs through its hidden button, whose
// handler runs the step itself.
class TWindowPanel final : public TProfilePanel {
public:
    explicit TWindowPanel(TForm1& window) : FWindow(window) {}
    void FillProfileList() override { FWindow.Button2->Click(); }
    void FillOptionLists() override { FWindow.Button18->Click(); }
    void ComputeParameters() override { FWindow.Button5->Click(); }
    void ConfirmOptions() override { FWindow.Button13->Click(); }

private:
    TForm1& FWindow;
};

}  // namespace

void TForm1::CreateProfilePanel() {
    FPanel = std::make_unique<TWindowPanel>(*this);
    FPanel->SetFreeOutputName(OutputNameRule());
}

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

// One choice on the panel: the selected row and the job fields go in, the
// chain runs, and what it wrote comes back into the row, the fields and the
// widgets, also when it stopped at an error.
void TForm1::RunPanel(const std::function<void()>& step) {
    if (FInPanel) {
        step();
        return;
    }
    TListItem* item = lvFiles->Selected();
    TJobRow row;
    if (item) row = RowOf(item);
    FPanel->Fields() = VideoFields;
    FPanel->SetFolderText(Video_OutPut_Folder_Edit->Text());
    FPanel->SetSelected(item ? &row : nullptr);
    for (TOptionRole role : DigitOrder) FPanel->NoteOptionIndex(role, OptionList(role)->ItemIndex());
    FInPanel = true;
    FNamingItem = item;  // the row's own name is not taken by itself
    const auto done = qScopeGuard([&] {
        FInPanel = false;
        FNamingItem = nullptr;
        FPanel->SetSelected(nullptr);
        VideoFields = FPanel->Fields();
        // A profile the job's input cannot give says so in the row at once.
        if (item && item->Index() < JobRecords.Count()) NoteStreamCheck(row, JobRecords.At(item->Index()));
        if (item) StoreRow(item, row);
        ShowPanel();
    });
    step();
}

// The widgets take the panel's state; the change events they raise meanwhile
// belong to the panel's chain, which has run already.
void TForm1::ShowPanel() {
    FShowingPanel = true;
    const auto done = qScopeGuard([this] { FShowingPanel = false; });
    const TProfilePanel& panel = *FPanel;
    if (qvSkinOfficeComboBox2->ItemIndex() != panel.CategoryRow() && panel.CategoryRow() >= 0 &&
        panel.CategoryRow() < profiles::CategoryRowCount)
        qvSkinOfficeComboBox2->SetItemIndex(panel.CategoryRow());
    if (FShownProfileFills != panel.ProfileFills()) {
        FShownProfileFills = panel.ProfileFills();
        TqvSkinOfficeItems& items = qvSkinOfficeComboBox1->Items();
        items.Clear();
        qvSkinOfficeComboBox1->update();
        const auto list = panel.ProfileItems();
        for (int row = 0; row < int(list.size()); ++row) {
            TqvSkinOfficeItem* item = items.Add();
            item->SetTitle(QString::fromUtf8(list[row].Title));
            item->SetCaption(QString::fromUtf8(list[row].Caption));
            item->SetImageIndex(profiles::ProfileImageIndex(row));
        }
        qvSkinOfficeComboBox1->update();
    }
    if (panel.ProfileRow() >= 0 && panel.ProfileRow() < qvSkinOfficeComboBox1->Items().Count() &&
        qvSkinOfficeComboBox1->ItemIndex() != panel.ProfileRow())
        qvSkinOfficeComboBox1->SetItemIndex(panel.ProfileRow());
    const bool refill = FShownOptionFills != panel.OptionFills();
    FShownOptionFills = panel.OptionFills();
    if (refill) {
        for (TOptionRole role : DigitOrder) {
            TqvSkinComboBox* box = OptionList(role);
            box->Items().Clear();
            const TProfilePanel::TOptionBox& shown = panel.Box(role);
            for (int i = 0; i < shown.Count(); ++i) box->Items().Add(profiles::OptionItem(*shown.List, i));
        }
    }
    for (int role = 0; role < profiles::OptionRoleCount; ++role) {
        TqvSkinComboBox* box = OptionList(role);
        const int index = panel.Box(TOptionRole(role)).ItemIndex;
        if (refill || box->ItemIndex() != index) box->SetItemIndex(index);
    }
    if (refill)
        for (TOptionRole role : DigitOrder)
            if (OptionList(role)->Enabled() != panel.Box(role).Enabled)
                OptionList(role)->SetEnabled(panel.Box(role).Enabled);
}

void TForm1::Button2Click(QObject*) {
    if (!FInPanel) {
        RunPanel([this] { FPanel->SetCategoryIndex(qvSkinOfficeComboBox2->ItemIndex()); });
        return;
    }
    FPanel->TProfilePanel::FillProfileList();
}

void TForm1::qvSkinOfficeComboBox2Change(QObject*) {
    if (FShowingPanel) return;
    RunPanel([this] { FPanel->SetCategoryIndex(qvSkinOfficeComboBox2->ItemIndex()); });
    FocusJobsAfterChoice();
}

void TForm1::qvSkinOfficeComboBox1Change(QObject*) {
    if (FShowingPanel) return;
    RunPanel([this] { FPanel->SetProfileIndex(qvSkinOfficeComboBox1->ItemIndex()); });
    FocusJobsAfterChoice();
}

void TForm1::Button18Click(QObject*) {
    RunPanel([this] { FPanel->TProfilePanel::FillOptionLists(); });
}

void TForm1::Button5Click(QObject*) {
    RunPanel([this] { FPanel->TProfilePanel::ComputeParameters(); });
}

void TForm1::Button13Click(QObject*) {
    RunPanel([this] { FPanel->TProfilePanel::ConfirmOptions(); });
}

void TForm1::OptionListChange(TqvSkinComboBox* list) {
    if (FShowingPanel) return;
    const int role = OptionRole(list);
    if (role < 0) return;
    RunPanel([&] { FPanel->SetOptionIndex(TOptionRole(role), list->ItemIndex()); });
    FocusJobsAfterChoice();
}

// A choice that changed the selected row leaves the focus on the job list.
void TForm1::FocusJobsAfterChoice() {
    if (lvFiles->Selected()) lvFiles->SetFocus();
}
