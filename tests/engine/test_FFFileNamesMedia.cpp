#include "engine/FFFileNames.h"
#include "engine/FFUtils.h"
#include "tests/support/TestMedia.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class UnicodeIOTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFLoader().Load(ProbeLibraries)) << FFLoader().LastErrMsg().toStdString();
        ASSERT_TRUE(dir.isValid());
    }
    static std::int64_t ProbeDuration(const QByteArray& name) {
        AVFormatContext* ic = nullptr;
        if (OpenInputFile(&ic, name, nullptr, nullptr) < 0) return -1;
        std::int64_t d = -1;
        if (ff::avformat_find_stream_info(ic, nullptr) >= 0) d = ic->duration;
        CloseInputFile(&ic);
        return d;
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(UnicodeIOTest, ClipUnderAWideNameProbesLikeThePlainOne) {
    const QString plain = TestMedia::Path(QStringLiteral("av.avi"));
    ASSERT_FALSE(plain.isEmpty());
    // Folders deep enough that the name passes 2047 bytes: none of it may be lost.
    QString folder = dir.path();
    for (int i = 0; i < 12; ++i) folder += u'/' + QString(60, QChar(0x89C6));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString names[] = {dir.filePath(QStringLiteral("视频 片段 ä.avi")), folder + QStringLiteral("/片段 ä.avi")};
    const std::int64_t expected = ProbeDuration(QFile::encodeName(plain));
    ASSERT_GT(expected, 0);
    for (const QString& wide : names) {
        SCOPED_TRACE(wide.size());
        ASSERT_TRUE(QFile::copy(plain, wide));
        EXPECT_EQ(ProbeDuration(ToUnicodeName(wide)), expected);
    }
    EXPECT_GT(ToUnicodeName(names[1]).size(), 2047);
}

TEST_F(UnicodeIOTest, MissingFileSaysSo) {
    const QString missing = dir.filePath(QStringLiteral("缺失 ä.avi"));
    AVFormatContext* ic = nullptr;
    const int ret = OpenInputFile(&ic, ToUnicodeName(missing), nullptr, nullptr);
    EXPECT_EQ(ic, nullptr);
    EXPECT_EQ(ErrorText(FromLibraryFileName(ToUnicodeName(missing)), ret), missing + ": No such file or directory");
}

TEST_F(UnicodeIOTest, WrittenFileReadsBack) {
    // Remux a WAV through the engine's I/O: the muxer seeks back to fill in the sizes.
    const QByteArray input = QFile::encodeName(TestMedia::Path(QStringLiteral("a44.wav")));
    const QString output = dir.filePath(QStringLiteral("出力 ä.wav"));
    AVFormatContext* ic = nullptr;
    ASSERT_EQ(OpenInputFile(&ic, input, nullptr, nullptr), 0);
    ASSERT_GE(ff::avformat_find_stream_info(ic, nullptr), 0);
    AVFormatContext* oc = nullptr;
    ASSERT_GE(ff::avformat_alloc_output_context2(&oc, nullptr, "wav", nullptr), 0);
    AVStream* st = ff::avformat_new_stream(oc, nullptr);
    ff::avcodec_parameters_copy(st->codecpar, ic->streams[0]->codecpar);
    st->codecpar->codec_tag = 0;
    st->time_base = ic->streams[0]->time_base;
    ASSERT_EQ(OpenOutputIO(oc, ToUnicodeName(output)), 0);
    EXPECT_TRUE(IsUnicodeIO(oc->pb));
    ASSERT_GE(ff::avformat_write_header(oc, nullptr), 0);
    AVPacket* pkt = ff::av_packet_alloc();
    while (ff::av_read_frame(ic, pkt) >= 0) {
        ff::av_packet_rescale_ts(pkt, ic->streams[0]->time_base, st->time_base);
        pkt->stream_index = 0;
        ASSERT_GE(ff::av_interleaved_write_frame(oc, pkt), 0);
    }
    ff::av_packet_free(&pkt);
    EXPECT_GE(ff::av_write_trailer(oc), 0);
    CloseOutputIO(oc);
    ff::avformat_free_context(oc);
    const std::int64_t inputDuration = ic->duration;
    CloseInputFile(&ic);

    QFile f(output);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_GT(bytes.size(), 44);
    const auto riffSize = qFromLittleEndian<quint32>(bytes.constData() + 4);
    EXPECT_EQ(riffSize, static_cast<quint32>(bytes.size() - 8));
    EXPECT_EQ(ProbeDuration(QFile::encodeName(output)), inputDuration);
}

TEST_F(UnicodeIOTest, SizeQueryLeavesThePositionAndEndIsEndOfFile) {
    const QString name = dir.filePath(QStringLiteral("数据 ä.bin"));
    QByteArray content(100000, Qt::Uninitialized);
    for (int i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7);
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    AVIOContext* pb = nullptr;
    ASSERT_EQ(OpenUnicodeIO(&pb, ToUnicodeName(name), AVIO_FLAG_READ), 0);
    QByteArray got(content.size(), Qt::Uninitialized);
    auto* out = reinterpret_cast<unsigned char*>(got.data());
    ASSERT_EQ(ff::avio_read(pb, out, 40000), 40000);
    EXPECT_EQ(ff::avio_size(pb), content.size());
    ASSERT_EQ(ff::avio_read(pb, out + 40000, 60000), 60000);
    EXPECT_EQ(got, content);
    unsigned char extra[16];
    EXPECT_EQ(ff::avio_read(pb, extra, sizeof extra), AVERROR_EOF);
    EXPECT_TRUE(ff::avio_feof(pb));
    CloseUnicodeIO(&pb);
    EXPECT_EQ(pb, nullptr);

    // Writing empties an existing file; reading a missing one fails.
    ASSERT_EQ(OpenUnicodeIO(&pb, ToUnicodeName(name), AVIO_FLAG_WRITE), 0);
    CloseUnicodeIO(&pb);
    EXPECT_EQ(QFileInfo(name).size(), 0);
    EXPECT_EQ(OpenUnicodeIO(&pb, ToUnicodeName(name + "x"), AVIO_FLAG_READ), AVERROR(ENOENT));
    EXPECT_FALSE(QFileInfo::exists(name + "x"));
}
