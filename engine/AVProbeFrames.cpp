// TAVProbe: seeking, picture decoding and bitmap copies.
#include "engine/AVProbe.h"

#include "engine/FFLogger.h"
#include "engine/FFUtils.h"
#include "engine/FFmpegLoader.h"
#include "engine/ScalerImage.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace {

// Non-blocking reads may answer "try again"; local files never do, a network
// source can for a while. Bounded so a stalled source cannot hold the UI thread.
constexpr int kRetryLimit = 300;
constexpr auto kRetryPause = std::chrono::milliseconds(10);

// Steps back one frame at a time first (the nearest key frame is usually a
// step or two away), then in doubling steps, so a file whose seeks never land
// before the reference ends the search after a few dozen tries.
constexpr std::int64_t kLinearSteps = 16;

constexpr int kPictureAlign = 64;

std::int64_t IOPosition(AVIOContext* pb) {
    return ff::avio_seek(pb, 0, SEEK_CUR);
}

struct PacketHolder {
    AVPacket* pkt = ff::av_packet_alloc();
    ~PacketHolder() { ff::av_packet_free(&pkt); }
    PacketHolder() = default;
    PacketHolder(const PacketHolder&) = delete;
    PacketHolder& operator=(const PacketHolder&) = delete;
};

struct FrameHolder {
    AVFrame* frame = ff::av_frame_alloc();
    ~FrameHolder() { ff::av_frame_free(&frame); }
    FrameHolder() = default;
    FrameHolder(const FrameHolder&) = delete;
    FrameHolder& operator=(const FrameHolder&) = delete;
};

}  // namespace

// Probes are made with their form, before the libraries are loaded: nothing
// here may call a library entry until a file was opened.
TAVProbe::TAVProbe(QObject* AOwner) : TCustomAVProbe(AOwner), FRGBContext(new TRGBConvertContext{}) {}

TAVProbe::~TAVProbe() {
    TAVProbe::CloseFile();
    if (FPending) ff::av_packet_free(&FPending);
    if (FPicture.Buffer) ff::av_free(FPicture.Buffer);
    FPicture.Buffer = nullptr;
    delete FRGBContext;
}

void TAVProbe::CloseCodec() {
    if (!FCodec) return;
    std::lock_guard<std::recursive_mutex> lock(CodecLock);
    ff::avcodec_free_context(&FCodec);
    FCodecStream = -1;
    FDraining = false;
}

void TAVProbe::ResetPicture() {
    if (FPicture.PTS != AV_NOPTS_VALUE) FLastPTS = FPicture.PTS;
    if (FPicture.Position != -1) FLastPos = FPicture.Position;
    FPicture.PixFmt = AV_PIX_FMT_NONE;
    FPicture.Width = FPicture.Height = -1;
    FPicture.StreamIndex = -1;
    FPicture.Position = -1;
    FPicture.IsKeyFrame = false;
    FPicture.PictureType = ptUnknown;
    FPicture.PTS = FPicture.OriginalDTS = FPicture.OriginalPTS = AV_NOPTS_VALUE;
    FPicture.Ready = false;
}

void TAVProbe::CloseFile() {
    FSeekIndex = -1;
    FStartTime = -1;
    FDecodeIndex = -1;
    FEOF = false;
    ResetPicture();
    FLastPTS = AV_NOPTS_VALUE;
    FLastPos = -1;
    FSeekPTS = AV_NOPTS_VALUE;
    FLastSeek = {};
    FDecodes.clear();
    FRestore = false;
    DropPending();
    CloseCodec();
    ResetRGBConvertContext(FRGBContext);
    TCustomAVProbe::CloseFile();
}

void TAVProbe::UpdateFileInfo() {
    TCustomAVProbe::UpdateFileInfo();
    AVFormatContext* ctx = FileHandle();
    FSeekIndex = FirstVideoStreamIndex() >= 0 ? FirstVideoStreamIndex() : FirstAudioStreamIndex();
    FStartTime = 0;
    if (!ctx) return;
    FSeekPTS = 0;
    const std::int64_t start = FSeekIndex >= 0 ? ctx->streams[FSeekIndex]->start_time : ctx->start_time;
    if (start != AV_NOPTS_VALUE) FStartTime = start;
}

