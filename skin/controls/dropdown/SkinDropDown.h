// The window a drop-down opens in: a frameless tool-tip window over the form of
// the control that opens it, which never takes the activation or the focus,
// so the opener keeps its keys and its press-drag-release. While open it
// watches the application for what cancels a drop-down (a press outside the
// opener and the drop-down, the opener's window deactivated, the application
// going inactive). Combo lists use it; so can menus.
#pragma once

#include "platform/Control.h"
#include "skin/controls/base/SkinTimer.h"

#include <QPointer>

#include <algorithm>
#include <functional>

// The transparency a combo box asks of its drop-down at each show.
struct TqvPopupAlpha {
    bool AlphaBlend = false;
    int AlphaBlendValue = 0;
    bool AlphaBlendAnimation = false;
};

class TqvDropDownWindow : public TWinControl {
    Q_OBJECT
public:
    explicit TqvDropDownWindow(QObject* AOwner = nullptr);
    ~TqvDropDownWindow() override;

    // The control shown: it becomes this window's only child and fills it.
    void SetContent(TControl* Content);
    TControl* Content() const { return FContent.data(); }

    // Shows the window at a screen point with the content's size, over
    // Opener's window, without activating it. Opener counts as inside.
    // With Alpha: translucent while AlphaBlend is on; a changed value is set
    // at once, or faded in from 0 (at every show) with the animation.
    void Popup(QWidget* Opener, TPoint Origin, const TqvPopupAlpha* Alpha = nullptr);
    // Hides; ends the cancel watch and a running fade.
    void CloseUp();
    bool IsOpen() const { return FOpen; }
    QWidget* Opener() const { return FOpener.data(); }

    // Runs (under the exception guard) when something outside cancels the
    // drop-down; the owner closes it.
    std::function<void()> OnCancelMode;

    // Constant alpha (0..255); applied only where translucent windows show.
    void SetAlpha(int Alpha);
    int Alpha() const { return FAlpha; }
    // Fades from 0 to Target: steps of Target div 15 (at least 1), the first
    // at once and one more each time more than 5 ms have passed on the tick
    // source, the last capped at Target. OnFadeStep sees every value.
    void FadeIn(int Target);
    bool Fading() const { return FFade.Active(); }
    std::function<void(int Alpha)> OnFadeStep;

    // True when the widget is the opener, this window, or inside either.
    bool IsInside(const QWidget* W) const;

    // The translucency and the alpha last given at a show.
    bool OldAlphaBlend() const { return FOldAlphaBlend; }
    int OldAlphaBlendValue() const { return FOldAlphaBlendValue; }

protected:
    bool IsTopLevelControl() const override { return true; }
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Watch(bool on);
    void Cancel();
    void FadeStep();

    QPointer<TControl> FContent;
    QPointer<QWidget> FOpener;
    bool FOpen = false;
    bool FWatching = false;
    int FAlpha = 255;
    int FFadeTarget = 0, FFadeStep = 1;
    bool FOldAlphaBlend = false;
    int FOldAlphaBlendValue = 0;
    TqvSkinTimer FFade;
};
