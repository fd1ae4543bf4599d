// The video side of a playback: decoding through the filter graph into the
// two-slot picture queue, the clocks, the refresh thread, and showing pictures
// at their time in the surface.
#include "engine/PlayerState.h"

#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

double NowSeconds() {
    return ff::av_gettime_relative() / 1000000.0;
}

// ---------------------------------------------------------------------------
// Clocks

double GetAudioClock(TVideoState* is) {
    const int bytesPerSec = is->audio_rate * 2 * is->audio_channels;
    double pts = is->audio_clock;
    if (bytesPerSec) pts -= static_cast<double>(is->audio_buf_left) / bytesPerSec;
    return pts;
}

double GetVideoClock(TVideoState* is) {
    if (is->paused) return is->video_current_pts;
    const double drift = is->video_current_pts_drift;
    if (drift != 0) {
        // Past the last picture the clock stops where that picture ends: a file
        // cut short must not run on to the length its header claims.
        if (is->video_drained) return std::min(NowSeconds() + drift, is->video_clock.load());
        return NowSeconds() + drift;
    }
    return is->StartTime / 1000000.0;
}

double GetExternalClock(TVideoState* is) {
    return is->external_clock + (ff::av_gettime_relative() - is->external_clock_time) * 0.000001;
}

int MasterClockSerial(TVideoState* is) {
    switch (is->av_sync_type) {
    case AV_SYNC_VIDEO_MASTER:
        return is->video_stream >= 0 ? is->video_clock_serial : is->audio_clock_serial;
    case AV_SYNC_AUDIO_MASTER:
        return is->audio_stream >= 0 ? is->audio_clock_serial : is->video_clock_serial;
    default:
        // The external clock follows no data.
        return std::numeric_limits<int>::max();
    }
}

double GetMasterClock(TVideoState* is) {
    switch (is->av_sync_type) {
    case AV_SYNC_VIDEO_MASTER:
        return is->video_stream >= 0 ? GetVideoClock(is) : GetAudioClock(is);
    case AV_SYNC_AUDIO_MASTER:
        return is->audio_stream >= 0 ? GetAudioClock(is) : GetVideoClock(is);
    default:
        return GetExternalClock(is);
    }
}

// Caller holds pictq_mutex.
double ComputeTargetTime(TVideoState* is, double pts) {
    double delay = pts - is->frame_last_pts;
    if (delay <= 0 || delay >= 10.0)
        delay = is->frame_last_delay;
    else
        is->frame_last_delay = delay;
    is->frame_last_pts = pts;
    // A master clock without data of this picture's seek still tells the place
    // the seek left: measured against it, every picture after a seek back would
    // be late, and the playback would rush through them without a position.
    const bool masterCaughtUp = MasterClockSerial(is) >= is->video_flush_serial;
    if (((is->av_sync_type == AV_SYNC_AUDIO_MASTER && is->audio_stream >= 0) ||
         is->av_sync_type == AV_SYNC_EXTERNAL_CLOCK) &&
        masterCaughtUp) {
        const double diff = GetVideoClock(is) - GetMasterClock(is);
        const double threshold = delay <= 0.01 ? 0.01 : delay;
        if (std::fabs(diff) < 10.0) {
            if (diff <= -threshold)
                delay = 0;
            else if (diff >= threshold)
                delay = 2 * delay;
        }
    }
    is->frame_timer += delay;
    return is->frame_timer;
}

void ClearPictures(TVideoState* is) {
    std::lock_guard<std::mutex> lock(is->pictq_mutex);
    for (TVideoPicture& vp : is->pictq)
        if (vp.frame) ff::av_frame_free(&vp.frame);
    is->pictq_size = 0;
}

// ---------------------------------------------------------------------------
// Decoding

