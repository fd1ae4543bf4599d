// The widget the player's pictures appear in: a child covering the host's
// client area (or a window of its own without a host). The play loop hands
// finished images to its sink from its own thread and never waits on the GUI.
#pragma once

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class TPlayerSurface;

// Shared by the surface (user-interface thread) and the play loop.
class TSurfaceSink : public std::enable_shared_from_this<TSurfaceSink> {
public:
    // Play loop: the picture placed at where inside an area of areaW x areaH.
    void Present(const QImage& image, const QRect& where, int areaW, int areaH);
    // Play loop: black area (stop, audio display switched).
    void Clear();
    int PresentedCount() const { return FPresented; }

    // User-interface thread.
    void Take(QImage& image, QRect& where, QSize& area) const;
    QPointer<TPlayerSurface> Widget;  // user-interface thread only

private:
    void Notify();
    mutable std::mutex FMutex;  // guards FImage, FWhere, FArea
    QImage FImage;
    QRect FWhere;
    QSize FArea;
    std::atomic<int> FPresented{0};
    std::atomic<bool> FUpdatePending{false};
};

class TPlayerSurface : public QWidget {
public:
    explicit TPlayerSurface(QWidget* parent);
    std::shared_ptr<TSurfaceSink> Sink() const { return FSink; }
    int PresentedCount() const { return FSink->PresentedCount(); }
    // Called when a top-level surface (no host) is closed by the user.
    std::function<void()> OnClosed;

protected:
    void paintEvent(QPaintEvent*) override;
    void closeEvent(QCloseEvent* e) override;

private:
    std::shared_ptr<TSurfaceSink> FSink = std::make_shared<TSurfaceSink>();
};
