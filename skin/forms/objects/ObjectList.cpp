// The skinned-form component's frame-object list: building it from the
// skin's records, which objects show, the hints, hover tracking with the
// pointer poll, the mouse hand-over and the morph and animation timers.
#include "skin/forms/objects/ObjectList.h"

#include "platform/Application.h"
#include "platform/Control.h"
#include "skin/forms/Velmora.h"
#include "skin/forms/hint/SkinHint.h"
#include "skin/forms/menu/Menus.h"
#include "skin/forms/menu/SkinMenu.h"
#include "skin/forms/objects/CaptionButtons.h"
#include "skin/forms/objects/CaptionObject.h"
#include "skin/model/draw/DrawUtils.h"
#include "skin/model/draw/LayerManager.h"

namespace {

constexpr int kMouseInterval = 50, kMorphInterval = 25, kAnimateInterval = 25;

struct THintText {
    TqvStdCommand Command;
    const char* ResName;
    const char* BuiltIn;
};
constexpr THintText kHints[] = {
    {cmClose, "CLOSEBUTTON_HINT", "Close"},           {cmMaximize, "MAXBUTTON_HINT", "Maximize"},
    {cmMinimize, "MINBUTTON_HINT", "Minimize"},       {cmSysMenu, "MENUBUTTON_HINT", "System menu"},
    {cmRollUp, "ROLLUPBUTTON_HINT", "Roll Up"},       {cmMinimizeToTray, "TRAYBUTTON_HINT", "Minimize to Tray"},
};

// Standard buttons and animations with ButtonStyle carry a window command.
bool CommandObject(const TqvActiveSkinObject& o) {
    if (o.Kind() == TqvFrameObjectKind::StdButton) return true;
    if (o.Kind() == TqvFrameObjectKind::Animate) return static_cast<const TqvSkinAnimateObject&>(o).ButtonStyle;
    return false;
}

}  // namespace

void TqvVelmora::ClearObjects() {
    ObjectList.clear();
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
}

void TqvVelmora::CreateObjects() {
    ClearObjects();
    if (!FSD) return;
    for (const auto& rec : FSD->ObjectList) {
        const TqvDataSkinObject* r = rec.get();
        std::unique_ptr<TqvActiveSkinObject> o;
        // The menu kinds belong to the menus and the menu bar; the standard
        // button descends from the button record, so it is asked first.
        if (dynamic_cast<const TqvDataSkinMainMenuItem*>(r) || dynamic_cast<const TqvDataSkinMenuItem*>(r) ||
            dynamic_cast<const TqvDataSkinMainMenuBarButton*>(r))
            continue;
        if (dynamic_cast<const TqvDataSkinStdButton*>(r)) o = std::make_unique<TqvSkinStdButtonObject>(this, r);
        else if (dynamic_cast<const TqvDataSkinButton*>(r)) o = std::make_unique<TqvSkinButtonObject>(this, r);
        else if (dynamic_cast<const TqvDataSkinCaption*>(r)) o = std::make_unique<TqvSkinCaptionObject>(this, r);
        else if (dynamic_cast<const TqvDataSkinAnimate*>(r)) o = std::make_unique<TqvSkinAnimateObject>(this, r);
        else if (dynamic_cast<const TqvDataUserObject*>(r)) o = std::make_unique<TqvUserObject>(this, r);
        if (o) ObjectList.push_back(std::move(o));
    }
}

void TqvVelmora::CheckObjects() {
    for (auto& o : ObjectList) {
        if (o->Kind() != TqvFrameObjectKind::StdButton && o->Kind() != TqvFrameObjectKind::Animate) continue;
        if (HideCaptionButtons) {
            o->Enabled = false;
            o->Visible = !o->SkinRectInAPicture;
            continue;
        }
        if (!CommandObject(*o)) continue;
        auto rule = [&](bool on) {
            o->Enabled = on;
            // A row-laid button vanishes and the others close up; one painted into the frame stays, disabled.
            o->Visible = o->SkinRectInAPicture ? on : true;
        };
        switch (o->Command) {
        case cmClose: break;
        case cmMaximize: rule(FBorderIcons & biMaximize); break;
        case cmMinimize: rule(FBorderIcons & biMinimize); break;
        case cmSysMenu: rule((FBorderIcons & biSystemMenu) && !DisableSystemMenu); break;
        case cmRollUp: rule(FBorderIcons & biRollUp); break;
        case cmMinimizeToTray: rule(FBorderIcons & biMinimizeToTray); break;
        case cmDefault: {
            bool visible = false;
            if (OnActivateCustomObject) OnActivateCustomObject(o->IDName, visible);
            o->Visible = visible;
            break;
        }
        }
    }
    SetObjectHints();
}

