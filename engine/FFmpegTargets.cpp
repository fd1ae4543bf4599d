// Targets (disc and DV formats), presets (built-in x264 rows and preset files)
// and bitstream filters: operations that fill the option state in bulk.
#include "engine/FFmpeg.h"
#include "engine/FFmpegInternal.h"

#include <QFile>

#include <cmath>

namespace {

[[noreturn]] void Raise(const QString& AMsg) { throw FFmpegException(AMsg); }

enum TNorm { nmPAL, nmNTSC, nmFILM };

// One row per target: sizes and GOP lengths are PAL / NTSC-and-FILM.
struct TTargetRow {
    const char* name;
    const char* vcodec;
    const char* acodec;
    const char* format;
    const char* size[2];
    const char* gop[2];
    std::initializer_list<std::pair<const char*, const char*>> generic;
    int sampleRate;
    bool forceStereo;      // one channel becomes two
    bool setChannels2;     // channels := 2 whatever they were
    float muxPreload;      // 0 = unchanged
    const char* aspect;    // set when none was set; nullptr = leave
};

// Scan offset is the MPEG-2 encoder's own "scan_offset" option, not a
// "flags" bit; "muxrate" belongs to the MPEG muxers.
const TTargetRow kTargets[] = {
    {"vcd", "mpeg1video", "mp2", "vcd", {"352x288", "352x240"}, {"15", "18"},
     {{"b", "1150000"}, {"maxrate", "1150000"}, {"minrate", "1150000"}, {"bufsize", "327680"}, {"ab", "224000"},
      {"packetsize", "2324"}, {"muxrate", "1411200"}},
     44100, false, true, 0.44f, "4:3"},
    {"svcd", "mpeg2video", "mp2", "svcd", {"480x576", "480x480"}, {"15", "18"},
     {{"b", "2040000"}, {"maxrate", "2516000"}, {"minrate", "0"}, {"bufsize", "1835008"}, {"scan_offset", "1"},
      {"ab", "224000"}, {"packetsize", "2324"}},
     44100, true, false, 0, "4:3"},
    {"dvd", "mpeg2video", "ac3", "dvd", {"720x576", "720x480"}, {"15", "18"},
     {{"b", "6000000"}, {"maxrate", "9000000"}, {"minrate", "0"}, {"bufsize", "1835008"}, {"packetsize", "2048"},
      {"muxrate", "10080000"}, {"ab", "448000"}},
     48000, true, false, 0, "16:9"},
};

TNorm NormOfRate(double rate, bool& decided) {
    const long r = std::lrint(rate * 1000);
    decided = true;
    if (r == 25000) return nmPAL;
    if (r == 29970 || r == 23976) return nmNTSC;
    decided = false;
    return nmPAL;
}

// The classic x264 preset rows, written with the option names the current
// libx264 wrapper understands (flags2 bits, directpred, wpredp, me_method,
// partitions and cqp became options of their own).
struct TOptionsPreset {
    const char* Name;
    const char* Value;
};

#define QV_X264_COMMON "g=250\nkeyint_min=25\ni_qfactor=0.71\nqcomp=0.6\nqmin=10\nqmax=51\nqdiff=4\n"
#define QV_X264_FIRSTPASS                                                                             \
    "coder=1\nflags=+loop\ncmp=+chroma\npartitions=none\nmotion-est=dia\nsubq=2\nme_range=16\n"      \
    QV_X264_COMMON "sc_threshold=40\nb_strategy=1\nbf=3\nrefs=1\ndirect-pred=1\ntrellis=0\n"          \
    "b-pyramid=normal\nmixed-refs=0\nweightb=1\n8x8dct=0\nfast-pskip=1\nweightp=2\n"
#define QV_X264_MEDIUM                                                                                \
    "coder=1\nflags=+loop\ncmp=+chroma\npartitions=i8x8,i4x4,p8x8,b8x8\nmotion-est=hex\nsubq=7\n"    \
    "me_range=16\n" QV_X264_COMMON "sc_threshold=40\nb_strategy=1\nbf=3\nrefs=3\ndirect-pred=1\n"     \
    "trellis=1\nb-pyramid=normal\nmixed-refs=1\nweightb=1\n8x8dct=1\nfast-pskip=1\nweightp=2\n"
#define QV_X264_LOSSLESS(coder, parts, me, subq, refs)                                                 \
    "coder=" coder "\nflags=+loop\ncmp=+chroma\npartitions=" parts "\nmotion-est=" me "\nsubq=" subq  \
    "\nme_range=16\n" QV_X264_COMMON "sc_threshold=40\nb_strategy=1\nrefs=" refs "\ndirect-pred=1\n"   \
    "mixed-refs=1\nfast-pskip=1\nqp=0\n"

const TOptionsPreset kX264Presets[] = {
    {"libx264-baseline", "coder=0\nbf=0\nweightb=0\n8x8dct=0\nweightp=0\n"},
    {"libx264-default", QV_X264_MEDIUM "mbtree=1\n"},
    {"libx264-fast", "coder=1\nflags=+loop\ncmp=+chroma\npartitions=i8x8,i4x4,p8x8,b8x8\nmotion-est=hex\nsubq=6\n"
                     "me_range=16\n" QV_X264_COMMON "sc_threshold=40\nb_strategy=1\nbf=3\nrefs=2\ndirect-pred=1\n"
                     "trellis=1\nb-pyramid=normal\nmixed-refs=1\nweightb=1\n8x8dct=1\nfast-pskip=1\nweightp=2\n"
                     "rc-lookahead=30\n"},
    {"libx264-fast_firstpass", QV_X264_FIRSTPASS "rc-lookahead=30\n"},
    {"libx264-faster", "coder=1\nflags=+loop\ncmp=+chroma\npartitions=i8x8,i4x4,p8x8,b8x8\nmotion-est=hex\n"
                       "subq=4\nme_range=16\n" QV_X264_COMMON "sc_threshold=40\nb_strategy=1\nbf=3\nrefs=2\n"
                       "direct-pred=1\ntrellis=1\nb-pyramid=normal\nmixed-refs=0\nweightb=1\n8x8dct=1\n"
                       "fast-pskip=1\nweightp=1\nrc-lookahead=20\n"},
    {"libx264-faster_firstpass", QV_X264_FIRSTPASS "rc-lookahead=20\n"},
    {"libx264-fastfirstpass", QV_X264_FIRSTPASS},
    {"libx264-hq", "coder=1\nflags=+loop\ncmp=+chroma\npartitions=i8x8,i4x4,p8x8,b8x8\nmotion-est=umh\nsubq=8\n"
                   "me_range=16\n" QV_X264_COMMON "sc_threshold=40\nb_strategy=2\nbf=3\nrefs=4\ndirect-pred=3\n"
                   "trellis=1\nb-pyramid=normal\nmixed-refs=1\nweightb=1\n8x8dct=1\nfast-pskip=1\nweightp=2\n"},
    {"libx264-ipod320", "coder=0\nbf=0\nweightb=0\n8x8dct=0\nlevel=13\nmaxrate=768000\nbufsize=3000000\nweightp=0\n"},
    {"libx264-ipod640", "coder=0\nbf=0\nweightb=0\n8x8dct=0\nlevel=30\nmaxrate=10000000\nbufsize=10000000\n"
                        "weightp=0\n"},
    {"libx264-lossless_fast", QV_X264_LOSSLESS("0", "i8x8,i4x4", "hex", "3", "2")},
    {"libx264-lossless_max", QV_X264_LOSSLESS("1", "i8x8,i4x4,p8x8,b8x8,p4x4", "esa", "8", "16")},
    {"libx264-lossless_medium", QV_X264_LOSSLESS("1", "i8x8,i4x4", "hex", "5", "2")},
    {"libx264-lossless_slow", QV_X264_LOSSLESS("1", "i8x8,i4x4,p8x8,b8x8", "umh", "6", "3")},
    {"libx264-lossless_slower", QV_X264_LOSSLESS("1", "i8x8,i4x4,p8x8,b8x8,p4x4", "umh", "8", "4")},
    {"libx264-lossless_ultrafast", "coder=0\nflags=+loop\ncmp=+chroma\npartitions=none\nmotion-est=dia\nsubq=0\n"
                                   "me_range=16\n" QV_X264_COMMON "sc_threshold=40\nb_strategy=1\nrefs=1\n"
                                   "direct-pred=1\nmixed-refs=0\nfast-pskip=1\nqp=0\n"},
    {"libx264-main", "8x8dct=0\n"},
    {"libx264-max", "coder=1\nflags=+loop\ncmp=+chroma\npartitions=all\nmotion-est=tesa\nsubq=10\nme_range=24\n"
                    QV_X264_COMMON "sc_threshold=40\nb_strategy=2\nbf=16\nrefs=16\ndirect-pred=3\ntrellis=2\n"
                    "b-pyramid=normal\nmixed-refs=1\nweightb=1\n8x8dct=1\nfast-pskip=0\nweightp=2\n"
                    "rc-lookahead=60\n"},
    {"libx264-medium", QV_X264_MEDIUM},
    {"libx264-medium_firstpass", QV_X264_FIRSTPASS},
    {"libx264-normal", "coder=1\nflags=+loop\ncmp=+chroma\npartitions=i8x8,i4x4,p8x8,b8x8\nmotion-est=hex\n"
                       "subq=6\nme_range=16\n" QV_X264_COMMON "sc_threshold=40\nb_strategy=1\nbf=3\nrefs=2\n"
                       "direct-pred=3\ntrellis=0\nb-pyramid=normal\nmixed-refs=0\nweightb=1\n8x8dct=1\n"
                       "fast-pskip=1\nweightp=2\n"},
    {"libx264-placebo", "coder=1\nflags=+loop\ncmp=+chroma\npartitions=all\nmotion-est=tesa\nsubq=10\n"
                        "me_range=24\n" QV_X264_COMMON "sc_threshold=40\nb_strategy=2\nbf=16\nrefs=16\n"
                        "direct-pred=3\ntrellis=2\nb-pyramid=normal\nmixed-refs=1\nweightb=1\n8x8dct=1\n"
                        "fast-pskip=0\nweightp=2\nrc-lookahead=60\n"},
    {"libx264-placebo_firstpass", QV_X264_FIRSTPASS "rc-lookahead=60\n"},
    {"libx264-slow", "coder=1\nflags=+loop\ncmp=+chroma\npartitions=i8x8,i4x4,p8x8,b8x8\nmotion-est=umh\nsubq=8\n"
                     "me_range=16\n" QV_X264_COMMON "sc_threshold=40\nb_strategy=2\nbf=3\nrefs=5\ndirect-pred=3\n"
                     "trellis=1\nb-pyramid=normal\nmixed-refs=1\nweightb=1\n8x8dct=1\nfast-pskip=1\nweightp=2\n"
                     "rc-lookahead=50\n"},
    {"libx264-slow_firstpass", QV_X264_FIRSTPASS "rc-lookahead=50\n"},
    {"libx264-slower", "coder=1\nflags=+loop\ncmp=+chroma\npartitions=all\nmotion-est=umh\nsubq=9\nme_range=16\n"
                       QV_X264_COMMON "sc_threshold=40\nb_strategy=2\nbf=3\nrefs=8\ndirect-pred=3\ntrellis=2\n"
                       "b-pyramid=normal\nmixed-refs=1\nweightb=1\n8x8dct=1\nfast-pskip=1\nweightp=2\n"
                       "rc-lookahead=60\n"},
    {"libx264-slower_firstpass", QV_X264_FIRSTPASS "rc-lookahead=60\n"},
    {"libx264-slowfirstpass", QV_X264_FIRSTPASS "rc-lookahead=50\n"},
    {"libx264-superfast", "coder=1\nflags=+loop\ncmp=+chroma\npartitions=i8x8,i4x4\nmotion-est=dia\nsubq=1\n"
                          "me_range=16\n" QV_X264_COMMON "sc_threshold=40\nb_strategy=1\nbf=3\nrefs=1\n"
                          "direct-pred=1\ntrellis=0\nb-pyramid=normal\nmixed-refs=0\nweightb=1\n8x8dct=1\n"
                          "fast-pskip=1\nmbtree=0\nweightp=0\nrc-lookahead=0\n"},
    {"libx264-superfast_firstpass", QV_X264_FIRSTPASS "mbtree=0\nrc-lookahead=0\n"},
    {"libx264-ultrafast", "coder=0\nflags=-loop\ncmp=+chroma\npartitions=none\nmotion-est=dia\nsubq=0\n"
                          "me_range=16\n" QV_X264_COMMON "sc_threshold=0\nb_strategy=0\nbf=0\nrefs=1\n"
                          "direct-pred=1\ntrellis=0\nb-pyramid=none\nmixed-refs=0\nweightb=0\n8x8dct=0\n"
                          "fast-pskip=1\nmbtree=0\nweightp=0\naq-mode=0\nrc-lookahead=0\n"},
    {"libx264-ultrafast_firstpass", "coder=0\nflags=-loop\ncmp=+chroma\npartitions=none\nmotion-est=dia\n"
                                    "subq=0\nme_range=16\n" QV_X264_COMMON "sc_threshold=0\nb_strategy=0\n"
                                    "bf=0\nrefs=1\ndirect-pred=1\ntrellis=0\nb-pyramid=none\nmixed-refs=0\n"
                                    "weightb=0\n8x8dct=0\nfast-pskip=1\nmbtree=0\nweightp=0\naq-mode=0\n"
                                    "rc-lookahead=0\n"},
    {"libx264-veryfast", "coder=1\nflags=+loop\ncmp=+chroma\npartitions=i8x8,i4x4,p8x8,b8x8\nmotion-est=hex\n"
                         "subq=2\nme_range=16\n" QV_X264_COMMON "sc_threshold=40\nb_strategy=1\nbf=3\nrefs=1\n"
                         "direct-pred=1\ntrellis=0\nb-pyramid=normal\nmixed-refs=0\nweightb=1\n8x8dct=1\n"
                         "fast-pskip=1\nweightp=0\nrc-lookahead=10\n"},
    {"libx264-veryfast_firstpass", QV_X264_FIRSTPASS "weightp=0\nrc-lookahead=10\n"},
    {"libx264-veryslow", "coder=1\nflags=+loop\ncmp=+chroma\npartitions=all\nmotion-est=umh\nsubq=10\n"
                         "me_range=24\n" QV_X264_COMMON "sc_threshold=40\nb_strategy=2\nbf=8\nrefs=16\n"
                         "direct-pred=3\ntrellis=2\nb-pyramid=normal\nmixed-refs=1\nweightb=1\n8x8dct=1\n"
                         "fast-pskip=1\nweightp=2\nrc-lookahead=60\n"},
    {"libx264-veryslow_firstpass", QV_X264_FIRSTPASS "rc-lookahead=60\n"},
};

#undef QV_X264_COMMON
#undef QV_X264_FIRSTPASS
#undef QV_X264_MEDIUM
#undef QV_X264_LOSSLESS

const TOptionsPreset* FindBuiltinPreset(const QString& AName) {
    for (const TOptionsPreset& p : kX264Presets)
        if (AName.compare(QLatin1String(p.Name), Qt::CaseInsensitive) == 0) return &p;
    return nullptr;
}

}  // namespace

