// The set-up of one conversion: input and output tables, which input stream
// feeds which output stream, copy or encoding parameters, two-pass logs, the
// coders, metadata maps, chapters, headers and the "Stream mapping:" lines.
#include "engine/FFmpegPipeline.h"
#include "engine/FFFileNames.h"
#include "engine/PreviewWindow.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

TTranscoder::TTranscoder(TCustomFFmpeg& AConverter) : C(AConverter), O(AConverter.FOpt) {
    FPacket = ff::av_packet_alloc();
    FOutPacket = ff::av_packet_alloc();
    FDecoded = ff::av_frame_alloc();
    FFiltered = ff::av_frame_alloc();
    if (!FPacket || !FOutPacket || !FDecoded || !FFiltered) throw FFmpegException(QStringLiteral("av_mallocz fail"));
}

TTranscoder::~TTranscoder() {
    CloseCoders();
    FPreviewer.reset();
    ResetRGBConvertContext(&FHookContext);
    ResetRGBConvertContext(&FPostContext);
    ff::av_packet_free(&FPacket);
    ff::av_packet_free(&FOutPacket);
    ff::av_frame_free(&FDecoded);
    ff::av_frame_free(&FFiltered);
}

void TTranscoder::RaiseDump(const QString& AMsg, int AFile) {
    const int outputs = C.OwnOutputFiles();
    for (int i = 0; i < outputs; ++i)
        if (AFile < 0 || AFile == i) {
            TOutputFile* out = C.Foutput_files[i];
            if (out && out->ctx) ff::av_dump_format(out->ctx, i, out->library_name.c_str(), 1);
        }
    C.Log(llError, AMsg);
    throw FFmpegException(AMsg);
}

