// The reading side of a playback: packet queues, opening the file on the
// read thread, opening, closing and switching streams, seeking and pausing.
#include "engine/PlayerState.h"

#include "engine/FFFileNames.h"
#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"

#include <cmath>
#include <cstring>
#include <pthread.h>

// ---------------------------------------------------------------------------
// Small primitives

void TManualEvent::Set() {
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FSet = true;
    }
    FCond.notify_all();
    WakeMainThreadWaits();
}

void TManualEvent::Reset() {
    std::lock_guard<std::mutex> lock(FMutex);
    FSet = false;
}

bool TManualEvent::IsSet() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FSet;
}

bool TManualEvent::WaitFor(int timeoutMs) {
    std::unique_lock<std::mutex> lock(FMutex);
    return FCond.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return FSet; });
}

// ---------------------------------------------------------------------------
// Packet queues

void TPacketQueue::Init() {
    Flush();
    std::lock_guard<std::mutex> lock(FMutex);
    FAbort = false;
}

int TPacketQueue::Put(AVPacket* pkt) {
    std::lock_guard<std::mutex> lock(FMutex);
    FList.push_back({pkt, false, 0});
    FSize += pkt->size + kNodeCost;
    FCond.notify_one();
    return 0;
}

int TPacketQueue::PutFlush(int serial) {
    std::lock_guard<std::mutex> lock(FMutex);
    if (!FList.empty() && FList.back().flush) {
        FList.back().serial = serial;
        return 0;
    }
    FList.push_back({nullptr, true, serial});
    FSize += kNodeCost;
    FCond.notify_one();
    return 0;
}

int TPacketQueue::Get(AVPacket*& pkt, bool& flush, bool block, int* serial) {
    std::unique_lock<std::mutex> lock(FMutex);
    for (;;) {
        if (FAbort) return -1;
        if (!FList.empty()) {
            Entry e = FList.front();
            FList.pop_front();
            FSize -= (e.pkt ? e.pkt->size : 0) + kNodeCost;
            pkt = e.pkt;
            flush = e.flush;
            if (serial) *serial = e.serial;
            lock.unlock();
            if (FOnTaken) FOnTaken(false);
            return 1;
        }
        if (!block) return 0;
        FCond.wait(lock);
    }
}

void TPacketQueue::Flush() {
    std::deque<Entry> old;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        old.swap(FList);
        FSize = 0;
    }
    for (Entry& e : old)
        if (e.pkt) ff::av_packet_free(&e.pkt);
}

void TPacketQueue::Abort() {
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FAbort = true;
        FCond.notify_all();
    }
    if (FOnTaken) FOnTaken(true);
}

int TPacketQueue::NbPackets() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return static_cast<int>(FList.size());
}

int TPacketQueue::Size() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FSize;
}

bool TPacketQueue::Aborted() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FAbort;
}

// ---------------------------------------------------------------------------
// The state

TVideoState::TVideoState() {
    // A packet taken may make room for the read thread, resting while paused;
    // an aborted queue ends a decoder's hold.
    auto taken = [this](bool aborted) {
        {
            std::lock_guard<std::mutex> lock(abort_mutex);
            ++takes;
        }
        read_cond.notify_one();
        if (aborted) abort_cond.notify_all();
    };
    videoq.SetOnTaken(taken);
    audioq.SetOnTaken(taken);
    subtitleq.SetOnTaken(taken);
}

TVideoState::~TVideoState() {
    ClearPictures(this);
    for (TSubPicture& sp : subpq) FreeSubPicture(&sp);
    {
        std::lock_guard<std::mutex> lock(shown_mutex);
        if (shown) ff::av_frame_free(&shown);
    }
    if (ic) CloseInputFile(&ic);
    ResetRGBConvertContext(&hook_rgb);
    if (rdft) ff::av_rdft_end(rdft);
    ff::av_free(rdft_data);
    if (swr) ff::swr_free(&swr);
    if (audio_frame) ff::av_frame_free(&audio_frame);
}

