#include "skin/controls/buttons/SkinSpeedButton.h"

#include "platform/ActnList.h"
#include "platform/Application.h"
#include "platform/ImgList.h"
#include "skin/controls/base/SkinMorph.h"
#include "skin/controls/base/SkinControl.h"
#include "skin/model/ResourceStrings.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <QMouseEvent>
#include <QShortcutEvent>

namespace {
bool Empty(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }
constexpr int kMorphInterval = 20;
constexpr int kRepeatDelay = 500;
}  // namespace

TqvSkinSpeedButton::TqvSkinSpeedButton(QObject* AOwner) : TqvGraphicSkinCustomControl(AOwner) {
    FSkinDataName = QStringLiteral("toolbutton");
    SetBounds(Left(), Top(), 25, 25);
}

TqvSkinSpeedButton::~TqvSkinSpeedButton() {
    FMorphTimer.Stop();
    FAnimateTimer.Stop();
    FRepeatTimer.Stop();
}

bool TqvSkinSpeedButton::EffectsOn() const { return FSD && !FSD->Empty && FSD->EnableSkinEffects(); }

// ---- record ----

TRect TqvSkinSpeedButton::AnimateFrameRect(int k) const {
    const TRect& a = AnimateSkinRect;
    if (FrameCount <= 0) return a;
    if (a.Width() > G.SkinRect.Width()) {
        const int w = a.Width() / FrameCount;
        return Rect(a.Left + w * (k - 1), a.Top, a.Left + w * k, a.Bottom);
    }
    const int h = a.Height() / FrameCount;
    return Rect(a.Left, a.Top + h * (k - 1), a.Right, a.Top + h * k);
}

void TqvSkinSpeedButton::GetSkinData() {
    TqvGraphicSkinCustomControl::GetSkinData();
    if (FIndex == -1) {
        ActiveSkinRect = {};
        return;
    }
    const auto* d = dynamic_cast<const TqvDataSkinButtonControl*>(Record());
    if (!d) return;
    FontName = d->FontName;
    FontStyle = d->FontStyle;
    FontHeight = d->FontHeight;
    FontColor = d->FontColor;
    ActiveFontColor = d->ActiveFontColor;
    DownFontColor = d->DownFontColor;
    DisabledFontColor = d->DisabledFontColor == d->FontColor ? RGB(128, 128, 128) : d->DisabledFontColor;
    ActiveSkinRect = Empty(d->ActiveSkinRect) ? d->SkinRect : d->ActiveSkinRect;
    DownSkinRect = Empty(d->DownSkinRect) ? ActiveSkinRect : d->DownSkinRect;
    DisabledSkinRect = d->DisabledSkinRect;
    Morphing = d->Morphing && !FTransparent;
    MorphKind = d->MorphKind;
    AnimateSkinRect = d->AnimateSkinRect;
    FrameCount = d->FrameCount;
    AnimateInterval = d->AnimateInterval;
    MenuMarkerRect = d->MenuMarkerRect;
    MenuMarkerActiveRect = Empty(d->MenuMarkerActiveRect) ? d->MenuMarkerRect : d->MenuMarkerActiveRect;
    MenuMarkerDownRect = Empty(d->MenuMarkerDownRect) ? MenuMarkerActiveRect : d->MenuMarkerDownRect;
    MenuMarkerFlatRect = Empty(d->MenuMarkerFlatRect) ? d->MenuMarkerRect : d->MenuMarkerFlatRect;
    MenuMarkerTransparentColor = d->MenuMarkerTransparentColor;
    if (FAnimateTimer.Active() && FCurrentFrame >= 1 && FCurrentFrame <= FrameCount) {
        if (FAnimateInc) ActiveSkinRect = AnimateFrameRect(FCurrentFrame);
        else G.SkinRect = AnimateFrameRect(FCurrentFrame);
    }
}

void TqvSkinSpeedButton::ChangeSkinData() {
    StopAnimate();
    StopMorph();
    TqvGraphicSkinCustomControl::ChangeSkinData();
    if (MorphingOn() && FIndex != -1 && FMouseIn && !FTransparent) FMorphKf = 5;
}

void TqvSkinSpeedButton::AdjustSkinSize(int& AWidth, int& AHeight) {
    if (FUseSkinSize || G.ResizeMode == 1) {
        TqvGraphicSkinCustomControl::AdjustSkinSize(AWidth, AHeight);
        return;
    }
    G.NewClRect = G.ClRect;
    G.NewClRect.Right += AWidth - G.SkinRect.Width();
    G.NewClRect.Bottom += AHeight - G.SkinRect.Height();
}

