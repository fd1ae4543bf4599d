// Subtitles of a playback: decoding bitmap subtitles into the four-slot queue
// and blending them into the picture being shown.
#include "engine/PlayerState.h"

#include "engine/FFmpegLoader.h"

#include <cstring>

std::uint32_t RGBAToYUVA(std::uint32_t argb) {
    const int a = static_cast<int>(argb >> 24), r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    // Studio-range BT.601 with ten fraction bits; the shifts keep the sign.
    const int y = (263 * r + 517 * g + 101 * b + 16896) >> 10;
    const int u = ((-152 * r - 298 * g + 450 * b + 511) >> 10) + 128;
    const int v = ((450 * r - 377 * g - 74 * b + 511) >> 10) + 128;
    return (static_cast<std::uint32_t>(a) << 24) | (static_cast<std::uint32_t>(y & 0xFF) << 16) |
           (static_cast<std::uint32_t>(u & 0xFF) << 8) | static_cast<std::uint32_t>(v & 0xFF);
}

void FreeSubPicture(TSubPicture* sp) {
    ff::avsubtitle_free(&sp->sub);
    std::memset(&sp->sub, 0, sizeof sp->sub);
    sp->pts = 0;
}

void BlendSubRect(std::uint8_t* dst[3], const int linesize[3], const AVSubtitleRect* rect, int imgw, int imgh) {
    if (!rect || !rect->data[0] || !rect->data[1]) return;
    // Clipped at both ends: a rectangle may start left of or above the picture.
    const int x0 = std::clamp(rect->x, 0, imgw), y0 = std::clamp(rect->y, 0, imgh);
    const int w = std::clamp(rect->x + rect->w, 0, imgw) - x0, h = std::clamp(rect->y + rect->h, 0, imgh) - y0;
    if (w <= 0 || h <= 0) return;
    const auto* pal = reinterpret_cast<const std::uint32_t*>(rect->data[1]);
    const int colours = rect->nb_colors;
    // An index past the palette is transparent.
    auto entry = [&](int px, int py) -> std::uint32_t {
        const int idx = rect->data[0][(py - rect->y) * rect->linesize[0] + (px - rect->x)];
        return idx < colours ? pal[idx] : 0u;
    };
    for (int py = y0; py < y0 + h; ++py) {
        std::uint8_t* row = dst[0] + static_cast<std::ptrdiff_t>(py) * linesize[0];
        for (int px = x0; px < x0 + w; ++px) {
            const std::uint32_t c = entry(px, py);
            const int a = c >> 24, yp = (c >> 16) & 0xFF;
            row[px] = static_cast<std::uint8_t>((row[px] * (255 - a) + yp * a) / 255);
        }
    }
    for (int cy = y0 / 2; cy <= (y0 + h - 1) / 2; ++cy) {
        for (int cx = x0 / 2; cx <= (x0 + w - 1) / 2; ++cx) {
            int n = 0, su = 0, sv = 0, sa = 0;
            for (int py = std::max(2 * cy, y0); py <= std::min(2 * cy + 1, y0 + h - 1); ++py)
                for (int px = std::max(2 * cx, x0); px <= std::min(2 * cx + 1, x0 + w - 1); ++px) {
                    const std::uint32_t c = entry(px, py);
                    sa += c >> 24;
                    su += (c >> 8) & 0xFF;
                    sv += c & 0xFF;
                    ++n;
                }
            if (!n) continue;
            const int a = sa >> 2;
            std::uint8_t& u = dst[1][static_cast<std::ptrdiff_t>(cy) * linesize[1] + cx];
            std::uint8_t& v = dst[2][static_cast<std::ptrdiff_t>(cy) * linesize[2] + cx];
            u = static_cast<std::uint8_t>((u * n * (255 - a) + su * a) / (255 * n));
            v = static_cast<std::uint8_t>((v * n * (255 - a) + sv * a) / (255 * n));
        }
    }
}

void SubtitleThread(TVideoState* is) {
    NamePlayerThread("qv-subtitle");
    for (;;) {
        is->HoldWhilePaused(is->subtitleq, false);
        AVPacket* pkt = nullptr;
        bool flush = false;
        if (is->subtitleq.Get(pkt, flush, true) < 0) break;
        if (flush) {
            ff::avcodec_flush_buffers(is->subtitle_dec);
            continue;
        }
        {
            std::unique_lock<std::mutex> lock(is->subpq_mutex);
            is->subpq_cond.wait(lock, [is] { return is->subpq_size < 4 || is->subtitleq.Aborted(); });
        }
        if (is->subtitleq.Aborted()) {
            ff::av_packet_free(&pkt);
            break;
        }
        const double pts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts * av_q2d(is->subtitle_st->time_base) : 0;
        AVSubtitle sub{};
        int got = 0;
        const int ret = ff::avcodec_decode_subtitle2(is->subtitle_dec, &sub, &got, pkt);
        ff::av_packet_free(&pkt);
        if (ret >= 0 && got && sub.format == 0) {
            for (unsigned i = 0; i < sub.num_rects; ++i) {
                AVSubtitleRect* r = sub.rects[i];
                if (!r->data[1]) continue;
                auto* pal = reinterpret_cast<std::uint32_t*>(r->data[1]);
                for (int j = 0; j < r->nb_colors; ++j) pal[j] = RGBAToYUVA(pal[j]);
            }
            std::lock_guard<std::mutex> lock(is->subpq_mutex);
            TSubPicture& sp = is->subpq[is->subpq_windex];
            sp.pts = pts;
            sp.sub = sub;
            is->subpq_windex = (is->subpq_windex + 1) % 4;
            ++is->subpq_size;
        } else if (got) {
            // Only bitmap subtitles are shown; the rest is freed at once.
            ff::avsubtitle_free(&sub);
        }
    }
}
