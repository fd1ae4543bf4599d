// The widget the player's pictures appear in: a child covering the host's
// client area (or a window of its own without a host). The play loop hands
// finished images to its sink from its own thread and never waits on the GUI.
#pragma once

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

class TPlayerSurface;

// Shared by the surface (user-interface thread) and the play loop.
//
// Pictures travel through a ring of three images the play loop converts into.
// At any time each image has one owner: the one the play loop acquired is the
// play loop's until it presents it; the newest presented one waits for the
// interface thread; the one the interface thread took last is the interface
// thread's (it may repaint it) until it takes another. Acquire never hands out
// the waiting or the taken one, so nobody writes an image anyone reads, and
// the pixels never travel by copy.
class TSurfaceSink : public std::enable_shared_from_this<TSurfaceSink> {
public:
    struct TBuffer {
        int Slot = -1;
        std::uint8_t* Bits = nullptr;  // RGB32 lines, Stride bytes apart
        int Stride = 0;
    };
    // Play loop: an image of w x h to convert the next picture into; Slot -1
    // when no memory is left.
    TBuffer Acquire(int w, int h);
    // Play loop: the acquired image, placed at where inside an area of areaW x
    // areaH, goes to the interface thread.
    void Present(const TBuffer& buffer, const QRect& where, int areaW, int areaH);
    // Play loop: an image of its own that it never touches again.
    void Present(const QImage& image, const QRect& where, int areaW, int areaH);
    // Play loop: black area (stop, audio display switched).
    void Clear();
    int PresentedCount() const { return FPresented; }

    // User-interface thread: the newest picture (shared, not copied).
    void Take(QImage& image, QRect& where, QSize& area);
    QPointer<TPlayerSurface> Widget;  // user-interface thread only

private:
    static constexpr int kSlots = 3;
    struct TSlot {
        QImage Image;
        std::uint8_t* Bits = nullptr;
        QRect Where;
        QSize Area;
    };
    void Notify();
    std::mutex FMutex;       // guards everything below up to FArea
    TSlot FSlots[kSlots];    // contents owned as described above; the objects by FMutex
    int FWaiting = -1;       // slot presented and not taken yet
    int FTaken = -1;         // slot the interface thread holds
    QImage FLoose;           // an image presented whole, waiting (FLooseWaiting)
    QRect FLooseWhere;
    QSize FLooseArea;
    bool FLooseWaiting = false;
    bool FClearWaiting = false;
    QImage FImage;           // what the interface thread shows
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
