#include "engine/AVProbe.h"

#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "engine/FFFileNames.h"

#include <QDateTime>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <numeric>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/mathematics.h>
}

namespace {

const QString kCRLF = QStringLiteral("\r\n");

// ID3v2 frame names and how the information text shows them.
struct KeyName {
    const char* key;
    const char* shown;
};
constexpr KeyName kKeyNames[] = {
    {"TALB", "album"},     {"TAL", "album"},      {"TCOM", "composer"}, {"TCON", "genre"},
    {"TCO", "genre"},      {"TCOP", "copyright"}, {"TDRL", "date"},     {"TENC", "encoder"},
    {"TEN", "encoder"},    {"TSOA", "albumsort"}, {"TSOP", "authorsort"}, {"TIT2", "title"},
    {"TT2", "title"},      {"TLAN", "language"},  {"TPE1", "artist"},   {"TP1", "artist"},
    {"TPOS", "disc"},      {"TPUB", "publisher"}, {"TRCK", "track"},    {"TRK", "track"},
    {"TSOT", "titlesort"}, {"TYER", "year"},
};

QString ShownKey(const char* key) {
    for (const KeyName& k : kKeyNames)
        if (std::strcmp(k.key, key) == 0) return QLatin1String(k.shown);
    return QString::fromUtf8(key);
}

QString MetadataBlock(AVDictionary* metadata, const QString& indent) {
    if (!metadata) return {};
    const int count = ff::av_dict_count(metadata);
    if (count == 0) return {};
    if (count == 1 && ff::av_dict_get(metadata, "language", nullptr, 0)) return {};
    QString text = indent + QStringLiteral("Metadata:") + kCRLF;
    const AVDictionaryEntry* e = nullptr;
    while ((e = ff::av_dict_get(metadata, "", e, AV_DICT_IGNORE_SUFFIX))) {
        if (std::strcmp(e->key, "language") == 0) continue;
        text += QStringLiteral("%1  %2: %3").arg(indent, ShownKey(e->key).leftJustified(16), QString::fromUtf8(e->value))
                + kCRLF;
    }
    return text;
}

// "s.uuuuuu" with the sign in front, so -21333 us reads "-0.021333".
QString SecondsText(std::int64_t us) {
    const std::uint64_t a = us < 0 ? 0 - static_cast<std::uint64_t>(us) : static_cast<std::uint64_t>(us);
    return QString::asprintf("%s%llu.%06llu", us < 0 ? "-" : "", static_cast<unsigned long long>(a / 1000000),
                             static_cast<unsigned long long>(a % 1000000));
}

QString FormatRate(double value, const char* unit) {
    const double v = std::nearbyint(value * 100);
    if (std::fmod(v, 100) != 0) return QString::asprintf(", %3.2f %s", value, unit);
    if (std::fmod(v, 100000) != 0) return QString::asprintf(", %1.0f %s", value, unit);
    return QString::asprintf(", %1.0fk %s", value / 1000, unit);
}

// A time base that can rescale: 0 denominators fixed up on a copy, never on
// the stream, which a converter thread may be reading.
AVRational UsableTimeBase(AVRational tb) {
    if (tb.den == 0) tb.den = tb.num != 0 ? tb.num : 1;
    if (tb.num == 0) tb.num = 1;
    return tb;
}

std::int64_t ToMicroseconds(std::int64_t t, AVRational tb) {
    if (t == AV_NOPTS_VALUE) return -1;
    return ff::av_rescale_q(t, UsableTimeBase(tb), AVRational{1, 1000000});
}

// A decoder-side codec context for the library's codec description; the
// streams of the current libraries carry parameters only.
struct TextContext {
    AVCodecContext* ctx = nullptr;
    explicit TextContext(const AVCodecParameters* par) {
        ctx = ff::avcodec_alloc_context3(nullptr);
        if (ctx && ff::avcodec_parameters_to_context(ctx, par) < 0) ff::avcodec_free_context(&ctx);
    }
    ~TextContext() { if (ctx) ff::avcodec_free_context(&ctx); }
    TextContext(const TextContext&) = delete;
    TextContext& operator=(const TextContext&) = delete;
};

QString StreamCodecName(const AVStream* st) {
    return CodecDisplayName(st->codecpar->codec_id, st->codecpar->codec_tag, false);
}

// "creation_time" is ISO 8601 in UTC.
std::int64_t CreationTime(AVDictionary* m) {
    const QString text = MetadataValue(m, "creation_time", QString());
    if (text.isEmpty()) return 0;
    QDateTime dt = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!dt.isValid()) dt = QDateTime::fromString(text, Qt::ISODate);
    if (!dt.isValid()) return 0;
    if (dt.timeSpec() == Qt::LocalTime) dt.setTimeSpec(Qt::UTC);
    return dt.toSecsSinceEpoch();
}

