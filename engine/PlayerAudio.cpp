// The sound of a playback: SDL2's audio callback, decoding and converting to
// 16-bit samples, correcting towards the master clock, and the waveform and
// spectrum drawn when there is no picture.
#include "engine/PlayerState.h"

#include "engine/FFmpegLoader.h"

extern "C" {
#include <libavcodec/avfft.h>
#include <libswresample/swresample.h>
}

#include <SDL.h>

#include <cmath>
#include <cstring>

static void UpdateSampleDisplay(TVideoState* is, const std::uint8_t* data, int bytes) {
    const auto* samples = reinterpret_cast<const std::int16_t*>(data);
    int count = bytes / 2;
    std::lock_guard<std::mutex> lock(is->sample_mutex);
    while (count > 0) {
        int len = std::min(kSampleArraySize - is->sample_array_index, count);
        std::memcpy(is->sample_array.data() + is->sample_array_index, samples, len * sizeof(std::int16_t));
        samples += len;
        is->sample_array_index += len;
        if (is->sample_array_index >= kSampleArraySize) is->sample_array_index = 0;
        count -= len;
    }
}

// Converts one decoded frame into is->audio_buf; byte count or -1.
static int ConvertFrame(TVideoState* is, AVFrame* frame) {
    if (!is->swr || frame->format != is->swr_fmt || frame->sample_rate != is->swr_rate ||
        frame->ch_layout.nb_channels != is->swr_channels) {
        if (is->swr) ff::swr_free(&is->swr);
        AVChannelLayout out{};
        ff::av_channel_layout_default(&out, is->audio_channels);
        const int ret = ff::swr_alloc_set_opts2(&is->swr, &out, AV_SAMPLE_FMT_S16, is->audio_rate, &frame->ch_layout,
                                                static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0,
                                                nullptr);
        ff::av_channel_layout_uninit(&out);
        if (ret < 0 || ff::swr_init(is->swr) < 0) {
            if (is->swr) ff::swr_free(&is->swr);
            const char* from = ff::av_get_sample_fmt_name(static_cast<AVSampleFormat>(frame->format));
            is->Owner->LogMsg(kLogError, QStringLiteral("Cannot convert %1 sample format to %2 sample format")
                                             .arg(QString::fromLatin1(from ? from : "?"), QStringLiteral("s16")));
            return -1;
        }
        is->swr_fmt = frame->format;
        is->swr_rate = frame->sample_rate;
        is->swr_channels = frame->ch_layout.nb_channels;
    }
    const int outCount = static_cast<int>(
        static_cast<std::int64_t>(frame->nb_samples) * is->audio_rate / frame->sample_rate + 256);
    is->audio_buf.resize(static_cast<std::size_t>(outCount) * 2 * is->audio_channels);
    std::uint8_t* out = is->audio_buf.data();
    const int n = ff::swr_convert(is->swr, &out, outCount, const_cast<const std::uint8_t**>(frame->extended_data),
                                  frame->nb_samples);
    if (n < 0) {
        is->Owner->LogMsg(kLogError, QStringLiteral("av_audio_convert() failed"));
        return -1;
    }
    return n * 2 * is->audio_channels;
}

