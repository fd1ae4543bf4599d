// The transcode loop: reading from the input that is furthest behind,
// timestamp offsets and discontinuities, decoding and the copy path, join
// mode, the end flush and trailers (also after Stop), progress and summary.
#include "engine/FFmpegPipeline.h"
#include "engine/FFFileNames.h"

#include <QFile>

#include <cmath>
#include <cstring>

void TCustomFFmpeg::Transcode() {
    TTranscoder pipeline(*this);
    pipeline.Run();
}

void TTranscoder::Run() {
    try {
        Setup();
        C.Ftimer_start = ff::av_gettime();
        FLastReport = C.Ftimer_start;
        for (TInputFile& f : FFiles) f.no_packet = false;
        Loop();
        Finish();
    } catch (...) {
        DiscardOutputs();
        throw;
    }
}

void TTranscoder::DiscardOutput(TOutputFile* out) {
    // Only files this task created are removed.
    if (!out || !out->io_opened) return;
    CloseOutputIO(out->ctx);
    out->io_opened = false;
    QFile::remove(out->file_name);
}

void TTranscoder::DiscardOutputs() {
    // A conversion that failed leaves no partial file that could pass for a
    // finished one.
    const int outputs = C.OwnOutputFiles();
    for (int i = 0; i < outputs; ++i) DiscardOutput(C.Foutput_files[i]);
}

void TTranscoder::CheckWritten() {
    if (C.FBroken) {
        // Stopped before a single packet, the file holds a header at most;
        // stopped before a picture or sound stream it declares got one, readers
        // cannot tell that stream's format. Neither plays; subtitles may
        // simply not have begun yet.
        const int outputs = C.OwnOutputFiles();
        for (int i = 0; i < outputs; ++i) {
            TOutputFile* out = C.Foutput_files[i];
            int64_t packets = 0;
            const TOutputCoder* first = nullptr;
            const TOutputCoder* empty = nullptr;  // a picture or sound stream that got nothing
            for (const auto& c : FCoders) {
                if (c->file != out) continue;
                if (!first) first = c.get();
                packets += c->packets;
                if (!empty && c->packets == 0 && (c->type == AVMEDIA_TYPE_VIDEO || c->type == AVMEDIA_TYPE_AUDIO))
                    empty = c.get();
            }
            if (!first || (packets > 0 && !empty)) continue;
            DiscardOutput(out);
            const TOutputCoder& named = empty ? *empty : *first;
            const QString note = QStringLiteral("Output #%1 removed: stopped before stream #%1.%2 (%3) got a packet")
                                     .arg(i)
                                     .arg(named.index)
                                     .arg(MediaTypeName(named.type));
            C.Log(llWarning, note);
            if (!C.FFatalException) C.FFatalMessage = note;
        }
        return;
    }
    // A stream asked to be encoded that got no frame (an input whose header
    // promises what its data does not hold) makes a file nothing decodes.
    for (size_t i = 0; i < FCoders.size(); ++i) {
        const TOutputCoder& c = *FCoders[i];
        if (!c.encoding_needed || c.packets > 0) continue;
        if (c.type != AVMEDIA_TYPE_VIDEO && c.type != AVMEDIA_TYPE_AUDIO) continue;
        const TInputStream& ist = FInputs[FOutputs[i].source_index];
        const QString msg = QStringLiteral("Nothing was encoded for output stream #%1.%2 (%3): input stream #%4.%5 "
                                           "gave no frame")
                                .arg(c.file_index)
                                .arg(c.index)
                                .arg(MediaTypeName(c.type))
                                .arg(ist.file_index)
                                .arg(ist.index);
        C.Log(llError, msg);
        throw FFmpegException(msg);
    }
}

