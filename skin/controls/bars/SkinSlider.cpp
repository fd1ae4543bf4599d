#include "skin/controls/bars/SkinSlider.h"

#include "platform/Application.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>

namespace {
constexpr int kInset = 6;
constexpr int kTrackInterval = 400;
constexpr TColor kKey = RGB(255, 0, 255);

// Halves to even, as every rounding of the slider.
int RoundEven(double v) { return int(std::nearbyint(v)); }

bool Inside(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

void Fill(QImage& img, int x0, int y0, int x1, int y1, TColor c) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) img.setPixel(x, y, ColorToQColor(c).rgb());
}
}  // namespace

// Our own built-in pictures: a pointer thumb in two states (normal, pressed)
// and a sunken groove, each on the magenta key colour.
QImage TqvSkinCustomSlider::BuiltIn(TqvSliderImage i) {
    const TColor face = RGB(236, 233, 216), dark = RGB(96, 96, 96), light = RGB(255, 255, 255),
                 pressed = RGB(182, 189, 210);
    QImage img;
    switch (i) {
    case siHThumb: {
        img = QImage(18, 17, QImage::Format_RGB32);
        img.fill(ColorToQColor(kKey));
        for (int s = 0; s < 2; ++s) {
            const int x0 = s * 9;
            const TColor body = s ? pressed : face;
            for (int y = 0; y < 17; ++y) {
                // A rectangle for 11 rows, then a point downwards.
                const int inset = y < 11 ? 0 : y - 10;
                if (inset > 4) break;
                Fill(img, x0 + inset, y, x0 + 9 - inset, y + 1, dark);
                if (9 - 2 * inset > 2) Fill(img, x0 + inset + 1, y, x0 + 8 - inset, y + 1, y == 0 ? light : body);
            }
            Fill(img, x0, 0, x0 + 9, 1, dark);
        }
        break;
    }
    case siVThumb: {
        img = QImage(38, 9, QImage::Format_RGB32);
        img.fill(ColorToQColor(kKey));
        for (int s = 0; s < 2; ++s) {
            const int x0 = s * 19;
            const TColor body = s ? pressed : face;
            for (int x = 0; x < 19; ++x) {
                const int inset = x < 13 ? 0 : x - 12;
                if (inset > 4) break;
                Fill(img, x0 + x, inset, x0 + x + 1, 9 - inset, dark);
                if (9 - 2 * inset > 2) Fill(img, x0 + x, inset + 1, x0 + x + 1, 8 - inset, x == 0 ? light : body);
            }
            Fill(img, x0, 0, x0 + 1, 9, dark);
        }
        break;
    }
    case siHRuler:
        img = QImage(10, 8, QImage::Format_RGB32);
        img.fill(ColorToQColor(kKey));
        Fill(img, 0, 2, 10, 6, light);
        Fill(img, 0, 2, 10, 3, dark);
        Fill(img, 0, 2, 1, 6, dark);
        break;
    case siVRuler:
        img = QImage(8, 10, QImage::Format_RGB32);
        img.fill(ColorToQColor(kKey));
        Fill(img, 2, 0, 6, 10, light);
        Fill(img, 2, 0, 3, 10, dark);
        Fill(img, 2, 0, 6, 1, dark);
        break;
    }
    return img;
}

TqvSkinCustomSlider::TqvSkinCustomSlider(QObject* AOwner) : TqvSkinControl(AOwner) {
    FSkinDataName = QStringLiteral("slider");
    for (int i = 0; i < 4; ++i) FImages[i] = BuiltIn(TqvSliderImage(i));
    setFocusPolicy(Qt::StrongFocus);
    SetTabStop(true);
    SetBounds(Left(), Top(), 150, 40);
    ArrangeParts();
}

TqvSkinCustomSlider::~TqvSkinCustomSlider() { FTrackTimer.Stop(); }

// ---- record ----

void TqvSkinCustomSlider::GetSkinData() {
    TqvSkinControl::GetSkinData();
    const auto* r = dynamic_cast<const TqvDataSkinSlider*>(Record());
    FHasRecord = r != nullptr;
    if (!r) return;
    const int pi = r->PictureIndex;
    Picture = pi >= 0 && pi < int(FSD->FActivePictures.size()) ? FSD->FActivePictures[std::size_t(pi)] : QImage();
    HRulerRect = r->HRulerRect;
    HThumbRect = r->HThumbRect;
    VRulerRect = r->VRulerRect;
    VThumbRect = r->VThumbRect;
    SkinEdgeSize = r->EdgeSize;
    BGColor = r->BGColor;
    PointsColor = r->PointsColor;
}

