// Eight conversions as a user runs them: the task queue with one, two, four
// and as many workers as the machine has cores, against the ffmpeg tool
// converting the same files one after another and all at once.
//
//   bench_taskqueue [--rounds <n>] [--clips <folder>]   (3 rounds when not given)
//
// The clips are eight 1280x720, 25 fps, 10-second files (mpeg4 video, stereo
// PCM sound), made with the tool (kept in --clips <folder> for later runs).
// Every conversion makes an MP4 with libx264 preset medium at 1500 kbit/s and
// aac at 128 kbit/s at the source's size. Codec threads are left as each side
// chooses them: the tool's are automatic in every process; the queue leaves a
// lone task's to the libraries and divides the cores among tasks that run side
// by side. An engine run's time starts before the tasks are added, so opening
// the inputs and setting up the outputs counts; it ends with the queue's final
// report. A tool run starts before the first process and ends when the last
// one exits.
//
// A round runs each of the six in turn, the order reversed every other round.
// Per run: the median wall and CPU time with min-max over the rounds, and the
// median of the round-by-round ratios to the tool's two runs of that round.
// The last line is the all-cores run against the tool all at once.
#include "engine/FFLogger.h"
#include "engine/MainThread.h"
#include "engine/Trevalon.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr int kClips = 8;

double Seconds(const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; }

// Starts a child with no input and no output; 0 when it cannot start.
pid_t SpawnChild(const QStringList& args) {
    std::vector<QByteArray> store;
    for (const QString& a : args) store.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : store) argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : 0;
}

// Waits for a child; false when it failed. Adds its CPU time to ACpu.
bool WaitChild(pid_t APid, double& ACpu) {
    if (APid <= 0) return false;
    int status = 0;
    rusage ru{};
    while (wait4(APid, &status, 0, &ru) < 0 && errno == EINTR) {
    }
    ACpu += Seconds(ru.ru_utime) + Seconds(ru.ru_stime);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Sample {
    double wall = 0, cpu = 0, outMB = 0;
};


QStringList ToolArgs(const QString& AClip, const QString& AOut) {
    return {"ffmpeg", "-nostdin", "-v",   "error",   "-y",   "-i",  AClip, "-c:v",   "libx264", "-preset",
            "medium", "-b:v",     "1500000", "-c:a", "aac", "-b:a", "128000", AOut};
}

QString OutputName(const QString& ADir, const QString& ARun, int AIndex) {
    return QStringLiteral("%1/%2_%3.mp4").arg(ADir, ARun).arg(AIndex);
}

// The eight outputs together: the same settings should give about the same.
double OutputMB(const QString& ADir, const QString& ARun) {
    double bytes = 0;
    for (int i = 0; i < kClips; ++i) bytes += QFileInfo(OutputName(ADir, ARun, i)).size();
    return bytes / 1048576.0;
}

// The tool over every clip, one process after another or all at once; a
// negative wall time when a conversion failed.
Sample RunTool(const QStringList& AClips, const QString& AOutDir, bool AAllAtOnce) {
    const QString run = AAllAtOnce ? QStringLiteral("all") : QStringLiteral("seq");
    for (int i = 0; i < AClips.size(); ++i) QFile::remove(OutputName(AOutDir, run, i));
    Sample s;
    bool ok = true;
    QElapsedTimer timer;
    timer.start();
    if (AAllAtOnce) {
        std::vector<pid_t> pids;
        for (int i = 0; i < AClips.size(); ++i)
            pids.push_back(SpawnChild(ToolArgs(AClips[i], OutputName(AOutDir, run, i))));
        for (pid_t pid : pids) ok = WaitChild(pid, s.cpu) && ok;
    } else {
        for (int i = 0; i < AClips.size() && ok; ++i)
            ok = WaitChild(SpawnChild(ToolArgs(AClips[i], OutputName(AOutDir, run, i))), s.cpu);
    }
    s.wall = ok ? timer.nsecsElapsed() / 1e9 : -1;
    if (!ok) std::fprintf(stderr, "the ffmpeg tool failed a conversion (%s)\n", qPrintable(run));
    s.outMB = OutputMB(AOutDir, run);
    return s;
}

// The queue over every clip with Start(AThreads); a negative wall time when a
// task failed.
Sample RunEngine(TTrevalon& AQueue, const QStringList& AClips, const QString& AOutDir, int AThreads) {
    const QString run = QStringLiteral("n%1").arg(AThreads);
    AQueue.ClearTasks();
    for (int i = 0; i < AClips.size(); ++i) QFile::remove(OutputName(AOutDir, run, i));
    bool failed = false;
    AQueue.OnTerminate = [&failed](QObject*, const TTerminateInfo& AInfo) {
        if (AInfo.TaskIndex >= 0 && !AInfo.Finished) {
            std::fprintf(stderr, "task %d failed: %s\n", AInfo.TaskIndex, qPrintable(AInfo.ExceptionMsg));
            failed = true;
        }
    };
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < AClips.size(); ++i) {
        const int t = AQueue.AddTask(AClips[i]);
        TOutputOptions out;
        InitOutputOptions(out);
        out.VideoCodec = QStringLiteral("libx264");
        out.VideoBitrate = 1500000;
        out.AudioCodec = QStringLiteral("aac");
        out.AudioBitrate = 128000;
        out.ExtOptions = QStringLiteral("preset=medium");
        if (t < 0 || !AQueue.SetOutputFile(t, OutputName(AOutDir, run, i), &out)) {
            std::fprintf(stderr, "cannot add %s: %s\n", qPrintable(AClips[i]), qPrintable(AQueue.LastErrMsg()));
            AQueue.OnTerminate = nullptr;
            return {-1, 0};
        }
    }
    AQueue.Start(AThreads);
    WaitInMainThread([&AQueue] { return AQueue.Terminated(); }, -1, 5);
    Sample s;
    s.wall = timer.nsecsElapsed() / 1e9;
    getrusage(RUSAGE_SELF, &after);
    s.cpu = Seconds(after.ru_utime) - Seconds(before.ru_utime) + Seconds(after.ru_stime) - Seconds(before.ru_stime);
    AQueue.OnTerminate = nullptr;
    if (failed) s.wall = -1;
    s.outMB = OutputMB(AOutDir, run);
    return s;
}

