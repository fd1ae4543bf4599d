#include "engine/FFUtils.h"

#include "engine/FFLogger.h"
#include "engine/ScalerImage.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cerrno>
#include <cstring>

QString DurationToText(std::int64_t us) {
    if (us == AV_NOPTS_VALUE) return QStringLiteral("N/A");
    const long long s = us / 1000000;
    const long long ms = (us % 1000000) * 1000 / 1000000;
    return QString::asprintf("%.2lld:%.2lld:%.2lld.%.3lld", s / 60 / 60, (s / 60) % 60, s % 60, ms);
}

std::int64_t FrameIntervalUs(AVRational rate) {
    if (rate.num <= 0 || rate.den <= 0) return 40000;
    // Never 0: callers step by whole intervals and must get somewhere.
    return std::max<std::int64_t>(1, std::int64_t{1000000} * rate.den / rate.num);
}

namespace {

// The current libraries' codes for the failures the texts were written for,
// plus the older codes where they still mean the same on this system.
const struct { int code; const char* text; } kErrorTexts[] = {
    {AVERROR_PATCHWELCOME, "Not yet implemented in FFmpeg"},
    {AVERROR(EPROTONOSUPPORT), "Unsupported network protocol"},
    {AVERROR_PROTOCOL_NOT_FOUND, "Unsupported network protocol"},
    {AVERROR(EILSEQ), "Unknown format"},
    {AVERROR_DEMUXER_NOT_FOUND, "Unknown format"},
    {AVERROR_MUXER_NOT_FOUND, "Unknown format"},
    {AVERROR(EDOM), "Number syntax expected in filename"},
    {AVERROR_EOF, "End of file"},
    {AVERROR(EPIPE), "End of file"},
    {AVERROR_INVALIDDATA, "Invalid data found when processing input"},
    {AVERROR(EINVAL), "Invalid data found when processing input"},
    {AVERROR(ENOMEM), "Not enough memory"},
    {AVERROR(EIO), "I/O error"},
    {AVERROR(ENOENT), "No such file or directory"},
};

}  // namespace

QString ErrorText(const QString& prefix, int code) {
    for (const auto& e : kErrorTexts)
        if (e.code == code) return prefix + QStringLiteral(": ") + QLatin1String(e.text);
    // Any other system code says what happened in the system's own (English)
    // words, as the probe does for a folder: "Is a directory".
    if (code < 0 && code > -4096)
        if (const char* text = strerrordesc_np(-code)) return prefix + QStringLiteral(": ") + QLatin1String(text);
    return prefix + QStringLiteral(": ") + QStringLiteral("Error number %1 occurred").arg(code);
}