namespace {

// Transport streams are runs of whole packets of one of these sizes; a file
// that stops inside one was cut off. Their duration is read from the last
// timestamps, so it shrinks with the cut and cannot tell.
bool EndsInsideTransportPacket(AVFormatContext* ctx) {
    if (std::strcmp(ctx->iformat->name, "mpegts") != 0 || !ctx->pb) return false;
    const int64_t size = ff::avio_size(ctx->pb);
    return size > 0 && size % 188 != 0 && size % 192 != 0 && size % 204 != 0;
}

// What the file says it holds, 0 when it does not say. A picture count in
// the header counts too: without its index a cut AVI takes its duration from
// the data that is there.
int64_t DeclaredDuration(AVFormatContext* ctx) {
    int64_t declared = 0;
    if (ctx->duration > 0 && ctx->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE) declared = ctx->duration;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream* st = ctx->streams[i];
        if (st->codecpar->codec_type != AVMEDIA_TYPE_VIDEO || (st->disposition & AV_DISPOSITION_ATTACHED_PIC) ||
            st->nb_frames <= 0 || st->avg_frame_rate.num <= 0 || st->avg_frame_rate.den <= 0)
            continue;
        declared = std::max(declared, ff::av_rescale_q(st->nb_frames, av_inv_q(st->avg_frame_rate), AV_TIME_BASE_Q));
    }
    return declared;
}

}  // namespace

void TTranscoder::NoteReadEnd(TInputFile& file, const AVPacket* pkt) {
    const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
    if (ts == AV_NOPTS_VALUE || pkt->stream_index >= file.nb_streams) return;
    const AVRational tb = file.ctx->streams[pkt->stream_index]->time_base;
    const int64_t end = ff::av_rescale_q(ts + std::max<int64_t>(pkt->duration, 0), tb, AV_TIME_BASE_Q);
    if (file.read_end == AV_NOPTS_VALUE || end > file.read_end) file.read_end = end;
}

QString TTranscoder::EndedEarlyNote() const {
    for (size_t i = 0; i < FFiles.size(); ++i) {
        const TInputFile& f = FFiles[i];
        const QString what = QStringLiteral("Input #%1 ended early").arg(i);
        if (f.read_error < 0) return ErrorText(what, f.read_error);
        if (f.last_corrupt) return what + QStringLiteral(": its last packet is cut off");
        // Only an input read to its end can be short of it (a stop, "t" or
        // "shortest" ends the reading on purpose).
        if (!f.eof_reached || C.FBroken) continue;
        if (EndsInsideTransportPacket(f.ctx)) return what + QStringLiteral(": its last transport packet is cut off");
        // A duration guessed from the bit rate follows the file's size (a cut
        // file declares what it holds) and is loose for a variable rate, so
        // only a duration the file states is held against what was read. A
        // tenth of slack absorbs headers that round or count a last frame.
        const int64_t declared = DeclaredDuration(f.ctx);
        if (declared <= 0 || f.read_end == AV_NOPTS_VALUE) continue;
        const int64_t start = f.ctx->start_time != AV_NOPTS_VALUE ? f.ctx->start_time : 0;
        const int64_t read = f.read_end - start;
        const int64_t shortBy = declared - read;
        if (shortBy > declared / 10 && shortBy > AV_TIME_BASE / 10)
            return what + QStringLiteral(": read to %1 of %2").arg(DurationToText(std::max<int64_t>(read, 0)),
                                                                   DurationToText(declared));
    }
    return QString();
}

double TTranscoder::OutputTime(const TOutputCoder& c) const {
    if (c.enc && c.opened) return static_cast<double>(c.sync_opts) * av_q2d(c.enc->time_base);
    if (c.last_dts == AV_NOPTS_VALUE) return 0;
    return static_cast<double>(c.last_dts) * av_q2d(c.st->time_base);
}

int TTranscoder::ChooseInput(int joinIndex, bool& stop) {
    stop = false;
    double optsMin = 1e100, iptsMin = 1e100;
    int file = -1;
    size_t first = 0, last = FOutputs.size();
    if (C.FJoinMode) {
        first = static_cast<size_t>(joinIndex) * FSegmentStreams;
        last = std::min(last, first + FSegmentStreams);
        file = joinIndex;
    }
    for (size_t i = first; i < last; ++i) {
        const TOutputStream& ost = FOutputs[i];
        const TOutputCoder& c = *ost.coder;
        if (c.frame_number >= O.Fmax_frames[c.type]) {
            stop = C.FJoinMode;
            return -1;
        }
        if (C.FJoinMode) continue;
        const TInputStream& ist = FInputs[ost.source_index];
        const TInputFile& f = FFiles[ist.file_index];
        if (ist.is_past_recording_time || f.no_packet || f.eof_reached) continue;
        const double ipts = static_cast<double>(ist.pts);
        const double opts = OutputTime(c);
        if (ipts < iptsMin) {
            iptsMin = ipts;
            if (O.Finput_sync) file = ist.file_index;
        }
        if (opts < optsMin) {
            optsMin = opts;
            if (!O.Finput_sync) file = ist.file_index;
        }
    }
    return file;
}

