#include "skin/forms/menu/PopupWindow.h"

#include "platform/Sources.h"
#include "skin/controls/base/DropDownKind.h"
#include "skin/model/draw/LayerManager.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

TTimer* NewTimer(QObject* owner, int interval, std::function<void()> fn) {
    auto* t = new TTimer(owner);
    t->SetEnabled(false);
    t->SetInterval(interval);
    t->OnTimer = [fn = std::move(fn)](QObject*) { fn(); };
    return t;
}

}  // namespace

TqvSkinPopupWindow::TqvSkinPopupWindow(QWidget* Parent, TqvPopupLevelHost* Host, TqvSkinData* SkinData,
                                       const TqvMenuSettings& Settings)
    : QWidget(Parent), FHost(Host), FLevel(SkinData, Settings) {
    MakeDropDownWindow(this);
    setAttribute(Qt::WA_X11NetWmWindowTypePopupMenu);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FMouseTimer = NewTimer(this, 50, [this] { OnMouseTimer(); });
    FMorphTimer = NewTimer(this, 20, [this] { OnMorphTimer(); });
    FScrollTimer = NewTimer(this, 100, [this] { OnScrollTimer(); });
    FFadeTimer = NewTimer(this, 6, [this] { OnFadeTimer(); });
}

TqvSkinPopupWindow::~TqvSkinPopupWindow() = default;

void TqvSkinPopupWindow::Show(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp,
                              const TRect& WorkArea, TMenuItem* AItem2) {
    FLevel.Build(AItem, StartIndex, AItem2, WorkArea);
    FShow = FLevel.Position(R, PopupByItem, PopupUp, WorkArea);
    setGeometry(FShow.X, FShow.Y, FLevel.Width(), FLevel.Height());
    const QRegion rgn = FLevel.Region();
    if (!rgn.isEmpty()) setMask(rgn);
    // Without a compositor a translucent level would only be opaque: it stays so.
    const bool layered = FAlphaBlend && LayeredWindowsAvailable();
    FAlpha = layered ? (FFade ? 0 : FAlphaBlendValue) : 255;
    if (layered) SetWindowAlpha(this, FAlpha);
    show();
    raise();
    // The fade steps on the tick source instead of holding the thread.
    if (layered && FFade && FAlpha < FAlphaBlendValue) FFadeTimer->SetEnabled(true);
    FMouseTimer->SetEnabled(true);
    FLevel.ActiveItem = -1;
    for (int i = 0; i < FLevel.ItemCount(); ++i)
        if (Selectable(i)) {
            FLevel.Item(i)->WaitCommand = true;
            FLevel.ActiveItem = i;
            ItemMouseEnter(i, true);
            break;
        }
}

void TqvSkinPopupWindow::SetAlphaBlend(bool On, int Value, bool Fade) {
    FAlphaBlend = On;
    FAlphaBlendValue = std::clamp(Value, 0, 255);
    FFade = Fade;
}

void TqvSkinPopupWindow::OnFadeTimer() {
    FAlpha = std::min(FAlpha + std::max(1, FAlphaBlendValue / 15), FAlphaBlendValue);
    SetWindowAlpha(this, FAlpha);
    if (FAlpha >= FAlphaBlendValue) FFadeTimer->SetEnabled(false);
}

void TqvSkinPopupWindow::HideLevel() {
    FFadeTimer->SetEnabled(false);
    FMouseTimer->SetEnabled(false);
    FMorphTimer->SetEnabled(false);
    FScrollTimer->SetEnabled(false);
    hide();
}

void TqvSkinPopupWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, FLevel.Picture());
}

bool TqvSkinPopupWindow::Selectable(int Index) const {
    const TqvSkinMenuItem* i = FLevel.Item(Index);
    return i && i->IsEnabled() && !i->IsSeparator();
}

void TqvSkinPopupWindow::ReDraw(int Index) {
    const TqvSkinMenuItem* i = FLevel.Item(Index);
    if (i && (i->EnableAnimation() || i->EnableMorphing())) {
        if (i->EnableAnimation()) {
            if (FMorphTimer->Interval() != i->MI->AnimateInterval) FMorphTimer->SetInterval(i->MI->AnimateInterval);
        } else if (FMorphTimer->Interval() != 20) FMorphTimer->SetInterval(20);
        FMorphTimer->SetEnabled(true);
    }
    update();
}

// ---------------------------------------------------------------------------
// Item reactions

void TqvSkinPopupWindow::ItemMouseEnter(int Index, bool Kb) {
    TqvSkinMenuItem* item = FLevel.Item(Index);
    if (!item) return;
    item->Active = true;
    if (item->EnableAnimation()) item->CurrentFrame = 0;
    for (int i = 0; i < FLevel.ItemCount(); ++i)
        if (i != Index && FLevel.Item(i)->Down) {
            FLevel.Item(i)->Down = false;
            ReDraw(i);
        }
    if (item->WaitCommand && !Kb) ReDraw(Index);
    else if (item->Down) {
        const int level = FHost->IndexOfLevel(this);
        if (level + 2 < FHost->LevelCount())
            if (TqvSkinPopupWindow* sub = FHost->Level(level + 1)) sub->CloseChildLevels();
    } else {
        ReDraw(Index);
        FHost->ProcessItem(this, item, false, Kb);
    }
    if (item->MenuItem && FHint != item->MenuItem->Hint()) FHint = item->MenuItem->Hint();
}