// Leading number of "2009", "2009-05-01" or "3/12"; 0 when there is none.
int LeadingNumber(const QString& text) {
    qsizetype n = 0;
    while (n < text.size() && text[n].isDigit()) ++n;
    return n > 0 ? text.left(n).toInt() : 0;
}

}  // namespace

// ---------------------------------------------------------------------------

TCustomAVProbe::TCustomAVProbe(QObject* AOwner) : TFFBaseComponent(AOwner) {
    TCustomAVProbe::UpdateFileInfo();
}

TCustomAVProbe::~TCustomAVProbe() {
    TCustomAVProbe::CloseFile();
}

bool TCustomAVProbe::LoadAVLib(const TPathFileName& APath) {
    return LoadComponentLibraries(ProbeLibraries, APath, FLastErrMsg);
}

bool TCustomAVProbe::AVLibLoaded() const {
    return FFLoader().Loaded(ProbeLibraries);
}

void TCustomAVProbe::UnloadAVLib() {
    FFLoader().Unload(ProbeLibraries);
}

void TCustomAVProbe::CheckLibraries() {
    if (!FFLoader().Loaded(avCodec)) throw EEngineError(QStringLiteral("LibAVCodec not loaded."));
    if (!FFLoader().Loaded(avFormat)) throw EEngineError(QStringLiteral("LibAVFormat not loaded."));
    if (!FFLoader().Loaded(avUtil)) throw EEngineError(QStringLiteral("LibAVUtil not loaded."));
    if (!FFLoader().Loaded(swScale)) throw EEngineError(QStringLiteral("LibSwScale not loaded."));
}

void TCustomAVProbe::LogError(int ALevel, const QString& AMsg) {
    GetLogger()->Log(this, AVLevelToLogLevel(ALevel), AMsg);
    FLastErrMsg = AMsg;
}

bool TCustomAVProbe::CheckFileLoaded() {
    if (FFileHandle) return true;
    LogError(24, QStringLiteral("file not loaded."));
    return false;
}

bool TCustomAVProbe::LoadFile(const QString& AFileName, const QString& AFormatName) {
    CheckLibraries();
    CloseFile();

    const AVInputFormat* fmt = nullptr;
    if (!AFormatName.isEmpty()) {
        fmt = ff::av_find_input_format(AFormatName.toUtf8().constData());
        if (!fmt) {
            FLastErrMsg = QStringLiteral("Unknown input format: %1").arg(AFormatName);
            return false;
        }
    }

    // Refused before the open, which would wait for a pipe's writer forever.
    if (const QString refusal = InputFileRefusal(AFileName); !refusal.isEmpty()) {
        LogError(16, refusal);
        return false;
    }
    AVFormatContext* ctx = nullptr;
    int r = OpenInputFile(&ctx, ToLibraryFileName(AFileName), fmt, nullptr);
    if (r < 0) {
        LogError(16, ErrorText(AFileName, r));
        return false;
    }
    ctx->flags |= AVFMT_FLAG_NONBLOCK;
    FFileHandle = ctx;
    FOwnHandle = true;

    {
        // Stream parameters may open decoders inside the library.
        std::lock_guard<std::recursive_mutex> lock(CodecLock);
        r = ff::avformat_find_stream_info(ctx, nullptr);
    }
    if (r < 0) {
        CloseFile();
        FLastErrMsg = QStringLiteral("%1: could not find codec parameters").arg(AFileName);
        return false;
    }
    UpdateFileInfo();
    FForceFormat = AFormatName;
    return true;
}

