// The converter's option set: the dispatcher over the command-line option
// names and the direct setters the task component calls.
#include "engine/FFmpeg.h"
#include "engine/FFmpegInternal.h"
#include "engine/PreviewWindow.h"

#include <QDateTime>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

int ToInt(const QString& AValue) {
    bool ok = false;
    const int v = AValue.trimmed().toInt(&ok);
    if (!ok) throw FFmpegException(QStringLiteral("'%1' is not a valid integer value").arg(AValue));
    return v;
}

int64_t ToInt64(const QString& AValue) {
    bool ok = false;
    const qlonglong v = AValue.trimmed().toLongLong(&ok);
    if (!ok) throw FFmpegException(QStringLiteral("'%1' is not a valid integer value").arg(AValue));
    return v;
}

float ToFloat(const QString& AValue) {
    bool ok = false;
    const double v = AValue.trimmed().toDouble(&ok);
    if (!ok) throw FFmpegException(QStringLiteral("'%1' is not a valid floating point value").arg(AValue));
    return static_cast<float>(v);
}

bool Flag(const QString& AValue) { return AValue != QLatin1String("0"); }

// strtol with base 0 over the text at p; p moves past the number.
long ReadLong(const char*& p) {
    char* end = nullptr;
    const long v = std::strtol(p, &end, 0);
    p = end;
    return v;
}

void SkipOne(const char*& p) {
    if (*p) ++p;
}

[[noreturn]] void Raise(const QString& AMsg) { throw FFmpegException(AMsg); }

QString StreamIndexOver() { return QStringLiteral("stream index over MAX_STREAMS(%1)").arg(MAX_STREAMS); }

}  // namespace

// ---------------------------------------------------------------------------
// The dispatcher

