// How the player tells its host what happens: the event ring and its
// delivering thread, position and end reports, the play-time limit, the
// picture hook and the copy of the picture on screen.
#include "engine/PlayerState.h"

#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"
#include "engine/ScalerImage.h"

#include <cmath>
#include <cstdlib>

// ---------------------------------------------------------------------------
// Ring

void TPlayEventRing::Push(int kind, std::int64_t value, int serial) {
    {
        std::lock_guard<std::mutex> lock(FLock);
        const int newest = (FTailer + kSlots - 1) % kSlots;
        if (FHeader == FTailer || FEvents[newest].Kind != kind) {
            FTailer = (FTailer + 1) % kSlots;
            if (FTailer == FHeader) FHeader = (FHeader + 1) % kSlots;
        }
        Slot& slot = FEvents[(FTailer + kSlots - 1) % kSlots];
        slot.Kind = kind;
        slot.Value = value;
        slot.Serial = serial;
    }
    FEvent.notify_all();
}

int TPlayEventRing::Pop(std::int64_t& value, int* serial) {
    std::lock_guard<std::mutex> lock(FLock);
    if (FHeader == FTailer) return pekNone;
    const Slot& slot = FEvents[FHeader];
    FHeader = (FHeader + 1) % kSlots;
    value = slot.Value;
    if (serial) *serial = slot.Serial;
    return slot.Kind;
}

void TPlayEventRing::WaitForEvent() {
    std::unique_lock<std::mutex> lock(FLock);
    FEvent.wait(lock, [this] { return FHeader != FTailer; });
}

int TPlayEventRing::Count() const {
    std::lock_guard<std::mutex> lock(FLock);
    return (FTailer - FHeader + kSlots) % kSlots;
}

// ---------------------------------------------------------------------------
// States and delivery

void TCustomPlayer::SetState(TVideoState* is, TPlayState AState) {
    FState = AState;
    if (OnState)
        is->Ring.Push(pekState, AState);
    else if (AState == psStop)
        is->Ring.Push(pekQuit, 0);
}

void TCustomPlayer::DeliverEvent(TVideoState* is, int kind, std::int64_t value, int serial) {
    auto deliver = [this, is, kind, value, serial] {
        // A playback stopped from its own handler says nothing more.
        if (is->Detached) return;
        // A position queued before the host stopped the playback or asked for a
        // newer seek tells a place the host has left: told now, it would move
        // the slider back.
        if (kind == pekPosition && (is->Quitting || serial < NewestSeekSerial(is))) return;
        TVideoState* outer = FDelivering;
        FDelivering = is;
        try {
            if (kind == pekPosition) OnPosition(this, value);
            if (kind == pekState) OnState(this, static_cast<TPlayState>(value));
        } catch (const std::exception& e) {
            LogMsg(llError, QString::fromUtf8(e.what()));
        }
        FDelivering = outer;
    };
    if (is->S.trigger_in_main)
        CallInMainThread(deliver);
    else
        deliver();
}

void TCustomPlayer::EventThreadBody(TVideoState* is) {
    NamePlayerThread("qv-events");
    for (;;) {
        std::int64_t value = 0;
        int serial = 0;
        const int kind = is->Ring.Pop(value, &serial);
        if (kind == pekNone) {
            is->Ring.WaitForEvent();
            continue;
        }
        if (kind == pekQuit) break;
        DeliverEvent(is, kind, value, serial);
        if (kind == pekState && value == psStop) break;
    }
    is->EventThreadDone = true;
    WakeMainThreadWaits();
}

// ---------------------------------------------------------------------------
// Position reports

