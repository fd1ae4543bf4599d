// The skinned push button: five state pictures from one skin picture, a
// blend between the normal and the active picture as the pointer comes and
// goes (morphing), frame animations, auto-repeat, groups, a glow frame in a
// layered window, glyph or image beside the caption, and the dialog roles of
// the default and the cancel button.
#pragma once

#include "platform/Form.h"
#include "skin/controls/base/SkinControl.h"
#include "skin/controls/base/SkinTimer.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/LayerManager.h"

#include <QPointer>

using TqvButtonPaintEvent =
    std::function<void(QObject* Sender, TCanvas& Cnvs, TRect R, bool ADown, bool AMouseIn, bool& DrawDefault)>;

class TqvSkinButton : public TqvSkinCustomControl {
    Q_OBJECT
public:
    explicit TqvSkinButton(QObject* AOwner = nullptr);
    ~TqvSkinButton() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    void AdjustSkinSize(int& AWidth, int& AHeight) override;

    // The button's own click: the form's modal result, then OnClick.
    virtual void ButtonClick();
    // Pointer out, up, no blend, no animation.
    void RefreshButton();
    void ShowLayer();
    void HideLayer();
    bool DialogKey(int key, Qt::KeyboardModifiers shift) override;
    bool IsButtonControl() const override { return true; }

    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v) { FAllowAllUp = v; }
    bool RepeatMode() const { return FRepeatMode; }
    void SetRepeatMode(bool v) { FRepeatMode = v; }
    int RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int v) { FRepeatInterval = v; }
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool v) { FUseSkinSize = v; }
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool v) { FUseSkinFontColor = v; }
    bool AlwaysShowLayeredFrame() const { return FAlwaysShowGlowFrame; }
    void SetAlwaysShowLayeredFrame(bool v) { FAlwaysShowGlowFrame = v; }
    TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const TBitmap& b);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    int Margin() const { return FMargin; }
    void SetMargin(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    TqvButtonLayout Layout() const { return FLayout; }
    void SetLayout(TqvButtonLayout v);
    TCustomImageList* ImageList() const { return FImageList.data(); }
    void SetImageList(TCustomImageList* v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);

    // The morph factor in fifths: 0 the normal picture, 5 the active one.
    int MorphStep() const { return FMorphKf; }
    bool MouseIn() const { return FMouseIn; }
    bool Active() const { return FActive; }
    bool MorphRunning() const { return FMorphTimer.Active(); }
    bool RepeatRunning() const { return FRepeatTimer.Active(); }
    int CurrentFrame() const { return FCurrentFrame; }
    TqvLayerManager* LayerManager() const { return FLayerManager; }
    // The state picture: 0 normal, 1 active, 2 down, 3 disabled, 4 focused,
    // 5 a blend (what the last picture showed).
    int LastState() const { return FLastState; }

    TqvButtonPaintEvent OnPaint;

protected:
    virtual void CreateStateImage(QImage& B, const TRect& R, bool ADown, bool AMouseIn);
    void PaintImage(QImage& B) override;
    void CreateControlDefaultImage(QImage& B) override;
    void CreateControlSkinImage(QImage& B) override { (void)B; }
    void MouseEnter() override;
    void MouseLeave() override;
    void WndProc(TMessage& message) override;
    void EnabledChanged() override;
    void TextChanged() override;
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool EffectsOn() const;
    bool MorphingOn() const { return Morphing && EffectsOn(); }
    bool IsFocused() const;
    TRect GetAnimateFrameRect(int i) const;
    int GetGlyphIndex(bool ADown, bool AMouseIn) const;
    void CreateStretchedStateImage(QImage& B, const TRect& R, bool ADown, bool AMouseIn);
    void DrawContent(TCanvas& C, const TRect& R, bool ADown, bool AMouseIn, TColor fontColor);
    void SetCaptionFont(TCanvas& C) const;
    void RedrawState();
    void StartMorph();
    void StopMorph() { FMorphTimer.Stop(); }
    void MorphTimerProc();
    void StartAnimate(bool AInc);
    void StopAnimate();
    void AnimateTimerProc();
    void StartRepeatTimer();
    void StopRepeatTimer() { FRepeatTimer.Stop(); }
    void ReleaseGroup();
    void MouseDownLeft();
    void MouseUpLeft();
    // The pointer came or went; Qt reports it after a release only, so moves
    // while the button is held report it too.
    void PointerEnters();
    void PointerLeaves();
    void FocusChanged(QWidget* now);
    bool LooksChangeOnPointer() const;
    QImage GlowPicture(int index, bool mask) const;
    void UpdateMnemonic();

    TqvLayerManager* FLayerManager;
    TqvSkinTimer FAnimateTimer, FRepeatTimer, FMorphTimer;
    int FCurrentFrame = 0;
    bool FAnimateInc = true;
    bool FUseSkinFontColor = true;
    bool FUseSkinSize = true;
    bool FRepeatMode = false;
    int FRepeatInterval = 100;
    bool FActive = false;
    bool FAllowAllUp = false;
    bool FAllowAllUpCheck = false;
    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
    bool FClicksDisabled = false;
    bool FCanFocused = true;
    bool FDown = false;
    bool FMouseIn = false;
    bool FMouseDown = false;
    bool FHover = false;  // where the pointer is as far as enter, leave and held moves told
    int FGroupIndex = 0;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 1;
    TqvButtonLayout FLayout = blGlyphLeft;
    int FMorphKf = 0;
    QPointer<TCustomImageList> FImageList;
    int FImageIndex = -1;
    bool FAlwaysShowGlowFrame = false;
    int FShortcutId = 0;
    int FLastState = 0;

    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect{}, DownSkinRect{}, DisabledSkinRect{}, FocusedSkinRect{}, AnimateSkinRect{};
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool Morphing = false;
    TqvMorphKind MorphKind = mkDefault;
    bool ShowFocus = false;
    int GlowLayerPictureIndex = -1, GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetLeft = 0, GlowLayerOffsetRight = 0, GlowLayerOffsetTop = 0, GlowLayerOffsetBottom = 0;
    int GlowLayerShowOffsetX = 0, GlowLayerShowOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;
};
