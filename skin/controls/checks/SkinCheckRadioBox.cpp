#include "skin/controls/checks/SkinCheckRadioBox.h"

#include "platform/ActnList.h"
#include "platform/Application.h"
#include "skin/controls/base/SkinMorph.h"
#include "skin/controls/panels/SkinPanel.h"
#include "skin/model/ResourceStrings.h"
#include "skin/model/SkinRecords.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/EffectBmp.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>

namespace {
bool Empty(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }
constexpr int kMorphInterval = 20;
}  // namespace

TqvSkinCheckRadioBox::TqvSkinCheckRadioBox(QObject* AOwner) : TqvSkinCustomControl(AOwner) {
    FSkinDataName = QStringLiteral("checkbox");
    setFocusPolicy(Qt::StrongFocus);
    // A check box is not a tab stop until the form asks for one.
    SetTabStop(false);
    SetBounds(Left(), Top(), 150, 25);
}

TqvSkinCheckRadioBox::~TqvSkinCheckRadioBox() { FMorphTimer.Stop(); }

// ---- record and geometry ----

void TqvSkinCheckRadioBox::GetSkinData() {
    TqvSkinCustomControl::GetSkinData();
    const auto* r = dynamic_cast<const TqvDataSkinCheckRadioControl*>(Record());
    FHasRecord = r != nullptr;
    if (r) {
        FontName = r->FontName;
        FontStyle = r->FontStyle;
        FontHeight = r->FontHeight;
        FontColor = r->FontColor;
        ActiveFontColor = r->ActiveFontColor;
        UnEnabledFontColor = r->UnEnabledFontColor;
        FrameFontColor = r->FrameFontColor;
        ActiveSkinRect = Empty(r->ActiveSkinRect) ? r->SkinRect : r->ActiveSkinRect;
        CheckImageArea = r->CheckImageArea;
        TextArea = r->TextArea;
        CheckImageRect = r->CheckImageRect;
        UnCheckImageRect = r->UnCheckImageRect;
        ActiveCheckImageRect = Empty(r->ActiveCheckImageRect) ? r->CheckImageRect : r->ActiveCheckImageRect;
        UnEnabledCheckImageRect = Empty(r->UnEnabledCheckImageRect) ? r->CheckImageRect : r->UnEnabledCheckImageRect;
        ActiveUnCheckImageRect = Empty(r->ActiveUnCheckImageRect) ? r->UnCheckImageRect : r->ActiveUnCheckImageRect;
        UnEnabledUnCheckImageRect =
            Empty(r->UnEnabledUnCheckImageRect) ? r->UnCheckImageRect : r->UnEnabledUnCheckImageRect;
        GrayedCheckImageRect = r->GrayedCheckImageRect;
        ActiveGrayedCheckImageRect = r->ActiveGrayedCheckImageRect;
        Morphing = r->Morphing;
        MorphKind = r->MorphKind;
    }
    if (FFlat) {
        Morphing = false;
        G.MaskPicture = QImage();
    }
}

void TqvSkinCheckRadioBox::ChangeSkinData() {
    if (FFlat) {
        GetSkinData();
        update();
        return;
    }
    TqvSkinCustomControl::ChangeSkinData();
}

void TqvSkinCheckRadioBox::AdjustSkinSize(int& AWidth, int& AHeight) {
    // The flat look keeps any size.
    if (FFlat) return;
    TqvSkinCustomControl::AdjustSkinSize(AWidth, AHeight);
    const int D = AWidth - G.SkinRect.Width();
    NewTextArea = TextArea;
    NewTextArea.Right += D;
    TRect area = CheckImageArea;
    if (TextArea.Right < CheckImageArea.Right) area = Rect(area.Left + D, area.Top, area.Right + D, area.Bottom);
    const int gw = CheckImageRect.Width(), gh = CheckImageRect.Height();
    const int l = area.Left + area.Width() / 2 - gw / 2, t = area.Top + area.Height() / 2 - gh / 2;
    CIRect = Rect(l, t, l + gw, t + gh);
}

// ---- properties ----

void TqvSkinCheckRadioBox::SetChecked(bool v) {
    FChecked = v;
    if (v) FState = cbChecked;
    else if (FState == cbChecked) FState = cbUnchecked;
    update();
    if (v && FGroupIndex != 0) UncheckGroup();
    if (OnClick && (!FRadio || v)) OnClick(this);
}

