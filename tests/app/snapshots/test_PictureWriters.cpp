// Each picture type decodes back, with the library that reads it, to the
// frame's size and colours near the frame's: BMP (24 bits) and PNG through
// Qt, JPEG through libjpeg (baseline, quality 90), GIF through giflib (one
// picture, at most 256 colours). A write that cannot happen raises.
#include "app/snapshots/ColourReduction.h"
#include "app/snapshots/PictureWriters.h"
#include "tests/app/snapshots/ColourBars.h"
#include "tests/app/snapshots/PictureDecoders.h"

#include "platform/Classes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <set>

using namespace snapshots;
using namespace snapshots_test;

namespace {

void ExpectBars(const TDecoded& d, int tolerance) {
    ASSERT_EQ(d.Width, 160);
    ASSERT_EQ(d.Height, 120);
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        EXPECT_LE(Distance(d.At(BarCentre(k)), BarColours()[k]), tolerance);
    }
    // The grey ramp's ends.
    EXPECT_LE(Distance(d.At(QPoint(2, 110)), QColor(3, 3, 3)), tolerance + 8);
    EXPECT_LE(Distance(d.At(QPoint(157, 110)), QColor(251, 251, 251)), tolerance + 8);
}

TEST(PictureWriters, Bmp) {
    const QByteArray data = EncodeBmp(ColourBars());
    ASSERT_GE(data.size(), 54);
    EXPECT_EQ(data.left(2), QByteArray("BM"));
    EXPECT_EQ(static_cast<unsigned char>(data[28]) | (static_cast<unsigned char>(data[29]) << 8), 24);  // bits per pixel
    const QImage back = QImage::fromData(data, "BMP");
    ExpectBars(FromQImage(back), 0);
    EXPECT_EQ(FromQImage(back).Pixels, FromQImage(ColourBars()).Pixels);
}

TEST(PictureWriters, Png) {
    const QByteArray data = EncodePng(ColourBars());
    EXPECT_EQ(data.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    const QImage back = QImage::fromData(data, "PNG");
    EXPECT_FALSE(back.hasAlphaChannel());
    EXPECT_EQ(FromQImage(back).Pixels, FromQImage(ColourBars()).Pixels);
}

TEST(PictureWriters, JpegIsBaselineQuality90Colour) {
    const TJpegInfo info = DecodeJpeg(EncodeJpeg(ColourBars()));
    EXPECT_FALSE(info.Progressive);
    EXPECT_EQ(info.Components, 3);
    // The standard luminance table's first step (16) at quality 90 (scaled to 20%).
    EXPECT_EQ(info.FirstLumaQuant, 3);
    ExpectBars(info.Picture, 12);
}

TEST(PictureWriters, GifIsOnePictureOnAnAdaptivePalette) {
    const QImage bars = ColourBars();
    const QByteArray data = EncodeGif(bars);
    EXPECT_EQ(data.left(3), QByteArray("GIF"));
    const TGifInfo info = DecodeGif(data);
    EXPECT_EQ(info.ImageCount, 1);
    EXPECT_LE(info.Colours, 256);
    // Few colours: the bars come back nearly exact (a bar shares its 15-bit
    // bin, and so its palette entry, with a few greys of the ramp).
    ExpectBars(info.Picture, 4);
    // The same picture gives the same file.
    EXPECT_EQ(EncodeGif(bars), data);
}

TEST(PictureWriters, ColourReductionOfAManyColouredPicture) {
    // 64 × 64 × 16 distinct colours in a smooth field: more than a palette holds.
    QImage field(256, 256, QImage::Format_BGR888);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) field.setPixelColor(x, y, QColor(x, y, (x + y) / 2));
    const TIndexedPicture reduced = ReduceColours(field);
    EXPECT_EQ(reduced.Palette.size(), 256u);
    ASSERT_EQ(reduced.Indexes.size(), 256u * 256u);
    // Error diffusion keeps the average colour of every 8×8 block close.
    int worst = 0;
    for (int by = 0; by < 256; by += 8)
        for (int bx = 0; bx < 256; bx += 8) {
            long sum[3] = {0, 0, 0}, want[3] = {0, 0, 0};
            for (int y = by; y < by + 8; ++y)
                for (int x = bx; x < bx + 8; ++x) {
                    const TRgb c = reduced.Palette[reduced.Indexes[static_cast<size_t>(y) * 256 + x]];
                    sum[0] += c.R, sum[1] += c.G, sum[2] += c.B;
                    want[0] += x, want[1] += y, want[2] += (x + y) / 2;
                }
            for (int c = 0; c < 3; ++c) worst = std::max<int>(worst, std::abs(sum[c] - want[c]) / 64);
        }
    EXPECT_LE(worst, 6);
    // A one-colour picture: one entry.
    QImage flat(4, 3, QImage::Format_BGR888);
    flat.fill(QColor(10, 200, 30));
    const TIndexedPicture one = ReduceColours(flat);
    ASSERT_EQ(one.Palette.size(), 1u);
    EXPECT_EQ(one.Palette[0], (TRgb{10, 200, 30}));
    const TGifInfo gif = DecodeGif(EncodeGif(flat));
    EXPECT_EQ(gif.Picture.Width, 4);
    EXPECT_EQ(gif.Picture.At(QPoint(3, 2)), QColor(10, 200, 30));
}

