#include "skin/controls/bars/SkinScrollBar.h"

#include "platform/Application.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

namespace {

bool Unset(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }
// Halves to the even neighbour, as the bar's arithmetic rounds.
int Nearest(double x) { return int(std::nearbyint(x)); }

constexpr int kFirstDelay = 500, kRepeat = 50;

}  // namespace

TqvSkinScrollBar::TqvSkinScrollBar(QObject* AOwner) : TqvSkinCustomControl(AOwner) {
    SetTabStop(false);
    FSkinDataName = QStringLiteral("hscrollbar");
    SetDefaultHeight(19);
    SetBounds(0, 0, 200, 19);
    setMouseTracking(true);
}

void TqvSkinScrollBar::GetSkinData() {
    TqvSkinCustomControl::GetSkinData();
    const auto* r = dynamic_cast<const TqvDataSkinScrollBarControl*>(Record());
    if (!r) return;
    SkTrackArea = r->TrackArea;
    UpButtonRect = r->UpButtonRect;
    ActiveUpButtonRect = r->ActiveUpButtonRect;
    DownUpButtonRect = r->DownUpButtonRect;
    DownButtonRect = r->DownButtonRect;
    ActiveDownButtonRect = r->ActiveDownButtonRect;
    DownDownButtonRect = r->DownDownButtonRect;
    ThumbRect = r->ThumbRect;
    ActiveThumbRect = r->ActiveThumbRect;
    DownThumbRect = r->DownThumbRect;
    ThumbOffset1 = r->ThumbOffset1;
    ThumbOffset2 = r->ThumbOffset2;
    ThumbTransparent = r->ThumbTransparent;
    ThumbTransparentColor = r->ThumbTransparentColor;
    GlyphRect = r->GlyphRect;
    ActiveGlyphRect = r->ActiveGlyphRect;
    DownGlyphRect = r->DownGlyphRect;
    GlyphTransparent = r->GlyphTransparent;
    GlyphTransparentColor = r->GlyphTransparentColor;
    ThumbStretchEffect = r->ThumbStretchEffect;
    ThumbMinSize = r->ThumbMinSize;
    ThumbMinPageSize = r->ThumbMinPageSize;
    if (Unset(DownUpButtonRect)) DownUpButtonRect = ActiveUpButtonRect;
    if (Unset(DownDownButtonRect)) DownDownButtonRect = ActiveDownButtonRect;
    if (Unset(ActiveThumbRect)) ActiveThumbRect = ThumbRect;
    if (Unset(DownThumbRect)) DownThumbRect = ActiveThumbRect;
    if (Unset(ActiveGlyphRect)) ActiveGlyphRect = GlyphRect;
    if (Unset(DownGlyphRect)) DownGlyphRect = ActiveGlyphRect;
}

void TqvSkinScrollBar::AdjustSkinSize(int& AWidth, int& AHeight) {
    TqvSkinCustomControl::AdjustSkinSize(AWidth, AHeight);
    CalcRects();
}

// ---- range ----

int TqvSkinScrollBar::Clamp(int v) const {
    if (v < FMin) return FMin;
    const int top = FPageSize != 0 ? FMax - FPageSize + 1 : FMax;
    return v > top ? top : v;
}

void TqvSkinScrollBar::SetPosition(int v) {
    v = Clamp(v);
    if (v == FPosition) return;
    FPosition = v;
    update();
    if (OnChange) OnChange(this);
}

void TqvSkinScrollBar::SimplySetPosition(int v) {
    v = Clamp(v);
    if (v == FPosition) return;
    FPosition = v;
    update();
}

void TqvSkinScrollBar::SetRange(int AMin, int AMax, int APosition, int APageSize) {
    FMin = AMin;
    FMax = AMax;
    FPageSize = APageSize;
    FPosition = Clamp(APosition);
    update();
}

void TqvSkinScrollBar::SetMin(int v) {
    FMin = v;
    if (FPosition < v) FPosition = v;
    update();
}

void TqvSkinScrollBar::SetMax(int v) {
    FMax = v;
    // A position past the last page moves to it, whatever Min is.
    const int top = FPageSize != 0 ? std::max(FMin, v - FPageSize + 1) : v;
    if (FPosition > top) FPosition = top;
    update();
}