void TCustomFFmpeg::SetOption(const QString& AName, const QString& AValue) {
    using Handler = void (*)(TCustomFFmpeg&, const QString&, const QString&);
    struct Row {
        std::initializer_list<const char*> names;
        Handler handler;
    };
    const auto doNothing = [](TCustomFFmpeg& s, const QString& n, const QString&) {
        s.Log(llInfo, QStringLiteral("Do nothing: option - ") + n);
    };
    const auto newStream = [](TCustomFFmpeg& s, const QString& n, const QString&) {
        s.NewStreamOnLastOutput(n == QLatin1String("newvideo")   ? AVMEDIA_TYPE_VIDEO
                                : n == QLatin1String("newaudio") ? AVMEDIA_TYPE_AUDIO
                                                                 : AVMEDIA_TYPE_SUBTITLE);
    };
    // Checked in this order; the first row naming AName runs.
    static const Row kRows[] = {
        {{"L", "h", "version", "formats", "codecs", "bsfs", "protocols", "filters"}, doNothing},
        {{"loglevel"}, [](TCustomFFmpeg&, const QString&, const QString& v) { GetLogger()->OptLogLevel(v); }},
        {{"f"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetFormat(v); }},
        {{"i", "y"}, doNothing},
        {{"map"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetStreamMap(v); }},
        {{"map_meta_data"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetMetaDataMap(v); }},
        {{"t"}, [](TCustomFFmpeg& s, const QString& n, const QString& v) {
             s.FOpt.Frecording_time = s.ParseTime(n, v, true);
             s.FTotalOutputDuration = s.FOpt.Frecording_time;
         }},
        {{"fs"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Flimit_filesize = ToInt64(v); }},
        {{"ss"}, [](TCustomFFmpeg& s, const QString& n, const QString& v) { s.FOpt.Fstart_time = s.ParseTime(n, v, true); }},
        {{"itsoffset"}, [](TCustomFFmpeg& s, const QString& n, const QString& v) {
             s.FOpt.Finput_ts_offset = s.ParseTime(n, v, true);
         }},
        {{"itsscale"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetInputStreamScale(v); }},
        {{"timestamp"}, [](TCustomFFmpeg& s, const QString& n, const QString& v) {
             s.FOpt.Frecording_timestamp = std::llrint(static_cast<double>(s.ParseTime(n, v, false)) / 1000000.0);
         }},
        {{"metadata"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetMetadataOption(v); }},
        {{"dframes"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             s.FOpt.Fmax_frames[AVMEDIA_TYPE_DATA] = ToInt(v);
         }},
        {{"benchmark"}, doNothing},
        {{"timelimit"}, [](TCustomFFmpeg& s, const QString&, const QString&) {
             s.Log(llWarning, QStringLiteral("Warning: -timelimit not implemented on Windows"));
         }},
        {{"dump"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fdo_pkt_dump = Flag(v); }},
        {{"hex"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fdo_hex_dump = Flag(v); }},
        {{"re"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Frate_emu = Flag(v); }},
        {{"loop_input"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Floop_input = Flag(v); }},
        {{"loop_output"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Floop_output = ToInt(v); }},
        {{"v"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetVerbose(ToInt(v)); }},
        {{"target"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetTargetOption(v); }},
        {{"threads"}, [](TCustomFFmpeg&, const QString& n, const QString&) {
             Raise(QStringLiteral("TODO: option - ") + n);
         }},
        {{"vsync"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fvideo_sync_method = ToInt(v); }},
        {{"async"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Faudio_sync_method = ToInt(v); }},
        {{"adrift_threshold"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             s.FOpt.Faudio_drift_threshold = ToFloat(v);
         }},
        {{"vglobal"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fvideo_global_header = ToInt(v); }},
        {{"copyts"}, [](TCustomFFmpeg& s, const QString&, const QString&) { s.FOpt.Fcopy_ts = true; }},
        {{"shortest"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fopt_shortest = Flag(v); }},
        {{"dts_delta_threshold"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             s.FOpt.Fdts_delta_threshold = ToFloat(v);
         }},
        {{"programid"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fopt_programid = ToInt(v); }},
        {{"xerror"}, [](TCustomFFmpeg& s, const QString&, const QString&) { s.FOpt.Fexit_on_error = true; }},
        {{"copyinkf"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             s.FOpt.Fcopy_initial_nonkeyframes = ToInt(v);
         }},
        {{"b", "vb"}, [](TCustomFFmpeg& s, const QString& n, const QString& v) { s.SetBitRateOption(n, v); }},
        {{"vframes"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             s.FOpt.Fmax_frames[AVMEDIA_TYPE_VIDEO] = ToInt(v);
         }},
        {{"r"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetFrameRate(v); }},
        {{"s"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetFrameSize(v); }},
        {{"aspect"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetAspectRatio(v); }},
        {{"pix_fmt"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             if (v == QLatin1String("list")) {
                 s.ListPixelFormats();
                 return;
             }
             const int fmt = ff::av_get_pix_fmt(Utf8(v).c_str());
             if (fmt == AV_PIX_FMT_NONE) Raise(QStringLiteral("Unknown pixel format requested: %1").arg(v));
             s.FOpt.Fframe_pix_fmt = fmt;
         }},
        {{"croptop"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetCropTop(ToInt(v)); }},
        {{"cropbottom"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetCropBottom(ToInt(v)); }},
        {{"cropleft"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetCropLeft(ToInt(v)); }},
        {{"cropright"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetCropRight(ToInt(v)); }},
        {{"padtop", "padbottom", "padleft", "padright", "padcolor"}, [](TCustomFFmpeg&, const QString&, const QString&) {
             Raise(QStringLiteral("Please use vfilters=pad"));
         }},
        {{"intra"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fintra_only = Flag(v); }},
        {{"vn"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fvideo_disable = Flag(v); }},
        {{"vdt"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fvideo_discard = ToInt(v); }},
        {{"qscale"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             const float q = ToFloat(v);
             if (!(q > 0.0f && q <= 255.0f)) Raise(QStringLiteral("qscale must be > 0.0 and <= 255"));
             s.FOpt.Fvideo_qscale = q;
         }},
        {{"rc_override"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             s.FOpt.Fvideo_rc_override_string = Utf8(v);
         }},
        {{"vcodec"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetVideoCodec(v); }},
        {{"me_threshold"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fme_threshold = ToInt(v); }},
        {{"sameq"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fsame_quality = Flag(v); }},
        {{"pass"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             const int pass = ToInt(v);
             if (pass != 1 && pass != 2) Raise(QStringLiteral("pass number can be only 1 or 2"));
             s.FOpt.Fdo_pass = pass;
         }},
        {{"passlogfile"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             s.FOpt.Fpass_logfilename_prefix = Utf8(v);
         }},
        {{"deinterlace"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fdo_deinterlace = Flag(v); }},
        {{"psnr"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fdo_psnr = Flag(v); }},
        {{"vstats"}, [](TCustomFFmpeg& s, const QString&, const QString&) { s.SetVstats(); }},
        {{"vstats_file"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fvstats_filename = Utf8(v); }},
        {{"vhook"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             // "library arg1 arg2 ...": the words become the hook's argv.
             std::vector<QByteArray> words;
             for (const QString& w : v.split(u' ', Qt::SkipEmptyParts)) words.push_back(w.toUtf8());
             std::vector<char*> argv;
             for (QByteArray& w : words) argv.push_back(w.data());
             argv.push_back(nullptr);
             if (FrameHookAdd(s.FFrameHooks, static_cast<int>(words.size()), argv.data()) != 0)
                 Raise(QStringLiteral("Failed to add video hook function: ") + v);
             s.FOpt.Fusing_vhook = true;
         }},
        {{"vfilters", "vf"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetVideoFilters(v); }},
        {{"intra_matrix"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetMatrix(s.FOpt.Fintra_matrix, v); }},
        {{"inter_matrix"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetMatrix(s.FOpt.Finter_matrix, v); }},
        {{"top"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Ftop_field_first = ToInt(v); }},
        {{"dc"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fintra_dc_precision = ToInt(v); }},
        {{"vtag"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetVideoTag(v); }},
        {{"newvideo"}, newStream},
        {{"vlang"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fvideo_language = v; }},
        {{"qphist"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fqp_hist = Flag(v); }},
        {{"force_fps"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fforce_fps = Flag(v); }},
        {{"streamid"}, [](TCustomFFmpeg& s, const QString& n, const QString& v) { s.SetStreamId(n, v); }},
        {{"ab"}, [](TCustomFFmpeg& s, const QString& n, const QString& v) { s.SetBitRateOption(n, v); }},
        {{"aframes"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             s.FOpt.Fmax_frames[AVMEDIA_TYPE_AUDIO] = ToInt(v);
         }},
        {{"aq"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Faudio_qscale = ToFloat(v); }},
        {{"ar"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetAudioSampleRate(ToInt(v)); }},
        {{"ac"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetAudioChannels(ToInt(v)); }},
        {{"an"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Faudio_disable = Flag(v); }},
        {{"acodec"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetAudioCodec(v); }},
        {{"atag"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetAudioTag(v); }},
        {{"vol"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Faudio_volume = ToInt(v); }},
        {{"newaudio"}, newStream},
        {{"alang"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Faudio_language = v; }},
        {{"sample_fmt"}, [](TCustomFFmpeg& s, const QString&, const QString& v) {
             if (v == QLatin1String("list")) {
                 s.ListSampleFormats();
                 return;
             }
             s.FOpt.Faudio_sample_fmt = ff::av_get_sample_fmt(Utf8(v).c_str());
         }},
        {{"sn"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fsubtitle_disable = Flag(v); }},
        {{"scodec"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetSubtitleCodec(v); }},
        {{"newsubtitle"}, newStream},
        {{"slang"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fsubtitle_language = v; }},
        {{"stag"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.SetSubtitleTag(v); }},
        {{"vc"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fvideo_channel = ToInt(v); }},
        {{"tvstd"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fvideo_standard = Utf8(v); }},
        {{"isync"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Finput_sync = Flag(v); }},
        {{"muxdelay"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fmux_max_delay = ToFloat(v); }},
        {{"muxpreload"}, [](TCustomFFmpeg& s, const QString&, const QString& v) { s.FOpt.Fmux_preload = ToFloat(v); }},
        {{"absf", "vbsf", "sbsf"}, [](TCustomFFmpeg& s, const QString& n, const QString& v) {
             s.AddBitStreamFilter(n, v);
         }},
        {{"apre", "vpre", "spre", "fpre"}, [](TCustomFFmpeg& s, const QString& n, const QString& v) {
             s.ApplyPreset(n, v);
         }},
    };

    const std::string name = Utf8(AName);
    for (const Row& row : kRows)
        for (const char* n : row.names)
            if (name == n) {
                row.handler(*this, AName, AValue);
                return;
            }
    SetGenericOption(GenericOptionsForWrite(), name, Utf8(AValue));
}

