// The state of one playback, shared by its threads. Each field says who owns
// it or which lock guards it. Engine-internal: hosts include Player.h only.
#pragma once

#include "engine/FFUtils.h"
#include "engine/Player.h"
#include "engine/PlayerSurface.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
}

#include <QImage>
#include <QRect>

#include <SDL.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

struct SwrContext;
struct SwsContext;
struct AVFilterGraph;
struct AVFilterContext;
struct RDFTContext;

// A manual-reset event; waiters on the user-interface thread poll IsSet()
// through WaitInMainThread, which Set() wakes.
class TManualEvent {
public:
    explicit TManualEvent(bool set) : FSet(set) {}
    void Set();
    void Reset();
    bool IsSet() const;
    // True when set within timeoutMs.
    bool WaitFor(int timeoutMs);

private:
    mutable std::mutex FMutex;  // guards FSet
    std::condition_variable FCond;
    bool FSet;
};

// Packets between the read thread and one decoder. A flush entry tells the
// decoder to drop its state; an entry with an empty packet marks the end.
class TPacketQueue {
public:
    // Size counts each packet's payload plus this much.
    static constexpr int kNodeCost = 72;
    ~TPacketQueue() { End(); }
    // Called after an entry was taken (false) or the queue aborted (true),
    // outside the queue's lock. Set before any thread uses the queue.
    void SetOnTaken(std::function<void(bool aborted)> f) { FOnTaken = std::move(f); }
    void Init();
    // Takes over pkt's reference; 0 or -1.
    int Put(AVPacket* pkt);
    // Never two flushes in a row (a second one only renumbers the first).
    // serial: the seek whose data follows.
    int PutFlush(int serial = 0);
    // 1 taken, 0 none (non-blocking), -1 aborted. pkt receives the packet
    // (caller frees it); flush tells a flush entry (pkt null), serial its seek.
    int Get(AVPacket*& pkt, bool& flush, bool block, int* serial = nullptr);
    void Flush();
    void Abort();
    void End() { Flush(); }
    int NbPackets() const;
    int Size() const;
    bool Aborted() const;

private:
    struct Entry {
        AVPacket* pkt;
        bool flush;
        int serial;
    };
    mutable std::mutex FMutex;  // guards everything below
    std::condition_variable FCond;
    std::deque<Entry> FList;
    int FSize = 0;
    bool FAbort = false;
    std::function<void(bool aborted)> FOnTaken;
};

struct TVideoPicture {
    AVFrame* frame = nullptr;  // our reference, null when empty
    double pts = 0;
    double target_clock = 0;   // pictq_mutex
    std::int64_t pos = -1;
    int serial = 0;  // the seek its data follows
};

struct TSubPicture {
    double pts = 0;
    AVSubtitle sub{};
};

// Log levels (the logger's ordinals).
enum { kLogFatal = 2, kLogError = 3, kLogInfo = 5, kLogDebug = 7 };

// Samples the audio display keeps (a ring the audio callback writes).
constexpr int kSampleArraySize = 131072;

// Events of the play loop.
enum TPlayLoopEvent { pleRefresh = 25, pleQuit = 26, pleAspect = 27, pleResize = 16 };

struct TVideoState {
    TCustomPlayer* Owner = nullptr;

    TPlayerOptions S;  // copied from the player at Open; read-only afterwards

    // Threads; each joined by the one that ends its part of the playback.
    std::thread read_tid;      // joined by StreamClose (or Open on failure)
    std::thread video_tid;     // joined by StreamComponentClose
    std::thread subtitle_tid;  // joined by StreamComponentClose
    std::thread refresh_tid;   // joined by StreamClose
    std::thread play_tid;      // joined by the player's Stop(true)
    std::thread event_tid;     // joined by the player's Stop(true)

    // Lifecycle.
    std::atomic<int> Opened{0};  // 0 opening, 1 open, -1 failed, -2 failed and read thread done
    std::atomic<int> abort_request{0};
    std::mutex abort_mutex;  // with abort_cond and read_cond: interruptible sleeps; guards the wake flags
    std::condition_variable abort_cond;
    // The read thread's own: woken by commands and by every packet a decoder takes.
    std::condition_variable read_cond;
    // Bumped under abort_mutex by each command and by each packet taken; the
    // read thread reads them before it decides to rest, so nothing in between
    // is missed.
    std::atomic<unsigned> commands{0}, takes{0};
    std::atomic<bool> Closed{false};        // ClosePlayback ran
    std::atomic<bool> PlayThreadDone{false};
    std::atomic<bool> EventThreadDone{false};
    std::atomic<bool> Detached{false};      // stopped from its own handler: deliver nothing more
    std::atomic<bool> Quitting{false};      // the host stopped it: positions still queued are stale
    QString LastErrMsg;  // read thread until Opened leaves 0, then the user-interface thread