void TqvVelmora::SetObjectHints() {
    if (!UseDefaultObjectHint || !FSD) return;
    const TqvResourceStrData* strings = FSD->ResourceStrData();
    auto text = [&](const char* name, const char* builtIn) {
        const QString s = strings ? strings->GetResStr(QLatin1String(name)) : QString();
        return s.isEmpty() ? QString::fromLatin1(builtIn) : s;
    };
    const QString restore = text("RESTORE_HINT", "Restore");
    for (auto& o : ObjectList) {
        QString* temp = nullptr;
        QString* restoreHint = nullptr;
        if (auto* b = dynamic_cast<TqvSkinStdButtonObject*>(o.get())) {
            temp = &b->FTempHint;
            restoreHint = &b->RestoreHint;
        } else if (auto* a = dynamic_cast<TqvSkinAnimateObject*>(o.get())) {
            temp = &a->FTempHint;
            restoreHint = &a->RestoreHint;
        } else {
            continue;
        }
        for (const THintText& h : kHints)
            if (h.Command == o->Command) o->Hint = text(h.ResName, h.BuiltIn);
        *temp = o->Hint;
        *restoreHint = restore;
    }
}

void TqvVelmora::CreateDefaultButtons() {
    ClearObjects();
    const std::pair<const char*, TqvStdCommand> buttons[] = {
        {"closebutton", cmClose},   {"maxbutton", cmMaximize},     {"minbutton", cmMinimize},
        {"rollupbutton", cmRollUp}, {"sysmenubutton", cmSysMenu}, {"traybutton", cmMinimizeToTray},
    };
    for (const auto& [name, cmd] : buttons) {
        auto b = std::make_unique<TqvSkinStdButtonObject>(this, nullptr);
        b->IDName = QString::fromLatin1(name);
        b->Command = cmd;
        b->SkinRectInAPicture = true;
        b->SkinRect = b->ActiveSkinRect = b->DownRect = Rect(0, 0, 1, 1);
        b->ObjectRect = b->SkinRect;
        ObjectList.push_back(std::move(b));
    }
    CheckObjects();
}

int TqvVelmora::GetIndex(const QString& AIDName) const {
    for (int i = 0; i < int(ObjectList.size()); ++i)
        if (ObjectList[std::size_t(i)]->IDName == AIDName) return i;
    return -1;
}

void TqvVelmora::UserObjectDraw(const QString& AIDName) {
    const int i = GetIndex(AIDName);
    if (i < 0 || !dynamic_cast<TqvUserObject*>(ObjectList[std::size_t(i)].get())) return;
    DrawSkinObject(*ObjectList[std::size_t(i)]);
}

void TqvVelmora::SetEnabled(const QString& AIDName, bool Value) {
    if (const int i = GetIndex(AIDName); i >= 0) ObjectList[std::size_t(i)]->Enabled = Value;
}

void TqvVelmora::LinkMenu(const QString& AIDName, TMenu* AMenu, bool APopupUp) {
    const int i = GetIndex(AIDName);
    if (i < 0) return;
    TMenuItem* items = AMenu ? AMenu->Items() : nullptr;
    TqvActiveSkinObject* o = ObjectList[std::size_t(i)].get();
    if (auto* b = dynamic_cast<TqvSkinButtonObject*>(o)) {
        b->MenuItem = items;
        b->FPopupUp = APopupUp;
    } else if (auto* a = dynamic_cast<TqvSkinAnimateObject*>(o); a && a->ButtonStyle) {
        a->MenuItem = items;
        a->FPopupUp = APopupUp;
    }
}