void TTranscoder::Loop() {
    int joinIndex = 0;
    AVPacket* pkt = FPacket;
    while (!C.FBroken) {
        C.CheckPause();
        if (C.FBroken) break;
        bool stop = false;
        const int fileIndex = ChooseInput(joinIndex, stop);
        if (stop) break;
        if (fileIndex < 0) {
            bool waiting = false;
            for (TInputFile& f : FFiles) waiting = waiting || f.no_packet;
            if (!C.FJoinMode && waiting) {
                for (TInputFile& f : FFiles) f.no_packet = false;
                ff::av_usleep(10000);
                continue;
            }
            break;
        }
        if (O.Flimit_filesize != 0) {
            AVIOContext* pb = C.Foutput_files[0]->ctx->pb;
            if (pb && ff::avio_seek(pb, 0, SEEK_CUR) > O.Flimit_filesize) break;
        }
        TInputFile& file = FFiles[fileIndex];
        int ret = ff::av_read_frame(file.ctx, pkt);
        if (ret == AVERROR(EAGAIN)) {
            file.no_packet = true;
            continue;
        }
        if (ret < 0) {
            // Anything but a plain end means the file stops short of what it
            // holds (cut off or damaged); the conversion keeps what it read.
            if (ret != AVERROR_EOF && !C.FBroken) file.read_error = ret;
            file.eof_reached = true;
            if (C.FJoinMode) {
                if (EndOfJoinInput(joinIndex)) break;
                continue;
            }
            if (O.Fopt_shortest) break;
            continue;
        }
        for (TInputFile& f : FFiles) f.no_packet = false;
        file.last_corrupt = (pkt->flags & AV_PKT_FLAG_CORRUPT) != 0;
        NoteReadEnd(file, pkt);
        if (O.Fdo_pkt_dump)
            ff::av_pkt_dump_log2(nullptr, AV_LOG_DEBUG, pkt, O.Fdo_hex_dump, file.ctx->streams[pkt->stream_index]);
        if (pkt->stream_index >= file.nb_streams || FInputs[file.ist_index + pkt->stream_index].discard) {
            ff::av_packet_unref(pkt);
            continue;
        }
        const int istIndex = file.ist_index + pkt->stream_index;
        TInputStream& ist = FInputs[istIndex];
        const AVRational tb = ist.st->time_base;
        const int64_t offset = ff::av_rescale_q(C.Finput_files_ts_offset[fileIndex], AV_TIME_BASE_Q, tb);
        if (pkt->dts != AV_NOPTS_VALUE) pkt->dts += offset;
        if (pkt->pts != AV_NOPTS_VALUE) pkt->pts += offset;
        const double scale = pkt->stream_index < MAX_STREAMS ? C.Finput_files_ts_scale[fileIndex][pkt->stream_index] : 0;
        if (scale != 0) {
            if (pkt->dts != AV_NOPTS_VALUE) pkt->dts = std::llrint(pkt->dts * scale);
            if (pkt->pts != AV_NOPTS_VALUE) pkt->pts = std::llrint(pkt->pts * scale);
        }
        if (pkt->dts != AV_NOPTS_VALUE && ist.next_pts != AV_NOPTS_VALUE &&
            (file.ctx->iformat->flags & AVFMT_TS_DISCONT) && !O.Fcopy_ts) {
            const int64_t pktDts = ff::av_rescale_q(pkt->dts, tb, AV_TIME_BASE_Q);
            const int64_t delta = pktDts - ist.next_pts;
            if (std::llabs(delta) > static_cast<int64_t>(O.Fdts_delta_threshold * AV_TIME_BASE) || pktDts + 1 < ist.pts) {
                C.Finput_files_ts_offset[fileIndex] -= delta;
                if (O.Fverbose >= 3)
                    C.Log(llVerbose, QStringLiteral("timestamp discontinuity %1, new offset= %2")
                                         .arg(delta)
                                         .arg(C.Finput_files_ts_offset[fileIndex]));
                const int64_t d = ff::av_rescale_q(delta, AV_TIME_BASE_Q, tb);
                pkt->dts -= d;
                if (pkt->pts != AV_NOPTS_VALUE) pkt->pts -= d;
            }
        }
        if (O.Frecording_time != std::numeric_limits<int64_t>::max()) {
            const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
            if (ts != AV_NOPTS_VALUE &&
                ff::av_compare_ts(ts, tb, O.Frecording_time + O.Fstart_time, AV_TIME_BASE_Q) >= 0) {
                ist.is_past_recording_time = true;
                ff::av_packet_unref(pkt);
                continue;
            }
        }
        if (OutputPacket(ist, istIndex, pkt) < 0) {
            const QString msg = QStringLiteral("Error while decoding stream #%1.%2 (%3)")
                                    .arg(ist.file_index)
                                    .arg(ist.index)
                                    .arg(MediaTypeName(ist.st->codecpar->codec_type));
            if (O.Fexit_on_error) {
                ff::av_packet_unref(pkt);
                throw FFmpegException(msg);
            }
            if (O.Fverbose >= 0) C.Log(llVerbose, msg);
            ff::av_packet_unref(pkt);
            continue;
        }
        ff::av_packet_unref(pkt);
        const int64_t now = ff::av_gettime();
        if (now - FLastReport > C.ReportInterval) {
            FLastReport = now;
            ReportProgress(fileIndex, false);
        }
    }
}