void TVideoState::Sleep(int ms) {
    std::unique_lock<std::mutex> lock(abort_mutex);
    abort_cond.wait_for(lock, std::chrono::milliseconds(ms), [this] { return abort_request.load() != 0; });
}

void NamePlayerThread(const char* name) { pthread_setname_np(pthread_self(), name); }

void TVideoState::Command() {
    {
        std::lock_guard<std::mutex> lock(abort_mutex);
        ++commands;
        refresh_wake = true;
    }
    abort_cond.notify_all();
    read_cond.notify_all();
}

void TVideoState::ReadRest(int ms, unsigned commandsSeen, const unsigned* takesSeen) {
    std::unique_lock<std::mutex> lock(abort_mutex);
    if (!paused) {
        abort_cond.wait_for(lock, std::chrono::milliseconds(ms), [this] { return abort_request.load() != 0; });
        return;
    }
    read_cond.wait(lock, [&] {
        return abort_request.load() != 0 || !paused || commands.load() != commandsSeen ||
               (takesSeen && takes.load() != *takesSeen);
    });
}

void TVideoState::HoldWhilePaused(TPacketQueue& q, bool openPausedGoes) {
    auto hold = [&] {
        return paused && !abort_request && !q.Aborted() && !seek_paused && !(openPausedGoes && open_paused);
    };
    if (!hold()) return;
    std::unique_lock<std::mutex> lock(abort_mutex);
    abort_cond.wait(lock, [&] { return !hold(); });
}

void TVideoState::PushPlayEvent(int type, int a, int b) {
    {
        std::lock_guard<std::mutex> lock(play_mutex);
        play_events.push_back({type, a, b});
    }
    play_cond.notify_one();
}

static int DecodeInterrupt(void* opaque) {
    return static_cast<TVideoState*>(opaque)->abort_request.load() != 0;
}

// ---------------------------------------------------------------------------
// Streams

int StreamComponentOpen(TVideoState* is, int index) {
    AVFormatContext* ic = is->ic;
    if (index < 0 || index >= static_cast<int>(ic->nb_streams)) return -1;
    AVStream* st = ic->streams[index];
    const AVCodecParameters* par = st->codecpar;

    const AVCodec* codec = ff::avcodec_find_decoder(par->codec_id);
    AVCodecContext* dec = codec ? ff::avcodec_alloc_context3(codec) : nullptr;
    if (!dec || ff::avcodec_parameters_to_context(dec, par) < 0) {
        if (dec) ff::avcodec_free_context(&dec);
        is->Owner->LogMsg(kLogError, QStringLiteral("avcodec_open() failed."));
        return -1;
    }
    dec->pkt_timebase = st->time_base;
    dec->debug = is->S.debug;
    dec->workaround_bugs = is->S.workaround_bugs;
    dec->lowres = std::min(is->S.lowres, static_cast<int>(codec->max_lowres));
    dec->idct_algo = is->S.idct_algo;
    if (is->S.fast) dec->flags2 |= AV_CODEC_FLAG2_FAST;
    dec->skip_frame = static_cast<AVDiscard>(is->S.skip_frame);
    dec->skip_idct = static_cast<AVDiscard>(is->S.skip_idct);
    dec->skip_loop_filter = static_cast<AVDiscard>(is->S.skip_loop_filter);
    dec->error_concealment = is->S.error_concealment;
    dec->thread_count = 1;
    int ret;
    {
        std::lock_guard lock(CodecLock);
        ret = ff::avcodec_open2(dec, codec, nullptr);
    }
    if (ret < 0) {
        std::lock_guard lock(CodecLock);
        ff::avcodec_free_context(&dec);
        is->Owner->LogMsg(kLogError, QStringLiteral("avcodec_open() failed."));
        return -1;
    }

    if (par->codec_type == AVMEDIA_TYPE_AUDIO) {
        QString err;
        if (OpenAudio(is, dec, err) < 0) {
            is->Owner->LogMsg(kLogError, QStringLiteral("SDL_OpenAudio() failed: ") + err);
            std::lock_guard lock(CodecLock);
            ff::avcodec_free_context(&dec);
            return -1;
        }
    }

    st->discard = AVDISCARD_DEFAULT;
    switch (par->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
        is->audio_st = st;
        is->audio_dec = dec;
        is->AudioDuration = st->duration != AV_NOPTS_VALUE
                                ? ff::av_rescale_q(st->duration, st->time_base, AVRational{1, AV_TIME_BASE})
                                : -1;
        is->audio_buf_size = 0;
        is->audio_buf_index = 0;
        is->audio_diff_avg_coef = std::exp(std::log(0.01) / 20);
        is->audio_diff_avg_count = 0;
        is->audio_diff_cum = 0;
        is->audio_diff_threshold = 2.0 * 1024 / is->audio_rate;
        is->audioq.Init();
        is->audioq.PutFlush(is->seek_done_serial);
        is->audio_stream = index;
        SyncAudioOutput(is);
        break;
    case AVMEDIA_TYPE_VIDEO:
        is->video_st = st;
        is->video_dec = dec;
        is->video_stream = index;
        is->video_drained = 0;
        is->videoq.Init();
        is->videoq.PutFlush(is->seek_done_serial);
        is->video_tid = std::thread(VideoThread, is);
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        is->subtitle_st = st;
        is->subtitle_dec = dec;
        is->subtitle_stream = index;
        is->subtitleq.Init();
        is->subtitleq.PutFlush(is->seek_done_serial);
        is->subtitle_tid = std::thread(SubtitleThread, is);
        break;
    default: {
        std::lock_guard lock(CodecLock);
        ff::avcodec_free_context(&dec);
        return -1;
    }
    }
    return 0;
}