int StreamDisplayRotation(const AVStream* st) {
    if (!st) return 0;
    const auto* m = reinterpret_cast<const std::int32_t*>(
        ff::av_stream_get_side_data(st, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (!m) return 0;
    // 16.16 fixed point; the angle of the matrix's first column, which is the
    // clockwise turn the pictures need (the negated counter-clockwise rotation).
    const double a = m[0] / 65536.0, b = m[1] / 65536.0, c = m[3] / 65536.0, d = m[4] / 65536.0;
    const double sx = std::hypot(a, c), sy = std::hypot(b, d);
    if (sx == 0 || sy == 0) return 0;
    const double clockwise = std::atan2(b / sy, a / sx) * 180 / M_PI;
    const long quarter = std::lround(clockwise / 90.0);
    return static_cast<int>(((quarter % 4) + 4) % 4) * 90;
}

QString MediaTypeName(int type) {
    static const char* const names[] = {"Video", "Audio", "Data", "Subtitle", "Attachment"};
    if (type < 0 || type > 4) return QStringLiteral("Unknown");
    return QLatin1String(names[type]);
}

QString CodecDisplayName(AVCodecID id, std::uint32_t codecTag, bool encoder) {
    const AVCodec* codec = encoder ? ff::avcodec_find_encoder(id) : ff::avcodec_find_decoder(id);
    if (codec) {
        const QString name = QString::fromUtf8(codec->name);
        const QString longName = QString::fromUtf8(codec->long_name ? codec->long_name : "").trimmed();
        return longName.isEmpty() ? name : QStringLiteral("%1(%2)").arg(name, longName);
    }
    if (id == AV_CODEC_ID_MPEG2TS) return QStringLiteral("mpeg2ts");
    if (id != AV_CODEC_ID_NONE) {
        const char* known = ff::avcodec_get_name(id);
        if (known && std::strcmp(known, "unknown_codec") != 0) return QString::fromUtf8(known);
    }
    const unsigned char b[4] = {static_cast<unsigned char>(codecTag), static_cast<unsigned char>(codecTag >> 8),
                                static_cast<unsigned char>(codecTag >> 16), static_cast<unsigned char>(codecTag >> 24)};
    bool printable = true;
    for (unsigned char c : b) printable = printable && c >= 32 && c <= 126;
    if (printable) return QString::asprintf("%c%c%c%c / 0x%04X", b[0], b[1], b[2], b[3], codecTag);
    return QString::asprintf("0x%04x", codecTag);
}

QString CodecDisplayName(const AVCodecContext* ctx, bool encoder) {
    return CodecDisplayName(ctx->codec_id, ctx->codec_tag, encoder);
}

QString MetadataValue(const AVDictionary* metadata, const char* key, const QString& def) {
    const AVDictionaryEntry* e = ff::av_dict_get(metadata, key, nullptr, AV_DICT_MATCH_CASE);
    return e ? QString::fromUtf8(e->value) : def;
}

// --- generic options ---------------------------------------------------------

void ClearFFOptions(TFFOptions& options) { options = TFFOptions{}; }

void CreateFFOptions(TFFOptions& options, int swsFlags) {
    ClearFFOptions(options);
    options.sws_flags = swsFlags;
}

void FreeFFOptions(TFFOptions& options) {
    for (AVDictionary*& d : options.codec_opts) ff::av_dict_free(&d);
    ff::av_dict_free(&options.format_opts);
    ff::av_dict_free(&options.sws_opts);
    ClearFFOptions(options);
}

namespace {

constexpr int kTypeFlags[5] = {AV_OPT_FLAG_VIDEO_PARAM, AV_OPT_FLAG_AUDIO_PARAM, 0, AV_OPT_FLAG_SUBTITLE_PARAM, 0};
constexpr int kSearch = AV_OPT_SEARCH_CHILDREN | AV_OPT_SEARCH_FAKE_OBJ;

// Sets the value on a fresh object of the kind. An option only a particular
// codec or format has cannot be checked here; its check comes at open.
// debugOn: the object's debug option is non-zero afterwards.
int CheckValue(void* obj, const char* name, const char* value, const char* debugName, bool& debugOn) {
    int ret = ff::av_opt_set(obj, name, value, 0);
    if (ret == AVERROR_OPTION_NOT_FOUND) ret = 0;
    std::int64_t debug = 0;
    if (ret >= 0 && ff::av_opt_get_int(obj, debugName, 0, &debug) >= 0 && debug != 0) debugOn = true;
    return ret;
}

int CheckCodecValue(const char* name, const char* value, bool& debugOn) {
    AVCodecContext* c = ff::avcodec_alloc_context3(nullptr);
    if (!c) return AVERROR(ENOMEM);
    const int ret = CheckValue(c, name, value, "debug", debugOn);
    ff::avcodec_free_context(&c);
    return ret;
}

}  // namespace

bool SetGenericOption(TFFOptions& options, const std::string& rawName, const std::string& value) {
    const QString trimmedName = QString::fromStdString(rawName).trimmed();
    if (trimmedName.isEmpty() || QString::fromStdString(value).trimmed().isEmpty()) return false;
    const std::string name = trimmedName.toStdString();
    const char* n = name.c_str();
    const char* v = value.c_str();

    const AVOption* found = nullptr;
    int ret = 0;
    bool debugOn = false;

    const AVClass* codecClass = ff::avcodec_get_class();
    for (int t = 0; t < 5 && ret >= 0; ++t) {
        // The libraries also give "b" to audio; here it is the video bit rate only.
        if (name == "b" && t != AVMEDIA_TYPE_VIDEO) continue;
        const AVOption* o = ff::av_opt_find(&codecClass, n, nullptr, kTypeFlags[t], kSearch);
        if (!o) continue;
        // The check does not depend on the media type: once is enough.
        if (!found) ret = CheckCodecValue(n, v, debugOn);
        found = o;
        if (ret >= 0) ff::av_dict_set(&options.codec_opts[t], n, v, 0);
    }
    if (!found) {
        const AVClass* formatClass = ff::avformat_get_class();
        if ((found = ff::av_opt_find(&formatClass, n, nullptr, 0, kSearch))) {
            AVFormatContext* f = ff::avformat_alloc_context();
            ret = f ? CheckValue(f, n, v, "fdebug", debugOn) : AVERROR(ENOMEM);
            ff::avformat_free_context(f);
            if (ret >= 0) ff::av_dict_set(&options.format_opts, n, v, 0);
        }
    }
    if (!found) {
        const AVClass* swsClass = ff::sws_get_class();
        if ((found = ff::av_opt_find(&swsClass, n, nullptr, 0, kSearch))) {
            SwsContext* s = ff::sws_alloc_context();
            bool unused = false;
            ret = s ? CheckValue(s, n, v, "", unused) : AVERROR(ENOMEM);
            ff::sws_freeContext(s);
            if (ret >= 0) ff::av_dict_set(&options.sws_opts, n, v, 0);
        }
    }
    if (!found && name.size() > 1 && (name[0] == 'a' || name[0] == 'v' || name[0] == 's')) {
        // "vb" is the video context's "b", "ab" the audio one's.
        const int type = name[0] == 'a' ? AVMEDIA_TYPE_AUDIO : name[0] == 'v' ? AVMEDIA_TYPE_VIDEO : AVMEDIA_TYPE_SUBTITLE;
        const std::string rest = name.substr(1);
        if ((found = ff::av_opt_find(&codecClass, rest.c_str(), nullptr, 0, kSearch))) {
            ret = CheckCodecValue(rest.c_str(), v, debugOn);
            if (ret >= 0) ff::av_dict_set(&options.codec_opts[type], rest.c_str(), v, 0);
        }
    }
    if (found && ret < 0) {
        ff::av_log(nullptr, AV_LOG_ERROR, "Invalid value \"%s\" for option \"%s\"\n", v, n);
        return false;
    }
    if (!found) return false;
    options.opt_names.emplace_back(found->name);
    if (debugOn) GetLogger()->SetLogLevel(llDebug);
    return true;
}

AVDictionary* CodecOptions(const TFFOptions& options, AVMediaType type) {
    AVDictionary* copy = nullptr;
    if (type >= 0 && type < 5) ff::av_dict_copy(&copy, options.codec_opts[type], 0);
    return copy;
}

AVDictionary* FormatOptions(const TFFOptions& options) {
    AVDictionary* copy = nullptr;
    ff::av_dict_copy(&copy, options.format_opts, 0);
    return copy;
}

void ApplyScalerOptions(const TFFOptions& options, SwsContext* sws) {
    AVDictionary* copy = nullptr;
    ff::av_dict_copy(&copy, options.sws_opts, 0);
    ff::av_opt_set_dict(sws, &copy);
    ff::av_dict_free(&copy);
}

// --- pictures ----------------------------------------------------------------

void ResetRGBConvertContext(PRGBConvertContext ctx) {
    // A context that never made a scaler needs no library: probes reset
    // theirs before anything is loaded.
    if (ctx->toRGB_convert_ctx) ff::sws_freeContext(ctx->toRGB_convert_ctx);
    if (ctx->fromRGB_convert_ctx) ff::sws_freeContext(ctx->fromRGB_convert_ctx);
    *ctx = TRGBConvertContext{};
}

QImage CreateFrameBitmap(int width, int height) {
    QImage image(width, height, QImage::Format_BGR888);
    image.fill(Qt::black);
    return image;
}

bool PictureToBitmap(PRGBConvertContext ctx, const std::uint8_t* const data[4], const int linesize[4],
                     AVPixelFormat format, int height, int width) {
    // The scaler writes whole blocks past the end of a tight line, so the
    // picture goes into an aligned, padded image; a new one while a handler
    // still holds the last.
    if (format == ctx->RGBPixFmt && width % 2 == 0 && height % 2 == 0) {
        if (ctx->Bitmap.width() != width || ctx->Bitmap.height() != height ||
            ctx->Bitmap.format() != QImage::Format_BGR888 || !IsWritableScalerImage(ctx->Bitmap))
            ctx->Bitmap = NewScalerImage(width, height, QImage::Format_BGR888);
        const int bpl = static_cast<int>(ctx->Bitmap.bytesPerLine());
        // A picture that already has the image's byte layout is copied as it is.
        if (!ctx->Bitmap.isNull() && linesize[0] == bpl) {
            std::memcpy(const_cast<uchar*>(ctx->Bitmap.constBits()), data[0], static_cast<std::size_t>(bpl) * height);
            return true;
        }
    }
    return PictureToScalerImage(ctx->toRGB_convert_ctx, data, linesize, format, width, height, ctx->Bitmap);
}

namespace {

// A key packet is rarely more than a few seconds of packets away; a file
// without any is not searched to its end.
constexpr int kKeySearchPackets = 4096;
constexpr int kSettleTries = 8;

enum class KeySearch { Found, None, Stopped };

KeySearch ReadToKeyPacket(AVFormatContext* ic, int keyIndex, AVPacket* pkt, const std::function<bool()>& stop) {
    for (int i = 0; i < kKeySearchPackets; ++i) {
        if (stop && stop()) return KeySearch::Stopped;
        if (ff::av_read_frame(ic, pkt) < 0) return KeySearch::None;
        if (pkt->stream_index == keyIndex && (pkt->flags & AV_PKT_FLAG_KEY)) return KeySearch::Found;
        ff::av_packet_unref(pkt);
    }
    return KeySearch::None;
}

}  // namespace

bool SettleOnKeyPacket(AVFormatContext* ic, int seekIndex, int keyIndex, std::int64_t target, int flags,
                       AVPacket* pkt, bool* landed, const std::function<bool()>& stop) {
    const AVRational seekBase = seekIndex >= 0 ? ic->streams[seekIndex]->time_base : AVRational{1, AV_TIME_BASE};
    const AVRational keyBase = ic->streams[keyIndex]->time_base;
    // The earliest time the seek base knows; a step below it reaches the start.
    std::int64_t first = seekIndex >= 0 ? ic->streams[seekIndex]->start_time : ic->start_time;
    if (first == AV_NOPTS_VALUE) first = 0;
    const std::int64_t halfSecond = ff::av_rescale_q(500000, AVRational{1, 1000000}, seekBase);
    std::int64_t margin = halfSecond;
    if (landed) *landed = true;
    bool atStart = false;
    for (int tries = 0;; ++tries) {
        const KeySearch found = ReadToKeyPacket(ic, keyIndex, pkt, stop);
        if (found == KeySearch::Stopped) {
            ff::av_packet_unref(pkt);
            return false;
        }
        if (found == KeySearch::Found) {
            const std::int64_t t = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
            if (t == AV_NOPTS_VALUE || ff::av_rescale_q(t, keyBase, seekBase) <= target) return true;
            if (atStart || tries >= kSettleTries) return true;
        } else if (atStart || tries >= kSettleTries) {
            break;
        }
        ff::av_packet_unref(pkt);
        std::int64_t back = target - margin;
        // The first packets decode before the start time (B pictures): a step
        // to the start goes a little before it.
        atStart = back < first;
        if (atStart) back = first - halfSecond;
        if (ff::av_seek_frame(ic, seekIndex, back, flags | AVSEEK_FLAG_BACKWARD) < 0) break;
        margin *= 2;
    }
    // No key packet near: read on from the target as the demuxer puts it.
    ff::av_packet_unref(pkt);
    const bool ok = ff::av_seek_frame(ic, seekIndex, target, flags) >= 0;
    if (landed) *landed = ok;
    return false;
}

int ReadFileToBuffer(const QString& fileName, QByteArray& buffer) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    buffer = file.readAll();
    return 0;
}
