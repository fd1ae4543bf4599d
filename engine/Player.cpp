// The player component: settings, opening and stopping playbacks, the
// control operations and the play loop of each playback.
#include "engine/PlayerState.h"

#include "engine/AVProbe.h"
#include "engine/FFFileNames.h"
#include "engine/FFLogger.h"
#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

TCustomPlayer::TCustomPlayer(QObject* AOwner)
    : TFFBaseComponent(AOwner), FCurrentRGB(std::make_unique<TRGBConvertContext>()) {
    for (auto& w : Fwanted_stream) w = -1;
    Fstart_time = AV_NOPTS_VALUE;
    FPlayTime = AV_NOPTS_VALUE;
    FLastPTS = AV_NOPTS_VALUE;
    FAVProbe = new TAVProbe(this);
    ResetPlayback();
}

TCustomPlayer::~TCustomPlayer() {
    OnPosition = nullptr;
    OnState = nullptr;
    OnHook = nullptr;
    Stop(true);
    for (auto& is : FRetired) WaitInMainThread([p = is.get()] { return p->EventThreadDone.load(); }, -1, 100);
    ReapRetired();
    ResetRGBConvertContext(FCurrentRGB.get());
    if (FScreenHandle) FScreenHandle->removeEventFilter(this);
    delete FSurface.data();
}

void TCustomPlayer::ResetPlayback() {
    FLastPTS = AV_NOPTS_VALUE;
    FCurrentPTS = -1;
    Fstep = false;
    for (auto& w : Fwanted_stream) w = -1;
    Fseek_by_bytes = -1;
    Fstart_time = AV_NOPTS_VALUE;
    FPlayTime = AV_NOPTS_VALUE;
    FRepeatType = rtStop;
    FVerticalFlip = false;
    FSeeking = false;
}

void TCustomPlayer::LogMsg(int ALevel, const QString& AMsg) {
    GetLogger()->Log(this, static_cast<TLogLevel>(ALevel), AMsg);
}

void TCustomPlayer::Error(const QString& AMsg) {
    FLastErrMsg = AMsg;
    LogMsg(llError, AMsg);
}

bool TCustomPlayer::LoadAVLib(const TPathFileName& APath) {
    return LoadComponentLibraries(PlayerLibraries, APath, FLastErrMsg);
}

bool TCustomPlayer::AVLibLoaded() const {
    return FFLoader().Loaded(PlayerLibraries);
}

void TCustomPlayer::UnloadAVLib() {
    FFLoader().Unload(PlayerLibraries);
}

bool TCustomPlayer::IsOpen() const {
    return FVideoState && !FVideoState->Closed;
}

// ---------------------------------------------------------------------------
// Open and stop

namespace {
// Settings that last one playback; Open keeps what the host set just before it.
struct TPlaybackSettings {
    int wanted[6];
    int seek_by_bytes;
    std::int64_t start_time, play_time;
    TRepeatType repeat;
    bool flip;
};
}  // namespace

