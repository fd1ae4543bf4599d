#include "tests/support/TestMedia.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QTemporaryDir>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace TestMedia {
namespace {

struct Clip {
    const char* name;
    const char* args;  // ffmpeg arguments; the output path is appended
};

// Short and small on purpose: the whole suite makes these once per build tree.
constexpr Clip kClips[] = {
    {"av.avi", "-f lavfi -i testsrc=size=160x120:rate=25 -f lavfi -i sine=f=440:r=44100 -t 2 "
               "-c:v mpeg4 -c:a pcm_s16le -ac 2"},
    {"av1s.avi", "-f lavfi -i testsrc=size=160x120:rate=25 -f lavfi -i sine=f=440:r=44100 -t 1 "
                 "-c:v mpeg4 -c:a pcm_s16le -ac 2"},
    {"av.mp4", "-f lavfi -i testsrc=size=160x120:rate=25 -f lavfi -i sine=f=440:r=44100 -t 2 "
               "-c:v mpeg4 -c:a aac -ac 2"},
    {"bars.avi", "-f lavfi -i smptebars=size=320x240:rate=25 -t 1 -c:v rawvideo -pix_fmt bgr24"},
    {"a44.wav", "-f lavfi -i sine=f=440:r=44100 -t 2 -ac 2 -c:a pcm_s16le"},
    {"a48.mp3", "-f lavfi -i sine=f=440:r=48000 -t 2 -ac 2 -c:a libmp3lame -b:a 128k"},
    {"sine1k.wav", "-f lavfi -i sine=f=1000:r=44100 -t 2 -ac 2 -c:a pcm_s16le"},
    {"mono1.wav", "-f lavfi -i sine=f=440:r=44100 -t 1 -ac 1 -c:a pcm_s16le"},
    {"stereo2.wav", "-f lavfi -i sine=f=660:r=44100 -t 2 -ac 2 -c:a pcm_s16le"},
    {"pal.dv", "-f lavfi -i testsrc=size=720x576:rate=25 -f lavfi -i sine=f=440:r=48000 -t 1 "
               "-target pal-dv"},
    {"ntsc.mpg", "-f lavfi -i testsrc=size=320x240:rate=30000/1001 -f lavfi -i sine=f=440:r=48000 -t 1 "
                 "-c:v mpeg2video -c:a mp2"},
    {"late_audio.mkv", "-f lavfi -i testsrc=size=160x120:rate=25 -itsoffset 0.5 -f lavfi -i sine=f=440:r=44100 "
                       "-t 2 -map 0:v -map 1:a -c:v mpeg4 -c:a pcm_s16le"},
    {"gop10.mp4", "-f lavfi -i testsrc=size=160x120:rate=25 -t 2 -c:v mpeg4 -g 10 -bf 0"},
    // One second each of red, green and blue; a key frame every 5 pictures.
    {"rgb_g5.avi", "-f lavfi -i color=c=red:s=160x120:r=25:d=1 -f lavfi -i color=c=lime:s=160x120:r=25:d=1 "
                   "-f lavfi -i color=c=blue:s=160x120:r=25:d=1 -filter_complex [0][1][2]concat=n=3:v=1:a=0 "
                   "-c:v mpeg4 -g 5 -bf 0 -q:v 2"},
    {"ntsc_lang.ts", "-f lavfi -i testsrc=size=160x120:rate=30000/1001 -f lavfi -i sine=f=440:r=48000 -t 1 "
                     "-c:v mpeg2video -c:a mp2 -metadata:s:a:0 language=eng"},
    {"tags.mp3", "-f lavfi -i sine=f=440:r=44100 -t 2 -ac 1 -c:a libmp3lame -metadata title=ProbeTone "
                 "-metadata comment=Hello"},
    {"still.png", "-f lavfi -i color=c=red:s=64x48 -frames:v 1"},
    // Video with two tones, 440 Hz first and 880 Hz second.
    {"two_audio.mkv", "-f lavfi -i testsrc=size=160x120:rate=25 -f lavfi -i sine=f=440:r=44100 "
                      "-f lavfi -i sine=f=880:r=44100 -t 1 -map 0:v -map 1:a -map 2:a -c:v mpeg4 -c:a pcm_s16le"},
    // Subtitles given inline (data: URLs): one cue alone, and two cues over a second of video.
    {"subs_only.mkv", "-f srt -i data:text/plain;base64,MQowMDowMDowMCwwMDAgLS0+IDAwOjAwOjAxLDAwMApIZWxsbwoK "
                      "-c:s srt"},
    // Sound and subtitles, no picture.
    {"audio_subs.mkv", "-f lavfi -i sine=f=440:r=44100:d=1 -f srt -i data:text/plain;base64,"
                       "MQowMDowMDowMCwwMDAgLS0+IDAwOjAwOjAxLDAwMApIZWxsbwoK -c:a pcm_s16le -c:s srt"},
    {"subs_text.mkv", "-f lavfi -i testsrc=size=160x120:rate=25:d=1 -f srt -i data:text/plain;base64,"
                      "MQowMDowMDowMCwwMDAgLS0+IDAwOjAwOjAwLDUwMApPbmUKCjIKMDA6MDA6MDAsNTAwIC0tPiAwMDowMDowMSwwMDAKVHdvCgo= "
                      "-c:v mpeg4 -c:s srt"},
    {"h264_g25.ts", "-f lavfi -i testsrc=size=160x120:rate=25 -t 3 -c:v libx264 -threads 1 -g 25 -bf 0 "
                    "-sc_threshold 0 -pix_fmt yuv420p"},
    {"neg_start.mkv", "-f lavfi -i testsrc=size=160x120:rate=25 -t 1 -c:v mpeg4 -output_ts_offset -0.5 "
                      "-avoid_negative_ts disabled"},
    {"bframes.mp4", "-f lavfi -i testsrc=size=160x120:rate=25 -t 1 -c:v mpeg4 -bf 2"},
    {"tags.m4a", "-f lavfi -i sine=f=440:r=44100 -t 1 -c:a aac -metadata artist=Someone -metadata date=2009 "
                 "-metadata track=3/12 -metadata genre=Test -metadata creation_time=2020-01-02T03:04:05Z"},
    // Video followed by a data stream (a timecode track).
    {"timecode.mov", "-f lavfi -i testsrc=size=160x120:rate=25 -t 1 -c:v mpeg4 -timecode 00:00:00:00"},
    // Frame rates above and below 25 for drop and duplicate counts.
    {"f50.mkv", "-f lavfi -i testsrc=size=160x120:rate=50 -t 1 -c:v mpeg4"},
    {"f10.mkv", "-f lavfi -i testsrc=size=160x120:rate=10 -t 1 -c:v mpeg4"},
    // Two halves of a size-change clip (the test joins the bytes).
    {"size160.ts", "-f lavfi -i testsrc=size=160x120:rate=25 -t 1 -c:v mpeg2video"},
    {"size320.ts", "-f lavfi -i testsrc=size=320x240:rate=25 -t 1 -c:v mpeg2video -output_ts_offset 1"},
    // Two halves of a clip whose times jump by 22 s in the middle.
    {"jump_a.ts", "-f lavfi -i testsrc=size=160x120:rate=25 -t 1 -c:v mpeg2video"},
    {"jump_b.ts", "-f lavfi -i testsrc=size=160x120:rate=25 -t 1 -c:v mpeg2video -output_ts_offset 23"},
};

QMutex gMutex;

}  // namespace

