#include "engine/PlayerSurface.h"

#include "engine/FFmpegLoader.h"
#include "engine/MainThread.h"
#include "engine/ScalerImage.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPaintEngine>
#include <QRegion>

#include <utility>

TSurfaceSink::~TSurfaceSink() {
    if (FFrame) ff::av_frame_free(&FFrame);
}

void TSurfaceSink::Present(AVFrame* frame, const QRect& where, int areaW, int areaH) {
    if (!frame) return;
    AVFrame* replaced = nullptr;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        // A picture still waiting was never painted: the newer one replaces it.
        replaced = FFrame;
        FFrame = frame;
        FImage = QImage();
        FWhere = where;
        FArea = QSize(areaW, areaH);
        FPending = true;
    }
    if (replaced) ff::av_frame_free(&replaced);
    ++FPresented;
    Notify();
}

void TSurfaceSink::Present(const QImage& image, const QRect& where, int areaW, int areaH) {
    AVFrame* replaced = nullptr;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        replaced = std::exchange(FFrame, nullptr);
        FImage = image;
        FWhere = where;
        FArea = QSize(areaW, areaH);
        FPending = true;
    }
    if (replaced) ff::av_frame_free(&replaced);
    ++FPresented;
    Notify();
}

void TSurfaceSink::Clear() {
    AVFrame* replaced = nullptr;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        replaced = std::exchange(FFrame, nullptr);
        FImage = QImage();
        FWhere = QRect();
        FArea = QSize();
        FPending = true;
    }
    if (replaced) ff::av_frame_free(&replaced);
    Notify();
}

bool TSurfaceSink::Take(AVFrame*& frame, QImage& image, QRect& where, QSize& area) {
    std::lock_guard<std::mutex> lock(FMutex);
    if (!FPending) return false;
    FPending = false;
    frame = std::exchange(FFrame, nullptr);
    image = std::exchange(FImage, QImage());
    where = FWhere;
    area = FArea;
    return true;
}

void TSurfaceSink::Notify() {
    // One repaint request in flight at most: a busy GUI coalesces pictures.
    if (FUpdatePending.exchange(true)) return;
    std::weak_ptr<TSurfaceSink> weak = weak_from_this();
    PostInMainThread([weak] {
        auto self = weak.lock();
        if (!self) return;
        self->FUpdatePending = false;
        if (self->Widget) self->Widget->update();
    });
}

TPlayerSurface::TPlayerSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Clicks reach the host, which takes the focus itself.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    FSink->Widget = this;
}

TPlayerSurface::~TPlayerSurface() {
    if (FFrame) ff::av_frame_free(&FFrame);
    if (FScaler) ff::sws_freeContext(FScaler);
}

bool TPlayerSurface::ConvertInto(std::uint8_t* bits, int stride, const QSize& size) {
    FScaler = ff::sws_getCachedContext(FScaler, FFrame->width, FFrame->height,
                                       static_cast<AVPixelFormat>(FFrame->format), size.width(), size.height(),
                                       AV_PIX_FMT_RGB32, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!FScaler) return false;
    std::uint8_t* dst[4] = {bits, nullptr, nullptr, nullptr};
    const int lines[4] = {stride, 0, 0, 0};
    ff::sws_scale(FScaler, FFrame->data, FFrame->linesize, 0, FFrame->height, dst, lines);
    return true;
}

// Converts the picture straight into the image the painter draws into when
// that is an RGB32 image (the window's backing store), every pixel of the
// picture is being repainted, and the scaler writes exactly the picture's
// pixels: shown at its own size (no block-wise scaling that overruns the
// last line) and a width in whole blocks of 16. Anything else (a transform,
// a partly covered surface, a scaled picture) goes through a padded image of
// our own.
bool TPlayerSurface::PaintFrameDirect(QPainter& p) {
    if (FWhere.size() != QSize(FFrame->width, FFrame->height) || FWhere.width() % 16 != 0) return false;
    QPaintEngine* engine = p.paintEngine();
    QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image) return false;
    auto* target = static_cast<QImage*>(device);
    if (target->format() != QImage::Format_RGB32 || !target->isDetached()) return false;
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxTranslate) return false;
    const QRect dst = FWhere.translated(qRound(t.dx()), qRound(t.dy()));
    if (!target->rect().contains(dst)) return false;
    const QRegion clip = engine->systemClip();
    if (!clip.isEmpty() && !QRegion(dst).subtracted(clip).isEmpty()) return false;
    const qsizetype stride = target->bytesPerLine();
    std::uint8_t* bits = target->bits() + dst.top() * stride + dst.left() * 4;
    return ConvertInto(bits, static_cast<int>(stride), dst.size());
}

void TPlayerSurface::paintEvent(QPaintEvent*) {
    AVFrame* frame = nullptr;
    QImage image;
    QRect where;
    QSize area;
    if (FSink->Take(frame, image, where, area)) {
        if (FFrame) ff::av_frame_free(&FFrame);
        FFrame = frame;
        FImage = image;
        FConverted = false;
        FWhere = where;
        FArea = area;
    }
    QPainter p(this);
    if (!FFrame && FImage.isNull()) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    // Only the bars: the picture covers the rest.
    for (const QRect& r : QRegion(rect()).subtracted(QRegion(FWhere))) p.fillRect(r, Qt::black);
    if (FFrame && !FConverted && PaintFrameDirect(p)) return;
    if (FFrame && !FConverted) {
        if (FImage.size() != FWhere.size() || !FImage.isDetached())
            FImage = NewScalerImage(FWhere.width(), FWhere.height(), QImage::Format_RGB32);
        if (FImage.isNull() || !ConvertInto(FImage.bits(), static_cast<int>(FImage.bytesPerLine()), FWhere.size()))
            return;
        FConverted = true;
    }
    p.drawImage(FWhere.topLeft(), FImage);
}

void TPlayerSurface::closeEvent(QCloseEvent* e) {
    if (OnClosed) OnClosed();
    // A full-screen window that went back into its host stays shown there.
    if (isWindow())
        e->accept();
    else
        e->ignore();
}