bool TCustomPlayer::Open(const QString& AFileName, QWidget* AScreenHandle, bool APaused) {
    // A handler run by one of Open's own waits cannot open another file meanwhile.
    if (FInOpenOrStop) return false;
    if (!AVLibLoaded()) {
        Error(QStringLiteral("libav or libsdl not loaded."));
        return false;
    }
    FInOpenOrStop = true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{FInOpenOrStop};
    TPlaybackSettings keep;
    for (int i = 0; i < 6; ++i) keep.wanted[i] = Fwanted_stream[i];
    keep.seek_by_bytes = Fseek_by_bytes;
    keep.start_time = Fstart_time;
    keep.play_time = FPlayTime;
    keep.repeat = FRepeatType;
    keep.flip = FVerticalFlip;
    Stop(true);
    ReapRetired();
    for (int i = 0; i < 6; ++i) Fwanted_stream[i] = keep.wanted[i];
    Fseek_by_bytes = keep.seek_by_bytes;
    Fstart_time = keep.start_time;
    FPlayTime = keep.play_time;
    FRepeatType = keep.repeat;
    FVerticalFlip = keep.flip;

    // The read thread's open would wait for a pipe's writer, and Open for it.
    if (const QString refusal = InputFileRefusal(AFileName); !refusal.isEmpty()) {
        Error(refusal);
        ResetPlayback();
        return false;
    }

    // Only the sound goes through SDL; its driver is SDL's choice (SDL_AUDIODRIVER
    // when set), since SDL knows which of them this machine has.
    if (ff::SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
        const unsigned id = AScreenHandle && AScreenHandle->testAttribute(Qt::WA_WState_Created)
                                ? static_cast<unsigned>(AScreenHandle->winId())
                                : 0u;
        Error(QString::asprintf("Could not initialize SDL with ScreenHandle(%u): %s", id, ff::SDL_GetError()));
        return false;
    }
    if (FOpt.display_disable) {
        FOpt.video_disable = true;
    } else if (const QScreen* screen = AScreenHandle ? AScreenHandle->screen() : QGuiApplication::primaryScreen()) {
        Ffs_screen_width = screen->geometry().width();
        Ffs_screen_height = screen->geometry().height();
    } else {
        Error(QStringLiteral("SDL_GetVideoInfo() failed"));
        ff::SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }

    auto state = std::make_unique<TVideoState>();
    TVideoState* is = state.get();
    is->Owner = this;
    is->S = FOpt;
    if (is->S.rdftspeed <= 0) is->S.rdftspeed = 20;
    is->filename = AFileName;
    is->iformat = Ffile_iformat;
    is->av_sync_type = Fav_sync_type;
    if (APaused) {
        is->paused_at = NowSeconds();
        is->paused = 1;
        is->open_paused = 1;
        Fstep = false;
    }

    bool opened;
    {
        TWaitScope scope(FWaitDepth);
        opened = StreamOpen(is);
    }
    if (!opened) {
        DetachProbe(is);
        FLastErrMsg = is->LastErrMsg;
        // Every failed open is logged, not only stored.
        LogMsg(llError, FLastErrMsg);
        state.reset();
        ff::SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ResetPlayback();
        return false;
    }

    FFileName = AFileName;
    if (FScreenHandle && FScreenHandle != AScreenHandle) FScreenHandle->removeEventFilter(this);
    FScreenHandle = AScreenHandle;
    FCurrentRGB->Bitmap = QImage();
    // The host reads stream facts through the probe; it never reads packets.
    FAVProbe->SetFileHandle(is->ic);
    if (is->video_dec && is->video_dec->width > 0) {
        // The size the pictures are shown at: upright, as the display matrix turns them.
        const int turn = StreamDisplayRotation(is->video_st);
        const bool quarter = turn == 90 || turn == 270;
        is->video_width = quarter ? is->video_dec->height : is->video_dec->width;
        is->video_height = quarter ? is->video_dec->width : is->video_dec->height;
    }
    const std::int64_t duration = is->IsImage2 ? 0 : is->Duration;
    const int fw = is->video_width > 0 ? is->video_width : -1;
    const int fh = is->video_width > 0 ? is->video_height : -1;
    if (OnFileOpen) {
        // The handler reads the streams of the file it is told about, which is
        // not yet the open playback (control calls still find none).
        struct Opening {
            TVideoState*& slot;
            ~Opening() { slot = nullptr; }
        } opening{FOpening = is};
        auto raise = [&] { OnFileOpen(this, duration, fw, fh, Fscreen_width, Fscreen_height); };
        if (FOpt.trigger_in_main)
            CallInMainThread(raise);
        else
            raise();
    }
    if (AScreenHandle && (Fscreen_width == 0 || Fscreen_height == 0)) {
        Fscreen_width = AScreenHandle->width();
        Fscreen_height = AScreenHandle->height();
    }
    AttachSurface(AScreenHandle);
    is->sink = FSurface ? FSurface->Sink() : nullptr;
    const QSize area = PlaceSurface();
    is->screen_w = area.width();
    is->screen_h = area.height();
    if (is->video_stream < 0 && !FOpt.display_disable) is->show_audio = FShowAudio.load();

    FVideoState = std::move(state);
    // Announced here, before any control call can announce something else.
    SetState(is, psPlay);
    is->PlayAnnounced.Set();
    is->Go.Set();
    is->refresh_tid = std::thread(RefreshThread, is);
    is->event_tid = std::thread(&TCustomPlayer::EventThreadBody, this, is);
    is->play_tid = std::thread(&TCustomPlayer::PlayThreadBody, this, is);
    return true;
}