bool TTranscoder::EndOfJoinInput(int& joinIndex) {
    const TInputFile& f = FFiles[joinIndex];
    for (int s = 0; s < f.nb_streams; ++s) {
        TInputStream& ist = FInputs[f.ist_index + s];
        if (!ist.decoding_needed || ist.decoder_flushed) continue;
        OutputPacket(ist, f.ist_index + s, nullptr);
        if (ist.dec) ff::avcodec_flush_buffers(ist.dec);
        ist.decoder_flushed = true;
    }
    // The encoders stay open across the inputs; the next input only starts
    // where this one ended.
    double maxT = 0;
    const size_t first = static_cast<size_t>(joinIndex) * FSegmentStreams;
    for (size_t i = first; i < first + FSegmentStreams && i < FOutputs.size(); ++i) {
        maxT = std::max(maxT, OutputTime(*FOutputs[i].coder));
        FOutputs[i].show_fps = false;
    }
    if (joinIndex + 1 >= C.Fnb_input_files) return true;
    C.Finput_files_ts_offset[joinIndex + 1] += std::llrint(maxT * AV_TIME_BASE);
    ++joinIndex;
    return false;
}

// ---------------------------------------------------------------------------
// One packet through the decoders or the copy path

int TTranscoder::OutputPacket(TInputStream& ist, int istIndex, const AVPacket* pkt) {
    if (ist.next_pts == AV_NOPTS_VALUE) ist.next_pts = ist.pts;
    if (pkt && pkt->dts != AV_NOPTS_VALUE) ist.next_pts = ist.pts = ff::av_rescale_q(pkt->dts, ist.st->time_base, AV_TIME_BASE_Q);
    const AVCodecParameters* par = ist.st->codecpar;
    int ret = 0;
    if (ist.decoding_needed) {
        bool got = false;
        switch (par->codec_type) {
        case AVMEDIA_TYPE_AUDIO: ret = DecodeAudio(ist, pkt, got); break;
        case AVMEDIA_TYPE_VIDEO: ret = DecodeVideo(ist, pkt, got); break;
        case AVMEDIA_TYPE_SUBTITLE: {
            if (!pkt) break;
            AVSubtitle sub{};
            int gotSub = 0;
            ret = ff::avcodec_decode_subtitle2(ist.dec, &sub, &gotSub, const_cast<AVPacket*>(pkt));
            if (ret < 0) return -1;
            ret = 0;
            if (gotSub) {
                for (size_t i = 0; i < FOutputs.size(); ++i) {
                    TOutputStream& ost = FOutputs[i];
                    if (ost.source_index == istIndex && ost.coder->encoding_needed)
                        EncodeSubtitle(ost, ist, &sub, pkt->pts);
                }
                ff::avsubtitle_free(&sub);
            }
            break;
        }
        default: return -1;
        }
        if (ret < 0) return -1;
    } else if (pkt) {
        // Not decoded: the time moves on by the packet's own length.
        ist.pts = ist.next_pts;
        int64_t dur = pkt->duration > 0 ? ff::av_rescale_q(pkt->duration, ist.st->time_base, AV_TIME_BASE_Q) : 0;
        if (!dur && par->codec_type == AVMEDIA_TYPE_AUDIO && par->sample_rate > 0 && par->frame_size > 0)
            dur = int64_t(AV_TIME_BASE) * par->frame_size / par->sample_rate;
        if (!dur && par->codec_type == AVMEDIA_TYPE_VIDEO && ist.st->avg_frame_rate.num)
            dur = ff::av_rescale_q(1, av_inv_q(ist.st->avg_frame_rate), AV_TIME_BASE_Q);
        ist.next_pts += dur;
    }
    if (!pkt) return 0;
    KeepInputRate(ist);
    if (O.Fstart_time != 0 && ist.pts < O.Fstart_time) return 0;
    for (TOutputStream& ost : FOutputs)
        if (ost.source_index == istIndex && !ost.coder->encoding_needed) CopyPacket(ost, ist, pkt);
    return 0;
}

