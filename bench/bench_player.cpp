// The player's CPU cost against a plain decode of the same clip by the ffmpeg
// tool.
//
//   bench_player [runs]      (paired runs, 5 when not given)
//
// Makes a 1280x720, 25 fps, 10-second clip (mpeg4 video, stereo PCM sound).
// Each run is a pair: the engine's player plays the clip at 1x to its end in a
// 1280x720 host (Qt offscreen, SDL's dummy sound driver, every picture
// converted and painted), and the tool decodes it twice, once as it is
// (`-f null -`) and once converted to 32-bit RGB (`-vf format=bgr0 -f null -`),
// which is the work the player cannot avoid. The order is swapped from one
// pair to the next. Every side is a child process, so its CPU time is its own.
// The player's figure is its playback, from loading the libraries to the end
// (the application's own start is shown apart, as the whole process). A
// player run that showed fewer pictures than the clip has is reported. The
// last line is the median of the pairs' playback / RGB-decode CPU ratios.
#include "engine/FFmpegLoader.h"
#include "engine/Player.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kClipPictures = 250;

struct Sample {
    double wall = 0, cpu = 0;
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
    s.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return s;
}

double SelfCpu() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_utime.tv_sec + ru.ru_utime.tv_usec / 1e6 + ru.ru_stime.tv_sec + ru.ru_stime.tv_usec / 1e6;
}

// Child mode: the player plays the clip to its end; the number of pictures it
// showed goes to the report file.
int RunPlayer(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget host;
    host.resize(1280, 720);
    host.show();
    TDUDuvuvu player;
    // The playback's own CPU: from loading the libraries (the tool loads them
    // too) to the end, without the start of the application around it.
    const double before = SelfCpu();
    if (!player.LoadAVLib(QStringLiteral("/nonexistent/LibAV"))) return 3;
    bool ended = false;
    // The event loop sleeps until something happens: the bench adds no polling of its own.
    player.OnState = [&](QObject*, TPlayState s) {
        if (s != psEnd || ended) return;
        ended = true;
        // The end is reported when the last picture is queued; it is shown a frame later.
        QTimer::singleShot(200, &app, &QCoreApplication::quit);
    };
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    if (!player.Open(QString::fromLocal8Bit(argv[2]), &host, false)) return 4;
    app.exec();
    const int shown = player.Surface() ? player.Surface()->PresentedCount() : 0;
    player.Stop(true);
    const double used = SelfCpu() - before;
    QFile report(QString::fromLocal8Bit(argv[3]));
    if (!report.open(QIODevice::WriteOnly)) return 5;
    report.write(QByteArray::number(shown) + ' ' + QByteArray::number(used, 'f', 3));
    return ended ? 0 : 6;
}

struct Stats {
    double median, low, high;
};

Stats Summary(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, v.front(), v.back()};
}

void PrintRow(const char* name, const std::vector<double>& v, const char* unit) {
    const Stats s = Summary(v);
    std::printf("  %-26s %7.2f%s  (%.2f-%.2f)\n", name, s.median, unit, s.low, s.high);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "--play") return RunPlayer(argc, argv);
    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 5;
    // The player's children run headless and silent.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    QTemporaryDir dir;
    const QString clip = dir.filePath(QStringLiteral("clip.avi"));
    const QString report = dir.filePath(QStringLiteral("shown.txt"));
    std::printf("making a 1280x720 25 fps 10 s clip with stereo sound...\n");
    std::fflush(stdout);
    const Sample made = Spawn({"ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                               "testsrc=size=1280x720:rate=25", "-f", "lavfi", "-i", "sine=f=440:r=44100", "-t", "10",
                               "-ac", "2", "-c:v", "mpeg4", "-q:v", "3", "-c:a", "pcm_s16le", clip});
    if (!made.ok) {
        std::fprintf(stderr, "cannot make the clip\n");
        return 1;
    }
    const QString self = QString::fromLocal8Bit(argv[0]);
    const QStringList plain = {"ffmpeg", "-nostdin", "-v", "error", "-i", clip, "-f", "null", "-"};
    const QStringList rgb = {"ffmpeg", "-nostdin", "-v", "error", "-i", clip, "-vf", "format=bgr0", "-f", "null", "-"};
    std::printf("%d paired runs; medians, (min-max) over the runs\n", runs);
    std::vector<double> playerCpu, playbackCpu, plainCpu, rgbCpu, processRatio, plainRatio, rgbRatio, playerWall;
    int short_runs = 0;
    for (int r = 0; r < runs; ++r) {
        Sample p, d, c;
        auto play = [&] {
            QFile::remove(report);
            p = Spawn({self, "--play", clip, report});
        };
        auto decode = [&] {
            d = Spawn(plain);
            c = Spawn(rgb);
        };
        if (r % 2 == 0) {
            play();
            decode();
        } else {
            decode();
            play();
        }
        if (!p.ok || !d.ok || !c.ok) {
            std::fprintf(stderr, "run %d failed (player %d, decode %d, rgb decode %d)\n", r + 1, p.ok, d.ok, c.ok);
            return 1;
        }
        QFile f(report);
        const QList<QByteArray> fields = f.open(QIODevice::ReadOnly) ? f.readAll().split(' ') : QList<QByteArray>();
        const int shown = fields.size() == 2 ? fields[0].toInt() : 0;
        const double playback = fields.size() == 2 ? fields[1].toDouble() : p.cpu;
        if (shown < kClipPictures) ++short_runs;
        std::printf("run %d: player %.2f s cpu, %.2f s of it the playback (%d pictures shown), decode %.2f s, "
                    "rgb decode %.2f s\n",
                    r + 1, p.cpu, playback, shown, d.cpu, c.cpu);
        std::fflush(stdout);
        playerCpu.push_back(p.cpu);
        playbackCpu.push_back(playback);
        playerWall.push_back(p.wall);
        plainCpu.push_back(d.cpu);
        rgbCpu.push_back(c.cpu);
        processRatio.push_back(p.cpu / c.cpu);
        plainRatio.push_back(playback / d.cpu);
        rgbRatio.push_back(playback / c.cpu);
    }
    PrintRow("player process cpu", playerCpu, " s");
    PrintRow("player playback cpu", playbackCpu, " s");
    PrintRow("player wall", playerWall, " s");
    PrintRow("ffmpeg decode cpu", plainCpu, " s");
    PrintRow("ffmpeg rgb decode cpu", rgbCpu, " s");
    PrintRow("process/rgb decode", processRatio, "x");
    PrintRow("playback/plain decode", plainRatio, "x");
    PrintRow("playback/rgb decode", rgbRatio, "x");
    if (short_runs)
        std::printf("%d of %d player runs showed fewer than %d pictures\n", short_runs, runs, kClipPictures);
    else
        std::printf("every player run showed all %d pictures\n", kClipPictures);
    std::printf("player/decode cpu ratio: %.2f\n", Summary(rgbRatio).median);
    std::fflush(stdout);
    return 0;
}