void TCustomPlayer::AttachSurface(QWidget* host) {
    if (!host) {
        if (!FSurface || FSurfaceHosted) {
            delete FSurface.data();
            FSurface = new TPlayerSurface(nullptr);
            FSurface->setWindowTitle(QStringLiteral("DUDuvuvu"));
            FSurfaceHosted = false;
            FSurfaceFullScreen = false;
        }
        // Closing the player's own window ends the playback.
        FSurface->OnClosed = [this] { Stop(false); };
        return;
    }
    // A surface shown full screen has no parent: it is the host's still.
    if (!FSurface || !FSurfaceHosted || FSurfaceHost != host) {
        delete FSurface.data();
        FSurface = new TPlayerSurface(host);
        FSurfaceHost = host;
        FSurfaceHosted = true;
        FSurfaceFullScreen = false;
        host->installEventFilter(this);
        QObject::connect(host, &QObject::destroyed, this, [this] { Stop(false); });
    }
    // Closing the full-screen window goes back into the host.
    FSurface->OnClosed = [this] { Setis_full_screen(false); };
}

QSize TCustomPlayer::PlaceSurface() {
    if (!FSurface) return {};
    QWidget* host = FSurfaceHosted ? FSurfaceHost.data() : nullptr;
    if (Fis_full_screen && Ffs_screen_width > 0 && Ffs_screen_height > 0) {
        QScreen* screen = host ? host->screen() : FSurface->screen();
        if (FSurface->parentWidget()) FSurface->setParent(nullptr, Qt::Window | Qt::FramelessWindowHint);
        if (screen) {
            FSurface->setScreen(screen);
            FSurface->setGeometry(screen->geometry());
        }
        FSurface->showFullScreen();
        FSurface->raise();
        FSurfaceFullScreen = true;
        return {Ffs_screen_width, Ffs_screen_height};
    }
    FSurfaceFullScreen = false;
    if (host) {
        if (FSurface->parentWidget() != host) {
            FSurface->setWindowState(Qt::WindowNoState);
            FSurface->setParent(host);
        }
        FSurface->setGeometry(0, 0, Fscreen_width > 0 ? Fscreen_width : 640, Fscreen_height > 0 ? Fscreen_height : 480);
    } else {
        if (FSurface->isFullScreen()) FSurface->showNormal();
        FSurface->resize(Fscreen_width > 0 ? Fscreen_width : 640, Fscreen_height > 0 ? Fscreen_height : 480);
    }
    FSurface->show();
    FSurface->raise();
    return {Fscreen_width, Fscreen_height};
}

void TCustomPlayer::Setis_full_screen(bool v) {
    if (v == Fis_full_screen) return;
    Fis_full_screen = v;
    if (!IsOpen() || FOpt.display_disable) return;
    const QSize area = PlaceSurface();
    FVideoState->PushPlayEvent(pleResize, area.width(), area.height());
}

void TCustomPlayer::LeaveFullScreenWindow() {
    if (!FSurface || !FSurfaceFullScreen) return;
    FSurfaceFullScreen = false;
    if (FSurfaceHosted && FSurfaceHost) {
        FSurface->setWindowState(Qt::WindowNoState);
        FSurface->setParent(FSurfaceHost);
        FSurface->setGeometry(0, 0, FSurfaceHost->width(), FSurfaceHost->height());
        FSurface->show();
    } else if (FSurfaceHosted) {
        FSurface->hide();  // its host is gone
    } else {
        FSurface->showNormal();
    }
}

