// Input and output files: opening an input and copying its parameters into the
// option state, attaching an output with its streams, codec lookup by name.
#include "engine/FFmpeg.h"
#include "engine/FFFileNames.h"
#include "engine/FFmpegInternal.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <bit>
#include <cmath>
#include <cstdlib>

namespace {

[[noreturn]] void Raise(const QString& AMsg) { throw FFmpegException(AMsg); }

std::string LibraryName(const QString& AFileName) { return ToLibraryFileName(AFileName).toStdString(); }

bool SameFile(const QString& a, const QString& b) {
    struct stat sa{}, sb{};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// Audio containers whose current default video codec is a still-picture codec
// (mp3, flac, aiff: cover art) have no default video in the converter's sense:
// a video input must not become a picture stream.
bool IsStillPictureCodec(AVCodecID id) {
    switch (id) {
    case AV_CODEC_ID_PNG:
    case AV_CODEC_ID_MJPEG:
    case AV_CODEC_ID_BMP:
    case AV_CODEC_ID_GIF:
    case AV_CODEC_ID_TIFF:
    case AV_CODEC_ID_WEBP:
        return true;
    default:
        return false;
    }
}

int GenericStrictness(const TFFOptions* AOptions, AVMediaType AType) {
    const std::string v = GenericCodecValue(AOptions, AType, "strict");
    if (v.empty()) return FF_COMPLIANCE_NORMAL;
    AVCodecContext* ctx = ff::avcodec_alloc_context3(nullptr);
    if (!ctx) return FF_COMPLIANCE_NORMAL;
    ff::av_opt_set(ctx, "strict", v.c_str(), 0);
    const int strict = ctx->strict_std_compliance;
    ff::avcodec_free_context(&ctx);
    return strict;
}

// Leftovers of the first dictionary are merged into the second.
void MergeInto(AVDictionary* from, AVDictionary** into) {
    const AVDictionaryEntry* e = nullptr;
    while ((e = ff::av_dict_get(from, "", e, AV_DICT_IGNORE_SUFFIX))) ff::av_dict_set(into, e->key, e->value, 0);
}

void SetLanguage(AVStream* st, QString& ALanguage) {
    if (!ALanguage.isEmpty()) ff::av_dict_set(&st->metadata, "language", Utf8(ALanguage).c_str(), 0);
    ALanguage.clear();
}

// Generic codec options of a kind go onto the encoder context now (so values
// such as the rate-control buffer size are visible while it is set up); those
// only the encoder's open understands stay for that open.
void ApplyCodecOptions(const TFFOptions* AOptions, AVMediaType AType, TOutputStreamSetup& AStream) {
    AVDictionary* d = AOptions ? CodecOptions(*AOptions, AType) : nullptr;
    if (!d) return;
    const int ret = ff::av_opt_set_dict2(AStream.enc, &d, AV_OPT_SEARCH_CHILDREN);
    if (ret < 0) {
        ff::av_dict_free(&d);
        Raise(ErrorText(QStringLiteral("Invalid encoder option"), ret));
    }
    MergeInto(d, &AStream.codec_opts);
    ff::av_dict_free(&d);
}

void FitPixelFormat(AVCodecContext* enc, const AVCodec* codec) {
    if (!codec || !codec->pix_fmts) return;
    for (const AVPixelFormat* p = codec->pix_fmts; *p != AV_PIX_FMT_NONE; ++p)
        if (*p == enc->pix_fmt) return;
    if (codec->id == AV_CODEC_ID_MJPEG && enc->strict_std_compliance < 0 &&
        (enc->pix_fmt == AV_PIX_FMT_YUV420P || enc->pix_fmt == AV_PIX_FMT_YUV422P))
        return;
    enc->pix_fmt = codec->pix_fmts[0];
}

void FitSampleFormat(AVCodecContext* enc, const AVCodec* codec) {
    if (!codec || !codec->sample_fmts) return;
    for (const AVSampleFormat* p = codec->sample_fmts; *p != AV_SAMPLE_FMT_NONE; ++p)
        if (*p == enc->sample_fmt) return;
    enc->sample_fmt = codec->sample_fmts[0];
}

}  // namespace

// ---------------------------------------------------------------------------
// Codec lookup

bool TCustomFFmpeg::FindCodecByName(const std::string& AName, AVMediaType AType, AVCodecID& AId, int AStrict,
                                    bool AEncoder, const AVCodec** ACodec) {
    if (ACodec) *ACodec = nullptr;
    if (AName.empty()) {
        AId = AV_CODEC_ID_NONE;
        return true;
    }
    const QString word = AEncoder ? QStringLiteral("encoder") : QStringLiteral("decoder");
    std::string name = AName;
    // This build has no FAAC; the profiles asking for it mean AAC.
    if (AEncoder && name == "libfaac" && !ff::avcodec_find_encoder_by_name("libfaac")) {
        Log(llInfo, QStringLiteral("Encoder 'libfaac' is not available, using the built-in 'aac' encoder"));
        name = "aac";
    }
    const AVCodec* codec =
        AEncoder ? ff::avcodec_find_encoder_by_name(name.c_str()) : ff::avcodec_find_decoder_by_name(name.c_str());
    const QString qname = QString::fromStdString(AName);
    if (!codec) {
        FLastErrMsg = QStringLiteral("Unknown %1 '%2'").arg(word, qname);
        return false;
    }
    if (codec->type != AType) {
        FLastErrMsg = QStringLiteral("Invalid %1 type '%2'").arg(word, qname);
        return false;
    }
    if ((codec->capabilities & AV_CODEC_CAP_EXPERIMENTAL) && AStrict > FF_COMPLIANCE_EXPERIMENTAL) {
        FLastErrMsg = QStringLiteral("%1 '%2' is experimental and might produce bad results.\r\n"
                                     "Add '-strict experimental' if you want to use it.")
                          .arg(word, QString::fromUtf8(codec->name));
        const AVCodec* other = AEncoder ? ff::avcodec_find_encoder(codec->id) : ff::avcodec_find_decoder(codec->id);
        if (other && !(other->capabilities & AV_CODEC_CAP_EXPERIMENTAL))
            FLastErrMsg += QStringLiteral("\r\nOr use the non experimental %1 '%2'.")
                               .arg(word, QString::fromUtf8(other->name));
        return false;
    }
    AId = codec->id;
    if (ACodec) *ACodec = codec;
    return true;
}

QString TCustomFFmpeg::SameFileAsInput(const QString& AFileName, int& AInputIndex) const {
    for (int i = 0; i < Fnb_input_files; ++i)
        if (SameFile(AFileName, Finput_file_names[i])) {
            AInputIndex = i;
            return QStringLiteral("%1: the output file is the same file as input file #%2").arg(AFileName).arg(i);
        }
    AInputIndex = -1;
    return QString();
}

// ---------------------------------------------------------------------------
// Inputs

bool TCustomFFmpeg::OpenInputFile(const QString& AFileName) {
    const AVInputFormat* fmt = nullptr;
    if (!FOpt.Flast_asked_format.empty()) {
        fmt = ff::av_find_input_format(FOpt.Flast_asked_format.c_str());
        if (!fmt)
            Raise(QStringLiteral("Unknown input format: \"%1\"").arg(QString::fromStdString(FOpt.Flast_asked_format)));
        FOpt.Flast_asked_format.clear();
    }

    AVFormatContext* ic = nullptr;
    AVDictionary* opts = nullptr;
    const auto fail = [&](const QString& msg) {
        FLastErrMsg = msg;
        FOpt.Fvideo_codec_name.clear();
        FOpt.Faudio_codec_name.clear();
        FOpt.Fsubtitle_codec_name.clear();
        FOpt.Fvideo_channel = 0;
        ff::av_dict_free(&opts);
        if (ic) CloseInputFile(&ic);
        return false;
    };

    if (Fnb_input_files >= FMaxFiles) return fail(QStringLiteral("max input files %1 reached").arg(FMaxFiles));
    // The output would be created over this file before it is read.
    const int outputs = OwnOutputFiles();
    for (int i = 0; i < outputs; ++i)
        if (Foutput_files[i] && SameFile(AFileName, Foutput_files[i]->file_name))
            return fail(QStringLiteral("%1: the input file is the same file as output file #%2").arg(AFileName).arg(i));

    if (const QString refusal = InputFileRefusal(AFileName); !refusal.isEmpty()) return fail(refusal);

    ic = ff::avformat_alloc_context();
    if (!ic) Raise(QStringLiteral("avformat_alloc_context failed"));

    // The input settings (rate, channels, size, pixel format, ...) go to the
    // demuxer as options; a demuxer ignores those it does not have.
    opts = GenericFormatOptions();
    ff::av_dict_set_int(&opts, "sample_rate", FOpt.Faudio_sample_rate, 0);
    ff::av_dict_set_int(&opts, "channels", FOpt.Faudio_channels, 0);
    if (FOpt.Fframe_rate.num && FOpt.Fframe_rate.den) {
        const std::string rate = std::to_string(FOpt.Fframe_rate.num) + "/" + std::to_string(FOpt.Fframe_rate.den);
        ff::av_dict_set(&opts, "framerate", rate.c_str(), 0);
    }
    if (FOpt.Fframe_width > 0 && FOpt.Fframe_height > 0) {
        const std::string size = std::to_string(FOpt.Fframe_width) + "x" + std::to_string(FOpt.Fframe_height);
        ff::av_dict_set(&opts, "video_size", size.c_str(), 0);
    }
    if (FOpt.Fframe_pix_fmt >= 0)
        ff::av_dict_set(&opts, "pixel_format", ff::av_get_pix_fmt_name(static_cast<AVPixelFormat>(FOpt.Fframe_pix_fmt)), 0);
    if (FOpt.Fvideo_channel) ff::av_dict_set_int(&opts, "channel", FOpt.Fvideo_channel, 0);
    if (!FOpt.Fvideo_standard.empty()) ff::av_dict_set(&opts, "standard", FOpt.Fvideo_standard.c_str(), 0);
    if (FOpt.Floop_input) ff::av_dict_set(&opts, "loop", "1", 0);

    struct Forced {
        const std::string& name;
        AVMediaType type;
        AVCodecID* id;
        const AVCodec** codec;
    } forced[] = {
        {FOpt.Fvideo_codec_name, AVMEDIA_TYPE_VIDEO, &ic->video_codec_id, &ic->video_codec},
        {FOpt.Faudio_codec_name, AVMEDIA_TYPE_AUDIO, &ic->audio_codec_id, &ic->audio_codec},
        {FOpt.Fsubtitle_codec_name, AVMEDIA_TYPE_SUBTITLE, &ic->subtitle_codec_id, &ic->subtitle_codec},
    };
    const AVCodec* decoders[3] = {};
    for (int k = 0; k < 3; ++k) {
        if (!FindCodecByName(forced[k].name, forced[k].type, *forced[k].id,
                             GenericStrictness(FOptions.get(), forced[k].type), false, &decoders[k]))
            return fail(FLastErrMsg);
        if (decoders[k]) *forced[k].codec = decoders[k];
    }
    ic->flags |= AVFMT_FLAG_NONBLOCK;
    if (FOpt.Fpgmyuv_compatibility_hack) ic->video_codec_id = AV_CODEC_ID_PGMYUV;

    const std::string libName = LibraryName(AFileName);
    // The context is ours (it carries the forced decoders), so a name in the
    // engine's wide form gets its I/O context here rather than from the helper.
    AVIOContext* customIO = nullptr;
    if (IsUnicodeName(QByteArray::fromStdString(libName))) {
        const int r = OpenUnicodeIO(&customIO, QByteArray::fromStdString(libName), AVIO_FLAG_READ);
        if (r < 0) return fail(ErrorText(AFileName, r));
        ic->pb = customIO;
        ic->flags |= AVFMT_FLAG_CUSTOM_IO;
    }
    int ret = ff::avformat_open_input(&ic, libName.c_str(), fmt, &opts);
    if (ret < 0) {
        CloseUnicodeIO(&customIO);  // the library freed ic but leaves a custom context to us
        return fail(ErrorText(AFileName, ret));
    }
    ff::av_dict_free(&opts);

    if (FOpt.Fopt_programid) {
        bool found = false;
        for (unsigned i = 0; i < ic->nb_streams; ++i) ic->streams[i]->discard = AVDISCARD_ALL;
        for (unsigned p = 0; p < ic->nb_programs; ++p) {
            const AVProgram* prog = ic->programs[p];
            if (prog->id != FOpt.Fopt_programid) continue;
            found = true;
            for (unsigned j = 0; j < prog->nb_stream_indexes; ++j)
                ic->streams[prog->stream_index[j]]->discard = AVDISCARD_DEFAULT;
        }
        if (!found) return fail(QStringLiteral("Specified program id not found"));
        FOpt.Fopt_programid = 0;
    }

    {
        std::lock_guard lock(CodecLock);
        ret = ff::avformat_find_stream_info(ic, nullptr);
    }
    if (ret < 0 && FOpt.Fverbose >= 0) {
        const QString msg = QStringLiteral("%1: could not find codec parameters").arg(AFileName);
        Log(llVerbose, msg);
        return fail(msg);
    }
    if (ic->nb_streams > static_cast<unsigned>(MAX_STREAMS) ||
        Fnb_icodecs + static_cast<int>(ic->nb_streams) > static_cast<int>(Finput_codecs.size()))
        return fail(QStringLiteral("stream index over MAX_STREAMS(%1)").arg(MAX_STREAMS));

    int64_t timestamp = FOpt.Fstart_time;
    if (ic->start_time != AV_NOPTS_VALUE) timestamp += ic->start_time;
    if (FOpt.Fstart_time != 0) {
        if (ff::av_seek_frame(ic, -1, timestamp, AVSEEK_FLAG_BACKWARD) < 0 && FOpt.Fverbose > 0)
            Log(llVerbose, QStringLiteral("%1: could not seek to position %2")
                               .arg(AFileName)
                               .arg(static_cast<double>(timestamp) / AV_TIME_BASE, 0, 'f', 3));
        FOpt.Fstart_time = 0;
    }

    for (unsigned i = 0; i < ic->nb_streams; ++i) {
        AVStream* st = ic->streams[i];
        const AVCodecParameters* par = st->codecpar;
        switch (par->codec_type) {
        case AVMEDIA_TYPE_VIDEO: {
            if (st->disposition & AV_DISPOSITION_ATTACHED_PIC) {
                // A cover picture is no video: its size and its rate (90000)
                // say nothing about a picture sequence.
                Finput_codecs[Fnb_icodecs++] = decoders[0];
                break;
            }
            FOpt.Fframe_width = par->width;
            FOpt.Fframe_size_asked = false;
            FOpt.Fframe_height = par->height;
            const AVRational sar = st->sample_aspect_ratio.num ? st->sample_aspect_ratio : par->sample_aspect_ratio;
            double ratio = sar.num && sar.den ? av_q2d(sar) : 0.0;
            if (par->width * par->height != 0) {
                const double wh = static_cast<double>(par->width) / par->height;
                ratio = ratio != 0 ? ratio * wh : wh;
            } else if (ratio == 0) {
                ratio = 4.0 / 3.0;
            }
            FOpt.Fframe_aspect_ratio = static_cast<float>(ratio);
            FOpt.Fframe_pix_fmt = par->format < 0 ? 0 : par->format;
            if (FOpt.Fme_threshold)
                Log(llInfo, QStringLiteral("me_threshold is not supported by the current libraries"));
            const AVRational r = st->r_frame_rate, avg = st->avg_frame_rate;
            if (avg.num && avg.den && r.num && r.den && av_cmp_q(avg, r) != 0 && FOpt.Fverbose >= 0)
                Log(llInfo, QStringLiteral("Seems stream %1 codec frame rate differs from container frame rate: "
                                           "%2 (%3/%4) -> %5 (%6/%7)")
                                .arg(i)
                                .arg(av_q2d(avg), 0, 'f', 2)
                                .arg(avg.num)
                                .arg(avg.den)
                                .arg(av_q2d(r), 0, 'f', 2)
                                .arg(r.num)
                                .arg(r.den));
            FOpt.Fframe_rate = r;
            Finput_codecs[Fnb_icodecs++] = decoders[0];
            if (FOpt.Fvideo_disable)
                st->discard = AVDISCARD_ALL;
            else if (FOpt.Fvideo_discard)
                st->discard = static_cast<AVDiscard>(FOpt.Fvideo_discard);
            break;
        }
        case AVMEDIA_TYPE_AUDIO:
            FOpt.Fchannel_layout =
                par->ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? static_cast<int64_t>(par->ch_layout.u.mask) : 0;
            FOpt.Faudio_channels = par->ch_layout.nb_channels;
            FOpt.Faudio_sample_rate = par->sample_rate;
            FOpt.Faudio_sample_fmt = par->format;
            FOpt.Faudio_rate_asked = false;
            FOpt.Faudio_channels_asked = false;
            Finput_codecs[Fnb_icodecs++] = decoders[1];
            if (FOpt.Faudio_disable) st->discard = AVDISCARD_ALL;
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            Finput_codecs[Fnb_icodecs++] = decoders[2];
            if (FOpt.Fsubtitle_disable) st->discard = AVDISCARD_ALL;
            break;
        case AVMEDIA_TYPE_DATA:
        case AVMEDIA_TYPE_ATTACHMENT:
        case AVMEDIA_TYPE_UNKNOWN:
            // One entry per input stream, so later streams find their own.
            Finput_codecs[Fnb_icodecs++] = nullptr;
            break;
        default:
            CloseInputFile(&ic);
            Raise(QStringLiteral("invalid codec_type"));
        }
    }

    if (ic->duration != AV_NOPTS_VALUE && ic->duration > FTotalOutputDuration) FTotalOutputDuration = ic->duration;

    Finput_files[Fnb_input_files] = ic;
    Finput_file_names[Fnb_input_files] = AFileName;
    Finput_files_ts_offset[Fnb_input_files] = FOpt.Fcopy_ts ? FOpt.Finput_ts_offset : FOpt.Finput_ts_offset - timestamp;
    if (FOpt.Fverbose >= 0) ff::av_dump_format(ic, Fnb_input_files, libName.c_str(), 0);
    ++Fnb_input_files;
    FOpt.Fvideo_channel = 0;
    FOpt.Fvideo_codec_name.clear();
    FOpt.Faudio_codec_name.clear();
    FOpt.Fsubtitle_codec_name.clear();
    return true;
}

void TCustomFFmpeg::check_audio_video_sub_inputs(bool AFirstOnly, bool& AHasVideo, bool& AHasAudio,
                                                 bool& AHasSubtitle) {
    AHasVideo = AHasAudio = AHasSubtitle = false;
    const int n = AFirstOnly ? std::min(Fnb_input_files, 1) : Fnb_input_files;
    for (int f = 0; f < n; ++f) {
        const AVFormatContext* ic = Finput_files[f];
        for (unsigned i = 0; i < ic->nb_streams; ++i) {
            switch (ic->streams[i]->codecpar->codec_type) {
            case AVMEDIA_TYPE_VIDEO:
                // A cover picture does not make an audio file a video.
                if (!(ic->streams[i]->disposition & AV_DISPOSITION_ATTACHED_PIC)) AHasVideo = true;
                break;
            case AVMEDIA_TYPE_AUDIO: AHasAudio = true; break;
            case AVMEDIA_TYPE_SUBTITLE: AHasSubtitle = true; break;
            case AVMEDIA_TYPE_DATA:
            case AVMEDIA_TYPE_ATTACHMENT:
            case AVMEDIA_TYPE_UNKNOWN: break;
            default: Raise(QStringLiteral("invalid codec_type of input file"));
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Outputs

int TCustomFFmpeg::OpenOutputFile(const QString& AFileName, bool AJoin, bool ANoOverwrite) {
    if (FJoinMode) {
        FLastErrMsg = QStringLiteral("Cannot join more than one output file.");
        return -1;
    }
    if (Fnb_output_files >= FMaxFiles) {
        FLastErrMsg = QStringLiteral("max output files %1 reached").arg(FMaxFiles);
        return -1;
    }
    int sameInput = -1;
    const QString same = SameFileAsInput(AFileName, sameInput);
    if (!same.isEmpty()) {
        FLastErrMsg = same;
        return -1;
    }
    FOpt.FEnableFilter = !FOpt.Fvfilters.isEmpty();

    const std::string libName = LibraryName(AFileName);
    const AVOutputFormat* ofmt = nullptr;
    if (!FOpt.Flast_asked_format.empty()) {
        ofmt = ff::av_guess_format(FOpt.Flast_asked_format.c_str(), nullptr, nullptr);
        if (!ofmt) {
            FLastErrMsg = QStringLiteral("Requested output format '%1' is not a suitable output format")
                              .arg(QString::fromStdString(FOpt.Flast_asked_format));
            return -1;
        }
        FOpt.Flast_asked_format.clear();
    } else {
        ofmt = ff::av_guess_format(nullptr, libName.c_str(), nullptr);
        if (!ofmt) {
            FLastErrMsg = QStringLiteral("Unable to find a suitable output format for '%1'").arg(AFileName);
            return -1;
        }
    }

    auto* out = new TOutputFile;
    out->file_name = AFileName;
    out->library_name = libName;
    out->no_overwrite = ANoOverwrite;
    if (ff::avformat_alloc_output_context2(&out->ctx, ofmt, nullptr, libName.c_str()) < 0 || !out->ctx) {
        delete out;
        Raise(QStringLiteral("avformat_alloc_context failed"));
    }
    const auto fail = [&](const QString& msg) {
        FLastErrMsg = msg;
        FreeOutputFile(out);
        // Chains its streams took must not reach the next output's streams.
        if (Fnb_output_files < FMaxFiles)
            for (auto& chain : Fbitstream_filters[Fnb_output_files]) chain.clear();
        return -1;
    };

    const bool stillPictureDefault = ofmt->audio_codec != AV_CODEC_ID_NONE && IsStillPictureCodec(ofmt->video_codec);
    bool useVideo = (ofmt->video_codec != AV_CODEC_ID_NONE && !stillPictureDefault) || FOpt.Fvideo_stream_copy ||
                    !FOpt.Fvideo_codec_name.empty();
    bool useAudio = ofmt->audio_codec != AV_CODEC_ID_NONE || FOpt.Faudio_stream_copy || !FOpt.Faudio_codec_name.empty();
    bool useSubtitle = ofmt->subtitle_codec != AV_CODEC_ID_NONE || FOpt.Fsubtitle_stream_copy ||
                       !FOpt.Fsubtitle_codec_name.empty();

    if (Fnb_input_files > 0) {
        bool hasVideo = false, hasAudio = false, hasSubtitle = false;
        try {
            check_audio_video_sub_inputs(AJoin, hasVideo, hasAudio, hasSubtitle);
        } catch (const std::exception& e) {
            return fail(QStringLiteral("check_audio_video_sub_inputs fail: %1").arg(QString::fromUtf8(e.what())));
        }
        useVideo = useVideo && hasVideo;
        useAudio = useAudio && hasAudio;
        useSubtitle = useSubtitle && hasSubtitle;
    }
    if (FOpt.Faudio_disable) useAudio = false;
    if (FOpt.Fvideo_disable) useVideo = false;
    if (FOpt.Fsubtitle_disable) useSubtitle = false;

    const auto create = [&](bool use, const char* what, void (TCustomFFmpeg::*make)(TOutputFile&)) {
        if (!use) return true;
        try {
            (this->*make)(*out);
            return true;
        } catch (const std::exception& e) {
            FLastErrMsg = QStringLiteral("%1 fail: %2").arg(QLatin1String(what), QString::fromUtf8(e.what()));
            return false;
        }
    };
    if (!create(useVideo, "new_video_stream", &TCustomFFmpeg::new_video_stream) ||
        !create(useAudio, "new_audio_stream", &TCustomFFmpeg::new_audio_stream) ||
        !create(useSubtitle, "new_subtitle_stream", &TCustomFFmpeg::new_subtitle_stream))
        return fail(FLastErrMsg);

    if (FOpt.Frecording_timestamp) {
        const QString iso = QDateTime::fromSecsSinceEpoch(FOpt.Frecording_timestamp, Qt::UTC)
                                .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.000000Z"));
        ff::av_dict_set(&out->ctx->metadata, "creation_time", iso.toUtf8().constData(), 0);
    }
    // Earlier pairs win: they are set last. Old generic keys map to the current ones.
    for (auto it = Fmetadata.rbegin(); it != Fmetadata.rend(); ++it) {
        std::string key = it->first;
        if (key == "author" && std::string(ofmt->name) != "asf") key = "artist";
        if (key == "timestamp") key = "creation_time";
        ff::av_dict_set(&out->ctx->metadata, key.c_str(), it->second.c_str(), 0);
    }
    Fmetadata.clear();

    Foutput_files[Fnb_output_files++] = out;
    const auto unregister = [&](const QString& msg) {
        Foutput_files[--Fnb_output_files] = nullptr;
        return fail(msg);
    };

    if ((ofmt->flags & AVFMT_NEEDNUMBER) && !ff::av_filename_number_test(libName.c_str()))
        return unregister(ErrorText(AFileName, AVERROR(EDOM)));

    out->ctx->max_delay = static_cast<int>(FOpt.Fmux_max_delay * 1000000);
    ff::av_dict_set_int(&out->muxer_opts, "preload", static_cast<int64_t>(FOpt.Fmux_preload * 1000000), 0);
    if (FOpt.Floop_output != -1) ff::av_dict_set_int(&out->muxer_opts, "loop", FOpt.Floop_output, 0);
    out->ctx->flags |= AVFMT_FLAG_NONBLOCK;
    if (AVDictionary* d = GenericFormatOptions()) {
        const int ret = ff::av_opt_set_dict2(out->ctx, &d, AV_OPT_SEARCH_CHILDREN);
        MergeInto(d, &out->muxer_opts);
        ff::av_dict_free(&d);
        if (ret < 0) return unregister(ErrorText(AFileName, ret));
    }
    std::fill(std::begin(Fstreamid_map), std::end(Fstreamid_map), 0);

    if (AJoin && Fnb_input_files > 1) {
        if (Fnb_output_files + Fnb_input_files - 1 > FMaxFiles)
            return unregister(QStringLiteral("max output files %1 reached").arg(FMaxFiles));
        FJoinMode = true;
        int64_t sum = 0;
        for (int i = 0; i < Fnb_input_files; ++i)
            if (Finput_files[i]->duration != AV_NOPTS_VALUE) sum += Finput_files[i]->duration;
        FTotalOutputDuration = sum == 0 ? -1 : sum;
        for (int i = 1; i < Fnb_input_files; ++i) Foutput_files[Fnb_output_files++] = out;
    }
    return Fnb_output_files;
}

// ---------------------------------------------------------------------------
// Streams

TOutputStreamSetup& TCustomFFmpeg::AddOutputStream(TOutputFile& AOutput, AVMediaType AType,
                                                   TBitStreamFilterChain& AChain) {
    const int n = static_cast<int>(AOutput.ctx->nb_streams);
    if (n >= MAX_STREAMS) Raise(QStringLiteral("stream index over MAX_STREAMS(%1)").arg(MAX_STREAMS));
    if (Fnb_ocodecs >= static_cast<int>(Foutput_codecs.size()))
        Raise(QStringLiteral("max output files %1 reached").arg(FMaxFiles));
    // The file's own row; a file not registered yet takes the next one.
    int fileIndex = Fnb_output_files;
    for (int i = 0; i < Fnb_output_files; ++i)
        if (Foutput_files[i] == &AOutput) fileIndex = i;
    if (fileIndex >= FMaxFiles) Raise(QStringLiteral("max output files %1 reached").arg(FMaxFiles));

    AVStream* st = ff::avformat_new_stream(AOutput.ctx, nullptr);
    if (!st) Raise(QStringLiteral("Could not alloc stream"));
    if (Fstreamid_map[n]) st->id = Fstreamid_map[n];
    st->codecpar->codec_type = AType;
    Fbitstream_filters[fileIndex][n] = std::move(AChain);
    AChain.clear();
    TOutputStreamSetup setup;
    setup.st = st;
    AOutput.streams.push_back(setup);
    TOutputStreamSetup& s = AOutput.streams.back();
    return s;
}

namespace {

AVCodecContext* AllocEncoder(const AVCodec* codec, AVMediaType type, AVCodecID id) {
    AVCodecContext* enc = ff::avcodec_alloc_context3(codec);
    if (!enc) Raise(QStringLiteral("Could not alloc stream"));
    enc->codec_type = type;
    enc->codec_id = id;
    enc->thread_count = 0;  // the libraries' own choice, as their converter does
    return enc;
}

// "start,end,q/start,end,q/...": q > 0 a fixed quantiser, else a quality factor of -q/100.
void ParseRcOverride(AVCodecContext* enc, const std::string& text) {
    if (text.empty()) return;
    std::vector<RcOverride> list;
    const char* p = text.c_str();
    while (*p) {
        RcOverride o{};
        char* end = nullptr;
        o.start_frame = static_cast<int>(std::strtol(p, &end, 10));
        if (end == p || !*end) Raise(QStringLiteral("error parsing rc_override"));
        p = end + 1;
        o.end_frame = static_cast<int>(std::strtol(p, &end, 10));
        if (end == p || !*end) Raise(QStringLiteral("error parsing rc_override"));
        p = end + 1;
        const int q = static_cast<int>(std::strtol(p, &end, 10));
        if (q > 0) {
            o.qscale = q;
            o.quality_factor = 1.0f;
        } else {
            o.qscale = 0;
            o.quality_factor = -q / 100.0f;
        }
        list.push_back(o);
        p = end;
        const char* slash = std::strchr(p, '/');
        if (!slash) break;
        p = slash + 1;
    }
    enc->rc_override = static_cast<RcOverride*>(ff::av_malloc(sizeof(RcOverride) * list.size()));
    if (!enc->rc_override) Raise(QStringLiteral("av_mallocz fail"));
    std::copy(list.begin(), list.end(), enc->rc_override);
    enc->rc_override_count = static_cast<int>(list.size());
}

uint16_t* CopyMatrix(const std::vector<uint16_t>& m) {
    if (m.empty()) return nullptr;
    auto* p = static_cast<uint16_t*>(ff::av_malloc(64 * sizeof(uint16_t)));
    if (p) std::copy(m.begin(), m.end(), p);
    return p;
}

// Codecs carry each part of the ratio in 8 bits.
constexpr int kMaxSarPart = 255;
// The widest display a track header's signed 16.16 width holds.
constexpr std::int64_t kMaxDisplayWidth = 32767;

// Whether a picture of width x height can carry sar: the display width fits
// the track header, and the encoders keep it (they drop a ratio that leaves
// less than one pixel of height).
bool SarFits(AVRational sar, std::int64_t width, std::int64_t height) {
    return width * sar.num <= kMaxDisplayWidth * sar.den && sar.num <= height * sar.den;
}

AVRational AspectToSar(float aspect, int width, int height) {
    const double wanted = width * height != 0 ? static_cast<double>(aspect) * height / width : aspect * 3.0 / 4.0;
    const AVRational sar = ff::av_d2q(wanted, kMaxSarPart);
    if (width <= 0 || height <= 0 || sar.num <= 0 || sar.den <= 0 || SarFits(sar, width, height)) return sar;
    // Too wide to write: the largest ratio that fits, rather than a file
    // other readers reject or an encoder that silently drops the ratio.
    AVRational best{1, kMaxSarPart};
    for (int den = 1; den <= kMaxSarPart; ++den) {
        const std::int64_t byWidth = kMaxDisplayWidth * den / width;
        const int num = static_cast<int>(std::min<std::int64_t>({kMaxSarPart, byWidth, std::int64_t{height} * den}));
        if (num > 0 && std::int64_t{num} * best.den > std::int64_t{best.num} * den) best = {num, den};
    }
    ff::av_reduce(&best.num, &best.den, best.num, best.den, kMaxSarPart);
    return best;
}

}  // namespace

// The named encoder, else the format's own for the kind: without a name a
// stream would otherwise have no encoder at all.
const AVCodec* TCustomFFmpeg::ChooseEncoder(const TOutputFile& AOutput, AVMediaType AType, const std::string& AName,
                                            AVCodecID& AId) {
    const AVCodec* codec = nullptr;
    if (!AName.empty()) {
        if (!FindCodecByName(AName, AType, AId, GenericStrictness(FOptions.get(), AType), true, &codec))
            Raise(FLastErrMsg);
        Foutput_codecs[Fnb_ocodecs] = codec;
        return codec;
    }
    AId = ff::av_guess_codec(AOutput.ctx->oformat, nullptr, AOutput.library_name.c_str(), nullptr, AType);
    return ff::avcodec_find_encoder(AId);
}

void TCustomFFmpeg::new_video_stream(TOutputFile& AOutput) {
    TOutputStreamSetup* sp = nullptr;
    try {
        sp = &AddOutputStream(AOutput, AVMEDIA_TYPE_VIDEO, Fvideo_bitstream_filters);
    } catch (...) {
        FOpt.Fvideo_codec_name.clear();
        throw;
    }
    TOutputStreamSetup& s = *sp;
    AVStream* st = s.st;
    const bool globalHeader = (FOpt.Fvideo_global_header & 1) ||
                              (FOpt.Fvideo_global_header == 0 && (AOutput.ctx->oformat->flags & AVFMT_GLOBALHEADER));

    if (FOpt.Fvideo_stream_copy) {
        s.stream_copy = true;
        const AVRational sar = AspectToSar(FOpt.Fframe_aspect_ratio, FOpt.Fframe_width, FOpt.Fframe_height);
        st->sample_aspect_ratio = sar;
        st->codecpar->sample_aspect_ratio = sar;
        if (FOpt.Fvideo_codec_tag) st->codecpar->codec_tag = FOpt.Fvideo_codec_tag;
    } else {
        AVRational rate = FOpt.Fframe_rate.num ? FOpt.Fframe_rate : AVRational{25, 1};
        AVCodecID id = AV_CODEC_ID_NONE;
        const AVCodec* codec = ChooseEncoder(AOutput, AVMEDIA_TYPE_VIDEO, FOpt.Fvideo_codec_name, id);
        s.codec = codec;
        s.enc = AllocEncoder(codec, AVMEDIA_TYPE_VIDEO, id);
        AVCodecContext* enc = s.enc;
        if (FOpt.Fvideo_codec_tag) enc->codec_tag = FOpt.Fvideo_codec_tag;
        if (globalHeader) enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (FOpt.Fvideo_global_header & 2) enc->flags2 |= AV_CODEC_FLAG2_LOCAL_HEADER;
        ApplyCodecOptions(FOptions.get(), AVMEDIA_TYPE_VIDEO, s);
        if (codec && codec->supported_framerates && !FOpt.Fforce_fps)
            rate = codec->supported_framerates[ff::av_find_nearest_q_idx(rate, codec->supported_framerates)];
        enc->framerate = rate;
        enc->time_base = av_inv_q(rate);
        st->time_base = enc->time_base;
        enc->width = FOpt.Fframe_width;
        enc->height = FOpt.Fframe_height;
        const AVRational sar = AspectToSar(FOpt.Fframe_aspect_ratio, FOpt.Fframe_width, FOpt.Fframe_height);
        enc->sample_aspect_ratio = sar;
        st->sample_aspect_ratio = sar;
        enc->pix_fmt = static_cast<AVPixelFormat>(FOpt.Fframe_pix_fmt);
        FitPixelFormat(enc, codec);
        s.size_from_source = !FOpt.Fframe_size_asked;
        if (FOpt.Fintra_only) enc->gop_size = 0;
        if (FOpt.Fvideo_qscale != 0 || FOpt.Fsame_quality) {
            enc->flags |= AV_CODEC_FLAG_QSCALE;
            s.quality = FOpt.Fvideo_qscale * FF_QP2LAMBDA;
            enc->global_quality = static_cast<int>(s.quality);
        }
        enc->intra_matrix = CopyMatrix(FOpt.Fintra_matrix);
        enc->inter_matrix = CopyMatrix(FOpt.Finter_matrix);
        ParseRcOverride(enc, FOpt.Fvideo_rc_override_string);
        if (enc->rc_initial_buffer_occupancy == 0) enc->rc_initial_buffer_occupancy = enc->rc_buffer_size * 3 / 4;
        if (FOpt.Fme_threshold) Log(llInfo, QStringLiteral("me_threshold is not supported by the current libraries"));
        enc->intra_dc_precision = FOpt.Fintra_dc_precision - 8;
        if (FOpt.Fdo_psnr) enc->flags |= AV_CODEC_FLAG_PSNR;
        if (FOpt.Fdo_pass == 1) enc->flags |= AV_CODEC_FLAG_PASS1;
        if (FOpt.Fdo_pass == 2) enc->flags |= AV_CODEC_FLAG_PASS2;
    }
    ++Fnb_ocodecs;
    SetLanguage(st, FOpt.Fvideo_language);
    FOpt.Fvideo_disable = false;
    FOpt.Fvideo_codec_name.clear();
    FOpt.Fvideo_stream_copy = 0;
    FOpt.Fframe_pix_fmt = -1;
}

void TCustomFFmpeg::new_audio_stream(TOutputFile& AOutput) {
    TOutputStreamSetup* sp = nullptr;
    try {
        sp = &AddOutputStream(AOutput, AVMEDIA_TYPE_AUDIO, Faudio_bitstream_filters);
    } catch (...) {
        FOpt.Faudio_codec_name.clear();
        throw;
    }
    TOutputStreamSetup& s = *sp;
    AVStream* st = s.st;
    const bool globalHeader = AOutput.ctx->oformat->flags & AVFMT_GLOBALHEADER;
    int sampleRate = FOpt.Faudio_sample_rate;

    if (FOpt.Faudio_stream_copy) {
        s.stream_copy = true;
        ff::av_channel_layout_default(&st->codecpar->ch_layout, FOpt.Faudio_channels);
        st->codecpar->sample_rate = FOpt.Faudio_sample_rate;
        if (FOpt.Faudio_codec_tag) st->codecpar->codec_tag = FOpt.Faudio_codec_tag;
    } else {
        AVCodecID id = AV_CODEC_ID_NONE;
        const AVCodec* codec = ChooseEncoder(AOutput, AVMEDIA_TYPE_AUDIO, FOpt.Faudio_codec_name, id);
        s.codec = codec;
        s.enc = AllocEncoder(codec, AVMEDIA_TYPE_AUDIO, id);
        AVCodecContext* enc = s.enc;
        if (FOpt.Faudio_codec_tag) enc->codec_tag = FOpt.Faudio_codec_tag;
        if (globalHeader) enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        ApplyCodecOptions(FOptions.get(), AVMEDIA_TYPE_AUDIO, s);
        if (FOpt.Faudio_qscale > -99999.0f) {
            enc->flags |= AV_CODEC_FLAG_QSCALE;
            s.quality = FOpt.Faudio_qscale * FF_QP2LAMBDA;
            enc->global_quality = static_cast<int>(s.quality);
        }
        ff::av_channel_layout_uninit(&enc->ch_layout);
        const uint64_t mask = static_cast<uint64_t>(FOpt.Fchannel_layout);
        if (mask != 0 && std::popcount(mask) == FOpt.Faudio_channels) {
            enc->ch_layout.order = AV_CHANNEL_ORDER_NATIVE;
            enc->ch_layout.nb_channels = FOpt.Faudio_channels;
            enc->ch_layout.u.mask = mask;
        } else {
            ff::av_channel_layout_default(&enc->ch_layout, FOpt.Faudio_channels);
        }
        enc->sample_fmt = static_cast<AVSampleFormat>(FOpt.Faudio_sample_fmt);
        FitSampleFormat(enc, codec);
        enc->sample_rate = sampleRate;
        if (codec && codec->supported_samplerates) {
            int best = codec->supported_samplerates[0];
            for (const int* r = codec->supported_samplerates; *r; ++r)
                if (std::abs(*r - sampleRate) < std::abs(best - sampleRate)) best = *r;
            if (best != sampleRate)
                Log(llWarning, QStringLiteral("Requested sampling rate unsupported using closest supported (%1)").arg(best));
            enc->sample_rate = best;
        }
        sampleRate = enc->sample_rate;
        s.rate_from_source = !FOpt.Faudio_rate_asked;
        s.channels_from_source = !FOpt.Faudio_channels_asked;
        enc->time_base = AVRational{1, sampleRate};
        st->time_base = enc->time_base;
    }
    ++Fnb_ocodecs;
    SetLanguage(st, FOpt.Faudio_language);
    FOpt.Faudio_disable = false;
    FOpt.Faudio_codec_name.clear();
    FOpt.Faudio_stream_copy = 0;
}

void TCustomFFmpeg::new_subtitle_stream(TOutputFile& AOutput) {
    TOutputStreamSetup* sp = nullptr;
    try {
        sp = &AddOutputStream(AOutput, AVMEDIA_TYPE_SUBTITLE, Fsubtitle_bitstream_filters);
    } catch (...) {
        FOpt.Fsubtitle_codec_name.clear();
        throw;
    }
    TOutputStreamSetup& s = *sp;
    if (FOpt.Fsubtitle_stream_copy) {
        s.stream_copy = true;
        if (FOpt.Fsubtitle_codec_tag) s.st->codecpar->codec_tag = FOpt.Fsubtitle_codec_tag;
    } else {
        AVCodecID id = AV_CODEC_ID_NONE;
        const AVCodec* codec = ChooseEncoder(AOutput, AVMEDIA_TYPE_SUBTITLE, FOpt.Fsubtitle_codec_name, id);
        s.codec = codec;
        s.enc = AllocEncoder(codec, AVMEDIA_TYPE_SUBTITLE, id);
        if (FOpt.Fsubtitle_codec_tag) s.enc->codec_tag = FOpt.Fsubtitle_codec_tag;
        ApplyCodecOptions(FOptions.get(), AVMEDIA_TYPE_SUBTITLE, s);
    }
    ++Fnb_ocodecs;
    SetLanguage(s.st, FOpt.Fsubtitle_language);
    FOpt.Fsubtitle_disable = false;
    FOpt.Fsubtitle_codec_name.clear();
    FOpt.Fsubtitle_stream_copy = 0;
}