// 1 a picture to pass on, 0 none this time, -1 aborted.
static int GetVideoFrame(TVideoState* is, AVFrame* frame) {
    AVCodecContext* dec = is->video_dec;
    for (;;) {
        if (is->video_pending) {
            const int ret = ff::avcodec_receive_frame(dec, frame);
            if (ret >= 0) break;
            is->video_pending = false;
            if (ret == AVERROR_EOF && is->eof_drained) {
                if (!is->EventEOF) is->Owner->ReportPosition(is);
                return 0;
            }
        }
        AVPacket* pkt = nullptr;
        bool flush = false;
        int serial = 0;
        if (is->videoq.Get(pkt, flush, true, &serial) < 0) return -1;
        if (flush) {
            is->video_flush_serial = serial;
            is->video_drained = 0;
            ff::avcodec_flush_buffers(dec);
            std::unique_lock<std::mutex> lock(is->pictq_mutex);
            for (TVideoPicture& vp : is->pictq) vp.target_clock = 0;
            is->pictq_cond.wait(lock, [is] { return is->pictq_size == 0 || is->videoq.Aborted(); });
            is->video_current_pos = -1;
            is->last_dts_for_fault_detection = INT64_MIN;
            is->last_pts_for_fault_detection = INT64_MIN;
            is->frame_last_pts = static_cast<double>(AV_NOPTS_VALUE);
            is->frame_last_delay = 0;
            is->frame_timer = NowSeconds();
            is->skip_frames = 1;
            is->skip_frames_index = 0;
            is->seek_flushed = 1;
            is->eof_drained = false;
            is->video_pending = false;
            return 0;
        }
        if (!pkt->data && pkt->size == 0) {
            ff::av_packet_free(&pkt);
            if (!is->eof_drained) {
                // The decoder keeps delayed pictures until told the input ended.
                ff::avcodec_send_packet(dec, nullptr);
                is->eof_drained = true;
                is->video_pending = true;
                continue;
            }
            // The read thread may now see the end.
            if (!is->video_drained.exchange(1)) is->Command();
            if (!is->EventEOF) is->Owner->ReportPosition(is);
            return 0;
        }
        const int ret = ff::avcodec_send_packet(dec, pkt);
        ff::av_packet_free(&pkt);
        if (ret < 0 && ret != AVERROR(EAGAIN)) continue;  // a bad packet is dropped
        is->video_pending = true;
    }

    const std::int64_t dts = frame->pkt_dts;
    const std::int64_t rop = frame->pts;
    if (dts != AV_NOPTS_VALUE) {
        is->faulty_dts += dts <= is->last_dts_for_fault_detection;
        is->last_dts_for_fault_detection = dts;
    }
    if (rop != AV_NOPTS_VALUE) {
        is->faulty_pts += rop <= is->last_pts_for_fault_detection;
        is->last_pts_for_fault_detection = rop;
    }
    const int reorder = is->S.decoder_reorder_pts;
    std::int64_t pts = 0;
    if (rop != AV_NOPTS_VALUE && (reorder == 1 || (reorder && is->faulty_pts < is->faulty_dts) || dts == AV_NOPTS_VALUE))
        pts = rop;
    else if (dts != AV_NOPTS_VALUE)
        pts = dts;
    frame->pts = pts;

    std::lock_guard<std::mutex> lock(is->pictq_mutex);
    is->skip_frames_index += 1;
    if (is->skip_frames_index >= is->skip_frames) {
        is->skip_frames_index -= std::max(is->skip_frames, 1.0f);
        return 1;
    }
    ff::av_frame_unref(frame);
    return 0;
}

