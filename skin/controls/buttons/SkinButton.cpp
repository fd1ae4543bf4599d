#include "skin/controls/buttons/SkinButton.h"

#include "platform/Application.h"
#include "skin/controls/base/SkinMorph.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>

namespace {

bool Empty(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }

constexpr int kMorphInterval = 20;
constexpr int kRepeatDelay = 500;

}  // namespace

TqvSkinButton::TqvSkinButton(QObject* AOwner)
    : TqvSkinCustomControl(AOwner), FLayerManager(new TqvLayerManager(this)) {
    SetTabStop(true);
    FSkinDataName = QStringLiteral("button");
    SetBounds(Left(), Top(), 75, 25);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == window()) Application()->Guard([&] { FocusChanged(now); });
    });
}

TqvSkinButton::~TqvSkinButton() {
    StopMorph();
    StopRepeatTimer();
    FAnimateTimer.Stop();
}

bool TqvSkinButton::EffectsOn() const { return FSD && !FSD->Empty && FSD->EnableSkinEffects(); }

bool TqvSkinButton::IsFocused() const { return FCanFocused && Focused(); }

// ---- record ----

void TqvSkinButton::GetSkinData() {
    TqvSkinCustomControl::GetSkinData();
    if (FIndex == -1) {
        AnimateSkinRect = {};
        return;
    }
    const auto* r = dynamic_cast<const TqvDataSkinButtonControl*>(Record());
    // A record of another kind has no state pictures: the normal one serves for all.
    static const TqvDataSkinButtonControl none(QString{});
    const TqvDataSkinButtonControl& d = r ? *r : none;
    if (!FUseSkinSize && !G.MaskPicture.isNull()) G.MaskPicture = QImage();
    FontName = d.FontName;
    FontStyle = d.FontStyle;
    FontHeight = d.FontHeight;
    FontColor = d.FontColor;
    ActiveFontColor = d.ActiveFontColor;
    DownFontColor = d.DownFontColor;
    DisabledFontColor = d.DisabledFontColor;
    ActiveSkinRect = d.ActiveSkinRect;
    DownSkinRect = d.DownSkinRect;
    DisabledSkinRect = d.DisabledSkinRect;
    FocusedSkinRect = d.FocusedSkinRect;
    AnimateSkinRect = d.AnimateSkinRect;
    FrameCount = d.FrameCount;
    AnimateInterval = d.AnimateInterval;
    Morphing = d.Morphing;
    MorphKind = d.MorphKind;
    ShowFocus = d.ShowFocus;
    GlowLayerPictureIndex = d.GlowLayerPictureIndex;
    GlowLayerMaskPictureIndex = d.GlowLayerMaskPictureIndex;
    GlowLayerOffsetLeft = d.GlowLayerOffsetLeft;
    GlowLayerOffsetRight = d.GlowLayerOffsetRight;
    GlowLayerOffsetTop = d.GlowLayerOffsetTop;
    GlowLayerOffsetBottom = d.GlowLayerOffsetBottom;
    GlowLayerShowOffsetX = d.GlowLayerShowOffsetX;
    GlowLayerShowOffsetY = d.GlowLayerShowOffsetY;
    GlowLayerAlphaBlendValue = d.GlowLayerAlphaBlendValue;
    if (Empty(ActiveSkinRect)) ActiveSkinRect = G.SkinRect;
    if (Empty(DownSkinRect)) DownSkinRect = ActiveSkinRect;
    if (DisabledFontColor == FontColor) DisabledFontColor = RGB(128, 128, 128);
    if (EffectsOn() && FAnimateTimer.Active() && FCurrentFrame > 0 && FCurrentFrame <= FrameCount) {
        const TRect frame = GetAnimateFrameRect(FCurrentFrame);
        if (FAnimateInc) ActiveSkinRect = frame;
        else G.SkinRect = frame;
    }
}

TRect TqvSkinButton::GetAnimateFrameRect(int i) const {
    const TRect& a = AnimateSkinRect;
    if (FrameCount <= 0) return a;
    if (a.Width() > G.SkinRect.Width()) {
        const int w = a.Width() / FrameCount;
        return Rect(a.Left + w * (i - 1), a.Top, a.Left + w * i, a.Bottom);
    }
    const int h = a.Height() / FrameCount;
    return Rect(a.Left, a.Top + h * (i - 1), a.Right, a.Top + h * i);
}

