// One conversion with the engine against the same conversion with the ffmpeg
// tool, on one clip and the same settings.
//
//   bench_convert [runs]      (runs per job, 5 when not given)
//
// Makes a 1280x720, 25 fps, 10-second clip (mpeg4 video, stereo PCM sound),
// then converts it with three jobs:
//   mp4 x264 720p       libx264 preset medium 1500 kbit/s + aac 128 kbit/s at
//                       the source's size: mostly the cost of encoding;
//   mp4 x264 320x240    the main window's MP4 profile (libx264-default rows,
//                       scaled to 320x240, 1200 kbit/s): mostly decoding and
//                       scaling, the encoder has little to do;
//   avi mpeg4+mp3       the main window's AVI profile at the source's size.
// Each run of a job is a pair: one conversion with the engine and one with the
// tool, the order swapped from one pair to the next so neither side always
// finds the caches warm. Every conversion is a child process, so its CPU time
// and peak memory are its own. Codec threads are the libraries' choice on
// both sides. Per job: medians with min-max of wall time, CPU time and peak
// memory, and the median of the pairs' wall ratios. The last line is the
// worst job's median wall ratio.
#include "engine/FFLogger.h"
#include "engine/FFmpeg.h"
#include "engine/FFmpegLoader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
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
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Job {
    const char* name;
    const char* ext;
    // Engine options in the order the main window applies them.
    std::vector<std::pair<const char*, const char*>> engine;
    // The same settings for the tool.
    QStringList tool;
    // Built-in preset whose rows the tool gets as well (empty: none).
    const char* preset;
};

const std::vector<Job>& Jobs() {
    static const std::vector<Job> jobs = {
        {"mp4 x264 720p", ".mp4",
         {{"vcodec", "libx264"}, {"preset", "medium"}, {"b", "1500000"}, {"acodec", "aac"}, {"ab", "128000"}},
         {"-c:v", "libx264", "-preset", "medium", "-b:v", "1500000", "-c:a", "aac", "-b:a", "128000"},
         ""},
        {"mp4 x264 320x240", ".mp4",
         {{"vcodec", "libx264"}, {"vpre", "libx264-default"}, {"s", "320x240"}, {"b", "1200000"}, {"r", "25"},
          {"acodec", "libfaac"}, {"ac", "2"}, {"ab", "128000"}, {"ar", "44100"}},
         {"-c:v", "libx264", "-s", "320x240", "-b:v", "1200000", "-r", "25", "-c:a", "aac", "-ac", "2", "-b:a",
          "128000", "-ar", "44100"},
         "libx264-default"},
        {"avi mpeg4+mp3", ".avi",
         {{"vcodec", "mpeg4"}, {"vtag", "DX50"}, {"b", "816000"}, {"r", "25"}, {"acodec", "libmp3lame"}, {"ac", "2"},
          {"ab", "128000"}, {"ar", "44100"}},
         {"-c:v", "mpeg4", "-tag:v", "DX50", "-b:v", "816000", "-r", "25", "-c:a", "libmp3lame", "-ac", "2", "-b:a",
          "128000", "-ar", "44100"},
         ""},
    };
    return jobs;
}

// "key=value" lines of a built-in preset as tool arguments.
QStringList PresetArgs(const QString& name) {
    QStringList args;
    for (const auto& [n, text] : BuiltinPresets()) {
        if (n != name) continue;
        for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
            const int eq = line.indexOf(u'=');
            if (eq > 0) args << QStringLiteral("-") + line.left(eq) << line.mid(eq + 1);
        }
    }
    return args;
}

struct Sample {
    double wall = 0, cpu = 0, peakMB = 0, outMB = 0;
    bool ok = false;
};

Sample Spawn(const QStringList& args) {
    std::vector<QByteArray> store;
    for (const QString& a : args) store.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : store) argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto t0 = std::chrono::steady_clock::now();
    pid_t pid = 0;
    Sample s;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return s;
    int status = 0;
    rusage ru{};
    while (wait4(pid, &status, 0, &ru) < 0 && errno == EINTR) {
    }
    s.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    s.cpu = ru.ru_utime.tv_sec + ru.ru_utime.tv_usec / 1e6 + ru.ru_stime.tv_sec + ru.ru_stime.tv_usec / 1e6;
    s.peakMB = ru.ru_maxrss / 1024.0;
    s.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return s;
}

// Child mode: one conversion with the engine.
int RunEngine(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int job = std::atoi(argv[2]);
    if (!FFLoader().Load(ConverterLibraries)) {
        std::fprintf(stderr, "%s\n", qPrintable(FFLoader().LastErrMsg()));
        return 2;
    }
    GetLogger()->SetLogLevel(llQuiet);
    TCustomFFmpeg f(4);
    f.InitTask();
    if (!f.OpenInputFile(QString::fromLocal8Bit(argv[3]))) return 3;
    for (const auto& [name, value] : Jobs()[job].engine) f.SetOption(name, value);
    if (f.OpenOutputFile(QString::fromLocal8Bit(argv[4]), false) < 0) {
        std::fprintf(stderr, "%s\n", qPrintable(f.LastErrMsg()));
        return 4;
    }
    f.StartConvert(false);
    if (f.FatalException()) {
        std::fprintf(stderr, "%s\n", qPrintable(f.FatalMessage()));
        return 5;
    }
    return f.Finished() ? 0 : 6;
}