static bool ConfigureGraph(TVideoState* is, const AVFrame* frame) {
    if (is->graph) ff::avfilter_graph_free(&is->graph);
    is->filt_in = is->filt_out = nullptr;
    is->graph = ff::avfilter_graph_alloc();
    if (!is->graph) return false;
    is->graph->scale_sws_opts = ff::av_strdup(QByteArray("flags=").append(QByteArray::number(is->S.sws_flags)).constData());
    const AVRational tb = is->video_st->time_base;
    AVRational sar = frame->sample_aspect_ratio;
    if (sar.den == 0) sar = AVRational{0, 1};
    const QByteArray args = QString::asprintf("video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d",
                                              frame->width, frame->height, frame->format, tb.num, tb.den,
                                              sar.num, sar.den)
                                .toLatin1();
    if (ff::avfilter_graph_create_filter(&is->filt_in, ff::avfilter_get_by_name("buffer"), "ffplay_input",
                                         args.constData(), nullptr, is->graph) < 0)
        return false;
    if (ff::avfilter_graph_create_filter(&is->filt_out, ff::avfilter_get_by_name("buffersink"), "ffplay_output",
                                         nullptr, nullptr, is->graph) < 0)
        return false;
    const AVPixelFormat fmts[] = {AV_PIX_FMT_YUV420P};
    if (ff::av_opt_set_bin(is->filt_out, "pix_fmts", reinterpret_cast<const std::uint8_t*>(fmts), sizeof fmts,
                           AV_OPT_SEARCH_CHILDREN) < 0)
        return false;
    // Upright first, as the display matrix asks; the host's filters see the
    // pictures as they are shown.
    QByteArray filters;
    switch (StreamDisplayRotation(is->video_st)) {
    case 90: filters = "transpose=clock"; break;
    case 180: filters = "hflip,vflip"; break;
    case 270: filters = "transpose=cclock"; break;
    default: break;
    }
    if (!is->S.vfilters.isEmpty()) {
        if (!filters.isEmpty()) filters += ',';
        filters += is->S.vfilters.toUtf8();
    }
    int ret;
    if (!filters.isEmpty()) {
        AVFilterInOut* outputs = ff::avfilter_inout_alloc();
        AVFilterInOut* inputs = ff::avfilter_inout_alloc();
        outputs->name = ff::av_strdup("in");
        outputs->filter_ctx = is->filt_in;
        outputs->pad_idx = 0;
        outputs->next = nullptr;
        inputs->name = ff::av_strdup("out");
        inputs->filter_ctx = is->filt_out;
        inputs->pad_idx = 0;
        inputs->next = nullptr;
        ret = ff::avfilter_graph_parse_ptr(is->graph, filters.constData(), &inputs, &outputs, nullptr);
        ff::avfilter_inout_free(&inputs);
        ff::avfilter_inout_free(&outputs);
    } else {
        ret = ff::avfilter_link(is->filt_in, 0, is->filt_out, 0);
    }
    if (ret < 0 || ff::avfilter_graph_config(is->graph, nullptr) < 0) return false;
    is->graph_w = frame->width;
    is->graph_h = frame->height;
    is->graph_fmt = frame->format;
    return true;
}

// A copy of src drawn bottom row first.
static AVFrame* FlippedCopy(const AVFrame* src) {
    AVFrame* dst = ff::av_frame_alloc();
    dst->format = src->format;
    dst->width = src->width;
    dst->height = src->height;
    if (ff::av_frame_get_buffer(dst, 0) < 0) {
        ff::av_frame_free(&dst);
        return nullptr;
    }
    ff::av_frame_copy_props(dst, src);
    const std::uint8_t* planes[4] = {};
    int lines[4] = {};
    for (int i = 0; i < 3; ++i) {
        const int h = i == 0 ? src->height : (src->height + 1) / 2;
        planes[i] = src->data[i] + static_cast<std::ptrdiff_t>(src->linesize[i]) * (h - 1);
        lines[i] = -src->linesize[i];
    }
    ff::av_image_copy(dst->data, dst->linesize, planes, lines, static_cast<AVPixelFormat>(src->format), src->width,
                      src->height);
    return dst;
}

// A picture was queued: the refresh thread need not wait for its next round.
static void WakeRefresh(TVideoState* is) {
    {
        std::lock_guard<std::mutex> lock(is->abort_mutex);
        is->refresh_wake = true;
    }
    is->abort_cond.notify_all();
}

static int QueuePicture(TVideoState* is, AVFrame* src, double pts, std::int64_t pos) {
    {
        std::unique_lock<std::mutex> lock(is->pictq_mutex);
        if (is->pictq_size >= 2 && !is->refresh) is->skip_frames = std::max(0.95f, is->skip_frames * 0.95f);
        is->pictq_cond.wait(lock, [is] { return is->pictq_size < 2 || is->videoq.Aborted(); });
        if (is->videoq.Aborted()) return -1;
    }
    AVFrame* pic = is->Owner->VerticalFlip() ? FlippedCopy(src) : ff::av_frame_clone(src);
    if (!pic) return -1;
    is->Owner->HookPicture(is, pic, pts);

    AVFrame* old;
    {
        std::lock_guard<std::mutex> lock(is->pictq_mutex);
        TVideoPicture& vp = is->pictq[is->pictq_windex];
        old = vp.frame;
        vp.frame = pic;
        vp.pts = pts;
        vp.pos = pos;
        vp.serial = is->video_flush_serial;
        is->out_w = pic->width & ~1;
        is->out_h = pic->height & ~1;
        is->pictq_windex = (is->pictq_windex + 1) % 2;
        vp.target_clock = ComputeTargetTime(is, pts);
        ++is->pictq_size;
    }
    if (old) ff::av_frame_free(&old);
    WakeRefresh(is);
    return 0;
}

