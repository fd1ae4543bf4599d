#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/ScalerImage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class FFUtilsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFLoader().Load(ConverterLibraries)) << FFLoader().LastErrMsg().toStdString();
    }
};

}  // namespace

TEST(FFUtilsTexts, DurationsIntervalsAndMediaTypes) {
    const struct { std::int64_t us; const char* text; } durations[] = {
        {3723004000LL, "01:02:03.004"}, {AV_NOPTS_VALUE, "N/A"}, {0, "00:00:00.000"},
        {999, "00:00:00.000"}, {360000000000LL, "100:00:00.000"},
    };
    for (const auto& d : durations) EXPECT_EQ(DurationToText(d.us).toStdString(), d.text) << d.us;

    const struct { AVRational rate; std::int64_t us; } intervals[] = {
        {{30000, 1001}, 33366}, {{0, 0}, 40000}, {{25, 1}, 40000}, {{0, 1}, 40000}, {{24, 0}, 40000}, {{50, 1}, 20000},
        // Damaged rates: a step of 0 or less would never move a search.
        {{-25, 1}, 40000}, {{25, -1}, 40000}, {{3000000, 1}, 1},
    };
    for (const auto& i : intervals) EXPECT_EQ(FrameIntervalUs(i.rate), i.us) << i.rate.num << "/" << i.rate.den;

    const char* names[] = {"Video", "Audio", "Data", "Subtitle", "Attachment", "Unknown", "Unknown"};
    const int types[] = {0, 1, 2, 3, 4, 5, -1};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(MediaTypeName(types[i]).toStdString(), names[i]);
}

TEST_F(FFUtilsTest, ErrorTextOfTheLibrariesCodes) {
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("junk.avi"));
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, '\x5a'));
    }
    AVFormatContext* ic = nullptr;
    const int missing = ff::avformat_open_input(&ic, dir.filePath(QStringLiteral("none.avi")).toUtf8().constData(),
                                                nullptr, nullptr);
    const int invalid = ff::avformat_open_input(&ic, junk.toUtf8().constData(), nullptr, nullptr);
    AVIOContext* io = nullptr;
    ASSERT_EQ(ff::avio_open2(&io, junk.toUtf8().constData(), AVIO_FLAG_READ, nullptr, nullptr), 0);
    unsigned char buf[8192];
    int eof = ff::avio_read(io, buf, sizeof buf);
    EXPECT_EQ(eof, 4096);
    eof = ff::avio_read(io, buf, sizeof buf);
    ff::avio_closep(&io);

    const struct { int code; const char* text; } cases[] = {
        {missing, "in.avi: No such file or directory"},
        {invalid, "in.avi: Invalid data found when processing input"},
        {eof, "in.avi: End of file"},
        {AVERROR(ENOMEM), "in.avi: Not enough memory"},
        {AVERROR(EIO), "in.avi: I/O error"},
        {AVERROR_PROTOCOL_NOT_FOUND, "in.avi: Unsupported network protocol"},
        {AVERROR_DEMUXER_NOT_FOUND, "in.avi: Unknown format"},
        {AVERROR_PATCHWELCOME, "in.avi: Not yet implemented in FFmpeg"},
        {AVERROR(EDOM), "in.avi: Number syntax expected in filename"},
        {7, "in.avi: Error number 7 occurred"},
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorText(QStringLiteral("in.avi"), c.code).toStdString(), c.text) << c.code;
}

TEST_F(FFUtilsTest, CodecDisplayNames) {
    EXPECT_EQ(CodecDisplayName(AV_CODEC_ID_MPEG4, 0, true), QStringLiteral("mpeg4(MPEG-4 part 2)"));
    EXPECT_EQ(CodecDisplayName(AV_CODEC_ID_MPEG2TS, 0, false), QStringLiteral("mpeg2ts"));
    EXPECT_EQ(CodecDisplayName(AV_CODEC_ID_NONE, MKTAG('X', 'V', 'I', 'D'), false), QStringLiteral("XVID / 0x44495658"));
    EXPECT_EQ(CodecDisplayName(AV_CODEC_ID_NONE, 1, false), QStringLiteral("0x0001"));

    AVDictionary* m = nullptr;
    ff::av_dict_set(&m, "title", "Título 标题", 0);
    EXPECT_EQ(MetadataValue(m, "title"), QStringLiteral("Título 标题"));
    EXPECT_EQ(MetadataValue(m, "Title", QStringLiteral("none")), QStringLiteral("none"));
    ff::av_dict_free(&m);
}