void TqvSkinButton::AdjustSkinSize(int& AWidth, int& AHeight) {
    if (FUseSkinSize || G.ResizeMode == 1) {
        TqvSkinCustomControl::AdjustSkinSize(AWidth, AHeight);
        return;
    }
    G.NewClRect = G.ClRect;
    G.NewClRect.Right += AWidth - G.SkinWidth();
    G.NewClRect.Bottom += AHeight - G.SkinHeight();
}

// ---- pictures ----

int TqvSkinButton::GetGlyphIndex(bool ADown, bool AMouseIn) const {
    if (ADown && AMouseIn && FNumGlyphs > 2) return 3;
    if (AMouseIn && FNumGlyphs > 3) return 4;
    if (Enabled() || FNumGlyphs == 1) return 1;
    return 2;
}

void TqvSkinButton::SetCaptionFont(TCanvas& C) const {
    if (UseSkinFont()) {
        C.Font().SetName(FontName);
        C.Font().SetHeight(FontHeight);
        C.Font().SetStyle(FontStyle);
    } else {
        C.SetFont(const_cast<TqvSkinButton*>(this)->DefaultFont());
    }
}

void TqvSkinButton::DrawContent(TCanvas& C, const TRect& R, bool ADown, bool AMouseIn, TColor fontColor) {
    C.Font().SetColor(fontColor);
    if (ShowFocus && Focused()) DrawDottedFocusRect(C, R);
    bool drawDefault = true;
    if (OnPaint) OnPaint(this, C, R, ADown, AMouseIn, drawDefault);
    if (!drawDefault) return;
    C.Brush().SetStyle(bsClear);
    const bool pressed = ADown && AMouseIn;
    if (FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count())
        DrawImageGlyphAndCaption(C, R, FMargin, FSpacing, FLayout, Caption(), FImageIndex, FImageList, pressed,
                                 Enabled(), false, 0);
    else
        DrawBitmapGlyphAndCaption(C, R, FMargin, FSpacing, FLayout, Caption(), FGlyph, FNumGlyphs,
                                  GetGlyphIndex(ADown, AMouseIn), pressed, false, 0);
}

void TqvSkinButton::CreateStateImage(QImage& B, const TRect& R, bool ADown, bool AMouseIn) {
    TRect text = G.NewClRect;
    if (!FUseSkinSize && G.ResizeMode != 1) {
        CreateStretchedStateImage(B, R, ADown, AMouseIn);
        text = G.ClRect;
        text.Right += B.width() - R.Width();
        text.Bottom += B.height() - R.Height();
    } else {
        CreateSkinImage(B, G.Picture, R);
    }
    TCanvas c(&B);
    SetCaptionFont(c);
    TColor colour = FontColor;
    if (Enabled() && !FUseSkinFontColor) colour = DefaultFont().Color();
    else if (!Enabled()) colour = DisabledFontColor;
    else if (ADown && AMouseIn) colour = DownFontColor;
    else if (AMouseIn) colour = ActiveFontColor;
    DrawContent(c, text, ADown, AMouseIn, colour);
}

void TqvSkinButton::CreateStretchedStateImage(QImage& B, const TRect& R, bool, bool) {
    if (Empty(R) || G.Picture.isNull()) return;
    if (G.ResizeMode == 0) StretchBlt(B, Rect(0, 0, B.width(), B.height()), G.Picture, R);
    else ResizeSkinImage(B, G.Picture, R, G.ClRect, true);
}

void TqvSkinButton::PaintImage(QImage& B) {
    GetSkinData();
    if (FIndex == -1) {
        TqvSkinCustomControl::PaintImage(B);
        return;
    }
    int w = Width(), h = Height();
    AdjustSkinSize(w, h);
    if (MorphingOn() && FMorphKf > 0 && FMorphKf < 5 && Enabled()) {
        QImage normal = NewSkinImage(B.width(), B.height()), active = normal;
        CreateStateImage(normal, G.SkinRect, false, false);
        CreateStateImage(active, ActiveSkinRect, false, true);
        B = MorphFrame(normal, active, FMorphKf, MorphKind);
        FLastState = 5;
        return;
    }
    const bool focused = IsFocused();
    if (!Enabled() && !Empty(DisabledSkinRect)) {
        FLastState = 3;
        CreateStateImage(B, DisabledSkinRect, false, false);
    } else if (FDown && (FGroupIndex != 0 || FMouseIn || (focused && !FMouseDown))) {
        FLastState = 2;
        CreateStateImage(B, DownSkinRect, true, true);
    } else if (focused && !Empty(FocusedSkinRect) && !FAnimateTimer.Active()) {
        FLastState = 4;
        CreateStateImage(B, FocusedSkinRect, false, true);
    } else if (focused || FMouseIn || (MorphingOn() && FMorphKf == 5)) {
        FLastState = 1;
        CreateStateImage(B, ActiveSkinRect, false, true);
    } else {
        FLastState = 0;
        CreateStateImage(B, G.SkinRect, false, false);
    }
}

