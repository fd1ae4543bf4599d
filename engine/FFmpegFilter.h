// The video filter graph of one re-encoded video stream: buffer source, the
// optional deinterlacer, crop of the input minus the bands, scale to the
// encoder's size, the turn to upright, the user's description, and a sink
// fixed to the encoder's pixel format. Owned by the conversion's thread.
#pragma once

#include "engine/FFmpegLoader.h"

#include <QString>

#include <string>

struct TVideoFilterParams {
    int in_width = 0, in_height = 0;
    AVPixelFormat in_format = AV_PIX_FMT_NONE;
    AVRational in_sar = {0, 1};
    int top = 0, bottom = 0, left = 0, right = 0;  // bands cut off the input
    int out_width = 0, out_height = 0;             // the encoder's size
    int rotation = 0;  // clockwise turn to upright (0, 90, 180, 270), after the scale
    AVPixelFormat out_format = AV_PIX_FMT_NONE;
    bool deinterlace = false;
    std::string user;  // the user's filter description, UTF-8
    int sws_flags = SWS_BICUBIC;
    // After a size change the user's filters may yield any size; the encoder
    // is open already, so a last scale brings it back.
    bool force_out_size = false;
};

class TVideoFilter {
public:
    TVideoFilter() = default;
    ~TVideoFilter();
    TVideoFilter(const TVideoFilter&) = delete;
    TVideoFilter& operator=(const TVideoFilter&) = delete;

    // 0, or a negative code with AError set to the library's reason (may be empty).
    int Configure(const TVideoFilterParams& AParams, QString& AError);
    void Free();

    // True when the frame has the geometry the graph was built for.
    bool Matches(const AVFrame* AFrame) const;
    const TVideoFilterParams& Params() const { return FParams; }

    // The frame's pts is in microseconds; the frame stays the caller's.
    int Push(AVFrame* AFrame);
    int PushEnd();
    // 0 with a frame, AVERROR(EAGAIN) when none is ready, AVERROR_EOF at the end.
    int Pull(AVFrame* AFrame);

    int Width() const;
    int Height() const;
    AVRational SampleAspect() const;
    AVRational TimeBase() const;
    // The chain as text, for the log and the tests.
    const std::string& Description() const { return FDescription; }

private:
    AVFilterGraph* FGraph = nullptr;
    AVFilterContext* FSource = nullptr;
    AVFilterContext* FSink = nullptr;
    TVideoFilterParams FParams;
    std::string FDescription;
};