void TqvVelmora::DrawSkinObject(const TqvActiveSkinObject& Object) {
    // The pieces stay composed; the repaint draws the objects into copies of them.
    if (!FrameVisible()) return;
    FForm->update(Object.ObjectRect.ToQRect());
}

QPoint TqvVelmora::WindowOrigin() const { return FForm->mapToGlobal(QPoint(0, 0)); }

TPoint TqvVelmora::PointToWindow(TPoint P) const {
    if (IsMDIChild()) {
        // The child's client origin less its frame's client offset (none while maximized).
        const QPoint c = FForm->Client()->mapFromGlobal(QPoint(P.X, P.Y));
        const QMargins m = FForm->ClientMargins();
        return Point(c.x() + m.left(), c.y() + m.top());
    }
    const QPoint w = FForm->mapFromGlobal(QPoint(P.X, P.Y));
    return Point(w.x(), w.y());
}

// ---- hover

void TqvVelmora::TestActive(int X, int Y, bool InFrame) {
    if (ObjectList.empty()) {
        ActiveObject = OldActiveObject = -1;
        return;
    }
    // A size or move, a preview or a frameless form tracks nothing; an
    // inactive form tracks nothing either, but the leave of a button it had
    // must still come through.
    const bool tracking = GetFormActive() && !FSizeMove && !PreviewMode && FrameVisible();
    if (!tracking && (InFrame || ActiveObject == -1)) return;
    OldActiveObject = ActiveObject;
    int hit = -1;
    if (InFrame)
        for (int i = 0; i < int(ObjectList.size()); ++i) {
            const TqvActiveSkinObject& o = *ObjectList[std::size_t(i)];
            if (o.Enabled && o.Visible && PtInRect(o.ObjectRect, Point(X, Y)) &&
                o.PtInMask(X - o.ObjectRect.Left, Y - o.ObjectRect.Top)) {
                hit = i;
                break;
            }
        }
    ActiveObject = hit;
    if (MouseCaptureObject != -1 && MouseCaptureObject != hit) ActiveObject = -1;
    if (ActiveObject >= int(ObjectList.size())) ActiveObject = -1;
    if (OldActiveObject >= int(ObjectList.size())) OldActiveObject = -1;
    if (ActiveObject == OldActiveObject) return;
    TqvSkinHint* hint = SkinHint.data();
    if (OldActiveObject != -1) {
        TqvActiveSkinObject& o = *ObjectList[std::size_t(OldActiveObject)];
        if (o.Enabled && o.Visible) o.MouseLeave();
        if (ShowObjectHint && hint && !o.Hint.isEmpty()) hint->HideHint();
    }
    // A leave handler may have changed the skin and with it the list.
    if (ActiveObject >= int(ObjectList.size())) ActiveObject = -1;
    if (ActiveObject != -1) {
        TqvActiveSkinObject& o = *ObjectList[std::size_t(ActiveObject)];
        if (o.Enabled && o.Visible) o.MouseEnter();
        if (ShowObjectHint && hint && !o.Hint.isEmpty()) hint->ActivateHint2(o.Hint);
        StartMouseTimer();
    }
}

void TqvVelmora::StartMouseTimer() {
    if (MouseTimer.Active()) return;
    MouseTimer.Start(kMouseInterval, [this] { Application()->Guard([&] { MouseTimerProc(); }); });
}

void TqvVelmora::StartMorphTimer() {
    if (MorphTimer.Active()) return;
    MorphTimer.Start(kMorphInterval, [this] { Application()->Guard([&] { MorphTimerProc(); }); });
}

void TqvVelmora::StartAnimateTimer() {
    if (AnimateTimer.Active()) return;
    AnimateTimer.Start(kAnimateInterval, [this] { Application()->Guard([&] { AnimateTimerProc(); }); });
}

