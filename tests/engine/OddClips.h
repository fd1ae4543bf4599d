// Clips the ffmpeg tool cannot make directly, shared by the probe's and the
// player's odd-media tests.
#pragma once

#include "tests/support/TestMedia.h"

#include <QFile>
#include <QImage>
#include <QString>

#include <cstdlib>

#include <gtest/gtest.h>

namespace OddClips {

// 64x48 mpeg4 in MP4: the top 32 lines red on the left, blue on the right,
// the rest green; its track header's display matrix turns it `turn` degrees
// clockwise (the tool's option for that came after our libraries).
inline QString Rotated(const QString& dir, int turn) {
    const QString plain = dir + QStringLiteral("/quarters.mp4");
    if (!QFile::exists(plain)) {
        QString err;
        EXPECT_TRUE(TestMedia::RunFFmpeg(
            {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("color=red:s=32x32:r=25:d=0.4"),
             QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("color=blue:s=32x32:r=25:d=0.4"),
             QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("color=lime:s=64x16:r=25:d=0.4"),
             QStringLiteral("-filter_complex"), QStringLiteral("[0][1]hstack[t];[t][2]vstack"), QStringLiteral("-c:v"),
             QStringLiteral("mpeg4"), QStringLiteral("-q:v"), QStringLiteral("2"), plain},
            &err))
            << err.toStdString();
    }
    QFile in(plain);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray b = in.readAll();
    // The track header's matrix (16.16): a b 0 / c d 0 / tx ty 1, after its
    // version, flags, times, ids, duration, reserved words, layer and volume.
    const qsizetype at = b.indexOf("tkhd");
    EXPECT_GT(at, 0);
    const qsizetype m = at + 4 + 4 + 20 + 8 + 8;
    const int one = 0x10000;
    const int a = turn == 180 ? -one : turn == 0 ? one : 0;
    const int bb = turn == 90 ? one : turn == 270 ? -one : 0;
    const qint32 matrix[9] = {a, bb, 0, -bb, a, 0, 0, 0, 0x40000000};
    for (int i = 0; i < 9; ++i)
        for (int k = 0; k < 4; ++k) b[m + 4 * i + k] = static_cast<char>(quint32(matrix[i]) >> (24 - 8 * k));
    const QString path = dir + QStringLiteral("/rotated%1.mp4").arg(turn);
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(b);
    return path;
}

// The ffmpeg tool's upright view of the clip's first picture, 24-bit RGB.
inline QImage ToolPicture(const QString& path, int w, int h) {
    QByteArray raw;
    TestMedia::RunTool(QStringLiteral("ffmpeg"),
                       {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), path,
                        QStringLiteral("-frames:v"), QStringLiteral("1"), QStringLiteral("-f"),
                        QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"), QStringLiteral("rgb24"),
                        QStringLiteral("-")},
                       &raw);
    if (raw.size() != w * h * 3) return QImage();
    return QImage(reinterpret_cast<const uchar*>(raw.constData()), w, h, w * 3, QImage::Format_RGB888).copy();
}

// One second of sound in MP3 with a red cover picture (attached-picture disposition).
inline const char* CoverArgs() {
    return "-f lavfi -i sine=f=440:d=1 -f lavfi -i color=red:s=64x64:d=1 -map 0 -map 1 -c:a libmp3lame -c:v mjpeg "
           "-frames:v 1 -disposition:v attached_pic";
}

// Samples the picture and the tool's view of it at the same points.
inline ::testing::AssertionResult SameColours(const QImage& ours, const QImage& tools) {
    if (ours.size() != tools.size())
        return ::testing::AssertionFailure() << "size " << ours.width() << "x" << ours.height() << ", the tool's "
                                             << tools.width() << "x" << tools.height();
    for (int fy = 1; fy < 8; fy += 2)
        for (int fx = 1; fx < 8; fx += 2) {
            const int x = ours.width() * fx / 8, y = ours.height() * fy / 8;
            const QColor a = ours.pixelColor(x, y), b = tools.pixelColor(x, y);
            if (std::abs(a.red() - b.red()) > 40 || std::abs(a.green() - b.green()) > 40 ||
                std::abs(a.blue() - b.blue()) > 40)
                return ::testing::AssertionFailure() << "at " << x << "," << y << ": " << a.red() << "," << a.green()
                                                     << "," << a.blue() << ", the tool's " << b.red() << ","
                                                     << b.green() << "," << b.blue();
        }
    return ::testing::AssertionSuccess();
}

}  // namespace OddClips