void TqvSkinCheckRadioBox::SetState(TCheckBoxState v) {
    FState = v;
    FChecked = v == cbChecked;
    update();
    if (OnClick) OnClick(this);
}

void TqvSkinCheckRadioBox::ActionChange(TCustomAction* Sender, bool CheckDefaults) {
    TqvSkinCustomControl::ActionChange(Sender, CheckDefaults);
    if (!CheckDefaults || !FChecked) SetChecked(Sender->Checked());
}

void TqvSkinCheckRadioBox::SetAllowGrayed(bool v) {
    FAllowGrayed = v;
    update();
}

void TqvSkinCheckRadioBox::SetRadio(bool v) {
    FRadio = v;
    update();
}

void TqvSkinCheckRadioBox::SetWordWrap(bool v) {
    if (FWordWrap == v) return;
    FWordWrap = v;
    if (FFlat) update();
}

void TqvSkinCheckRadioBox::SetFlat(bool v) {
    FFlat = v;
    ChangeSkinData();
    update();
}

void TqvSkinCheckRadioBox::SetImages(TCustomImageList* v) {
    FImages = v;
    update();
}

void TqvSkinCheckRadioBox::SetImageIndex(int v) {
    FImageIndex = v;
    update();
}

void TqvSkinCheckRadioBox::SetCanFocused(bool v) {
    FCanFocused = v;
    SetTabStop(v);
}

void TqvSkinCheckRadioBox::UncheckGroup() {
    if (!Parent()) return;
    for (TControl* c : Parent()->Controls()) {
        auto* b = dynamic_cast<TqvSkinCheckRadioBox*>(c);
        if (b && b != this && b->FGroupIndex == FGroupIndex && b->FChecked) b->SetChecked(false);
    }
}

void TqvSkinCheckRadioBox::ToggleChecked() {
    if (!FRadio) SetChecked(!FChecked);
    else if (!FChecked) SetChecked(true);
}

// ---- hover and morphing ----

bool TqvSkinCheckRadioBox::EnableMorphing() const {
    return Morphing && FSD && !FSD->Empty && FSD->EnableSkinEffects();
}

void TqvSkinCheckRadioBox::HoverChanged() {
    GetSkinData();
    if (EnableMorphing() && Skinned()) {
        if (!FMorphTimer.Active()) FMorphTimer.Start(kMorphInterval, [this] { Application()->Guard([this] { MorphTick(); }); });
    } else {
        update();
    }
}

void TqvSkinCheckRadioBox::MorphTick() {
    GetSkinData();
    const bool active = FMouseIn || ShowsFocus();
    if (!Skinned() || !EnableMorphing()) {
        FMorphKf = active ? 5 : 0;
        FMorphTimer.Stop();
        return;
    }
    if (active && FMorphKf < 5) ++FMorphKf;
    else if (!active && FMorphKf > 0) --FMorphKf;
    else {
        FMorphKf = active ? 5 : 0;
        FMorphTimer.Stop();
    }
    update();
}

void TqvSkinCheckRadioBox::MouseEnter() {
    TqvSkinCustomControl::MouseEnter();
    FMouseIn = true;
    HoverChanged();
}

void TqvSkinCheckRadioBox::MouseLeave() {
    TqvSkinCustomControl::MouseLeave();
    if (FMouseDown) return;  // Qt reports it after the release; moves told us already
    FMouseIn = false;
    HoverChanged();
}

void TqvSkinCheckRadioBox::EnabledChanged() {
    TqvSkinCustomControl::EnabledChanged();
    FMorphTimer.Stop();
    if (EnableMorphing()) FMorphKf = 0;
    FMouseIn = false;
    update();
}

void TqvSkinCheckRadioBox::TextChanged() {
    UpdateMnemonic();
    update();
}

void TqvSkinCheckRadioBox::CheckParentBackground() {
    if (FFlat) update();
}

void TqvSkinCheckRadioBox::moveEvent(QMoveEvent* e) {
    TqvSkinCustomControl::moveEvent(e);
    if (FFlat) update();
}

void TqvSkinCheckRadioBox::UpdateMnemonic() { FShortcutId = RegrabMnemonic(this, FShortcutId, Caption()); }

bool TqvSkinCheckRadioBox::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(e)->shortcutId() == FShortcutId) {
        Application()->Guard([&] {
            if (CanFocus() && FCanFocused) {
                SetFocus();
                ToggleChecked();
            }
        });
        return true;
    }
    return TqvSkinCustomControl::event(e);
}