// ---- properties ----

void TqvSkinSpeedButton::SetDown(bool v) {
    FDown = v;
    if (MorphingOn()) {
        FMorphKf = 5;
        if (v) StopMorph();
        else StartMorph();
    }
    update();
    if (v && FGroupIndex != 0 && !FAllowAllUp) ReleaseGroup();
}

void TqvSkinSpeedButton::ReleaseGroup() {
    if (!Parent()) return;
    for (TControl* c : Parent()->Controls()) {
        auto* b = dynamic_cast<TqvSkinSpeedButton*>(c);
        if (b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) b->SetDown(false);
    }
}

void TqvSkinSpeedButton::SetFlat(bool v) {
    FFlat = v;
    SetTransparent(v);
}

void TqvSkinSpeedButton::SetTransparent(bool v) {
    FTransparent = v;
    setAttribute(Qt::WA_OpaquePaintEvent, !v);
    update();
}

void TqvSkinSpeedButton::SetGlyph(const TBitmap& b) {
    FGlyph = b;
    update();
}

void TqvSkinSpeedButton::SetNumGlyphs(int v) {
    FNumGlyphs = std::clamp(v, 1, 4);
    update();
}

void TqvSkinSpeedButton::SetImageList(TCustomImageList* v) {
    FImageList = v;
    update();
}

void TqvSkinSpeedButton::SetImageIndex(int v) {
    FImageIndex = v;
    if (Bar()) update();
}

void TqvSkinSpeedButton::SetLayout(TqvButtonLayout v) {
    if (FLayout == v) return;
    FLayout = v;
    update();
}

void TqvSkinSpeedButton::SetMargin(int v) {
    if (v == FMargin || v < -1) return;
    FMargin = v;
    update();
}

void TqvSkinSpeedButton::SetSpacing(int v) {
    if (v == FSpacing) return;
    FSpacing = v;
    update();
}

void TqvSkinSpeedButton::SetShowCaption(bool v) {
    if (FShowCaption == v) return;
    FShowCaption = v;
    if (FWidthWithCaption > 0 && FWidthWithoutCaption > 0) SetWidth(v ? FWidthWithCaption : FWidthWithoutCaption);
    else update();
}

void TqvSkinSpeedButton::RefreshButton() {
    FMouseIn = FHover = false;
    FDown = false;
    if (MorphingOn()) FMorphKf = 0;
    if (EffectsOn()) StopAnimate();
    update();
}

void TqvSkinSpeedButton::ButtonClick() {
    if (OnClick) OnClick(this);
    else if (TControlActionLink* link = ActionLink()) link->Execute();
}

void TqvSkinSpeedButton::ActionChange(TCustomAction* Sender, bool CheckDefaults) {
    TqvGraphicSkinCustomControl::ActionChange(Sender, CheckDefaults);
    TCustomImageList* list = Sender->Images();
    if (FGlyph.Empty() && list && Sender->ImageIndex() >= 0 && Sender->ImageIndex() < list->Count()) {
        // Fuchsia stays out where the image leaves it showing.
        TBitmap g(list->Width(), list->Height());
        TCanvas& c = g.Canvas();
        c.Brush().SetColor(RGB(255, 0, 255));
        c.FillRect(Rect(0, 0, g.Width(), g.Height()));
        list->Draw(c, 0, 0, Sender->ImageIndex(), true);
        FGlyph = g;
    }
    update();
}

// ---- timers ----

void TqvSkinSpeedButton::StartMorph() {
    if (!FMorphTimer.Active()) FMorphTimer.Start(kMorphInterval, [this] { Application()->Guard([this] { MorphTimerProc(); }); });
}

void TqvSkinSpeedButton::MorphTimerProc() {
    GetSkinData();
    if (FIndex == -1 || !MorphingOn()) {
        FMorphKf = FMouseIn ? 5 : 0;
        StopMorph();
        return;
    }
    if (FMouseIn && FMorphKf < 5) ++FMorphKf;
    else if (!FMouseIn && FMorphKf > 0) --FMorphKf;
    else {
        FMorphKf = FMouseIn ? 5 : 0;
        StopMorph();
    }
    update();
}

