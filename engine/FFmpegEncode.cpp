// Encoding and writing: audio through the resampler with its sync rules and
// volume, video with frame dropping and duplication, subtitles, the
// bitstream filters on write, and the video statistics file.
#include "engine/FFmpegPipeline.h"

#include <cmath>

extern "C" {
#include <libavutil/intreadwrite.h>
}

namespace {

template <typename T>
T Clip(int64_t v, int64_t lo, int64_t hi) {
    return static_cast<T>(v < lo ? lo : v > hi ? hi : v);
}

// Writes silence in the encoder's format ahead of the samples.
bool WriteSilence(AVAudioFifo* fifo, const AVCodecContext* enc, int samples) {
    uint8_t* data[AV_NUM_DATA_POINTERS] = {};
    const int ch = enc->ch_layout.nb_channels;
    if (ff::av_samples_alloc(data, nullptr, ch, samples, enc->sample_fmt, 0) < 0) return false;
    ff::av_samples_set_silence(data, 0, samples, ch, enc->sample_fmt);
    const int n = ff::av_audio_fifo_write(fifo, reinterpret_cast<void**>(data), samples);
    ff::av_freep(&data[0]);
    return n == samples;
}

}  // namespace

// ---------------------------------------------------------------------------
// Writing

void TTranscoder::WriteFrame(TOutputCoder& c, AVPacket* pkt) {
    if (c.bsfs.empty()) {
        WritePacket(c, pkt);
        return;
    }
    // Each filter may give no packet or several; they go on through the rest of the chain.
    std::vector<AVPacket*> pending{ff::av_packet_clone(pkt)};
    ff::av_packet_unref(pkt);
    for (size_t f = 0; f < c.bsfs.size(); ++f) {
        std::vector<AVPacket*> next;
        for (AVPacket* in : pending) {
            int ret = ff::av_bsf_send_packet(c.bsfs[f], in);
            ff::av_packet_free(&in);
            while (ret >= 0) {
                AVPacket* out = ff::av_packet_alloc();
                ret = ff::av_bsf_receive_packet(c.bsfs[f], out);
                if (ret < 0) {
                    ff::av_packet_free(&out);
                    break;
                }
                next.push_back(out);
            }
            if (ret < 0 && ret != AVERROR(EAGAIN) && ret != AVERROR_EOF) {
                const QString msg = ErrorText(QStringLiteral("%1 failed for stream %2, codec %3")
                                                  .arg(QString::fromStdString(c.bsf_names[f]))
                                                  .arg(c.index)
                                                  .arg(c.enc ? QString::fromUtf8(c.enc->codec->name)
                                                             : QStringLiteral("copy")),
                                              ret);
                if (O.Fexit_on_error) {
                    for (AVPacket* p : next) ff::av_packet_free(&p);
                    throw FFmpegException(msg);
                }
                C.Log(llError, msg);
            }
        }
        pending.swap(next);
    }
    for (AVPacket*& p : pending) {
        WritePacket(c, p);
        ff::av_packet_free(&p);
    }
}

void TTranscoder::WritePacket(TOutputCoder& c, AVPacket* pkt) {
    pkt->stream_index = c.st->index;
    if (pkt->dts != AV_NOPTS_VALUE) c.last_dts = pkt->dts;
    else if (pkt->pts != AV_NOPTS_VALUE) c.last_dts = pkt->pts;
    const int ret = ff::av_interleaved_write_frame(c.file->ctx, pkt);
    if (ret < 0) throw FFmpegException(ErrorText(QStringLiteral("av_interleaved_write_frame()"), ret));
    ++c.packets;
}

// ---------------------------------------------------------------------------
// Encoding one frame (or the flush with none)

