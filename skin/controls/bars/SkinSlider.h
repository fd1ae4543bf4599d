// The skinned slider: a thumb sliding along a ruler between MinValue and
// MaxValue, horizontally or vertically, optionally snapping to multiples of
// Increment, with tick points, a focus rectangle, key jumps and a repeating
// jump while the ruler is held beside the thumb. Ruler and thumb come from
// the skin's "slider" record or from four bitmaps of the control (built-in
// ones drawn in code).
#pragma once

#include "skin/controls/base/SkinControl.h"
#include "skin/controls/base/SkinTimer.h"

enum TqvSliderOrientation { soHorizontal, soVertical };
enum TqvSliderOption : unsigned { soShowFocus = 1, soShowPoints = 2, soSmooth = 4, soRulerOpaque = 8, soThumbOpaque = 16 };
using TqvSliderOptions = unsigned;
enum TqvSliderImage { siHThumb, siHRuler, siVThumb, siVRuler };
enum TqvJumpMode { jmNone, jmHome, jmEnd, jmNext, jmPrior };

class TqvSkinCustomSlider : public TqvSkinControl {
    Q_OBJECT
public:
    explicit TqvSkinCustomSlider(QObject* AOwner = nullptr);
    ~TqvSkinCustomSlider() override;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    int MinValue() const { return FMinValue; }
    void SetMinValue(int v);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int v);
    // Refused when Min >= Max (outside form loading).
    void SetRange(int AMin, int AMax);
    int Increment() const { return FIncrement; }
    void SetIncrement(int v);
    int Value() const { return FValue; }
    void SetValue(int v);
    TqvSliderOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TqvSliderOrientation v);
    TqvSliderOptions Options() const { return FOptions; }
    void SetOptions(TqvSliderOptions v);
    int EdgeSize() const { return FEdgeSize; }
    void SetEdgeSize(int v);
    int NumThumbStates() const { return FNumThumbStates; }
    void SetNumThumbStates(int v);
    // A null image restores the built-in one (and drops its opaque option).
    const QImage& Image(TqvSliderImage i) const { return FImages[i]; }
    void SetImage(TqvSliderImage i, const QImage& Bitmap);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool UseSkinThumb() const { return FUseSkinThumb; }
    void SetUseSkinThumb(bool v) { FUseSkinThumb = v; }

    // Geometry (control coordinates) and the value mapping.
    TRect ThumbRect() const { return FThumbRect; }
    TPoint RulerOrigin() const { return FRulerOrg; }
    TSize RulerSize() const { return {FRuler.width(), FRuler.height()}; }
    TRect PointsRect() const { return FPointsRect; }
    int RulerLength() const;
    int OffsetFromValue(int V) const;
    int ValueFromOffset(int O) const;
    void Jump(TqvJumpMode Mode);
    TqvJumpMode JumpModeAt(int X, int Y) const;
    bool Sliding() const { return FSliding; }
    bool Tracking() const { return FTracking; }
    // Ticks: StepMultiplier is the K that kept them 4 pixels apart; offsets along the ruler.
    void DrawPoints(TCanvas& C, int PointsStep, int PointsHeight, int ExtremePointsHeight);
    const std::vector<int>& LastTickOffsets() const { return FTicks; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanged;
    std::function<void(QObject* Sender)> OnDrawPoints;

protected:
    void PaintImage(QImage& B) override;
    void CheckParentBackground() override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void EnabledChanged() override { update(); }
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void Loaded() override;

private:
    bool SkinThumb() const { return FHasRecord && !Picture.isNull() && FUseSkinThumb; }
    bool SkinRuler() const { return FHasRecord && !Picture.isNull(); }
    int ThumbStates() const { return SkinThumb() ? 2 : FNumThumbStates; }
    int ThumbStateWidth() const;
    int ThumbHeight() const;
    void ArrangeParts();
    void BuildRuler();
    void MoveThumbTo(int O);
    int SnapThumbOffset(int O) const;
    void TrackStep();
    void StopTracking();
    static QImage BuiltIn(TqvSliderImage i);

    int FMinValue = 0, FMaxValue = 100, FIncrement = 10, FValue = 0;
    TqvSliderOrientation FOrientation = soHorizontal;
    TqvSliderOptions FOptions = soShowFocus | soShowPoints | soSmooth;
    int FEdgeSize = 2;
    int FNumThumbStates = 2;
    QImage FImages[4];
    unsigned FUserImages = 0;
    bool FTransparent = false;
    bool FUseSkinThumb = true;

    QImage FRuler;
    TPoint FRulerOrg{};
    TRect FThumbRect{}, FPointsRect{};
    bool FSliding = false, FThumbDown = false, FTracking = false;
    int FHit = 0;
    QPoint FMousePos;
    TqvJumpMode FStartJump = jmNone;
    TqvSkinTimer FTrackTimer;
    std::vector<int> FTicks;

    bool FHasRecord = false;
    QImage Picture;
    TRect HRulerRect{}, HThumbRect{}, VRulerRect{}, VThumbRect{};
    int SkinEdgeSize = 0;
    TColor BGColor = 0, PointsColor = 0;
};

class TqvSkinSlider : public TqvSkinCustomSlider {
    Q_OBJECT
public:
    using TqvSkinCustomSlider::TqvSkinCustomSlider;
};