TEST_F(FFUtilsTest, GenericOptionsReachTheOpenedEncoder) {
    TFFOptions opts;
    CreateFFOptions(opts, SWS_BICUBIC);
    EXPECT_TRUE(SetGenericOption(opts, "g", "250"));
    EXPECT_TRUE(SetGenericOption(opts, "b", "300000"));
    EXPECT_TRUE(SetGenericOption(opts, "ab", "64000"));
    EXPECT_TRUE(SetGenericOption(opts, "packetsize", "2048"));
    EXPECT_TRUE(SetGenericOption(opts, "sws_flags", "bilinear"));
    EXPECT_FALSE(SetGenericOption(opts, "no_such_option", "1"));
    EXPECT_FALSE(SetGenericOption(opts, "g", " "));
    EXPECT_FALSE(SetGenericOption(opts, " ", "1"));

    // "b" is the video rate alone; the audio rate comes from "ab".
    EXPECT_EQ(ff::av_dict_get(opts.codec_opts[AVMEDIA_TYPE_AUDIO], "b", nullptr, 0), nullptr);
    EXPECT_NE(ff::av_dict_get(opts.format_opts, "packetsize", nullptr, 0), nullptr);
    EXPECT_NE(ff::av_dict_get(opts.sws_opts, "sws_flags", nullptr, 0), nullptr);

    const AVCodec* codec = ff::avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    AVCodecContext* enc = ff::avcodec_alloc_context3(codec);
    enc->width = 160;
    enc->height = 120;
    enc->pix_fmt = AV_PIX_FMT_YUV420P;
    enc->time_base = AVRational{1, 25};
    AVDictionary* open = CodecOptions(opts, AVMEDIA_TYPE_VIDEO);
    {
        std::lock_guard lock(CodecLock);
        ASSERT_EQ(ff::avcodec_open2(enc, codec, &open), 0);
    }
    EXPECT_EQ(ff::av_dict_count(open), 0);
    EXPECT_EQ(enc->gop_size, 250);
    EXPECT_EQ(enc->bit_rate, 300000);
    ff::av_dict_free(&open);
    ff::avcodec_free_context(&enc);

    AVCodecContext* aenc = ff::avcodec_alloc_context3(ff::avcodec_find_encoder(AV_CODEC_ID_MP2));
    AVDictionary* aopen = CodecOptions(opts, AVMEDIA_TYPE_AUDIO);
    ff::av_opt_set_dict2(aenc, &aopen, AV_OPT_SEARCH_CHILDREN);
    EXPECT_EQ(aenc->bit_rate, 64000);
    ff::av_dict_free(&aopen);
    ff::avcodec_free_context(&aenc);

    // "vb" is the video context's "b".
    TFFOptions second;
    CreateFFOptions(second, SWS_BICUBIC);
    EXPECT_TRUE(SetGenericOption(second, "vb", "500000"));
    EXPECT_STREQ(ff::av_dict_get(second.codec_opts[AVMEDIA_TYPE_VIDEO], "b", nullptr, 0)->value, "500000");
    EXPECT_EQ(second.opt_names, std::vector<std::string>{"b"});
    FreeFFOptions(second);
    FreeFFOptions(opts);
    EXPECT_EQ(opts.codec_opts[0], nullptr);
    EXPECT_TRUE(opts.opt_names.empty());
}

TEST_F(FFUtilsTest, BadValueIsRefusedWithTheLibraryLine) {
    TFFLogger* logger = GetLogger();
    QStringList lines;
    logger->OnLog = [&](QObject*, TThreadID, TLogLevel, const QString& m) { lines << m; };
    TFFOptions opts;
    CreateFFOptions(opts, SWS_BICUBIC);
    EXPECT_FALSE(SetGenericOption(opts, "g", "abc"));
    logger->OnLog = nullptr;
    EXPECT_TRUE(lines.contains(QStringLiteral("Invalid value \"abc\" for option \"g\""))) << lines.join(u'|').toStdString();
    EXPECT_EQ(opts.codec_opts[AVMEDIA_TYPE_VIDEO], nullptr);
    FreeFFOptions(opts);
}