void TTranscoder::EncodeFrame(TOutputCoder& c, const AVFrame* frame) {
    AVCodecContext* enc = c.enc;
    const bool video = c.type == AVMEDIA_TYPE_VIDEO;
    const QString failed = video ? QStringLiteral("Video encoding failed") : QStringLiteral("Audio encoding failed");
    int ret = ff::avcodec_send_frame(enc, frame);
    if (ret < 0 && ret != AVERROR_EOF) throw FFmpegException(ErrorText(failed, ret));
    AVPacket* pkt = FOutPacket;
    for (;;) {
        ret = ff::avcodec_receive_packet(enc, pkt);
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF) break;
        if (ret < 0) throw FFmpegException(ErrorText(failed, ret));
        const int size = pkt->size;
        if (video) {
            C.Fvideo_size += size;
            size_t sdSize = 0;
            if (const uint8_t* sd = ff::av_packet_get_side_data(pkt, AV_PKT_DATA_QUALITY_STATS, &sdSize);
                sd && sdSize >= 5) {
                c.last_quality = static_cast<float>(static_cast<int32_t>(AV_RL32(sd))) / FF_QP2LAMBDA;
                c.last_pict_type = ff::av_get_picture_type_char(static_cast<AVPictureType>(sd[4]));
                const int nbErr = sdSize >= 6 ? std::min<int>(sd[5], 4) : 0;
                c.last_error.assign(nbErr, 0);
                for (int i = 0; i < nbErr && sdSize >= 8 + 8u * (i + 1); ++i) c.last_error[i] = AV_RL64(sd + 8 + 8 * i);
            }
            if (pkt->duration <= 0) pkt->duration = 1;
            if (c.logfile && enc->stats_out) std::fputs(enc->stats_out, c.logfile);
        } else {
            C.Faudio_size += size;
        }
        ff::av_packet_rescale_ts(pkt, enc->time_base, c.st->time_base);
        WriteFrame(c, pkt);
        if (video && !O.Fvstats_filename.empty()) WriteVideoStats(c, size);
        ff::av_packet_unref(pkt);
    }
}

// ---------------------------------------------------------------------------
// Audio

void TTranscoder::ApplyVolume(TOutputCoder& c, uint8_t** data, int samples) {
    const int vol = O.Faudio_volume;
    const AVSampleFormat fmt = c.enc->sample_fmt;
    const int ch = c.enc->ch_layout.nb_channels;
    const bool planar = ff::av_sample_fmt_is_planar(fmt);
    const int planes = planar ? ch : 1;
    const int n = planar ? samples : samples * ch;
    for (int p = 0; p < planes; ++p) {
        switch (ff::av_get_packed_sample_fmt(fmt)) {
        case AV_SAMPLE_FMT_S16: {
            auto* s = reinterpret_cast<int16_t*>(data[p]);
            for (int i = 0; i < n; ++i) s[i] = Clip<int16_t>((int64_t(s[i]) * vol + 128) >> 8, INT16_MIN, INT16_MAX);
            break;
        }
        case AV_SAMPLE_FMT_S32: {
            auto* s = reinterpret_cast<int32_t*>(data[p]);
            for (int i = 0; i < n; ++i) s[i] = Clip<int32_t>((int64_t(s[i]) * vol + 128) >> 8, INT32_MIN, INT32_MAX);
            break;
        }
        case AV_SAMPLE_FMT_FLT: {
            auto* s = reinterpret_cast<float*>(data[p]);
            const float f = vol / 256.0f;
            for (int i = 0; i < n; ++i) s[i] *= f;
            break;
        }
        case AV_SAMPLE_FMT_DBL: {
            auto* s = reinterpret_cast<double*>(data[p]);
            const double f = vol / 256.0;
            for (int i = 0; i < n; ++i) s[i] *= f;
            break;
        }
        case AV_SAMPLE_FMT_U8: {
            uint8_t* s = data[p];
            for (int i = 0; i < n; ++i) s[i] = Clip<uint8_t>((((int64_t(s[i]) - 128) * vol + 128) >> 8) + 128, 0, 255);
            break;
        }
        default:
            break;
        }
    }
}