namespace {

bool IsCoverPicture(const AVStream* st) { return (st->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0; }

// The encoder's rate nearest to the wanted one.
int NearestRate(const AVCodec* codec, int rate) {
    if (!codec || !codec->supported_samplerates) return rate;
    int best = codec->supported_samplerates[0];
    for (const int* r = codec->supported_samplerates; *r; ++r)
        if (std::abs(*r - rate) < std::abs(best - rate)) best = *r;
    return best;
}

// The layout itself when the encoder takes it, else the one it takes with
// the most channels up to the source's (a downmix), else its smallest.
void NearestLayout(const AVCodec* codec, const AVChannelLayout& want, AVChannelLayout& out) {
    ff::av_channel_layout_uninit(&out);
    if (!codec || !codec->ch_layouts) {
        ff::av_channel_layout_copy(&out, &want);
        return;
    }
    const AVChannelLayout* best = nullptr;
    for (const AVChannelLayout* l = codec->ch_layouts; l->nb_channels; ++l) {
        if (ff::av_channel_layout_compare(l, &want) == 0) {
            best = l;
            break;
        }
        const bool fits = l->nb_channels <= want.nb_channels;
        if (!best) best = l;
        else if (fits && (best->nb_channels > want.nb_channels || l->nb_channels > best->nb_channels)) best = l;
        else if (!fits && best->nb_channels > want.nb_channels && l->nb_channels < best->nb_channels) best = l;
    }
    ff::av_channel_layout_copy(&out, best);
}

}  // namespace

int TTranscoder::SegmentCount() const { return C.FJoinMode ? C.Fnb_input_files : 1; }

TInputStream* TTranscoder::SyncStream(const TOutputStream& ost) {
    return ost.sync_index >= 0 ? &FInputs[ost.sync_index] : &FInputs[ost.source_index];
}

void TTranscoder::Setup() {
    BuildInputTables();
    BuildOutputTables();
    MapStreams();
    OpenDecoders();
    OpenEncoders();
    for (TInputStream& ist : FInputs) {
        const AVRational rate = ist.st->avg_frame_rate;
        const int delay = ist.dec ? ist.dec->has_b_frames : ist.st->codecpar->video_delay;
        ist.pts = rate.num ? -std::llrint(static_cast<double>(delay) * AV_TIME_BASE / av_q2d(rate)) : 0;
        ist.next_pts = AV_NOPTS_VALUE;
        ist.is_start = true;
    }
    CopyMetadataMaps();
    CopyChapters();
    C.OpenOutputFilesIO();
    WriteHeaders();
    OpenBitstreamFilters();
    DumpMapping();
}

void TTranscoder::BuildInputTables() {
    FFiles.resize(C.Fnb_input_files);
    int n = 0;
    for (int i = 0; i < C.Fnb_input_files; ++i) {
        AVFormatContext* ic = C.Finput_files[i];
        // Its file was closed while the task waited (see ParkInputIO).
        if (const int ret = ResumeInputIO(ic); ret < 0) throw FFmpegException(ErrorText(C.Finput_file_names[i], ret));
        FFiles[i].ctx = ic;
        FFiles[i].ist_index = n;
        FFiles[i].nb_streams = static_cast<int>(ic->nb_streams);
        n += FFiles[i].nb_streams;
    }
    FInputs.resize(n);
    const int64_t now = ff::av_gettime();
    for (int i = 0; i < C.Fnb_input_files; ++i)
        for (int k = 0; k < FFiles[i].nb_streams; ++k) {
            TInputStream& ist = FInputs[FFiles[i].ist_index + k];
            ist.file_index = i;
            ist.index = k;
            ist.st = FFiles[i].ctx->streams[k];
            if (O.Frate_emu) ist.start = now;
        }
}

void TTranscoder::BuildOutputTables() {
    int total = 0;
    const int files = C.Fnb_output_files;
    for (int j = 0; j < files; ++j) {
        TOutputFile* out = C.Foutput_files[j];
        if (!out->ctx->nb_streams) RaiseDump(QStringLiteral("Output file #%1 does not contain any stream").arg(j), j);
        total += static_cast<int>(out->ctx->nb_streams);
    }
    if (C.Fnb_stream_maps > 0) {
        if (C.Fnb_stream_maps != total)
            throw FFmpegException(QStringLiteral("Number of stream maps must match number of output streams"));
        for (int i = 0; i < C.Fnb_stream_maps; ++i) {
            const TAVStreamMap& m = C.Fstream_maps[i];
            if (m.file_index < 0 || m.file_index >= C.Fnb_input_files || m.stream_index < 0 ||
                m.stream_index >= FFiles[m.file_index].nb_streams)
                throw FFmpegException(
                    QStringLiteral("Could not find input stream #%1.%2").arg(m.file_index).arg(m.stream_index));
            if (m.sync_file_index < 0 || m.sync_file_index >= C.Fnb_input_files || m.sync_stream_index < 0 ||
                m.sync_stream_index >= FFiles[m.sync_file_index].nb_streams)
                throw FFmpegException(QStringLiteral("Could not find sync stream #%1.%2")
                                          .arg(m.sync_file_index)
                                          .arg(m.sync_stream_index));
        }
    }
    // One coder per stream of each distinct file; a joined output repeats its file.
    for (int j = 0; j < files; ++j) {
        TOutputFile* out = C.Foutput_files[j];
        if (j > 0 && C.FJoinMode) break;
        for (unsigned k = 0; k < out->ctx->nb_streams; ++k) {
            auto c = std::make_unique<TOutputCoder>();
            c->file_index = j;
            c->index = static_cast<int>(k);
            c->file = out;
            c->setup = &out->streams[k];
            c->st = out->ctx->streams[k];
            c->type = c->st->codecpar->codec_type;
            FCoders.push_back(std::move(c));
        }
    }
    FSegmentStreams = static_cast<int>(C.Foutput_files[0]->ctx->nb_streams);
    int coder = 0;
    for (int j = 0; j < files; ++j) {
        if (C.FJoinMode) coder = 0;
        for (unsigned k = 0; k < C.Foutput_files[j]->ctx->nb_streams; ++k) {
            TOutputStream ost;
            ost.coder = FCoders[coder++].get();
            FOutputs.push_back(ost);
        }
    }
}

void TTranscoder::MapStreams() {
    int o = 0;
    for (int j = 0; j < C.Fnb_output_files; ++j) {
        const int nb = static_cast<int>(C.Foutput_files[j]->ctx->nb_streams);
        for (int k = 0; k < nb; ++k, ++o) {
            TOutputStream& ost = FOutputs[o];
            const AVMediaType type = ost.coder->type;
            const int outFile = C.FJoinMode ? 0 : j;
            if (C.Fnb_stream_maps > 0) {
                const TAVStreamMap& m = C.Fstream_maps[o];
                ost.source_index = FFiles[m.file_index].ist_index + m.stream_index;
                ost.sync_index = FFiles[m.sync_file_index].ist_index + m.sync_stream_index;
                const AVMediaType itype = FInputs[ost.source_index].st->codecpar->codec_type;
                if (itype != type)
                    RaiseDump(QStringLiteral("Codec type mismatch for mapping #%1.%2 (%3) -> #%4.%5 (%6)")
                                  .arg(m.file_index)
                                  .arg(m.stream_index)
                                  .arg(MediaTypeName(itype))
                                  .arg(outFile)
                                  .arg(k)
                                  .arg(MediaTypeName(type)));
            } else {
                // The libraries no longer say how many frames probing saw, so
                // the largest picture or the most channels wins, then the first.
                int best = -1;
                int64_t bestScore = -1;
                for (int i = 0; i < static_cast<int>(FInputs.size()); ++i) {
                    const TInputStream& ist = FInputs[i];
                    const AVCodecParameters* par = ist.st->codecpar;
                    if (!ist.discard || ist.st->discard == AVDISCARD_ALL || par->codec_type != type) continue;
                    if (IsCoverPicture(ist.st)) continue;
                    if (C.FJoinMode && ist.file_index != j) continue;
                    if (O.Fopt_programid) {
                        bool inProgram = false;
                        const AVFormatContext* ic = FFiles[ist.file_index].ctx;
                        for (unsigned p = 0; p < ic->nb_programs && !inProgram; ++p) {
                            if (ic->programs[p]->id != O.Fopt_programid) continue;
                            for (unsigned s = 0; s < ic->programs[p]->nb_stream_indexes; ++s)
                                if (static_cast<int>(ic->programs[p]->stream_index[s]) == ist.index) inProgram = true;
                        }
                        if (!inProgram) continue;
                    }
                    const int64_t score = type == AVMEDIA_TYPE_VIDEO   ? int64_t(par->width) * par->height
                                          : type == AVMEDIA_TYPE_AUDIO ? par->ch_layout.nb_channels
                                                                       : 0;
                    if (score > bestScore) {
                        bestScore = score;
                        best = i;
                    }
                }
                if (best < 0 && !O.Fopt_programid && !C.FJoinMode)
                    for (int i = 0; i < static_cast<int>(FInputs.size()); ++i)
                        if (FInputs[i].st->codecpar->codec_type == type && FInputs[i].st->discard != AVDISCARD_ALL &&
                            !IsCoverPicture(FInputs[i].st))
                            best = i;
                if (best < 0)
                    RaiseDump(QStringLiteral("Could not find input stream matching output stream #%1.%2 (%3)")
                                  .arg(outFile)
                                  .arg(k)
                                  .arg(MediaTypeName(type)),
                              outFile);
                ost.source_index = best;
                ost.sync_index = best;
            }
            FInputs[ost.source_index].discard = false;
            ost.show_fps = true;
        }
    }

    // Parameters per coder, from the source of its first segment.
    for (size_t i = 0; i < FCoders.size(); ++i) {
        TOutputCoder& c = *FCoders[i];
        TInputStream& ist = FInputs[FOutputs[i].source_index];
        AVStream* st = c.st;
        ff::av_dict_copy(&st->metadata, ist.st->metadata, AV_DICT_DONT_OVERWRITE);
        // A re-encoded stream is a picture sequence, never a cover picture.
        st->disposition = ist.st->disposition;
        if (!c.setup->stream_copy) st->disposition &= ~AV_DISPOSITION_ATTACHED_PIC;
        st->codecpar->bits_per_raw_sample = ist.st->codecpar->bits_per_raw_sample;
        st->codecpar->chroma_location = ist.st->codecpar->chroma_location;
        if (c.setup->stream_copy)
            SetupCopy(c, ist);
        else
            SetupEncoding(c, ist);
        // Kept for callers that read it; the coders size their own packets now.
        if (c.type == AVMEDIA_TYPE_VIDEO) {
            const int64_t w = c.enc ? c.enc->width : st->codecpar->width;
            const int64_t h = c.enc ? c.enc->height : st->codecpar->height;
            C.FOpt.Fbit_buffer_size =
                static_cast<int>(std::min<int64_t>(INT_MAX, std::max<int64_t>(C.FOpt.Fbit_buffer_size, 6 * w * h + 200)));
        }
        // Every segment's source is decoded when the coder encodes.
        for (int s = 0; s < SegmentCount(); ++s) {
            const size_t idx = s * FCoders.size() + i;
            if (idx < FOutputs.size() && c.encoding_needed) FInputs[FOutputs[idx].source_index].decoding_needed = true;
        }
        if (c.encoding_needed && c.enc && (c.enc->flags & (AV_CODEC_FLAG_PASS1 | AV_CODEC_FLAG_PASS2)))
            OpenPassLog(c, static_cast<int>(i));
    }
}

void TTranscoder::SetupCopy(TOutputCoder& c, TInputStream& ist) {
    const AVCodecParameters* ipar = ist.st->codecpar;
    if (static_cast<int64_t>(ipar->extradata_size) + AV_INPUT_BUFFER_PADDING_SIZE > INT_MAX)
        throw FFmpegException(QStringLiteral("icodec.extradata_size is invalid (too large)"));
    switch (ipar->codec_type) {
    case AVMEDIA_TYPE_VIDEO:
        if (C.OnCustomHook)
            throw FFmpegException(QStringLiteral("-vcodec copy and CustomHook are incompatible (frames are not decoded)"));
        if (O.Fusing_vhook || C.FFrameHooks)
            throw FFmpegException(QStringLiteral("-vcodec copy and -vhook are incompatible (frames are not decoded)"));
        if (std::lock_guard lock(PostHookLock()); O.FPostHooks)
            throw FFmpegException(QStringLiteral("-vcodec copy and PostHooks are incompatible (frames are not decoded)"));
        break;
    case AVMEDIA_TYPE_AUDIO:
        if (O.Faudio_volume != 256)
            throw FFmpegException(QStringLiteral("-acodec copy and -vol are incompatible (frames are not decoded)"));
        break;
    case AVMEDIA_TYPE_SUBTITLE:
    case AVMEDIA_TYPE_DATA:
        break;
    default:
        throw FFmpegException(QStringLiteral("invalid codec_type of output stream"));
    }
    AVCodecParameters* par = c.st->codecpar;
    const uint32_t wantedTag = par->codec_tag;
    const AVRational sar = par->sample_aspect_ratio;
    if (ff::avcodec_parameters_copy(par, ipar) < 0) throw FFmpegException(QStringLiteral("av_mallocz fail"));
    // The input's tag only where the container accepts it for this codec.
    const AVOutputFormat* ofmt = c.file->ctx->oformat;
    par->codec_tag = wantedTag;
    if (!wantedTag) {
        const AVCodecTag* const* tags = ofmt->codec_tag;
        if (!tags || ff::av_codec_get_id(tags, ipar->codec_tag) == ipar->codec_id ||
            ff::av_codec_get_tag(tags, ipar->codec_id) <= 0)
            par->codec_tag = ipar->codec_tag;
        else
            par->codec_tag = 0;
    }
    if (ipar->codec_type == AVMEDIA_TYPE_VIDEO) {
        // The aspect the output was attached with wins over the input's.
        if (sar.num > 0 && sar.den > 0) par->sample_aspect_ratio = sar;
        c.st->sample_aspect_ratio = par->sample_aspect_ratio;
        c.st->avg_frame_rate = ist.st->avg_frame_rate;
        c.st->r_frame_rate = ist.st->r_frame_rate;
    }
    if (ipar->codec_type == AVMEDIA_TYPE_AUDIO &&
        ((par->block_align == 1 && par->codec_id == AV_CODEC_ID_MP3) || par->codec_id == AV_CODEC_ID_AC3))
        par->block_align = 0;
    // Side data travels with copied packets' stream: a display matrix keeps
    // the stored rotation.
    for (int k = 0; k < ist.st->nb_side_data; ++k) {
        const AVPacketSideData& sd = ist.st->side_data[k];
        uint8_t* dst = ff::av_stream_new_side_data(c.st, sd.type, sd.size);
        if (!dst) throw FFmpegException(QStringLiteral("av_mallocz fail"));
        std::memcpy(dst, sd.data, sd.size);
    }
    c.st->time_base = ist.st->time_base;
    c.encoding_needed = false;
}

void TTranscoder::SetupEncoding(TOutputCoder& c, TInputStream& ist) {
    AVCodecContext* enc = c.setup->enc;
    if (!enc) throw FFmpegException(QStringLiteral("invalid codec_type of output stream"));
    c.enc = enc;
    const AVCodecParameters* ipar = ist.st->codecpar;
    switch (c.type) {
    case AVMEDIA_TYPE_AUDIO:
        // What nobody asked for comes from the stream converted (an input's
        // other track may have another rate), fitted to the encoder: a 5.1
        // source becomes stereo for an encoder that takes no more.
        if (c.setup->rate_from_source && ipar->sample_rate > 0) {
            enc->sample_rate = NearestRate(c.setup->codec, ipar->sample_rate);
            enc->time_base = AVRational{1, enc->sample_rate};
            c.st->time_base = enc->time_base;
        }
        if (c.setup->channels_from_source && ipar->ch_layout.nb_channels > 0) {
            AVChannelLayout want{};
            if (ipar->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
                ff::av_channel_layout_default(&want, ipar->ch_layout.nb_channels);
            else
                ff::av_channel_layout_copy(&want, &ipar->ch_layout);
            NearestLayout(c.setup->codec, want, enc->ch_layout);
            ff::av_channel_layout_uninit(&want);
        }
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        break;
    case AVMEDIA_TYPE_VIDEO: {
        if (enc->pix_fmt == AV_PIX_FMT_NONE)
            throw FFmpegException(QStringLiteral("Video pixel format is unknown, stream cannot be encoded"));
        if (enc->width <= 0 || enc->height <= 0) {
            enc->width = ipar->width - O.Fframe_leftBand - O.Fframe_rightBand;
            enc->height = ipar->height - O.Fframe_topBand - O.Fframe_bottomBand;
        }
        // Encoded upright: the filter graph turns the pictures and the
        // output carries no rotation.
        c.rotation = StreamDisplayRotation(ist.st);
        if (c.rotation) ff::av_dict_set(&c.st->metadata, "rotate", nullptr, 0);
        if (c.setup->size_from_source) {
            if (c.rotation == 90 || c.rotation == 270) {
                std::swap(enc->width, enc->height);
                if (enc->sample_aspect_ratio.num > 0 && enc->sample_aspect_ratio.den > 0) {
                    std::swap(enc->sample_aspect_ratio.num, enc->sample_aspect_ratio.den);
                    c.st->sample_aspect_ratio = enc->sample_aspect_ratio;
                }
            }
            // A size of the source's own that the encoder's pixel format
            // cannot hold (4:2:0 needs even sides) becomes the nearest below.
            if (const AVPixFmtDescriptor* d = ff::av_pix_fmt_desc_get(enc->pix_fmt)) {
                const int w = enc->width & ~((1 << d->log2_chroma_w) - 1);
                const int h = enc->height & ~((1 << d->log2_chroma_h) - 1);
                if (w > 0 && h > 0) {
                    enc->width = w;
                    enc->height = h;
                }
            }
        }
        C.FLastErrMsg.clear();
        break;
    }
    default:
        throw FFmpegException(QStringLiteral("invalid codec_type of output stream"));
    }
    c.encoding_needed = true;
}

void TTranscoder::ConfigureVideoFilter(TOutputCoder& c, const AVFrame* frame, const TInputStream& ist,
                                       bool reconfigure) {
    TVideoFilterParams p;
    const AVCodecParameters* par = ist.st->codecpar;
    p.in_width = frame ? frame->width : par->width;
    p.in_height = frame ? frame->height : par->height;
    p.in_format = static_cast<AVPixelFormat>(frame ? frame->format : par->format);
    if (p.in_format == AV_PIX_FMT_NONE) p.in_format = AV_PIX_FMT_YUV420P;
    p.in_sar = frame && frame->sample_aspect_ratio.num ? frame->sample_aspect_ratio : par->sample_aspect_ratio;
    // Bands apply to the geometry they were given for; a new size keeps them in proportion.
    p.top = O.Fframe_topBand;
    p.bottom = O.Fframe_bottomBand;
    p.left = O.Fframe_leftBand;
    p.right = O.Fframe_rightBand;
    if (reconfigure && par->width > 0 && par->height > 0 && (p.top || p.bottom || p.left || p.right)) {
        p.top = (p.top * p.in_height / par->height) & ~1;
        p.bottom = (p.bottom * p.in_height / par->height) & ~1;
        p.left = (p.left * p.in_width / par->width) & ~1;
        p.right = (p.right * p.in_width / par->width) & ~1;
    }
    p.out_width = c.enc->width;
    p.out_height = c.enc->height;
    p.rotation = c.rotation;
    p.out_format = c.enc->pix_fmt;
    p.deinterlace = O.Fdo_deinterlace;
    p.user = Utf8(O.Fvfilters);
    p.sws_flags = C.FOptions ? C.FOptions->sws_flags : O.Fsws_flags;
    p.force_out_size = reconfigure;
    QString err;
    if (c.filter.Configure(p, err) < 0) {
        C.FLastErrMsg = err.isEmpty() ? QStringLiteral("Error opening filters!") : QStringLiteral("Error opening filters: ") + err;
        throw FFmpegException(C.FLastErrMsg);
    }
    C.Log(llDebug, QStringLiteral("Video filters of output stream #%1.%2: %3")
                       .arg(c.file_index)
                       .arg(c.index)
                       .arg(QString::fromStdString(c.filter.Description())));
}

void TTranscoder::OpenPassLog(TOutputCoder& c, int ostIndex) {
    // Beside the output unless a prefix was given: two tasks never share a log.
    std::string prefix = O.Fpass_logfilename_prefix;
    if (prefix.empty()) {
        if (c.file->ctx->oformat->flags & AVFMT_NOFILE)
            prefix = Utf8(QDir::tempPath()) + "/ffmpeg2pass-" + std::to_string(ff::av_gettime());
        else
            prefix = Utf8(QFileInfo(c.file->file_name).absoluteFilePath()) + "-ffmpeg2pass";
    }
    c.logname = prefix + "-" + std::to_string(ostIndex) + ".log";
    AVCodecContext* enc = c.enc;
    // libx264 keeps its own statistics file.
    const bool x264 = c.setup->codec && std::string(c.setup->codec->name) == "libx264";
    if (x264) {
        ff::av_dict_set(&c.setup->codec_opts, "stats", c.logname.c_str(), 0);
        return;
    }
    const QString qname = QString::fromStdString(c.logname);
    if (enc->flags & AV_CODEC_FLAG_PASS1) {
        c.logfile = std::fopen(c.logname.c_str(), "wb");
        if (!c.logfile) throw FFmpegException(QStringLiteral("Cannot write log file %1 for pass-1 encoding").arg(qname));
    } else {
        QByteArray data;
        if (ReadFileToBuffer(qname, data) < 0)
            throw FFmpegException(
                QStringLiteral("Cannot read file: Error reading log file \"%1\" for pass-2 encoding").arg(qname));
        char* buf = static_cast<char*>(ff::av_malloc(data.size() + 1));
        if (!buf)
            throw FFmpegException(
                QStringLiteral("Could not allocate file buffer: Error reading log file \"%1\" for pass-2 encoding")
                    .arg(qname));
        std::memcpy(buf, data.constData(), data.size());
        buf[data.size()] = 0;
        enc->stats_in = buf;
    }
}

void TTranscoder::OpenDecoders() {
    for (size_t i = 0; i < FInputs.size(); ++i) {
        TInputStream& ist = FInputs[i];
        if (!ist.decoding_needed) continue;
        const AVCodecParameters* par = ist.st->codecpar;
        const AVCodec* codec = C.Finput_codecs[i] ? C.Finput_codecs[i] : ff::avcodec_find_decoder(par->codec_id);
        const QString where =
            QStringLiteral("#%1.%2 (%3)").arg(ist.file_index).arg(ist.index).arg(MediaTypeName(par->codec_type));
        if (!codec) {
            const QString msg = QStringLiteral("Decoder (codec id %1) not found for input stream %2").arg(par->codec_id).arg(where);
            C.Log(llError, msg);
            throw FFmpegException(msg);
        }
        ist.dec = ff::avcodec_alloc_context3(codec);
        if (!ist.dec || ff::avcodec_parameters_to_context(ist.dec, par) < 0)
            throw FFmpegException(QStringLiteral("av_mallocz fail"));
        ist.dec->pkt_timebase = ist.st->time_base;
        ist.dec->thread_count = C.CodecThreads;
        AVDictionary* opts = C.FOptions ? CodecOptions(*C.FOptions, par->codec_type) : nullptr;
        int ret;
        {
            std::lock_guard lock(CodecLock);
            ret = ff::avcodec_open2(ist.dec, codec, &opts);
        }
        ff::av_dict_free(&opts);
        if (ret < 0) {
            const QString msg = QStringLiteral("Error while opening decoder for input stream %1").arg(where);
            C.Log(llError, msg);
            throw FFmpegException(msg);
        }
    }
}

void TTranscoder::OpenEncoders() {
    for (size_t i = 0; i < FCoders.size(); ++i) {
        TOutputCoder& c = *FCoders[i];
        TInputStream& ist = FInputs[FOutputs[i].source_index];
        if (!c.encoding_needed) continue;
        AVCodecContext* enc = c.enc;
        const QString where = QStringLiteral("#%1.%2 (%3)").arg(c.file_index).arg(c.index).arg(MediaTypeName(c.type));
        const AVCodec* codec = c.setup->codec ? c.setup->codec : ff::avcodec_find_encoder(enc->codec_id);
        if (!codec) {
            const QString msg = QStringLiteral("Encoder (codec id %1) not found for output stream %2").arg(enc->codec_id).arg(where);
            C.Log(llError, msg);
            throw FFmpegException(msg);
        }
        if (c.type == AVMEDIA_TYPE_VIDEO) {
            ConfigureVideoFilter(c, nullptr, ist, false);
            c.first_ist = FOutputs[i].source_index;
            enc->width = c.filter.Width();
            enc->height = c.filter.Height();
            // A user's filter may change the picture aspect; otherwise the
            // aspect the output was attached with stands.
            const AVRational sar = c.filter.SampleAspect();
            if (!O.Fvfilters.isEmpty() && sar.num > 0) enc->sample_aspect_ratio = sar;
            c.st->sample_aspect_ratio = enc->sample_aspect_ratio;
            enc->bits_per_raw_sample = 0;
        } else if (c.type == AVMEDIA_TYPE_SUBTITLE) {
            enc->time_base = AV_TIME_BASE_Q;
            if (ist.dec && ist.dec->subtitle_header && ist.dec->subtitle_header_size > 0) {
                enc->subtitle_header = static_cast<uint8_t*>(ff::av_mallocz(ist.dec->subtitle_header_size + 1));
                if (enc->subtitle_header) {
                    std::memcpy(enc->subtitle_header, ist.dec->subtitle_header, ist.dec->subtitle_header_size);
                    enc->subtitle_header_size = ist.dec->subtitle_header_size;
                }
            }
            if (ist.dec) {
                enc->width = ist.dec->width;
                enc->height = ist.dec->height;
            }
        }
        enc->thread_count = C.CodecThreads;
        AVDictionary* opts = nullptr;
        ff::av_dict_copy(&opts, c.setup->codec_opts, 0);
        int ret;
        TLibraryLogWatch why(enc);
        {
            std::lock_guard lock(CodecLock);
            ret = ff::avcodec_open2(enc, codec, &opts);
        }
        ff::av_dict_free(&opts);
        if (ret < 0) {
            const QString msg = QStringLiteral("Error while opening encoder for output stream %1 - maybe incorrect "
                                               "parameters such as bit_rate, rate, width or height. Please check "
                                               "error log message to find out more detail information.")
                                    .arg(where) +
                                why.Reason();
            C.Log(llError, msg);
            throw FFmpegException(msg);
        }
        c.opened = true;
        C.Fextra_size += enc->extradata_size;
        if (ff::avcodec_parameters_from_context(c.st->codecpar, enc) < 0)
            throw FFmpegException(QStringLiteral("av_mallocz fail"));
        c.st->time_base = enc->time_base;
        if (c.type == AVMEDIA_TYPE_VIDEO) c.st->avg_frame_rate = enc->framerate;
        if (c.type == AVMEDIA_TYPE_AUDIO) {
            c.fifo = ff::av_audio_fifo_alloc(enc->sample_fmt, enc->ch_layout.nb_channels, 1024);
            c.audio_frame = ff::av_frame_alloc();
            if (!c.fifo || !c.audio_frame) throw FFmpegException(QStringLiteral("av_fifo_alloc fail"));
        }
    }
}

void TTranscoder::CopyMetadataMaps() {
    for (int i = 0; i < C.Fnb_meta_data_maps; ++i) {
        const TAVMetaDataMap& m = C.Fmeta_data_maps[i];
        if (m.out_file < 0 || m.out_file >= C.Fnb_output_files)
            RaiseDump(QStringLiteral("Invalid output file index %1 map_meta_data(%2,%3)")
                          .arg(m.out_file)
                          .arg(m.out_file)
                          .arg(m.in_file));
        if (m.in_file < 0 || m.in_file >= C.Fnb_input_files)
            RaiseDump(QStringLiteral("Invalid input file index %1 map_meta_data(%2,%3)")
                          .arg(m.in_file)
                          .arg(m.out_file)
                          .arg(m.in_file));
        ff::av_dict_copy(&C.Foutput_files[m.out_file]->ctx->metadata, FFiles[m.in_file].ctx->metadata,
                         AV_DICT_DONT_OVERWRITE);
    }
}

void TTranscoder::CopyChapters() {
    const int outputs = C.OwnOutputFiles();
    for (int i = 0; i < C.Fnb_input_files; ++i) {
        const AVFormatContext* is = FFiles[i].ctx;
        if (!is->nb_chapters) continue;
        for (int j = 0; j < outputs; ++j) {
            AVFormatContext* os = C.Foutput_files[j]->ctx;
            for (unsigned k = 0; k < is->nb_chapters; ++k) {
                const AVChapter* in = is->chapters[k];
                const int64_t tsOff = ff::av_rescale_q(O.Fstart_time - C.Finput_files_ts_offset[i], AV_TIME_BASE_Q,
                                                       in->time_base);
                const int64_t rt = O.Frecording_time == std::numeric_limits<int64_t>::max()
                                       ? INT64_MAX
                                       : ff::av_rescale_q(O.Frecording_time, AV_TIME_BASE_Q, in->time_base);
                if (in->end < tsOff) continue;
                if (rt != INT64_MAX && in->start > rt + tsOff) break;
                auto* out = static_cast<AVChapter*>(ff::av_mallocz(sizeof(AVChapter)));
                if (!out) throw FFmpegException(QStringLiteral("av_mallocz fail"));
                out->id = in->id;
                out->time_base = in->time_base;
                out->start = std::max<int64_t>(0, in->start - tsOff);
                out->end = std::min(rt, in->end - tsOff);
                ff::av_dict_copy(&out->metadata, in->metadata, 0);
                auto* list = static_cast<AVChapter**>(
                    ff::av_realloc(os->chapters, sizeof(AVChapter*) * (os->nb_chapters + 1)));
                if (!list) {
                    ff::av_dict_free(&out->metadata);
                    ff::av_free(out);
                    throw FFmpegException(QStringLiteral("av_realloc fail"));
                }
                os->chapters = list;
                os->chapters[os->nb_chapters++] = out;
            }
        }
    }
}

void TTranscoder::WriteHeaders() {
    const int outputs = C.OwnOutputFiles();
    bool allRtp = outputs > 0;
    for (int i = 0; i < outputs; ++i) {
        TOutputFile* out = C.Foutput_files[i];
        AVDictionary* opts = nullptr;
        ff::av_dict_copy(&opts, out->muxer_opts, 0);
        TLibraryLogWatch why(out->ctx);
        const int ret = ff::avformat_write_header(out->ctx, &opts);
        ff::av_dict_free(&opts);
        if (ret < 0) {
            const QString msg =
                QStringLiteral("Could not write header for output file #%1 (incorrect codec parameters ?)").arg(i) +
                why.Reason();
            C.Log(llError, msg);
            throw FFmpegException(msg);
        }
        if (std::string(out->ctx->oformat->name) != "rtp") allRtp = false;
    }
    FHeadersWritten = true;
    if (allRtp) {
        std::vector<AVFormatContext*> ctxs;
        for (int i = 0; i < outputs; ++i) ctxs.push_back(C.Foutput_files[i]->ctx);
        char sdp[2048] = {};
        ff::av_sdp_create(ctxs.data(), outputs, sdp, sizeof(sdp));
        C.Log(llInfo, QStringLiteral("SDP:\r\n") + QString::fromUtf8(sdp).trimmed());
    }
}

void TTranscoder::OpenBitstreamFilters() {
    for (auto& cp : FCoders) {
        TOutputCoder& c = *cp;
        const TBitStreamFilterChain& chain = C.Fbitstream_filters[c.file_index][c.index];
        for (const TBitStreamFilterItem& item : chain) {
            AVBSFContext* bsf = nullptr;
            int ret = ff::av_bsf_alloc(item.filter, &bsf);
            if (ret >= 0) {
                ret = ff::avcodec_parameters_copy(bsf->par_in, c.st->codecpar);
                bsf->time_base_in = c.st->time_base;
            }
            if (ret >= 0 && !item.args.empty() && bsf->priv_data)
                ret = ff::av_opt_set_from_string(bsf->priv_data, item.args.c_str(), nullptr, "=", ":");
            if (ret >= 0) ret = ff::av_bsf_init(bsf);
            if (ret < 0) {
                ff::av_bsf_free(&bsf);
                const QString msg = ErrorText(QStringLiteral("%1 failed for stream %2, codec %3")
                                                  .arg(QString::fromUtf8(item.filter->name))
                                                  .arg(c.index)
                                                  .arg(c.enc ? QString::fromUtf8(c.enc->codec->name)
                                                             : QStringLiteral("copy")),
                                              ret);
                throw FFmpegException(msg);
            }
            c.bsfs.push_back(bsf);
            c.bsf_names.push_back(item.filter->name);
        }
    }
}

void TTranscoder::DumpMapping() {
    const int outputs = C.OwnOutputFiles();
    for (int i = 0; i < outputs; ++i)
        ff::av_dump_format(C.Foutput_files[i]->ctx, i, C.Foutput_files[i]->library_name.c_str(), 1);
    if (O.Fverbose < 0) return;
    C.Log(llVerbose, QStringLiteral("Stream mapping:"));
    for (const TOutputStream& ost : FOutputs) {
        const TInputStream& ist = FInputs[ost.source_index];
        const TOutputCoder& c = *ost.coder;
        QString line = QStringLiteral("  Stream #%1.%2 -> #%3.%4 (%5)")
                           .arg(ist.file_index)
                           .arg(ist.index)
                           .arg(C.FJoinMode ? 0 : c.file_index)
                           .arg(c.index)
                           .arg(MediaTypeName(c.type));
        if (ost.sync_index >= 0 && ost.sync_index != ost.source_index) {
            const TInputStream& sync = FInputs[ost.sync_index];
            line += QStringLiteral(" [sync #%1.%2 (%3)]")
                        .arg(sync.file_index)
                        .arg(sync.index)
                        .arg(MediaTypeName(sync.st->codecpar->codec_type));
        }
        C.Log(llVerbose, line);
    }
}

void TTranscoder::CloseCoders() {
    for (auto& cp : FCoders) {
        TOutputCoder& c = *cp;
        for (AVBSFContext*& b : c.bsfs) ff::av_bsf_free(&b);
        c.bsfs.clear();
        c.filter.Free();
        ff::swr_free(&c.swr);
        ff::av_channel_layout_uninit(&c.swr_in_layout);
        if (c.fifo) {
            ff::av_audio_fifo_free(c.fifo);
            c.fifo = nullptr;
        }
        ff::av_frame_free(&c.audio_frame);
        if (c.conv[0]) ff::av_freep(&c.conv[0]);
        if (c.logfile) {
            std::fclose(c.logfile);
            c.logfile = nullptr;
        }
        if (c.setup && c.setup->enc) {
            ff::av_freep(&c.setup->enc->stats_in);
            std::lock_guard lock(CodecLock);
            ff::avcodec_free_context(&c.setup->enc);
        }
        c.enc = nullptr;
    }
    for (TInputStream& ist : FInputs)
        if (ist.dec) {
            std::lock_guard lock(CodecLock);
            ff::avcodec_free_context(&ist.dec);
        }
}