std::int64_t TAVProbe::Position() {
    AVFormatContext* ctx = FileHandle();
    if (!CheckFileLoaded()) return -1;
    if (!ctx->pb) {
        LogError(24, QStringLiteral("cannot get position"));
        return -1;
    }
    return IOPosition(ctx->pb);
}

bool TAVProbe::IsSeekable() {
    if (!CheckFileLoaded()) return false;
    if (!OwnsHandle()) {
        const QString msg = QStringLiteral("file cannot be seeked, handle is readonly.");
        LogError(24, msg);
        throw EEngineError(msg);
    }
    return true;
}

bool TAVProbe::IsSeekableFormat() {
    if (!IsSeekable()) return false;
    if (FormatName().compare(QLatin1String("image2"), Qt::CaseInsensitive) == 0) {
        LogError(32, QStringLiteral("\"image2\" format cannot to be seeked."));
        return false;
    }
    return true;
}

int TAVProbe::SelectDecodeStream(int AStreamIndex) {
    if (!IsSeekable()) return -1;
    if (AStreamIndex < 0) AStreamIndex = FDecodeIndex;
    AStreamIndex = StreamOfKind(AStreamIndex, AVMEDIA_TYPE_VIDEO);
    if (AStreamIndex < 0) return -1;
    if (AStreamIndex != FDecodeIndex) ResetPicture();
    FDecodeIndex = AStreamIndex;
    return AStreamIndex;
}

std::int64_t TAVProbe::StreamInterval(int AIndex) const {
    return FrameIntervalUs(FileHandle()->streams[AIndex]->r_frame_rate);
}

bool TAVProbe::Seek(std::int64_t APTS, TSeekFlags ASeekFlags) {
    if (!IsSeekableFormat()) return false;
    AVFormatContext* ctx = FileHandle();
    if (ctx->pb) LogError(48, QStringLiteral("currunt position %1 bytes").arg(IOPosition(ctx->pb)));

    std::int64_t ts = APTS < 0 ? 0 : APTS;
    if (!ASeekFlags.Contains(sfByte)) {
        if (FSeekIndex >= 0)
            ts = ff::av_rescale_q(ts, AVRational{1, 1000000}, ctx->streams[FSeekIndex]->time_base);
        if (FStartTime > 0) ts += FStartTime;
    }

    const bool backward = APTS <= 0 || ASeekFlags.Contains(sfBackward);
    int r = 0;
    if (APTS > 0) {
        r = ff::av_seek_frame(ctx, FSeekIndex, ts, SeekFlagsToInt(ASeekFlags));
    } else {
        TSeekFlags back = ASeekFlags;
        back.Include(sfBackward);
        r = ff::av_seek_frame(ctx, FSeekIndex, ts, SeekFlagsToInt(back));
        if (r < 0) {
            TSeekFlags forward = ASeekFlags;
            forward.Exclude(sfBackward);
            r = ff::av_seek_frame(ctx, FSeekIndex, ts, SeekFlagsToInt(forward));
        }
    }
    // Some demuxers are left at the end of the file by a failed seek (Matroska
    // whose key frame has no time): the start is always there to open anew.
    const bool toStart = APTS <= 0;
    bool reopened = false;
    if (r < 0 && toStart) reopened = ReopenFile();
    if (r < 0 && !reopened) {
        if (ASeekFlags.Contains(sfByte))
            LogError(16, QStringLiteral("could not seek to position %1 bytes").arg(APTS));
        else
            LogError(16, QString::asprintf("could not seek to position %0.3f seconds", APTS / 1000000.0));
        // The held picture and the decoder stay as they were; the input is
        // put back before the next read (the demuxer may have read to the end).
        FRestore = true;
        return false;
    }

    if (FCodec) ff::avcodec_flush_buffers(FCodec);
    FDraining = false;
    FEOF = false;
    FRestore = false;
    DropPending();
    ResetPicture();
    FSeekPTS = ASeekFlags.Contains(sfByte) ? AV_NOPTS_VALUE : std::max<std::int64_t>(APTS, 0);
    FLastSeek = {true, APTS, ASeekFlags};
    FDecodes.clear();

    ctx = FileHandle();
    if (backward && !reopened && !ASeekFlags.Contains(sfByte) && FSeekIndex >= 0) {
        if (!FPending) FPending = ff::av_packet_alloc();
        TSeekFlags back = ASeekFlags;
        back.Include(sfBackward);
        bool landed = true;
        if (FPending && !SettleOnKeyPacket(ctx, FSeekIndex, FSeekIndex, ts, SeekFlagsToInt(back), FPending, &landed) &&
            !landed && toStart && ReopenFile())
            ctx = FileHandle();
    }
    // No end-of-file test here: demuxers that seek lazily (MP4) leave the
    // input at the end it reached until the next read, which starts afresh.
    if (ctx->pb) LogError(48, QStringLiteral("seek to position %1 bytes").arg(IOPosition(ctx->pb)));
    return true;
}