// ---- mouse and keys: the control's own click path, no platform click ----

void TqvSkinCheckRadioBox::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && FCanFocused && !Focused()) {
        SetFocus();
        if (!Focused()) return;
    }
    Application()->Guard([&] {
        if (OnMouseDown) OnMouseDown(this, e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()));
        if (e->button() != Qt::LeftButton) return;
        FMouseDown = true;
        if (!FMouseIn) {
            FMouseIn = true;
            HoverChanged();
        }
    });
}

void TqvSkinCheckRadioBox::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void TqvSkinCheckRadioBox::mouseMoveEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        // Qt holds Enter and Leave back while the button is down.
        if (FMouseDown) {
            const bool in = rect().contains(e->position().toPoint());
            if (in != FMouseIn) {
                FMouseIn = in;
                HoverChanged();
            }
        }
        if (OnMouseMove) OnMouseMove(this, e->modifiers(), int(e->position().x()), int(e->position().y()));
    });
}

void TqvSkinCheckRadioBox::mouseReleaseEvent(QMouseEvent* e) {
    Application()->Guard([&] {
        const bool left = e->button() == Qt::LeftButton;
        const bool was = FMouseDown;
        if (left) FMouseDown = false;
        if (left && was && FMouseIn) {
            if (FAllowGrayed && !FRadio && FState == cbUnchecked) {
                FState = cbGrayed;
                FChecked = false;
                update();
                if (OnClick) OnClick(this);
            } else {
                ToggleChecked();
            }
        }
        if (left && !rect().contains(e->position().toPoint()) && FMouseIn) {
            FMouseIn = false;
            HoverChanged();
        }
        if (OnMouseUp) OnMouseUp(this, e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()));
    });
}

void TqvSkinCheckRadioBox::keyReleaseEvent(QKeyEvent* e) {
    if (FCanFocused && e->key() == Qt::Key_Space && !e->isAutoRepeat() && ShowsFocus())
        Application()->Guard([&] { ToggleChecked(); });
    TqvSkinCustomControl::keyReleaseEvent(e);
}

void TqvSkinCheckRadioBox::focusInEvent(QFocusEvent* e) {
    TqvSkinCustomControl::focusInEvent(e);
    if (!FCanFocused) return;
    if (FFlat) update();
    else HoverChanged();
}

void TqvSkinCheckRadioBox::focusOutEvent(QFocusEvent* e) {
    TqvSkinCustomControl::focusOutEvent(e);
    if (!FCanFocused) return;
    if (FFlat) update();
    else HoverChanged();
}

// ---- painting ----

void TqvSkinCheckRadioBox::SetCaptionFont(TCanvas& C) const {
    TFont f(const_cast<TqvSkinCheckRadioBox*>(this)->DefaultFont());
    if (Skinned() && UseSkinFont()) {
        f.SetName(FontName);
        f.SetHeight(FontHeight);
        f.SetStyle(FontStyle);
    }
    if (FSD && FSD->ResourceStrData()) f.SetCharset(FSD->ResourceStrData()->CharSet());
    C.SetFont(f);
}

void TqvSkinCheckRadioBox::DrawGlyph(TCanvas& C, int X, int Y, const TRect& R) {
    if (Empty(R) || G.Picture.isNull()) return;
    TBitmap b(G.Picture.copy(R.ToQRect()).convertToFormat(QImage::Format_RGB32));
    b.SetTransparent(true);
    C.Draw(X, Y, b);
}

void TqvSkinCheckRadioBox::DrawGrayedGlyph(TCanvas& C, int X, int Y, const TRect& R, bool hover) {
    if (Empty(GrayedCheckImageRect)) {
        if (Empty(R) || G.Picture.isNull()) return;
        TqvEffectBmp e(G.Picture.copy(R.ToQRect()));
        e.ChangeBrightness(0.5);
        TBitmap b(e.Image().convertToFormat(QImage::Format_RGB32));
        b.SetTransparent(true);
        C.Draw(X, Y, b);
        return;
    }
    DrawGlyph(C, X, Y, hover && !Empty(ActiveGrayedCheckImageRect) ? ActiveGrayedCheckImageRect : GrayedCheckImageRect);
}

