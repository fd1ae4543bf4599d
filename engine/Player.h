// The embedded media player: plays one file at a time into a widget of the
// host (a panel of the main window), with sound through SDL2 audio.
//
// Every playback is one TVideoState object with its own threads (read,
// video, subtitle, refresh, play loop, event delivery). Stop(true) joins all
// of them, so nothing of an old playback runs or reports into the next one.
#pragma once

#include "engine/FFBase.h"
#include "engine/PlayerSurface.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>
#include <vector>

struct AVInputFormat;
struct TVideoState;
struct TRGBConvertContext;
class TAVProbe;

enum TPlayState { psPlay, psPause, psResume, psStep, psStop, psEnd };
enum TRepeatType { rtNone, rtStop, rtLoop };
enum TShowAudio { saNone, saWave, saRDFT };
enum TAudioDriver { adDefault, adDirectSound, adWaveOut };
enum TVideoDriver { vdDefault, vdDirectDraw, vdGDI };
enum Tav_sync_type { AV_SYNC_AUDIO_MASTER, AV_SYNC_VIDEO_MASTER, AV_SYNC_EXTERNAL_CLOCK };
using TAudioVolume = int;  // 0..128

// Kinds of the event ring.
enum TPlayEventKind { pekNone = 0, pekPosition = 1, pekState = 2, pekQuit = 3 };

// Ten slots, at most nine events: an event of the same kind as the newest
// replaces it, a full ring drops the oldest. Pushed from any thread, popped by
// the one delivering thread.
class TPlayEventRing {
public:
    static constexpr int kSlots = 10;
    // serial: the newest seek asked for when the event arose.
    void Push(int kind, std::int64_t value, int serial = 0);
    // Kind pekNone when empty.
    int Pop(std::int64_t& value, int* serial = nullptr);
    // Blocks until an event is held.
    void WaitForEvent();
    int Count() const;

private:
    mutable std::mutex FLock;  // guards everything below
    std::condition_variable FEvent;
    int FHeader = 0;
    int FTailer = 0;
    struct Slot {
        int Kind = 0;
        std::int64_t Value = 0;
        int Serial = 0;
    } FEvents[kSlots];
};

// Settings each playback copies at Open and keeps while it runs.
struct TPlayerOptions {
    int sws_flags = 4;
    int frame_width = 0, frame_height = 0, frame_pix_fmt = -1;
    bool audio_disable = false, video_disable = false, display_disable = false;
    int debug = 0, debug_mv = 0, workaround_bugs = 1;
    bool fast = false, genpts = false;
    int lowres = 0, idct_algo = 0, skip_frame = 0, skip_idct = 0, skip_loop_filter = 0;
    int error_recognition = 1, error_concealment = 3, decoder_reorder_pts = -1;
    int framedrop = 1, rdftspeed = 20;
    QString vfilters;
    bool trigger_in_main = true;
};

using TFileOpenEvent = std::function<void(QObject* Sender, std::int64_t ADuration, int AFrameWidth,
                                          int AFrameHeight, int& AScreenWidth, int& AScreenHeight)>;
// ABitmap is the player's 24-bit picture; what the handler paints on it is shown.
using THookEvent = std::function<void(QObject* Sender, QImage* ABitmap, std::int64_t APTS)>;
using TPositionEvent = std::function<void(QObject* Sender, std::int64_t APTS)>;
using TPlayStateEvent = std::function<void(QObject* Sender, TPlayState AState)>;

// A handler the playback's threads call while the host may set or clear it at
// any time (a closing window clears them with playback running). A call works
// on a copy taken under the lock and never runs under it, so a handler may set
// handlers itself; an empty handler is not called.
template <class F>
class TPlayerHandler {
public:
    TPlayerHandler() = default;
    TPlayerHandler(const TPlayerHandler& other) : FFn(other.Get()) {}
    TPlayerHandler& operator=(const TPlayerHandler& other) {
        if (this != &other) Set(other.Get());
        return *this;
    }
    template <class G>
        requires(!std::is_same_v<std::remove_cvref_t<G>, TPlayerHandler>)
    TPlayerHandler& operator=(G&& fn) {
        Set(F(std::forward<G>(fn)));
        return *this;
    }
    F Get() const {
        std::lock_guard<std::mutex> lock(FLock);
        return FFn;
    }
    explicit operator bool() const {
        std::lock_guard<std::mutex> lock(FLock);
        return static_cast<bool>(FFn);
    }
    template <class... A>
    void operator()(A&&... args) const {
        if (const F fn = Get()) fn(std::forward<A>(args)...);
    }

private:
    void Set(F fn) {
        // The old handler is freed outside the lock: what it holds may call back.
        {
            std::lock_guard<std::mutex> lock(FLock);
            std::swap(FFn, fn);
        }
    }
    mutable std::mutex FLock;  // guards FFn
    F FFn;
};