void TAVProbe::RestorePosition() {
    FRestore = false;
    // Replaying gives the same pictures, so the held one is decoded again.
    if (!ReopenFile()) return;
    const TSeekCall seek = FLastSeek;
    const std::vector<std::pair<int, int>> decodes = std::move(FDecodes);
    const std::int64_t lastPTS = FLastPTS, lastPos = FLastPos;
    const bool eof = FEOF;
    if (FCodec) ff::avcodec_flush_buffers(FCodec);
    FDraining = false;
    FEOF = false;
    DropPending();
    ResetPicture();
    FLastSeek = {};
    FDecodes.clear();
    if (seek.Done) Seek(seek.PTS, seek.Flags);
    // Should that seek fail now, the decodes go on from the start rather
    // than putting back again.
    FRestore = false;
    for (const auto& [index, count] : decodes)
        for (int i = 0; i < count; ++i) Decode(index);
    FLastPTS = lastPTS;
    FLastPos = lastPos;
    FEOF = eof;
}

void TAVProbe::DropPending() {
    if (FPending) ff::av_packet_unref(FPending);
}

bool TAVProbe::OpenDecoder(int AIndex) {
    const AVStream* st = FileHandle()->streams[AIndex];
    if (st->codecpar->width <= 0 || st->codecpar->height <= 0) {
        LogError(16, QStringLiteral("frame size of codec is invalid."));
        return false;
    }
    if (FCodec && FCodecStream == AIndex) return true;
    CloseCodec();
    const AVCodec* codec = ff::avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec) {
        LogError(16, QStringLiteral("Unsupported codec (id=%1) for input file stream #%2")
                         .arg(static_cast<int>(st->codecpar->codec_id))
                         .arg(AIndex));
        return false;
    }
    AVCodecContext* c = ff::avcodec_alloc_context3(codec);
    bool ok = c && ff::avcodec_parameters_to_context(c, st->codecpar) >= 0;
    if (ok) {
        c->pkt_timebase = st->time_base;
        // Frame threads hold pictures back; one picture per call wants none.
        c->thread_type = FF_THREAD_SLICE;
        std::lock_guard<std::recursive_mutex> lock(CodecLock);
        ok = ff::avcodec_open2(c, codec, nullptr) >= 0;
    }
    if (!ok) {
        if (c) {
            std::lock_guard<std::recursive_mutex> lock(CodecLock);
            ff::avcodec_free_context(&c);
        }
        LogError(16, QStringLiteral("Error while opening codec for input file stream #%1").arg(AIndex));
        return false;
    }
    FCodec = c;
    FCodecStream = AIndex;
    FDraining = false;
    return true;
}