void TCustomPlayer::ReportPosition(TVideoState* is) {
    if (is->Closed || is->abort_request || is->IsImage2) return;
    // Between a seek request and its carrying out the clocks tell the old place,
    // and an end reached before it is no longer where playback goes.
    if (is->seek_req) return;
    bool told = false;
    std::int64_t pts = 0;
    {
        std::lock_guard<std::mutex> lock(FReportLock);
        // Pictures tell the place once there are any; a video the decoder
        // gives nothing of (a stream it cannot decode) leaves it to the sound.
        const bool pictures = is->video_stream >= 0 && is->picture_shown;
        int serial = 0;
        if (pictures) {
            // Until the seek's first picture the clock tells the old place.
            if (!is->seek_done) {
                serial = is->report_serial;
                pts = std::llrint(GetVideoClock(is) * 1000000.0) - is->StartTime;
                told = true;
            }
        } else if (is->audio_stream >= 0 && is->audio_clock_set) {
            // The serial first: the clock read after it is at least that new.
            serial = is->audio_clock_serial;
            // The sound clock tells the place a seek left until sound of the
            // new place is decoded: that place must not become the seek's
            // first position, or every later one would seem to go back.
            if (serial >= is->seek_done_serial) {
                pts = std::llrint(GetAudioClock(is) * 1000000.0) - is->StartTime;
                const std::int64_t ad = is->AudioDuration;
                if (ad > 0 && pts >= ad && pts < is->Duration) pts = is->Duration;
                told = true;
            }
        }
        if (told) {
            FCurrentPTS = pts;
            if (is->Duration > 0 && pts >= is->Duration) {
                if (FLastPTS != is->Duration) FLastPTS = 0;
                pts = is->Duration;
            }
            const std::int64_t last = FLastPTS;
            if (last == AV_NOPTS_VALUE || std::llabs(pts - last) > 10000) {
                // The display may run a little behind the clock's last estimate:
                // within one seek, positions never go back.
                const bool backwards = last != AV_NOPTS_VALUE && pts < last && serial == is->reported_serial;
                if (!backwards) {
                    FLastPTS = pts;
                    is->reported_serial = serial;
                    if (OnPosition) is->Ring.Push(pekPosition, pts, NewestSeekSerial(is));
                }
            }
        }
    }

    if (!is->IsDevice && !is->EventEOF && is->ReachEOF) {
        // Once per reaching of the end; a seek or a new picture re-arms it.
        is->EventEOF = 1;
        SetState(is, psEnd);
    }

    const std::int64_t playTime = FPlayTime;
    if (told && playTime != AV_NOPTS_VALUE) {
        const std::int64_t start = Fstart_time;
        const std::int64_t limit = start != AV_NOPTS_VALUE ? start + playTime : playTime;
        if (pts >= limit) {
            switch (FRepeatType.load()) {
            case rtStop:
                is->StreamQuit();
                break;
            case rtLoop: {
                std::int64_t target = start != AV_NOPTS_VALUE ? start : 0;
                if (is->ic->start_time != AV_NOPTS_VALUE) target += is->ic->start_time;
                StreamSeek(is, target, 0, start != AV_NOPTS_VALUE ? 0 : AVSEEK_FLAG_ANY, false);
                break;
            }
            case rtNone:
                break;
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Pictures

QImage TCustomPlayer::CurrentFrame() {
    std::int64_t pts;
    return CurrentFrame(pts);
}

QImage TCustomPlayer::CurrentFrame(std::int64_t& APTS) {
    APTS = -1;
    TVideoState* is = FVideoState.get();
    if (!is || is->Closed || is->video_stream < 0) return QImage();
    std::lock_guard<std::mutex> lock(is->shown_mutex);
    if (!is->shown) return CreateFrameBitmap(is->video_width, is->video_height);
    APTS = std::llrint(is->shown_pts * 1000000.0) - is->StartTime;
    const AVFrame* f = is->shown;
    if (!PictureToScalerImage(FCurrentRGB->toRGB_convert_ctx, f->data, f->linesize,
                              static_cast<AVPixelFormat>(f->format), f->width, f->height, FCurrentRGB->Bitmap))
        return QImage(0, 0, QImage::Format_BGR888);
    return FCurrentRGB->Bitmap;
}

bool TCustomPlayer::HookPicture(TVideoState* is, AVFrame* picture, double pts) {
    if (!FHook) return false;
    const THookEvent hook = OnHook.Get();
    if (!hook) return false;
    if (ff::av_frame_make_writable(picture) < 0) return false;
    TRGBConvertContext& rgb = is->hook_rgb;
    const auto format = static_cast<AVPixelFormat>(picture->format);
    if (!PictureToScalerImage(rgb.toRGB_convert_ctx, picture->data, picture->linesize, format, picture->width,
                              picture->height, rgb.Bitmap)) {
        LogMsg(llError, QStringLiteral("Cannot initialize the toRGB conversion context"));
        return false;
    }
    QImage& bmp = rgb.Bitmap;
    try {
        hook(this, &bmp, std::llrint(pts * 1000000.0) - is->StartTime);
    } catch (const std::exception& e) {
        LogMsg(llError, QStringLiteral("Error occurs OnHook: ") + QString::fromUtf8(e.what()));
        // The bitmap is reused for the next picture: drop whatever the handler left.
        bmp = QImage();
        return false;
    }
    if (bmp.format() != QImage::Format_BGR888) bmp = bmp.convertToFormat(QImage::Format_BGR888);
    if (bmp.size() != QSize(picture->width, picture->height))
        bmp = bmp.scaled(picture->width, picture->height);
    if (!ScalerImageToPicture(rgb.fromRGB_convert_ctx, bmp, picture->data, picture->linesize, format,
                              picture->width, picture->height)) {
        LogMsg(llError, QStringLiteral("Cannot initialize the fromRGB conversion context"));
        return false;
    }
    return true;
}