void StreamComponentClose(TVideoState* is, int index) {
    AVFormatContext* ic = is->ic;
    if (!ic || index < 0 || index >= static_cast<int>(ic->nb_streams)) return;
    AVStream* st = ic->streams[index];
    AVCodecContext* dec = nullptr;
    switch (st->codecpar->codec_type) {
    case AVMEDIA_TYPE_VIDEO:
        is->videoq.Abort();
        {
            std::lock_guard<std::mutex> lock(is->pictq_mutex);
            is->pictq_cond.notify_all();
        }
        if (is->video_tid.joinable()) is->video_tid.join();
        is->videoq.End();
        dec = is->video_dec;
        is->video_dec = nullptr;
        is->video_st = nullptr;
        is->video_stream = -1;
        break;
    case AVMEDIA_TYPE_AUDIO:
        is->audioq.Abort();
        CloseAudio(is);  // waits for a running callback
        is->audioq.End();
        dec = is->audio_dec;
        is->audio_dec = nullptr;
        is->audio_st = nullptr;
        is->audio_stream = -1;
        is->AudioDuration = -1;
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        is->subtitleq.Abort();
        {
            std::lock_guard<std::mutex> lock(is->subpq_mutex);
            is->subtitle_stream_changed = 1;
            is->subpq_cond.notify_all();
        }
        if (is->subtitle_tid.joinable()) is->subtitle_tid.join();
        is->subtitleq.End();
        {
            // Nothing of this stream may show over the next one's pictures.
            std::lock_guard<std::mutex> lock(is->subpq_mutex);
            for (TSubPicture& sp : is->subpq) FreeSubPicture(&sp);
            is->subpq_size = is->subpq_rindex = is->subpq_windex = 0;
            is->subtitle_stream_changed = 0;
        }
        dec = is->subtitle_dec;
        is->subtitle_dec = nullptr;
        is->subtitle_st = nullptr;
        is->subtitle_stream = -1;
        break;
    default:
        break;
    }
    st->discard = AVDISCARD_ALL;
    if (dec) {
        std::lock_guard lock(CodecLock);
        ff::avcodec_free_context(&dec);
    }
}

// ---------------------------------------------------------------------------
// The read thread