bool TCustomAVProbe::ReopenFile() {
    if (!FFileHandle || !FOwnHandle) return false;
    AVFormatContext* fresh = nullptr;
    if (OpenInputFile(&fresh, QByteArray(FFileHandle->url), FFileHandle->iformat, nullptr) < 0) return false;
    fresh->flags |= AVFMT_FLAG_NONBLOCK;
    int r;
    {
        std::lock_guard<std::recursive_mutex> lock(CodecLock);
        r = ff::avformat_find_stream_info(fresh, nullptr);
    }
    // Stream numbers are kept by the caller (the decoder's stream): the file
    // must still have the same ones.
    bool same = r >= 0 && fresh->nb_streams == FFileHandle->nb_streams;
    for (unsigned i = 0; same && i < fresh->nb_streams; ++i)
        same = fresh->streams[i]->codecpar->codec_type == FFileHandle->streams[i]->codecpar->codec_type &&
               fresh->streams[i]->codecpar->codec_id == FFileHandle->streams[i]->codecpar->codec_id;
    if (!same) {
        CloseInputFile(&fresh);
        return false;
    }
    CloseInputFile(&FFileHandle);
    FFileHandle = fresh;
    UpdateFileInfo();
    return true;
}

void TCustomAVProbe::CloseFile() {
    FForceFormat.clear();
    if (FFileHandle) {
        if (FOwnHandle) CloseInputFile(&FFileHandle);
        FFileHandle = nullptr;
    }
    FOwnHandle = false;
    UpdateFileInfo();
}

void TCustomAVProbe::SetFileHandle(AVFormatContext* Value) {
    CheckLibraries();
    CloseFile();
    FFileHandle = Value;
    FOwnHandle = false;
    UpdateFileInfo();
}

void TCustomAVProbe::UpdateFileInfo() {
    FFileSize = -1;
    FStreamCount = FProgramCount = -1;
    FAudioStreamCount = FVideoStreamCount = FSubtitleStreamCount = -1;
    FFirstAudioStreamIndex = FFirstVideoStreamIndex = FFirstSubtitleStreamIndex = -1;
    if (!FFileHandle) return;

    const std::int64_t ioSize = FFileHandle->pb ? ff::avio_size(FFileHandle->pb) : -1;
    if (ioSize > 0) FFileSize = ioSize;
    else FFileSize = FileSizeByName(FileName());

    FStreamCount = static_cast<int>(FFileHandle->nb_streams);
    FProgramCount = static_cast<int>(FFileHandle->nb_programs);
    FAudioStreamCount = FVideoStreamCount = FSubtitleStreamCount = 0;
    for (int i = 0; i < FStreamCount; ++i) {
        switch (FFileHandle->streams[i]->codecpar->codec_type) {
        case AVMEDIA_TYPE_VIDEO:
            // A cover picture belongs to the sound: it is not the file's video.
            if (FFileHandle->streams[i]->disposition & AV_DISPOSITION_ATTACHED_PIC) break;
            ++FVideoStreamCount;
            if (FFirstVideoStreamIndex < 0) FFirstVideoStreamIndex = i;
            break;
        case AVMEDIA_TYPE_AUDIO:
            ++FAudioStreamCount;
            if (FFirstAudioStreamIndex < 0) FFirstAudioStreamIndex = i;
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            ++FSubtitleStreamCount;
            if (FFirstSubtitleStreamIndex < 0) FFirstSubtitleStreamIndex = i;
            break;
        default: break;
        }
    }
}

QString TCustomAVProbe::FileName() const {
    if (!FFileHandle || !FFileHandle->url) return {};
    return FromLibraryFileName(QByteArray(FFileHandle->url));
}

QString TCustomAVProbe::FormatName() const {
    return FFileHandle && FFileHandle->iformat ? QString::fromUtf8(FFileHandle->iformat->name) : QString();
}

