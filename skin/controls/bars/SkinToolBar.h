// The skinned tool bar: a panel holding tool buttons and other controls in
// one row, centred vertically in its skin client area. It lends its image
// lists, Flat and caption switches to its speed buttons and, when its content
// is wider than itself, scrolls the content with two 12-pixel arrows at its
// ends (pressed, or hovered with HotScroll) on the tick source.
#pragma once

#include "skin/controls/base/SkinTimer.h"
#include "skin/controls/buttons/SkinSpeedButton.h"
#include "skin/controls/panels/SkinPanel.h"

class TqvSkinToolBar;

// One scroll arrow: a small opaque child over the bar's 12-pixel strip.
class TqvToolBarArrow : public QWidget {
public:
    TqvToolBarArrow(TqvSkinToolBar* Bar, bool Right);
    bool MouseIn = false, Down = false;
    const bool Right;
    QImage BuildImage();

protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TqvSkinToolBar* FBar;
};

class TqvSkinToolBar : public TqvSkinPanel, public TqvToolBarLists {
    Q_OBJECT
public:
    explicit TqvSkinToolBar(QObject* AOwner = nullptr);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void GetSkinData() override;
    void SetSkinData(TqvSkinData* Value) override;
    bool AdjustsControls() const override { return FAdjustControls; }
    // While the arrows show, aligned children lay out over the whole scrolled
    // content; top and bottom always come from the skin's client area.
    void AdjustClientRect(TRect& rect) override;

    bool CanScroll() const { return FCanScroll; }
    void SetCanScroll(bool v) { FCanScroll = v; }
    bool HotScroll() const { return FHotScroll; }
    void SetHotScroll(bool v) { FHotScroll = v; }
    int ScrollOffset() const { return FScrollOffset; }
    void SetScrollOffset(int v) {
        if (v >= 0) FScrollOffset = v;
    }
    int ScrollTimerInterval() const { return FScrollTimerInterval; }
    void SetScrollTimerInterval(int v) {
        if (v >= 1) FScrollTimerInterval = v;
    }
    bool AdjustControls() const { return FAdjustControls; }
    void SetAdjustControls(bool v) { FAdjustControls = v; }
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool v);
    bool AutoShowHideCaptions() const { return FAutoShowHideCaptions; }
    void SetAutoShowHideCaptions(bool v) { FAutoShowHideCaptions = v; }
    int WidthWithCaptions() const { return FWidthWithCaptions; }
    void SetWidthWithCaptions(int v) { FWidthWithCaptions = v; }
    int WidthWithoutCaptions() const { return FWidthWithoutCaptions; }
    void SetWidthWithoutCaptions(int v) { FWidthWithoutCaptions = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TCustomImageList* Images() const { return FImages.data(); }
    void SetImages(TCustomImageList* v);
    TCustomImageList* HotImages() const { return FHotImages.data(); }
    void SetHotImages(TCustomImageList* v) { FHotImages = v; }
    TCustomImageList* DisabledImages() const { return FDisabledImages.data(); }
    void SetDisabledImages(TCustomImageList* v) { FDisabledImages = v; }
    TCustomImageList* BarImages() const override { return FImages.data(); }
    TCustomImageList* BarHotImages() const override { return FHotImages.data(); }
    TCustomImageList* BarDisabledImages() const override { return FDisabledImages.data(); }

    // Shows or hides the arrows and keeps the scroll values in step with the content.
    void UpdateScrolling();
    // One step left (Right false) or right.
    void ScrollStep(bool Right);
    bool ArrowsVisible() const { return FArrowsVisible; }
    int ScrollPosition() const { return SPosition; }
    TqvToolBarArrow* LeftArrow() const { return FArrows[0]; }
    TqvToolBarArrow* RightArrow() const { return FArrows[1]; }
    bool ScrollTimerActive() const { return FTimer.Active(); }

    // Arrow input (the arrows call these).
    void ArrowEnter(bool Right);
    void ArrowLeave(bool Right);
    void ArrowPress(bool Right);
    void ArrowRelease(bool Right);
    void DrawScrollButton(QImage& B, const TqvToolBarArrow& A);

protected:
    void CreateControlSkinImage(QImage& B) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void SetArrowsVisible(bool V);
    void MoveChildren(int Dx);
    void CentreOtherControls();
    void StartTimer(int Mode);
    void StopTimer();

    bool FCanScroll = false, FHotScroll = false;
    int FScrollOffset = 0, FScrollTimerInterval = 50;
    bool FAdjustControls = true;
    bool FShowCaptions = false, FAutoShowHideCaptions = false;
    int FWidthWithCaptions = 0, FWidthWithoutCaptions = 0;
    bool FFlat = false;
    QPointer<TCustomImageList> FImages, FHotImages, FDisabledImages;
    int SMax = 0, SPosition = 0, SPage = 0, SOldPosition = 0, FHSizeOffset = 0;
    int FTimerMode = 0;
    TqvSkinTimer FTimer;
    TqvToolBarArrow* FArrows[2];
    bool FArrowsVisible = false;
    int FButtonIndex = -1;
};
