// The converter against the ffmpeg tool on the same clip and settings.
//
//   cmake --build build --target bench_convert && ./build/bench/bench_convert [runs]
//
// Makes a 1280x720, 25 fps, 10-second clip with stereo sound, then converts it
// (a) to MP4 with libx264 + AAC (the main window's profile 1103 with the
// "libx264-default" preset) and (b) to AVI with mpeg4 + MP3 (profile 1600),
// each with the engine and with the tool, alternating, several runs each.
// Every conversion runs in a child process so its CPU time and peak memory are
// its own. The last line is the worse wall-time ratio of (a) and (b).
#include "engine/FFLogger.h"
#include "engine/FFmpeg.h"
#include "engine/FFmpegLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Profile {
    const char* name;
    const char* ext;
    // Engine options in the order the main window applies them.
    std::vector<std::pair<const char*, const char*>> engine;
    // The same settings for the tool (the preset's lines are added for libx264).
    QStringList tool;
    bool x264Preset;
};

const std::vector<Profile>& Profiles() {
    static const std::vector<Profile> p = {
        {"mp4 libx264+aac", ".mp4",
         {{"vcodec", "libx264"}, {"vpre", "libx264-default"}, {"s", "320x240"}, {"b", "1200000"}, {"r", "25"},
          {"acodec", "libfaac"}, {"ac", "2"}, {"ab", "128000"}, {"ar", "44100"}},
         {"-c:v", "libx264", "-s", "320x240", "-b:v", "1200000", "-r", "25", "-c:a", "aac", "-ac", "2", "-b:a",
          "128000", "-ar", "44100"},
         true},
        {"avi mpeg4+mp3", ".avi",
         {{"vcodec", "mpeg4"}, {"vtag", "DX50"}, {"b", "816000"}, {"r", "25"}, {"acodec", "libmp3lame"}, {"ac", "2"},
          {"ab", "128000"}, {"ar", "44100"}},
         {"-c:v", "mpeg4", "-tag:v", "DX50", "-b:v", "816000", "-r", "25", "-c:a", "libmp3lame", "-ac", "2", "-b:a",
          "128000", "-ar", "44100"},
         false},
    };
    return p;
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
    double wall = 0, cpu = 0;
    long maxrssKb = 0;
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
    s.maxrssKb = ru.ru_maxrss;
    s.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return s;
}

// Child mode: one conversion with the engine.
int RunEngine(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int profile = std::atoi(argv[2]);
    if (!FFLoader().Load(ConverterLibraries)) {
        std::fprintf(stderr, "%s\n", qPrintable(FFLoader().LastErrMsg()));
        return 2;
    }
    GetLogger()->SetLogLevel(llQuiet);
    TCustomFFmpeg f(4);
    f.InitTask();
    if (!f.OpenInputFile(QString::fromLocal8Bit(argv[3]))) return 3;
    for (const auto& [name, value] : Profiles()[profile].engine) f.SetOption(name, value);
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

Sample Median(std::vector<Sample> v) {
    Sample m;
    const auto pick = [&](auto field) {
        std::vector<double> x;
        for (const Sample& s : v) x.push_back(field(s));
        std::sort(x.begin(), x.end());
        return x[x.size() / 2];
    };
    m.wall = pick([](const Sample& s) { return s.wall; });
    m.cpu = pick([](const Sample& s) { return s.cpu; });
    m.maxrssKb = static_cast<long>(pick([](const Sample& s) { return double(s.maxrssKb); }));
    m.ok = true;
    for (const Sample& s : v) m.ok = m.ok && s.ok;
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && std::string(argv[1]) == "--engine") return RunEngine(argc, argv);
    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 3;
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
    const QString self = QCoreApplication::applicationFilePath();
    double worst = 0;
    for (size_t p = 0; p < Profiles().size(); ++p) {
        const Profile& prof = Profiles()[p];
        std::vector<Sample> engine, tool;
        for (int r = 0; r < runs; ++r) {
            const QString outE = dir.filePath(QStringLiteral("engine") + prof.ext);
            const QString outT = dir.filePath(QStringLiteral("tool") + prof.ext);
            QFile::remove(outE);
            engine.push_back(Spawn({self, "--engine", QString::number(p), clip, outE}));
            QStringList args{"ffmpeg", "-nostdin", "-v", "error", "-y", "-i", clip};
            args += prof.tool;
            if (prof.x264Preset) args += PresetArgs(QStringLiteral("libx264-default"));
            args << outT;
            tool.push_back(Spawn(args));
        }
        const Sample e = Median(engine), t = Median(tool);
        if (!e.ok || !t.ok) {
            std::fprintf(stderr, "%s: a conversion failed (engine %d, tool %d)\n", prof.name, e.ok, t.ok);
            return 1;
        }
        const double ratio = e.wall / t.wall;
        worst = std::max(worst, ratio);
        std::printf("%-18s engine: wall %6.2f s  cpu %6.2f s  peak %7.1f MB\n", prof.name, e.wall, e.cpu,
                    e.maxrssKb / 1024.0);
        std::printf("%-18s ffmpeg: wall %6.2f s  cpu %6.2f s  peak %7.1f MB   wall ratio %.2f  memory ratio %.2f\n",
                    prof.name, t.wall, t.cpu, t.maxrssKb / 1024.0, ratio, double(e.maxrssKb) / t.maxrssKb);
    }
    std::printf("engine/ffmpeg wall ratio: %.2f\n", worst);
    return 0;
}