// After a seek to target (AV_TIME_BASE, the file's clock): the video's first
// key packet must not lie after the target (SettleOnKeyPacket). Returns that
// packet (the caller's), or null when there is no video or no key packet near.
static AVPacket* SettleSeek(TVideoState* is, std::int64_t target) {
    if (is->video_stream < 0) return nullptr;
    AVPacket* pkt = ff::av_packet_alloc();
    if (pkt && SettleOnKeyPacket(is->ic, -1, is->video_stream, target, AVSEEK_FLAG_BACKWARD, pkt, nullptr,
                                 [is] { return is->abort_request != 0; }))
        return pkt;
    ff::av_packet_free(&pkt);
    return nullptr;
}

// A seek that must not land behind a place: the first packet of the stream
// that tells where it landed (the video, else the sound) decides.
struct TLandingCheck {
    int serial = 0;
    int stream = -1;  // -1: nothing to decide
    double notBehind = 0, target = 0;  // clock seconds
};

static void CheckLanding(TVideoState* is, TLandingCheck& check, const AVPacket* pkt) {
    if (check.stream < 0 || pkt->stream_index != check.stream) return;
    const std::int64_t t = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
    const double landed = t == AV_NOPTS_VALUE ? -INFINITY : t * av_q2d(is->ic->streams[check.stream]->time_base);
    if (landed < check.notBehind) {
        std::lock_guard<std::mutex> lock(is->seek_mutex);
        is->drop_serial = check.serial;
        is->drop_before = check.target;
    }
    check.stream = -1;
}

double DropBefore(TVideoState* is, int serial) {
    std::lock_guard<std::mutex> lock(is->seek_mutex);
    return is->drop_serial == serial ? is->drop_before : -INFINITY;
}