// ---------------------------------------------------------------------------
// Handlers with more than one line

void TCustomFFmpeg::SetStreamMap(const QString& AValue) {
    if (Fnb_stream_maps >= static_cast<int>(Fstream_maps.size()))
        Raise(QStringLiteral("Too many stream maps: at most %1").arg(Fstream_maps.size()));
    const std::string text = Utf8(AValue);
    const char* p = text.c_str();
    TAVStreamMap m;
    m.file_index = static_cast<int>(ReadLong(p));
    SkipOne(p);
    m.stream_index = static_cast<int>(ReadLong(p));
    if (*p) {
        SkipOne(p);
        m.sync_file_index = static_cast<int>(ReadLong(p));
        SkipOne(p);
        m.sync_stream_index = static_cast<int>(ReadLong(p));
    } else {
        m.sync_file_index = m.file_index;
        m.sync_stream_index = m.stream_index;
    }
    Fstream_maps[Fnb_stream_maps++] = m;
}

void TCustomFFmpeg::SetMetaDataMap(const QString& AValue) {
    if (Fnb_meta_data_maps >= static_cast<int>(Fmeta_data_maps.size()))
        Raise(QStringLiteral("Too many metadata maps: at most %1").arg(Fmeta_data_maps.size()));
    const std::string text = Utf8(AValue);
    const char* p = text.c_str();
    TAVMetaDataMap m;
    m.out_file = static_cast<int>(ReadLong(p));
    SkipOne(p);
    m.in_file = static_cast<int>(ReadLong(p));
    Fmeta_data_maps[Fnb_meta_data_maps++] = m;
}