TRect TqvSkinCheckRadioBox::GlyphRect(bool hover, TCheckBoxState state) const {
    if (!Enabled()) return state == cbUnchecked ? UnEnabledUnCheckImageRect : UnEnabledCheckImageRect;
    if (hover) return state == cbUnchecked ? ActiveUnCheckImageRect : ActiveCheckImageRect;
    return state == cbUnchecked ? UnCheckImageRect : CheckImageRect;
}

void TqvSkinCheckRadioBox::DrawGlyphFor(TCanvas& C, int X, int Y, bool hover, TCheckBoxState state) {
    const TRect r = GlyphRect(hover && Enabled(), state);
    if (state == cbGrayed) DrawGrayedGlyph(C, X, Y, r, hover && Enabled());
    else DrawGlyph(C, X, Y, r);
}

// The built-in look over a skinned panel: a font left at a system text colour
// takes the panel's text colour, which reads on the panel's (maybe dark) face.
TColor TqvSkinCheckRadioBox::FlatTextColor() {
    const TColor own = DefaultFont().Color();
    const auto* panel = dynamic_cast<const TqvSkinPanel*>(Parent());
    TColor colour;
    if (panel && (own == clWindowText || own == clBtnText) && panel->ClientTextColor(colour)) return colour;
    return own;
}