// Median, least and greatest of one figure over the runs.
struct Spread {
    double med = 0, min = 0, max = 0;
};

Spread SpreadOf(const std::vector<Sample>& v, const std::function<double(const Sample&)>& field) {
    std::vector<double> x;
    for (const Sample& s : v) x.push_back(field(s));
    std::sort(x.begin(), x.end());
    const size_t n = x.size();
    const double med = n % 2 ? x[n / 2] : (x[n / 2 - 1] + x[n / 2]) / 2;
    return {med, x.front(), x.back()};
}

void PrintSide(const char* job, const char* side, const std::vector<Sample>& v) {
    const Spread w = SpreadOf(v, [](const Sample& s) { return s.wall; });
    const Spread c = SpreadOf(v, [](const Sample& s) { return s.cpu; });
    const Spread m = SpreadOf(v, [](const Sample& s) { return s.peakMB; });
    const Spread o = SpreadOf(v, [](const Sample& s) { return s.outMB; });
    std::printf("%-17s %-7s wall %6.2f s (%.2f-%.2f)  cpu %6.2f s (%.2f-%.2f)  peak %6.1f MB  output %5.2f MB\n", job,
                side, w.med, w.min, w.max, c.med, c.min, c.max, m.med, o.med);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && std::string(argv[1]) == "--engine") return RunEngine(argc, argv);
    const auto started = std::chrono::steady_clock::now();
    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 5;
    QCoreApplication app(argc, argv);
    if (!FFLoader().Load(ConverterLibraries)) {
        std::fprintf(stderr, "%s\n", qPrintable(FFLoader().LastErrMsg()));
        return 2;
    }
    QTemporaryDir dir;
    const QString clip = dir.filePath(QStringLiteral("clip.avi"));
    std::printf("making a 1280x720 25 fps 10 s clip with stereo sound...\n");
    std::fflush(stdout);
    const Sample made = Spawn({"ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                               "testsrc=size=1280x720:rate=25", "-f", "lavfi", "-i", "sine=f=440:r=44100", "-t", "10",
                               "-ac", "2", "-c:v", "mpeg4", "-q:v", "3", "-c:a", "pcm_s16le", clip});
    if (!made.ok) {
        std::fprintf(stderr, "cannot make the clip\n");
        return 1;
    }
    std::printf("%d paired runs per job; medians, (min-max) over the runs\n", runs);
    const QString self = QCoreApplication::applicationFilePath();
    double worst = 0;
    for (size_t j = 0; j < Jobs().size(); ++j) {
        const Job& job = Jobs()[j];
        const QString outE = dir.filePath(QStringLiteral("engine") + job.ext);
        const QString outT = dir.filePath(QStringLiteral("tool") + job.ext);
        QStringList toolArgs{"ffmpeg", "-nostdin", "-v", "error", "-y", "-i", clip};
        toolArgs += job.tool;
        if (*job.preset) toolArgs += PresetArgs(QLatin1String(job.preset));
        toolArgs << outT;
        const auto convert = [&](bool engine) {
            const QString& out = engine ? outE : outT;
            QFile::remove(out);
            Sample s = engine ? Spawn({self, "--engine", QString::number(j), clip, out}) : Spawn(toolArgs);
            s.outMB = QFileInfo(out).size() / 1048576.0;
            return s;
        };
        std::vector<Sample> engine, tool, ratio;
        for (int r = 0; r < runs; ++r) {
            Sample e, t;
            if (r % 2 == 0) {
                e = convert(true);
                t = convert(false);
            } else {
                t = convert(false);
                e = convert(true);
            }
            if (!e.ok || !t.ok) {
                std::fprintf(stderr, "%s: a conversion failed (engine %d, tool %d)\n", job.name, e.ok, t.ok);
                return 1;
            }
            engine.push_back(e);
            tool.push_back(t);
            Sample q;
            q.wall = e.wall / t.wall;
            ratio.push_back(q);
        }
        PrintSide(job.name, "engine", engine);
        PrintSide(job.name, "ffmpeg", tool);
        const Spread q = SpreadOf(ratio, [](const Sample& s) { return s.wall; });
        std::printf("%-17s engine/ffmpeg wall %.2f (%.2f-%.2f)\n", job.name, q.med, q.min, q.max);
        std::fflush(stdout);
        worst = std::max(worst, q.med);
    }
    std::printf("bench time: %.0f s\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    std::printf("engine/ffmpeg wall ratio: %.2f\n", worst);
    return 0;
}