void TCustomFFmpeg::SetInputStreamScale(const QString& AValue) {
    const std::string text = Utf8(AValue);
    const char* p = text.c_str();
    const long stream = ReadLong(p);
    SkipOne(p);
    const double scale = std::strtod(p, nullptr);
    if (stream < 0 || stream >= MAX_STREAMS) Raise(StreamIndexOver());
    if (Fnb_input_files >= FMaxFiles) Raise(QStringLiteral("max input files %1 reached").arg(FMaxFiles));
    Finput_files_ts_scale[Fnb_input_files][stream] = scale;
}

void TCustomFFmpeg::SetStreamId(const QString& AName, const QString& AValue) {
    const int colon = AValue.indexOf(u':');
    const QString index = colon < 0 ? AValue : AValue.left(colon);
    const QString value = colon < 0 ? QString() : AValue.mid(colon + 1);
    if (index.isEmpty() || value.isEmpty())
        Raise(QStringLiteral("Invalid value \"%1\" for option \"%2\", required syntax is \"index:value\"")
                  .arg(AValue, AName));
    const int i = ToInt(index);
    const int v = ToInt(value);
    if (i < 0 || i >= MAX_STREAMS) Raise(StreamIndexOver());
    Fstreamid_map[i] = v;
}

void TCustomFFmpeg::SetMatrix(std::vector<uint16_t>& AMatrix, const QString& AValue) {
    AMatrix.assign(64, 0);
    const std::string text = Utf8(AValue);
    const char* p = text.c_str();
    for (int i = 0; i < 64; ++i) {
        AMatrix[i] = static_cast<uint16_t>(std::strtol(p, nullptr, 10));
        if (i == 63) break;
        p = std::strchr(p, ',');
        if (!p) Raise(QStringLiteral("Syntax error in matrix \"%1\" at coeff %2").arg(AValue).arg(i));
        ++p;
    }
}