namespace {

// True when TurnPicture can turn pictures of this format by the given angle:
// whole bytes per pixel, and for a quarter turn chroma halved alike both ways.
bool CanTurn(const AVPixFmtDescriptor* desc, int turn) {
    if (!desc || (desc->flags & (AV_PIX_FMT_FLAG_BITSTREAM | AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_HWACCEL)))
        return false;
    return turn == 180 || desc->log2_chroma_w == desc->log2_chroma_h;
}

// Turns src clockwise by turn degrees into dst (the turned size, same format).
void TurnPicture(const AVFrame* src, std::uint8_t* const dst[4], const int dstLines[4],
                 const AVPixFmtDescriptor* desc, int turn) {
    for (int p = 0; p < 4 && src->data[p]; ++p) {
        int step = 0;
        for (int c = 0; c < desc->nb_components; ++c)
            if (desc->comp[c].plane == p) step = std::max(step, desc->comp[c].step);
        if (step <= 0) continue;
        const bool chroma = (p == 1 || p == 2) && !(desc->flags & AV_PIX_FMT_FLAG_RGB);
        const int w = chroma ? -((-src->width) >> desc->log2_chroma_w) : src->width;
        const int h = chroma ? -((-src->height) >> desc->log2_chroma_h) : src->height;
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* line = src->data[p] + static_cast<std::ptrdiff_t>(src->linesize[p]) * y;
            for (int x = 0; x < w; ++x) {
                int row, col;
                if (turn == 90) row = x, col = h - 1 - y;
                else if (turn == 270) row = w - 1 - x, col = y;
                else row = h - 1 - y, col = w - 1 - x;
                std::memcpy(dst[p] + static_cast<std::ptrdiff_t>(dstLines[p]) * row + col * step, line + x * step,
                            static_cast<std::size_t>(step));
            }
        }
    }
}

}  // namespace

bool TAVProbe::StorePicture(const AVFrame* AFrame, int AIndex) {
    AVPixelFormat fmt = static_cast<AVPixelFormat>(AFrame->format);
    // Upright, as the display matrix asks (the ffmpeg tool shows them so).
    const int turn = StreamDisplayRotation(FileHandle()->streams[AIndex]);
    const AVFrame* src = AFrame;
    FrameHolder full;
    if (turn && !CanTurn(ff::av_pix_fmt_desc_get(fmt), turn)) {
        // Chroma halved one way only would come out halved the other way:
        // turn a full-chroma copy instead.
        full.frame->format = AV_PIX_FMT_YUV444P;
        full.frame->width = AFrame->width;
        full.frame->height = AFrame->height;
        SwsContext* sws = ff::sws_getContext(AFrame->width, AFrame->height, fmt, AFrame->width, AFrame->height,
                                             AV_PIX_FMT_YUV444P, SWS_BICUBIC, nullptr, nullptr, nullptr);
        const bool ok = sws && ff::av_frame_get_buffer(full.frame, 0) >= 0;
        if (ok)
            ff::sws_scale(sws, AFrame->data, AFrame->linesize, 0, AFrame->height, full.frame->data,
                          full.frame->linesize);
        if (sws) ff::sws_freeContext(sws);
        if (!ok) {
            LogError(16, ErrorText(FileName(), AVERROR(ENOMEM)));
            return false;
        }
        src = full.frame;
        fmt = AV_PIX_FMT_YUV444P;
    }
    const bool quarter = turn == 90 || turn == 270;
    const int width = quarter ? src->height : src->width;
    const int height = quarter ? src->width : src->height;
    // Lines aligned and a spare line after the last, as the scaler reads in
    // blocks (av_image_alloc lays pictures out the same way).
    const int aligned = ff::av_image_get_buffer_size(fmt, width, height, kPictureAlign);
    const int line = ff::av_image_get_buffer_size(fmt, width, 1, kPictureAlign);
    const int size = aligned < 0 || line < 0 ? -1 : aligned + line + kPictureAlign;
    if (size < 0) {
        LogError(16, QStringLiteral("frame size of codec is invalid."));
        return false;
    }
    if (FPicture.Size < size || !FPicture.Buffer) {
        if (FPicture.Buffer) ff::av_free(FPicture.Buffer);
        FPicture.Buffer = static_cast<std::uint8_t*>(ff::av_malloc(static_cast<size_t>(size)));
        FPicture.Size = FPicture.Buffer ? size : 0;
        if (!FPicture.Buffer) {
            LogError(16, ErrorText(FileName(), AVERROR(ENOMEM)));
            return false;
        }
    }
    // The frame's own size: a stream may change size midway.
    FPicture.PixFmt = fmt;
    FPicture.Width = width;
    FPicture.Height = height;
    FPicture.IsKeyFrame = AFrame->key_frame == 1;
    FPicture.PictureType =
        AFrame->pict_type >= 0 && AFrame->pict_type <= 7 ? static_cast<TPictureType>(AFrame->pict_type) : ptUnknown;

    // The packet's decoding time first, as the stream's own clock.
    std::int64_t t = AFrame->pkt_dts;
    if (t == AV_NOPTS_VALUE) t = AFrame->pts;
    if (t == AV_NOPTS_VALUE) t = AFrame->best_effort_timestamp;
    if (FPicture.PTS != AV_NOPTS_VALUE) FLastPTS = FPicture.PTS;
    const AVStream* st = FileHandle()->streams[AIndex];
    if (t == AV_NOPTS_VALUE) {
        // A key picture without a time (Matroska allows it): the first after
        // opening or a seek is where the seek asked to be.
        FPicture.PTS = FSeekPTS;
    } else {
        if (st->start_time != AV_NOPTS_VALUE) t -= st->start_time;
        FPicture.PTS = ff::av_rescale_q(t, st->time_base, AVRational{1, 1000000});
        ff::av_log(nullptr, AV_LOG_DEBUG, "decode PTS: %0.3f\n", FPicture.PTS / 1000000.0);
    }
    FPicture.OriginalDTS = AFrame->pkt_dts;
    FPicture.OriginalPTS = AFrame->pts;
    FPicture.StreamIndex = AIndex;

    TAVPicture& pic = FPicture.Picture;
    ff::av_image_fill_arrays(pic.data, pic.linesize, FPicture.Buffer, fmt, width, height, kPictureAlign);
    if (turn)
        TurnPicture(src, pic.data, pic.linesize, ff::av_pix_fmt_desc_get(fmt), turn);
    else
        ff::av_image_copy(pic.data, pic.linesize, const_cast<const std::uint8_t**>(src->data), src->linesize, fmt,
                          width, height);
    FPicture.Ready = true;
    FSeekPTS = AV_NOPTS_VALUE;
    return true;
}