void TqvSkinButton::CreateControlDefaultImage(QImage& B) {
    TCanvas c(&B);
    const TRect r = Rect(0, 0, B.width(), B.height());
    const bool focused = IsFocused();
    const bool pressed = FDown && (FGroupIndex != 0 || FMouseIn || (focused && !FMouseDown));
    const bool hot = FMouseIn || focused;
    FLastState = pressed ? 2 : hot ? 1 : 0;
    c.Brush().SetColor(pressed ? RGB(133, 147, 181) : hot ? RGB(182, 189, 210) : clBtnFace);
    c.FillRect(r);
    c.Brush().SetColor(pressed || hot ? clNavy : clBtnShadow);
    c.FrameRect(r);
    c.SetFont(DefaultFont());
    bool drawDefault = true;
    if (!Enabled()) c.Font().SetColor(clBtnShadow);
    if (OnPaint) OnPaint(this, c, r, FDown, FMouseIn, drawDefault);
    if (!drawDefault) return;
    c.Brush().SetStyle(bsClear);
    if (FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count())
        DrawImageGlyphAndCaption(c, r, FMargin, FSpacing, FLayout, Caption(), FImageIndex, FImageList,
                                 FDown && FMouseIn, Enabled(), false, 0);
    else
        DrawBitmapGlyphAndCaption(c, r, FMargin, FSpacing, FLayout, Caption(), FGlyph, FNumGlyphs,
                                  GetGlyphIndex(FDown, FMouseIn), pressed, false, 0);
}

// ---- morph, animation, repeat ----

void TqvSkinButton::RedrawState() {
    GetSkinData();
    if (MorphingOn() && FIndex != -1) StartMorph();
    else update();
}

void TqvSkinButton::StartMorph() {
    if (!FMorphTimer.Active()) FMorphTimer.Start(kMorphInterval, [this] { MorphTimerProc(); });
}

void TqvSkinButton::MorphTimerProc() {
    GetSkinData();
    const bool on = FMouseIn || IsFocused();
    if (FIndex == -1 || !MorphingOn()) {
        FMorphKf = on ? 5 : 0;
        StopMorph();
        return;
    }
    if (on && FMorphKf < 5) ++FMorphKf;
    else if (!on && FMorphKf > 0) --FMorphKf;
    else {
        FMorphKf = on ? 5 : 0;
        StopMorph();
    }
    update();
}

void TqvSkinButton::StartAnimate(bool AInc) {
    GetSkinData();
    if (FIndex == -1 || !EffectsOn() || Empty(AnimateSkinRect)) return;
    StopAnimate();
    FAnimateInc = AInc;
    FCurrentFrame = AInc ? 1 : FrameCount;
    FAnimateTimer.Start(AnimateInterval, [this] { AnimateTimerProc(); });
}

void TqvSkinButton::StopAnimate() {
    FCurrentFrame = 0;
    FAnimateTimer.Stop();
}

void TqvSkinButton::AnimateTimerProc() {
    if (FAnimateInc) {
        if (FCurrentFrame <= FrameCount) {
            ++FCurrentFrame;
            update();
        }
        if (FCurrentFrame > FrameCount) StopAnimate();
    } else {
        if (FCurrentFrame >= 0) {
            --FCurrentFrame;
            update();
        }
        if (FCurrentFrame <= 0) StopAnimate();
    }
}

// The first tick only switches to the repeat interval; each later one clicks.
void TqvSkinButton::StartRepeatTimer() {
    FRepeatTimer.Start(kRepeatDelay, [this] { FRepeatTimer.Start(FRepeatInterval, [this] { ButtonClick(); }); });
}