void TCustomFFmpeg::SetMetadataOption(const QString& AValue) {
    const int eq = AValue.indexOf(u'=');
    if (eq < 0) Raise(QStringLiteral("Missing ="));
    AddMetadata(Utf8(AValue.left(eq)), Utf8(AValue.mid(eq + 1)));
}

int64_t TCustomFFmpeg::ParseTime(const QString& AName, const QString& AValue, bool ADuration) {
    int64_t us = 0;
    if (ff::av_parse_time(&us, Utf8(AValue).c_str(), ADuration ? 1 : 0) < 0)
        Raise(QStringLiteral("Invalid %1 specification for %2: %3")
                  .arg(ADuration ? QStringLiteral("duration") : QStringLiteral("date"), AName, AValue));
    return us;
}

void TCustomFFmpeg::SetBitRateOption(const QString& AName, const QString& AValue) {
    TFFOptions& opts = GenericOptionsForWrite();
    if (!SetGenericOption(opts, Utf8(AName), Utf8(AValue))) return;
    const AVMediaType kind = AName.startsWith(u'a') ? AVMEDIA_TYPE_AUDIO : AVMEDIA_TYPE_VIDEO;
    // The audio bit rate is stored under the libraries' own name "ab".
    std::string b = kind == AVMEDIA_TYPE_AUDIO ? GenericCodecValue(&opts, kind, "ab") : std::string();
    if (b.empty()) b = GenericCodecValue(&opts, kind, "b");
    if (!b.empty() && std::strtoll(b.c_str(), nullptr, 10) < 1000)
        Log(llWarning, QStringLiteral("WARNING: The bitrate parameter is set too low. "
                                      "It takes bits/s as argument, not kbits/s"));
}

void TCustomFFmpeg::SetTargetOption(const QString& AValue) {
    QString target = AValue.trimmed();
    QString norm = QStringLiteral("auto");
    for (const char* prefix : {"pal-", "ntsc-", "film-"}) {
        const QString pre = QLatin1String(prefix);
        if (target.startsWith(pre)) {
            norm = pre.left(pre.size() - 1);
            target = target.mid(pre.size());
            break;
        }
    }
    SetTarget(target, norm, QStringLiteral("ntsc"));
}

void TCustomFFmpeg::SetVstats() {
    const QString name = QStringLiteral("%1vstats_%2.log")
                             .arg(GetApplicationPath(), QTime::currentTime().toString(QStringLiteral("hhmmss")));
    FOpt.Fvstats_filename = Utf8(name);
}

void TCustomFFmpeg::ListPixelFormats() {
    Log(llInfo, QStringLiteral("Pixel formats:"));
    Log(llInfo, QStringLiteral("name            nb_components bits_per_pixel"));
    for (const AVPixFmtDescriptor* d = ff::av_pix_fmt_desc_next(nullptr); d; d = ff::av_pix_fmt_desc_next(d)) {
        int bits = 0;
        for (int c = 0; c < d->nb_components; ++c) bits += d->comp[c].depth;
        Log(llInfo, QStringLiteral("%1 %2 %3").arg(QLatin1String(d->name), -15).arg(d->nb_components, 13).arg(bits, 14));
    }
}

void TCustomFFmpeg::ListSampleFormats() {
    char buf[128];
    for (int f = -1; f < AV_SAMPLE_FMT_NB; ++f) {
        ff::av_get_sample_fmt_string(buf, sizeof buf, static_cast<AVSampleFormat>(f));
        Log(llInfo, QString::fromUtf8(buf).trimmed());
    }
}

void TCustomFFmpeg::NewStreamOnLastOutput(AVMediaType AType) {
    if (Fnb_output_files <= 0) Raise(QStringLiteral("At least one output file must be specified"));
    TOutputFile& out = *Foutput_files[Fnb_output_files - 1];
    if (AType == AVMEDIA_TYPE_VIDEO)
        new_video_stream(out);
    else if (AType == AVMEDIA_TYPE_AUDIO)
        new_audio_stream(out);
    else
        new_subtitle_stream(out);
}

