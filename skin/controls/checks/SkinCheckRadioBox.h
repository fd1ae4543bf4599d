// The skinned check box and radio box in one control: a glyph and a caption
// from the skin's "checkbox" or "radiobox" record, a third (grayed) state, a
// hover and focus fade, word wrap and an image beside the caption. The flat
// look (default) draws only glyph, image and caption over what lies under
// the control; the framed look draws the whole record resized to the control.
#pragma once

#include "platform/StdCtrls.h"
#include "skin/controls/base/SkinControl.h"
#include "skin/controls/base/SkinTimer.h"

class TqvSkinCheckRadioBox : public TqvSkinCustomControl {
    Q_OBJECT
public:
    explicit TqvSkinCheckRadioBox(QObject* AOwner = nullptr);
    ~TqvSkinCheckRadioBox() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void AdjustSkinSize(int& AWidth, int& AHeight) override;

    // Every write repaints and runs OnClick (a radio box only when checked),
    // also for the current value; checking unchecks the group.
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    // Runs OnClick; never touches the group.
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v);
    bool Radio() const { return FRadio; }
    void SetRadio(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v) { FGroupIndex = v; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TCustomImageList* Images() const { return FImages.data(); }
    void SetImages(TCustomImageList* v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    bool UseSkinFontColor() const { return FUseSkinFontColor; }
    void SetUseSkinFontColor(bool v) { FUseSkinFontColor = v; }
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool v);

    virtual void ToggleChecked();
    void UncheckGroup();
    // The control as it looks with Checked = AChecked, at (X, Y) on C.
    void PaintSkinTo(TCanvas& C, int X, int Y, bool AChecked);
    // The caption's font as the box draws it (skin font when skinned).
    void ApplyCaptionFont(TCanvas& C) const { SetCaptionFont(C); }

    bool MouseIn() const { return FMouseIn; }
    int MorphStep() const { return FMorphKf; }
    bool MorphRunning() const { return FMorphTimer.Active(); }
    // The caption colour and rectangle of the last picture.
    TColor LastCaptionColor() const { return FCaptionColor; }
    TRect LastCaptionRect() const { return FCaptionRect; }
    TRect CheckImageRectNow() const { return CIRect; }
    TRect TextAreaNow() const { return NewTextArea; }

protected:
    void PaintImage(QImage& B) override;
    void CreateControlDefaultImage(QImage& B) override;
    void CheckParentBackground() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    void TextChanged() override;
    // Checked follows the linked action (when just linked to a loading action,
    // only while the box is unchecked).
    void ActionChange(TCustomAction* Sender, bool CheckDefaults) override;
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    bool ShowsFocus() const { return FCanFocused && Focused(); }
    bool Skinned() const { return FIndex != -1 && FHasRecord; }
    bool EnableMorphing() const;
    void HoverChanged();
    void MorphTick();
    void PaintFlat(TCanvas& C, bool checked, TCheckBoxState state, bool hover, bool focus);
    TColor FlatTextColor();
    void CreateStateImage(QImage& B, const TRect& R, bool Active, TCheckBoxState state, bool paintTo);
    void DrawGlyph(TCanvas& C, int X, int Y, const TRect& R);
    void DrawGrayedGlyph(TCanvas& C, int X, int Y, const TRect& R, bool hover);
    TRect GlyphRect(bool hover, TCheckBoxState state) const;
    void DrawGlyphFor(TCanvas& C, int X, int Y, bool hover, TCheckBoxState state);
    void SetCaptionFont(TCanvas& C) const;
    bool ShowImage() const { return FImages && FImageIndex >= 0 && FImageIndex < FImages->Count(); }
    void UpdateMnemonic();

    bool FChecked = false;
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false, FRadio = false, FWordWrap = false, FFlat = true;
    int FGroupIndex = 0;
    QPointer<TCustomImageList> FImages;
    int FImageIndex = 0;
    bool FUseSkinFontColor = true, FCanFocused = true;
    bool FMouseIn = false, FMouseDown = false;
    TqvSkinTimer FMorphTimer;
    int FMorphKf = 0;
    TRect CIRect{}, NewTextArea{};
    TColor FCaptionColor = 0;
    TRect FCaptionRect{};
    int FShortcutId = 0;
    bool FHasRecord = false;

    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, ActiveFontColor = 0, UnEnabledFontColor = 0, FrameFontColor = 0;
    TRect ActiveSkinRect{}, CheckImageArea{}, TextArea{};
    TRect CheckImageRect{}, UnCheckImageRect{}, ActiveCheckImageRect{}, ActiveUnCheckImageRect{};
    TRect UnEnabledCheckImageRect{}, UnEnabledUnCheckImageRect{}, GrayedCheckImageRect{}, ActiveGrayedCheckImageRect{};
    bool Morphing = false;
    TqvMorphKind MorphKind = mkDefault;
};