bool TCustomPlayer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FScreenHandle && FScreenHandle) {
        switch (event->type()) {
        case QEvent::Resize:
            if (FSurfaceFullScreen) {
                // Leaving full screen takes the host's size then.
                Fscreen_width = FScreenHandle->width();
                Fscreen_height = FScreenHandle->height();
            } else if (FSurface) {
                const QSize size = FScreenHandle->size();
                FSurface->setGeometry(0, 0, size.width(), size.height());
                Fscreen_width = size.width();
                Fscreen_height = size.height();
                if (IsOpen()) FVideoState->PushPlayEvent(pleResize, size.width(), size.height());
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            FScreenHandle->setFocus();
            break;
        default:
            break;
        }
    }
    return TFFBaseComponent::eventFilter(watched, event);
}

void TCustomPlayer::Stop(bool AWaitForStop) {
    // The full-screen window goes with the playback; Open reuses it.
    if (!FInOpenOrStop) LeaveFullScreenWindow();
    TVideoState* is = FVideoState.get();
    if (!is) return;
    if (!is->Closed) {
        // Quitting first: the resume below need not open the sound device again.
        is->Quitting = true;
        Fstep = false;
        if (is->paused) StreamTogglePause(is);
        is->StreamQuit();
    }
    if (!AWaitForStop) return;
    // The play loop answers every quit; the waits below run posted calls, so
    // event handlers (psStop among them) are delivered meanwhile, and they may
    // call Stop or Open themselves.
    {
        TWaitScope scope(FWaitDepth);
        WaitInMainThread([is] { return is->PlayThreadDone.load(); }, -1, 100);
    }
    if (FVideoState.get() != is) return ReapRetired();
    if (is->play_tid.joinable()) is->play_tid.join();
    if (FDelivering == is) {
        // Stopped from one of its own handlers: its delivering thread is waiting
        // for this very call, so it is joined later.
        is->Detached = true;
        FRetired.push_back(std::move(FVideoState));
        return;
    }
    {
        TWaitScope scope(FWaitDepth);
        WaitInMainThread([is] { return is->EventThreadDone.load(); }, -1, 100);
    }
    if (FVideoState.get() != is) return ReapRetired();
    if (is->event_tid.joinable()) is->event_tid.join();
    DetachProbe(is);
    // A wait further out may still look at this playback: free it afterwards.
    if (FWaitDepth > 0)
        FRetired.push_back(std::move(FVideoState));
    else
        FVideoState.reset();
}

void TCustomPlayer::DetachProbe(TVideoState* is) {
    if (FAVProbe && is->ic && FAVProbe->FileHandle() == is->ic) FAVProbe->SetFileHandle(nullptr);
}

void TCustomPlayer::ReapRetired() {
    if (FWaitDepth > 0) return;
    for (auto it = FRetired.begin(); it != FRetired.end();) {
        TVideoState* is = it->get();
        if (is->EventThreadDone && FDelivering != is) {
            if (is->event_tid.joinable()) is->event_tid.join();
            DetachProbe(is);
            it = FRetired.erase(it);
        } else {
            ++it;
        }
    }
}

void TCustomPlayer::ClosePlayback(TVideoState* is) {
    if (is->Closed) return;
    StreamClose(is);
    is->Closed = true;
    ff::SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (is->sink) is->sink->Clear();
    ResetPlayback();
}