// How long a picture is shown (seconds).
static double FrameDelay(TVideoState* is, AVFrame* frame) {
    const AVRational rate = ff::av_guess_frame_rate(is->ic, is->video_st, frame);
    const double delay = rate.num && rate.den ? av_q2d(AVRational{rate.den, rate.num}) : 0.04;
    return delay + frame->repeat_pict * (delay * 0.5);
}

// pts < 0: the picture has no time of its own; it follows the one before.
static int OutputPicture(TVideoState* is, AVFrame* frame, double pts, std::int64_t pos) {
    if (pts >= 0)
        is->video_clock = pts;
    else
        pts = is->video_clock;
    is->video_clock = is->video_clock + FrameDelay(is, frame);
    return QueuePicture(is, frame, pts, pos);
}

void VideoThread(TVideoState* is) {
    NamePlayerThread("qv-video");
    TCustomPlayer* owner = is->Owner;
    AVFrame* frame = ff::av_frame_alloc();
    AVFrame* filtered = ff::av_frame_alloc();
    // The file's end (clock seconds): its last picture is never dropped.
    const double fileEnd = is->Duration > 0 ? (is->StartTime + is->Duration) / 1000000.0 : INFINITY;
    bool dropped = false;  // pictures of the current seek were dropped
    while (!is->videoq.Aborted()) {
        is->HoldWhilePaused(is->videoq, true);
        const int got = GetVideoFrame(is, frame);
        if (got < 0) break;
        if (got == 0) continue;
        const std::int64_t pos = frame->pkt_pos;
        if (!is->graph || frame->width != is->graph_w || frame->height != is->graph_h ||
            frame->format != is->graph_fmt) {
            if (is->graph) owner->LogMsg(kLogDebug, QStringLiteral("Picture properties changed.\n"));
            // A graph that cannot be built leaves the playback without pictures.
            if (!ConfigureGraph(is, frame)) break;
        }
        if (ff::av_buffersrc_add_frame(is->filt_in, frame) < 0) {
            ff::av_frame_unref(frame);
            continue;
        }
        bool stop = false;
        while (!stop && ff::av_buffersink_get_frame(is->filt_out, filtered) >= 0) {
            // A picture at 0 has a time too: after a seek back to the start it
            // must not take the clock of the place the seek left.
            const double pts = filtered->pts == AV_NOPTS_VALUE
                                   ? -1
                                   : filtered->pts * av_q2d(ff::av_buffersink_get_time_base(is->filt_out));
            // A seek that must not land behind where playback was decodes on
            // from its key frame to its target, showing nothing before it.
            if (is->seek_done && pts >= 0) {
                const double end = pts + FrameDelay(is, filtered);
                if (end <= DropBefore(is, is->video_flush_serial) + 1e-6 && end < fileEnd - 0.001) {
                    ff::av_frame_unref(filtered);
                    dropped = true;
                    continue;
                }
            }
            if (dropped) {
                // The decoding took its time: the first picture kept is due now.
                dropped = false;
                std::lock_guard<std::mutex> lock(is->pictq_mutex);
                is->frame_timer = NowSeconds();
            }
            if (is->seek_done && is->seek_flushed) {
                is->seek_done = 0;
                is->report_serial = is->video_flush_serial;
                // A pause lifted for a seek holds again only once the newest
                // seek shows: an older seek's picture would stall a newer one.
                std::lock_guard<std::mutex> lock(is->seek_mutex);
                if (is->video_flush_serial >= is->seek_serial) is->seek_paused = 0;
            }
            if (OutputPicture(is, filtered, pts, pos) < 0) stop = true;
            ff::av_frame_unref(filtered);
            if (stop) break;
            is->PictEvent.Set();
            is->EventEOF = 0;
            if (owner->Seeking() && !is->seek_req) owner->SetSeekingFlag(false);
            if (is->open_paused) {
                if (is->open_paused > 1) {
                    is->open_paused = 0;
                    // psPlay comes first, whichever thread gets there first.
                    while (!is->PlayAnnounced.WaitFor(100) && !is->videoq.Aborted()) {}
                    // A host that resumed meanwhile has already said what the state is.
                    if (is->paused) owner->SetState(is, psPause);
                } else {
                    ++is->open_paused;
                }
            }
            if (owner->StepFlag() && !is->abort_request) StreamTogglePause(is);
        }
        if (stop) break;
    }
    ff::av_frame_free(&frame);
    ff::av_frame_free(&filtered);
    if (is->graph) ff::avfilter_graph_free(&is->graph);
}

