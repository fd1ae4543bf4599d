#include "skin/forms/objects/CaptionButtons.h"

#include "platform/Canvas.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/menu/Menus.h"
#include "skin/model/draw/DrawHelpers.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/LayerManager.h"

#include <QPainter>

namespace {

bool RestoreStateOf(const TqvVelmora* V, TqvStdCommand Command) {
    if (!V) return false;
    switch (Command) {
    case cmMaximize: return V->WindowState() == wsMaximized;
    case cmMinimize: return V->WindowState() == wsMinimized;
    case cmRollUp: return V->RollUpState();
    default: return false;
    }
}

// The window commands both kinds run; the menu ones are theirs.
void RunCommand(TqvVelmora* V, TqvStdCommand Command) {
    switch (Command) {
    case cmClose:
        V->TestActive(-1, -1, false);
        V->Form()->Close();
        break;
    case cmMaximize:
        V->TestActive(-1, -1, false);
        V->SetWindowState(V->WindowState() == wsMaximized ? wsNormal : wsMaximized);
        break;
    case cmMinimize:
        V->TestActive(-1, -1, false);
        if (V->AlwaysMinimizeToTray) V->MinimizeToTray();
        else V->SetWindowState(V->WindowState() == wsMinimized ? wsNormal : wsMinimized);
        break;
    case cmRollUp: V->SetRollUpState(!V->RollUpState()); break;
    case cmMinimizeToTray:
        V->TestActive(-1, -1, false);
        V->MinimizeToTray();
        break;
    case cmSysMenu:
    case cmDefault: break;
    }
}

}  // namespace

// ---- TqvSkinStdButtonObject

TqvSkinStdButtonObject::TqvSkinStdButtonObject(TqvVelmora* AParent, const TqvDataSkinObject* AData)
    : TqvSkinButtonObject(AParent, AData), FSkinSupport(AData != nullptr) {
    if (const auto* d = dynamic_cast<const TqvDataSkinStdButton*>(AData)) {
        Command = d->Command;
        RestoreHint = d->RestoreHint;
        RestoreRect = d->RestoreRect;
        RestoreActiveRect = d->RestoreActiveRect;
        RestoreDownRect = d->RestoreDownRect;
        RestoreInActiveRect = d->RestoreInActiveRect;
    }
    FTempHint = Hint;
}

bool TqvSkinStdButtonObject::InRestoreState() const { return RestoreStateOf(Parent, Command); }

bool TqvSkinStdButtonObject::IconCase() const {
    return Command == cmSysMenu && Parent && Parent->ShowIcon && SkinRectInAPicture;
}

bool TqvSkinStdButtonObject::PtInMask(int X, int Y) const {
    if (IconCase() && FSkinSupport) return true;
    return TqvSkinButtonObject::PtInMask(X, Y);
}

void TqvSkinStdButtonObject::ShowLayer() {
    if (IconCase() && FSkinSupport) return;
    TqvSkinButtonObject::ShowLayer();
}

void TqvSkinStdButtonObject::HideLayer() {
    if (IconCase() && FSkinSupport) return;
    TqvSkinButtonObject::HideLayer();
}

bool TqvSkinStdButtonObject::CanMorphing() const {
    if (IconCase()) return false;
    return TqvSkinButtonObject::CanMorphing();
}

void TqvSkinStdButtonObject::Draw(QPainter& p, bool UpDate) {
    if (!FSkinSupport) return DefaultDraw(p);
    if (!HasSkin()) return;
    if (IconCase()) {
        Parent->DrawCaptionIcon(p, ObjectRect.Left, ObjectRect.Top);
        FMorphKf = 0;
        return;
    }
    if (!Enabled || !InRestoreState() || IsNullRect(RestoreRect)) return TqvSkinButtonObject::Draw(p, UpDate);
    // The restore look.
    if (!Parent->GetFormActive() && !IsNullRect(RestoreInActiveRect)) return CopyInto(p, ActivePicture, RestoreInActiveRect);
    if (FDown && !IsNullRect(RestoreDownRect) && FMouseIn) return CopyInto(p, ActivePicture, RestoreDownRect);
    if (EnableMorphing() && ((Active && FMorphKf != 1) || (!Active && FMorphKf != 0)))
        return DrawMorph(p, ActivePicture, RestoreRect, ActivePicture, RestoreActiveRect);
    CopyInto(p, ActivePicture, Active && !IsNullRect(RestoreActiveRect) ? RestoreActiveRect : RestoreRect);
}