// A page fits when it and the position's distance from Min fit in the range.
void TqvSkinScrollBar::SetPageSize(int v) {
    if (FPosition - FMin + v <= FMax - FMin + 1) FPageSize = v;
    update();
}

void TqvSkinScrollBar::SetKind(TScrollBarKind v) {
    if (v == FKind) return;
    FKind = v;
    update();
}

void TqvSkinScrollBar::SetBoth(bool v) {
    if (v == FBoth) return;
    FBoth = v;
    if (v) {
        FNormalSkinDataName = FSkinDataName;
        FSkinDataName = FBothSkinDataName;
    } else if (!FNormalSkinDataName.isEmpty()) {
        FSkinDataName = FNormalSkinDataName;
    }
    GetSkinData();
    if (FIndex == -1) update();
    else ChangeSkinData();
}

void TqvSkinScrollBar::SetBothMarkerWidth(int v) {
    if (v < 0) return;
    FBothMarkerWidth = v;
    GetSkinData();
    if (FIndex == -1) update();
}

void TqvSkinScrollBar::SetCanFocused(bool v) {
    FCanFocused = v;
    SetTabStop(v);
    if (!v) setFocusPolicy(Qt::NoFocus);
}

// ---- geometry ----

int TqvSkinScrollBar::ThumbLength(int trackLength) const {
    const bool horz = FKind == sbHorizontal;
    int m = 16;
    if (FIndex != -1) m = ThumbMinSize > 0 ? ThumbMinSize : horz ? ThumbRect.Width() : ThumbRect.Height();
    if (FPageSize == 0) return FIndex != -1 && ThumbMinPageSize > 0 ? ThumbMinPageSize : m;
    const int range = FMax - FMin + 1;
    const int l = range == 0 ? 0 : Nearest(double(trackLength) * FPageSize / range);
    return std::max(l, m);
}

void TqvSkinScrollBar::CalcRects() {
    const bool horz = FKind == sbHorizontal;
    const int H = Height();
    TRect up, down, track;
    if (FIndex == -1) {
        if (horz) {
            const int W = FBoth ? Width() - FBothMarkerWidth : Width();
            down = Rect(1, 1, 17, H - 1);
            up = Rect(W - 17, 1, W - 1, H - 1);
            track = Rect(17, 1, W - 17, H - 1);
        } else {
            down = Rect(1, 1, Width() - 1, 17);
            up = Rect(1, H - 17, Width() - 1, H - 1);
            track = Rect(1, 17, Width() - 1, H - 17);
        }
    } else {
        track = SkTrackArea;
        up = UpButtonRect;
        down = DownButtonRect;
        if (horz) {
            const int d = Width() - G.SkinWidth();
            track.Right += d;
            // A button starting where the right part starts belongs to it, as MapSkinRect has it.
            if (up.Left >= G.RTPt.X) OffsetRect(up, d, 0);
            if (down.Left >= G.RTPt.X) OffsetRect(down, d, 0);
        } else {
            const int d = H - G.SkinHeight();
            track.Bottom += d;
            if (up.Top >= G.LBPt.Y) OffsetRect(up, 0, d);
            if (down.Top >= G.LBPt.Y) OffsetRect(down, 0, d);
        }
    }
    NewTrackArea = track;
    Buttons[1].R = up;
    Buttons[2].R = down;
    const int start = horz ? track.Left : track.Top, end = horz ? track.Right : track.Bottom;
    const int L = ThumbLength(end - start), half = L / 2;
    Offset1 = start + half;
    Offset2 = end - half;
    double F = 0;
    if (FPageSize == 0) {
        F = FMax == FMin ? 0 : double(FPosition - FMin) / (FMax - FMin);
    } else {
        const int den = FMax - FPageSize + 1 - FMin;
        F = den > 0 ? double(FPosition - FMin) / den : (horz ? 1 : 0);
    }
    BOffset = Nearest((Offset2 - Offset1) * F);
    const int a = Offset1 + BOffset - half, b = Offset1 + BOffset + half;
    if (FIndex == -1) {
        Buttons[0].R = horz ? Rect(a, track.Top, b, track.Bottom) : Rect(track.Left, a, track.Right, b);
    } else if (horz) {
        const int th = ThumbRect.Height(), top = track.Top + track.Height() / 2 - th / 2;
        Buttons[0].R = Rect(a, top, b, top + th);
    } else {
        const int tw = ThumbRect.Width(), left = track.Left + track.Width() / 2 - tw / 2;
        Buttons[0].R = Rect(left, a, left + tw, b);
    }
}

