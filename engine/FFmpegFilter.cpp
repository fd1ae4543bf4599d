// The video filter graph and the picture hooks: the custom hook and frame-hook
// libraries on each decoded picture, the post hooks (preview window, bitmap
// event) on each picture sent to the encoder.
#include "engine/FFmpegFilter.h"
#include "engine/FFmpegPipeline.h"
#include "engine/PreviewWindow.h"
#include "engine/ScalerImage.h"

#include <exception>

// ---------------------------------------------------------------------------
// TVideoFilter

TVideoFilter::~TVideoFilter() { Free(); }

void TVideoFilter::Free() {
    if (FGraph) ff::avfilter_graph_free(&FGraph);
    FSource = FSink = nullptr;
}

bool TVideoFilter::Matches(const AVFrame* AFrame) const {
    return FGraph && AFrame->width == FParams.in_width && AFrame->height == FParams.in_height &&
           AFrame->format == FParams.in_format;
}

int TVideoFilter::Configure(const TVideoFilterParams& AParams, QString& AError) {
    Free();
    FParams = AParams;
    AError.clear();
    FGraph = ff::avfilter_graph_alloc();
    if (!FGraph) return AVERROR(ENOMEM);

    const AVRational sar = AParams.in_sar.num > 0 && AParams.in_sar.den > 0 ? AParams.in_sar : AVRational{0, 1};
    const std::string srcArgs = "video_size=" + std::to_string(AParams.in_width) + "x" +
                                std::to_string(AParams.in_height) + ":pix_fmt=" + std::to_string(AParams.in_format) +
                                ":time_base=1/1000000:pixel_aspect=" + std::to_string(sar.num) + "/" +
                                std::to_string(sar.den);
    int ret = ff::avfilter_graph_create_filter(&FSource, ff::avfilter_get_by_name("buffer"), "src", srcArgs.c_str(),
                                               nullptr, FGraph);
    if (ret < 0) return ret;
    ret = ff::avfilter_graph_create_filter(&FSink, ff::avfilter_get_by_name("buffersink"), "out", nullptr, nullptr,
                                           FGraph);
    if (ret < 0) return ret;
    const AVPixelFormat fmts[] = {AParams.out_format};
    ret = ff::av_opt_set_bin(FSink, "pix_fmts", reinterpret_cast<const uint8_t*>(fmts), sizeof(fmts),
                             AV_OPT_SEARCH_CHILDREN);
    if (ret < 0) return ret;

    // Named arguments: the crop filter's positional order is w:h:x:y.
    std::string chain;
    const auto add = [&chain](const std::string& f) { chain += (chain.empty() ? "" : ",") + f; };
    if (AParams.deinterlace) add("yadif");
    const int cw = AParams.in_width - AParams.left - AParams.right;
    const int ch = AParams.in_height - AParams.top - AParams.bottom;
    if (AParams.top || AParams.bottom || AParams.left || AParams.right)
        add("crop=w=" + std::to_string(cw) + ":h=" + std::to_string(ch) + ":x=" + std::to_string(AParams.left) +
            ":y=" + std::to_string(AParams.top));
    // The scale works on the stored pictures, so a quarter turn swaps its sides.
    const bool quarter = AParams.rotation == 90 || AParams.rotation == 270;
    const int sw = quarter ? AParams.out_height : AParams.out_width;
    const int sh = quarter ? AParams.out_width : AParams.out_height;
    if (sw > 0 && sh > 0 && (cw != sw || ch != sh)) add("scale=" + std::to_string(sw) + ":" + std::to_string(sh));
    if (AParams.rotation == 90) add("transpose=clock");
    if (AParams.rotation == 180) add("hflip,vflip");
    if (AParams.rotation == 270) add("transpose=cclock");
    const std::string scale = "scale=" + std::to_string(AParams.out_width) + ":" + std::to_string(AParams.out_height);
    if (!AParams.user.empty()) add(AParams.user);
    if (AParams.force_out_size && !AParams.user.empty()) add(scale);
    if (chain.empty()) chain = "null";
    FDescription = chain;

    const std::string swsOpts = "flags=0x" + QString::number(AParams.sws_flags, 16).toUpper().toStdString();
    FGraph->scale_sws_opts = ff::av_strdup(swsOpts.c_str());

    AVFilterInOut* outputs = ff::avfilter_inout_alloc();
    AVFilterInOut* inputs = ff::avfilter_inout_alloc();
    if (!outputs || !inputs) {
        ff::avfilter_inout_free(&outputs);
        ff::avfilter_inout_free(&inputs);
        return AVERROR(ENOMEM);
    }
    outputs->name = ff::av_strdup("in");
    outputs->filter_ctx = FSource;
    outputs->pad_idx = 0;
    outputs->next = nullptr;
    inputs->name = ff::av_strdup("out");
    inputs->filter_ctx = FSink;
    inputs->pad_idx = 0;
    inputs->next = nullptr;
    ret = ff::avfilter_graph_parse_ptr(FGraph, chain.c_str(), &inputs, &outputs, nullptr);
    ff::avfilter_inout_free(&outputs);
    ff::avfilter_inout_free(&inputs);
    if (ret < 0) {
        AError = ErrorText(QString::fromStdString(AParams.user.empty() ? chain : AParams.user), ret);
        return ret;
    }
    ret = ff::avfilter_graph_config(FGraph, nullptr);
    if (ret < 0) AError = ErrorText(QString::fromStdString(chain), ret);
    return ret;
}