QString TCustomAVProbe::FormatLongName() const {
    return FFileHandle && FFileHandle->iformat && FFileHandle->iformat->long_name
               ? QString::fromUtf8(FFileHandle->iformat->long_name)
               : QString();
}

TFileStreamInfo TCustomAVProbe::FileStreamInfo() {
    TFileStreamInfo info;
    if (!CheckFileLoaded()) return info;
    const AVFormatContext* c = FFileHandle;
    info.StartTime = c->start_time == AV_NOPTS_VALUE ? -1 : c->start_time;
    info.Duration = c->duration == AV_NOPTS_VALUE ? -1 : c->duration;
    info.BitRate = static_cast<int>(std::min<std::int64_t>(c->bit_rate, INT32_MAX));
    info.TimeStamp = CreationTime(c->metadata);
    const QString date = MetadataValue(c->metadata, "date", MetadataValue(c->metadata, "year", QString()));
    info.Year = LeadingNumber(date);
    info.Track = LeadingNumber(MetadataValue(c->metadata, "track", QString()));
    info.Title = MetadataValue(c->metadata, "title", QString());
    // The current libraries name the author "artist"; a few formats keep "author".
    info.Author = MetadataValue(c->metadata, "author", MetadataValue(c->metadata, "artist", QString()));
    info.Copyright = MetadataValue(c->metadata, "copyright", QString());
    info.Comment = MetadataValue(c->metadata, "comment", QString());
    info.Album = MetadataValue(c->metadata, "album", QString());
    info.Genre = MetadataValue(c->metadata, "genre", QString());
    return info;
}

int TCustomAVProbe::StreamOfKind(int AStreamIndex, AVMediaType AType) {
    const char* kind = AType == AVMEDIA_TYPE_AUDIO ? "audio" : AType == AVMEDIA_TYPE_VIDEO ? "video" : "subtitle";
    if (!CheckFileLoaded()) return -1;
    if (AStreamIndex < 0) {
        AStreamIndex = AType == AVMEDIA_TYPE_AUDIO   ? FFirstAudioStreamIndex
                       : AType == AVMEDIA_TYPE_VIDEO ? FFirstVideoStreamIndex
                                                     : FFirstSubtitleStreamIndex;
        if (AStreamIndex < 0) LogError(16, QStringLiteral("no %1 stream.").arg(QLatin1String(kind)));
        return AStreamIndex;
    }
    if (AStreamIndex >= FStreamCount) {
        LogError(16, QStringLiteral("stream index #%1 is invalid.").arg(AStreamIndex));
        return -1;
    }
    if (FFileHandle->streams[AStreamIndex]->codecpar->codec_type != AType) {
        LogError(16, QStringLiteral("stream #%1 is not %2 stream.").arg(AStreamIndex).arg(QLatin1String(kind)));
        return -1;
    }
    return AStreamIndex;
}

namespace {
template <class Info> void FillStreamNames(Info& info, const AVStream* st) {
    info.Language = MetadataValue(st->metadata, "language", QString());
    info.CodecName = StreamCodecName(st);
}

// The fields audio and video streams share.
template <class Info> void FillTimedStreamInfo(Info& info, const AVStream* st) {
    FillStreamNames(info, st);
    info.StartTime = st->start_time == AV_NOPTS_VALUE ? -1 : st->start_time;
    info.StartTimeScaled = ToMicroseconds(st->start_time, st->time_base);
    info.Duration = st->duration == AV_NOPTS_VALUE ? -1 : st->duration;
    info.DurationScaled = ToMicroseconds(st->duration, st->time_base);
    info.BitRate = static_cast<int>(std::min<std::int64_t>(st->codecpar->bit_rate, INT32_MAX));
}
}  // namespace

TAudioStreamInfo TCustomAVProbe::GetStreamAudioInfo(int AStreamIndex) {
    TAudioStreamInfo info;
    const int i = StreamOfKind(AStreamIndex, AVMEDIA_TYPE_AUDIO);
    if (i < 0) return info;
    const AVStream* st = FFileHandle->streams[i];
    FillTimedStreamInfo(info, st);
    const AVCodecParameters* par = st->codecpar;
    info.Channels = par->ch_layout.nb_channels;
    info.SampleRate = par->sample_rate;
    info.SampleFormat = static_cast<AVSampleFormat>(par->format);
    return info;
}