QStringList Names() {
    QStringList names;
    for (const Clip& c : kClips) names << QLatin1String(c.name);
    return names;
}

QString CacheDir() {
    return QStringLiteral(QV_TEST_MEDIA_DIR);
}

bool RunTool(const QString& program, const QStringList& args, QByteArray* out, QByteArray* err) {
    // posix_spawn rather than QProcess: ThreadSanitizer loses track of the
    // main thread across QProcess's fork, and every later report is noise.
    QTemporaryDir tmp;
    const QByteArray outPath = QFile::encodeName(tmp.filePath(QStringLiteral("out")));
    const QByteArray errPath = QFile::encodeName(tmp.filePath(QStringLiteral("err")));
    std::vector<QByteArray> store{QFile::encodeName(program)};
    for (const QString& a : args) store.push_back(a.toUtf8());
    std::vector<char*> argv;
    for (QByteArray& b : store) argv.push_back(b.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        if (err) *err = "cannot start " + store[0] + ": " + std::strerror(rc);
        return false;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    auto slurp = [](const QByteArray& path) {
        QFile f(QFile::decodeName(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    if (out) *out = slurp(outPath);
    if (err) *err = slurp(errPath);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool RunFFmpeg(const QStringList& args, QString* errorOutput) {
    QStringList all{QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
                    QStringLiteral("error"), QStringLiteral("-y")};
    all += args;
    QByteArray err;
    const bool ok = RunTool(QStringLiteral("ffmpeg"), all, nullptr, &err);
    if (errorOutput) *errorOutput = QString::fromLocal8Bit(err);
    return ok;
}

QString Path(const QString& name) {
    QMutexLocker lock(&gMutex);
    const QString dir = CacheDir();
    const QString path = dir + u'/' + name;
    if (QFileInfo::exists(path)) return path;

    const Clip* clip = nullptr;
    for (const Clip& c : kClips)
        if (name == QLatin1String(c.name)) clip = &c;
    if (!clip) {
        ADD_FAILURE() << "no test clip named " << name.toStdString();
        return {};
    }
    QDir().mkpath(dir);
    // Made under a private name and renamed, so parallel test processes never
    // see half a file.
    const QString ext = QFileInfo(name).suffix();
    const QString tmp = QStringLiteral("%1/.tmp-%2-%3.%4")
                            .arg(dir).arg(QCoreApplication::applicationPid()).arg(QFileInfo(name).baseName(), ext);
    QStringList args = QString::fromLatin1(clip->args).split(u' ', Qt::SkipEmptyParts);
    args << tmp;
    QString err;
    if (!RunFFmpeg(args, &err)) {
        QFile::remove(tmp);
        ADD_FAILURE() << "ffmpeg could not make " << name.toStdString() << ": " << err.toStdString();
        return {};
    }
    if (::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(tmp);
        if (!QFileInfo::exists(path)) {
            ADD_FAILURE() << "cannot place " << name.toStdString();
            return {};
        }
    }
    return path;
}

}  // namespace TestMedia