void TqvSkinCustomSlider::ChangeSkinData() {
    GetSkinData();
    ArrangeParts();
}

void TqvSkinCustomSlider::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool resized = AWidth != Width() || AHeight != Height();
    TqvSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (resized && !Loading()) ArrangeParts();
}

// ---- geometry ----

int TqvSkinCustomSlider::ThumbStateWidth() const {
    if (SkinThumb()) return (FOrientation == soHorizontal ? HThumbRect : VThumbRect).Width() / 2;
    const QImage& t = FImages[FOrientation == soHorizontal ? siHThumb : siVThumb];
    return t.width() / std::max(1, FNumThumbStates);
}

int TqvSkinCustomSlider::ThumbHeight() const {
    if (SkinThumb()) return (FOrientation == soHorizontal ? HThumbRect : VThumbRect).Height();
    return FImages[FOrientation == soHorizontal ? siHThumb : siVThumb].height();
}

int TqvSkinCustomSlider::RulerLength() const {
    return FOrientation == soHorizontal ? FRuler.width() - ThumbStateWidth() : FRuler.height() - ThumbHeight();
}

void TqvSkinCustomSlider::BuildRuler() {
    const bool h = FOrientation == soHorizontal;
    if (SkinRuler()) {
        const TRect src = h ? HRulerRect : VRulerRect;
        const int len = std::max(0, (h ? Width() : Height()) - 2 * kInset);
        if (len <= 0 || src.Width() <= 0 || src.Height() <= 0) {
            FRuler = QImage();
            return;
        }
        if (h) MakeHorzSkinImage(SkinEdgeSize, SkinEdgeSize, FRuler, Picture, src, len, src.Height(), false);
        else MakeVertSkinImage(SkinEdgeSize, SkinEdgeSize, FRuler, Picture, src, src.Width(), len, false);
        return;
    }
    const QImage& img = FImages[h ? siHRuler : siVRuler];
    const int imgLen = h ? img.width() : img.height();
    const int thick = h ? img.height() : img.width();
    const int L = std::max((h ? Width() : Height()) - 2 * kInset, 0);
    if (L <= 0 || thick <= 0) {
        FRuler = QImage();
        return;
    }
    FRuler = h ? QImage(L, thick, QImage::Format_RGB32) : QImage(thick, L, QImage::Format_RGB32);
    FRuler.fill(ColorToQColor(kKey));
    const int E = FEdgeSize, M = imgLen - 2 * E, A = L - 2 * E;
    auto piece = [&](int srcOff, int len, int at) {
        if (len <= 0) return;
        if (h) BitBlt(FRuler, at, 0, len, thick, img, srcOff, 0);
        else BitBlt(FRuler, 0, at, thick, len, img, 0, srcOff);
    };
    piece(0, imgLen - E, 0);
    // A ruler image no longer than its two ends has no middle to repeat.
    if (M <= 0 || A < 0) {
        piece(imgLen - E, E, L - E);
        return;
    }
    const int N = A / M, rest = A % M;
    for (int i = 1; i <= N; ++i) {
        if (i < N) piece(E, M, E + i * M);
        else piece(E + M - rest, E + rest, E + N * M);
    }
}

void TqvSkinCustomSlider::ArrangeParts() {
    GetSkinData();
    const int value = FValue;
    BuildRuler();
    const int TW = ThumbStateWidth(), TH = ThumbHeight();
    const int W = Width(), H = Height();
    if (FOrientation == soHorizontal) {
        const int rh = FRuler.height();
        if (rh < TH) {
            FThumbRect = Rect(kInset, kInset, kInset + TW, kInset + TH);
            FRulerOrg = {kInset, kInset + (TH - rh) / 2};
            FPointsRect = Rect(FRulerOrg.X, TH + 7, FRulerOrg.X + FRuler.width(), H - 1);
        } else {
            const int t = kInset + (rh - TH) / 2;
            FThumbRect = Rect(kInset, t, kInset + TW, t + TH);
            FRulerOrg = {kInset, kInset};
            FPointsRect = Rect(FRulerOrg.X, rh + 7, FRulerOrg.X + FRuler.width(), H - 1);
        }
    } else {
        const int rw = FRuler.width();
        if (rw < TW) {
            FThumbRect = Rect(kInset, kInset, kInset + TW, kInset + TH);
            FRulerOrg = {kInset + (TW - rw) / 2, kInset};
            FPointsRect = Rect(TW + 7, FRulerOrg.Y, W - 1, FRulerOrg.Y + FRuler.height());
        } else {
            const int l = kInset + (rw - TW) / 2;
            FThumbRect = Rect(l, kInset, l + TW, kInset + TH);
            FRulerOrg = {kInset, kInset};
            FPointsRect = Rect(rw + 7, FRulerOrg.Y, W - 1, FRulerOrg.Y + FRuler.height());
        }
    }
    FValue = value;
    MoveThumbTo(OffsetFromValue(FValue));
    update();
}