// ---------------------------------------------------------------------------
// Display

// Asks the play loop for a refresh when the next picture is due, when one is
// queued, and otherwise every kIdleRefresh seconds (positions, the end, a
// pause), rather than every few milliseconds.
void RefreshThread(TVideoState* is) {
    NamePlayerThread("qv-refresh");
    constexpr double kIdleRefresh = 0.02;
    while (!is->abort_request) {
        const bool pushed = !is->refresh.exchange(1);
        if (pushed) is->PushPlayEvent(pleRefresh);
        const bool audioDisplay = is->audio_stream >= 0 && is->show_audio != 0;
        double wait = audioDisplay ? is->S.rdftspeed / 1000.0 : kIdleRefresh;
        if (!audioDisplay && is->video_stream >= 0) {
            const double due = is->refresh_due;
            if (due > 0) wait = std::clamp(due - NowSeconds(), 0.001, kIdleRefresh);
        }
        std::unique_lock<std::mutex> lock(is->abort_mutex);
        auto woken = [is] { return is->abort_request.load() != 0 || is->refresh_wake; };
        // Paused with nothing due, and the refresh just asked for comes after
        // whatever woke this round: nothing changes until a command or a
        // picture comes (or that refresh finds a picture due after all).
        if (pushed && is->paused && is->refresh_idle)
            is->abort_cond.wait(lock, [&] { return woken() || !is->refresh_idle || !is->paused; });
        else
            is->abort_cond.wait_for(lock, std::chrono::duration<double>(wait), woken);
        is->refresh_wake = false;
    }
}

// The display area: the screen size the host chose, else the picture's own.
static void VideoOpen(TVideoState* is) {
    if (is->width > 0 && is->height > 0) return;
    int w = is->screen_w, h = is->screen_h;
    if (w <= 0 || h <= 0) {
        std::lock_guard<std::mutex> lock(is->pictq_mutex);
        w = is->out_w ? is->out_w : 640;
        h = is->out_h ? is->out_h : 480;
    }
    is->width = w & ~1;
    is->height = h & ~1;
}

static void BlendSubtitle(TVideoState* is, AVFrame*& pic, double pts) {
    if (is->subtitle_stream < 0) return;
    std::lock_guard<std::mutex> lock(is->subpq_mutex);
    if (is->subpq_size <= 0) return;
    const TSubPicture& sp = is->subpq[is->subpq_rindex];
    if (pts < sp.pts + sp.sub.start_display_time / 1000.0) return;
    // Blended into a copy once: the queued picture stays clean for repaints.
    AVFrame* copy = ff::av_frame_clone(pic);
    if (!copy || ff::av_frame_make_writable(copy) < 0) {
        if (copy) ff::av_frame_free(&copy);
        return;
    }
    for (unsigned i = 0; i < sp.sub.num_rects; ++i)
        BlendSubRect(copy->data, copy->linesize, sp.sub.rects[i], copy->width, copy->height);
    ff::av_frame_free(&pic);
    pic = copy;
}

// Shows pic (our own reference, taken over) in the display area.
static void VideoImageDisplay(TVideoState* is, AVFrame* pic, double pts, bool blend) {
    VideoOpen(is);
    if (blend) BlendSubtitle(is, pic, pts);
    double aspect;
    const float ar = is->Owner->AspectRatio();
    if (ar < 0 && is->width && is->height) {
        aspect = static_cast<double>(is->width) / is->height;
    } else if (ar > 0) {
        aspect = ar;
    } else {
        double sar = pic->sample_aspect_ratio.den ? av_q2d(pic->sample_aspect_ratio) : 0;
        if (sar <= 0) sar = 1;
        aspect = sar * pic->width / pic->height;
    }
    int h = is->height;
    int w = static_cast<int>(std::lrint(h * aspect)) & ~1;
    if (w > is->width) {
        w = is->width;
        h = static_cast<int>(std::lrint(w / aspect)) & ~1;
    }
    const int x = (is->width - w) / 2, y = (is->height - h) / 2;
    // The interface thread converts it when it paints: one conversion, no copy.
    if (w > 0 && h > 0 && is->sink) is->sink->Present(ff::av_frame_clone(pic), QRect(x, y, w, h), is->width, is->height);
    std::lock_guard<std::mutex> lock(is->shown_mutex);
    if (is->shown != pic) {
        if (is->shown) ff::av_frame_free(&is->shown);
        is->shown = pic;
    }
    is->shown_pts = pts;
}