void TTranscoder::KeepInputRate(const TInputStream& ist) {
    if (!O.Frate_emu) return;
    const int64_t ahead = ist.pts - (ff::av_gettime() - ist.start);
    if (ahead > 1000) ff::av_usleep(static_cast<unsigned>(ahead / 1000 * 1000));
}

int TTranscoder::DecodeVideo(TInputStream& ist, const AVPacket* pkt, bool& gotFrame) {
    const int istIndex = static_cast<int>(&ist - FInputs.data());
    // An error here is a damaged frame's (the packet was taken); the frames
    // decoded behind it are still to be received.
    int ret = ff::avcodec_send_packet(ist.dec, pkt);
    bool failed = ret < 0 && ret != AVERROR_EOF && ret != AVERROR(EAGAIN);
    for (;;) {
        ret = ff::avcodec_receive_frame(ist.dec, FDecoded);
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF) break;
        if (ret < 0) {
            // A damaged frame; with several threads good ones may be queued
            // behind it, also while the decoder is drained at the end.
            failed = true;
            continue;
        }
        gotFrame = true;
        const int64_t best = FDecoded->best_effort_timestamp;
        ist.pts = best != AV_NOPTS_VALUE ? ff::av_rescale_q(best, ist.st->time_base, AV_TIME_BASE_Q) : ist.next_pts;
        int64_t dur = FDecoded->pkt_duration > 0 ? ff::av_rescale_q(FDecoded->pkt_duration, ist.st->time_base, AV_TIME_BASE_Q) : 0;
        if (!dur) {
            const AVRational rate = ist.dec->framerate.num ? ist.dec->framerate : ist.st->avg_frame_rate;
            if (rate.num) dur = ff::av_rescale_q(2 + FDecoded->repeat_pict, av_inv_q(rate), AVRational{2, AV_TIME_BASE});
        }
        ist.next_pts = ist.pts + dur;
        ist.quality = static_cast<float>(FDecoded->quality);
        KeepInputRate(ist);
        if (O.Fstart_time == 0 || ist.pts >= O.Fstart_time) SendDecodedVideo(ist, istIndex, FDecoded);
        ff::av_frame_unref(FDecoded);
    }
    return failed ? -1 : 0;
}

void TTranscoder::SendDecodedVideo(TInputStream& ist, int istIndex, AVFrame* frame) {
    PreprocessVideoFrame(ist, frame);
    for (TOutputStream& ost : FOutputs)
        if (ost.source_index == istIndex && ost.coder->encoding_needed) EncodeVideo(ost, ist, frame);
}