    // Play loop queue.
    std::mutex play_mutex;  // guards play_events
    std::condition_variable play_cond;
    struct PlayEvent {
        int type;
        int a, b;
    };
    std::deque<PlayEvent> play_events;
    std::mutex DataLock;  // held by the play loop around each event, and by Close
    std::atomic<int> refresh{0};
    // When the refresh thread must next ask for a refresh (NowSeconds clock;
    // 0: not known): the play loop sets it from the next picture's time.
    std::atomic<double> refresh_due{0};
    // A picture was queued or a command came: the refresh thread wakes early.
    // Guarded by abort_mutex.
    bool refresh_wake = false;
    // Paused with no picture due (play loop, under abort_mutex): the refresh
    // thread waits for a command or a picture instead of a time.
    bool refresh_idle = false;

    TPlayEventRing Ring;
    TManualEvent PlayAnnounced{false};  // psPlay is in the ring: later states may follow
    TManualEvent Go{false};  // set by Open once the host has seen the file
    TManualEvent SeekEvent{true}, PictEvent{true};

    // Reading (read thread owns ic's reading; other threads read stream facts only).
    AVFormatContext* ic = nullptr;
    const AVInputFormat* iformat = nullptr;
    QString filename;
    std::atomic<int> paused{0};
    std::atomic<double> paused_at{0};  // wall clock of the last pause
    int last_paused = 0;  // read thread
    std::atomic<int> read_pause_return{0};
    std::mutex seek_mutex;  // guards seek_pos, seek_rel, seek_flags, seek_serial, seek_target*
    std::atomic<int> seek_req{0};
    int seek_flags = 0;
    std::int64_t seek_pos = 0, seek_rel = 0;
    // Seeks are numbered. A flush carries the number of the seek whose data
    // follows it, and each clock the number of the data it last took its
    // time from: until the master clock has data of the newest seek it still
    // tells the place before it, so a relative seek counts from the target.
    int seek_serial = 0;
    double seek_target = 0;           // clock seconds
    bool seek_target_valid = false;   // not for byte seeks nor after a failed seek
    // A seek that must not land behind this place (the file's clock, AV_TIME_BASE;
    // AV_NOPTS_VALUE: none). Where its key frame lies behind it, the data of
    // drop_serial before drop_before (clock seconds) is decoded and dropped.
    std::int64_t seek_not_behind = AV_NOPTS_VALUE;
    int drop_serial = 0;
    double drop_before = 0;
    std::atomic<int> seek_done_serial{0};  // read thread: the newest seek carried out
    int audio_flush_serial = 0;            // audio callback
    int video_flush_serial = 0;            // video thread
    std::atomic<int> audio_clock_serial{0}, video_clock_serial{0};
    // Sound has been decoded: before that the audio clock knows only the file's start.
    std::atomic<bool> audio_clock_set{false};
    std::atomic<int> Reading{0};
    std::atomic<int> ReachEOF{0};
    int ErrorEOF = 0;  // read thread
    std::atomic<int> EventEOF{0};
    // The video decoder has given out its last picture: only then is the end reached.
    std::atomic<int> video_drained{0};
    // The seek whose first picture is in place: reports may go back in time
    // only across a seek.
    std::atomic<int> report_serial{0};
    int reported_serial = 0;  // the player's FReportLock
    std::atomic<int> open_paused{0};
    std::atomic<int> seek_paused{0};  // written under seek_mutex
    std::atomic<int> seek_done{0};
    std::atomic<int> seek_flushed{0};
    bool IsImage2 = false, IsDevice = false;
    std::int64_t StartTime = 0;
    std::int64_t Duration = -1;
    std::atomic<std::int64_t> AudioDuration{-1};

