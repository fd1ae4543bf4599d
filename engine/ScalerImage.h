// Images the scaler may write into and read from. The scaler works in blocks
// of pixels and lines: an image sized exactly for its picture is overrun at
// tiny sizes. These images lay their lines out as av_image_alloc does (each
// line starts 64-byte aligned) with a spare line and padding after the last.
#pragma once

#include <QImage>

#include <cstdint>

extern "C" {
#include <libavutil/pixfmt.h>
}

struct SwsContext;

// A black image of w x h over such a buffer; null when w or h is not positive.
// Copies share the buffer as any QImage does; it is freed with the last one.
QImage NewScalerImage(int width, int height, QImage::Format format);

// True when image is one of ours that nothing else shares, so it may be
// written without Qt making a copy of it first.
bool IsWritableScalerImage(const QImage& image);

// The picture converted into image (Format_BGR888, the picture's size), which
// is made anew unless it is a writable scaler image of that size already.
// False when no scaler context can be made for the format. ctx is the caller's.
bool PictureToScalerImage(SwsContext*& ctx, const std::uint8_t* const data[4], const int linesize[4],
                          AVPixelFormat format, int width, int height, QImage& image);

// The BGR888 image converted into the picture (the picture's size). An image
// that is not a scaler image is first copied into one.
bool ScalerImageToPicture(SwsContext*& ctx, const QImage& image, std::uint8_t* const data[4],
                          const int linesize[4], AVPixelFormat format, int width, int height);