void TqvSkinPopupWindow::ItemMouseLeave(int Index) {
    TqvSkinMenuItem* item = FLevel.Item(Index);
    if (!item) return;
    item->Active = false;
    if (item->EnableAnimation()) item->CurrentFrame = item->MI->FrameCount + 1;
    item->WaitCommand = false;
    if (!item->Down) ReDraw(Index);
    FHost->ItemLeft(item);
}

void TqvSkinPopupWindow::ItemMouseDown(int Index) {
    TqvSkinMenuItem* item = FLevel.Item(Index);
    if (!item) return;
    item->WaitCommand = false;
    if (!item->Down && item->IsEnabled()) FHost->ProcessItem(this, item, true, false);
}

void TqvSkinPopupWindow::CloseChildLevels() {
    FHost->CloseLevels(FHost->IndexOfLevel(this) + 1);
    for (int i = 0; i < FLevel.ItemCount(); ++i) {
        TqvSkinMenuItem* item = FLevel.Item(i);
        if (!item->Down) continue;
        item->Down = false;
        if (item->EnableAnimation() && !item->MI->InActiveAnimation) item->CurrentFrame = 0;
        ReDraw(i);
    }
}

void TqvSkinPopupWindow::OnMorphTimer() {
    bool busy = false;
    for (int i = 0; i < FLevel.ItemCount(); ++i) {
        TqvSkinMenuItem* item = FLevel.Item(i);
        if (item->EnableMorphing() && item->CanMorphing()) {
            item->SetMorphKf(item->MorphKf() + (item->Active || item->Down ? 0.2 : -0.2));
            busy = true;
        } else if (item->EnableAnimation()) {
            if (item->Active && item->CurrentFrame <= item->MI->FrameCount) {
                ++item->CurrentFrame;
                busy = true;
            } else if (!item->Active && item->CurrentFrame > 0) {
                --item->CurrentFrame;
                busy = true;
            }
        }
    }
    update();
    if (!busy) FMorphTimer->SetEnabled(false);
}

// ---------------------------------------------------------------------------
// Mouse

void TqvSkinPopupWindow::OnMouseTimer() {
    const QPoint global = PointerSource().CursorPos();
    const QPoint p = mapFromGlobal(global);
    if (p.x() == OMX && p.y() == OMY) return;
    OMX = p.x();
    OMY = p.y();
    if (PointerSource().WidgetAt(global) == this) TrackMouse(p.x(), p.y());
    else if (FLevel.Scroll() && FLevel.ScrollCode != 0) StopScroll();
}

bool TqvSkinPopupWindow::IsPointOnItem(int X, int Y) const {
    for (int i = 0; i < FLevel.ItemCount(); ++i) {
        const TqvSkinMenuItem* item = FLevel.Item(i);
        if (item->FVisible && PtInRect(item->ObjectRect, Point(X, Y))) return true;
    }
    return false;
}

void TqvSkinPopupWindow::TrackMouse(int X, int Y) {
    const TPoint P = Point(X, Y);
    if (FLevel.Scroll()) {
        const bool up = PtInRect(FLevel.UpMarkerRect(), P), down = PtInRect(FLevel.DownMarkerRect(), P);
        if (up && FLevel.ScrollCode == 0 && FLevel.CanScroll(1)) {
            FLevel.ScrollCode = 1;
            update();
            StartScroll();
        } else if (down && FLevel.ScrollCode == 0 && FLevel.CanScroll(2)) {
            FLevel.ScrollCode = 2;
            update();
            StartScroll();
        } else if (FLevel.ScrollCode != 0 && !up && !down) StopScroll();
    }
    if (FLevel.ItemCount() == 0) return;
    FLevel.OldActiveItem = FLevel.ActiveItem;
    for (int i = 0; i < FLevel.ItemCount(); ++i) {
        const TqvSkinMenuItem* item = FLevel.Item(i);
        if (item->FVisible && PtInRect(item->ObjectRect, P)) {
            FLevel.ActiveItem = i;
            break;
        }
    }
    if (FLevel.ActiveItem >= FLevel.ItemCount()) FLevel.ActiveItem = -1;
    const int now = FLevel.ActiveItem, old = FLevel.OldActiveItem;
    if (now == old) {
        TqvSkinMenuItem* item = FLevel.Item(now);
        if (item && item->WaitCommand) {
            item->WaitCommand = false;
            if (item->MenuItem && item->MenuItem->Count() > 0) ItemMouseEnter(now, false);
        }
        return;
    }
    if (Selectable(old)) ItemMouseLeave(old);
    if (Selectable(now)) ItemMouseEnter(now, false);
}

