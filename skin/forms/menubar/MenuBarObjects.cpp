#include "skin/forms/menubar/MenuBarObjects.h"

#include "skin/controls/base/SkinMorph.h"
#include "skin/forms/menu/MenuBarGeometry.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menubar/MainMenuBar.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/SkinCompose.h"

#include <cmath>

namespace {

const TColor kNavy = RGB(0, 0, 128), kPressedFill = RGB(133, 147, 181), kHotFill = RGB(182, 189, 210);

QImage ActivePicture(const TqvSkinData* sd, int index) {
    if (!sd || index < 0 || index >= int(sd->FActivePictures.size())) return {};
    return sd->FActivePictures[std::size_t(index)];
}

bool EmptyRect(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }

}  // namespace

// ---- TqvMenuBarObject ----

TqvMenuBarObject::TqvMenuBarObject(TqvSkinMainMenuBar* AParent, const TqvDataSkinObject* AData) : Parent(AParent) {
    if (!AData) return;
    IDName = AData->IDName;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    DownRect = AData->ActiveSkinRect;
    Morphing = AData->Morphing;
    MorphKind = AData->MorphKind;
    ObjectRect = SkinRect;
    Picture = ActivePicture(Parent->SkinData(), AData->ActivePictureIndex);
    if (EmptyRect(ActiveSkinRect)) Morphing = false;  // nothing to morph to
}

void TqvMenuBarObject::SetMorphKf(double v) {
    v = std::round(v * 1000) / 1000;
    FMorphKf = v < 0 ? 0 : v > 1 ? 1 : v;
}

bool TqvMenuBarObject::EnableMorphing() const {
    const TqvSkinData* sd = Parent->SkinData();
    return Morphing && sd && !sd->Empty && sd->EnableSkinEffects();
}

bool TqvMenuBarObject::CanMorphing() const {
    if (FDown && !EmptyRect(DownRect)) return false;
    return Active ? FMorphKf < 1 : FMorphKf > 0;
}

void TqvMenuBarObject::DoMorphing() {
    SetMorphKf(FMorphKf + (Active ? 0.2 : -0.2));
    Parent->DrawObject(this);
}

void TqvMenuBarObject::ReDraw() {
    if (EnableMorphing())
        Parent->MorphTimer()->SetEnabled(true);
    else
        Parent->DrawObject(this);
}

void TqvMenuBarObject::MouseEnter() {
    FMouseIn = Active = true;
    ReDraw();
}

void TqvMenuBarObject::MouseLeave() {
    FMouseIn = Active = false;
    ReDraw();
}

// ---- TqvSkinMainMenuBarButton ----

namespace {

// Src of Picture on a bitmap of W x H.
QImage Cut(const QImage& Picture, const TRect& Src, int W, int H) {
    QImage img = NewSkinImage(W, H);
    TCanvas(&img).CopyRect(Rect(0, 0, W, H), Picture, Src);
    return img;
}

bool ChildCommand(TqvStdCommand c) { return c == cmClose || c == cmMaximize || c == cmMinimize || c == cmSysMenu; }

}  // namespace

TqvSkinMainMenuBarButton::TqvSkinMainMenuBarButton(TqvSkinMainMenuBar* AParent, const TqvDataSkinObject* AData,
                                                   TqvStdCommand ACommand)
    : TqvMenuBarObject(AParent, AData), FSkinSupport(AData != nullptr), Command(ACommand) {
    if (auto* d = dynamic_cast<const TqvDataSkinStdButton*>(AData)) {
        // A skin object without one of the four commands keeps its place's.
        if (ChildCommand(d->Command)) Command = d->Command;
        DownRect = d->DownRect;
    }
}

void TqvSkinMainMenuBarButton::Draw(TCanvas& Cnvs) {
    if (!FSkinSupport || Picture.isNull()) {
        DefaultDraw(Cnvs);
        return;
    }
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0) return;
    if (FDown && FMouseIn && !EmptyRect(DownRect)) {
        Cnvs.CopyRect(ObjectRect, Picture, DownRect);
    } else if (EnableMorphing() && (Active ? FMorphKf < 1 : FMorphKf > 0)) {
        const QImage normal = Cut(Picture, SkinRect, w, h), hot = Cut(Picture, ActiveSkinRect, w, h);
        Cnvs.Draw(ObjectRect.Left, ObjectRect.Top,
                  MorphFrame(normal, hot, int(std::lround(FMorphKf * kMorphSteps)), MorphKind));
    } else {
        Cnvs.CopyRect(ObjectRect, Picture, Active && !EmptyRect(ActiveSkinRect) ? ActiveSkinRect : SkinRect);
    }
}