std::vector<std::pair<QString, QString>> BuiltinPresets() {
    std::vector<std::pair<QString, QString>> rows;
    for (const TOptionsPreset& p : kX264Presets) rows.emplace_back(QLatin1String(p.Name), QLatin1String(p.Value));
    return rows;
}

// ---------------------------------------------------------------------------
// Targets

void TCustomFFmpeg::SetTarget(const QString& ATarget, const QString& ANorm, const QString& ADefaultNorm) {
    TNorm norm = nmPAL;
    if (ANorm == QLatin1String("pal")) {
        norm = nmPAL;
    } else if (ANorm == QLatin1String("ntsc")) {
        norm = nmNTSC;
    } else if (ANorm == QLatin1String("film")) {
        norm = nmFILM;
    } else {
        if (FOpt.Fframe_rate.den == 0) Raise(QStringLiteral("frame_rate is invalid."));
        bool decided = false;
        norm = NormOfRate(static_cast<double>(FOpt.Fframe_rate.num) / FOpt.Fframe_rate.den, decided);
        for (int f = 0; f < Fnb_input_files && !decided; ++f) {
            const AVFormatContext* ic = Finput_files[f];
            for (unsigned i = 0; i < ic->nb_streams && !decided; ++i) {
                const AVStream* st = ic->streams[i];
                if (st->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) continue;
                const AVRational r = st->r_frame_rate.num ? st->r_frame_rate : st->avg_frame_rate;
                if (r.num && r.den) norm = NormOfRate(static_cast<double>(r.num) / r.den, decided);
            }
        }
        if (!decided) {
            norm = ADefaultNorm == QLatin1String("film")   ? nmFILM
                   : ADefaultNorm == QLatin1String("ntsc") ? nmNTSC
                                                           : nmPAL;
        }
        if (FOpt.Fverbose > 0)
            Log(llVerbose, QStringLiteral("Assuming %1 for target.")
                               .arg(norm == nmPAL ? QStringLiteral("PAL") : QStringLiteral("NTSC")));
    }
    const int column = norm == nmPAL ? 0 : 1;
    static const char* const kRates[] = {"25", "30000/1001", "24000/1001"};
    const QString rate = QLatin1String(kRates[norm]);

    const auto assumeAspect = [this](const char* aspect) {
        if (!aspect || FOpt.Fframe_aspect_ratio != 0) return;
        Log(llInfo, QStringLiteral("Assuming %1 for aspect ratio").arg(QLatin1String(aspect)));
        SetAspectRatio(QLatin1String(aspect));
    };

    for (const TTargetRow& t : kTargets) {
        if (ATarget != QLatin1String(t.name)) continue;
        SetVideoCodec(QLatin1String(t.vcodec));
        SetAudioCodec(QLatin1String(t.acodec));
        SetFormat(QLatin1String(t.format));
        SetFrameSize(QLatin1String(t.size[column]));
        SetFrameRate(rate);
        TFFOptions& opts = GenericOptionsForWrite();
        SetGenericOption(opts, "g", t.gop[column]);
        for (const auto& [name, value] : t.generic) SetGenericOption(opts, name, value);
        SetAudioSampleRate(t.sampleRate);
        if (t.setChannels2) SetAudioChannels(2);
        if (t.forceStereo && FOpt.Faudio_channels == 1) SetAudioChannels(2);
        if (t.muxPreload > 0) FOpt.Fmux_preload = t.muxPreload;
        assumeAspect(t.aspect);
        return;
    }
    if (ATarget == QLatin1String("dv") || ATarget == QLatin1String("dv50")) {
        SetFormat(QStringLiteral("dv"));
        SetFrameSize(column == 0 ? QStringLiteral("720x576") : QStringLiteral("720x480"));
        SetFrameRate(rate);
        const char* pix = ATarget == QLatin1String("dv50") ? "yuv422p" : norm == nmPAL ? "yuv420p" : "yuv411p";
        FOpt.Fframe_pix_fmt = ff::av_get_pix_fmt(pix);
        SetAudioSampleRate(48000);
        SetAudioChannels(2);
        return;
    }
    Raise(QStringLiteral("Unknown target type"));
}

