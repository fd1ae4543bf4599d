// The main window as a user meets it: how long from the start-up function to
// the first painted window (a fresh process per run, median of the runs), and
// how long a folder add of 100 two-second clips takes (each probed, the last
// row selected).
//   bench_app [runs]
#include "bench/BenchSupport.h"
#include "bench/FreshProgram.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/Startup.h"
#include "engine/FFBase.h"
#include "engine/MainThread.h"
#include "platform/Application.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
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

double AddFolder(const QString& clips, int count) {
    const bench::TFreshProgram fresh;
    TForm1* w = app::StartApplication(std::make_shared<TFolderDialogs>(clips));
    w->Show();
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    w->N21->Click();
    const double seconds = timer.nsecsElapsed() / 1e9;
    const int rows = w->lvFiles->Items().Count();
    const TListItem* selected = w->lvFiles->Selected();
    if (rows != count || !selected || selected != w->lvFiles->Items()[rows - 1])
        std::fprintf(stderr, "the add left %d rows (last selected: %s)\n", rows,
                     selected && rows && selected == w->lvFiles->Items()[rows - 1] ? "yes" : "no");
    DestroyApplication();
    return seconds;
}

}  // namespace

int main(int argc, char* argv[]) {
    bench::OffscreenUnlessSet();
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

    QTemporaryDir clips;
    const int count = 100;
    if (!MakeClips(clips.path(), count)) {
        std::fprintf(stderr, "the ffmpeg tool could not make the clips\n");
        return 1;
    }
    const double add = AddFolder(clips.path(), count);

    std::printf("bench time: %.1f s\n", total.nsecsElapsed() / 1e9);
    std::printf("start to usable main window: %.3f s\n", bench::Median(starts));
    std::printf("add 100 files: %.2f s\n", add);
    SetMainThreadExceptionHandler(nullptr);
    return 0;
}