void TqvSkinSpeedButton::MorphOrRepaint() {
    if (MorphingOn() && FIndex != -1 && !FTransparent) StartMorph();
    else update();
}

void TqvSkinSpeedButton::StartAnimate(bool AInc) {
    GetSkinData();
    if (FIndex == -1 || !EffectsOn() || Empty(AnimateSkinRect) || FFlat || FrameCount <= 0) return;
    StopAnimate();
    FAnimateInc = AInc;
    FCurrentFrame = AInc ? 1 : FrameCount;
    FAnimateTimer.Start(AnimateInterval, [this] { Application()->Guard([this] { AnimateTimerProc(); }); });
}

void TqvSkinSpeedButton::AnimateTimerProc() {
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

void TqvSkinSpeedButton::StopAnimate() {
    FCurrentFrame = 0;
    FAnimateTimer.Stop();
}

void TqvSkinSpeedButton::StartRepeat() {
    FRepeatFirst = true;
    FRepeatTimer.Start(kRepeatDelay, [this] {
        Application()->Guard([this] {
            if (FRepeatFirst) {
                // The first tick only switches to the repeat interval.
                FRepeatFirst = false;
                FRepeatTimer.Start(FRepeatInterval, [this] { Application()->Guard([this] { ButtonClick(); }); });
                return;
            }
            ButtonClick();
        });
    });
}

// ---- pointer ----

void TqvSkinSpeedButton::PointerEnters() {
    if (!Enabled()) return;
    FMouseIn = true;
    if (FGroupIndex != 0 && FDown) return;
    if (FMouseDown && FGroupIndex == 0) {
        if (MorphingOn()) FMorphKf = 5;
        update();
        if (FRepeatMode) StartRepeat();
        return;
    }
    StartAnimate(true);
    MorphOrRepaint();
}

void TqvSkinSpeedButton::PointerLeaves() {
    if (!Enabled()) return;
    FMouseIn = false;
    if (FGroupIndex != 0 && FDown) return;
    StartAnimate(false);
    MorphOrRepaint();
    if (FMouseDown && FGroupIndex == 0 && FRepeatMode) StopRepeat();
}

void TqvSkinSpeedButton::MouseEnter() {
    TqvGraphicSkinCustomControl::MouseEnter();
    // After a release Qt sends the Enter or Leave it held back; moves told us already.
    if (FHover) return;
    FHover = true;
    PointerEnters();
}

void TqvSkinSpeedButton::MouseLeave() {
    TqvGraphicSkinCustomControl::MouseLeave();
    if (!FHover) return;
    FHover = false;
    PointerLeaves();
}

void TqvSkinSpeedButton::mouseMoveEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        if (FMouseDown) {
            const bool in = rect().contains(e->position().toPoint());
            if (in != FHover) {
                FHover = in;
                if (in) PointerEnters();
                else PointerLeaves();
            }
        }
        if (OnMouseMove) OnMouseMove(this, e->modifiers(), int(e->position().x()), int(e->position().y()));
    });
}

void TqvSkinSpeedButton::mousePressEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        if (OnMouseDown) OnMouseDown(this, e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()));
        if (e->button() == Qt::LeftButton && Enabled()) MouseDownLeft(e->position().toPoint());
    });
}

void TqvSkinSpeedButton::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void TqvSkinSpeedButton::mouseReleaseEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        if (e->button() == Qt::LeftButton) MouseUpLeft(e->position().toPoint());
        if (OnMouseUp) OnMouseUp(this, e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()));
    });
}

void TqvSkinSpeedButton::MouseDownLeft(QPoint) {
    StopAnimate();
    FMouseDown = true;
    FHover = true;
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (FRepeatMode && FGroupIndex == 0) StartRepeat();
        else if (FGroupIndex != 0) ButtonClick();
        FAllowAllUpCheck = false;
    } else if (FGroupIndex != 0) {
        FAllowAllUpCheck = true;
    }
}

void TqvSkinSpeedButton::MouseUpLeft(QPoint) {
    if (!FMouseDown) return;
    FMouseDown = false;
    if (FGroupIndex == 0) {
        if (FMouseIn) {
            const bool was = FDown;
            SetDown(false);
            StopRepeat();
            if (was) ButtonClick();
        } else {
            FDown = false;
            StopRepeat();
        }
    } else if (FDown && FAllowAllUp && FAllowAllUpCheck && FMouseIn) {
        SetDown(false);
        ButtonClick();
    }
}