TVideoStreamInfo TCustomAVProbe::GetStreamVideoInfo(int AStreamIndex) {
    TVideoStreamInfo info;
    const int i = StreamOfKind(AStreamIndex, AVMEDIA_TYPE_VIDEO);
    if (i < 0) return info;
    const AVStream* st = FFileHandle->streams[i];
    FillTimedStreamInfo(info, st);
    const AVCodecParameters* par = st->codecpar;
    info.Height = par->height;
    info.Width = par->width;
    info.PixFmt = static_cast<AVPixelFormat>(par->format);
    // An unknown sample aspect (0/1) means square pixels, not a zero-wide picture.
    const AVRational sar = par->sample_aspect_ratio;
    const double pixelAspect = sar.num > 0 && sar.den > 0 ? static_cast<double>(sar.num) / sar.den : 1.0;
    if (par->height > 0) info.AspectRatio = static_cast<float>(par->width * pixelAspect / par->height);
    info.FrameRate = st->r_frame_rate;
    return info;
}

TSubtitleStreamInfo TCustomAVProbe::GetStreamSubtitleInfo(int AStreamIndex) {
    TSubtitleStreamInfo info;
    const int i = StreamOfKind(AStreamIndex, AVMEDIA_TYPE_SUBTITLE);
    if (i < 0) return info;
    FillStreamNames(info, FFileHandle->streams[i]);
    return info;
}

bool TCustomAVProbe::IsStreamOfType(int AStreamIndex, AVMediaType AType) {
    if (!CheckFileLoaded()) return false;
    if (AStreamIndex < 0 || AStreamIndex >= static_cast<int>(FFileHandle->nb_streams)) {
        LogError(16, QStringLiteral("stream index #%1 is invalid.").arg(AStreamIndex));
        return false;
    }
    return FFileHandle->streams[AStreamIndex]->codecpar->codec_type == AType;
}

bool TCustomAVProbe::IsAudioStream(int AStreamIndex) { return IsStreamOfType(AStreamIndex, AVMEDIA_TYPE_AUDIO); }

bool TCustomAVProbe::IsVideoStream(int AStreamIndex) { return IsStreamOfType(AStreamIndex, AVMEDIA_TYPE_VIDEO); }

bool TCustomAVProbe::IsSubtitleStream(int AStreamIndex) { return IsStreamOfType(AStreamIndex, AVMEDIA_TYPE_SUBTITLE); }

QString TCustomAVProbe::StreamLine(int AIndex) const {
    const AVStream* st = FFileHandle->streams[AIndex];
    const AVCodecParameters* par = st->codecpar;
    QString line = QStringLiteral("Stream #%1").arg(AIndex);
    if (FFileHandle->iformat && (FFileHandle->iformat->flags & AVFMT_SHOW_IDS))
        line += QString::asprintf("[0x%x]", static_cast<unsigned>(st->id)).toLower();
    const QString lang = MetadataValue(st->metadata, "language", QString());
    if (!lang.isEmpty()) line += QStringLiteral("(%1)").arg(lang);
    int g = std::gcd(st->time_base.num, st->time_base.den);
    if (g == 0) g = 1;
    line += QStringLiteral(", %1/%2").arg(st->time_base.num / g).arg(st->time_base.den / g);

    TextContext tc(par);
    char buf[256] = {};
    if (tc.ctx) ff::avcodec_string(buf, sizeof buf, tc.ctx, 0);
    line += QStringLiteral(": ") + QString::fromUtf8(buf);

    const AVRational sar = st->sample_aspect_ratio;
    if (sar.num != 0 && av_cmp_q(sar, par->sample_aspect_ratio) != 0) {
        int dn = 0, dd = 0;
        ff::av_reduce(&dn, &dd, static_cast<std::int64_t>(par->width) * sar.num,
                      static_cast<std::int64_t>(par->height) * sar.den, 1024 * 1024);
        line += QStringLiteral(", PAR %1:%2 DAR %3:%4").arg(sar.num).arg(sar.den).arg(dn).arg(dd);
    }
    if (par->codec_type == AVMEDIA_TYPE_VIDEO) {
        auto rate = [&](AVRational r, const char* unit) {
            if (r.num != 0 && r.den != 0) line += FormatRate(static_cast<double>(r.num) / r.den, unit);
        };
        rate(st->avg_frame_rate, "fps");
        rate(st->r_frame_rate, "tbr");
        rate(AVRational{st->time_base.den, st->time_base.num}, "tbn");
        // The current libraries keep no codec time base; the rate shows when one is known.
        if (tc.ctx) rate(AVRational{tc.ctx->time_base.den, tc.ctx->time_base.num}, "tbc");
    }
    if (st->start_time != AV_NOPTS_VALUE)
        line += QStringLiteral(", StartTime: ") + SecondsText(ToMicroseconds(st->start_time, st->time_base));
    if (st->duration == AV_NOPTS_VALUE) line += QStringLiteral(", Duration: N/A");
    else line += QStringLiteral(", Duration: ") + DurationToText(ToMicroseconds(st->duration, st->time_base));
    line += kCRLF;
    if (const int turn = StreamDisplayRotation(st))
        line += QStringLiteral("  Rotation: %1 degrees clockwise").arg(turn) + kCRLF;
    return line + MetadataBlock(st->metadata, QStringLiteral("  "));
}