bool TAVProbe::Decode(int AStreamIndex) {
    if (FRestore && IsSeekable()) RestorePosition();
    const int index = SelectDecodeStream(AStreamIndex);
    if (index < 0) return false;
    if (!FDecodes.empty() && FDecodes.back().first == index)
        ++FDecodes.back().second;
    else
        FDecodes.emplace_back(index, 1);
    if (FPicture.Ready && FormatName().compare(QLatin1String("image2"), Qt::CaseInsensitive) == 0) return true;
    if (FEOF) {
        LogError(32, QStringLiteral("stream eof reached."));
        return false;
    }
    if (!OpenDecoder(index)) return false;

    AVFormatContext* ctx = FileHandle();
    const std::int64_t position = FPending && FPending->data ? FPending->pos : ctx->pb ? IOPosition(ctx->pb) : -1;
    PacketHolder packet;
    FrameHolder frame;
    if (!packet.pkt || !frame.frame) {
        LogError(16, ErrorText(FileName(), AVERROR(ENOMEM)));
        return false;
    }

    int retries = 0;
    for (;;) {
        // A packet may carry more than one picture: take what the decoder holds first.
        int r = ff::avcodec_receive_frame(FCodec, frame.frame);
        if (r >= 0) {
            const std::int64_t before = FPicture.Position;
            if (!StorePicture(frame.frame, index)) return false;
            if (before != -1) FLastPos = before;
            FPicture.Position = position;
            GetLogger()->Log(this, llDebug,
                             QStringLiteral("pkt.st_idx=%1, dts=%2, pts=%3, flags=%4, pict_type=%5")
                                 .arg(index)
                                 .arg(frame.frame->pkt_dts)
                                 .arg(frame.frame->pts)
                                 .arg(frame.frame->key_frame ? 1 : 0)
                                 .arg(static_cast<int>(frame.frame->pict_type)));
            return true;
        }
        if (r != AVERROR(EAGAIN) || FDraining) {
            // The decoder is empty after the end of the file (or broken).
            LogError(32, QStringLiteral("stream eof reached."));
            FEOF = true;
            return false;
        }

        if (FPending && FPending->data) {
            ff::av_packet_move_ref(packet.pkt, FPending);
            r = 0;
        } else {
            r = ff::av_read_frame(ctx, packet.pkt);
        }
        if (r == AVERROR(EAGAIN) && ++retries <= kRetryLimit) {
            std::this_thread::sleep_for(kRetryPause);
            continue;
        }
        if (r < 0) {
            // Pictures the decoder still holds come out before the end is reported.
            FDraining = true;
            ff::avcodec_send_packet(FCodec, nullptr);
            continue;
        }
        retries = 0;
        if (packet.pkt->stream_index == index) {
            // A damaged packet is skipped; the next one may decode.
            ff::avcodec_send_packet(FCodec, packet.pkt);
        }
        ff::av_packet_unref(packet.pkt);
    }
}

