#include "engine/ScalerImage.h"

#include "engine/FFmpegLoader.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

namespace {

constexpr int kAlign = 64;

// The buffers of the scaler images alive, to tell ours from any other image.
std::mutex& LiveLock() {
    static std::mutex m;
    return m;
}
std::unordered_set<const void*>& Live() {  // LiveLock
    static std::unordered_set<const void*> s;
    return s;
}

std::size_t AlignUp(std::size_t n) {
    return (n + kAlign - 1) / kAlign * kAlign;
}

// The C library's allocator, not the libraries': an image may outlive them.
void FreeBuffer(void* p) {
    {
        std::lock_guard<std::mutex> lock(LiveLock());
        Live().erase(p);
    }
    std::free(p);
}

bool IsScalerImage(const QImage& image) {
    std::lock_guard<std::mutex> lock(LiveLock());
    return !image.isNull() && Live().count(image.constBits()) != 0;
}

}  // namespace

QImage NewScalerImage(int width, int height, QImage::Format format) {
    if (width <= 0 || height <= 0) return QImage();
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    const std::size_t stride = AlignUp((static_cast<std::size_t>(width) * depth + 7) / 8);
    const std::size_t size = stride * (static_cast<std::size_t>(height) + 1) + kAlign;
    auto* bits = static_cast<uchar*>(std::aligned_alloc(kAlign, AlignUp(size)));
    if (!bits) return QImage();
    std::memset(bits, 0, size);
    {
        std::lock_guard<std::mutex> lock(LiveLock());
        Live().insert(bits);
    }
    QImage image(bits, width, height, static_cast<qsizetype>(stride), format, FreeBuffer, bits);
    image.fill(Qt::black);
    return image;
}

bool IsWritableScalerImage(const QImage& image) {
    return image.isDetached() && IsScalerImage(image);
}

bool PictureToScalerImage(SwsContext*& ctx, const std::uint8_t* const data[4], const int linesize[4],
                          AVPixelFormat format, int width, int height, QImage& image) {
    if (image.width() != width || image.height() != height || image.format() != QImage::Format_BGR888 ||
        !IsWritableScalerImage(image))
        image = NewScalerImage(width, height, QImage::Format_BGR888);
    if (image.isNull()) return false;
    ctx = ff::sws_getCachedContext(ctx, width, height, format, width, height, AV_PIX_FMT_BGR24, SWS_BICUBIC,
                                   nullptr, nullptr, nullptr);
    if (!ctx) return false;
    // constBits: the image is ours alone, and bits() might copy it.
    std::uint8_t* dst[4] = {const_cast<uchar*>(image.constBits()), nullptr, nullptr, nullptr};
    const int lines[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
    ff::sws_scale(ctx, data, linesize, 0, height, dst, lines);
    return true;
}

bool ScalerImageToPicture(SwsContext*& ctx, const QImage& image, std::uint8_t* const data[4],
                          const int linesize[4], AVPixelFormat format, int width, int height) {
    if (image.width() != width || image.height() != height || image.format() != QImage::Format_BGR888)
        return false;
    QImage source = image;
    if (!IsScalerImage(image)) {
        source = NewScalerImage(width, height, QImage::Format_BGR888);
        if (source.isNull()) return false;
        for (int y = 0; y < height; ++y)
            std::memcpy(const_cast<uchar*>(source.constScanLine(y)), image.constScanLine(y),
                        static_cast<std::size_t>(width) * 3);
    }
    // Full chroma input: halving pairs of pixels would mix the last column of
    // an odd width with whatever follows it.
    ctx = ff::sws_getCachedContext(ctx, width, height, AV_PIX_FMT_BGR24, width, height, format,
                                   SWS_BICUBIC | SWS_FULL_CHR_H_INP, nullptr, nullptr, nullptr);
    if (!ctx) return false;
    const std::uint8_t* src[4] = {source.constBits(), nullptr, nullptr, nullptr};
    const int lines[4] = {static_cast<int>(source.bytesPerLine()), 0, 0, 0};
    ff::sws_scale(ctx, src, lines, 0, height, data, linesize);
    return true;
}