// ---------------------------------------------------------------------------
// Direct setters

void TCustomFFmpeg::SetFormat(const QString& AValue) {
    if (AValue.isEmpty()) return;
    QString format = AValue;
    if (format == QLatin1String("pgmyuv")) {
        FOpt.Fpgmyuv_compatibility_hack = 1;
        Log(llInfo, QStringLiteral("pgmyuv format is deprecated, use image2"));
        format = QStringLiteral("image2");
    }
    FOpt.Flast_asked_format = Utf8(format);
}

void TCustomFFmpeg::SetIntOption(const std::string& AName, int AValue) {
    SetGenericOption(GenericOptionsForWrite(), AName, std::to_string(AValue));
}

void TCustomFFmpeg::SetVerbose(int AValue) { FOpt.Fverbose = AValue; }

void TCustomFFmpeg::SetFrameRate(const QString& AValue) {
    AVRational q{0, 0};
    if (ff::av_parse_video_rate(&q, Utf8(AValue).c_str()) < 0) Raise(QStringLiteral("Incorrect frame rate"));
    FOpt.Fframe_rate = q;
}

void TCustomFFmpeg::SetFrameSize(const QString& AValue) {
    int w = 0, h = 0;
    if (ff::av_parse_video_size(&w, &h, Utf8(AValue).c_str()) < 0) Raise(QStringLiteral("Incorrect frame size"));
    FOpt.Fframe_width = w;
    FOpt.Fframe_height = h;
    FOpt.Fframe_size_asked = true;
}

void TCustomFFmpeg::SetAspectRatio(const QString& AValue) {
    if (AValue.isEmpty()) return;
    double ratio = 0;
    const int colon = AValue.indexOf(u':');
    if (colon >= 0) {
        bool ok = false;
        int w = AValue.left(colon).trimmed().toInt(&ok);
        if (!ok) w = 0;
        int h = AValue.mid(colon + 1).trimmed().toInt(&ok);
        if (!ok) h = 0;
        ratio = h > 0 ? static_cast<double>(w) / h : 0;
    } else {
        bool ok = false;
        ratio = AValue.trimmed().toDouble(&ok);
        if (!ok) ratio = 0;
    }
    if (ratio == 0) Raise(QStringLiteral("Incorrect aspect ratio specification."));
    FOpt.Fframe_aspect_ratio = static_cast<float>(ratio);
}

namespace {
const QString kCropTail = QStringLiteral(" crop dimensions are outside the range of the original image.\n"
                                         "Remember to crop first and scale second.");
}

// A band cut off one edge; the frame size left over shrinks with it.
void TCustomFFmpeg::SetCropBand(int AValue, int& ABand, int& ASize, const char* AAxis) {
    if (AValue <= 0) return;
    if (AValue >= ASize) Raise(QLatin1String(AAxis) + kCropTail);
    Log(llWarning, QStringLiteral("CropXXX is deprecated in favor of the crop avfilter"));
    ABand = AValue;
    ASize -= AValue;
}

void TCustomFFmpeg::SetCropTop(int AValue) {
    SetCropBand(AValue, FOpt.Fframe_topBand, FOpt.Fframe_height, "Vertical");
}
void TCustomFFmpeg::SetCropBottom(int AValue) {
    SetCropBand(AValue, FOpt.Fframe_bottomBand, FOpt.Fframe_height, "Vertical");
}
void TCustomFFmpeg::SetCropLeft(int AValue) {
    SetCropBand(AValue, FOpt.Fframe_leftBand, FOpt.Fframe_width, "Horizontal");
}
void TCustomFFmpeg::SetCropRight(int AValue) {
    SetCropBand(AValue, FOpt.Fframe_rightBand, FOpt.Fframe_width, "Horizontal");
}

void TCustomFFmpeg::AddMetadata(const std::string& AKey, const std::string& AValue) {
    Fmetadata.emplace_back(AKey, AValue);
}