void TqvSkinStdButtonObject::DefaultDraw(QPainter& p) {
    if (Command == cmSysMenu && Parent && Parent->ShowIcon) {
        Parent->DrawCaptionIcon(p, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0) return;
    QImage bmp(w, h, QImage::Format_RGB32);
    TCanvas c(&bmp);
    const bool pressed = FDown && FMouseIn;
    if (FMouseIn) {
        c.Brush().SetColor(pressed ? RGB(133, 147, 181) : RGB(182, 189, 210));
        c.FillRect(Rect(0, 0, w, h));
        c.Brush().SetColor(RGB(0, 0, 128));
        c.FrameRect(Rect(0, 0, w, h));
    } else {
        c.Brush().SetColor(clBtnFace);
        c.FillRect(Rect(0, 0, w, h));
    }
    const int x = w / 2 - (pressed ? 4 : 5), y = h / 2 - (pressed ? 3 : 4);
    const TColor colour = Enabled ? clBtnText : clBtnShadow;
    const bool restore = InRestoreState();
    switch (Command) {
    case cmClose: DrawCloseGlyph(c, x, y, colour); break;
    case cmMaximize:
        if (restore) DrawRestoreGlyph(c, x, y, colour);
        else DrawMaximizeGlyph(c, x, y, colour);
        break;
    case cmMinimize:
        if (restore) DrawRestoreGlyph(c, x, y, colour);
        else DrawMinimizeGlyph(c, x, y, colour);
        break;
    case cmSysMenu: DrawSmallFrameGlyph(c, x, y, colour); break;
    case cmRollUp:
        if (restore) DrawArrowDownGlyph(c, x, y, colour);
        else DrawArrowUpGlyph(c, x, y, colour);
        break;
    case cmMinimizeToTray: DrawSquareGlyph(c, x, y, colour); break;
    case cmDefault: break;
    }
    p.drawImage(ObjectRect.Left, ObjectRect.Top, bmp);
}

void TqvSkinStdButtonObject::DoCommand() {
    if (Parent) RunCommand(Parent, Command);
}

void TqvSkinStdButtonObject::MouseEnter() {
    if (Command != cmDefault) Hint = !RestoreHint.isEmpty() && InRestoreState() ? RestoreHint : FTempHint;
    TqvSkinButtonObject::MouseEnter();
}

void TqvSkinStdButtonObject::MouseDown(int, int, Qt::MouseButton Button) {
    if (!Enabled || Button != Qt::LeftButton || FDown) return;
    SetDown(true);
    // The system menu opens on the press; the button stays down until the menus close.
    if (Command == cmSysMenu && Parent) {
        MenuItem = Parent->DisableSystemMenu ? nullptr : Parent->GetSystemMenu();
        PopupLinkedMenu();
    }
}

void TqvSkinStdButtonObject::MouseUp(int X, int Y, Qt::MouseButton Button) {
    const bool run = Active && Button == Qt::LeftButton;
    // Close runs after the release has been drawn; the others before it.
    if (Command == cmClose) {
        TqvSkinButtonObject::MouseUp(X, Y, Button);
        if (run) DoCommand();
        return;
    }
    if (run) DoCommand();
    TqvSkinButtonObject::MouseUp(X, Y, Button);
}

void TqvSkinStdButtonObject::DblClick() {
    if (Command == cmSysMenu && Parent) Parent->Form()->Close();
}

// ---- TqvSkinAnimateObject

TqvSkinAnimateObject::TqvSkinAnimateObject(TqvVelmora* AParent, const TqvDataSkinObject* AData)
    : TqvActiveSkinObject(AParent, AData) {
    if (const auto* d = dynamic_cast<const TqvDataSkinAnimate*>(AData)) {
        CountFrames = d->CountFrames;
        Cycle = d->Cycle;
        ButtonStyle = d->ButtonStyle;
        TimerInterval = qMax(25, d->TimerInterval);
        Command = d->Command;
        DownSkinRect = d->DownSkinRect;
        RestoreHint = d->RestoreHint;
        RestoreRect = d->RestoreRect;
        RestoreActiveRect = d->RestoreActiveRect;
        RestoreDownRect = d->RestoreDownRect;
        RestoreInActiveRect = d->RestoreInActiveRect;
    }
    FTempHint = Hint;
}

bool TqvSkinAnimateObject::InRestoreState() const { return RestoreStateOf(Parent, Command); }

TqvLayerManager* TqvSkinAnimateObject::GlowManager() const {
    if (!Parent) return nullptr;
    return MenuItem ? Parent->MenuLayerManager() : Parent->LayerManager();
}

TRect TqvSkinAnimateObject::FrameRect(int N) const {
    const bool restore = !IsNullRect(RestoreRect) && InRestoreState();
    const TRect size = restore ? RestoreRect : SkinRect;
    const TRect strip = restore ? RestoreActiveRect : ActiveSkinRect;
    const int left = strip.Left + (N - 1) * size.Width();
    return Rect(left, strip.Top, left + size.Width(), strip.Top + size.Height());
}

void TqvSkinAnimateObject::SetFrame(int Value) {
    if (Increment && Value > CountFrames) Value = 1;
    if (!Increment && Value <= 0) Value = CountFrames;
    FFrame = Value;
    DrawSkinObject();
}

void TqvSkinAnimateObject::Start() {
    FInc = 25;
    FFrame = 1;
    Active = true;
    if (Parent) Parent->StartAnimateTimer();
}

void TqvSkinAnimateObject::Stop() {
    SetFrame(1);
    Active = false;
    FInc = 25;
}

void TqvSkinAnimateObject::ChangeFrame() {
    if (FInc < TimerInterval) {
        FInc += 25;
        return;
    }
    if (Increment) {
        SetFrame(FFrame + 1);
        if (!Cycle && FFrame == CountFrames) Active = false;
    } else {
        SetFrame(FFrame - 1);
        if (FFrame == 1) Active = false;
    }
    FInc = 25;
}

void TqvSkinAnimateObject::Draw(QPainter& p, bool) {
    if (!HasSkin()) return;
    const bool restore = !IsNullRect(RestoreRect) && InRestoreState();
    const TRect down = restore ? RestoreDownRect : DownSkinRect;
    const TRect inactive = restore ? RestoreInActiveRect : InActiveSkinRect;
    TRect src;
    if (FMenuTracking) {
        if (!IsNullRect(down)) {
            src = down;
        } else {
            FFrame = CountFrames;
            src = FrameRect(FFrame);
        }
    } else if (!Parent->GetFormActive() && !IsNullRect(inactive)) {
        src = inactive;
    } else if (FDown && FMouseIn && !IsNullRect(down)) {
        src = down;
    } else {
        src = FrameRect(FFrame);
    }
    CopyInto(p, ActivePicture, src);
}

void TqvSkinAnimateObject::HoverChanged() {
    Active = true;
    if (!FDown || IsNullRect(DownSkinRect)) {
        if (Parent) Parent->StartAnimateTimer();
    } else {
        DrawSkinObject();
    }
}

void TqvSkinAnimateObject::MouseEnter() {
    if (Command != cmDefault) Hint = !RestoreHint.isEmpty() && InRestoreState() ? RestoreHint : FTempHint;
    FMouseIn = true;
    if (FMenuTracking) return;
    if (ButtonStyle) {
        Increment = true;
        HoverChanged();
    }
    if (Parent) Parent->DoObjectMouseEnter(IDName);
    ShowLayer();
}

void TqvSkinAnimateObject::MouseLeave() {
    if (!FMouseIn) return;
    FMouseIn = false;
    if (FMenuTracking) return;
    if (ButtonStyle) {
        // The strip plays back.
        Increment = false;
        HoverChanged();
    }
    if (Parent) Parent->DoObjectMouseLeave(IDName);
    HideLayer();
}

void TqvSkinAnimateObject::MouseDown(int X, int Y, Qt::MouseButton Button) {
    TqvActiveSkinObject::MouseDown(X, Y, Button);
    if (Button == Qt::LeftButton && !IsNullRect(DownSkinRect)) {
        FFrame = CountFrames;
        FDown = true;
        DrawSkinObject();
    }
    if (Command == cmSysMenu && ButtonStyle && Button == Qt::LeftButton && FMouseIn) DoCommand();
}

void TqvSkinAnimateObject::MouseUp(int X, int Y, Qt::MouseButton Button) {
    TqvActiveSkinObject::MouseUp(X, Y, Button);
    if (FMenuTracking) return;
    if (Button == Qt::LeftButton && !IsNullRect(DownSkinRect)) {
        FDown = false;
        DrawSkinObject();
        if (Parent) Parent->StartAnimateTimer();
    }
    if (Command != cmSysMenu && ButtonStyle && FMouseIn && Button == Qt::LeftButton) DoCommand();
}

void TqvSkinAnimateObject::DblClick() {
    if (Command == cmSysMenu && Parent) Parent->Form()->Close();
}

void TqvSkinAnimateObject::DoCommand() {
    if (!Parent) return;
    switch (Command) {
    case cmSysMenu:
        MenuItem = Parent->DisableSystemMenu ? nullptr : Parent->GetSystemMenu();
        PopupLinkedMenu();
        break;
    case cmDefault:
        if (MenuItem) PopupLinkedMenu();
        break;
    default: RunCommand(Parent, Command); break;
    }
}

bool TqvSkinAnimateObject::PopupLinkedMenu() {
    if (!MenuItem || MenuItem->Count() == 0 || !Parent) return false;
    FMenuTracking = true;
    if (TqvLayerManager* m = Parent->LayerManager(); m->IsVisible()) m->Hide();
    if (TqvLayerManager* m = Parent->MenuLayerManager(); m->IsVisible()) m->Hide();
    if (FMouseIn) ShowLayer();
    if (Parent->OpenLinkedMenu(MenuItem, ScreenRect(), FPopupUp)) return true;
    // Nothing opened, so no menu close will end the tracking.
    FMenuTracking = false;
    FDown = false;
    DrawSkinObject();
    return false;
}