    // Streams: indexes change only while their threads are stopped (the read
    // thread at open, SwitchStream under DataLock).
    std::atomic<int> video_stream{-1}, audio_stream{-1}, subtitle_stream{-1};
    AVStream* video_st = nullptr;
    AVStream* audio_st = nullptr;
    AVStream* subtitle_st = nullptr;
    AVCodecContext* video_dec = nullptr;     // video thread
    AVCodecContext* audio_dec = nullptr;     // audio callback
    AVCodecContext* subtitle_dec = nullptr;  // subtitle thread
    TPacketQueue videoq, audioq, subtitleq;
    int video_width = 0, video_height = 0;  // decoder size at open

    // Clocks (seconds). Written by one thread each, read anywhere.
    std::atomic<double> audio_clock{0};
    std::atomic<double> video_current_pts{0};
    std::atomic<double> video_current_pts_drift{0};
    std::atomic<std::int64_t> video_current_pos{-1};
    std::atomic<double> external_clock{0};
    std::atomic<std::int64_t> external_clock_time{0};
    std::atomic<int> av_sync_type{AV_SYNC_AUDIO_MASTER};

    // The sound device is closed while paused, so SDL's audio thread sleeps
    // too. Guards audio_device and audio_spec; never taken by the callback.
    std::mutex audio_device_mutex;
    unsigned audio_device = 0;
    SDL_AudioSpec audio_spec{};  // what the device was opened with; freq 0 when no stream
    // Audio output (audio callback thread).
    int audio_channels = 0;      // device channels
    int audio_rate = 0;
    int audio_hw_buf_size = 0;
    std::vector<std::uint8_t> audio_buf;  // converted samples of the current buffer
    unsigned audio_buf_size = 0;
    int audio_buf_index = 0;
    AVFrame* audio_frame = nullptr;
    bool audio_pkt_pending = false;  // decoder may hold more frames
    SwrContext* swr = nullptr;
    int swr_fmt = -1, swr_rate = 0, swr_channels = 0;
    double audio_diff_cum = 0, audio_diff_avg_coef = 0, audio_diff_threshold = 0;
    int audio_diff_avg_count = 0;
    std::atomic<std::int64_t> audio_callback_time{0};
    std::atomic<int> audio_buf_left{0};  // bytes of the current buffer not yet handed out

    // Audio display: samples written by the audio callback, drawn by the play loop.
    std::mutex sample_mutex;  // guards sample_array and sample_array_index
    std::vector<std::int16_t> sample_array = std::vector<std::int16_t>(kSampleArraySize);
    int sample_array_index = 0;
    std::atomic<int> show_audio{0};
    int last_i_start = 0;  // play loop
    RDFTContext* rdft = nullptr;
    int rdft_bits = 0;
    float* rdft_data = nullptr;  // av_malloc'd: the transform needs SIMD alignment
    int xpos = 0;
    QImage audio_image;  // play loop

    // Video decoding (video thread) and the picture queue.
    AVFilterGraph* graph = nullptr;
    AVFilterContext* filt_in = nullptr;
    AVFilterContext* filt_out = nullptr;
    int graph_w = 0, graph_h = 0, graph_fmt = -1;
    std::atomic<double> video_clock{0};  // video thread writes
    std::int64_t faulty_pts = 0, faulty_dts = 0, last_dts_for_fault_detection = 0,
                 last_pts_for_fault_detection = 0;
    float skip_frames = 1, skip_frames_index = 0;  // pictq_mutex
    bool eof_drained = false;   // video thread
    bool video_pending = false;  // video thread: the decoder may hold pictures
    std::mutex pictq_mutex;  // guards pictq slot contents, pictq_size, frame_timer & co
    std::condition_variable pictq_cond;
    TVideoPicture pictq[2];
    int pictq_size = 0;
    int pictq_rindex = 0;  // play loop
    int pictq_windex = 0;  // video thread
    double frame_timer = 0, frame_last_pts = 0, frame_last_delay = 0;  // pictq_mutex
    int out_w = 0, out_h = 0;  // filter output size, pictq_mutex
    TRGBConvertContext hook_rgb;  // video thread

    // Subtitles.
    std::mutex subpq_mutex;  // guards subpq, subpq_size, subtitle_stream_changed
    std::condition_variable subpq_cond;
    TSubPicture subpq[4];
    int subpq_size = 0, subpq_rindex = 0, subpq_windex = 0;
    int subtitle_stream_changed = 0;