// Preview and hook pictures: the scaler writes whole blocks, so even a tiny
// picture goes into an image with aligned, padded lines, and never into the
// image a handler kept from the picture before.
TEST_F(FFUtilsTest, PicturesGoIntoPaddedImagesAndNeverIntoAKeptOne) {
    struct Size {
        int w, h;
    };
    for (Size sz : {Size{1, 1}, Size{2, 2}, Size{3, 3}, Size{17, 9}, Size{32, 16}}) {
        SCOPED_TRACE(std::to_string(sz.w) + "x" + std::to_string(sz.h));
        auto picture = [&](std::uint8_t y, std::uint8_t u, std::uint8_t v) {
            AVFrame* f = ff::av_frame_alloc();
            f->width = sz.w;
            f->height = sz.h;
            f->format = AV_PIX_FMT_YUV420P;
            EXPECT_EQ(ff::av_frame_get_buffer(f, 0), 0);
            const std::uint8_t fill[3] = {y, u, v};
            for (int p = 0; p < 3; ++p) {
                const int rows = p ? (sz.h + 1) / 2 : sz.h;
                for (int r = 0; r < rows; ++r) std::memset(f->data[p] + r * f->linesize[p], fill[p], f->linesize[p]);
            }
            return f;
        };
        TRGBConvertContext ctx;
        AVFrame* red = picture(81, 90, 240);
        ASSERT_TRUE(PictureToBitmap(&ctx, red->data, red->linesize, AV_PIX_FMT_YUV420P, sz.h, sz.w));
        ASSERT_EQ(ctx.Bitmap.size(), QSize(sz.w, sz.h));
        EXPECT_TRUE(IsWritableScalerImage(ctx.Bitmap));
        EXPECT_EQ(ctx.Bitmap.bytesPerLine() % 64, 0);
        const QImage kept = ctx.Bitmap;  // a handler holds on to it
        AVFrame* blue = picture(41, 240, 110);
        ASSERT_TRUE(PictureToBitmap(&ctx, blue->data, blue->linesize, AV_PIX_FMT_YUV420P, sz.h, sz.w));
        EXPECT_NE(ctx.Bitmap.constBits(), kept.constBits());
        EXPECT_GE(qRed(kept.pixel(sz.w - 1, sz.h - 1)), 250) << "the kept picture is untouched";
        EXPECT_GE(qBlue(ctx.Bitmap.pixel(sz.w - 1, sz.h - 1)), 250);
        ff::av_frame_free(&red);
        ff::av_frame_free(&blue);
        ResetRGBConvertContext(&ctx);
    }
}

TEST_F(FFUtilsTest, PicturesBecome24BitImages) {
    // A picture in the image's own layout is copied without a scaler; an odd
    // width needs one, and gives the same pixels.
    for (int width : {320, 321}) {
        SCOPED_TRACE(width);
        const int height = 240;
        const int linesize = width * 3;
        std::vector<std::uint8_t> bgr(static_cast<std::size_t>(linesize) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = &bgr[static_cast<std::size_t>(y) * linesize + x * 3];
                p[0] = static_cast<std::uint8_t>(x);
                p[1] = static_cast<std::uint8_t>(y);
                p[2] = static_cast<std::uint8_t>(x ^ y);
            }
        const std::uint8_t* data[4] = {bgr.data()};
        const int lines[4] = {linesize};
        TRGBConvertContext ctx;
        ASSERT_TRUE(PictureToBitmap(&ctx, data, lines, AV_PIX_FMT_BGR24, height, width));
        EXPECT_EQ(ctx.toRGB_convert_ctx != nullptr, width == 321);
        ASSERT_EQ(ctx.Bitmap.size(), QSize(width, height));
        for (QPoint pt : {QPoint(0, 0), QPoint(17, 33), QPoint(width - 1, height - 1)}) {
            const QRgb c = ctx.Bitmap.pixel(pt);
            EXPECT_EQ(qBlue(c), pt.x() & 255);
            EXPECT_EQ(qGreen(c), pt.y() & 255);
            EXPECT_EQ(qRed(c), (pt.x() ^ pt.y()) & 255);
        }
        ResetRGBConvertContext(&ctx);
        EXPECT_TRUE(ctx.Bitmap.isNull());
    }

    // YUV 4:2:0, studio range: left half red, right half blue.
    AVFrame* f = ff::av_frame_alloc();
    f->width = 32;
    f->height = 16;
    f->format = AV_PIX_FMT_YUV420P;
    ASSERT_EQ(ff::av_frame_get_buffer(f, 0), 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) f->data[0][y * f->linesize[0] + x] = x < 16 ? 81 : 41;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            f->data[1][y * f->linesize[1] + x] = x < 8 ? 90 : 240;
            f->data[2][y * f->linesize[2] + x] = x < 8 ? 240 : 110;
        }
    TRGBConvertContext ctx;
    ASSERT_TRUE(PictureToBitmap(&ctx, f->data, f->linesize, AV_PIX_FMT_YUV420P, 16, 32));
    ff::av_frame_free(&f);
    const QRgb red = ctx.Bitmap.pixel(4, 8);
    const QRgb blue = ctx.Bitmap.pixel(28, 8);
    EXPECT_GE(qRed(red), 250);
    EXPECT_LE(qGreen(red), 5);
    EXPECT_LE(qBlue(red), 5);
    EXPECT_LE(qRed(blue), 5);
    EXPECT_LE(qGreen(blue), 5);
    EXPECT_GE(qBlue(blue), 250);
    ResetRGBConvertContext(&ctx);
}