void TqvSkinSpeedButton::EnabledChanged() {
    TqvGraphicSkinCustomControl::EnabledChanged();
    if (MorphingOn()) {
        StopMorph();
        FMorphKf = 0;
    }
    FMouseIn = false;
    update();
}

void TqvSkinSpeedButton::TextChanged() {
    UpdateMnemonic();
    update();
}

void TqvSkinSpeedButton::UpdateMnemonic() { FShortcutId = RegrabMnemonic(this, FShortcutId, Caption()); }

bool TqvSkinSpeedButton::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(e)->shortcutId() == FShortcutId) {
        Application()->Guard([&] {
            if (Enabled() && isVisible()) ButtonClick();
        });
        return true;
    }
    return TqvGraphicSkinCustomControl::event(e);
}

// ---- painting ----

void TqvSkinSpeedButton::SetCaptionFont(TCanvas& C) const {
    TFont f(const_cast<TqvSkinSpeedButton*>(this)->DefaultFont());
    if (FIndex != -1 && UseSkinFont()) {
        f.SetName(FontName);
        f.SetHeight(FontHeight);
        f.SetStyle(FontStyle);
    }
    if (FSD && FSD->ResourceStrData()) f.SetCharset(FSD->ResourceStrData()->CharSet());
    C.SetFont(f);
}

void TqvSkinSpeedButton::DrawContent(TCanvas& C, const TRect& R, bool ADown, bool AMouseIn, bool Pressed) {
    FLastFontColor = C.Font().Color();
    bool drawDefault = true;
    if (OnPaint) OnPaint(this, C, R, ADown, AMouseIn, drawDefault);
    if (!drawDefault) {
        FLastContent = QStringLiteral("none");
        return;
    }
    C.Brush().SetStyle(bsClear);
    QString caption = FShowCaption ? Caption() : QString();
    TqvImagesMenuRef* menu = FImagesMenu.Get();
    if (menu && FUseImagesMenuImage && menu->SelectedImageIndex() >= 0) {
        if (FUseImagesMenuCaption) caption = menu->SelectedCaption();
        FLastContent = QStringLiteral("images menu");
        DrawImageGlyphAndCaption(C, R, FMargin, FSpacing, FLayout, caption, menu->SelectedImageIndex(), menu->Images(),
                                 Pressed, Enabled(), false, 0);
        return;
    }
    TqvToolBarLists* bar = Bar();
    if (FGlyph.Empty() && bar) {
        TCustomImageList* list = bar->BarImages();
        bool enabled = Enabled();
        FLastContent = QStringLiteral("bar");
        if (!Enabled() && bar->BarDisabledImages()) {
            list = bar->BarDisabledImages();
            enabled = true;
            FLastContent = QStringLiteral("bar disabled");
        } else if ((ADown || AMouseIn) && bar->BarHotImages()) {
            list = bar->BarHotImages();
            FLastContent = QStringLiteral("bar hot");
        }
        if (list) {
            DrawImageGlyphAndCaption(C, R, FMargin, FSpacing, FLayout, caption, FImageIndex, list, Pressed, enabled,
                                     false, 0);
            return;
        }
    }
    if (FGlyph.Empty() && FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count()) {
        FLastContent = QStringLiteral("image list");
        DrawImageGlyphAndCaption(C, R, FMargin, FSpacing, FLayout, caption, FImageIndex, FImageList, Pressed,
                                 Enabled(), false, 0);
        return;
    }
    int frame = 1;
    if (ADown && AMouseIn && FNumGlyphs > 2) frame = 3;
    else if (AMouseIn && FNumGlyphs > 3) frame = 4;
    else if (!Enabled() && FNumGlyphs > 1) frame = 2;
    FLastContent = QStringLiteral("glyph %1").arg(frame);
    DrawBitmapGlyphAndCaption(C, R, FMargin, FSpacing, FLayout, caption, FGlyph, FNumGlyphs, frame, Pressed, false, 0);
}