// Median, least and greatest over the rounds.
struct Spread {
    double med = 0, min = 0, max = 0;
};

Spread SpreadOf(std::vector<double> x) {
    std::sort(x.begin(), x.end());
    const size_t n = x.size();
    const double med = n % 2 ? x[n / 2] : (x[n / 2 - 1] + x[n / 2]) / 2;
    return {med, x.front(), x.back()};
}

std::vector<double> Field(const std::vector<Sample>& v, double Sample::*f) {
    std::vector<double> x;
    for (const Sample& s : v) x.push_back(s.*f);
    return x;
}

std::vector<double> Ratios(const std::vector<Sample>& a, const std::vector<Sample>& b) {
    std::vector<double> x;
    for (size_t i = 0; i < a.size(); ++i) x.push_back(a[i].wall / b[i].wall);
    return x;
}

}  // namespace

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    QString clipDir = tmp.path();
    int rounds = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--clips")) clipDir = args[i + 1];
        if (args[i] == QLatin1String("--rounds")) rounds = std::max(1, args[i + 1].toInt());
    }
    QDir().mkpath(clipDir);

    // Made side by side: they are not measured.
    QStringList clips;
    std::vector<pid_t> making;
    for (int i = 0; i < kClips; ++i) {
        clips << QStringLiteral("%1/clip720_%2.avi").arg(clipDir).arg(i);
        if (QFileInfo::exists(clips.back())) continue;
        making.push_back(SpawnChild({"ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                                     "testsrc=size=1280x720:rate=25", "-f", "lavfi", "-i",
                                     QStringLiteral("sine=f=%1:r=44100").arg(300 + 50 * i), "-t", "10", "-ac", "2",
                                     "-c:v", "mpeg4", "-q:v", "3", "-c:a", "pcm_s16le", clips.back()}));
    }
    bool made = true;
    double unused = 0;
    for (pid_t pid : making) made = WaitChild(pid, unused) && made;
    if (!made) {
        std::fprintf(stderr, "the ffmpeg tool could not make the clips in %s\n", qPrintable(clipDir));
        return 1;
    }

    TTrevalon queue;
    if (!queue.LoadAVLib(GetApplicationPath() + QStringLiteral("LibAV"))) {
        std::fprintf(stderr, "%s\n", qPrintable(queue.LastErrMsg()));
        return 1;
    }
    GetLogger()->SetLogLevel(llQuiet);
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<int> counts{1, 2, 4, cores};
    std::sort(counts.begin(), counts.end());
    counts.erase(std::unique(counts.begin(), counts.end()), counts.end());

    // Tool runs and engine runs take turns, so a change in the machine's load
    // falls on both.
    struct Kind {
        int threads;  // 0: tool one after another, -1: tool all at once
        std::vector<Sample> samples;
    };
    std::vector<Kind> kinds{{0, {}}, {counts.front(), {}}, {-1, {}}};
    if (counts.size() > 1) kinds.push_back({counts.back(), {}});
    for (size_t i = 1; i + 1 < counts.size(); ++i) kinds.push_back({counts[i], {}});
    std::printf("%d rounds of eight 720p 10 s clips to MP4 (libx264 medium 1500k + aac 128k) on %d cores; "
                "medians, (min-max) over the rounds\n",
                rounds, cores);
    std::fflush(stdout);
    for (int r = 0; r < rounds; ++r) {
        std::vector<Kind*> order;
        for (Kind& k : kinds) order.push_back(&k);
        if (r % 2) std::reverse(order.begin(), order.end());
        for (Kind* k : order) {
            const Sample s = k->threads > 0 ? RunEngine(queue, clips, tmp.path(), k->threads)
                                            : RunTool(clips, tmp.path(), k->threads < 0);
            if (s.wall < 0) return 1;
            k->samples.push_back(s);
        }
    }
    queue.ClearTasks();

    const std::vector<Sample>& seq = kinds[0].samples;
    const std::vector<Sample>& all = kinds[2].samples;
    const auto print = [](const QString& name, const std::vector<Sample>& v) {
        const Spread w = SpreadOf(Field(v, &Sample::wall));
        const Spread c = SpreadOf(Field(v, &Sample::cpu));
        std::printf("%-26s wall %6.2f s (%.2f-%.2f)  cpu %6.1f s (%.1f-%.1f)  output %5.2f MB", qPrintable(name),
                    w.med, w.min, w.max, c.med, c.min, c.max, v.back().outMB);
    };
    print(QStringLiteral("ffmpeg one after another"), seq);
    std::printf("\n");
    print(QStringLiteral("ffmpeg all at once"), all);
    std::printf("\n");
    double last = 0;
    for (int n : counts) {
        const auto k = std::find_if(kinds.begin(), kinds.end(), [n](const Kind& x) { return x.threads == n; });
        const Spread toSeq = SpreadOf(Ratios(k->samples, seq));
        const Spread toAll = SpreadOf(Ratios(k->samples, all));
        print(QStringLiteral("engine Start(%1)").arg(n), k->samples);
        std::printf("  / one after another %.2f (%.2f-%.2f)  / all at once %.2f (%.2f-%.2f)\n", toSeq.med, toSeq.min,
                    toSeq.max, toAll.med, toAll.min, toAll.max);
        if (n == cores) last = toAll.med;
    }
    std::printf("bench time: %.0f s\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    std::printf("engine Start(%d) / ffmpeg all at once wall ratio: %.2f\n", cores, last);
    return 0;
}