int TTranscoder::DecodeAudio(TInputStream& ist, const AVPacket* pkt, bool& gotFrame) {
    const int istIndex = static_cast<int>(&ist - FInputs.data());
    int ret = ff::avcodec_send_packet(ist.dec, pkt);
    bool failed = ret < 0 && ret != AVERROR_EOF && ret != AVERROR(EAGAIN);
    int frames = 0;
    for (;;) {
        ret = ff::avcodec_receive_frame(ist.dec, FDecoded);
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF) break;
        if (ret < 0) {
            // As for video.
            failed = true;
            continue;
        }
        gotFrame = true;
        if (++frames == 2 && pkt && ((O.Fverbose > 0 && !ist.showed_multi_packet_warning) || O.Fverbose > 1)) {
            C.Log(llError, QStringLiteral("Multiple frames in a packet from stream %1").arg(pkt->stream_index));
            ist.showed_multi_packet_warning = true;
        }
        const int64_t best = FDecoded->best_effort_timestamp;
        ist.pts = best != AV_NOPTS_VALUE ? ff::av_rescale_q(best, ist.st->time_base, AV_TIME_BASE_Q) : ist.next_pts;
        if (FDecoded->sample_rate > 0)
            ist.next_pts = ist.pts + int64_t(AV_TIME_BASE) * FDecoded->nb_samples / FDecoded->sample_rate;
        if (O.Fstart_time == 0 || ist.pts >= O.Fstart_time) SendDecodedAudio(ist, istIndex, FDecoded);
        ff::av_frame_unref(FDecoded);
    }
    return failed ? -1 : 0;
}

void TTranscoder::SendDecodedAudio(TInputStream& ist, int istIndex, AVFrame* frame) {
    for (TOutputStream& ost : FOutputs)
        if (ost.source_index == istIndex && ost.coder->encoding_needed) DoAudioOut(ost, ist, frame);
}

void TTranscoder::CopyPacket(TOutputStream& ost, TInputStream& ist, const AVPacket* pkt) {
    TOutputCoder& c = *ost.coder;
    if (c.frame_number == 0 && !(pkt->flags & AV_PKT_FLAG_KEY) && !O.Fcopy_initial_nonkeyframes) return;
    if (c.type == AVMEDIA_TYPE_AUDIO) C.Faudio_size += pkt->size;
    else if (c.type == AVMEDIA_TYPE_VIDEO) {
        C.Fvideo_size += pkt->size;
        ++c.sync_opts;
    }
    const AVRational itb = ist.st->time_base, otb = c.st->time_base;
    const int64_t start = ff::av_rescale_q(O.Fstart_time, AV_TIME_BASE_Q, otb);
    AVPacket* out = FOutPacket;
    if (ff::av_packet_ref(out, pkt) < 0) throw FFmpegException(QStringLiteral("av_mallocz fail"));
    out->pts = pkt->pts != AV_NOPTS_VALUE ? ff::av_rescale_q(pkt->pts, itb, otb) - start : AV_NOPTS_VALUE;
    out->dts = (pkt->dts != AV_NOPTS_VALUE ? ff::av_rescale_q(pkt->dts, itb, otb)
                                            : ff::av_rescale_q(ist.pts, AV_TIME_BASE_Q, otb)) -
               start;
    out->duration = ff::av_rescale_q(pkt->duration, itb, otb);
    WriteFrame(c, out);
    ff::av_packet_unref(out);
    ++c.frame_number;
}

// ---------------------------------------------------------------------------
// The end: flush, trailers, the last report

void TTranscoder::Finish() {
    for (size_t i = 0; i < FInputs.size(); ++i) {
        TInputStream& ist = FInputs[i];
        if (!ist.decoding_needed || ist.decoder_flushed) continue;
        OutputPacket(ist, static_cast<int>(i), nullptr);
        ist.decoder_flushed = true;
    }
    for (auto& c : FCoders) FlushEncoder(*c);
    if (!C.FBroken) CheckWritten();
    const int outputs = C.OwnOutputFiles();
    for (int i = 0; i < outputs; ++i) {
        const int ret = ff::av_write_trailer(C.Foutput_files[i]->ctx);
        if (ret < 0) C.Log(llError, ErrorText(QStringLiteral("av_write_trailer()"), ret));
    }
    ReportProgress(-1, true);
    // A finished conversion of a cut-off input says so in its report.
    const QString note = EndedEarlyNote();
    if (!note.isEmpty()) {
        C.Log(llWarning, note);
        if (!C.FFatalException) C.FFatalMessage = note;
    }
    if (C.FBroken) CheckWritten();
    C.FFinished = !C.FBroken;
}

