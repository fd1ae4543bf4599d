// Editing the job list between runs: remove, clear, move up and down, and
// renaming an output in place. Remove and Clear keep the engine's tasks in
// step with the rows; moves and renames touch rows and records only, since
// every start rebuilds the tasks from the rows.
#include "app/mainwindow/MainWindow.h"

#include "app/jobs/JobFileNames.h"
#include "app/jobs/OutputName.h"
#include "app/profiles/OptionValues.h"
#include "engine/Player.h"
#include "engine/Trevalon.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/controls/bars/SkinSlider.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/office/SkinOfficeItems.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/controls/views/SkinListView.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/menu/SkinMenu.h"

#include <functional>
#include <initializer_list>

using namespace jobs;

namespace {
const QString kSelectToRemove = QStringLiteral("请先选择您需要删除的项目！");
const QString kSelectToRename = QStringLiteral("请先选中您需要重命名的项目！");
}  // namespace

void TForm1::btnRemoveClick(QObject*) {
    TListItem* item = lvFiles->Selected();
    if (!item) {
        Notice(kSelectToRemove);
        return;
    }
    const int row = item->Index();
    // A row without a number has no task: a refused Start cleared them all.
    const QString numberText = item->SubItems()[siTaskNumber];
    const int number = numberText.isEmpty() ? 0 : profiles::IntegerValue(numberText);
    if (number > 0) Trevalon->RemoveTask(number - 1);
    lvFiles->Items().Delete(row);
    JobRecords.Remove(row);
    // Task numbers keep naming each row's own engine task.
    for (int i = 0; number > 0 && i < lvFiles->Items().Count(); ++i) {
        TListItem* other = lvFiles->Items()[i];
        const QString text = other->SubItems()[siTaskNumber];
        const int n = text.isEmpty() ? 0 : profiles::IntegerValue(text);
        if (n > number) other->SubItems().SetStrings(siTaskNumber, QString::number(n - 1));
    }
    const bool rowsLeft = lvFiles->Items().Count() > 0;
    SetListCommands(rowsLeft);
    lvFiles->SetFocus();
    if (rowsLeft) {
        lvFiles->SetItemIndex(0);
        lvFiles->SetFocus();
    } else {
        qvSkinPanel5->SetVisible(true);
        DUDuvuvu->Stop(true);
        qvSkinSlider1->SetValue(0);
    }
}

void TForm1::btnClearClick(QObject*) {
    Trevalon->ClearTasks();
    lvFiles->Items().Clear();
    CmdAdd.SetEnabled(true);
    SetListCommands(false);
    Button15->Click();
    qvSkinPanel5->SetVisible(true);
    DUDuvuvu->Stop(true);
    qvSkinSlider1->SetValue(0);
}

void TForm1::qvSkinButton3Click(QObject*) { MoveSelected(-1); }
void TForm1::qvSkinButton4Click(QObject*) { MoveSelected(1); }

// The two rows exchange their texts and records; the moved job's row is then
// selected. The item data goes along, so anything that follows a job by its
// item's data keeps following it.
void TForm1::MoveSelected(int step) {
    TListItem* item = lvFiles->Selected();
    if (!item) return;
    const int k = item->Index();
    const int j = k + step;
    if (j < 0 || j >= lvFiles->Items().Count()) return;
    TListItem* other = lvFiles->Items()[j];
    const TJobRow a = RowOf(item), b = RowOf(other);
    const TObjectRef dataA = item->Data(), dataB = other->Data();
    lvFiles->Items().BeginUpdate();
    StoreRow(item, b);
    StoreRow(other, a);
    item->SetData(dataB);
    other->SetData(dataA);
    lvFiles->Items().EndUpdate();
    JobRecords.Exchange(k, j);
    other->SetSelected(true);
    lvFiles->SetFocus();
}

void TForm1::qvSkinButton21Click(QObject*) { StartRename(false); }
void TForm1::N26Click(QObject*) { StartRename(false); }
void TForm1::lvFilesDblClick(QObject*) { StartRename(true); }

void TForm1::StartRename(bool fromDoubleClick) {
    TListItem* item = lvFiles->Selected();
    if (!item) {
        if (!fromDoubleClick) Notice(kSelectToRename);
        return;
    }
    TListColumns& columns = lvFiles->Columns();
    edt->SetParent(lvFiles);
    const int left = columns[0]->Width() + lvFiles->Left() + columns[1]->Width() + columns[2]->Width() + 2;
    edt->SetBounds(left, item->DisplayRect().Top, columns[3]->Width(), 14);
    edt->SetText(FileBaseName(item->SubItems()[siOutputName]));
    FRenameItem = item;
    edt->SetVisible(true);
    edt->SetFocus();
}

void TForm1::edtExit(QObject*) { FinishRename(false); }

// The editor names the row it was opened on, whichever row is selected when
// it closes, with that row's own extension. A name that would leave the
// output folder, or none at all, is refused: on losing the focus the edit
// stays; before a command it is dropped, since the command may move or remove
// the row beneath it. The new name goes through the output-name rule like any.
void TForm1::FinishRename(bool beforeCommand) {
    TListItem* item = FRenameItem;
    bool rowExists = false;
    for (int i = 0; item && i < lvFiles->Items().Count() && !rowExists; ++i) rowExists = lvFiles->Items()[i] == item;
    if (!rowExists) {
        FRenameItem = nullptr;
        if (edt->Visible()) edt->SetVisible(false);
        return;
    }
    const QString text = edt->Text();
    if (IsValidRenameText(text)) {
        const QString name = item->SubItems()[siOutputName];
        const QString chosen = FreeOutputPathOfRow(item, Video_OutPut_Folder_Edit->Text(), text + FileExtension(name));
        item->SubItems().SetStrings(siOutputName, FileNamePart(chosen));
    } else if (!beforeCommand) {
        return;
    }
    // Cleared first: hiding the focused edit raises its exit once more.
    FRenameItem = nullptr;
    edt->SetVisible(false);
}

// Menus take no focus, so the editor would stay open over its row while the
// command runs; every menu item finishes it first.
void TForm1::FinishRenameBeforeMenuCommands() {
    std::function<void(TMenuItem*)> wrap = [&](TMenuItem* item) {
        for (int i = 0; i < item->Count(); ++i) wrap(item->Items(i));
        item->OnClick = [this, inner = item->OnClick](QObject* s) {
            if (FRenameItem) FinishRename(true);
            if (inner) inner(s);
        };
    };
    for (TMenu* menu : std::initializer_list<TMenu*>{qvSkinMainMenu1, qvSkinPopupMenu1, qvSkinPopupMenu2})
        if (menu) wrap(menu->Items());
}