// ---- pictures ----

void TqvSkinScrollBar::CreateControlDefaultImage(QImage& B) {
    CalcRects();
    TCanvas c(&B);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(Rect(0, 0, B.width(), B.height()));
    const bool horz = FKind == sbHorizontal;
    for (int i : {0, 1, 2}) {
        if (i == 0 && !Enabled()) continue;
        const TPart& p = Buttons[i];
        const bool pressed = (p.Down && p.MouseIn) || (i == 0 && (p.Down || ThumbFocusedLook()));
        TRect r = p.R;
        c.Brush().SetColor(pressed || p.MouseIn ? clNavy : clBtnShadow);
        c.FrameRect(r);
        InflateRect(r, -1, -1);
        c.Brush().SetColor(pressed ? TColor(0xB59385) : p.MouseIn ? TColor(0xD2BDB6) : clBtnFace);
        c.FillRect(r);
        if (i == 1) DrawArrowImage(c, r, clBlack, horz ? 2 : 4);
        if (i == 2) DrawArrowImage(c, r, clBlack, horz ? 1 : 3);
    }
}

void TqvSkinScrollBar::CreateControlSkinImage(QImage& B) {
    TqvSkinCustomControl::CreateControlSkinImage(B);
    CalcRects();
    if (G.Picture.isNull()) return;
    const bool horz = FKind == sbHorizontal;
    for (int i : {1, 2}) {
        const TPart& p = Buttons[i];
        TRect src;
        if (p.Down && p.MouseIn) src = i == 1 ? DownUpButtonRect : DownDownButtonRect;
        else if (p.MouseIn) src = i == 1 ? ActiveUpButtonRect : ActiveDownButtonRect;
        if (!Unset(src)) StretchBlt(B, p.R, G.Picture, src);
    }
    if (!Enabled()) return;
    const TPart& t = Buttons[0];
    const bool down = t.Down || ThumbFocusedLook();
    const TRect src = down ? DownThumbRect : t.MouseIn ? ActiveThumbRect : ThumbRect;
    const int tw = t.R.Width(), th = t.R.Height();
    if (Unset(src) || tw <= 0 || th <= 0) return;
    QImage thumb(tw, th, QImage::Format_RGB32);
    if (FPageSize != 0 || ThumbMinPageSize > 0) {
        if (horz) MakeHorzSkinImage(ThumbOffset1, ThumbOffset2, thumb, G.Picture, src, tw, th, ThumbStretchEffect);
        else MakeVertSkinImage(ThumbOffset1, ThumbOffset2, thumb, G.Picture, src, tw, th, ThumbStretchEffect);
    } else {
        StretchBlt(thumb, Rect(0, 0, tw, th), G.Picture, src);
    }
    const TRect glyph = down ? DownGlyphRect : t.MouseIn ? ActiveGlyphRect : GlyphRect;
    if (!Unset(glyph) && (horz ? glyph.Width() < tw : glyph.Height() < th)) {
        const TRect at = Bounds(tw / 2 - glyph.Width() / 2, th / 2 - glyph.Height() / 2, glyph.Width(), glyph.Height());
        if (GlyphTransparent) TransparentBlt(thumb, at, G.Picture, glyph, GlyphTransparentColor);
        else StretchBlt(thumb, at, G.Picture, glyph);
    }
    if (ThumbTransparent) TransparentBlt(B, t.R, thumb, Rect(0, 0, tw, th), ThumbTransparentColor);
    else BitBlt(B, t.R.Left, t.R.Top, tw, th, thumb, 0, 0);
}

// ---- mouse ----

