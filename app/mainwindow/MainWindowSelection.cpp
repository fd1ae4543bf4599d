// Selecting a job row shows its settings again: the category, the profile
// and the option lists are set from the row one after the other, and the
// lists' own change handlers rewrite the row as they run.
#include "app/mainwindow/MainWindow.h"

#include "app/jobs/ProfilePanel.h"
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
// the gain is the one selection, so the restore runs once per selection. The
// panel restores the row and ends it silently at any error.
void TForm1::lvFilesSelectItem(QObject*, TListItem*, bool Selected) {
    if (!Selected) return;
    TListItem* item = lvFiles->Selected();
    if (!item) return;
    bool restored = false;
    try {
        RunPanel([&] { restored = FPanel->SelectRow(FPanel->Selected()); });
        if (!restored) return;
        FocusJobsAfterChoice();
        qvSkinSlider1->SetValue(0);
        T_Movie_PLayer_FileName = item->Caption();
        Button31->Click();
    } catch (const std::exception&) {
        // The selection ends where the error arose; what ran stays done.
    }
}

void TForm1::lvFilesClick(QObject*) {
    if (!lvFiles->Selected()) DUDuvuvu->Stop(true);
}
