// Glows and shadows as separate per-pixel-alpha windows that fade in over the
// screen without ever taking focus or mouse input. They need a compositing
// window manager; without one the windows are never shown (the alpha calls do
// nothing) while the manager's state runs as usual, so callers need no test.
#pragma once

#include "platform/Component.h"
#include "skin/model/draw/QvBitmap.h"
#include "platform/Sources.h"

#include <QPointer>
#include <QWidget>

#include <memory>

// True where translucent top-level windows show as such: a compositing
// manager on X11, always on Wayland, never offscreen.
bool LayeredWindowsAvailable();
// Tests may pretend either way; Reset returns to asking the system.
void SetLayeredWindowsAvailableForTests(bool Available, bool Reset = false);

// The popup itself: frameless, a tool window (no task-bar button), never
// activated, transparent for the mouse.
class TqvLayerWindow : public QWidget {
public:
    explicit TqvLayerWindow(bool TopMost);
    // The picture (straight alpha) and the constant alpha it is shown with.
    void SetContent(const TqvBitmap& Bmp, int Alpha);
    void SetAlpha(int Alpha);
    const QImage& Content() const { return FContent; }
    int Alpha() const { return FAlpha; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage FContent;  // premultiplied, as the window surface wants it
    int FAlpha = 0;
};

// Shows Bmp as the whole content of Window with constant alpha Alpha.
void UpdateLayeredImage(const TqvBitmap& Bmp, int Alpha, TqvLayerWindow* Window);
// Constant alpha of a translucent window (popup list fades).
void SetWindowAlpha(QWidget* Wnd, int Alpha);

class TqvLayerManager : public TComponent {
public:
    explicit TqvLayerManager(QObject* AOwner = nullptr);
    ~TqvLayerManager() override;

    // AImage at screen point (X, Y), its alpha from the grey levels of
    // AImageMask (same size), fading in to AAlphaBlendValue (0..255).
    void Show(int X, int Y, const QImage& AImage, const QImage& AImageMask, int AAlphaBlendValue);
    void Hide();
    void StartTimer();
    void StopTimer();

    bool IsVisible() const { return FIsVisible; }
    bool TopMostMode() const { return FTopMostMode; }
    void SetTopMostMode(bool v) { FTopMostMode = v; }
    TqvLayerWindow* LayerWindow() const { return FLayerWindow.get(); }
    const TqvBitmap* Bmp() const { return FBmp.get(); }
    int EndAlphaBlendValue() const { return FEndAlphaBlendValue; }
    int BeginAlphaBlendValue() const { return FBeginAlphaBlendValue; }
    int StepAlphaBlendValue() const { return FStepAlphaBlendValue; }
    // The fade's timer runs on the platform's tick source (tests step it).
    bool TimerActive() const { return FTimerId != 0; }

    static constexpr int FadeInterval = 25;

private:
    void FadeStep();

    // All state is the user-interface thread's.
    std::unique_ptr<TqvLayerWindow> FLayerWindow;
    std::unique_ptr<TqvBitmap> FBmp;
    std::shared_ptr<TTickSource> FTicks;  // the source the running fade started on
    int FTimerId = 0;
    int FEndAlphaBlendValue = 0;
    int FBeginAlphaBlendValue = 0;
    int FStepAlphaBlendValue = 0;
    bool FIsVisible = false;
    bool FTopMostMode = true;
    // Asked once per Show: on X11 the answer costs round trips to the server.
    bool FLayered = false;
};