void TqvSkinScrollBar::UpdateHotPart(int x, int y) {
    int hot = -1;
    for (int i : {0, 1, 2})
        if (Buttons[i].R.Contains({x, y})) {
            hot = i;
            break;
        }
    if (CaptureButton != -1 && hot != CaptureButton) hot = -1;
    if (hot == ActiveButton) return;
    if (ActiveButton != -1) LeavePart(ActiveButton);
    ActiveButton = hot;
    if (hot != -1) EnterPart(hot);
}

// Moving off a held arrow pauses its repeat; moving back resumes it at the fast rate.
void TqvSkinScrollBar::LeavePart(int i) {
    Buttons[i].MouseIn = false;
    update();
    if (i != 0 && Buttons[i].Down) FTimer.Stop();
}

void TqvSkinScrollBar::EnterPart(int i) {
    Buttons[i].MouseIn = true;
    update();
    if (i != 0 && Buttons[i].Down) {
        WaitMode = false;
        FTimer.Start(kRepeat, [this] { TimerTick(); });
    }
}

void TqvSkinScrollBar::StartRepeat(int mode) {
    FTimerMode = mode;
    WaitMode = true;
    FTimer.Start(kFirstDelay, [this] { TimerTick(); });
}

void TqvSkinScrollBar::StepButton(int mode) {
    if (mode == 1) {
        if (OnDownButtonClick) OnDownButtonClick(this);
        else SetPosition(FPosition - FSmallChange);
    } else {
        if (OnUpButtonClick) OnUpButtonClick(this);
        else SetPosition(FPosition + FSmallChange);
    }
}

void TqvSkinScrollBar::PressPart(int i) {
    Buttons[i].Down = true;
    update();
    if (i == 0) {
        OMPos = FKind == sbHorizontal ? MX : MY;
        OldBOffset = BOffset;
        FDown = true;
        return;
    }
    const int mode = i == 1 ? 2 : 1;
    StepButton(mode);
    StartRepeat(mode);
}

void TqvSkinScrollBar::ReleasePart(int i) {
    Buttons[i].Down = false;
    if (ActiveButton != i) Buttons[i].MouseIn = false;
    update();
    if (i == 0) FDown = false;
    else {
        FTimer.Stop();
        FTimerMode = 0;
    }
}

bool TqvSkinScrollBar::BeforeThumb(int x, int y) const {
    return FKind == sbHorizontal ? x < Buttons[0].R.Left : y < Buttons[0].R.Top;
}

bool TqvSkinScrollBar::AfterThumb(int x, int y) const {
    return FKind == sbHorizontal ? x > Buttons[0].R.Right : y > Buttons[0].R.Bottom;
}

void TqvSkinScrollBar::TimerTick() {
    if (WaitMode) {
        WaitMode = false;
        FTimer.Start(kRepeat, [this] { TimerTick(); });
        return;
    }
    switch (FTimerMode) {
    case 1:
    case 2: StepButton(FTimerMode); break;
    case 3:
    case 4:
        UpdateHotPart(MX, MY);
        CalcRects();
        if (FTimerMode == 3 ? BeforeThumb(MX, MY) : AfterThumb(MX, MY)) {
            SetPosition(FPosition + (FTimerMode == 3 ? -FLargeChange : FLargeChange));
            const TNotifyEvent& ev = FTimerMode == 3 ? OnPageUp : OnPageDown;
            if (ev) ev(this);
        } else {
            FTimer.Stop();
            FTimerMode = 0;
        }
        break;
    default: FTimer.Stop(); break;
    }
}

void TqvSkinScrollBar::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && FCanFocused && !Focused()) {
        SetFocus();
        if (!Focused()) return;
    }
    const QPoint p = e->position().toPoint();
    Application()->Guard([&] {
        if (OnMouseDown) OnMouseDown(this, e->button(), e->modifiers(), p.x(), p.y());
        if (e->button() != Qt::LeftButton) return;
        MX = p.x();
        MY = p.y();
        MouseD = true;
        GetSkinData();
        CalcRects();
        FTimerMode = 0;
        WaitMode = true;
        for (int i : {0, 1, 2})
            if (Buttons[i].R.Contains({p.x(), p.y()})) {
                CaptureButton = i;
                ActiveButton = i;
                Buttons[i].MouseIn = true;
                PressPart(i);
                return;
            }
        if (!NewTrackArea.Contains({p.x(), p.y()})) return;
        if (BeforeThumb(p.x(), p.y())) {
            SetPosition(FPosition - FLargeChange);
            StartRepeat(3);
            if (OnPageUp) OnPageUp(this);
        } else {
            SetPosition(FPosition + FLargeChange);
            StartRepeat(4);
            if (OnPageDown) OnPageDown(this);
        }
    });
}