void TCustomPlayer::PlayThreadBody(TVideoState* is) {
    NamePlayerThread("qv-play");
    try {
        for (;;) {
            TVideoState::PlayEvent ev;
            {
                std::unique_lock<std::mutex> lock(is->play_mutex);
                is->play_cond.wait(lock, [is] { return !is->play_events.empty(); });
                ev = is->play_events.front();
                is->play_events.pop_front();
            }
            std::lock_guard<std::mutex> data(is->DataLock);
            if (is->Closed) break;
            if (ev.type == pleQuit) {
                ClosePlayback(is);
                break;
            }
            switch (ev.type) {
            case pleResize:
                is->screen_w = ev.a;
                is->screen_h = ev.b;
                is->width = ev.a & ~1;
                is->height = ev.b & ~1;
                is->audio_image = QImage();
                VideoRefresh(is, false);
                break;
            case pleRefresh: {
                VideoRefresh(is, true);
                is->refresh = 0;
                bool due;
                {
                    std::lock_guard<std::mutex> lock(is->abort_mutex);
                    const bool idle = is->paused && is->refresh_due <= 0;
                    due = is->refresh_idle && !idle;
                    is->refresh_idle = idle;
                }
                // A picture due while paused: the resting refresh thread times it.
                if (due) is->abort_cond.notify_all();
                break;
            }
            case pleAspect:
                VideoDisplay(is);
                break;
            default:
                break;
            }
        }
    } catch (const std::exception& e) {
        LogMsg(llFatal, QStringLiteral("PlayThread Exception: ") + QString::fromUtf8(e.what()));
        std::lock_guard<std::mutex> data(is->DataLock);
        ClosePlayback(is);
    }
    SetState(is, psStop);
    is->PlayThreadDone = true;
    WakeMainThreadWaits();
}

// ---------------------------------------------------------------------------
// Control operations

void TCustomPlayer::Pause() {
    if (!IsOpen() || FVideoState->paused) return;
    StreamTogglePause(FVideoState.get());
    Fstep = false;
    SetState(FVideoState.get(), psPause);
}

void TCustomPlayer::Resume() {
    if (!IsOpen() || !FVideoState->paused) return;
    // Step mode ends first: the video thread wakes the moment the pause lifts,
    // and a step still set would pause it again after one picture.
    Fstep = false;
    StreamTogglePause(FVideoState.get());
    SetState(FVideoState.get(), psResume);
}

void TCustomPlayer::TogglePause() {
    if (!IsOpen()) return;
    Fstep = false;
    StreamTogglePause(FVideoState.get());
    SetState(FVideoState.get(), FVideoState->paused ? psPause : psResume);
}

void TCustomPlayer::StepToNextFrame() {
    if (!IsOpen()) return;
    // Step mode first: the video thread may decode the moment the pause lifts.
    const bool wasStepping = Fstep.exchange(true);
    if (FVideoState->paused) StreamTogglePause(FVideoState.get());
    if (!wasStepping) SetState(FVideoState.get(), psStep);
}

void TCustomPlayer::Seek(std::int64_t APTS, TSeekFlags ASeekFlags, bool AWaitForSeekEnd) {
    Seek(APTS, ASeekFlags, AWaitForSeekEnd, AV_NOPTS_VALUE);
}

void TCustomPlayer::Seek(std::int64_t APTS, TSeekFlags ASeekFlags, bool AWaitForSeekEnd, std::int64_t ANotBehind) {
    if (!IsOpen()) return;
    TVideoState* is = FVideoState.get();
    const int flags = SeekFlagsToInt(ASeekFlags);
    TWaitScope scope(FWaitDepth);
    if (ASeekFlags.Contains(sfByte)) {
        StreamSeek(is, APTS, 0, flags, AWaitForSeekEnd);
        return;
    }
    std::int64_t target = APTS;
    if (is->ic->duration != AV_NOPTS_VALUE && APTS > is->ic->duration) target = is->ic->duration;
    std::int64_t notBehind = ANotBehind;
    if (is->ic->start_time != AV_NOPTS_VALUE) {
        target += is->ic->start_time;
        if (notBehind != AV_NOPTS_VALUE) notBehind += is->ic->start_time;
    }
    StreamSeek(is, target, APTS <= 0 ? 1 : 0, flags, AWaitForSeekEnd, notBehind);
}