int TqvSkinCustomSlider::OffsetFromValue(int V) const {
    const int range = FMaxValue - FMinValue;
    // A zero range has no fraction to place: the start.
    const double f = range == 0 ? 0.0 : double(V - FMinValue) / range;
    int O = RoundEven(RulerLength() * f) + kInset;
    if (FOrientation == soVertical) O = Height() - O - ThumbHeight();
    return std::max(O, kInset);
}

int TqvSkinCustomSlider::ValueFromOffset(int O) const {
    if (FOrientation == soVertical) O = Height() - O - ThumbHeight();
    const int rl = RulerLength();
    int X = rl == 0 ? 0 : RoundEven(double(O - kInset) * (FMaxValue - FMinValue) / rl);
    if (!(FOptions & soSmooth) && FIncrement > 0) X = RoundEven(double(X) / FIncrement) * FIncrement;
    return std::min(std::max(X, 0) + FMinValue, FMaxValue);
}

int TqvSkinCustomSlider::SnapThumbOffset(int O) const {
    const int rl = std::max(0, RulerLength());
    O = std::max(O, kInset);
    O = OffsetFromValue(ValueFromOffset(std::min(O, kInset + rl)));
    return std::min(O, kInset + rl);
}

void TqvSkinCustomSlider::MoveThumbTo(int O) {
    const int old = FValue;
    const int s = SnapThumbOffset(O);
    update(FThumbRect.ToQRect());
    if (FOrientation == soHorizontal) FThumbRect = Rect(s, FThumbRect.Top, s + FThumbRect.Width(), FThumbRect.Bottom);
    else FThumbRect = Rect(FThumbRect.Left, s, FThumbRect.Right, s + FThumbRect.Height());
    update(FThumbRect.ToQRect());
    if (FSliding) {
        FValue = ValueFromOffset(s);
        if (FValue != old && OnChange) OnChange(this);
    }
}

// ---- values ----

void TqvSkinCustomSlider::SetValue(int v) {
    v = std::clamp(v, FMinValue, std::max(FMinValue, FMaxValue));
    const int old = FValue;
    FValue = v;
    const bool sliding = FSliding;
    FSliding = false;
    MoveThumbTo(OffsetFromValue(v));
    FSliding = sliding;
    if (v != old && OnChange) OnChange(this);
}

void TqvSkinCustomSlider::SetRange(int AMin, int AMax) {
    if (AMin >= AMax && !Loading()) return;
    FMinValue = AMin;
    FMaxValue = AMax;
    if (!Loading() && AMax < AMin + FIncrement) FIncrement = std::max(1, AMax - AMin);
    if (FOptions & soShowPoints) update();
    SetValue(FValue);
}

void TqvSkinCustomSlider::SetMinValue(int v) {
    if (v != FMinValue) SetRange(v, FMaxValue);
}

void TqvSkinCustomSlider::SetMaxValue(int v) {
    if (v != FMaxValue) SetRange(FMinValue, v);
}

void TqvSkinCustomSlider::SetIncrement(int v) {
    if (v < 1 || v == FIncrement) return;
    FIncrement = v;
    SetValue(FValue);
    update();
}

void TqvSkinCustomSlider::SetOrientation(TqvSliderOrientation v) {
    if (v == FOrientation) return;
    FOrientation = v;
    if (!Loading()) SetBounds(Left(), Top(), Height(), Width());
    ArrangeParts();
}

void TqvSkinCustomSlider::SetOptions(TqvSliderOptions v) {
    FOptions = v;
    update();
}

void TqvSkinCustomSlider::SetEdgeSize(int v) {
    const QImage& r = FImages[FOrientation == soHorizontal ? siHRuler : siVRuler];
    const int len = FOrientation == soHorizontal ? r.width() : r.height();
    if (v == FEdgeSize || 2 * v >= len || v < 0) return;
    FEdgeSize = v;
    ArrangeParts();
}

void TqvSkinCustomSlider::SetNumThumbStates(int v) {
    v = std::clamp(v, 1, 2);
    if (v == FNumThumbStates) return;
    FNumThumbStates = v;
    ArrangeParts();
}