void TqvSkinScrollBar::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void TqvSkinScrollBar::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    Application()->Guard([&] {
        MX = p.x();
        MY = p.y();
        GetSkinData();
        CalcRects();
        UpdateHotPart(p.x(), p.y());
        if (FDown) SetPosition(PositionFromOffset((FKind == sbHorizontal ? p.x() : p.y()) - OMPos + OldBOffset));
        if (OnMouseMove) OnMouseMove(this, e->modifiers(), p.x(), p.y());
    });
}

int TqvSkinScrollBar::PositionFromOffset(int a) {
    CalcRects();
    const bool horz = FKind == sbHorizontal;
    const int start = horz ? NewTrackArea.Left : NewTrackArea.Top, end = horz ? NewTrackArea.Right : NewTrackArea.Bottom;
    int o1 = Offset1, o2 = Offset2;
    if (FPageSize != 0) {
        const int L = horz ? Buttons[0].R.Width() : Buttons[0].R.Height();
        o1 = start + L / 2;
        o2 = end - L / 2;
    }
    double F = o2 - o1 > 0 ? double(a) / (o2 - o1) : 0;
    F = std::clamp(F, 0.0, 1.0);
    if (FPageSize != 0) return FMin + Nearest((FMax - FMin - FPageSize + 1) * F);
    return FMin + Nearest((FMax - FMin) * F);
}

void TqvSkinScrollBar::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    Application()->Guard([&] {
        if (OnMouseUp) OnMouseUp(this, e->button(), e->modifiers(), p.x(), p.y());
        if (e->button() != Qt::LeftButton) return;
        MouseD = false;
        if (FTimerMode == 3 || FTimerMode == 4) {
            FTimer.Stop();
            FTimerMode = 0;
        }
        const int captured = CaptureButton;
        CaptureButton = -1;
        if (captured != -1) {
            ReleasePart(captured);
            UpdateHotPart(p.x(), p.y());
        }
        if (captured == 0 && OnLastChange) OnLastChange(this);
    });
}

// Leaving the bar stops neither page repeat: it ends when the thumb reaches
// the pointer or at the release.
void TqvSkinScrollBar::MouseLeave() {
    TqvSkinCustomControl::MouseLeave();
    if (CaptureButton == -1 && !FDown && ActiveButton != -1) {
        Buttons[ActiveButton].MouseIn = false;
        ActiveButton = -1;
        update();
    }
}

// ---- keys, wheel, focus ----

void TqvSkinScrollBar::keyPressEvent(QKeyEvent* e) {
    TqvSkinCustomControl::keyPressEvent(e);
    if (!FCanFocused) return;
    Application()->Guard([&] {
        switch (e->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up: SetPosition(FPosition - FSmallChange); e->accept(); break;
        case Qt::Key_Right:
        case Qt::Key_Down: SetPosition(FPosition + FSmallChange); e->accept(); break;
        default: break;
        }
    });
}

void TqvSkinScrollBar::wheelEvent(QWheelEvent* e) {
    if (!FCanFocused || !Focused()) {
        e->ignore();
        return;
    }
    Application()->Guard([&] { SetPosition(FPosition + (e->angleDelta().y() > 0 ? -FSmallChange : FSmallChange)); });
    e->accept();
}

void TqvSkinScrollBar::focusInEvent(QFocusEvent* e) {
    TqvSkinCustomControl::focusInEvent(e);
    update();
}

void TqvSkinScrollBar::focusOutEvent(QFocusEvent* e) {
    TqvSkinCustomControl::focusOutEvent(e);
    update();
}