TEST(PictureWriters, OddAndTinySizes) {
    // Odd sizes meet the JPEG's 2×2 chroma blocks and the GIF's code sizes at their edges.
    for (const QSize size : {QSize(1, 1), QSize(161, 121), QSize(7, 300)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        QImage frame(size, QImage::Format_BGR888);
        frame.fill(QColor(200, 40, 90));
        const TJpegInfo jpeg = DecodeJpeg(EncodeJpeg(frame));
        EXPECT_EQ(QSize(jpeg.Picture.Width, jpeg.Picture.Height), size);
        EXPECT_LE(Distance(jpeg.Picture.At(QPoint(size.width() - 1, size.height() - 1)), QColor(200, 40, 90)), 6);
        const TGifInfo gif = DecodeGif(EncodeGif(frame));
        EXPECT_EQ(QSize(gif.Picture.Width, gif.Picture.Height), size);
        EXPECT_EQ(gif.Picture.At(QPoint(size.width() - 1, size.height() - 1)), QColor(200, 40, 90));
        EXPECT_EQ(QImage::fromData(EncodeBmp(frame)).pixelColor(size.width() - 1, 0), QColor(200, 40, 90));
        EXPECT_EQ(QImage::fromData(EncodePng(frame)).size(), size);
    }
    // A 32-bit frame is written as 24 bits, its alpha dropped.
    QImage argb(8, 8, QImage::Format_ARGB32);
    argb.fill(QColor(10, 20, 30, 128));
    const QByteArray bmp = EncodeBmp(argb);
    EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24);
}

TEST(PictureWriters, FailedWritesRaise) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    // A missing folder, and a "folder" that is a file.
    const QString plain = tmp.filePath("plain");
    QFile f(plain);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    for (const QString& path : {tmp.filePath("missing/shot.png"), plain + "/shot.png"}) {
        SCOPED_TRACE(path.toStdString());
        try {
            SavePicture(ColourBars(), path, TSnapshotType::Png);
            ADD_FAILURE() << "no exception";
        } catch (const EFCreateError& e) {
            EXPECT_NE(std::string(e.what()).find("Cannot create file \"" + path.toStdString() + "\". "),
                      std::string::npos)
                << e.what();
        }
    }
    EXPECT_THROW(SavePicture(QImage(), tmp.filePath("empty.jpg"), TSnapshotType::Jpg), EFCreateError);
    EXPECT_FALSE(QFile::exists(tmp.filePath("empty.jpg")));
    // A folder in the way.
    EXPECT_THROW(SavePicture(ColourBars(), tmp.path(), TSnapshotType::Bmp), EFCreateError);

    // Each type written to disk reads back as itself.
    for (TSnapshotType type : {TSnapshotType::Bmp, TSnapshotType::Jpg, TSnapshotType::Gif, TSnapshotType::Png}) {
        const QString path = tmp.filePath("shot" + SnapshotTypeExtension(type));
        SavePicture(ColourBars(), path, type);
        QFile back(path);
        ASSERT_TRUE(back.open(QIODevice::ReadOnly));
        EXPECT_EQ(back.readAll(), EncodePicture(ColourBars(), type));
    }
}

} // namespace