static void ReadThread(TVideoState* is) {
    NamePlayerThread("qv-read");
    TCustomPlayer* owner = is->Owner;
    bool ok = false;
    const QByteArray name = ToLibraryFileName(is->filename);
    AVPacket* pkt = nullptr;
    AVDictionary* opts = nullptr;

    if (is->S.frame_width > 0 && is->S.frame_height > 0)
        ff::av_dict_set(&opts, "video_size",
                        QByteArray::number(is->S.frame_width).append('x').append(QByteArray::number(is->S.frame_height)).constData(), 0);
    if (is->S.frame_pix_fmt >= 0) ff::av_dict_set_int(&opts, "pixel_format", is->S.frame_pix_fmt, 0);

    do {
        int err;
        if (IsUnicodeName(name)) {
            err = OpenInputFile(&is->ic, name, is->iformat, &opts);
        } else {
            // Our own context, so that even the open gives up when the playback closes.
            is->ic = ff::avformat_alloc_context();
            is->ic->interrupt_callback.callback = DecodeInterrupt;
            is->ic->interrupt_callback.opaque = is;
            err = ff::avformat_open_input(&is->ic, name.constData(), is->iformat, &opts);
        }
        if (err < 0) {
            is->LastErrMsg = ErrorText(is->filename, err);
            break;
        }
        AVFormatContext* ic = is->ic;
        ic->interrupt_callback.callback = DecodeInterrupt;
        ic->interrupt_callback.opaque = is;
        if (is->S.genpts) ic->flags |= AVFMT_FLAG_GENPTS;
        if (ff::avformat_find_stream_info(ic, nullptr) < 0) {
            is->LastErrMsg = QStringLiteral("%1: could not find codec parameters").arg(is->filename);
            break;
        }
        if (ic->pb) ic->pb->eof_reached = 0;
        if (owner->seek_by_bytes() < 0) owner->Setseek_by_bytes((ic->iformat->flags & AVFMT_TS_DISCONT) ? 1 : 0);
        is->IsImage2 = std::strcmp(ic->iformat->name, "image2") == 0;
        is->IsDevice = std::strcmp(ic->iformat->name, "video4linux2,v4l2") == 0;
        is->StartTime = ic->start_time != AV_NOPTS_VALUE ? ic->start_time : 0;
        is->Duration = ic->duration != AV_NOPTS_VALUE ? ic->duration : -1;

        const std::int64_t start = owner->start_time();
        if (start != AV_NOPTS_VALUE) {
            std::int64_t ts = start;
            if (ic->start_time != AV_NOPTS_VALUE) ts += ic->start_time;
            if (ff::avformat_seek_file(ic, -1, INT64_MIN, ts, INT64_MAX, 0) < 0)
                owner->LogMsg(kLogError, QString::asprintf("%s: could not seek to position %0.3f",
                                                           name.constData(), ts / 1000000.0));
        }

        int chosen[AVMEDIA_TYPE_NB], count[AVMEDIA_TYPE_NB];
        std::int64_t best[AVMEDIA_TYPE_NB];
        for (int t = 0; t < AVMEDIA_TYPE_NB; ++t) chosen[t] = -1, count[t] = 0, best[t] = -1;
        for (unsigned i = 0; i < ic->nb_streams; ++i) {
            AVStream* st = ic->streams[i];
            st->discard = AVDISCARD_ALL;
            const int type = st->codecpar->codec_type;
            if (type < 0 || type >= AVMEDIA_TYPE_NB) continue;
            // A cover picture belongs to the sound: such a file plays as sound only.
            if (st->disposition & AV_DISPOSITION_ATTACHED_PIC) continue;
            const int before = count[type]++;
            const int wanted = owner->WantedStream(type);
            if (wanted >= 0 && wanted != before) continue;
            if ((type == AVMEDIA_TYPE_VIDEO || type == AVMEDIA_TYPE_SUBTITLE) && is->S.video_disable) continue;
            if (type == AVMEDIA_TYPE_AUDIO && is->S.audio_disable) continue;
            // The container's frame count stands in for the probe's decoded count.
            if (st->nb_frames > best[type]) {
                best[type] = st->nb_frames;
                chosen[type] = static_cast<int>(i);
            }
        }
        if (chosen[AVMEDIA_TYPE_AUDIO] >= 0) StreamComponentOpen(is, chosen[AVMEDIA_TYPE_AUDIO]);
        if (chosen[AVMEDIA_TYPE_VIDEO] >= 0) StreamComponentOpen(is, chosen[AVMEDIA_TYPE_VIDEO]);
        if (is->video_stream < 0 && !is->S.display_disable) is->show_audio = saRDFT;
        if (chosen[AVMEDIA_TYPE_SUBTITLE] >= 0) StreamComponentOpen(is, chosen[AVMEDIA_TYPE_SUBTITLE]);
        if (is->video_stream < 0 && is->audio_stream < 0) {
            is->LastErrMsg = QStringLiteral("%1: could not open codecs, no stream to play.").arg(is->filename);
            break;
        }
        ok = true;
    } while (false);
    ff::av_dict_free(&opts);

    if (!ok) {
        is->Opened = -1;
        WakeMainThreadWaits();
    } else {
        is->Opened = 1;
        WakeMainThreadWaits();
        // Reading starts once the host has seen the file (OnFileOpen, the probe).
        while (!is->abort_request && !is->Go.WaitFor(100)) {}
        pkt = ff::av_packet_alloc();
        bool eof = false;
        TLandingCheck landing;
        while (!is->abort_request) {
            // Read first: what happens from here on ends the rest below.
            const unsigned commands = is->commands, takes = is->takes;
            AVFormatContext* ic = is->ic;
            if (is->paused != is->last_paused) {
                is->last_paused = is->paused;
                if (is->paused)
                    is->read_pause_return = ff::av_read_pause(ic);
                else
                    ff::av_read_play(ic);
            }
            if (is->seek_req) {
                std::int64_t pos, rel, notBehind;
                int flags, serial;
                {
                    std::lock_guard<std::mutex> lock(is->seek_mutex);
                    pos = is->seek_pos;
                    rel = is->seek_rel;
                    flags = is->seek_flags;
                    serial = is->seek_serial;
                    notBehind = is->seek_not_behind;
                }
                const std::int64_t smin = rel > 0 ? pos - rel + 2 : INT64_MIN;
                const std::int64_t smax = rel < 0 ? pos - rel - 2 : INT64_MAX;
                int ret = ff::avformat_seek_file(ic, -1, smin, pos, smax, flags);
                if (ret < 0) ret = ff::av_seek_frame(ic, -1, pos, flags);
                if (ret < 0) ret = ff::av_seek_frame(ic, -1, pos, flags ^ AVSEEK_FLAG_BACKWARD);
                AVPacket* key = nullptr;
                // Only a step forward may land after its target.
                if (ret >= 0 && rel <= 1 && !(flags & AVSEEK_FLAG_BYTE)) key = SettleSeek(is, pos);
                if (ret < 0) {
                    owner->LogMsg(kLogError, QStringLiteral("%1: error while seeking").arg(is->filename));
                    if (is->video_stream >= 0) is->PictEvent.Set();
                    // Nothing moved: the clocks still tell the place.
                    std::lock_guard<std::mutex> lock(is->seek_mutex);
                    if (is->seek_serial == serial) {
                        is->seek_target_valid = false;
                        is->seek_paused = 0;
                    }
                } else {
                    landing = TLandingCheck{};
                    if (notBehind != AV_NOPTS_VALUE && pos > notBehind && !(flags & AVSEEK_FLAG_BYTE)) {
                        landing.serial = serial;
                        landing.stream = is->video_stream >= 0 ? is->video_stream.load() : is->audio_stream.load();
                        landing.notBehind = notBehind / 1000000.0;
                        landing.target = pos / 1000000.0;
                    }
                    if (key) CheckLanding(is, landing, key);
                    is->seek_done_serial = serial;
                    if (is->audio_stream >= 0) {
                        is->audioq.Flush();
                        is->audioq.PutFlush(serial);
                    }
                    if (is->subtitle_stream >= 0) {
                        is->subtitleq.Flush();
                        is->subtitleq.PutFlush(serial);
                    }
                    if (is->video_stream >= 0) {
                        is->seek_flushed = 0;
                        is->video_drained = 0;
                        is->videoq.Flush();
                        is->videoq.PutFlush(serial);
                        is->PictEvent.Reset();
                        if (key) is->videoq.Put(key);
                        key = nullptr;
                    }
                }
                if (key) ff::av_packet_free(&key);
                is->ErrorEOF = 0;
                is->ReachEOF = 0;
                is->EventEOF = 0;
                is->seek_done = 1;
                is->seek_req = 0;
                if (is->video_stream < 0) owner->SetSeekingFlag(false);
                is->SeekEvent.Set();
                // A paused playback shows (or reports) the new place.
                is->Command();
                eof = false;
            }

            const bool audioFull = is->audio_stream < 0 || is->audioq.Size() > 0x50000;
            const bool videoFull = is->video_stream < 0 || is->videoq.NbPackets() > 5;
            const bool subFull = is->subtitle_stream < 0 || is->subtitleq.NbPackets() > 5;
            if (is->audioq.Size() + is->videoq.Size() + is->subtitleq.Size() > 0xF00000 ||
                (audioFull && videoFull && subFull)) {
                is->ReadRest(10, commands, &takes);
                continue;
            }
            // Only a read says where the end is: a demuxer that seeks lazily (MP4)
            // leaves the input at the end it reached until its next read.
            if (eof) {
                // One end marker at a time: the decoder drains and reports on it.
                if (is->video_stream >= 0 && is->videoq.NbPackets() == 0) {
                    AVPacket* empty = ff::av_packet_alloc();
                    empty->stream_index = is->video_stream;
                    is->videoq.Put(empty);
                    is->PictEvent.Set();
                }
                // Only a command: each end marker taken would otherwise ask for the next at once.
                is->ReadRest(10, commands, nullptr);
                // Empty queues are not enough: the decoder may still hold pictures,
                // and each of them would announce the end once more.
                if (is->audioq.NbPackets() == 0 && is->videoq.NbPackets() == 0 && is->subtitleq.NbPackets() == 0 &&
                    (is->video_stream < 0 || is->video_drained) && !is->ReachEOF.exchange(1))
                    is->Command();  // a paused playback still announces the end
                continue;
            }
            is->Reading = 1;
            int ret = ff::av_read_frame(ic, pkt);
            is->Reading = 0;
            if (is->abort_request) break;
            if (ret == AVERROR(EAGAIN)) {
                is->Sleep(10);
                continue;
            }
            if (ret < 0) {
                if (is->video_stream >= 0) is->PictEvent.Set();
                if (!is->IsImage2 && !is->ErrorEOF) {
                    is->ErrorEOF = 1;
                    if (ret == AVERROR_EOF)
                        owner->LogMsg(kLogInfo, QStringLiteral("reach end of file: %1").arg(is->filename));
                    else
                        owner->LogMsg(kLogError,
                                      QStringLiteral("error #%1 while reading file: %2").arg(ret).arg(is->filename));
                }
                if (ret == AVERROR_EOF || (ic->pb && ff::avio_feof(ic->pb))) {
                    eof = true;
                    continue;
                }
                if (ic->pb && ic->pb->error) break;
                is->Sleep(100);
                continue;
            }
            CheckLanding(is, landing, pkt);
            AVPacket* copy = ff::av_packet_alloc();
            ff::av_packet_move_ref(copy, pkt);
            if (copy->stream_index == is->audio_stream)
                is->audioq.Put(copy);
            else if (copy->stream_index == is->video_stream)
                is->videoq.Put(copy);
            else if (copy->stream_index == is->subtitle_stream)
                is->subtitleq.Put(copy);
            else
                ff::av_packet_free(&copy);
        }
        ff::av_packet_free(&pkt);
        std::unique_lock<std::mutex> lock(is->abort_mutex);
        is->abort_cond.wait(lock, [is] { return is->abort_request.load() != 0; });
    }

    if (is->audio_stream >= 0) StreamComponentClose(is, is->audio_stream);
    if (is->video_stream >= 0) StreamComponentClose(is, is->video_stream);
    if (is->subtitle_stream >= 0) StreamComponentClose(is, is->subtitle_stream);
    // The input itself is closed with the state, once the probe has let go of it.
    if (is->ic) {
        is->ic->interrupt_callback.callback = nullptr;
        is->ic->interrupt_callback.opaque = nullptr;
    }
    if (!ok) {
        is->Opened = -2;
        WakeMainThreadWaits();
    }
}