// Bytes of the next buffer in is->audio_buf, -1 when there is none now.
static int AudioDecodeFrame(TVideoState* is, double& pts) {
    AVCodecContext* dec = is->audio_dec;
    if (!is->audio_frame) is->audio_frame = ff::av_frame_alloc();
    AVFrame* frame = is->audio_frame;
    for (;;) {
        while (is->audio_pkt_pending) {
            const int ret = ff::avcodec_receive_frame(dec, frame);
            if (ret < 0) {
                is->audio_pkt_pending = false;
                if (ret != AVERROR(EAGAIN) && ret != AVERROR_EOF)
                    is->Owner->LogMsg(kLogInfo, QStringLiteral("avcodec_decode_audio2() failed"));
                break;
            }
            // Sound before a seek's target is dropped where the seek must not
            // land behind where playback was (the clock takes none of it).
            double skip = 0;
            if (frame->pts != AV_NOPTS_VALUE && is->audio_st) {
                const double start = frame->pts * av_q2d(is->audio_st->time_base);
                const double before = DropBefore(is, is->audio_flush_serial);
                if (start < before && frame->sample_rate > 0) {
                    if (start + static_cast<double>(frame->nb_samples) / frame->sample_rate <= before) {
                        ff::av_frame_unref(frame);
                        continue;
                    }
                    skip = before - start;
                }
                is->audio_clock = start + skip;
                is->audio_clock_serial = is->audio_flush_serial;
                is->audio_clock_set = true;
            }
            int size = ConvertFrame(is, frame);
            ff::av_frame_unref(frame);
            if (size > 0 && skip > 0) {
                const int frameBytes = 2 * is->audio_channels;
                const int cut = std::min(size, static_cast<int>(std::lrint(skip * is->audio_rate)) * frameBytes);
                std::memmove(is->audio_buf.data(), is->audio_buf.data() + cut, size - cut);
                size -= cut;
            }
            if (size <= 0) continue;
            pts = is->audio_clock;
            is->audio_clock = is->audio_clock + static_cast<double>(size) / (2.0 * is->audio_channels * is->audio_rate);
            return size;
        }
        if (is->paused || is->audioq.Aborted()) return -1;
        AVPacket* pkt = nullptr;
        bool flush = false;
        int serial = 0;
        if (is->audioq.Get(pkt, flush, false, &serial) <= 0) return -1;
        if (flush) {
            is->audio_flush_serial = serial;
            ff::avcodec_flush_buffers(dec);
            continue;
        }
        if (pkt->pts != AV_NOPTS_VALUE && is->audio_st &&
            pkt->pts * av_q2d(is->audio_st->time_base) >= DropBefore(is, is->audio_flush_serial)) {
            is->audio_clock = pkt->pts * av_q2d(is->audio_st->time_base);
            is->audio_clock_serial = is->audio_flush_serial;
            is->audio_clock_set = true;
        }
        const int ret = ff::avcodec_send_packet(dec, pkt);
        ff::av_packet_free(&pkt);
        if (ret < 0) {
            is->Owner->LogMsg(kLogInfo, QStringLiteral("avcodec_decode_audio2() failed"));
            continue;
        }
        is->audio_pkt_pending = true;
    }
}

int SynchronizeAudio(TVideoState* is, std::vector<std::uint8_t>& buf, int size, double) {
    const bool slave = (is->av_sync_type == AV_SYNC_VIDEO_MASTER && is->video_stream >= 0) ||
                       is->av_sync_type == AV_SYNC_EXTERNAL_CLOCK;
    if (!slave) return size;
    const double diff = GetAudioClock(is) - GetMasterClock(is);
    if (!(std::fabs(diff) < 10.0)) {
        is->audio_diff_avg_count = 0;
        is->audio_diff_cum = 0;
        return size;
    }
    is->audio_diff_cum = diff + is->audio_diff_avg_coef * is->audio_diff_cum;
    if (is->audio_diff_avg_count < 20) {
        ++is->audio_diff_avg_count;
        return size;
    }
    const double avg = is->audio_diff_cum * (1.0 - is->audio_diff_avg_coef);
    if (std::fabs(avg) < is->audio_diff_threshold) return size;
    const int n = 2 * is->audio_channels;
    int wanted = size + static_cast<int>(std::lrint(diff * is->audio_rate)) * n;
    const int lo = (size / n * 90 / 100) * n, hi = (size / n * 110 / 100) * n;
    wanted = std::clamp(wanted, lo, hi);
    if (wanted > size && size >= n) {
        // The buffer grows to fit: repeat the last sample frame.
        if (buf.size() < static_cast<std::size_t>(wanted)) buf.resize(wanted);
        for (int i = size; i + n <= wanted; i += n) std::memcpy(buf.data() + i, buf.data() + size - n, n);
    }
    return wanted;
}