// ---------------------------------------------------------------------------
// Presets

void TCustomFFmpeg::ApplyPreset(const QString& AOptName, const QString& AValue) {
    if (AOptName.isEmpty() || AValue.isEmpty()) return;
    QString lookedUp = AValue;
    const TOptionsPreset* builtin = nullptr;
    if (!AOptName.startsWith(u'f')) {
        builtin = FindBuiltinPreset(AValue);
        if (!builtin) {
            const std::string* codec = nullptr;
            if (AOptName.startsWith(u'v') && !FOpt.Fvideo_codec_name.empty())
                codec = &FOpt.Fvideo_codec_name;
            else if (AOptName.startsWith(u'a') && !FOpt.Faudio_codec_name.empty())
                codec = &FOpt.Faudio_codec_name;
            else if (!FOpt.Fsubtitle_codec_name.empty())
                codec = &FOpt.Fsubtitle_codec_name;
            if (codec) {
                const QString prefixed = QString::fromStdString(*codec) + u'-' + AValue;
                builtin = FindBuiltinPreset(prefixed);
                if (builtin) lookedUp = prefixed;
            }
        }
    }

    QString text;
    if (builtin) {
        text = QLatin1String(builtin->Value);
    } else {
        QFile file(AValue);
        if (!file.exists() || !file.open(QIODevice::ReadOnly))
            Raise(QStringLiteral("Preset \"%1\" not found").arg(AValue));
        text = QString::fromUtf8(file.readAll());
    }
    text = text.trimmed();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');

    const QStringList lines = text.split(u'\n');
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) continue;
        const int eq = line.indexOf(u'=');
        const QString key = eq < 0 ? QString() : line.left(eq);
        const QString value = eq < 0 ? QString() : line.mid(eq + 1);
        if (key.isEmpty() || value.isEmpty())
            Raise(QStringLiteral("%1: Invalid syntax: \"%2\"").arg(lookedUp, line));
        if (key.compare(QLatin1String("acodec"), Qt::CaseInsensitive) == 0)
            SetAudioCodec(value);
        else if (key.compare(QLatin1String("vcodec"), Qt::CaseInsensitive) == 0)
            SetVideoCodec(value);
        else if (key.compare(QLatin1String("scodec"), Qt::CaseInsensitive) == 0)
            SetSubtitleCodec(value);
        else if (!SetGenericOption(GenericOptionsForWrite(), Utf8(key), Utf8(value)))
            Raise(QStringLiteral("%1: Invalid option or argument: \"%2\", parsed as \"%3\" = \"%4\"")
                      .arg(lookedUp, line, key, value));
    }
}