bool StreamOpen(TVideoState* is) {
    is->read_tid = std::thread(ReadThread, is);
    WaitInMainThread([is] { return is->Opened.load() != 0; }, -1, 10);
    if (is->Opened == 1) return true;
    WaitInMainThread([is] { return is->Opened.load() == -2; }, -1, 10);
    if (is->read_tid.joinable()) is->read_tid.join();
    return false;
}

void StreamClose(TVideoState* is) {
    {
        std::lock_guard<std::mutex> lock(is->abort_mutex);
        is->abort_request = 1;
    }
    is->abort_cond.notify_all();
    is->read_cond.notify_all();
    is->Go.Set();
    is->videoq.Abort();
    is->audioq.Abort();
    is->subtitleq.Abort();
    if (is->read_tid.joinable()) is->read_tid.join();
    if (is->refresh_tid.joinable()) is->refresh_tid.join();
    ClearPictures(is);
}

void StreamSeek(TVideoState* is, std::int64_t pos, std::int64_t rel, int flags, bool wait, std::int64_t notBehind) {
    if (is->seek_req) return;
    is->Owner->SetSeekingFlag(true);
    {
        std::lock_guard<std::mutex> lock(is->seek_mutex);
        is->seek_paused = is->paused.load();
        is->seek_pos = pos;
        is->seek_rel = rel;
        is->seek_flags = flags & 0xF;
        ++is->seek_serial;
        is->seek_target = static_cast<double>(pos) / 1000000.0;
        is->seek_target_valid = !(flags & AVSEEK_FLAG_BYTE);
        is->seek_not_behind = notBehind;
    }
    is->SeekEvent.Reset();
    is->seek_req = 1;
    is->Command();
    if (!wait) return;
    auto aborted = [is] { return is->abort_request.load() != 0 || is->Closed.load(); };
    if (IsMainThread()) {
        WaitInMainThread([&] { return aborted() || is->SeekEvent.IsSet(); }, -1, 100);
        if (is->video_stream >= 0)
            WaitInMainThread([&] { return aborted() || is->PictEvent.IsSet(); }, -1, 100);
    } else {
        while (!aborted() && !is->SeekEvent.WaitFor(100)) {}
        if (is->video_stream >= 0)
            while (!aborted() && !is->PictEvent.WaitFor(100)) {}
    }
}