void TCustomPlayer::Seek(double ADelta, TSeekFlags ASeekFlags, bool AWaitForSeekEnd) {
    if (!IsOpen()) return;
    TVideoState* is = FVideoState.get();
    const int flags = SeekFlagsToInt(ASeekFlags);
    TWaitScope scope(FWaitDepth);
    if (ASeekFlags.Contains(sfByte)) {
        double pos = static_cast<double>(is->video_current_pos);
        if (pos < 0 && is->ic->pb) pos = static_cast<double>(ff::avio_seek(is->ic->pb, 0, SEEK_CUR));
        const double incr = is->ic->bit_rate ? ADelta * (is->ic->bit_rate / 8.0) : ADelta * 180000.0;
        StreamSeek(is, std::llround(pos + incr), std::llround(incr), flags, AWaitForSeekEnd);
        return;
    }
    const double pos = RelativeSeekBase(is) + ADelta;
    StreamSeek(is, std::llrint(pos * 1000000.0), std::llrint(ADelta * 1000000.0), flags, AWaitForSeekEnd);
}

void TCustomPlayer::ToggleAudioDisplay() {
    if (!IsOpen()) return;
    TVideoState* is = FVideoState.get();
    is->show_audio = (is->show_audio + 1) % 3;
    if (is->sink) is->sink->Clear();
}

void TCustomPlayer::SetShowAudio(TShowAudio v) {
    FShowAudio = v;
    if (IsOpen() && FVideoState->audio_stream >= 0 && !FOpt.display_disable) FVideoState->show_audio = v;
}

void TCustomPlayer::SetAspectRatio(float v) {
    if (v == FAspectRatio) return;
    FAspectRatio = v;
    if (IsOpen()) FVideoState->PushPlayEvent(pleAspect);
}

QString TCustomPlayer::Format() const {
    return Ffile_iformat ? QString::fromLatin1(Ffile_iformat->name) : QString();
}

void TCustomPlayer::SetFormat(const QString& value) {
    if (!AVLibLoaded()) {
        Error(QStringLiteral("libav or libsdl not loaded."));
        return;
    }
    if (value.isEmpty()) {
        Ffile_iformat = nullptr;
        return;
    }
    const AVInputFormat* f = ff::av_find_input_format(value.toUtf8().constData());
    if (!f) throw EEngineError(QStringLiteral("Unknown input format: %1").arg(value));
    Ffile_iformat = f;
}

bool TCustomPlayer::Paused() const {
    return !IsOpen() || FVideoState->paused;
}

const TVideoState* TCustomPlayer::StreamFacts() const {
    return IsOpen() ? FVideoState.get() : FOpening;
}

int TCustomPlayer::AudioStreamIndex() const {
    const TVideoState* is = StreamFacts();
    return is ? is->audio_stream.load() : -1;
}

int TCustomPlayer::VideoStreamIndex() const {
    const TVideoState* is = StreamFacts();
    return is ? is->video_stream.load() : -1;
}

int TCustomPlayer::SubtitleStreamIndex() const {
    const TVideoState* is = StreamFacts();
    return is ? is->subtitle_stream.load() : -1;
}

void TCustomPlayer::SetVideoStreamIndex(int v) {
    QString err;
    if (IsOpen() && v != VideoStreamIndex() && !SwitchStream(FVideoState.get(), AVMEDIA_TYPE_VIDEO, v, err)) Error(err);
}

void TCustomPlayer::SetAudioStreamIndex(int v) {
    QString err;
    if (IsOpen() && v != AudioStreamIndex() && !SwitchStream(FVideoState.get(), AVMEDIA_TYPE_AUDIO, v, err)) Error(err);
}

void TCustomPlayer::SetSubtitleStreamIndex(int v) {
    QString err;
    if (IsOpen() && v != SubtitleStreamIndex() && !SwitchStream(FVideoState.get(), AVMEDIA_TYPE_SUBTITLE, v, err))
        Error(err);
}