void TTranscoder::DoAudioOut(TOutputStream& ost, TInputStream& ist, AVFrame* frame) {
    TOutputCoder& c = *ost.coder;
    AVCodecContext* enc = c.enc;
    AVChannelLayout inLayout{};
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        ff::av_channel_layout_default(&inLayout, frame->ch_layout.nb_channels);
    else
        ff::av_channel_layout_copy(&inLayout, &frame->ch_layout);
    if (!c.swr || c.swr_in_fmt != frame->format || c.swr_in_rate != frame->sample_rate ||
        ff::av_channel_layout_compare(&c.swr_in_layout, &inLayout) != 0) {
        ff::swr_free(&c.swr);
        int ret = ff::swr_alloc_set_opts2(&c.swr, &enc->ch_layout, enc->sample_fmt, enc->sample_rate, &inLayout,
                                          static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
        if (ret >= 0) ret = ff::swr_init(c.swr);
        if (ret < 0) {
            ff::av_channel_layout_uninit(&inLayout);
            throw FFmpegException(QStringLiteral("Can not resample %1 channels @ %2 Hz to %3 channels @ %4 Hz")
                                      .arg(frame->ch_layout.nb_channels)
                                      .arg(frame->sample_rate)
                                      .arg(enc->ch_layout.nb_channels)
                                      .arg(enc->sample_rate));
        }
        c.swr_in_fmt = static_cast<AVSampleFormat>(frame->format);
        c.swr_in_rate = frame->sample_rate;
        ff::av_channel_layout_uninit(&c.swr_in_layout);
        ff::av_channel_layout_copy(&c.swr_in_layout, &inLayout);
    }
    ff::av_channel_layout_uninit(&inLayout);

    const int encRate = enc->sample_rate;
    const int decRate = frame->sample_rate;
    const int fifoSamples = ff::av_audio_fifo_size(c.fifo);
    const double syncTime = static_cast<double>(SyncStream(ost)->pts - O.Fstart_time) / AV_TIME_BASE;
    int skip = 0;
    int silence = 0;
    if (O.Faudio_sync_method) {
        const double delta = syncTime * encRate - static_cast<double>(c.sync_opts) - fifoSamples;
        const int64_t inDelta = static_cast<int64_t>(delta * decRate / encRate);
        if (std::fabs(delta) > 50) {
            if (ist.is_start || std::fabs(delta) > O.Faudio_drift_threshold * encRate) {
                if (inDelta < 0) {
                    skip = static_cast<int>(std::min<int64_t>(-inDelta, frame->nb_samples));
                    if (O.Fverbose > 2)
                        C.Log(llVerbose, QStringLiteral("discarding %1 audio samples").arg(static_cast<int>(-delta)));
                    ist.is_start = false;
                    if (skip >= frame->nb_samples) return;
                } else if (inDelta > 0) {
                    silence = static_cast<int>(delta);
                    if (O.Fverbose > 2)
                        C.Log(llVerbose, QStringLiteral("adding %1 audio samples of silence").arg(silence));
                    ist.is_start = false;
                }
            } else if (O.Faudio_sync_method > 1) {
                const int comp = std::clamp(static_cast<int>(delta), -O.Faudio_sync_method, O.Faudio_sync_method);
                if (O.Fverbose > 2)
                    C.Log(llVerbose, QStringLiteral("compensating audio timestamp drift:%1 compensation:%2 in:%3")
                                         .arg(delta, 0, 'f', 6)
                                         .arg(comp)
                                         .arg(encRate));
                ff::swr_set_compensation(c.swr, comp, encRate);
            }
        }
    } else {
        c.sync_opts = std::llrint(syncTime * encRate) - fifoSamples;
    }

    const int inSamples = frame->nb_samples - skip;
    const int outMax = ff::swr_get_out_samples(c.swr, inSamples) + 32;
    if (outMax > c.conv_samples) {
        if (c.conv[0]) ff::av_freep(&c.conv[0]);
        if (enc->ch_layout.nb_channels > AV_NUM_DATA_POINTERS ||
            ff::av_samples_alloc(c.conv, nullptr, enc->ch_layout.nb_channels, outMax, enc->sample_fmt, 0) < 0) {
            c.conv_samples = 0;
            throw FFmpegException(QStringLiteral("Out of memory in do_audio_out"));
        }
        c.conv_samples = outMax;
    }
    const uint8_t* in[AV_NUM_DATA_POINTERS] = {};
    const int bps = ff::av_get_bytes_per_sample(static_cast<AVSampleFormat>(frame->format));
    const bool planar = ff::av_sample_fmt_is_planar(static_cast<AVSampleFormat>(frame->format));
    const int ch = frame->ch_layout.nb_channels;
    for (int p = 0; p < (planar ? std::min(ch, AV_NUM_DATA_POINTERS) : 1); ++p)
        in[p] = frame->extended_data[p] + static_cast<ptrdiff_t>(skip) * bps * (planar ? 1 : ch);
    const int got = ff::swr_convert(c.swr, c.conv, c.conv_samples, in, inSamples);
    if (got < 0) {
        if (O.Fexit_on_error) throw FFmpegException(QStringLiteral("av_audio_convert() failed"));
        C.Log(llError, QStringLiteral("av_audio_convert() failed"));
        return;
    }
    if (O.Faudio_volume != 256) ApplyVolume(c, c.conv, got);
    if (silence > 0 && !WriteSilence(c.fifo, enc, silence))
        throw FFmpegException(QStringLiteral("av_fifo_realloc2() failed"));
    if (got > 0 && ff::av_audio_fifo_write(c.fifo, reinterpret_cast<void**>(c.conv), got) < got)
        throw FFmpegException(QStringLiteral("av_fifo_realloc2() failed"));
    EncodeAudioFrames(c, false);
}

void TTranscoder::EncodeAudioFrames(TOutputCoder& c, bool flush) {
    AVCodecContext* enc = c.enc;
    const bool variable = (enc->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) || enc->frame_size <= 1;
    const bool smallLast = (enc->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME) != 0;
    AVFrame* f = c.audio_frame;
    for (;;) {
        const int avail = ff::av_audio_fifo_size(c.fifo);
        if (avail <= 0) break;
        int n = variable ? std::min(avail, 4096) : enc->frame_size;
        if (!variable && avail < n) {
            if (!flush) break;
            n = avail;
        }
        // A short last frame goes out as it is where the encoder takes one; otherwise it is padded with silence.
        const int frameSamples = (variable || smallLast) ? n : enc->frame_size;
        if (f->nb_samples != frameSamples || !f->buf[0]) {
            ff::av_frame_unref(f);
            f->nb_samples = frameSamples;
            f->format = enc->sample_fmt;
            f->sample_rate = enc->sample_rate;
            ff::av_channel_layout_copy(&f->ch_layout, &enc->ch_layout);
            if (ff::av_frame_get_buffer(f, 0) < 0) throw FFmpegException(QStringLiteral("Out of memory in do_audio_out"));
        } else if (ff::av_frame_make_writable(f) < 0) {
            throw FFmpegException(QStringLiteral("Out of memory in do_audio_out"));
        }
        if (ff::av_audio_fifo_read(c.fifo, reinterpret_cast<void**>(f->extended_data), n) < n)
            throw FFmpegException(QStringLiteral("frame_bytes invalid."));
        if (n < frameSamples)
            ff::av_samples_set_silence(f->extended_data, n, frameSamples - n, enc->ch_layout.nb_channels, enc->sample_fmt);
        int64_t pts = c.sync_opts;
        if (c.audio_next_pts != AV_NOPTS_VALUE && pts < c.audio_next_pts) pts = c.audio_next_pts;
        f->pts = pts;
        c.audio_next_pts = pts + frameSamples;
        c.sync_opts += frameSamples;
        EncodeFrame(c, f);
    }
}

// ---------------------------------------------------------------------------
// Video

void TTranscoder::EncodeVideo(TOutputStream& ost, TInputStream& ist, AVFrame* frame) {
    TOutputCoder& c = *ost.coder;
    if (!c.filter.Matches(frame)) {
        // The geometry changed mid-stream: the graph is built again for it and
        // still ends at the encoder's size.
        const TVideoFilterParams& was = c.filter.Params();
        if (frame->width != was.in_width || frame->height != was.in_height)
            C.Log(llQuiet, QStringLiteral("Input Stream #%1.%2 frame size changed to %3x%4, %5")
                           .arg(ist.file_index)
                           .arg(ist.index)
                           .arg(frame->width)
                           .arg(frame->height)
                           .arg(QString::fromUtf8(ff::av_get_pix_fmt_name(static_cast<AVPixelFormat>(frame->format)))));
        ConfigureVideoFilter(c, frame, ist, true);
    }
    frame->pts = ist.pts;
    if (c.filter.Push(frame) < 0) {
        if (O.Fexit_on_error) throw FFmpegException(QStringLiteral("Error while filtering"));
        return;
    }
    const AVRational tb = c.filter.TimeBase();
    while (c.filter.Pull(FFiltered) >= 0) {
        const int64_t ptsUs = FFiltered->pts == AV_NOPTS_VALUE ? ist.pts : ff::av_rescale_q(FFiltered->pts, tb, AV_TIME_BASE_Q);
        const TInputStream* sync = SyncStream(ost);
        const int64_t t = sync == &ist ? ptsUs : sync->pts;
        EncodeVideoFrame(ost, ist, FFiltered, static_cast<double>(t - O.Fstart_time) / AV_TIME_BASE);
        ff::av_frame_unref(FFiltered);
    }
}

void TTranscoder::EncodeVideoFrame(TOutputStream& ost, TInputStream& ist, AVFrame* frame, double syncTime) {
    TOutputCoder& c = *ost.coder;
    AVCodecContext* enc = c.enc;
    const double sync = syncTime / av_q2d(enc->time_base);
    int64_t nb = 1;
    if (O.Fvideo_sync_method != 0) {
        const double vdelta = sync - static_cast<double>(c.sync_opts);
        const bool vfr = O.Fvideo_sync_method == 2 ||
                         (O.Fvideo_sync_method == -1 && (c.file->ctx->oformat->flags & AVFMT_VARIABLE_FPS));
        if (vdelta < -1.1) {
            nb = 0;
        } else if (vfr) {
            if (vdelta <= -0.6)
                nb = 0;
            else if (vdelta > 0.6)
                c.sync_opts = std::llrint(sync);
        } else if (vdelta > 1.1) {
            nb = std::llrint(vdelta);
        }
        if (nb == 0) {
            ++C.Fnb_frames_drop;
            C.FShowDupOrDrop = true;
            if (O.Fverbose > 2) C.Log(llVerbose, QStringLiteral("*** drop!"));
        } else if (nb > 1) {
            C.Fnb_frames_dup += static_cast<int>(nb - 1);
            C.FShowDupOrDrop = true;
            if (O.Fverbose > 2) C.Log(llVerbose, QStringLiteral("*** %1 dup!").arg(nb - 1));
        }
    } else {
        c.sync_opts = std::llrint(sync);
    }
    nb = std::min<int64_t>(nb, O.Fmax_frames[AVMEDIA_TYPE_VIDEO] - c.frame_number);
    if (nb <= 0) return;

    RunPostHooks(frame, ff::av_rescale_q(c.sync_opts, enc->time_base, AV_TIME_BASE_Q));
    frame->pict_type = AV_PICTURE_TYPE_NONE;
    if (enc->flags & (AV_CODEC_FLAG_INTERLACED_DCT | AV_CODEC_FLAG_INTERLACED_ME))
        frame->top_field_first = O.Ftop_field_first >= 0 ? O.Ftop_field_first : frame->top_field_first;
    const float q = O.Fsame_quality ? ist.quality : c.setup->quality;
    if (q > 0) frame->quality = static_cast<int>(std::lrint(q));
    for (int64_t i = 0; i < nb && !C.FBroken; ++i) {
        if (i > 0) C.CheckPause();  // a safe point between duplicated frames
        frame->pts = c.sync_opts;
        EncodeFrame(c, frame);
        ++c.sync_opts;
        ++c.frame_number;
    }
}

// ---------------------------------------------------------------------------
// Subtitles

void TTranscoder::EncodeSubtitle(TOutputStream& ost, TInputStream& ist, AVSubtitle* sub, int64_t pts) {
    TOutputCoder& c = *ost.coder;
    AVCodecContext* enc = c.enc;
    if (pts == AV_NOPTS_VALUE) {
        if (O.Fexit_on_error) throw FFmpegException(QStringLiteral("Subtitle packets must have a pts"));
        C.Log(llError, QStringLiteral("Subtitle packets must have a pts"));
        return;
    }
    constexpr int kBufferSize = 1024 * 1024;
    if (FSubtitleBuffer.empty()) FSubtitleBuffer.resize(kBufferSize);
    const bool dvb = enc->codec_id == AV_CODEC_ID_DVB_SUBTITLE;
    const int nb = dvb ? 2 : 1;
    sub->pts = ff::av_rescale_q(pts, ist.st->time_base, AV_TIME_BASE_Q) + int64_t(sub->start_display_time) * 1000;
    sub->end_display_time -= sub->start_display_time;
    sub->start_display_time = 0;
    const unsigned rects = sub->num_rects;
    for (int i = 0; i < nb; ++i) {
        // The second DVB packet clears the screen.
        if (i == 1) sub->num_rects = 0;
        const int size = ff::avcodec_encode_subtitle(enc, FSubtitleBuffer.data(), kBufferSize, sub);
        if (i == 1) sub->num_rects = rects;
        if (size < 0) throw FFmpegException(QStringLiteral("Subtitle encoding failed"));
        AVPacket* pkt = FOutPacket;
        if (ff::av_new_packet(pkt, size) < 0) throw FFmpegException(QStringLiteral("Subtitle encoding failed"));
        std::memcpy(pkt->data, FSubtitleBuffer.data(), size);
        pkt->pts = ff::av_rescale_q(sub->pts, AV_TIME_BASE_Q, c.st->time_base);
        if (dvb)
            pkt->pts += ff::av_rescale_q(90 * int64_t(i == 0 ? sub->start_display_time : sub->end_display_time),
                                         AVRational{1, 90000}, c.st->time_base);
        pkt->duration = ff::av_rescale_q(sub->end_display_time, AVRational{1, 1000}, c.st->time_base);
        pkt->dts = pkt->pts;
        WriteFrame(c, pkt);
        ff::av_packet_unref(pkt);
    }
    c.sync_opts = ff::av_rescale_q(sub->pts, AV_TIME_BASE_Q, enc->time_base);
}

// ---------------------------------------------------------------------------
// Flushing and statistics

void TTranscoder::FlushEncoder(TOutputCoder& c) {
    if (!c.encoding_needed || !c.opened || c.flushed) return;
    c.flushed = true;
    if (c.type == AVMEDIA_TYPE_AUDIO) {
        // What the resampler still holds, then the short last frame.
        if (c.swr && c.conv_samples > 0) {
            const int got = ff::swr_convert(c.swr, c.conv, c.conv_samples, nullptr, 0);
            if (got > 0) {
                if (O.Faudio_volume != 256) ApplyVolume(c, c.conv, got);
                ff::av_audio_fifo_write(c.fifo, reinterpret_cast<void**>(c.conv), got);
            }
        }
        EncodeAudioFrames(c, true);
        EncodeFrame(c, nullptr);
    } else if (c.type == AVMEDIA_TYPE_VIDEO) {
        // Pictures still in the graph (a deinterlacer holds one back).
        if (c.filter.PushEnd() >= 0) {
            const AVRational tb = c.filter.TimeBase();
            for (size_t i = 0; i < FCoders.size(); ++i)
                if (FCoders[i].get() == &c) {
                    TOutputStream& ost = FOutputs[i];
                    TInputStream& ist = FInputs[ost.source_index];
                    while (c.filter.Pull(FFiltered) >= 0) {
                        const int64_t t = FFiltered->pts == AV_NOPTS_VALUE ? ist.pts
                                                                           : ff::av_rescale_q(FFiltered->pts, tb, AV_TIME_BASE_Q);
                        EncodeVideoFrame(ost, ist, FFiltered, static_cast<double>(t - O.Fstart_time) / AV_TIME_BASE);
                        ff::av_frame_unref(FFiltered);
                    }
                    break;
                }
        }
        EncodeFrame(c, nullptr);
        if (c.logfile && c.enc->stats_out) std::fputs(c.enc->stats_out, c.logfile);
    }
}

void TTranscoder::WriteVideoStats(TOutputCoder& c, int frameSize) {
    if (!C.Fvstats_file) {
        C.Fvstats_file = std::fopen(O.Fvstats_filename.c_str(), "w");
        if (!C.Fvstats_file)
            throw FFmpegException(QStringLiteral("fopen fail: ") + QString::fromStdString(O.Fvstats_filename));
    }
    AVCodecContext* enc = c.enc;
    FILE* f = C.Fvstats_file;
    std::fprintf(f, "frame= %5d q= %2.1f ", c.frame_number + 1, c.last_quality < 0 ? 0.0 : c.last_quality);
    if ((enc->flags & AV_CODEC_FLAG_PSNR) && !c.last_error.empty())
        std::fprintf(f, "PSNR= %6.2f ",
                     -10.0 * std::log10(static_cast<double>(c.last_error[0]) /
                                        (double(enc->width) * enc->height * 255.0 * 255.0) + 1e-99));
    std::fprintf(f, "f_size= %6d ", frameSize);
    const double ti1 = std::max(0.01, (c.sync_opts + 1) * av_q2d(enc->time_base));
    const double br = frameSize * 8 / av_q2d(enc->time_base) / 1000.0;
    const double avg = static_cast<double>(C.Fvideo_size) * 8 / ti1 / 1000.0;
    std::fprintf(f, "s_size= %8.0fkB time= %0.3f br= %7.1fkbits/s avg_br= %7.1fkbits/s ",
                 static_cast<double>(C.Fvideo_size) / 1024, ti1, br, avg);
    std::fprintf(f, "type= %c\n", c.last_pict_type);
}
