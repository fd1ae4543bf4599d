// The floating preview window of one task, and the frame-hook libraries that
// the "vhook" option loads.
#pragma once

#include <QImage>

#include <atomic>
#include <cstdint>
#include <memory>

class QWidget;

// One task's preview. PaintFrame is called on the task's worker thread; the
// window itself lives on the UI thread and is reached only through
// CallInMainThread.
class TPreviewer {
public:
    TPreviewer();
    ~TPreviewer();
    TPreviewer(const TPreviewer&) = delete;
    TPreviewer& operator=(const TPreviewer&) = delete;

    // Shows the frame (the window is made on the first one, at its size) with
    // its time as the caption. False once the user closed the window.
    bool PaintFrame(const QImage& ABitmap, int AFrameNumber, int64_t APTS);

    bool Closed() const { return FClosed; }
    // The window, for the tests; null before the first frame.
    QWidget* Window() const;

private:
    void ShowFrame();
    void DestroyForm();

    class TPreviewForm;
    TPreviewForm* FForm = nullptr;   // UI thread
    std::atomic<bool> FClosed{false};  // set by the UI thread, read by the worker
    // The frame to show, written by the worker before it waits for the UI thread.
    const QImage* FBitmap = nullptr;
    int FFrameNumber = 0;
    int64_t FPTS = 0;
};

// Hook library entry points (C calling convention). The picture is four plane
// pointers followed by four line sizes.
struct THookPicture {
    uint8_t* data[4];
    int linesize[4];
};
using TFrameHookConfigureFn = int (*)(void** ctx, int argc, char* argv[]);
using TFrameHookProcessFn = void (*)(void* ctx, THookPicture* picture, int pix_fmt, int width, int height,
                                     int64_t pts);
using TFrameHookReleaseFn = void (*)(void* ctx);

struct TFrameHookEntry {
    TFrameHookEntry* next = nullptr;
    TFrameHookConfigureFn Configure = nullptr;
    TFrameHookProcessFn Process = nullptr;
    TFrameHookReleaseFn Release = nullptr;
    void* ctx = nullptr;
};

// 0, -1 (the library cannot be loaded), -2 (no arguments or entry point
// missing), -12 (no memory), -22 (Configure failed). argv[0] is the library.
int FrameHookAdd(TFrameHookEntry*& AFirst, int argc, char* argv[]);
void FrameHookProcess(TFrameHookEntry* AFirst, uint8_t* const data[], const int linesize[], int pix_fmt,
                      int width, int height, int64_t pts);
void FrameHookRelease(TFrameHookEntry*& AFirst);
