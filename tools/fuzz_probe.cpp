// Fuzz target over the media probe: every input is a file the probe opens,
// describes (stream facts, the information text) and then seeks in and
// decodes pictures from, the way the main window and the preview use it.
// Every input must end in a clear false result, never in a crash or a hang.
// The seeds helper (QV_FUZZ_SEEDS) makes small clips of many containers and
// codecs with the ffmpeg tool, as the tests make their media.
#ifndef QV_FUZZ_SEEDS
#include "engine/AVProbe.h"
#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#endif

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#ifndef QV_FUZZ_SEEDS
#include <QImage>
#endif

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

#ifdef QV_FUZZ_SEEDS

struct TSeedClip {
    const char* name;
    const char* args;  // ffmpeg arguments; the output path is appended
};

// Tiny on purpose: the fuzzer mutates every byte, and a small file is read,
// probed and decoded thousands of times a second.
constexpr TSeedClip kSeeds[] = {
    {"mpeg4.avi", "-f lavfi -i testsrc=size=32x24:rate=25:d=0.3 -c:v mpeg4 -g 4"},
    {"av.mp4", "-f lavfi -i testsrc=size=32x24:rate=25:d=0.3 -f lavfi -i sine=r=8000:d=0.3 -c:v mpeg4 -g 4 "
               "-c:a aac -b:a 16k"},
    {"bframes.mkv", "-f lavfi -i testsrc=size=32x24:rate=25:d=0.4 -c:v libx264 -g 5 -bf 2 -pix_fmt yuv420p"},
    {"mpeg2.ts", "-f lavfi -i testsrc=size=32x24:rate=25:d=0.3 -c:v mpeg2video -g 4 -bf 1"},
    {"mpeg1.mpg", "-f lavfi -i testsrc=size=32x24:rate=25:d=0.3 -c:v mpeg1video -g 4"},
    {"h263.3gp", "-f lavfi -i testsrc=size=128x96:rate=12:d=0.3 -c:v h263 -g 3"},
    {"flv1.flv", "-f lavfi -i testsrc=size=32x24:rate=25:d=0.3 -c:v flv1 -g 4"},
    {"mjpeg.mov", "-f lavfi -i testsrc=size=32x24:rate=25:d=0.2 -c:v mjpeg -q:v 20"},
    {"vp8.webm", "-f lavfi -i testsrc=size=32x24:rate=25:d=0.3 -c:v libvpx -g 4 -b:v 50k"},
    {"raw.avi", "-f lavfi -i testsrc=size=16x12:rate=25:d=0.1 -c:v rawvideo -pix_fmt bgr24"},
    {"rotated.mp4", "-f lavfi -i testsrc=size=32x24:rate=25:d=0.2 -c:v mpeg4 -metadata:s:v rotate=90"},
    {"still.png", "-f lavfi -i color=c=red:s=16x12 -frames:v 1"},
    {"anim.gif", "-f lavfi -i testsrc=size=16x12:rate=10:d=0.3"},
    {"tone.mp3", "-f lavfi -i sine=r=8000:d=0.3 -c:a libmp3lame -b:a 8k -metadata title=Seed"},
    {"tone.wav", "-f lavfi -i sine=r=8000:d=0.1 -c:a pcm_u8"},
    {"subs.mkv", "-f lavfi -i testsrc=size=32x24:rate=25:d=0.3 -f srt -i data:text/plain;base64,"
                 "MQowMDowMDowMCwwMDAgLS0+IDAwOjAwOjAwLDIwMApIaQoK -c:v mpeg4 -c:s srt"},
};

#else

// The input is written here and opened by name, as the probe opens files.
// Plain bytes, not a QString: the exit handler that removes the file runs
// after static objects are gone.
char gInputPath[256];

QString InputPath() { return QFile::decodeName(gInputPath); }

bool WriteInput(const std::uint8_t* data, std::size_t size) {
    const int fd = ::open(gInputPath, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) return false;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return done == size;
}

void RemoveInput() { ::unlink(gInputPath); }

void Describe(TAVProbe& probe) {
    (void)probe.FileInfoText();
    (void)probe.FileStreamInfo();
    for (int i = -1; i <= probe.StreamCount(); ++i) {
        if (probe.IsVideoStream(i)) (void)probe.GetStreamVideoInfo(i);
        if (probe.IsAudioStream(i)) (void)probe.GetStreamAudioInfo(i);
        if (probe.IsSubtitleStream(i)) (void)probe.GetStreamSubtitleInfo(i);
    }
}

// Seeks and steps the way the preview does; each step is bounded, so a
// broken file costs a few decodes at most.
void SeekAndDecode(TAVProbe& probe) {
    QImage bitmap;
    for (int i = 0; i < 3 && probe.Decode(); ++i) {
    }
    (void)probe.CopyToBitmap(bitmap);
    const std::int64_t duration = probe.FileStreamInfo().Duration;
    const std::int64_t middle = duration > 0 ? duration / 2 : 100000;
    if (probe.Seek(middle) && probe.Decode()) (void)probe.CopyToBitmap(bitmap);
    (void)probe.DecodePreviousFrame();
    (void)probe.DecodeNextKeyFrame();
    (void)probe.DecodePreviousKeyFrame();
    if (probe.Seek(middle, {sfBackward})) (void)probe.Decode();
    if (probe.Seek(0)) (void)probe.Decode();
    if (probe.FileSize() > 0 && probe.Seek(probe.FileSize() / 2, {sfByte})) (void)probe.Decode();
    (void)probe.CopyToBitmap(bitmap);
}

#endif

}  // namespace

#ifdef QV_FUZZ_SEEDS

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    int failed = 0;
    for (const TSeedClip& clip : kSeeds) {
        QStringList args{QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y")};
        args << QString::fromLatin1(clip.args).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        args << folder + QLatin1Char('/') + QLatin1String(clip.name);
        QProcess tool;
        tool.start(QStringLiteral("ffmpeg"), args);
        if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
            std::fprintf(stderr, "%s: %s\n", clip.name, tool.readAllStandardError().constData());
            ++failed;
        }
    }
    return failed ? 1 : 0;
}

#else

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!FFLoader().Load(ProbeLibraries)) {
        std::fprintf(stderr, "fuzz_probe: %s\n", FFLoader().LastErrMsg().toLocal8Bit().constData());
        std::exit(1);
    }
    // Quiet: the libraries' complaints about broken input are the point.
    GetLogger()->SetLogLevel(llQuiet);
    const QByteArray tmp = QFile::encodeName(QDir::tempPath());
    std::snprintf(gInputPath, sizeof gInputPath, "%s/fuzz_probe_%ld.bin", tmp.constData(), static_cast<long>(::getpid()));
    std::atexit(RemoveInput);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!WriteInput(data, size)) return 0;
    TAVProbe probe;
    if (!probe.LoadFile(InputPath())) return 0;
    Describe(probe);
    SeekAndDecode(probe);
    probe.CloseFile();
    return 0;
}

#endif