int NewestSeekSerial(TVideoState* is) {
    std::lock_guard<std::mutex> lock(is->seek_mutex);
    return is->seek_serial;
}

double RelativeSeekBase(TVideoState* is) {
    std::lock_guard<std::mutex> lock(is->seek_mutex);
    if (is->seek_target_valid && MasterClockSerial(is) < is->seek_serial) return is->seek_target;
    return GetMasterClock(is);
}

void StreamTogglePause(TVideoState* is) {
    if (!is->SeekEvent.WaitFor(250)) is->SeekEvent.Set();
    if (is->Closed || is->abort_request) return;
    if (is->paused) {
        const double now = NowSeconds();
        {
            // Pictures wait as long as the pause lasted. Before the first picture is
            // shown the clock has no time of its own: measure from the pause.
            const double drift = is->video_current_pts_drift;
            std::lock_guard<std::mutex> lock(is->pictq_mutex);
            is->frame_timer += drift != 0 ? now + drift - is->video_current_pts : now - is->paused_at;
        }
        if (is->read_pause_return != AVERROR(ENOSYS)) is->video_current_pts = is->video_current_pts_drift + now;
        is->video_current_pts_drift = is->video_current_pts - now;
        is->paused = 0;
    } else {
        if (is->video_stream >= 0) {
            if (!is->PictEvent.WaitFor(250)) is->PictEvent.Set();
            if (is->Closed || is->abort_request) return;
        }
        is->paused_at = NowSeconds();
        is->paused = 1;
    }
    SyncAudioOutput(is);
    is->Command();
}