void TTranscoder::ReportProgress(int AFileIndex, bool ALast) {
    int64_t totalSize = 0;
    if (AVIOContext* pb = C.Foutput_files[0]->ctx->pb) {
        totalSize = ff::avio_size(pb);
        if (totalSize < 0) totalSize = ff::avio_seek(pb, 0, SEEK_CUR);
        if (totalSize < 0) totalSize = 0;
    }
    QString line;
    double ti1 = 1e10;
    bool video = false;
    int frameNumber = -1, fps = -1;
    float quality = -1.0f;
    for (const TOutputStream& ost : FOutputs) {
        const TOutputCoder& c = *ost.coder;
        const float q = c.enc ? std::max(c.last_quality, 0.0f) : -1.0f;
        if (video && c.type == AVMEDIA_TYPE_VIDEO) line += QString::asprintf("q=%2.1f ", q);
        if (!video && c.type == AVMEDIA_TYPE_VIDEO && ost.show_fps) {
            frameNumber = c.frame_number;
            if (frameNumber < 1) return;
            const double t = static_cast<double>(ff::av_gettime() - C.Ftimer_start) / AV_TIME_BASE;
            fps = t > 1 ? static_cast<int>(frameNumber / t + 0.5) : 0;
            quality = q;
            line += QString::asprintf("frame=%5d fps=%3d q=%3.1f ", frameNumber, fps, q);
            if (ALast) line += QStringLiteral("L");
            if (O.Fqp_hist) {
                const int qp = static_cast<int>(std::lrint(q));
                if (qp >= 0 && qp < 52) ++FQpHistogram[qp];
                for (int j = 0; j < 32; ++j)
                    line += QString::asprintf("%X", static_cast<int>(std::lrint(std::log2(FQpHistogram[j] + 1))));
            }
            if (c.enc && (c.enc->flags & AV_CODEC_FLAG_PSNR)) {
                double errSum = 0, scaleSum = 0;
                line += QStringLiteral("PSNR=");
                for (int j = 0; j < 3; ++j) {
                    double error = ALast ? static_cast<double>(c.enc->error[j])
                                         : (j < static_cast<int>(c.last_error.size()) ? double(c.last_error[j]) : 0);
                    double scale = double(c.enc->width) * c.enc->height * 255.0 * 255.0;
                    if (ALast) scale *= frameNumber;
                    if (j) scale /= 4;
                    errSum += error;
                    scaleSum += scale;
                    line += QString::asprintf("%c:%2.2f ", "YUV"[j], -10.0 * std::log10(error / scale + 1e-99));
                }
                line += QString::asprintf("*:%2.2f ", -10.0 * std::log10(errSum / scaleSum + 1e-99));
            }
            video = true;
        }
        const double t = OutputTime(c);
        if (t > 0 && t < ti1) ti1 = t;
    }
    // Before any stream has a time the report says 0, not the search's start value.
    if (ti1 >= 1e10) ti1 = 0;
    if (ti1 < 0.01) ti1 = 0.01;
    if (C.OnProgress || O.Fverbose > 0 || ALast) {
        const double bitrate = static_cast<double>(totalSize) * 8 / ti1 / 1000.0;
        line += QString::asprintf("size=%8.0fkB time=%0.2f bitrate=%6.1fkbits/s", totalSize / 1024.0, ti1, bitrate);
        if (C.Fnb_frames_dup || C.Fnb_frames_drop)
            line += QString::asprintf(" dup=%d drop=%d", C.Fnb_frames_dup, C.Fnb_frames_drop);
        if (C.FShowDupOrDrop && O.Fverbose >= 0 && C.OnProgress) {
            C.FShowDupOrDrop = false;
            C.Log(llVerbose, line);
        }
        if (C.OnProgress)
            C.OnProgress(&C, AFileIndex, video ? frameNumber : -1, video ? fps : -1, video ? quality : -1.0f,
                         static_cast<float>(bitrate), totalSize, static_cast<int64_t>(ti1 * 1000000),
                         C.FTotalOutputDuration);
        else if (O.Fverbose >= 0)
            C.Log(llVerbose, line);
    }
    if (ALast && O.Fverbose >= 0) {
        const double raw = static_cast<double>(C.Fvideo_size + C.Faudio_size + C.Fextra_size);
        const double overhead = raw > 0 ? 100.0 * (static_cast<double>(totalSize) - raw) / raw : 0.0;
        C.Log(llVerbose, QString::asprintf("video:%1.0fkB audio:%1.0fkB global headers:%1.0fkB muxing overhead %f%%\r\n",
                                           C.Fvideo_size / 1024.0, C.Faudio_size / 1024.0, C.Fextra_size / 1024.0,
                                           overhead));
    }
}