class TCustomPlayer : public TFFBaseComponent {
public:
    explicit TCustomPlayer(QObject* AOwner = nullptr);
    ~TCustomPlayer() override;

    // Libraries (the player set: codecs, filters, formats, scaling, resampling, SDL2).
    bool LoadAVLib(const TPathFileName& APath);
    bool AVLibLoaded() const;
    void UnloadAVLib();

    // Playback control; user-interface thread.
    bool Open(const QString& AFileName, QWidget* AScreenHandle, bool APaused);
    void Stop(bool AWaitForStop);
    void Pause();
    void Resume();
    void TogglePause();
    void StepToNextFrame();
    void Seek(std::int64_t APTS, TSeekFlags ASeekFlags = {}, bool AWaitForSeekEnd = false);
    // As Seek, never landing behind ANotBehind (microseconds from the file's
    // start) when APTS lies after it: where the key frame before APTS lies
    // behind ANotBehind, playback starts at APTS, the pictures and sound
    // before it decoded and dropped.
    void Seek(std::int64_t APTS, TSeekFlags ASeekFlags, bool AWaitForSeekEnd, std::int64_t ANotBehind);
    void Seek(double ADelta, TSeekFlags ASeekFlags, bool AWaitForSeekEnd);
    void ToggleAudioDisplay();
    // The picture keeps following its host widget by itself.
    void UpdateScreenPosition() {}

    // The picture on screen as a 24-bit bitmap of the video's size (black before
    // the first picture, 0 x 0 without video); valid until the next call or Open.
    QImage CurrentFrame();
    QImage CurrentFrame(std::int64_t& APTS);

    // Properties.
    QString Version() const { return QStringLiteral("2.3"); }
    QString About() const { return FAbout; }
    void SetAbout(const QString& v) { FAbout = v; }
    QString LastErrMsg() const { return FLastErrMsg; }
    QString FileName() const { return FFileName; }
    QString Format() const;
    void SetFormat(const QString& value);
    QWidget* ScreenHandle() const { return FScreenHandle; }
    TAVProbe* AVProbe() const { return FAVProbe; }
    bool FullScreen() const { return Fis_full_screen; }
    bool is_full_screen() const { return Fis_full_screen; }
    // Full screen: the pictures fill the screen that holds the host (the
    // surface becomes a window of its own there); off: back inside the host.
    // Takes effect at once while a file is open, else at the next Open.
    void Setis_full_screen(bool v);

    int AudioStreamIndex() const;
    int VideoStreamIndex() const;
    int SubtitleStreamIndex() const;
    void SetAudioStreamIndex(int v);
    void SetVideoStreamIndex(int v);
    void SetSubtitleStreamIndex(int v);

    std::int64_t CurrentPTS() const { return FCurrentPTS; }
    bool Paused() const;
    TPlayState PlayState() const { return FState; }
    bool Seeking() const { return FSeeking; }

