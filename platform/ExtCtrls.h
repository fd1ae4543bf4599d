// Panels, images and timers.
#pragma once

#include "platform/Control.h"
#include "platform/Graphics.h"
#include "platform/Sources.h"

#include <memory>

// Scoped: the skin library has border styles of the same names.
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TPanelBorderStyle { bsNoBorder, bsSingleBorder };

// Draws the class library's 3-D frame Width pixels deep inside r and shrinks
// r by it: top and left edges in TopColor, bottom and right in BottomColor.
void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width);

class TPanel : public TCustomControl {
    Q_OBJECT
public:
    explicit TPanel(QObject* AOwner = nullptr);

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    TPanelBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TPanelBorderStyle v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);

    // Aligned children stay inside the border and bevels.
    void AdjustClientRect(TRect& rect) override;

protected:
    void Paint() override;
    void TextChanged() override { update(); }

private:
    void Changed();

    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    TBevelCut FBevelInner = TBevelCut::bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TPanelBorderStyle FBorderStyle = bsNoBorder;
    TAlignment FAlignment = taCenter;
};

class TImage : public TGraphicControl {
    Q_OBJECT
public:
    explicit TImage(QObject* AOwner = nullptr);

    // The picture; call PictureChanged after drawing on it directly.
    TBitmap& Picture() { return FPicture; }
    void SetPicture(const QImage& image);
    void PictureChanged();
    // Draws on the picture (a blank picture takes the control's size first).
    TCanvas& Canvas();

    bool Stretch() const { return FStretch; }
    void SetStretch(bool v) { FStretch = v; update(); }
    bool Proportional() const { return FProportional; }
    void SetProportional(bool v) { FProportional = v; update(); }
    bool Center() const { return FCenter; }
    void SetCenter(bool v) { FCenter = v; update(); }
    bool Transparent() const { return FPicture.Transparent(); }
    void SetTransparent(bool v) { FPicture.SetTransparent(v); update(); }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    // Where the picture lands inside the control.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    TBitmap FPicture;
    bool FStretch = false;
    bool FProportional = false;
    bool FCenter = false;
    bool FAutoSize = false;
};

class TTimer : public TComponent {
    Q_OBJECT
public:
    explicit TTimer(QObject* AOwner = nullptr);
    ~TTimer() override;

    // Runs OnTimer every Interval ms while Enabled and Interval > 0.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    int Interval() const { return FInterval; }
    void SetInterval(int v);

    TNotifyEvent OnTimer;

private:
    void UpdateTimer();

    bool FEnabled = true;
    int FInterval = 1000;
    int FId = 0;
    std::shared_ptr<TTickSource> FSource;  // the source FId belongs to
};