void TqvSkinPopupWindow::MouseUp(Qt::MouseButton Button, int X, int Y) {
    TrackMouse(X, Y);
    const int a = FLevel.ActiveItem;
    if (a != -1 && Button == Qt::LeftButton && IsPointOnItem(X, Y) && !FLevel.Item(a)->IsSeparator())
        ItemMouseDown(a);
}

void TqvSkinPopupWindow::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    MouseUp(e->button(), p.x(), p.y());
}

// ---------------------------------------------------------------------------
// Scrolling

void TqvSkinPopupWindow::StartScroll() {
    FHost->CloseLevels(FHost->IndexOfLevel(this) + 1);
    FScrollTimer->SetEnabled(false);
    FScrollTimer->SetEnabled(true);
}

void TqvSkinPopupWindow::StopScroll() {
    FLevel.ScrollCode = 0;
    update();
    FScrollTimer->SetEnabled(false);
}

void TqvSkinPopupWindow::OnScrollTimer() {
    if (FLevel.ScrollCode == 1) {
        if (FLevel.CanScroll(1)) {
            FLevel.ScrollUp(false);
            update();
        } else StopScroll();
    } else if (FLevel.ScrollCode == 2) {
        if (FLevel.CanScroll(2)) {
            FLevel.ScrollDown(false);
            update();
        } else StopScroll();
    }
}

// ---------------------------------------------------------------------------
// Keys

int TqvSkinPopupWindow::FindAccelItem(int Key) const {
    for (int i = 0; i < FLevel.ItemCount(); ++i) {
        const TqvSkinMenuItem* item = FLevel.Item(i);
        if (item->MenuItem && IsAccel(Key, item->MenuItem->Caption())) return i;
    }
    return -1;
}

void TqvSkinPopupWindow::PopupKeyDown(int Key) {
    if (!isVisible()) return;
    if (const int a = FindAccelItem(Key); a >= 0) {
        const int old = FLevel.ActiveItem;
        ItemMouseEnter(a, false);
        FLevel.ActiveItem = a;
        if (old != -1 && old != a) ItemMouseLeave(old);
        ItemMouseDown(a);
        return;
    }
    const int count = FHost->LevelCount();
    switch (Key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (FLevel.ActiveItem >= 0) ItemMouseDown(FLevel.ActiveItem);
        break;
    case Qt::Key_Escape:
    case Qt::Key_Left:
        if (count >= 2) {
            if (TqvSkinPopupWindow* below = FHost->Level(count - 2)) {
                if (TqvSkinMenuItem* item = below->FLevel.Item(below->FLevel.ActiveItem)) {
                    item->Down = false;
                    below->ReDraw(below->FLevel.ActiveItem);
                }
            }
            FHost->CloseLevels(count - 1);
        } else if (Key == Qt::Key_Escape) FHost->CloseLevels(count - 1);
        break;
    case Qt::Key_Up: SelectPriorItem(); break;
    case Qt::Key_Down: SelectNextItem(); break;
    case Qt::Key_Right:
        if (TqvSkinMenuItem* item = FLevel.Item(FLevel.ActiveItem); item && item->MenuItem &&
                                                                    item->MenuItem->Count() > 0)
            ItemMouseDown(FLevel.ActiveItem);
        break;
    default: break;
    }
}

void TqvSkinPopupWindow::SelectNextItem() {
    TqvPopupLevel& L = FLevel;
    auto lastShown = [&L](int i) {
        return L.Scroll() && L.ScrollCode == 0 && L.VisibleStartIndex + L.VisibleCount == i + 1;
    };
    if (lastShown(L.ActiveItem)) L.ScrollDown(true);
    L.OldActiveItem = L.ActiveItem;
    int i = L.ActiveItem < 0 ? 0 : L.ActiveItem + 1;
    if (i == L.ItemCount()) i = 0;
    for (; i < L.ItemCount(); ++i) {
        if (Selectable(i)) {
            L.ActiveItem = i;
            break;
        }
        if (lastShown(i)) L.ScrollDown(true);
    }
    if (L.ActiveItem != L.OldActiveItem) {
        if (L.ActiveItem >= 0) ItemMouseEnter(L.ActiveItem, true);
        if (L.OldActiveItem >= 0) ItemMouseLeave(L.OldActiveItem);
    }
    update();
}

void TqvSkinPopupWindow::SelectPriorItem() {
    TqvPopupLevel& L = FLevel;
    auto firstShown = [&L](int i) { return L.Scroll() && L.ScrollCode == 0 && i == L.VisibleStartIndex; };
    if (firstShown(L.ActiveItem)) L.ScrollUp(true);
    L.OldActiveItem = L.ActiveItem;
    int i = L.ActiveItem < 0 || L.ActiveItem - 1 == -1 ? L.ItemCount() - 1 : L.ActiveItem - 1;
    for (; i >= 0; --i) {
        if (Selectable(i)) {
            L.ActiveItem = i;
            break;
        }
        if (firstShown(i)) L.ScrollUp(true);
    }
    if (L.ActiveItem != L.OldActiveItem) {
        if (L.ActiveItem >= 0) ItemMouseEnter(L.ActiveItem, true);
        if (L.OldActiveItem >= 0) ItemMouseLeave(L.OldActiveItem);
    }
    update();
}
