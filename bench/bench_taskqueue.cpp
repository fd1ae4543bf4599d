// The task queue converting eight 320x240, 5-second clips to AVI (mpeg4 video,
// MP3 sound) with one worker, then with 2, 4 and as many workers as the
// machine has cores. Prints the wall time of each run and, last, the speed-up
// of the all-cores run over the one-worker run (best of three runs each).
//
//   bench_taskqueue [--clips <folder>]   (clips are made with the ffmpeg tool)
#include "engine/MainThread.h"
#include "engine/Trevalon.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int kClips = 8;

bool MakeClip(const QString& APath, int AIndex) {
    if (QFileInfo::exists(APath)) return true;
    QProcess p;
    p.start(QStringLiteral("ffmpeg"),
            {QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y"),
             QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
             QStringLiteral("testsrc=size=320x240:rate=25"), QStringLiteral("-f"), QStringLiteral("lavfi"),
             QStringLiteral("-i"), QStringLiteral("sine=f=%1:r=44100").arg(300 + 50 * AIndex), QStringLiteral("-t"),
             QStringLiteral("5"), QStringLiteral("-c:v"), QStringLiteral("mpeg4"), QStringLiteral("-q:v"),
             QStringLiteral("3"), QStringLiteral("-c:a"), QStringLiteral("pcm_s16le"), QStringLiteral("-ac"),
             QStringLiteral("2"), APath});
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// One run: the eight clips as tasks, Start(AThreads), wall time in seconds;
// negative when a task failed.
double Run(TTrevalon& AQueue, const QStringList& AClips, const QString& AOutDir, int AThreads) {
    AQueue.ClearTasks();
    for (int i = 0; i < AClips.size(); ++i) {
        const int t = AQueue.AddTask(AClips[i]);
        TOutputOptions out;
        InitOutputOptions(out);
        out.VideoCodec = QStringLiteral("mpeg4");
        out.VideoBitrate = 816000;
        out.AudioCodec = QStringLiteral("libmp3lame");
        out.AudioBitrate = 128000;
        const QString file = QStringLiteral("%1/n%2_%3.avi").arg(AOutDir).arg(AThreads).arg(i);
        QFile::remove(file);
        if (t < 0 || !AQueue.SetOutputFile(t, file, &out)) {
            std::fprintf(stderr, "cannot add %s: %s\n", qPrintable(AClips[i]), qPrintable(AQueue.LastErrMsg()));
            return -1;
        }
    }
    bool failed = false;
    AQueue.OnTerminate = [&failed](QObject*, const TTerminateInfo& AInfo) {
        if (AInfo.TaskIndex >= 0 && !AInfo.Finished) {
            std::fprintf(stderr, "task %d failed: %s\n", AInfo.TaskIndex, qPrintable(AInfo.ExceptionMsg));
            failed = true;
        }
    };
    QElapsedTimer timer;
    timer.start();
    AQueue.Start(AThreads);
    WaitInMainThread([&AQueue] { return AQueue.Terminated(); }, -1, 5);
    const double seconds = timer.nsecsElapsed() / 1e9;
    AQueue.OnTerminate = nullptr;
    return failed ? -1 : seconds;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    QString clipDir = tmp.path();
    const QStringList args = app.arguments();
    const int at = args.indexOf(QStringLiteral("--clips"));
    if (at > 0 && at + 1 < args.size()) clipDir = args[at + 1];
    QDir().mkpath(clipDir);

    QStringList clips;
    for (int i = 0; i < kClips; ++i) {
        clips << QStringLiteral("%1/clip%2.avi").arg(clipDir).arg(i);
        if (!MakeClip(clips.back(), i)) {
            std::fprintf(stderr, "the ffmpeg tool could not make %s\n", qPrintable(clips.back()));
            return 1;
        }
    }

    TTrevalon queue;
    if (!queue.LoadAVLib(GetApplicationPath() + QStringLiteral("LibAV"))) {
        std::fprintf(stderr, "%s\n", qPrintable(queue.LastErrMsg()));
        return 1;
    }
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<int> counts{1, 2, 4, cores};
    std::sort(counts.begin(), counts.end());
    counts.erase(std::unique(counts.begin(), counts.end()), counts.end());

    // The best of three runs: the machine may be busy with other work.
    double one = 0, all = 0;
    for (int n : counts) {
        double seconds = 0;
        for (int round = 0; round < 3; ++round) {
            const double s = Run(queue, clips, tmp.path(), n);
            if (s < 0) return 1;
            seconds = round == 0 ? s : std::min(seconds, s);
        }
        if (n == 1) one = seconds;
        std::printf("Start(%d): %.2f s, speedup %.2f\n", n, seconds, one / seconds);
        std::fflush(stdout);
        if (n == cores) all = seconds;
    }
    queue.ClearTasks();
    std::printf("parallel speedup at N=%d: %.2f\n", cores, all > 0 ? one / all : 0.0);
    return 0;
}