void TqvSkinSpeedButton::CreateStateImage(QImage& B, const TRect& R, bool ADown, bool AMouseIn) {
    TRect content = G.NewClRect;
    if (FUseSkinSize || G.ResizeMode == 1) {
        CreateSkinImage(B, G.Picture, R);
    } else {
        if (G.ResizeMode == 0) StretchBlt(B, Rect(0, 0, B.width(), B.height()), G.Picture, R);
        else if (G.ResizeMode == 2 || G.ResizeMode == 3) ResizeSkinImage(B, G.Picture, R, G.ClRect, true);
        content = G.ClRect;
        content.Right += B.width() - R.Width();
        content.Bottom += B.height() - R.Height();
    }
    TCanvas C(&B);
    SetCaptionFont(C);
    TColor colour = FontColor;
    if (Enabled() && !FUseSkinFontColor) colour = DefaultFont().Color();
    else if (!Enabled()) colour = DisabledFontColor;
    else if (ADown && AMouseIn) colour = DownFontColor;
    else if (AMouseIn) colour = ActiveFontColor;
    C.Font().SetColor(colour);
    DrawContent(C, content, ADown, AMouseIn, ADown && AMouseIn);
}

void TqvSkinSpeedButton::CreateControlDefaultImage(QImage& B) {
    TCanvas C(&B);
    const TRect r = Rect(0, 0, B.width(), B.height());
    const bool pressed = FDown && (FGroupIndex != 0 || FMouseIn);
    if (pressed || FMouseIn) {
        C.Brush().SetColor(pressed ? RGB(133, 147, 181) : RGB(182, 189, 210));
        C.FillRect(r);
        C.Brush().SetColor(RGB(0, 0, 128));
        C.FrameRect(r);
    } else if (!FFlat) {
        C.Brush().SetColor(clBtnFace);
        C.FillRect(r);
        C.Brush().SetColor(clBtnShadow);
        C.FrameRect(r);
    } else if (!FTransparent) {
        C.Brush().SetColor(clBtnFace);
        C.FillRect(r);
    }
    SetCaptionFont(C);
    C.Font().SetColor(Enabled() ? DefaultFont().Color() : clBtnShadow);
    DrawContent(C, r, FDown, FMouseIn, pressed);
}

void TqvSkinSpeedButton::PaintImage(QImage& B) {
    GetSkinData();
    const bool pressedLook = FDown && (FGroupIndex != 0 || FMouseIn);
    if (FIndex == -1) {
        FLastState = pressedLook ? 2 : FMouseIn ? 1 : FTransparent ? 4 : Enabled() ? 0 : 3;
        if (FTransparent && !pressedLook && !FMouseIn) {
            TCanvas C(&B);
            CopyParentBackground(this, C);
            SetCaptionFont(C);
            C.Font().SetColor(Enabled() ? DefaultFont().Color() : clBtnShadow);
            DrawContent(C, Rect(0, 0, B.width(), B.height()), false, false, false);
            return;
        }
        if (FTransparent) {
            TCanvas C(&B);
            CopyParentBackground(this, C);
        }
        CreateControlDefaultImage(B);
        return;
    }
    int w = Width(), h = Height();
    AdjustSkinSize(w, h);
    if (MorphingOn() && FMorphKf > 0 && FMorphKf < 5 && !FTransparent) {
        FLastState = 5;
        QImage normal = NewSkinImage(Width(), Height()), hot = NewSkinImage(Width(), Height());
        CreateStateImage(normal, G.SkinRect, false, false);
        CreateStateImage(hot, ActiveSkinRect, false, true);
        B = MorphFrame(normal, hot, FMorphKf, MorphKind);
        return;
    }
    if (pressedLook) {
        FLastState = 2;
        CreateStateImage(B, DownSkinRect, true, true);
    } else if (FMouseIn || (MorphingOn() && FMorphKf == 5)) {
        FLastState = 1;
        CreateStateImage(B, ActiveSkinRect, false, true);
    } else if (FTransparent) {
        FLastState = 4;
        TCanvas C(&B);
        CopyParentBackground(this, C);
        SetCaptionFont(C);
        TColor colour = !Enabled() ? FSD->SkinColors().cBtnShadow()
                                   : FUseSkinFontColor ? FSD->SkinColors().cBtnText() : DefaultFont().Color();
        C.Font().SetColor(colour);
        DrawContent(C, G.NewClRect, false, false, false);
    } else if (!Enabled() && !Empty(DisabledSkinRect)) {
        FLastState = 3;
        CreateStateImage(B, DisabledSkinRect, false, false);
    } else {
        FLastState = Enabled() ? 0 : 3;
        CreateStateImage(B, G.SkinRect, false, false);
    }
}