static void AudioCallback(void* opaque, Uint8* stream, int len) {
    auto* is = static_cast<TVideoState*>(opaque);
    // SDL2 hands over whatever the buffer held.
    std::memset(stream, 0, len);
    is->audio_callback_time = ff::av_gettime_relative();
    while (len > 0) {
        if (is->audio_buf_index >= static_cast<int>(is->audio_buf_size)) {
            double pts = 0;
            int size = AudioDecodeFrame(is, pts);
            if (is->audioq.Aborted()) return;
            if (size < 0) {
                is->audio_buf.assign(1024, 0);
                size = 1024;
            } else {
                if (is->show_audio) UpdateSampleDisplay(is, is->audio_buf.data(), size);
                size = SynchronizeAudio(is, is->audio_buf, size, pts);
            }
            is->audio_buf_size = size;
            is->audio_buf_index = 0;
        }
        const int n = std::min(static_cast<int>(is->audio_buf_size) - is->audio_buf_index, len);
        if (!is->Owner->Mute())
            ff::SDL_MixAudioFormat(stream, is->audio_buf.data() + is->audio_buf_index, AUDIO_S16SYS, n,
                                   is->Owner->AudioVolume());
        len -= n;
        stream += n;
        is->audio_buf_index += n;
        is->audio_buf_left = static_cast<int>(is->audio_buf_size) - is->audio_buf_index;
    }
}

int OpenAudio(TVideoState* is, AVCodecContext* dec, QString& err) {
    const int channels = dec->ch_layout.nb_channels;
    SDL_AudioSpec wanted{}, obtained{};
    wanted.freq = dec->sample_rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(channels == 1 || channels == 2 ? channels : 2);
    wanted.silence = 0;
    wanted.samples = 1024;
    wanted.callback = AudioCallback;
    wanted.userdata = is;
    if (wanted.freq <= 0) {
        err = QStringLiteral("Invalid sample rate");
        return -1;
    }
    // No changes allowed: SDL converts to whatever the device takes, and a
    // device opened again after a pause takes the same samples.
    const SDL_AudioDeviceID dev = ff::SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (dev == 0) {
        err = QString::fromUtf8(ff::SDL_GetError());
        return -1;
    }
    {
        std::lock_guard<std::mutex> lock(is->audio_device_mutex);
        is->audio_device = dev;
        is->audio_spec = wanted;
    }
    is->audio_channels = wanted.channels;
    is->audio_rate = wanted.freq;
    is->audio_hw_buf_size = static_cast<int>(obtained.size);
    return 0;
}

void CloseAudio(TVideoState* is) {
    {
        std::lock_guard<std::mutex> lock(is->audio_device_mutex);
        if (is->audio_device) ff::SDL_CloseAudioDevice(is->audio_device);
        is->audio_device = 0;
        is->audio_spec = SDL_AudioSpec{};
    }
    if (is->swr) ff::swr_free(&is->swr);
    is->audio_pkt_pending = false;
    is->audio_buf_size = 0;
    is->audio_buf_index = 0;
    is->audio_buf_left = 0;
}

// ---------------------------------------------------------------------------
// Audio displays (play loop)

static inline int Wrap(int i) {
    i %= kSampleArraySize;
    return i < 0 ? i + kSampleArraySize : i;
}

