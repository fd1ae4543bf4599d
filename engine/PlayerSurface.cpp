#include "engine/PlayerSurface.h"

#include "engine/MainThread.h"

#include <QCloseEvent>
#include <QPainter>

void TSurfaceSink::Present(const QImage& image, const QRect& where, int areaW, int areaH) {
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FImage = image;
        FWhere = where;
        FArea = QSize(areaW, areaH);
    }
    ++FPresented;
    Notify();
}

void TSurfaceSink::Clear() {
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FImage = QImage();
    }
    Notify();
}

void TSurfaceSink::Take(QImage& image, QRect& where, QSize& area) const {
    std::lock_guard<std::mutex> lock(FMutex);
    // A deep copy: the two threads never share one image's data or its count.
    image = FImage.copy();
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
    p.fillRect(rect(), Qt::black);
    if (!image.isNull()) p.drawImage(where.topLeft(), image);
}

void TPlayerSurface::closeEvent(QCloseEvent* e) {
    if (OnClosed) OnClosed();
    e->accept();
}
