// Selecting a job row shows its settings again: the category, the profile
// and the option lists are set from the row one after the other, and the
// lists' own change handlers rewrite the row as they run.
#include "app/mainwindow/MainWindow.h"

#include "app/jobs/JobFileNames.h"
#include "app/jobs/JobOptions.h"
#include "app/profiles/OptionValues.h"
#include "engine/Player.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/controls/bars/SkinSlider.h"
#include "skin/controls/combos/SkinComboBox.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/office/SkinOfficeComboBox.h"
#include "skin/controls/views/SkinListView.h"

#include <exception>

using namespace jobs;

// The list reports a row's loss of selection as well as the next row's gain;
// the gain is the one selection, so the restore runs once per selection.
void TForm1::lvFilesSelectItem(QObject*, TListItem*, bool Selected) {
    if (!Selected) return;
    TListItem* item = lvFiles->Selected();
    if (!item) return;
    const QString nameBefore = item->SubItems()[siOutputName];
    FSelecting = true;
    try {
        // Both are read first: the steps below rewrite them.
        const int code = profiles::IntegerValue(item->SubItems()[siCategoryCode]);
        const auto digits = ReadOptionDigits(item->SubItems()[siOptionDigits]);
        if (digits) {
            const int k = code / 100;
            qvSkinOfficeComboBox2->SetItemIndex(k - 1);
            qvSkinOfficeComboBox1->SetItemIndex(code - 100 * k);
            for (TOptionRole role : DigitOrder) OptionList(role)->SetItemIndex((*digits)[role]);
            // A list that kept its text raised no change: its pair follows the list.
            MirrorOptionPairs();
            FSelecting = false;
            // The row passed through its category's first profile on the way:
            // only the name it ends with is checked against the names taken.
            if (lvFiles->Selected() == item && item->SubItems()[siOutputName] != nameBefore)
                CheckSelectedName();
            qvSkinSlider1->SetValue(0);
            T_Movie_PLayer_FileName = item->Caption();
            Button31->Click();
        }
    } catch (const std::exception&) {
        // The selection ends where the error arose; what ran stays done.
    }
    FSelecting = false;
}

// The selected row's output name through the output-name rule; its own name
// does not count as taken.
void TForm1::CheckSelectedName() {
    TListItem* item = lvFiles->Selected();
    if (!item) return;
    const QString name = item->SubItems()[siOutputName];
    const QString chosen = FileNamePart(FreeOutputPathOfRow(item, Video_OutPut_Folder_Edit->Text(), name));
    if (chosen != name) item->SubItems().SetStrings(siOutputName, chosen);
}

void TForm1::lvFilesClick(QObject*) {
    if (!lvFiles->Selected()) DUDuvuvu->Stop(true);
}