// ---- state ----

void TqvSkinButton::SetDown(bool v) {
    FDown = v;
    if (MorphingOn()) {
        FMorphKf = 5;
        if (v) StopMorph();
        else StartMorph();
    }
    update();
    if (FGroupIndex != 0 && v && !FAllowAllUp) ReleaseGroup();
}

void TqvSkinButton::ReleaseGroup() {
    TWinControl* p = Parent();
    if (!p) return;
    for (TControl* c : p->Controls())
        if (auto* b = dynamic_cast<TqvSkinButton*>(c); b && b != this && b->FGroupIndex == FGroupIndex && b->FDown)
            b->SetDown(false);
}

void TqvSkinButton::SetDefault(bool v) {
    FDefault = v;
    if (!FCanFocused) return;
    if (QWidget* f = window()->focusWidget()) FocusChanged(f);
    else FActive = v;
}

void TqvSkinButton::SetCanFocused(bool v) {
    FCanFocused = v;
    SetTabStop(v);
}

void TqvSkinButton::SetGroupIndex(int v) {
    FGroupIndex = v;
    if (v != 0) SetCanFocused(false);
}

void TqvSkinButton::SetGlyph(const TBitmap& b) {
    FGlyph = b;
    update();
}

void TqvSkinButton::SetNumGlyphs(int v) {
    FNumGlyphs = std::clamp(v, 1, 4);
    update();
}

void TqvSkinButton::SetMargin(int v) {
    if (v < -1 || v == FMargin) return;
    FMargin = v;
    update();
}

void TqvSkinButton::SetSpacing(int v) {
    if (v == FSpacing) return;
    FSpacing = v;
    update();
}

void TqvSkinButton::SetLayout(TqvButtonLayout v) {
    if (v == FLayout) return;
    FLayout = v;
    update();
}

void TqvSkinButton::SetImageList(TCustomImageList* v) {
    FImageList = v;
    update();
}

void TqvSkinButton::SetImageIndex(int v) {
    if (v == FImageIndex) return;
    FImageIndex = v;
    update();
}

void TqvSkinButton::ButtonClick() {
    if (FCanFocused)
        if (TForm* f = ParentForm()) f->SetModalResult(FModalResult);
    if (OnClick) OnClick(this);
}

void TqvSkinButton::RefreshButton() {
    FMouseIn = false;
    FDown = false;
    if (MorphingOn()) FMorphKf = 0;
    if (EffectsOn()) StopAnimate();
    update();
}

// ---- pointer ----

bool TqvSkinButton::LooksChangeOnPointer() const {
    return FGroupIndex != 0 ? !FDown : (!IsFocused() || FDown);
}

void TqvSkinButton::MouseEnter() {
    if (!FHover) PointerEnters();
}

void TqvSkinButton::MouseLeave() {
    if (FHover) PointerLeaves();
}

void TqvSkinButton::PointerEnters() {
    FHover = true;
    TqvSkinCustomControl::MouseEnter();
    FMouseIn = true;
    if (LooksChangeOnPointer()) {
        if (FDown) {
            if (MorphingOn()) FMorphKf = 5;
            update();
        } else {
            StartAnimate(true);
            RedrawState();
        }
    }
    if (FDown && FRepeatMode && FGroupIndex == 0) StartRepeatTimer();
    PostMessage(this, WM_SKIN_GLOW_SHOW);
}

void TqvSkinButton::PointerLeaves() {
    FHover = false;
    TqvSkinCustomControl::MouseLeave();
    // The active default button keeps its hover look while no button has the focus.
    if (!(FCanFocused && FDefault && FActive && !IsFocused())) FMouseIn = false;
    if (LooksChangeOnPointer()) {
        StartAnimate(false);
        RedrawState();
    }
    if (FDown && FRepeatMode && FGroupIndex == 0) StopRepeatTimer();
    PostMessage(this, WM_SKIN_GLOW_HIDE);
}

void TqvSkinButton::mouseMoveEvent(QMouseEvent* e) {
    TqvSkinCustomControl::mouseMoveEvent(e);
    if (!FMouseDown) return;
    const bool inside = rect().contains(e->position().toPoint());
    Application()->Guard([&] {
        if (inside && !FHover) PointerEnters();
        else if (!inside && FHover) PointerLeaves();
    });
}

void TqvSkinButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && FCanFocused && !Focused()) {
        FClicksDisabled = true;
        SetFocus();
        FClicksDisabled = false;
        if (!Focused()) return;
    }
    Application()->Guard([&] {
        if (OnMouseDown) OnMouseDown(this, e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()));
        if (e->button() == Qt::LeftButton) {
            FHover = true;
            MouseDownLeft();
        }
    });
}

void TqvSkinButton::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void TqvSkinButton::MouseDownLeft() {
    if (FAnimateTimer.Active()) StopAnimate();
    FMouseDown = true;
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (FGroupIndex == 0 && FRepeatMode) StartRepeatTimer();
        else if (FGroupIndex != 0) ButtonClick();
        FAllowAllUpCheck = false;
    } else if (FGroupIndex != 0) {
        FAllowAllUpCheck = true;
    }
}

void TqvSkinButton::mouseReleaseEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        if (e->button() == Qt::LeftButton) MouseUpLeft();
        if (isVisible() && OnMouseUp)
            OnMouseUp(this, e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()));
    });
}

void TqvSkinButton::MouseUpLeft() {
    if (!FMouseDown) return;
    FMouseDown = false;
    if (FGroupIndex == 0) {
        if (FMouseIn) {
            const bool wasDown = FDown;
            SetDown(false);
            StopRepeatTimer();
            if (wasDown) ButtonClick();
        } else {
            FDown = false;
            StopRepeatTimer();
            update();
        }
        return;
    }
    if (FDown && FAllowAllUp && FAllowAllUpCheck && FMouseIn) {
        SetDown(false);
        ButtonClick();
    }
}

// ---- keys and focus ----

void TqvSkinButton::keyPressEvent(QKeyEvent* e) {
    if (FCanFocused) {
        bool handled = false;
        Application()->Guard([&] {
            if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
                StopAnimate();
                SetDown(true);
                if (FRepeatMode) ButtonClick();
                handled = true;
            } else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
                ButtonClick();
                handled = true;
            }
        });
        if (handled) {
            RunKeyEvents(e);
            e->accept();
            return;
        }
    }
    TqvSkinCustomControl::keyPressEvent(e);
}

void TqvSkinButton::keyReleaseEvent(QKeyEvent* e) {
    if (FCanFocused && e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        Application()->Guard([&] {
            SetDown(false);
            ButtonClick();
        });
        RunKeyEvents(e);
        e->accept();
        return;
    }
    TqvSkinCustomControl::keyReleaseEvent(e);
}

bool TqvSkinButton::DialogKey(int key, Qt::KeyboardModifiers shift) {
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && FActive && Enabled()) {
        ButtonClick();
        return true;
    }
    if (key == Qt::Key_Escape && FCancel && FCanFocused &&
        !(shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) && CanFocus()) {
        ButtonClick();
        return true;
    }
    return TqvSkinCustomControl::DialogKey(key, shift);
}

void TqvSkinButton::FocusChanged(QWidget* now) {
    auto* button = dynamic_cast<TqvSkinButton*>(FindControl(now));
    FActive = button ? button == this : FDefault;
    if (!FCanFocused || !FDefault) return;
    if (button && button != this && FMouseIn) {
        FMouseIn = false;
        RedrawState();
    } else if (!button && !FMouseIn) {
        if (MorphingOn()) FMorphKf = 5;
        FMouseIn = true;
        RedrawState();
    }
}

void TqvSkinButton::focusInEvent(QFocusEvent* e) {
    TqvSkinCustomControl::focusInEvent(e);
    if (!FCanFocused) return;
    Application()->Guard([&] {
        StartAnimate(true);
        RedrawState();
    });
}

void TqvSkinButton::focusOutEvent(QFocusEvent* e) {
    TqvSkinCustomControl::focusOutEvent(e);
    Application()->Guard([&] {
        StopRepeatTimer();
        if (FGroupIndex == 0) FDown = false;
        if (!FCanFocused) return;
        StartAnimate(false);
        GetSkinData();
        if (MorphingOn() && FIndex != -1) StartMorph();
        else update();
    });
}

void TqvSkinButton::EnabledChanged() {
    if (MorphingOn()) {
        StopMorph();
        FMorphKf = 0;
    }
    FMouseIn = false;
    update();
}

void TqvSkinButton::TextChanged() {
    UpdateMnemonic();
    update();
}