void TCustomFFmpeg::SetAudioSampleRate(int AValue) {
    if (AValue <= 0) return;
    FOpt.Faudio_sample_rate = AValue;
    FOpt.Faudio_rate_asked = true;
}

void TCustomFFmpeg::SetAudioChannels(int AValue) {
    if (AValue <= 0) return;
    FOpt.Faudio_channels = AValue;
    FOpt.Faudio_channels_asked = true;
}

void TCustomFFmpeg::SetCodecName(std::string& AName, int& ACopy, const QString& AValue) {
    if (AValue.isEmpty()) return;
    AName.clear();
    if (AValue == QLatin1String("copy"))
        ACopy = 1;
    else
        AName = Utf8(AValue);
}

void TCustomFFmpeg::SetVideoCodec(const QString& AValue) {
    SetCodecName(FOpt.Fvideo_codec_name, FOpt.Fvideo_stream_copy, AValue);
}

void TCustomFFmpeg::SetAudioCodec(const QString& AValue) {
    SetCodecName(FOpt.Faudio_codec_name, FOpt.Faudio_stream_copy, AValue);
}

void TCustomFFmpeg::SetSubtitleCodec(const QString& AValue) {
    SetCodecName(FOpt.Fsubtitle_codec_name, FOpt.Fsubtitle_stream_copy, AValue);
}

void TCustomFFmpeg::SetTag(unsigned& ATag, const QString& AValue, const char* AKind) {
    if (AValue.isEmpty()) return;
    const std::string bytes = Utf8(AValue);
    if (bytes.size() != 4) Raise(QStringLiteral("%1 tag parameter must be 4 chars").arg(QLatin1String(AKind)));
    ATag = static_cast<unsigned char>(bytes[0]) | static_cast<unsigned char>(bytes[1]) << 8 |
           static_cast<unsigned char>(bytes[2]) << 16 | static_cast<unsigned>(static_cast<unsigned char>(bytes[3])) << 24;
}

void TCustomFFmpeg::SetVideoTag(const QString& AValue) { SetTag(FOpt.Fvideo_codec_tag, AValue, "video"); }
void TCustomFFmpeg::SetAudioTag(const QString& AValue) { SetTag(FOpt.Faudio_codec_tag, AValue, "audio"); }
void TCustomFFmpeg::SetSubtitleTag(const QString& AValue) { SetTag(FOpt.Fsubtitle_codec_tag, AValue, "subtitle"); }

void TCustomFFmpeg::SetVideoFilters(const QString& AValue) {
    if (!AValue.isEmpty()) FOpt.Fvfilters = AValue;
}

void TCustomFFmpeg::SetRecordingTime(int64_t AValue) {
    if (AValue == AV_NOPTS_VALUE) return;
    FOpt.Frecording_time = AValue;
    FTotalOutputDuration = AValue;
}

void TCustomFFmpeg::SetStartTime(int64_t AValue) {
    if (AValue != AV_NOPTS_VALUE) FOpt.Fstart_time = AValue;
}

void TCustomFFmpeg::SetProgramID(int AValue) {
    if (AValue >= 0) FOpt.Fopt_programid = AValue;
}

void TCustomFFmpeg::SetPostHooks(TPostHooks AValue) {
    std::lock_guard lock(PostHookLock());
    FOpt.FPostHooks = AValue;
}

void TCustomFFmpeg::SetAudioVolume(int AValue) {
    if (AValue >= 0) FOpt.Faudio_volume = AValue;
}

void TCustomFFmpeg::SetAudioSyncMethod(int AValue) { FOpt.Faudio_sync_method = AValue; }
void TCustomFFmpeg::SetVideoSyncMethod(int AValue) { FOpt.Fvideo_sync_method = AValue; }

void TCustomFFmpeg::SetMuxMaxDelay(float AValue) {
    if (AValue > 0) FOpt.Fmux_max_delay = AValue;
}

void TCustomFFmpeg::SetMuxPreload(float AValue) {
    if (AValue > 0) FOpt.Fmux_preload = AValue;
}