void TqvVelmora::MouseTimerProc() {
    // A hidden form has nothing under the pointer; the next hover starts the poll again.
    if (!FForm->isVisible()) {
        MouseTimer.Stop();
        return;
    }
    if (!GetFormActive()) return;
    const QPoint global = PointerSource().CursorPos();
    // Only the form's own window keeps the poll: over a control the frame sends
    // nothing any more, and a poll left running would wake the program 20 times
    // a second for as long as the pointer rests there. A windowless control is
    // drawn on its parent and counts as that window; an MDI child is a form of
    // its own here, with its own client.
    QWidget* under = PointerSource().WidgetAt(global);
    while (under && qobject_cast<TGraphicControl*>(under)) under = under->parentWidget();
    if (!under || (under != FForm && under != FForm->Client())) {
        MouseTimer.Stop();
        TestActive(-1, -1, false);
        return;
    }
    if (FSizeMove) {
        MouseTimer.Stop();
        return;
    }
    const TPoint w = PointToWindow(Point(global.x(), global.y()));
    const QPoint p(w.X, w.Y);
    // The client in window coordinates: the skinless frame's margins too.
    const QRect c = FForm->Client()->geometry();
    const TRect client = FSkinSupport ? FGeometry.NewClRect : Rect(c.left(), c.top(), c.right() + 1, c.bottom() + 1);
    if (under == FForm && !PtInRect(client, Point(p.x(), p.y()))) TestActive(p.x(), p.y(), true);
    else if (ActiveObject != -1) TestActive(-1, -1, true);
}

void TqvVelmora::MorphTimerProc() {
    bool any = false;
    for (auto& o : ObjectList)
        if (o->EnableMorphing() && o->CanMorphing()) {
            o->DoMorphing();
            any = true;
        }
    if (!any) MorphTimer.Stop();
}

void TqvVelmora::AnimateTimerProc() {
    bool moved = false;
    for (auto& o : ObjectList) {
        if (auto* a = dynamic_cast<TqvSkinAnimateObject*>(o.get())) {
            if (a->Active && (!a->FDown || IsNullRect(a->DownSkinRect))) {
                a->ChangeFrame();
                moved = true;
            }
            continue;
        }
        auto* c = dynamic_cast<TqvSkinCaptionObject*>(o.get());
        if (!c || !c->EnableAnimation()) continue;
        const bool steps = c->Active ? c->CurrentFrame <= c->FrameCount : c->CurrentFrame > 0;
        if (!steps) continue;
        moved = true;
        if (c->FIncTime < c->AnimateInterval) {
            c->FIncTime += 25;
            continue;
        }
        c->CurrentFrame += c->Active ? 1 : -1;
        DrawSkinObject(*c);
        c->FIncTime = 25;
    }
    if (!moved) AnimateTimer.Stop();
}

// ---- mouse

void TqvVelmora::ObjectMouseMove(int X, int Y) {
    const int i = MouseCaptureObject != -1 ? MouseCaptureObject : ActiveObject;
    if (i >= 0 && i < int(ObjectList.size())) ObjectList[std::size_t(i)]->MouseMove(X, Y);
}

void TqvVelmora::ObjectMouseDown(Qt::MouseButton Button, int X, int Y) {
    if (ActiveObject < 0 || ActiveObject >= int(ObjectList.size())) return;
    // The press holds the form's implicit grab until the release; the caption
    // object never keeps the mouse, so a drag on it stays the form's move.
    MouseCaptureObject = ActiveObject;
    ObjectList[std::size_t(ActiveObject)]->MouseDown(X, Y, Button);
}

void TqvVelmora::ObjectMouseUp(Qt::MouseButton Button, int X, int Y) {
    const int i = MouseCaptureObject;
    if (i < 0 || i >= int(ObjectList.size())) {
        MouseCaptureObject = -1;
        return;
    }
    ObjectList[std::size_t(i)]->MouseUp(X, Y, Button);
    // The object may have closed the form or changed the skin.
    if (MouseCaptureObject == i) MouseCaptureObject = -1;
}

void TqvVelmora::ObjectDblClick() {
    if (ActiveObject >= 0 && ActiveObject < int(ObjectList.size())) ObjectList[std::size_t(ActiveObject)]->DblClick();
}

void TqvVelmora::ResetObjectStates() {
    for (auto& o : ObjectList) {
        if (auto* a = dynamic_cast<TqvSkinAnimateObject*>(o.get())) {
            a->FMouseIn = false;
            a->Active = false;
            a->FFrame = 1;
        } else if (!o->IsCaption()) {
            o->Active = false;
            o->FMouseIn = false;
            o->FMorphKf = 0;
        }
    }
}