    float AspectRatio() const { return FAspectRatio; }
    void SetAspectRatio(float v);
    TAudioDriver AudioDriver() const { return FAudioDriver; }
    void SetAudioDriver(TAudioDriver v) { FAudioDriver = v; }
    TVideoDriver VideoDriver() const { return FVideoDriver; }
    void SetVideoDriver(TVideoDriver v) { FVideoDriver = v; }
    TAudioVolume AudioVolume() const { return FAudioVolume; }
    void SetAudioVolume(TAudioVolume v) { FAudioVolume = v < 0 ? 0 : (v > 128 ? 128 : v); }
    bool Mute() const { return FMute; }
    void SetMute(bool v) { FMute = v; }
    bool DisableAudio() const { return FOpt.audio_disable; }
    void SetDisableAudio(bool v) { FOpt.audio_disable = v; }
    bool DisableVideo() const { return FOpt.video_disable; }
    void SetDisableVideo(bool v) { FOpt.video_disable = v; }
    bool DisableDisplay() const { return FOpt.display_disable; }
    void SetDisableDisplay(bool v) { FOpt.display_disable = v; }
    int FrameWidth() const { return FOpt.frame_width; }
    void SetFrameWidth(int v) { FOpt.frame_width = v; }
    int FrameHeight() const { return FOpt.frame_height; }
    void SetFrameHeight(int v) { FOpt.frame_height = v; }
    bool Hook() const { return FHook; }
    void SetHook(bool v) { FHook = v; }
    int ScreenWidth() const { return Fscreen_width; }
    void SetScreenWidth(int v) { Fscreen_width = v; }
    int ScreenHeight() const { return Fscreen_height; }
    void SetScreenHeight(int v) { Fscreen_height = v; }
    bool TriggerEventInMainThread() const { return FOpt.trigger_in_main; }
    void SetTriggerEventInMainThread(bool v) { FOpt.trigger_in_main = v; }
    std::int64_t PlayTime() const { return FPlayTime; }
    void SetPlayTime(std::int64_t v) { FPlayTime = v; }
    TRepeatType RepeatType() const { return FRepeatType; }
    void SetRepeatType(TRepeatType v) { FRepeatType = v; }
    TShowAudio ShowAudio() const { return FShowAudio; }
    void SetShowAudio(TShowAudio v);
    bool VerticalFlip() const { return FVerticalFlip; }
    void SetVerticalFlip(bool v) { FVerticalFlip = v; }
    QString VideoFilters() const { return FOpt.vfilters; }
    void SetVideoFilters(const QString& v) { FOpt.vfilters = v; }

    // Option properties of the command-line player.
    int wanted_audio_stream() const { return Fwanted_stream[1]; }
    void Setwanted_audio_stream(int v) { Fwanted_stream[1] = v; }
    int wanted_video_stream() const { return Fwanted_stream[0]; }
    void Setwanted_video_stream(int v) { Fwanted_stream[0] = v; }
    int wanted_subtitle_stream() const { return Fwanted_stream[3]; }
    void Setwanted_subtitle_stream(int v) { Fwanted_stream[3] = v; }
    int seek_by_bytes() const { return Fseek_by_bytes; }
    void Setseek_by_bytes(int v) { Fseek_by_bytes = v; }
    std::int64_t start_time() const { return Fstart_time; }
    void Setstart_time(std::int64_t v) { Fstart_time = v; }
    int workaround_bugs() const { return FOpt.workaround_bugs; }
    void Setworkaround_bugs(int v) { FOpt.workaround_bugs = v; }
    int debug_mv() const { return FOpt.debug_mv; }
    void Setdebug_mv(int v) { FOpt.debug_mv = v; }
    bool fast() const { return FOpt.fast; }
    void Setfast(bool v) { FOpt.fast = v; }
    bool genpts() const { return FOpt.genpts; }
    void Setgenpts(bool v) { FOpt.genpts = v; }
    int decoder_reorder_pts() const { return FOpt.decoder_reorder_pts; }
    void Setdecoder_reorder_pts(int v) { FOpt.decoder_reorder_pts = v; }
    int framedrop() const { return FOpt.framedrop; }
    void Setframedrop(int v) { FOpt.framedrop = v; }
    int rdftspeed() const { return FOpt.rdftspeed; }
    void Setrdftspeed(int v) { FOpt.rdftspeed = v; }
    int lowres() const { return FOpt.lowres; }
    void Setlowres(int v) { FOpt.lowres = v; }
    int idct_algo() const { return FOpt.idct_algo; }
    void Setidct_algo(int v) { FOpt.idct_algo = v; }
    int error_recognition() const { return FOpt.error_recognition; }
    void Seterror_recognition(int v) { FOpt.error_recognition = v; }
    int error_concealment() const { return FOpt.error_concealment; }
    void Seterror_concealment(int v) { FOpt.error_concealment = v; }
    Tav_sync_type av_sync_type() const { return Fav_sync_type; }
    void Setav_sync_type(Tav_sync_type v) { Fav_sync_type = v; }

    // The widget the pictures are painted into (a child of the host); for tests.
    TPlayerSurface* Surface() const { return FSurface; }

    TFileOpenEvent OnFileOpen;
    // Runs on the playback's video thread.
    TPlayerHandler<THookEvent> OnHook;
    TPlayerHandler<TPositionEvent> OnPosition;
    TPlayerHandler<TPlayStateEvent> OnState;