    // Display (play loop).
    std::shared_ptr<TSurfaceSink> sink;  // set at Open, before the play loop starts
    int screen_w = 0, screen_h = 0;  // the size the host chose (play loop after Open)
    int width = 0, height = 0;  // display area
    std::mutex shown_mutex;  // guards shown
    AVFrame* shown = nullptr;  // the picture on screen, subtitles blended in
    double shown_pts = 0;
    std::atomic<bool> picture_shown{false};  // a picture has been on screen

    TVideoState();
    ~TVideoState();

    // Sleeps up to ms, waking at once when the playback closes.
    void Sleep(int ms);
    // Something the threads of a paused playback must act on (pause or resume,
    // a seek asked or done, a stream switched, the end reached): wakes them.
    void Command();
    // The read thread's rest between rounds: ms while playing; while paused
    // until a command since it read commandsSeen or, with takesSeen given, a
    // packet taken since then.
    void ReadRest(int ms, unsigned commandsSeen, const unsigned* takesSeen);
    // While the video (or subtitle) thread must hold: paused, not seeking, not
    // opening paused. Returns when it may go on or the playback closes.
    void HoldWhilePaused(TPacketQueue& q, bool openPausedGoes);
    void PushPlayEvent(int type, int a = 0, int b = 0);
    void StreamQuit() { PushPlayEvent(pleQuit); }
    double StreamTimeBase(AVStream* st) const { return st ? av_q2d(st->time_base) : 0; }
};

// Reading (PlayerRead.cpp).
bool StreamOpen(TVideoState* is);
void StreamClose(TVideoState* is);
// notBehind (same clock as pos): when the seek lands behind it, playback
// starts at pos instead, the data before pos decoded and dropped.
void StreamSeek(TVideoState* is, std::int64_t pos, std::int64_t rel, int flags, bool wait,
                std::int64_t notBehind = AV_NOPTS_VALUE);
// The time (clock seconds) before which the data of seek serial is dropped;
// minus infinity when none is.
double DropBefore(TVideoState* is, int serial);
void StreamTogglePause(TVideoState* is);
bool SwitchStream(TVideoState* is, int kind, int index, QString& err);
int StreamComponentOpen(TVideoState* is, int index);
void StreamComponentClose(TVideoState* is, int index);

// Video (PlayerVideo.cpp).
void VideoThread(TVideoState* is);
void RefreshThread(TVideoState* is);
void VideoRefresh(TVideoState* is, bool consume);
void VideoDisplay(TVideoState* is);
double ComputeTargetTime(TVideoState* is, double pts);
double GetAudioClock(TVideoState* is);
double GetVideoClock(TVideoState* is);
double GetExternalClock(TVideoState* is);
double GetMasterClock(TVideoState* is);
// The seek whose data the master clock last took its time from.
int MasterClockSerial(TVideoState* is);
// Where a relative seek counts from: the master clock, or the newest seek's
// target while the clock has no data of that seek yet.
double RelativeSeekBase(TVideoState* is);
// The number of the newest seek asked for.
int NewestSeekSerial(TVideoState* is);
double NowSeconds();
// Names the calling thread (at most 15 characters) so that it can be told
// apart in /proc and in a debugger.
void NamePlayerThread(const char* name);
void ClearPictures(TVideoState* is);

// Audio (PlayerAudio.cpp).
int OpenAudio(TVideoState* is, AVCodecContext* dec, QString& err);
void CloseAudio(TVideoState* is);
// Opens the sound device while the playback plays, closes it while paused.
void SyncAudioOutput(TVideoState* is);
void AudioDisplay(TVideoState* is);
int SynchronizeAudio(TVideoState* is, std::vector<std::uint8_t>& buf, int size, double pts);

// Subtitles (PlayerSubtitle.cpp).
void SubtitleThread(TVideoState* is);
void FreeSubPicture(TSubPicture* sp);
// Palette entry RGBA (0xAARRGGBB) to 0xAAYYUUVV.
std::uint32_t RGBAToYUVA(std::uint32_t argb);
// Blends one palette-converted rectangle into a YUV 4:2:0 picture.
void BlendSubRect(std::uint8_t* dst[3], const int linesize[3], const AVSubtitleRect* rect,
                  int imgw, int imgh);

