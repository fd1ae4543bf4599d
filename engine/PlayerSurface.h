// The widget the player's pictures appear in: a child covering the host's
// client area (or a window of its own without a host). The play loop hands
// decoded pictures to its sink from its own thread and never waits on the GUI.
#pragma once

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

struct AVFrame;
struct SwsContext;
class QPainter;
class TPlayerSurface;

// Shared by the surface (user-interface thread) and the play loop.
//
// A video picture travels as a reference to the decoder's own frame: the
// interface thread converts it when it paints, straight into the window's
// backing store where it can, so a picture costs one conversion and no copy.
// Only the newest presented picture waits; a newer one replaces it (a busy
// GUI coalesces).
class TSurfaceSink : public std::enable_shared_from_this<TSurfaceSink> {
public:
    ~TSurfaceSink();
    // Play loop: a decoded picture (a reference, taken over; nullptr does
    // nothing), scaled into where inside an area of areaW x areaH.
    void Present(AVFrame* frame, const QRect& where, int areaW, int areaH);
    // Play loop: an image of its own that it never touches again.
    void Present(const QImage& image, const QRect& where, int areaW, int areaH);
    // Play loop: black area (stop, audio display switched).
    void Clear();
    int PresentedCount() const { return FPresented; }

    // User-interface thread: what was presented since the last call. False
    // when nothing new; else frame (ours now, may be null), image, where and
    // area replace what the surface showed.
    bool Take(AVFrame*& frame, QImage& image, QRect& where, QSize& area);
    QPointer<TPlayerSurface> Widget;  // user-interface thread only

private:
    void Notify();
    std::mutex FMutex;  // guards the pending picture below
    bool FPending = false;
    AVFrame* FFrame = nullptr;
    QImage FImage;
    QRect FWhere;
    QSize FArea;
    std::atomic<int> FPresented{0};
    std::atomic<bool> FUpdatePending{false};
};

class TPlayerSurface : public QWidget {
public:
    explicit TPlayerSurface(QWidget* parent);
    ~TPlayerSurface() override;
    std::shared_ptr<TSurfaceSink> Sink() const { return FSink; }
    int PresentedCount() const { return FSink->PresentedCount(); }
    // Called when a top-level surface (no host, or full screen) is closed by the user.
    std::function<void()> OnClosed;
    // Where the last picture was placed inside the display area, and that
    // area (user-interface thread; for tests).
    QRect PictureRect() const { return FWhere; }
    QSize DisplayArea() const { return FArea; }

protected:
    void paintEvent(QPaintEvent*) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool ConvertInto(std::uint8_t* bits, int stride, const QSize& size);
    bool PaintFrameDirect(QPainter& p);

    std::shared_ptr<TSurfaceSink> FSink = std::make_shared<TSurfaceSink>();
    // The interface thread's own: what is shown and how it was converted.
    AVFrame* FFrame = nullptr;
    QImage FImage;       // a presented image, or FFrame converted (FConverted)
    bool FConverted = false;
    QRect FWhere;
    QSize FArea;
    SwsContext* FScaler = nullptr;
};