void TqvSkinMainMenuBarButton::DefaultDraw(TCanvas& Cnvs) {
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0) return;
    QImage img = NewSkinImage(w, h);
    TCanvas c(&img);
    const bool pressed = FDown && FMouseIn;
    if (pressed || Active) {
        c.Brush().SetColor(kNavy);
        c.FillRect(Rect(0, 0, w, h));
        c.Brush().SetColor(pressed ? kPressedFill : kHotFill);
        c.FillRect(Rect(1, 1, w - 1, h - 1));
    } else {
        c.Brush().SetColor(clBtnFace);
        c.FillRect(Rect(0, 0, w, h));
    }
    const int shift = pressed ? 1 : 0;
    const int x = w / 2 - 5 + shift, y = h / 2 - 4 + shift;
    const TColor colour = Enabled ? clBtnText : clBtnShadow;
    switch (Command) {
    case cmClose: DrawCloseGlyph(c, x, y, colour); break;
    case cmMaximize: DrawRestoreGlyph(c, x, y, colour); break;
    case cmMinimize: DrawMinimizeGlyph(c, x, y, colour); break;
    case cmSysMenu: DrawSmallFrameGlyph(c, x, y, colour); break;
    default: break;
    }
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, img);
}

void TqvSkinMainMenuBarButton::MouseDown(int X, int Y, Qt::MouseButton Button) {
    (void)X, (void)Y;
    if (Button != Qt::LeftButton || !Enabled || FDown) return;
    FDown = true;
    if (EnableMorphing() && !EmptyRect(DownRect)) SetMorphKf(1);
    Parent->DrawObject(this);
    // The system menu opens on the press and holds the button down until it closes.
    if (Command == cmSysMenu) DoCommand();
}

void TqvSkinMainMenuBarButton::MouseUp(int X, int Y, Qt::MouseButton Button) {
    (void)X, (void)Y;
    if (Button != Qt::LeftButton || !Enabled || Command == cmSysMenu) return;
    FDown = false;
    ReDraw();
    if (Active) DoCommand();
}

void TqvSkinMainMenuBarButton::MouseEnter() {
    if (FDown && (Command == cmSysMenu || EnableMorphing())) {
        FMouseIn = Active = true;
        if (Command != cmSysMenu) Parent->DrawObject(this);
        return;
    }
    TqvMenuBarObject::MouseEnter();
}

void TqvSkinMainMenuBarButton::MouseLeave() {
    if (FDown && Command == cmSysMenu) {
        FMouseIn = Active = false;
        if (EnableMorphing()) SetMorphKf(1);
        return;
    }
    if (FDown && EnableMorphing()) {
        FMouseIn = Active = false;
        Parent->DrawObject(this);
        return;
    }
    TqvMenuBarObject::MouseLeave();
}

void TqvSkinMainMenuBarButton::DblClick() {
    TqvVelmora* child = GetMaximizedMDIChildSkinForm();
    TqvVelmora* v = Parent->Velmora();
    if (Command != cmSysMenu || !child || !v) return;
    QPointer<TForm> form = child->Form();
    QPointer<TqvVelmora> frame = v;
    if (v->SkinMenu()->Visible()) v->SkinMenu()->Hide();
    if (frame) frame->SkinMenuClose();
    if (form) form->Close();
}