void TqvSkinCheckRadioBox::PaintFlat(TCanvas& C, bool checked, TCheckBoxState state, bool hover, bool focus) {
    const int H = Height(), H2 = H / 2, W = Width();
    const bool skin = Skinned();
    SetCaptionFont(C);
    TColor colour;
    if (!skin) colour = Enabled() ? FlatTextColor() : clBtnShadow;
    else if (!Enabled()) colour = UnEnabledFontColor;
    else colour = FUseSkinFontColor ? FrameFontColor : DefaultFont().Color();
    C.Font().SetColor(colour);
    C.Brush().SetStyle(bsClear);
    const int textX = skin ? CheckImageRect.Width() + 7 : 22;
    const bool image = ShowImage();
    const QString caption = Caption();
    TRect capRect{};
    if (!FWordWrap) {
        TRect m = Rect(0, 0, W, H);
        C.DrawText(caption, m, DT_CALCRECT);
        int x = textX + (image ? FImages->Width() + (skin ? 8 : 5) : 0);
        capRect = Rect(x, H2 - m.Height() / 2, std::min(x + m.Width(), W - 2), H2 - m.Height() / 2 + m.Height());
    } else {
        TRect m = Rect(textX + (image ? FImages->Width() : 0), 0, W, H);
        C.DrawText(caption, m, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
        const int h = m.Height();
        const int top = std::max(0, H2 - h / 2);
        capRect = Rect(textX + (image ? FImages->Width() : 0), top, W, top + h);
    }
    if (image) FImages->Draw(C, textX, H2 - FImages->Height() / 2, FImageIndex, Enabled());
    FCaptionColor = colour;
    FCaptionRect = capRect;
    if (!FWordWrap) {
        TRect r = capRect;
        C.DrawText(caption, r, DT_SINGLELINE | DT_VCENTER);
    } else {
        TRect r = capRect;
        C.DrawText(caption, r, DT_EXPANDTABS | DT_WORDBREAK);
    }
    if (skin) {
        DrawGlyphFor(C, 3, H2 - CheckImageRect.Height() / 2, hover, state);
    } else {
        TRect sq = Rect(3, H2 - 7, 17, H2 + 7);
        // On a skinned panel the square takes the caption's colour, as the mark
        // does: the grey frame all but vanished on light and dark faces alike.
        const bool panelColour = Enabled() && colour != DefaultFont().Color();
        C.Brush().SetColor(hover ? clNavy : panelColour ? colour : clBtnShadow);
        C.FrameRect(sq);
        C.Brush().SetStyle(bsClear);
        if (state == cbGrayed && !FRadio) {
            DrawCheckImage(C, 7, H2 - 4, clGrayText);
        } else if (checked) {
            // The mark in the caption's colour where that came from the panel.
            const TColor mark = !Enabled() ? clBtnShadow : colour != DefaultFont().Color() ? colour : clBlack;
            if (FRadio) DrawFilledSquareMark(C, 7, H2 - 3, mark);
            else DrawCheckImage(C, 7, H2 - 4, mark);
        }
    }
    if (focus) {
        C.Font().SetColor(colour);
        if (!caption.isEmpty()) {
            TRect f = capRect;
            if (!FWordWrap) f = Rect(f.Left - 2, f.Top - 1, f.Right + 3, f.Bottom + 1);
            else f = Rect(f.Left - 2, f.Top - 1, f.Right + 2, f.Bottom + 1);
            DrawDottedFocusRect(C, f);
        } else if (image) {
            const int y = H2 - FImages->Height() / 2;
            DrawDottedFocusRect(C, Rect(textX - 1, y - 1, textX + FImages->Width() + 1, y + FImages->Height() + 1));
        }
    }
}

void TqvSkinCheckRadioBox::CreateStateImage(QImage& B, const TRect& R, bool Active, TCheckBoxState state, bool paintTo) {
    CreateSkinImage(B, G.Picture, R);
    TCanvas C(&B);
    if (paintTo) DrawGlyph(C, CIRect.Left, CIRect.Top, GlyphRect(false, state));
    else DrawGlyphFor(C, CIRect.Left, CIRect.Top, FMouseIn, state);
    SetCaptionFont(C);
    TColor colour = !Enabled() ? UnEnabledFontColor : (Active && !paintTo) ? ActiveFontColor : FontColor;
    C.Font().SetColor(colour);
    C.Brush().SetStyle(bsClear);
    FCaptionColor = colour;
    FCaptionRect = NewTextArea;
    DrawTextVCentered(C, Caption(), NewTextArea);
}

void TqvSkinCheckRadioBox::CreateControlDefaultImage(QImage& B) {
    TCanvas C(&B);
    const int W = B.width(), H = B.height(), H2 = H / 2;
    C.Brush().SetColor(clBtnFace);
    C.FillRect(Rect(0, 0, W, H));
    if (ShowsFocus() || FMouseIn) {
        TRect r = Rect(0, 0, W, H);
        Frame3D(C, r, clBtnShadow, clBtnShadow, 1);
    }
    C.SetFont(DefaultFont());
    const TColor colour = Enabled() ? DefaultFont().Color() : clBtnShadow;
    C.Font().SetColor(colour);
    C.Brush().SetStyle(bsClear);
    FCaptionColor = colour;
    FCaptionRect = Rect(19, 0, W, H);
    DrawTextVCentered(C, Caption(), FCaptionRect);
    C.Brush().SetColor(FMouseIn ? clNavy : clBtnShadow);
    C.FrameRect(Rect(3, H2 - 7, 17, H2 + 7));
    if (FState == cbGrayed && !FRadio) DrawCheckImage(C, 7, H2 - 4, clGrayText);
    else if (FChecked) {
        const TColor mark = Enabled() ? clBlack : clBtnShadow;
        if (FRadio) DrawFilledSquareMark(C, 7, H2 - 3, mark);
        else DrawCheckImage(C, 7, H2 - 4, mark);
    }
}

void TqvSkinCheckRadioBox::PaintImage(QImage& B) {
    GetSkinData();
    if (FFlat) {
        TCanvas C(&B);
        CopyParentBackground(this, C);
        PaintFlat(C, FChecked, FState, FMouseIn, ShowsFocus());
        return;
    }
    if (!Skinned()) {
        CreateControlDefaultImage(B);
        return;
    }
    int w = Width(), h = Height();
    AdjustSkinSize(w, h);
    const bool active = FMouseIn || ShowsFocus();
    if (EnableMorphing() && FMorphKf > 0 && FMorphKf < 5) {
        QImage normal = NewSkinImage(Width(), Height()), hot = NewSkinImage(Width(), Height());
        CreateStateImage(normal, G.SkinRect, false, FState, false);
        CreateStateImage(hot, ActiveSkinRect, true, FState, false);
        B = MorphFrame(normal, hot, FMorphKf, MorphKind);
        return;
    }
    CreateStateImage(B, active ? ActiveSkinRect : G.SkinRect, active, FState, false);
}

void TqvSkinCheckRadioBox::PaintSkinTo(TCanvas& C, int X, int Y, bool AChecked) {
    GetSkinData();
    QImage B = NewSkinImage(Width(), Height());
    const TCheckBoxState state = AChecked ? cbChecked : cbUnchecked;
    if (FFlat) {
        TCanvas c(&B);
        CopyParentBackground(this, c);
        PaintFlat(c, AChecked, state, false, false);
    } else if (Skinned()) {
        int w = Width(), h = Height();
        AdjustSkinSize(w, h);
        CreateStateImage(B, G.SkinRect, false, state, true);
    } else {
        return;
    }
    C.Draw(X, Y, B);
}
