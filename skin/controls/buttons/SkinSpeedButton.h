// The skinned tool button: windowless, never focused, drawn from a button
// record in its normal, hot, pressed and disabled states, with a fade between
// normal and hot, a frame animation, auto-repeat, groups, a flat look and a
// glyph, an image-list image or a tool-bar image beside its caption.
#pragma once

#include "skin/controls/base/GraphicSkinControl.h"
#include "skin/controls/base/SkinTimer.h"
#include "skin/controls/menus/SkinMenuServices.h"
#include "skin/model/draw/DrawUtils.h"

using TqvSpeedButtonPaintEvent =
    std::function<void(QObject* Sender, TCanvas& Cnvs, TRect R, bool ADown, bool AMouseIn, bool& DrawDefault)>;

// What a speed button asks of the tool bar it sits on (the bar implements it).
class TqvToolBarLists {
public:
    virtual ~TqvToolBarLists() = default;
    virtual TCustomImageList* BarImages() const = 0;
    virtual TCustomImageList* BarHotImages() const = 0;
    virtual TCustomImageList* BarDisabledImages() const = 0;
};

class TqvSkinSpeedButton : public TqvGraphicSkinCustomControl {
    Q_OBJECT
public:
    explicit TqvSkinSpeedButton(QObject* AOwner = nullptr);
    ~TqvSkinSpeedButton() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void AdjustSkinSize(int& AWidth, int& AHeight) override;

    // OnClick when the button has one, else its action (the button's only
    // click: the platform's press-and-release click is not used).
    virtual void ButtonClick();
    void RefreshButton();

    bool Down() const { return FDown; }
    void SetDown(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v) { FGroupIndex = v; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v) { FAllowAllUp = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool RepeatMode() const { return FRepeatMode; }
    void SetRepeatMode(bool v) { FRepeatMode = v; }
    int RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int v) { FRepeatInterval = v; }
    TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const TBitmap& b);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    TCustomImageList* ImageList() const { return FImageList.data(); }
    void SetImageList(TCustomImageList* v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    TqvButtonLayout Layout() const { return FLayout; }
    void SetLayout(TqvButtonLayout v);
    int Margin() const { return FMargin; }
    void SetMargin(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool v);
    int WidthWithCaption() const { return FWidthWithCaption; }
    void SetWidthWithCaption(int v) { FWidthWithCaption = v; }
    int WidthWithoutCaption() const { return FWidthWithoutCaption; }
    void SetWidthWithoutCaption(int v) { FWidthWithoutCaption = v; }
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool v) { FUseSkinSize = v; }
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool v) { FUseSkinFontColor = v; }

    bool MouseIn() const { return FMouseIn; }
    int MorphStep() const { return FMorphKf; }
    bool MorphRunning() const { return FMorphTimer.Active(); }
    bool RepeatRunning() const { return FRepeatTimer.Active(); }
    // 0 normal, 1 hot, 2 down, 3 disabled, 4 transparent content only, 5 a blend.
    int LastState() const { return FLastState; }
    // What the last content drew: "images menu", "bar disabled", "bar hot",
    // "bar", "image list" or "glyph N"; and in which colour.
    QString LastContent() const { return FLastContent; }
    TColor LastFontColor() const { return FLastFontColor; }

    TqvSpeedButtonPaintEvent OnPaint;

protected:
    virtual void CreateStateImage(QImage& B, const TRect& R, bool ADown, bool AMouseIn);
    void PaintImage(QImage& B) override;
    void CreateControlDefaultImage(QImage& B) override;
    void CreateControlSkinImage(QImage& B) override { (void)B; }
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    void TextChanged() override;
    // Without a glyph of its own the button takes the action's image as its glyph.
    void ActionChange(TCustomAction* Sender, bool CheckDefaults) override;
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    virtual void MouseDownLeft(QPoint p);
    virtual void MouseUpLeft(QPoint p);
    virtual void PointerEnters();
    virtual void PointerLeaves();

    bool EffectsOn() const;
    bool MorphingOn() const { return Morphing && EffectsOn() && !FTransparent; }
    void MorphOrRepaint();
    void StopMorph() { FMorphTimer.Stop(); }
    void StopAnimate();
    TqvToolBarLists* Bar() const { return dynamic_cast<TqvToolBarLists*>(Parent()); }
    void SetCaptionFont(TCanvas& C) const;
    // The content (image or glyph beside the caption) in R.
    void DrawContent(TCanvas& C, const TRect& R, bool ADown, bool AMouseIn, bool Pressed);
    // The images menu whose selection the button shows (the menu speed button's).
    TqvMenuPointer<TqvImagesMenuRef> FImagesMenu;
    bool FUseImagesMenuImage = false, FUseImagesMenuCaption = false;

    bool FDown = false;
    bool FMouseIn = false;
    bool FMouseDown = false;
    bool FHover = false;
    bool FFlat = false;
    bool FTransparent = false;
    int FMorphKf = 0;
    int FLastState = 0;

    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect{}, DownSkinRect{}, DisabledSkinRect{}, AnimateSkinRect{};
    int FrameCount = 0, AnimateInterval = 25;
    bool Morphing = false;
    TqvMorphKind MorphKind = mkDefault;
    TRect MenuMarkerRect{}, MenuMarkerActiveRect{}, MenuMarkerDownRect{}, MenuMarkerFlatRect{};
    TColor MenuMarkerTransparentColor = 0;

private:
    void StartMorph();
    void MorphTimerProc();
    void StartAnimate(bool AInc);
    void AnimateTimerProc();
    void StartRepeat();
    void StopRepeat() { FRepeatTimer.Stop(); }
    void ReleaseGroup();
    void UpdateMnemonic();
    TRect AnimateFrameRect(int k) const;

    TqvSkinTimer FMorphTimer, FAnimateTimer, FRepeatTimer;
    int FCurrentFrame = 0;
    bool FAnimateInc = true;
    bool FAllowAllUpCheck = false;
    bool FRepeatFirst = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FRepeatMode = false;
    int FRepeatInterval = 100;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    QPointer<TCustomImageList> FImageList;
    int FImageIndex = 0;
    TqvButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1, FSpacing = 1;
    bool FShowCaption = true;
    int FWidthWithCaption = 0, FWidthWithoutCaption = 0;
    bool FUseSkinSize = true, FUseSkinFontColor = true;
    int FShortcutId = 0;
    QString FLastContent;
    TColor FLastFontColor = 0;
};