QString TCustomAVProbe::FileInfoText() {
    if (!CheckFileLoaded()) return {};
    const TFileStreamInfo info = FileStreamInfo();
    QString text;
    text += QStringLiteral("File Name: %1").arg(FileName()) + kCRLF;
    text += QStringLiteral("Format Name: %1").arg(FormatName()) + kCRLF;
    text += QStringLiteral("Format Long Name: %1").arg(FormatLongName()) + kCRLF;
    text += QStringLiteral("File Size: %1").arg(FormatFileSize(FFileSize)) + kCRLF;
    if (info.Duration < 0) text += QStringLiteral("Duration: N/A") + kCRLF;
    else text += QStringLiteral("Duration: %1").arg(DurationToText(info.Duration)) + kCRLF;
    if (info.StartTime >= 0) text += QStringLiteral("StartTime: ") + SecondsText(info.StartTime) + kCRLF;
    if (info.BitRate < 1) text += QStringLiteral("Bit Rate: N/A") + kCRLF;
    else text += QStringLiteral("Bit Rate: %1 kb/s").arg(info.BitRate / 1000) + kCRLF;
    if (info.TimeStamp > 0)
        text += QStringLiteral("Time Stamp: %1").arg(DateTimeText(QStringLiteral("yyyy-mm-dd hh:nn:ss"),
                                                                  UnixTimeToDateTime(info.TimeStamp)))
                + kCRLF;
    text += MetadataBlock(FFileHandle->metadata, QString());

    std::vector<bool> listed(FFileHandle->nb_streams, false);
    for (unsigned p = 0; p < FFileHandle->nb_programs; ++p) {
        const AVProgram* prog = FFileHandle->programs[p];
        // Older demuxers said provider_name/name; the current ones say service_*.
        auto meta = [&](const char* now, const char* before) {
            QString v = MetadataValue(prog->metadata, now, QString());
            if (v.isEmpty()) v = MetadataValue(prog->metadata, before, QStringLiteral("N/A"));
            return v;
        };
        text += QStringLiteral("Program %1 %2@%3")
                    .arg(prog->id)
                    .arg(meta("service_provider", "provider_name"), meta("service_name", "name"))
                + kCRLF;
        text += MetadataBlock(prog->metadata, QStringLiteral("  "));
        for (unsigned k = 0; k < prog->nb_stream_indexes; ++k) {
            const unsigned s = prog->stream_index[k];
            if (s >= FFileHandle->nb_streams) continue;
            listed[s] = true;
            text += StreamLine(static_cast<int>(s));
        }
    }
    for (unsigned s = 0; s < FFileHandle->nb_streams; ++s)
        if (!listed[s]) text += StreamLine(static_cast<int>(s));
    return text;
}
