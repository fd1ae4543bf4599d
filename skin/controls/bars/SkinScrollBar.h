// The skinned scroll bar: self-drawn (two arrow buttons and a thumb in a
// track), an integer range with an optional page, moved by clicks, repeats,
// dragging, keys and the wheel; every move of the position raises OnChange.
#pragma once

#include "skin/controls/base/SkinControl.h"
#include "skin/controls/base/SkinTimer.h"

enum TScrollBarKind { sbHorizontal, sbVertical };

class TqvSkinScrollBar : public TqvSkinCustomControl {
    Q_OBJECT
public:
    explicit TqvSkinScrollBar(QObject* AOwner = nullptr);

    void GetSkinData() override;
    void AdjustSkinSize(int& AWidth, int& AHeight) override;

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind v);
    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    // The one path that raises OnChange (only for a changed position).
    void SetPosition(int v);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int v) { FSmallChange = v; update(); }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int v) { FLargeChange = v; update(); }
    bool Both() const { return FBoth; }
    void SetBoth(bool v);
    int BothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(int v);
    QString BothSkinDataName() const { return FBothSkinDataName; }
    void SetBothSkinDataName(const QString& v) { FBothSkinDataName = v; }
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool v);
    // Stores the range and page without checks and a clamped position; no OnChange.
    void SetRange(int AMin, int AMax, int APosition, int APageSize);
    // A clamped position without OnChange.
    void SimplySetPosition(int v);

    // Part rectangles after the last layout: 0 thumb, 1 up, 2 down; the track.
    TRect PartRect(int i) const { return Buttons[i].R; }
    TRect TrackArea() const { return NewTrackArea; }
    int TimerMode() const { return FTimerMode; }
    void CalcRects();

    TNotifyEvent OnChange, OnLastChange, OnUpButtonClick, OnDownButtonClick, OnPageUp, OnPageDown;

protected:
    void CreateControlDefaultImage(QImage& B) override;
    void CreateControlSkinImage(QImage& B) override;
    void MouseLeave() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    struct TPart {
        TRect R{};
        bool MouseIn = false, Down = false;
    };
    int Clamp(int v) const;
    int ThumbLength(int trackLength) const;
    int PositionFromOffset(int a);
    void UpdateHotPart(int x, int y);
    void EnterPart(int i);
    void LeavePart(int i);
    void PressPart(int i);
    void ReleasePart(int i);
    void StartRepeat(int mode);
    void TimerTick();
    void StepButton(int mode);
    bool BeforeThumb(int x, int y) const;
    bool AfterThumb(int x, int y) const;
    bool ThumbFocusedLook() const { return FCanFocused && Focused(); }

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0, FSmallChange = 1, FLargeChange = 1;
    bool FBoth = false;
    int FBothMarkerWidth = 19;
    QString FBothSkinDataName = QStringLiteral("bothhscrollbar");
    QString FNormalSkinDataName;
    bool FCanFocused = false;

    TPart Buttons[3];
    TRect NewTrackArea{};
    int Offset1 = 0, Offset2 = 0, BOffset = 0;
    bool FDown = false;
    int OMPos = 0, OldBOffset = 0, MX = 0, MY = 0;
    bool MouseD = false, WaitMode = false;
    int FTimerMode = 0;
    int ActiveButton = -1, CaptureButton = -1;
    TqvSkinTimer FTimer;

    // From a scroll-bar record; rectangles in the picture unless noted.
    TRect SkTrackArea{}, UpButtonRect{}, DownButtonRect{};  // relative to the skin rectangle
    TRect ActiveUpButtonRect{}, DownUpButtonRect{}, ActiveDownButtonRect{}, DownDownButtonRect{};
    TRect ThumbRect{}, ActiveThumbRect{}, DownThumbRect{}, GlyphRect{}, ActiveGlyphRect{}, DownGlyphRect{};
    int ThumbOffset1 = 0, ThumbOffset2 = 0, ThumbMinSize = 0, ThumbMinPageSize = 0;
    bool ThumbTransparent = false, GlyphTransparent = false, ThumbStretchEffect = false;
    TColor ThumbTransparentColor = 0, GlyphTransparentColor = 0;
};
