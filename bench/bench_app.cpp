// The main window as a user meets it: how long from the start-up function to
// the first painted window (a fresh process per run, median of the runs), how
// long a folder add of 100 and of 1000 two-second clips takes (each probed,
// the last row selected), and how long Start takes on the 1000 rows before
// the engine runs (every name checked, every task made).
//   bench_app [runs]
#include "bench/BenchSupport.h"
#include "bench/FreshProgram.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/Startup.h"
#include "engine/FFBase.h"
#include "engine/Trevalon.h"
#include "engine/MainThread.h"
#include "platform/Application.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/views/SkinListView.h"
#include "skin/forms/shell/SelectDirectoryDialog.h"
#include "skin/forms/menu/MenuServices.h"
#include "skin/forms/menu/Menus.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Answers the folder dialog with one folder; everything else is cancelled.
class TFolderDialogs : public TAppDialogs {
public:
    explicit TFolderDialogs(QString folder) : FFolder(std::move(folder)) {}
    std::optional<QStringList> OpenFiles(TqvSkinOpenDialog*) override { return std::nullopt; }
    std::optional<QString> SelectFolder(TqvSkinSelectDirectoryDialog* dialog) override {
        dialog->Directory = FFolder;
        return FFolder;
    }
    std::optional<int> SelectSkin(TqvSkinData*) override { return std::nullopt; }
    std::optional<QString> SavePicture(TSavePictureDialog*) override { return std::nullopt; }
    int MessageDlg2(const QString& text, const QString&, TMsgDlgType, TMsgDlgButtons) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return mrOk;
    }

private:
    QString FFolder;
};

// Seen from outside: the window's first paint.
class TPaintWatch : public QObject {
public:
    bool Painted = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) Painted = true;
        return false;
    }
};

double StartOnce() {
    const bench::TFreshProgram fresh;
    QElapsedTimer timer;
    timer.start();
    TForm1* w = app::StartApplication(std::make_shared<TFolderDialogs>(QString()));
    TPaintWatch watch;
    w->installEventFilter(&watch);
    w->Show();
    while (!watch.Painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double seconds = timer.nsecsElapsed() / 1e9;
    w->removeEventFilter(&watch);
    DestroyApplication();
    return seconds;
}

bool MakeClips(const QString& folder, int count) {
    const QString first = folder + "/clip000.avi";
    QProcess p;
    p.start("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-f", "lavfi", "-i",
                       "sine=f=440:r=44100", "-t", "2", "-c:v", "mpeg4", "-c:a", "libmp3lame", first});
    if (!p.waitForFinished(120000) || p.exitCode() != 0) return false;
    for (int i = 1; i < count; ++i)
        if (!QFile::copy(first, folder + QString::asprintf("/clip%03d.avi", i))) return false;
    return true;
}

struct TAddTimes {
    double Add = 0, Start = -1;
};

// With startToo, Start is pressed on the rows the add left: the time until
// the engine has its tasks and runs, then the run is stopped.
TAddTimes AddFolder(const QString& clips, int count, bool startToo) {
    const bench::TFreshProgram fresh;
    TForm1* w = app::StartApplication(std::make_shared<TFolderDialogs>(clips));
    w->Show();
    QCoreApplication::processEvents();
    TAddTimes times;
    QElapsedTimer timer;
    timer.start();
    w->N21->Click();
    times.Add = timer.nsecsElapsed() / 1e9;
    const int rows = w->lvFiles->Items().Count();
    const TListItem* selected = w->lvFiles->Selected();
    if (rows != count || !selected || selected != w->lvFiles->Items()[rows - 1])
        std::fprintf(stderr, "the add left %d rows (last selected: %s)\n", rows,
                     selected && rows && selected == w->lvFiles->Items()[rows - 1] ? "yes" : "no");
    if (startToo) {
        const QTemporaryDir outputs;
        w->Video_OutPut_Folder_Edit->SetText(outputs.path());
        w->FileOutPutPath = outputs.path();
        timer.restart();
        w->btnStart->Click();
        times.Start = timer.nsecsElapsed() / 1e9;
        if (w->Trevalon->TasksCount() != count) std::fprintf(stderr, "Start made %d tasks\n", w->Trevalon->TasksCount());
        w->btnStop->Click();
    }
    DestroyApplication();
    return times;
}

}  // namespace

int main(int argc, char* argv[]) {
    bench::OffscreenUnlessSet();
    app::RaiseOpenFileLimit();  // as the program does
    const bool child = argc > 1 && QByteArray(argv[1]) == "--start-once";
    QApplication qtApp(argc, argv);
    SetMainThreadExceptionHandler([](std::exception_ptr e) { Application()->HandleException(e); });
    RegisterSkinMenuServices();
    if (child) {
        std::printf("%.6f\n", StartOnce());
        return 0;
    }
    const int runs = bench::CountArgument(argc, argv, 10);
    QElapsedTimer total;
    total.start();

    std::vector<double> starts;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QCoreApplication::applicationFilePath(), {"--start-once"});
        if (!p.waitForFinished(120000) || p.exitCode() != 0) {
            std::fprintf(stderr, "start-up run %d failed\n", i + 1);
            return 1;
        }
        starts.push_back(p.readAllStandardOutput().trimmed().toDouble());
    }
    std::printf("start-up runs: %d, least %.3f s, greatest %.3f s\n", runs,
                *std::min_element(starts.begin(), starts.end()), *std::max_element(starts.begin(), starts.end()));

    QTemporaryDir clips, manyClips;
    if (!MakeClips(clips.path(), 100) || !MakeClips(manyClips.path(), 1000)) {
        std::fprintf(stderr, "the ffmpeg tool could not make the clips\n");
        return 1;
    }
    const double add = AddFolder(clips.path(), 100, false).Add;
    const TAddTimes many = AddFolder(manyClips.path(), 1000, true);

    std::printf("bench time: %.1f s\n", total.nsecsElapsed() / 1e9);
    std::printf("start to usable main window: %.3f s\n", bench::Median(starts));
    std::printf("start on 1000 rows: %.2f s\n", many.Start);
    std::printf("add 100 files: %.2f s\n", add);
    std::printf("add 1000 files: %.2f s\n", many.Add);
    SetMainThreadExceptionHandler(nullptr);
    return 0;
}
