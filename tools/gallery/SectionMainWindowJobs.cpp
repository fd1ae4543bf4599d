// The main window holding three jobs, the last one selected, and the same
// window with the rename editor open on it.
#include "tools/gallery/GalleryHost.h"
#include "tools/gallery/GalleryProgram.h"

#include "app/jobs/JobRow.h"
#include "app/mainwindow/MainWindow.h"
#include "platform/ComCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/views/SkinListView.h"
#include "skin/model/SkinData.h"


void DrawMainWindowJobsSection(TGallerySheet& sheet) {
    gallery::TStartedProgram started(sheet);
    if (!started.Window) return;
    TForm1* window = started.Window;

    // Rows as three adds leave them: the window's first profile, whose
    // option lists all stand on their first item.
    struct TSample { const char* Input; const char* Duration; const char* Size; const char* Output; };
    const TSample samples[] = {
        {"/home/user/视频/holiday.avi", "00:01:30", "12.5MB", "holiday.mp3"},
        {"/home/user/视频/concert.mp4", "00:42:07", "318.27MB", "concert.mp3"},
        {"/home/user/视频/interview.mkv", "00:12:45", "96MB", "interview.mp3"},
    };
    int number = 1;
    for (const TSample& s : samples) {
        jobs::TJobRow row;
        row.Caption = QString::fromUtf8(s.Input);
        row[jobs::siDuration] = QString::fromLatin1(s.Duration);
        row[jobs::siInputSize] = QString::fromLatin1(s.Size);
        row[jobs::siOutputName] = QString::fromUtf8(s.Output);
        row[jobs::siTaskNumber] = QString::number(number++);
        row[jobs::siCategoryCode] = QStringLiteral("100");
        row[jobs::siOptionDigits] = QStringLiteral("000000000000");
        window->AppendRow(row);
    }
    window->qvSkinPanel5->SetVisible(false);
    for (const TCommandState* c : {&window->CmdRemove, &window->CmdRename, &window->CmdClear, &window->CmdStart})
        c->SetEnabled(true);
    window->lvFiles->Items()[2]->SetSelected(true);
    QCoreApplication::processEvents();
    sheet.Place(gallery::FormPicture(window, window->qvVelmora1, true), QStringLiteral("main window with three jobs"));

    window->qvSkinButton21->Click();
    QCoreApplication::processEvents();
    sheet.Place(gallery::FormPicture(window, window->qvVelmora1, true),
                QStringLiteral("main window renaming the selected job's output"));

}