void TqvVelmora::UpdateActiveState(bool Animate) {
    const bool a = GetFormActive();
    for (auto& o : ObjectList) {
        auto* c = dynamic_cast<TqvSkinCaptionObject*>(o.get());
        if (!c || c->Active == a) continue;
        c->Active = a;
        if (Animate) {
            if (c->EnableAnimation()) {
                c->FIncTime = 25;
                c->CurrentFrame = a ? 1 : c->InActiveAnimation ? c->FrameCount : 0;
                StartAnimateTimer();
                InvalidateFrame();
            }
            if (c->EnableMorphing()) StartMorphTimer();
        } else if (c->EnableMorphing()) {
            c->SetMorphKf(a ? 1 : 0);
        }
        break;
    }
    if (a && OnActivate) OnActivate(this);
    if (!a && OnDeActivate) OnDeActivate(this);
}

// ---- events

void TqvVelmora::DoUserObjectPaint(const QString& IDName, QPainter& Canvas, const TRect& R) {
    if (OnPaintEvent) OnPaintEvent(IDName, Canvas, R);
}
void TqvVelmora::DoObjectMouseDown(const QString& IDName, int X, int Y, const TRect& R, Qt::MouseButton Button) {
    if (OnMouseDownEvent) OnMouseDownEvent(IDName, X, Y, R, Button);
}
void TqvVelmora::DoObjectMouseUp(const QString& IDName, int X, int Y, const TRect& R, Qt::MouseButton Button) {
    if (OnMouseUpEvent) OnMouseUpEvent(IDName, X, Y, R, Button);
}
void TqvVelmora::DoObjectMouseMove(const QString& IDName, int X, int Y, const TRect& R) {
    if (OnMouseMoveEvent) OnMouseMoveEvent(IDName, X, Y, R);
}
void TqvVelmora::DoObjectMouseEnter(const QString& IDName) {
    if (OnMouseEnterEvent) OnMouseEnterEvent(IDName);
}
void TqvVelmora::DoObjectMouseLeave(const QString& IDName) {
    if (OnMouseLeaveEvent) OnMouseLeaveEvent(IDName);
}

// ---- menus and glows

bool TqvVelmora::OpenLinkedMenu(TMenuItem* Item, const TRect& ScreenRect, bool PopupUp) {
    if (!Item) return false;
    if (FMenuLink) return FMenuLink->PopupLinkedMenu(Item, ScreenRect, PopupUp);
    QPointer<TqvVelmora> self(this);
    SkinMenuOpen();
    FSkinMenu->Popup(nullptr, MenuSkin(), 0, ScreenRect, Item, PopupUp);
    // A menu that showed nothing has ended already and released the object.
    return self && FSkinMenu->Visible();
}

void TqvVelmora::ReleaseMenuObjects() {
    if (FMenuLayerManager && FMenuLayerManager->IsVisible()) FMenuLayerManager->Hide();
    for (auto& o : ObjectList) {
        if (auto* b = dynamic_cast<TqvSkinButtonObject*>(o.get()); b && b->MenuItem && b->FDown) {
            b->SetDown(false);
            break;
        }
        if (auto* a = dynamic_cast<TqvSkinAnimateObject*>(o.get()); a && a->MenuItem && a->FMenuTracking) {
            a->Active = true;
            a->FFrame = a->CountFrames;
            a->FDown = a->FMenuTracking = a->Increment = false;
            StartAnimateTimer();
            break;
        }
    }
}

bool TqvVelmora::UseInActiveImageEffect() const { return FSkinSupport && FSD->AutoRenderingInActiveImage; }

TqvLayerManager* TqvVelmora::LayerManager() {
    if (!FLayerManager) FLayerManager = std::make_unique<TqvLayerManager>();
    return FLayerManager.get();
}

TqvLayerManager* TqvVelmora::MenuLayerManager() {
    if (!FMenuLayerManager) FMenuLayerManager = std::make_unique<TqvLayerManager>();
    return FMenuLayerManager.get();
}
