#include "engine/PlayerSurface.h"

#include "engine/MainThread.h"
#include "engine/ScalerImage.h"

#include <QCloseEvent>
#include <QPainter>
#include <QRegion>

TSurfaceSink::TBuffer TSurfaceSink::Acquire(int w, int h) {
    std::lock_guard<std::mutex> lock(FMutex);
    for (int i = 0; i < kSlots; ++i) {
        if (i == FWaiting || i == FTaken) continue;
        TSlot& s = FSlots[i];
        if (s.Image.width() != w || s.Image.height() != h) {
            // The old image goes with its last reference; the interface thread holds none.
            s.Image = NewScalerImage(w, h, QImage::Format_RGB32);
            s.Bits = s.Image.isNull() ? nullptr : const_cast<std::uint8_t*>(s.Image.constBits());
        }
        if (!s.Bits) return {};
        return {i, s.Bits, static_cast<int>(s.Image.bytesPerLine())};
    }
    return {};
}

void TSurfaceSink::Present(const TBuffer& buffer, const QRect& where, int areaW, int areaH) {
    if (buffer.Slot < 0) return;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        TSlot& s = FSlots[buffer.Slot];
        s.Where = where;
        s.Area = QSize(areaW, areaH);
        // A picture still waiting was never painted: the newer one replaces it.
        FWaiting = buffer.Slot;
        FLooseWaiting = FClearWaiting = false;
    }
    ++FPresented;
    Notify();
}

void TSurfaceSink::Present(const QImage& image, const QRect& where, int areaW, int areaH) {
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FLoose = image;
        FLooseWaiting = true;
        FClearWaiting = false;
        FWaiting = -1;
        FLooseWhere = where;
        FLooseArea = QSize(areaW, areaH);
    }
    ++FPresented;
    Notify();
}

void TSurfaceSink::Clear() {
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FWaiting = -1;
        FLooseWaiting = false;
        FLoose = QImage();
        FClearWaiting = true;
    }
    Notify();
}

void TSurfaceSink::Take(QImage& image, QRect& where, QSize& area) {
    std::lock_guard<std::mutex> lock(FMutex);
    if (FWaiting >= 0) {
        FTaken = FWaiting;
        FWaiting = -1;
        const TSlot& s = FSlots[FTaken];
        FImage = s.Image;
        FWhere = s.Where;
        FArea = s.Area;
    } else if (FLooseWaiting) {
        FTaken = -1;
        FImage = FLoose;
        FWhere = FLooseWhere;
        FArea = FLooseArea;
        FLoose = QImage();
        FLooseWaiting = false;
    } else if (FClearWaiting) {
        FTaken = -1;
        FImage = QImage();
        FClearWaiting = false;
    }
    image = FImage;
    where = FWhere;
    area = FArea;
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

void TPlayerSurface::paintEvent(QPaintEvent*) {
    QImage image;
    QRect where;
    QSize area;
    FSink->Take(image, where, area);
    QPainter p(this);
    if (image.isNull()) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    // Only the bars: the picture covers the rest.
    for (const QRect& r : QRegion(rect()).subtracted(QRegion(where))) p.fillRect(r, Qt::black);
    p.drawImage(where.topLeft(), image);
}

void TPlayerSurface::closeEvent(QCloseEvent* e) {
    if (OnClosed) OnClosed();
    e->accept();
}