void TqvSkinCustomSlider::SetImage(TqvSliderImage i, const QImage& Bitmap) {
    if (!Bitmap.isNull()) {
        FImages[i] = Bitmap.convertToFormat(QImage::Format_RGB32);
        FUserImages |= 1u << i;
    } else {
        FImages[i] = BuiltIn(i);
        FUserImages &= ~(1u << i);
        if (!Loading()) FOptions &= ~unsigned(i == siHRuler || i == siVRuler ? soRulerOpaque : soThumbOpaque);
    }
    ArrangeParts();
}

void TqvSkinCustomSlider::SetTransparent(bool v) {
    FTransparent = v;
    update();
}

void TqvSkinCustomSlider::Jump(TqvJumpMode Mode) {
    int target = FValue;
    const int inc = std::max(1, FIncrement);
    switch (Mode) {
    case jmNone: return;
    case jmHome: target = FMinValue; break;
    case jmEnd: target = FMaxValue; break;
    // The next multiple of Increment above the value, the previous one below it.
    case jmNext: target = int(std::floor(double(FValue) / inc) + 1) * inc; break;
    case jmPrior: target = int(std::ceil(double(FValue) / inc) - 1) * inc; break;
    }
    target = std::clamp(target, FMinValue, FMaxValue);
    if (target != FValue) SetValue(target);
}

TqvJumpMode TqvSkinCustomSlider::JumpModeAt(int X, int Y) const {
    if (FOrientation == soHorizontal) {
        if (X < FThumbRect.Left) return jmPrior;
        if (X >= FThumbRect.Right) return jmNext;
    } else {
        if (Y < FThumbRect.Top) return jmNext;
        if (Y >= FThumbRect.Bottom) return jmPrior;
    }
    return jmNone;
}

// ---- mouse and keys ----

void TqvSkinCustomSlider::TrackStep() {
    if (JumpModeAt(FMousePos.x(), FMousePos.y()) == FStartJump) {
        Jump(FStartJump);
        if (!FTrackTimer.Active())
            FTrackTimer.Start(kTrackInterval, [this] { Application()->Guard([this] { TrackStep(); }); });
    } else {
        // The thumb has reached the pointer.
        FTrackTimer.Stop();
    }
}

void TqvSkinCustomSlider::StopTracking() {
    FTrackTimer.Stop();
    FTracking = false;
}

void TqvSkinCustomSlider::mousePressEvent(QMouseEvent* e) {
    TqvSkinControl::mousePressEvent(e);
    if (e->button() != Qt::LeftButton) return;
    Application()->Guard([&] {
        if (CanFocus()) SetFocus();
        const QPoint p = e->position().toPoint();
        if (Inside(FThumbRect, p.x(), p.y())) {
            FSliding = FThumbDown = true;
            FHit = FOrientation == soHorizontal ? p.x() - FThumbRect.Left : p.y() - FThumbRect.Top;
            update();
            return;
        }
        TRect ruler = Rect(FRulerOrg.X, FRulerOrg.Y, FRulerOrg.X + FRuler.width(), FRulerOrg.Y + FRuler.height());
        if (FOrientation == soHorizontal) ruler = Rect(ruler.Left, ruler.Top - 3, ruler.Right, ruler.Bottom + 3);
        else ruler = Rect(ruler.Left - 3, ruler.Top, ruler.Right + 3, ruler.Bottom);
        if (Inside(ruler, p.x(), p.y())) {
            FTracking = true;
            FMousePos = p;
            FStartJump = JumpModeAt(p.x(), p.y());
            TrackStep();
        }
    });
}

void TqvSkinCustomSlider::mouseMoveEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        const QPoint p = e->position().toPoint();
        if (FSliding && (e->buttons() & Qt::LeftButton)) MoveThumbTo((FOrientation == soHorizontal ? p.x() : p.y()) - FHit);
        else if (FTracking) FMousePos = p;
    });
    TqvSkinControl::mouseMoveEvent(e);
}

void TqvSkinCustomSlider::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        Application()->Guard([&] {
            if (FTracking) {
                StopTracking();
                if (OnChanged) OnChanged(this);
            }
            if (FSliding) {
                FSliding = FThumbDown = false;
                update();
                if (OnChanged) OnChanged(this);
            }
        });
    }
    TqvSkinControl::mouseReleaseEvent(e);
}

