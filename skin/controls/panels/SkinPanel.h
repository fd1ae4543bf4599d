// The skinned container: the skin around its children with the client filled
// from the skin, a background picture or a client texture only; a caption
// strip that can roll the panel up or act as a check box enabling the
// children; a transparent mode (optionally a group frame). Without a skin it
// draws a bordered panel in system colours.
#pragma once

#include "platform/ExtCtrls.h"
#include "skin/controls/base/SkinControl.h"
#include "skin/model/draw/DrawUtils.h"

enum TqvSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };
enum TqvImagePosition { qvipDefault, qvipLeft };

class TqvSkinPanel : public TqvSkinCustomControl, public TqvCentringParent {
    Q_OBJECT
public:
    explicit TqvSkinPanel(QObject* AOwner = nullptr);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& rect) override;
    TRect GetSkinClientRect();
    // The panel's current picture drawn on C at (X, Y).
    void PaintskinTo(TCanvas& C, int X, int Y);
    // The colour text reads in on the panel's skinned client (its skinless
    // caption's); none (false) while the panel has no skin record.
    bool ClientTextColor(TColor& Colour) const;
    void DoRollUp(bool ARollUp);
    // The tool bar answers true (its AdjustControls): children are then
    // centred vertically in the skin client rectangle.
    virtual bool AdjustsControls() const { return false; }
    bool CentreChildren(TRect& R) const override;

    TqvSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TqvSkinBorderStyle v);
    bool CaptionMode() const { return FCaptionMode; }
    virtual void SetCaptionMode(bool v);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    virtual void SetDefaultCaptionHeight(int v);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment v);
    bool RibbonStyle() const { return FRibbonStyle; }
    void SetRibbonStyle(bool v);
    bool TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(bool v);
    bool RollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool v);
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool v);
    int RealHeight() const { return FRealHeight; }
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    bool AutoEnabledControls() const { return FAutoEnabledControls; }
    void SetAutoEnabledControls(bool v) { FAutoEnabledControls = v; }
    TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const TBitmap& b);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    TqvImagePosition ImagePosition() const { return FImagePosition; }
    void SetImagePosition(TqvImagePosition v);
    TCustomImageList* CaptionImageList() const { return FCaptionImageList.data(); }
    void SetCaptionImageList(TCustomImageList* v);
    int CaptionImageIndex() const { return FCaptionImageIndex; }
    void SetCaptionImageIndex(int v);
    // The caption area at the current size (control coordinates).
    TRect NewCaptionRect() const { return FNewCaptionRect; }

    TNotifyEvent OnChecked;
    TNotifyEvent OnChangeRollUpState;

protected:
    // Client content of the transparent looks, on the finished picture.
    virtual void DoPanelPaint(TCanvas& C) { (void)C; }
    void PaintImage(QImage& B) override;
    void CreateControlDefaultImage(QImage& B) override;
    void CreateControlSkinImage(QImage& B) override;
    void CheckParentBackground() override;
    void TextChanged() override;
    void EnabledChanged() override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

    TRect CaptionRect{};
    TRect CheckImageRect{}, UnCheckImageRect{}, MarkFrameRect{}, FrameRect{}, FrameTextRect{};
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    int BGPictureIndex = -1;
    TAlignment Alignment = taCenter;
    QString FontName = QStringLiteral("Arial");
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;

private:
    void Relayout();
    void UpdateCaptionRect();
    TColor GetCaptionFontColor() const;
    void SetCaptionFont(TCanvas& C) const;
    int GetCaptionContentWidth(TCanvas& C) const;
    void DrawSkinCaption(TCanvas& C);
    void DrawGroupFrame(QImage& B);
    void DrawCaptionPicture(TCanvas& C, int x, const TRect& R);
    void TileClient(QImage& B, const TRect& area);
    void DrawBackgroundPicture(QImage& B);

    TqvSkinBorderStyle FBorderStyle = bvFrame;
    bool FCaptionMode = false;
    int FDefaultCaptionHeight = 22;
    TAlignment FDefaultAlignment = taLeftJustify;
    bool FRibbonStyle = false;
    bool FTransparentMode = false;
    bool FRollUpMode = false;
    bool FRollUpState = false;
    bool FInChangingRollUp = false;
    int FRealHeight = -1;
    TSizeConstraints FSavedConstraints;
    bool FCheckedMode = false;
    bool FChecked = false;
    bool FAutoEnabledControls = true;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    TqvImagePosition FImagePosition = qvipDefault;
    QPointer<TCustomImageList> FCaptionImageList;
    int FCaptionImageIndex = -1;
    TRect FNewCaptionRect{};
};
