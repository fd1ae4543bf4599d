#include "platform/ExtCtrls.h"

#include <algorithm>

void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width) {
    const TPen saved = canvas.Pen();
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetMode(pmCopy);
    --r.Bottom;
    --r.Right;
    for (; width > 0; --width) {
        canvas.Pen().SetColor(topColor);
        canvas.Polyline({{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}});
        canvas.Pen().SetColor(bottomColor);
        canvas.Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}});
        InflateRect(r, -1, -1);
    }
    ++r.Bottom;
    ++r.Right;
    canvas.Pen().Assign(saved);
}

// ---- TPanel ----

TPanel::TPanel(QObject* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 41); }

void TPanel::Changed() {
    update();
    Realign();
}

void TPanel::SetBevelOuter(TBevelCut v) { FBevelOuter = v; Changed(); }
void TPanel::SetBevelInner(TBevelCut v) { FBevelInner = v; Changed(); }
void TPanel::SetBevelWidth(int v) { FBevelWidth = std::max(1, v); Changed(); }
void TPanel::SetBorderWidth(int v) { FBorderWidth = std::max(0, v); Changed(); }
void TPanel::SetBorderStyle(TPanelBorderStyle v) { FBorderStyle = v; Changed(); }
void TPanel::SetAlignment(TAlignment v) { FAlignment = v; update(); }

void TPanel::AdjustClientRect(TRect& rect) {
    int inset = FBorderWidth + (FBorderStyle == bsSingleBorder ? 1 : 0);
    if (FBevelOuter != TBevelCut::bvNone) inset += FBevelWidth;
    if (FBevelInner != TBevelCut::bvNone) inset += FBevelWidth;
    InflateRect(rect, -inset, -inset);
}

void TPanel::Paint() {
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    if (FBorderStyle == bsSingleBorder) {
        c.Brush().SetColor(clWindowFrame);
        c.FrameRect(r);
        InflateRect(r, -1, -1);
    }
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone) return;
        const TColor top = cut == TBevelCut::bvLowered ? clBtnShadow : clBtnHighlight;
        const TColor bottom = cut == TBevelCut::bvLowered ? clBtnHighlight : clBtnShadow;
        if (cut == TBevelCut::bvSpace) Frame3D(c, r, Color(), Color(), FBevelWidth);
        else Frame3D(c, r, top, bottom, FBevelWidth);
    };
    bevel(FBevelOuter);
    Frame3D(c, r, Color(), Color(), FBorderWidth);
    bevel(FBevelInner);
    if (Caption().isEmpty()) return;
    c.Brush().SetStyle(bsClear);
    const unsigned align = FAlignment == taLeftJustify ? DT_LEFT : FAlignment == taRightJustify ? DT_RIGHT : DT_CENTER;
    c.DrawText(Caption(), r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | align);
}

// ---- TImage ----

TImage::TImage(QObject* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 105, 105); }

void TImage::SetPicture(const QImage& image) {
    const bool transparent = FPicture.Transparent();
    FPicture.Assign(image);
    FPicture.SetTransparent(transparent);
    PictureChanged();
}

void TImage::PictureChanged() {
    if (FAutoSize && !FPicture.Empty()) SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
    update();
}

TCanvas& TImage::Canvas() {
    if (FPicture.Empty()) FPicture.SetSize(Width(), Height());
    update();
    return FPicture.Canvas();
}

void TImage::SetAutoSize(bool v) {
    FAutoSize = v;
    PictureChanged();
}

TRect TImage::DestRect() const {
    int w = FPicture.Width(), h = FPicture.Height();
    const int cw = Width(), ch = Height();
    if (w <= 0 || h <= 0) return {};
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional) {
            // Fit inside keeping the shape; one of the sides touches.
            if (static_cast<long long>(cw) * h > static_cast<long long>(ch) * w) {
                w = int(static_cast<long long>(w) * ch / h);
                h = ch;
            } else {
                h = int(static_cast<long long>(h) * cw / w);
                w = cw;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r = Bounds(0, 0, w, h);
    if (FCenter) OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint() {
    if (FPicture.Empty()) return;
    QImage* target = TGraphicControl::Canvas().Image();
    const TRect src = Rect(0, 0, FPicture.Width(), FPicture.Height());
    if (FPicture.Transparent()) TransparentBlt(*target, DestRect(), FPicture.Image(), src, FPicture.TransparentColor());
    else StretchBlt(*target, DestRect(), FPicture.Image(), src);
}

// ---- TTimer ----

TTimer::TTimer(QObject* AOwner) : TComponent(AOwner) { UpdateTimer(); }

TTimer::~TTimer() {
    if (FId && FSource) FSource->StopTimer(FId);
}

void TTimer::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetInterval(int v) {
    if (v == FInterval) return;
    FInterval = v;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (FId && FSource) FSource->StopTimer(FId);
    FId = 0;
    FSource.reset();
    if (!FEnabled || FInterval <= 0) return;
    FSource = TickSourcePtr();
    FId = FSource->StartTimer(FInterval, [this] {
        if (OnTimer) OnTimer(this);
    });
}