bool TAVProbe::DecodeNextKeyFrame(int AStreamIndex) {
    const int index = SelectDecodeStream(AStreamIndex);
    if (index < 0) return false;
    const std::int64_t interval = StreamInterval(index);
    const std::int64_t target = FPicture.PTS != AV_NOPTS_VALUE && FPicture.PTS > 0 ? FPicture.PTS + interval : interval;
    // A forward seek lands on the next key frame at or after the target.
    return Seek(target) && Decode(index);
}

bool TAVProbe::DecodePreviousFrame(int AStreamIndex) {
    const int index = SelectDecodeStream(AStreamIndex);
    if (index < 0) return false;
    const std::int64_t interval = StreamInterval(index);
    const std::int64_t ref = FPicture.PTS != AV_NOPTS_VALUE ? FPicture.PTS : FLastPTS != AV_NOPTS_VALUE ? FLastPTS : 0;
    const std::int64_t target = ref - 2 * interval;
    if (!DecodePreviousKeyFrame(index)) return false;
    // A picture without a time cannot be compared: take it as the one wanted.
    while (FPicture.PTS != AV_NOPTS_VALUE && FPicture.PTS <= target)
        if (!Decode(index)) return false;
    return true;
}

bool TAVProbe::DecodePreviousKeyFrame(int AStreamIndex) {
    const int index = SelectDecodeStream(AStreamIndex);
    if (index < 0) return false;
    const std::int64_t interval = StreamInterval(index);
    std::int64_t ref = 0;
    if (FPicture.PTS != AV_NOPTS_VALUE) ref = FPicture.PTS;
    else if (FLastPTS != AV_NOPTS_VALUE) ref = FLastPTS;
    else if (FileHandle()->duration != AV_NOPTS_VALUE) ref = FileHandle()->duration;

    // Judged by the decoded picture's time alone: demuxers that seek lazily
    // (MP4) leave the I/O position where it was, so the byte position cannot
    // tell whether a seek went back.
    std::int64_t step = 1;
    for (std::int64_t h = 1;; h += step) {
        const std::int64_t back = h * interval;
        // The try that reached the start of the stream is the last one.
        const bool last = back >= ref;
        if (Seek(ref - back, {sfBackward}) && Decode(index)) {
            if (FPicture.PTS == AV_NOPTS_VALUE || FPicture.PTS < ref || FPicture.PTS <= 0) return true;
        }
        if (last) break;
        if (h >= kLinearSteps) step *= 2;
    }
    SetLastErrMsg(QStringLiteral("Could not seek to the previous key-frame. ") + LastErrMsg());
    return false;
}

bool TAVProbe::CopyToBitmap(QImage& ABitmap) {
    if (!FPicture.Ready) {
        LogError(16, QStringLiteral("picture not ready, please decode first"));
        return false;
    }
    if (PictureToScalerImage(FRGBContext->toRGB_convert_ctx, FPicture.Picture.data, FPicture.Picture.linesize,
                             FPicture.PixFmt, FPicture.Width, FPicture.Height, FRGBContext->Bitmap)) {
        // Shared: the next copy converts into an image of its own.
        ABitmap = FRGBContext->Bitmap;
        return true;
    }
    ABitmap = CreateFrameBitmap(FPicture.Width, FPicture.Height);
    ff::av_log(nullptr, AV_LOG_ERROR, "convert picture to bitmap failed\n");
    return false;
}
