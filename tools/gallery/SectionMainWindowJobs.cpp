// The main window holding three jobs, the last one selected, and the same
// window with the rename editor open on it.
#include "tools/gallery/GalleryHost.h"

#include "app/jobs/JobRow.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/Startup.h"
#include "engine/FFBase.h"
#include "platform/Application.h"
#include "platform/ComCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/views/SkinListView.h"
#include "skin/model/SkinData.h"

#include <QFile>
#include <QTemporaryDir>

void DrawMainWindowJobsSection(TGallerySheet& sheet) {
    QTemporaryDir program, home;
    {
        QFile ini(program.path() + QStringLiteral("/option.ini"));
        if (!ini.open(QIODevice::WriteOnly)) return;
        ini.write(QStringLiteral("[OutPath]\nOutPath=%1/输出\n[Skin]\nSetSkin=%2\n")
                      .arg(home.path())
                      .arg(sheet.Skin().SkinIndex())
                      .toUtf8());
    }
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    SetApplicationPathOverride(program.path() + QLatin1Char('/'));
    TForm1* window = app::StartApplication();
    window->Show();
    QApplication::setActiveWindow(window);

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

    DestroyApplication();
    SetApplicationPathOverride(QString());
    qputenv("HOME", savedHome);
}