void TqvSkinButton::UpdateMnemonic() { FShortcutId = RegrabMnemonic(this, FShortcutId, Caption()); }

bool TqvSkinButton::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(e)->shortcutId() == FShortcutId) {
        Application()->Guard([&] {
            if (FCanFocused && CanFocus()) {
                SetFocus();
                ButtonClick();
            }
        });
        return true;
    }
    return TqvSkinCustomControl::event(e);
}

// ---- glow and skin change ----

void TqvSkinButton::WndProc(TMessage& message) {
    if (message.Msg == WM_SKIN_GLOW_SHOW) ShowLayer();
    else if (message.Msg == WM_SKIN_GLOW_HIDE) HideLayer();
    else TqvSkinCustomControl::WndProc(message);
}

QImage TqvSkinButton::GlowPicture(int index, bool mask) const {
    (void)mask;
    if (!FSD || index < 0 || index >= int(FSD->FActivePictures.size())) return {};
    return FSD->FActivePictures[std::size_t(index)];
}

void TqvSkinButton::ShowLayer() {
    GetSkinData();
    if (!FSD || FSD->Empty || !(FSD->ShowButtonGlowFrames() || FAlwaysShowGlowFrame) || GlowLayerPictureIndex == -1)
        return;
    // A glow without its picture or its mask shows nothing.
    const QImage glow = GlowPicture(GlowLayerPictureIndex, false);
    const QImage mask = GlowPicture(GlowLayerMaskPictureIndex, true);
    if (glow.isNull() || mask.isNull()) return;
    if (TForm* f = ParentForm()) FLayerManager->SetTopMostMode(f->windowFlags() & Qt::WindowStaysOnTopHint);
    QImage image, imageMask;
    const int dW = Width() - G.SkinWidth(), dH = Height() - G.SkinHeight();
    if (G.ResizeMode == 0) {
        image = glow;
        imageMask = mask;
    } else if (G.ResizeMode == 2 && FUseSkinSize) {
        MakeHorzSkinImage(GlowLayerOffsetLeft, GlowLayerOffsetRight, image, glow, Rect(0, 0, glow.width(), glow.height()),
                          glow.width() + dW, glow.height(), true);
        MakeHorzSkinImage(GlowLayerOffsetLeft, GlowLayerOffsetRight, imageMask, mask,
                          Rect(0, 0, mask.width(), mask.height()), mask.width() + dW, mask.height(), true);
    } else if (G.ResizeMode == 1) {
        auto grow = [&](const QImage& src) {
            QImage dst(src.width() + dW, src.height() + dH, QImage::Format_RGB32);
            ResizeSkinImage(dst, src, Rect(0, 0, src.width(), src.height()),
                            Rect(GlowLayerOffsetLeft, GlowLayerOffsetTop, src.width() - GlowLayerOffsetRight,
                                 src.height() - GlowLayerOffsetBottom),
                            true);
            return dst;
        };
        image = grow(glow);
        imageMask = grow(mask);
    } else {
        return;
    }
    const QPoint at = mapToGlobal(QPoint(0, 0)) - QPoint(GlowLayerShowOffsetX, GlowLayerShowOffsetY);
    FLayerManager->Show(at.x(), at.y(), image, imageMask, GlowLayerAlphaBlendValue);
}

void TqvSkinButton::HideLayer() {
    GetSkinData();
    if (!FSD || FSD->Empty || !(FSD->ShowButtonGlowFrames() || FAlwaysShowGlowFrame) || GlowLayerPictureIndex == -1)
        return;
    if (G.ResizeMode == 0 || G.ResizeMode == 1 || (G.ResizeMode == 2 && FUseSkinSize)) FLayerManager->Hide();
}

void TqvSkinButton::BeforeChangeSkinData() {
    TqvSkinCustomControl::BeforeChangeSkinData();
    if (FLayerManager->IsVisible()) FLayerManager->Hide();
}

void TqvSkinButton::ChangeSkinData() {
    StopMorph();
    StopAnimate();
    FMorphKf = 0;
    TqvSkinCustomControl::ChangeSkinData();
    if (MorphingOn() && FIndex != -1 && (IsFocused() || FMouseIn)) FMorphKf = 5;
    if (FMouseIn) PostMessage(this, WM_SKIN_GLOW_SHOW);
}