void TqvSkinMainMenuBarButton::DoCommand() {
    TqvVelmora* child = GetMaximizedMDIChildSkinForm();
    if (!child) return;
    switch (Command) {
    case cmClose: child->Form()->Close(); return;
    case cmMaximize: child->SetWindowState(wsNormal); return;
    case cmMinimize: child->SetWindowState(wsMinimized); return;
    case cmSysMenu: {
        TqvSkinMainMenuBar* bar = Parent;
        bar->update();
        TqvVelmora* v = bar->Velmora();
        if (!v) {
            bar->ReleaseSysMenuButton();  // nothing opens to let it up
            return;
        }
        const QPoint tl = bar->mapToGlobal(QPoint(ObjectRect.Left, ObjectRect.Top));
        const TRect R = Bounds(tl.x(), tl.y(), ObjectRect.Width(), ObjectRect.Height());
        TMenuItem* items = child->GetSystemMenu();
        QPointer<TqvVelmora> frame = v;
        v->SkinMenuOpen();
        // The bar is the menu's control: it hears 1228 and lets the button up.
        if (frame)
            frame->SkinMenu()->Popup(bar, frame->MenusSkinData() ? frame->MenusSkinData() : frame->SkinData(), 0, R,
                                     items, bar->PopupToUp);
        return;
    }
    default: return;
    }
}

// ---- TqvSkinMainMenuBarItem ----

TqvSkinMainMenuBarItem::TqvSkinMainMenuBarItem(TqvSkinMainMenuBar* AParent, const TqvDataSkinObject* AData)
    : TqvMenuBarObject(AParent, AData) {
    if (auto* d = dynamic_cast<const TqvDataSkinMainMenuItem*>(AData)) {
        FSkinSupport = true;
        FontName = d->FontName;
        FontHeight = d->FontHeight;
        FontStyle = d->FontStyle;
        FontColor = d->FontColor;
        ActiveFontColor = d->ActiveFontColor;
        DownFontColor = d->DownFontColor;
        UnEnabledFontColor = d->UnEnabledFontColor;
        TextRct = d->TextRct;
        DownRect = d->DownRect;
        LO = d->ItemLO;
        RO = d->ItemRO;
        StretchEffect = d->StretchEffect;
        AnimateSkinRect = d->AnimateSkinRect;
        FrameCount = d->FrameCount;
        AnimateInterval = d->AnimateInterval;
        InActiveAnimation = d->InActiveAnimation;
        if (EmptyRect(DownRect)) DownRect = EmptyRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect;
    }
    OldEnabled = Enabled;
    CurrentFrame = 0;
}

bool TqvSkinMainMenuBarItem::EnableAnimation() const {
    const TqvSkinData* sd = Parent->SkinData();
    return !EmptyRect(AnimateSkinRect) && FrameCount > 0 && sd && !sd->Empty && sd->EnableSkinEffects();
}

void TqvSkinMainMenuBarItem::ReDraw() {
    if (EnableAnimation()) {
        Parent->AnimateTimer()->SetInterval(AnimateInterval);
        Parent->AnimateTimer()->SetEnabled(true);
    } else
        TqvMenuBarObject::ReDraw();
}

void TqvSkinMainMenuBarItem::SetItemFont(TCanvas& Cnvs) const {
    if (FSkinSupport && Parent->UseSkinFont) {
        TFont f(FontName, FontHeight);
        f.SetStyle(FontStyle);
        Cnvs.SetFont(f);
    } else
        Cnvs.SetFont(Parent->DefItemFont());
}

void TqvSkinMainMenuBarItem::Fit(TCanvas& Cnvs) {
    const QString caption = MenuItem ? MenuItem->Caption() : QString();
    SetItemFont(Cnvs);
    TRect tr = Rect(0, 0, 0, 0);
    DrawWideText(Cnvs, caption, tr, DT_CALCRECT | DT_SINGLELINE);

    // Placed after the nearest item before this one.
    int left = 0;
    for (const auto& o : Parent->ObjectList) {
        if (o.get() == this) break;
        if (dynamic_cast<TqvSkinMainMenuBarItem*>(o.get())) left = o->ObjectRect.Right;
    }
    TqvBarItemShape shape;
    shape.Skinned = FSkinSupport;
    shape.SkinRect = SkinRect;
    shape.TextRct = TextRct;
    const TRect area = Parent->NewItemsRect();
    ObjectRect = MenuBarItemRect(shape, tr.Width(), left, area);

    if (!MenuBarItemFits(ObjectRect.Right, area, Parent->ScrollMenu)) {
        Parent->Scroll = true;
        if (Visible) {
            OldEnabled = Enabled;
            Enabled = false;
            Visible = false;
        }
    } else if (!Visible) {
        Visible = true;
        Enabled = OldEnabled;
    }
}

