// The probe's decoding on media the usual test clips never show: tiny
// pictures, rotated video, cover art, interlaced transport streams and
// cut-off files. Each clip is made here with the ffmpeg tool.
#include "engine/AVProbe.h"
#include "engine/FFmpegLoader.h"
#include "tests/support/TestMedia.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

bool Near(const QColor& c, int r, int g, int b, int tol = 40) {
    return std::abs(c.red() - r) <= tol && std::abs(c.green() - g) <= tol && std::abs(c.blue() - b) <= tol;
}

std::string Describe(const QColor& c) {
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue());
}

class ProbeOddMediaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(FFLoader().Load(ProbeLibraries)) << FFLoader().LastErrMsg().toStdString();
    }
    QString Make(const QString& name, const QString& args) {
        const QString path = dir.filePath(name);
        QString err;
        QStringList list = args.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        list << path;
        EXPECT_TRUE(TestMedia::RunFFmpeg(list, &err)) << name.toStdString() << ": " << err.toStdString();
        return path;
    }
    void Load(const QString& path) {
        ASSERT_TRUE(probe.LoadFile(path)) << probe.LastErrMsg().toStdString();
    }
    QTemporaryDir dir;
    TAVProbe probe;
};

// ---------------------------------------------------------------------------

struct TinySize {
    int w, h;
};

class ProbeTinyPictureTest : public ProbeOddMediaTest, public ::testing::WithParamInterface<TinySize> {};

// The stored picture and the bitmap are read and written by the scaler in
// blocks; sized exactly for a tiny picture, they were overrun.
TEST_P(ProbeTinyPictureTest, DecodesAndCopiesEveryPicture) {
    const TinySize s = GetParam();
    const QString clip =
        Make(QStringLiteral("tiny_%1x%2.mkv").arg(s.w).arg(s.h),
             QStringLiteral("-f lavfi -i color=c=red:s=32x32:r=25:d=0.2 -vf scale=%1:%2 -c:v ffv1 -pix_fmt yuv420p")
                 .arg(s.w)
                 .arg(s.h));
    Load(clip);
    int pictures = 0;
    while (probe.Decode()) {
        ++pictures;
        ASSERT_EQ(probe.FrameInfo().Width, s.w);
        ASSERT_EQ(probe.FrameInfo().Height, s.h);
        QImage bmp;
        ASSERT_TRUE(probe.CopyToBitmap(bmp)) << probe.LastErrMsg().toStdString();
        ASSERT_EQ(bmp.size(), QSize(s.w, s.h));
        EXPECT_TRUE(Near(bmp.pixelColor(s.w - 1, s.h - 1), 255, 0, 0)) << Describe(bmp.pixelColor(s.w - 1, s.h - 1));
    }
    EXPECT_EQ(pictures, 5);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ProbeTinyPictureTest,
                         ::testing::Values(TinySize{1, 1}, TinySize{2, 2}, TinySize{3, 3}, TinySize{17, 9}),
                         [](const ::testing::TestParamInfo<TinySize>& info) {
                             return std::to_string(info.param.w) + "x" + std::to_string(info.param.h);
                         });

}  // namespace