void AudioDisplay(TVideoState* is) {
    const int width = is->width, height = is->height;
    const int channels = std::max(1, is->audio_channels);
    if (width <= 0 || height <= 0 || !is->sink) return;
    if (is->audio_image.size() != QSize(width, height)) {
        is->audio_image = QImage(width, height, QImage::Format_RGB32);
        is->audio_image.fill(Qt::black);
        is->xpos = 0;
    }
    int rdftBits = 1;
    while ((1 << rdftBits) < 2 * height) ++rdftBits;
    const int nbFreq = 1 << (rdftBits - 1);
    const int showAudio = is->show_audio;

    std::lock_guard<std::mutex> lock(is->sample_mutex);
    const auto& s = is->sample_array;
    int iStart;
    if (is->paused) {
        iStart = is->last_i_start;
    } else {
        const int dataUsed = showAudio == saWave ? width : 2 * nbFreq;
        int delay = is->audio_buf_left / (2 * channels);
        if (const std::int64_t t = is->audio_callback_time) {
            const std::int64_t elapsed = ff::av_gettime_relative() - t;
            delay -= static_cast<int>(is->audio_rate * elapsed / 1000000);
        }
        delay += 2 * dataUsed;
        if (delay < dataUsed) delay = dataUsed;
        iStart = Wrap(is->sample_array_index - delay * channels);
        if (showAudio == saWave) {
            int hMax = INT_MIN;
            int x = iStart;
            for (int i = 0; i < 1000; i += channels) {
                const int idx = Wrap(iStart - i);
                const int a = s[idx], b = s[Wrap(idx + 4 * channels)], c = s[Wrap(idx + 5 * channels)],
                          d = s[Wrap(idx + 9 * channels)];
                const int score = a - d;
                if (score > hMax && (b ^ c) < 0) {
                    hMax = score;
                    x = idx;
                }
            }
            iStart = x;
        }
        is->last_i_start = iStart;
    }

    QImage& img = is->audio_image;
    if (showAudio == saWave) {
        img.fill(Qt::black);
        const int h = height / channels, h2 = h * 9 / 20;
        for (int ch = 0; ch < channels; ++ch) {
            int i = Wrap(iStart + ch);
            const int y1 = ch * h + h / 2;
            for (int x = 0; x < width; ++x) {
                const int v = (s[i] * h2) >> 15;
                const int from = v < 0 ? y1 + v : y1, to = v < 0 ? y1 : y1 + v;
                for (int y = std::max(0, from); y <= std::min(height - 1, to); ++y)
                    reinterpret_cast<QRgb*>(img.scanLine(y))[x] = qRgb(255, 255, 255);
                i = Wrap(i + channels);
            }
        }
        for (int ch = 1; ch < channels; ++ch) {
            const int y = ch * h;
            if (y < height)
                for (int x = 0; x < width; ++x) reinterpret_cast<QRgb*>(img.scanLine(y))[x] = qRgb(255, 255, 255);
        }
    } else if (showAudio == saRDFT) {
        const int shown = std::min(channels, 2);
        if (rdftBits != is->rdft_bits || !is->rdft) {
            if (is->rdft) ff::av_rdft_end(is->rdft);
            ff::av_free(is->rdft_data);
            is->rdft = ff::av_rdft_init(rdftBits, DFT_R2C);
            is->rdft_bits = rdftBits;
            is->rdft_data = static_cast<float*>(ff::av_mallocz(4 * nbFreq * sizeof(float)));
        }
        if (!is->rdft || !is->rdft_data) return;
        float* data[2] = {is->rdft_data, is->rdft_data + 2 * nbFreq};
        for (int ch = 0; ch < shown; ++ch) {
            int i = Wrap(iStart + ch);
            for (int x = 0; x < 2 * nbFreq; ++x) {
                const double w = static_cast<double>(x - nbFreq) / nbFreq;
                data[ch][x] = static_cast<float>(s[i] * (1.0 - w * w));
                i = Wrap(i + channels);
            }
            ff::av_rdft_calc(is->rdft, data[ch]);
        }
        const double norm = std::sqrt(static_cast<double>(nbFreq));
        for (int y = 0; y < height; ++y) {
            auto mag = [&](int ch) {
                const double re = data[ch][2 * y], im = data[ch][2 * y + 1];
                return std::min(255, static_cast<int>(std::lrint(std::sqrt(std::sqrt(re * re + im * im) / norm))));
            };
            const int a = mag(0), b = shown > 1 ? mag(1) : a;
            const int row = height - 1 - y;
            reinterpret_cast<QRgb*>(img.scanLine(row))[is->xpos] = qRgb(a, b, (a + b) / 2);
        }
        if (++is->xpos >= width) is->xpos = 0;
    }
    is->sink->Present(img.copy(), QRect(0, 0, width, height), width, height);
}

// SDL2 keeps a paused device's thread running (it plays silence, waking for
// every buffer): only a closed device lets it sleep. The callback's state
// (the current buffer, the clock) stays, so the sound goes on where it stopped.
void SyncAudioOutput(TVideoState* is) {
    std::lock_guard<std::mutex> lock(is->audio_device_mutex);
    if (is->audio_spec.freq <= 0) return;
    const bool play = !is->paused && !is->Quitting && !is->abort_request;
    if (!play) {
        if (is->audio_device) ff::SDL_CloseAudioDevice(is->audio_device);  // waits for a running callback
        is->audio_device = 0;
        return;
    }
    if (!is->audio_device) {
        SDL_AudioSpec obtained{};
        is->audio_device = ff::SDL_OpenAudioDevice(nullptr, 0, &is->audio_spec, &obtained, 0);
        if (!is->audio_device) {
            is->Owner->LogMsg(kLogError, QStringLiteral("SDL_OpenAudio() failed: ") + QString::fromUtf8(ff::SDL_GetError()));
            return;
        }
    }
    ff::SDL_PauseAudioDevice(is->audio_device, 0);
}