// ---------------------------------------------------------------------------
// Bitstream filters

void TCustomFFmpeg::AddBitStreamFilter(const QString& AOptName, const QString& AValue) {
    if (AOptName.isEmpty() || AValue.isEmpty() || AValue.startsWith(u'=')) return;
    const int eq = AValue.indexOf(u'=');
    const QString name = eq < 0 ? AValue : AValue.left(eq);
    TBitStreamFilterItem item;
    item.filter = ff::av_bsf_get_by_name(Utf8(name).c_str());
    if (!item.filter) Raise(QStringLiteral("Unknown bitstream filter %1").arg(AValue.trimmed()));
    if (eq >= 0) item.args = Utf8(AValue.mid(eq + 1));
    TBitStreamFilterChain& chain = AOptName.startsWith(u'v')   ? Fvideo_bitstream_filters
                                   : AOptName.startsWith(u'a') ? Faudio_bitstream_filters
                                                               : Fsubtitle_bitstream_filters;
    chain.push_back(item);
}

const TBitStreamFilterChain& TCustomFFmpeg::PendingBitStreamFilters(AVMediaType AType) const {
    return AType == AVMEDIA_TYPE_VIDEO   ? Fvideo_bitstream_filters
           : AType == AVMEDIA_TYPE_AUDIO ? Faudio_bitstream_filters
                                         : Fsubtitle_bitstream_filters;
}