TRect TqvSkinMainMenuBarItem::FrameRect(int Frame) const {
    const TRect& a = AnimateSkinRect;
    if (a.Height() > SkinRect.Height()) {
        const int h = a.Height() / FrameCount;
        return Bounds(a.Left, a.Top + h * (Frame - 1), a.Width(), h);
    }
    const int w = a.Width() / FrameCount;
    return Bounds(a.Left + w * (Frame - 1), a.Top, w, a.Height());
}

QImage TqvSkinMainMenuBarItem::ItemImage(TCanvas& Bar, const TRect& Source, bool Hot) {
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    QImage img = NewSkinImage(w, h);
    if (Parent->ItemTransparent && Source == SkinRect && Bar.Image())
        img = Bar.Image()->copy(ObjectRect.Left, ObjectRect.Top, w, h);
    else
        MakeHorzSkinImage(LO, RO, img, Picture, Source, w, h, StretchEffect && Hot);

    TCanvas c(&img);
    SetItemFont(c);
    const bool enabled = MenuItem && MenuItem->Enabled();
    c.Font().SetColor(FDown ? DownFontColor : Hot ? ActiveFontColor : enabled ? FontColor : UnEnabledFontColor);
    c.Brush().SetStyle(bsClear);
    const QString caption = MenuItem ? MenuItem->Caption() : QString();
    TRect tr = TextRct;
    DrawWideText(c, caption, tr, DT_CALCRECT | DT_SINGLELINE);
    tr = Rect(TextRct.Left, TextRct.Top, tr.Right + 2, TextRct.Bottom);
    if (MenuItem && MenuItem->OnDrawItem)
        MenuItem->OnDrawItem(MenuItem, c, tr, Hot);
    else
        DrawWideText(c, caption, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return img;
}

void TqvSkinMainMenuBarItem::Draw(TCanvas& Cnvs) {
    if (!FSkinSupport) {
        DefaultDraw(Cnvs);
        return;
    }
    if (EmptyRect(SkinRect) || EmptyRect(TextRct)) return;
    Fit(Cnvs);
    if (!Visible || Picture.isNull()) return;
    QImage img;
    if (FDown)
        img = ItemImage(Cnvs, DownRect, true);
    else if (EnableAnimation() && CurrentFrame > 0 && CurrentFrame <= FrameCount)
        img = ItemImage(Cnvs, FrameRect(CurrentFrame), true);
    else if (!EnableMorphing() || FMorphKf == (Active ? 1.0 : 0.0)) {
        if (Active)
            img = ItemImage(Cnvs, EmptyRect(ActiveSkinRect) ? SkinRect : ActiveSkinRect, true);
        else
            img = ItemImage(Cnvs, SkinRect, false);
    } else {
        const QImage normal = ItemImage(Cnvs, SkinRect, false);
        const QImage hot = ItemImage(Cnvs, ActiveSkinRect, true);
        img = MorphFrame(normal, hot, int(std::lround(FMorphKf * kMorphSteps)), MorphKind);
    }
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, img);
}

void TqvSkinMainMenuBarItem::DefaultDraw(TCanvas& Cnvs) {
    Fit(Cnvs);
    if (!Visible) return;
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0) return;
    QImage img = NewSkinImage(w, h);
    TCanvas c(&img);
    const TRect r = Rect(0, 0, w, h);
    if (FDown || Active) {
        c.Brush().SetColor(kNavy);
        c.FillRect(r);
        c.Brush().SetColor(FDown ? kPressedFill : kHotFill);
        c.FillRect(Rect(1, 1, w - 1, h - 1));
    } else {
        c.Brush().SetColor(clBtnFace);
        c.FillRect(r);
    }
    c.SetFont(Parent->DefItemFont());
    c.Brush().SetStyle(bsClear);
    const QString caption = MenuItem ? MenuItem->Caption() : QString();
    const int th = WideTextHeight(c, caption);
    TRect tr = Rect(1, 1 + (h - 2 - th) / 2, w - 1, 1 + (h - 2 - th) / 2 + th);
    if (FDown) {
        ++tr.Left;
        ++tr.Top;
    }
    if (MenuItem && MenuItem->OnDrawItem)
        MenuItem->OnDrawItem(MenuItem, c, tr, Active);
    else
        DrawWideText(c, caption, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, img);
}