bool SwitchStream(TVideoState* is, int kind, int index, QString& err) {
    int current;
    switch (kind) {
    case AVMEDIA_TYPE_VIDEO: current = is->video_stream; break;
    case AVMEDIA_TYPE_AUDIO: current = is->audio_stream; break;
    case AVMEDIA_TYPE_SUBTITLE: current = is->subtitle_stream; break;
    default: err = QStringLiteral("the stream type is invalid."); return false;
    }
    const int lowest = kind == AVMEDIA_TYPE_SUBTITLE ? -1 : 0;
    if (current < lowest) {
        err = QStringLiteral("the current stream is not valid.");
        return false;
    }
    if (index < lowest || index >= static_cast<int>(is->ic->nb_streams)) {
        err = QStringLiteral("the stream index is not valid.");
        return false;
    }
    if (index == current) return true;
    if (index >= 0) {
        const AVCodecParameters* par = is->ic->streams[index]->codecpar;
        if (par->codec_type != kind) {
            err = QStringLiteral("the stream type is not matched.");
            return false;
        }
        if (kind == AVMEDIA_TYPE_AUDIO && (par->sample_rate <= 0 || par->ch_layout.nb_channels <= 0)) {
            err = QStringLiteral("the audio stream is not invalid.");
            return false;
        }
    }
    std::lock_guard<std::mutex> lock(is->DataLock);
    if (current >= 0) StreamComponentClose(is, current);
    if (index >= 0) StreamComponentOpen(is, index);
    // A paused read thread reads for the new stream.
    is->Command();
    return true;
}