    // Engine side (the playback's threads); not for hosts.
    int WantedStream(int type) const { return type >= 0 && type < 6 ? Fwanted_stream[type].load() : -1; }
    bool StepFlag() const { return Fstep; }
    void SetSeekingFlag(bool v) { FSeeking = v; }
    void SetState(TVideoState* is, TPlayState AState);
    void ReportPosition(TVideoState* is);
    bool HookPicture(TVideoState* is, struct AVFrame* picture, double pts);
    void LogMsg(int ALevel, const QString& AMsg);
    void ResetPlayback();

private:
    friend struct TVideoState;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Error(const QString& AMsg);  // logged and stored
    void ClosePlayback(TVideoState* is);
    void DetachProbe(TVideoState* is);
    void DeliverEvent(TVideoState* is, int kind, std::int64_t value, int serial);
    void StopPlayback(bool AWaitForStop);
    void ReapRetired();
    void EventThreadBody(TVideoState* is);
    void PlayThreadBody(TVideoState* is);
    bool IsOpen() const;
    // The open playback, or the one being opened while OnFileOpen runs.
    const TVideoState* StreamFacts() const;
    void AttachSurface(QWidget* host);
    // Puts the surface where the full-screen setting says; the display area
    // it gives the pictures (0 x 0: the picture's own size).
    QSize PlaceSurface();
    // A playback ends: a full-screen window goes back into its host.
    void LeaveFullScreenWindow();

    QString FAbout;
    QString FLastErrMsg;   // user-interface thread
    QString FFileName;
    const AVInputFormat* Ffile_iformat = nullptr;
    QPointer<QWidget> FScreenHandle;
    QPointer<TPlayerSurface> FSurface;
    TAVProbe* FAVProbe = nullptr;  // owned

    // The open playback; created, joined and freed on the user-interface thread.
    std::unique_ptr<TVideoState> FVideoState;
    // Playbacks stopped from inside one of their own event handlers: joined later.
    std::vector<std::unique_ptr<TVideoState>> FRetired;
    bool FInOpenOrStop = false;  // re-entry guard (user-interface thread)
    // The playback Open is announcing through OnFileOpen (user-interface thread).
    TVideoState* FOpening = nullptr;
    // Waits of this player on the stack (user-interface thread); a playback
    // stopped inside one is freed only after it.
    int FWaitDepth = 0;
    struct TWaitScope {
        int& depth;
        explicit TWaitScope(int& d) : depth(d) { ++depth; }
        ~TWaitScope() { --depth; }
    };
    // The playback whose event handler runs now (user-interface thread).
    TVideoState* FDelivering = nullptr;

    // Settings copied into each playback at Open.
    TPlayerOptions FOpt;
    int Fscreen_width = 0, Fscreen_height = 0;
    bool Fis_full_screen = false;
    // The size of the screen holding the host, taken at Open (user-interface thread).
    int Ffs_screen_width = 0, Ffs_screen_height = 0;
    bool FSurfaceFullScreen = false;  // the surface is shown as a full-screen window now
    bool FSurfaceHosted = false;      // the surface belongs inside FSurfaceHost
    QPointer<QWidget> FSurfaceHost;
    Tav_sync_type Fav_sync_type = AV_SYNC_AUDIO_MASTER;
    TAudioDriver FAudioDriver = adDefault;
    TVideoDriver FVideoDriver = vdDefault;

    // Per-playback settings: read by the playback's threads, written by the host
    // and cleared when a playback ends (atomics: no lock between the two sides).
    std::atomic<int> Fwanted_stream[6];
    std::atomic<int> Fseek_by_bytes{-1};
    std::atomic<std::int64_t> Fstart_time;
    std::atomic<std::int64_t> FPlayTime;
    std::atomic<TRepeatType> FRepeatType{rtStop};
    std::atomic<bool> FVerticalFlip{false};
    std::atomic<bool> Fstep{false};
    std::atomic<bool> FSeeking{false};

    // Live settings read by the playback's threads.
    std::atomic<float> FAspectRatio{0};
    std::atomic<int> FAudioVolume{128};
    std::atomic<bool> FMute{false};
    std::atomic<TShowAudio> FShowAudio{saWave};
    std::atomic<bool> FHook{false};

    // Reports (guarded by FReportLock: the play and video threads both report).
    std::mutex FReportLock;
    std::atomic<std::int64_t> FLastPTS;
    std::atomic<std::int64_t> FCurrentPTS{-1};
    std::atomic<TPlayState> FState{psStop};

    // CurrentFrame's bitmap and scaler (user-interface thread).
    std::unique_ptr<TRGBConvertContext> FCurrentRGB;
};

class TDUDuvuvu : public TCustomPlayer {
public:
    using TCustomPlayer::TCustomPlayer;
};