void TqvSkinCustomSlider::keyPressEvent(QKeyEvent* e) {
    TqvJumpMode mode = jmNone;
    if ((e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        const bool h = FOrientation == soHorizontal;
        switch (e->key()) {
        case Qt::Key_Home: mode = jmHome; break;
        case Qt::Key_End: mode = jmEnd; break;
        case Qt::Key_Left: mode = h ? jmPrior : jmNone; break;
        case Qt::Key_Right: mode = h ? jmNext : jmNone; break;
        case Qt::Key_Up: mode = h ? jmNone : jmNext; break;
        case Qt::Key_Down: mode = h ? jmNone : jmPrior; break;
        default: break;
        }
    }
    if (mode == jmNone) {
        TqvSkinControl::keyPressEvent(e);
        return;
    }
    Application()->Guard([&] {
        Jump(mode);
        if (OnChanged) OnChanged(this);
    });
    e->accept();
}

void TqvSkinCustomSlider::focusInEvent(QFocusEvent* e) {
    TqvSkinControl::focusInEvent(e);
    if (FOptions & soShowFocus) update();
}

void TqvSkinCustomSlider::focusOutEvent(QFocusEvent* e) {
    TqvSkinControl::focusOutEvent(e);
    if (FOptions & soShowFocus) update();
}

void TqvSkinCustomSlider::resizeEvent(QResizeEvent* e) {
    TqvSkinControl::resizeEvent(e);
    if (!Loading()) ArrangeParts();
}

void TqvSkinCustomSlider::moveEvent(QMoveEvent* e) {
    TqvSkinControl::moveEvent(e);
    if (FTransparent) update();
}

void TqvSkinCustomSlider::CheckParentBackground() {
    if (FTransparent) update();
}

void TqvSkinCustomSlider::Loaded() {
    TqvSkinControl::Loaded();
    ArrangeParts();
}

// ---- painting ----

void TqvSkinCustomSlider::DrawPoints(TCanvas& C, int PointsStep, int PointsHeight, int ExtremePointsHeight) {
    FTicks.clear();
    const int range = FMaxValue - FMinValue;
    const int rl = RulerLength();
    if (range <= 0 || rl <= 0 || PointsStep <= 0) return;
    int K = 1, P = 0;
    for (;; ++K) {
        P = RoundEven(double(range) / (double(PointsStep) * K));
        const int spacing = P ? rl / P : rl;
        if (spacing >= 4 || spacing >= rl) break;
    }
    C.Pen().SetColor(SkinRuler() ? PointsColor : clWindowText);
    const bool h = FOrientation == soHorizontal;
    for (int i = 0; i <= P; ++i) {
        const int V = i == P ? FMaxValue : FMinValue + PointsStep * K * i;
        const int len = V == FMinValue || V == FMaxValue ? ExtremePointsHeight : PointsHeight;
        const int O = OffsetFromValue(V) + (h ? ThumbStateWidth() / 2 : ThumbHeight() / 2);
        FTicks.push_back(O);
        if (h) {
            C.MoveTo(O, FPointsRect.Top);
            C.LineTo(O, FPointsRect.Top + len);
        } else {
            C.MoveTo(FPointsRect.Left, O);
            C.LineTo(FPointsRect.Left + len, O);
        }
    }
}

void TqvSkinCustomSlider::PaintImage(QImage& B) {
    GetSkinData();
    TCanvas C(&B);
    if (FTransparent) {
        CopyParentBackground(this, C);
    } else {
        C.Brush().SetColor(FHasRecord ? BGColor : Color());
        C.FillRect(Rect(0, 0, B.width(), B.height()));
    }
    if (FRuler.width() > 0) {
        TBitmap ruler(FRuler);
        ruler.SetTransparent(!((FOptions & soRulerOpaque) && !FHasRecord));
        C.Draw(FRulerOrg.X, FRulerOrg.Y, ruler);
    }
    if ((FOptions & soShowFocus) && Focused()) {
        C.Font().SetColor(FHasRecord ? FSD->SkinColors().cBtnText() : clBtnText);
        DrawDottedFocusRect(C, Rect(2, 2, B.width() - 2, B.height() - 2));
    }
    if (FOptions & soShowPoints) {
        if (OnDrawPoints) OnDrawPoints(this);
        else DrawPoints(C, FIncrement, 3, 5);
    }
    const int state = FThumbDown || !Enabled() ? 1 : 0;
    const int TW = ThumbStateWidth(), TH = ThumbHeight();
    QImage thumb;
    bool transparent = true;
    if (SkinThumb()) {
        const TRect r = FOrientation == soHorizontal ? HThumbRect : VThumbRect;
        thumb = Picture.copy(r.Left + state * TW, r.Top, TW, TH);
    } else {
        const QImage& img = FImages[FOrientation == soHorizontal ? siHThumb : siVThumb];
        thumb = img.copy(FNumThumbStates == 2 ? state * TW : 0, 0, TW, TH);
        transparent = !(FOptions & soThumbOpaque);
    }
    TBitmap t(thumb);
    t.SetTransparent(transparent);
    C.Draw(FThumbRect.Left, FThumbRect.Top, t);
}