static void RedisplayShown(TVideoState* is) {
    AVFrame* pic = nullptr;
    double pts = 0;
    {
        std::lock_guard<std::mutex> lock(is->shown_mutex);
        if (!is->shown) return;
        pic = ff::av_frame_clone(is->shown);
        pts = is->shown_pts;
    }
    if (pic) VideoImageDisplay(is, pic, pts, false);
}

void VideoDisplay(TVideoState* is) {
    VideoOpen(is);
    if (is->audio_stream >= 0 && is->show_audio != 0)
        AudioDisplay(is);
    else if (is->video_stream >= 0)
        RedisplayShown(is);
}

static void ExpireSubtitles(TVideoState* is) {
    std::lock_guard<std::mutex> lock(is->subpq_mutex);
    if (is->subtitle_stream_changed) {
        while (is->subpq_size > 0) {
            FreeSubPicture(&is->subpq[is->subpq_rindex]);
            is->subpq_rindex = (is->subpq_rindex + 1) % 4;
            --is->subpq_size;
        }
        is->subtitle_stream_changed = 0;
        is->subpq_cond.notify_all();
        return;
    }
    if (is->subpq_size <= 0) return;
    TSubPicture& sp = is->subpq[is->subpq_rindex];
    const TSubPicture* sp2 = is->subpq_size > 1 ? &is->subpq[(is->subpq_rindex + 1) % 4] : nullptr;
    const double now = is->video_current_pts;
    if (now > sp.pts + sp.sub.end_display_time / 1000.0 ||
        (sp2 && now > sp2->pts + sp2->sub.start_display_time / 1000.0)) {
        FreeSubPicture(&sp);
        is->subpq_rindex = (is->subpq_rindex + 1) % 4;
        --is->subpq_size;
        is->subpq_cond.notify_all();
    }
}

void VideoRefresh(TVideoState* is, bool consume) {
    TCustomPlayer* owner = is->Owner;
    if (is->video_stream < 0) {
        if (is->audio_stream >= 0) {
            VideoDisplay(is);
            owner->ReportPosition(is);
        }
        return;
    }
    bool dropped = false;
    for (;;) {
        const bool drop = is->seek_done != 0;
        TVideoPicture vp;
        double nextTarget = 0;
        int size;
        {
            std::lock_guard<std::mutex> lock(is->pictq_mutex);
            size = is->pictq_size;
            if (size > 0) {
                vp = is->pictq[is->pictq_rindex];
                nextTarget = size > 1 ? is->pictq[(is->pictq_rindex + 1) % 2].target_clock
                                      : vp.target_clock + is->video_clock - vp.pts;
            }
        }
        if (size == 0) {
            is->refresh_due = 0;
            if (!consume) VideoDisplay(is);
            break;
        }
        const double time = NowSeconds();
        if (time < vp.target_clock) {
            is->refresh_due = vp.target_clock;
            return;
        }
        // The first picture is never late: a slow start must still show something.
        if ((is->S.framedrop && is->picture_shown && time > nextTarget && !is->IsDevice) || drop) {
            std::lock_guard<std::mutex> lock(is->pictq_mutex);
            is->skip_frames *= 1.05f;
            if (size > 1 || time > nextTarget + 0.5 || drop) {
                is->pictq_rindex = (is->pictq_rindex + 1) % 2;
                --is->pictq_size;
                is->pictq_cond.notify_all();
                dropped = true;
                continue;
            }
        }
        is->video_current_pts = vp.pts;
        is->video_current_pts_drift = vp.pts - time;
        is->video_clock_serial = vp.serial;
        is->video_current_pos = vp.pos;
        is->picture_shown = true;
        if (is->subtitle_stream >= 0) ExpireSubtitles(is);
        if (is->audio_stream >= 0 && is->show_audio != 0)
            AudioDisplay(is);
        else if (AVFrame* pic = ff::av_frame_clone(vp.frame))
            VideoImageDisplay(is, pic, vp.pts, true);
        if (consume) {
            std::lock_guard<std::mutex> lock(is->pictq_mutex);
            is->pictq_rindex = (is->pictq_rindex + 1) % 2;
            --is->pictq_size;
            is->pictq_cond.notify_all();
            is->refresh_due = is->pictq_size > 0 ? is->pictq[is->pictq_rindex].target_clock : 0;
        }
        break;
    }
    if (!dropped) owner->ReportPosition(is);
}