void TqvSkinMainMenuBarItem::LeaveOtherActiveItem() {
    for (int i = 0; i < Parent->ItemCount(); ++i) {
        TqvSkinMainMenuBarItem* o = Parent->Item(i);
        if (o != this && o->Active) o->MouseLeave();
    }
}

// Items are told apart by identity: menus built in code leave item names empty.
bool TqvSkinMainMenuBarItem::CloseOtherDownItem() {
    for (int i = 0; i < Parent->ItemCount(); ++i) {
        TqvSkinMainMenuBarItem* o = Parent->Item(i);
        if (o != this && o->FDown) {
            o->SetDown(false);
            return true;
        }
    }
    return false;
}

void TqvSkinMainMenuBarItem::MouseEnter() {
    if (CloseOtherDownItem()) {
        Active = FMouseIn = true;
        if (EnableMorphing()) SetMorphKf(1);
        SetDown(true);
        return;
    }
    LeaveOtherActiveItem();
    FMouseIn = Active = true;
    ReDraw();
    if (Parent->OnItemMouseEnter) Parent->OnItemMouseEnter(Parent, MenuItem);
    if (MenuItem) Parent->SetHintText(MenuItem->Hint());
}

void TqvSkinMainMenuBarItem::MouseLeave() {
    Active = FMouseIn = false;
    if (EnableAnimation() && !InActiveAnimation) {
        CurrentFrame = 0;
        Parent->DrawObject(this);
    }
    if (EnableMorphing() && FDown) SetMorphKf(0);
    ReDraw();
    if (Parent->OnItemMouseLeave) Parent->OnItemMouseLeave(Parent, MenuItem);
}

void TqvSkinMainMenuBarItem::SetDown(bool Value) {
    if (Value) {
        FDown = true;
        SetMorphKf(1);
        Parent->DrawObject(this);
        TqvMenuBarHost* host = Parent->Host();
        if (host && !host->InMainMenu()) host->MainMenuEnter(Parent);
        PopupSubMenu();
        return;
    }
    FDown = false;
    Active = false;
    if (EnableAnimation()) {
        if (InActiveAnimation) {
            CurrentFrame = FrameCount + 1;
            ReDraw();
        } else {
            CurrentFrame = 0;
            Parent->DrawObject(this);
        }
    } else if (EnableMorphing()) {
        SetMorphKf(1);
        ReDraw();
    } else
        Parent->DrawObject(this);
}

void TqvSkinMainMenuBarItem::PopupSubMenu() {
    TqvMenuBarHost* host = Parent->Host();
    if (!host) return;
    const QPoint tl = Parent->mapToGlobal(QPoint(ObjectRect.Left, ObjectRect.Top));
    const TRect R = Bounds(tl.x(), tl.y(), ObjectRect.Width(), ObjectRect.Height());
    host->SkinMenuOpen();
    host->SetInMainMenu(true);
    host->Popup(Parent->SkinData(), 0, R, MenuItem, nullptr, Parent->PopupToUp);
}

void TqvSkinMainMenuBarItem::MouseDown(int X, int Y, Qt::MouseButton Button) {
    (void)X, (void)Y;
    TqvMenuBarHost* host = Parent->Host();
    if (Button != Qt::LeftButton || !Enabled || !host || !MenuItem) return;
    if (MenuItem->Count() > 0) {
        Parent->MenuActive = true;
        SetDown(true);
        return;
    }
    // A command: the bar leaves menu mode before the item's handler runs.
    if (host->InMainMenu()) host->SkinMainMenuClose();
    host->SetInMenu(false);
    ReDraw();
    QPointer<TMenuItem> item = MenuItem;
    if (TMenu* menu = item->GetParentMenu())
        menu->DispatchCommand(item->Command());
    else
        item->Click();
}