int TVideoFilter::Push(AVFrame* AFrame) {
    return ff::av_buffersrc_add_frame_flags(FSource, AFrame, AV_BUFFERSRC_FLAG_KEEP_REF);
}

int TVideoFilter::PushEnd() { return FSource ? ff::av_buffersrc_add_frame_flags(FSource, nullptr, 0) : AVERROR_EOF; }

int TVideoFilter::Pull(AVFrame* AFrame) { return FSink ? ff::av_buffersink_get_frame(FSink, AFrame) : AVERROR_EOF; }

int TVideoFilter::Width() const { return ff::av_buffersink_get_w(FSink); }
int TVideoFilter::Height() const { return ff::av_buffersink_get_h(FSink); }
AVRational TVideoFilter::SampleAspect() const { return ff::av_buffersink_get_sample_aspect_ratio(FSink); }
AVRational TVideoFilter::TimeBase() const { return ff::av_buffersink_get_time_base(FSink); }

// ---------------------------------------------------------------------------
// Picture hooks

void TTranscoder::PreprocessVideoFrame(TInputStream& ist, AVFrame* frame) {
    ++FHookFrameNumber;
    const int64_t pts = ist.pts;
    const bool vhook = O.Fusing_vhook && C.FFrameHooks;
    if (!C.OnCustomHook && !vhook) return;
    if (ff::av_frame_make_writable(frame) < 0) {
        C.Log(llError, QStringLiteral("hook buf malloc error."));
        return;
    }
    if (C.OnCustomHook)
        RunCustomHook(frame, pts);
    else
        FrameHookProcess(C.FFrameHooks, frame->data, frame->linesize, frame->format, frame->width, frame->height, pts);
}

void TTranscoder::RunCustomHook(AVFrame* frame, int64_t pts) {
    const auto format = static_cast<AVPixelFormat>(frame->format);
    bool stop = false;
    if (!PictureToBitmap(&FHookContext, frame->data, frame->linesize, format, frame->height, frame->width)) {
        C.Log(llError, QStringLiteral("Cannot initialize the toRGB conversion context"));
        stop = true;
    } else {
        bool update = true;
        try {
            C.OnCustomHook(&C, FHookContext.Bitmap, FHookFrameNumber, pts, update, stop);
        } catch (const std::exception& e) {
            C.Log(llError, QStringLiteral("Error occurs OnCustomHook: %1").arg(QString::fromUtf8(e.what())));
            update = false;
        }
        if (update) {
            QImage& bmp = FHookContext.Bitmap;
            // The handler may have replaced the picture; only one of the frame's size can go back.
            if (bmp.width() == frame->width && bmp.height() == frame->height &&
                bmp.format() == QImage::Format_BGR888) {
                // A picture the handler made itself is read through a padded copy.
                if (!ScalerImageToPicture(FHookContext.fromRGB_convert_ctx, bmp, frame->data, frame->linesize, format,
                                          frame->width, frame->height)) {
                    C.Log(llError, QStringLiteral("Cannot initialize the fromRGB conversion context"));
                    stop = true;
                }
            }
        }
    }
    if (stop) {
        // Stopped hooks stay stopped for the rest of this conversion.
        C.OnCustomHook = nullptr;
        C.FOpt.Fusing_vhook = false;
    }
}

int64_t TCustomFFmpeg::PreviewClock() const { return ff::av_gettime(); }

void TTranscoder::RunPostHooks(const AVFrame* frame, int64_t pts) {
    TPostHooks hooks;
    {
        std::lock_guard lock(PostHookLock());
        hooks = C.FOpt.FPostHooks;
    }
    // Run unlocked: the preview waits for the UI thread, which may be setting
    // the hooks of this very task under the lock.
    const bool bitmap = (hooks & (1u << phBitmap)) && C.OnPreviewBitmap;
    const bool preview = (hooks & (1u << phPreview)) != 0;
    if (!preview && FPreviewer) FPreviewer.reset();  // switched off: the window goes
    if (!bitmap && !preview) return;
    const int64_t now = C.PreviewClock();
    if (now - FPreviewLastTime <= C.PreviewInterval) return;
    FPreviewLastTime = now;
    TPostHooks drop = 0;
    if (!PictureToBitmap(&FPostContext, frame->data, frame->linesize, static_cast<AVPixelFormat>(frame->format),
                         frame->height, frame->width)) {
        C.Log(llError, QStringLiteral("Cannot initialize the toRGB conversion context"));
        drop = bitmap ? (1u << phBitmap) : (1u << phPreview);
    } else if (bitmap) {
        C.OnPreviewBitmap(&C, FPostContext.Bitmap, FHookFrameNumber, pts);
    } else {
        if (!FPreviewer) FPreviewer = std::make_unique<TPreviewer>();
        if (!FPreviewer->PaintFrame(FPostContext.Bitmap, FHookFrameNumber, pts)) drop = 1u << phPreview;
    }
    if (drop) {
        {
            std::lock_guard lock(PostHookLock());
            C.FOpt.FPostHooks &= ~drop;
        }
        if (drop & (1u << phPreview)) FPreviewer.reset();  // waits for the UI thread: never under the lock
    }
}
