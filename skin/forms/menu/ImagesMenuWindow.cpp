#include "skin/forms/menu/ImagesMenuWindow.h"

#include "skin/controls/base/DropDownKind.h"
#include "skin/forms/hint/SkinHint.h"
#include "skin/forms/menu/ImagesMenu.h"
#include "skin/model/draw/LayerManager.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

TqvSkinImagesMenuPopupWindow::TqvSkinImagesMenuPopupWindow(QWidget* Form, TqvSkinImagesMenu* Menu)
    : QWidget(Form), FMenu(Menu), FForm(Form) {
    MakeDropDownWindow(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    FFadeTimer = new TTimer(this);
    FFadeTimer->SetEnabled(false);
    FFadeTimer->SetInterval(6);
    FFadeTimer->OnTimer = [this](QObject*) { FadeStep(); };
}

TqvSkinImagesMenuPopupWindow::~TqvSkinImagesMenuPopupWindow() { Hook(false); }

void TqvSkinImagesMenuPopupWindow::ShowGrid(const TRect& PopupRect, const TRect& WorkArea) {
    const TSize size = FMenu->CalcSize();
    const TPoint at = ImagesMenuPosition(PopupRect, size, WorkArea);
    setGeometry(at.X, at.Y, size.cx, size.cy);
    const QRegion rgn = FMenu->GridRegion(size);
    if (!rgn.isEmpty()) setMask(rgn);
    // Translucent only where a compositor runs; the fade steps on the tick source.
    const bool layered = FMenu->AlphaBlend() && LayeredWindowsAvailable();
    const bool fade = layered && FMenu->AlphaBlendAnimation();
    FAlpha = layered ? (fade ? 0 : FMenu->AlphaBlendValue()) : 255;
    if (layered) SetWindowAlpha(this, FAlpha);
    show();
    if (fade && FAlpha < FMenu->AlphaBlendValue()) FFadeTimer->SetEnabled(true);
    Hook(true);
}

void TqvSkinImagesMenuPopupWindow::FadeStep() {
    const int target = FMenu ? FMenu->AlphaBlendValue() : 255;
    FAlpha = std::min(FAlpha + 10, target);
    SetWindowAlpha(this, FAlpha);
    if (FAlpha >= target) FFadeTimer->SetEnabled(false);
}

TqvSkinHint* TqvSkinImagesMenuPopupWindow::ItemHints() const {
    return FMenu && FMenu->ShowHints() ? FMenu->SkinHint() : nullptr;
}

void TqvSkinImagesMenuPopupWindow::HideItemHint() {
    if (TqvSkinHint* h = ItemHints()) h->HideHint();
}

void TqvSkinImagesMenuPopupWindow::HideGrid(bool AProcessEvents) {
    if (FClosing) return;
    FClosing = true;
    FFadeTimer->SetEnabled(false);
    HideItemHint();
    hide();
    Hook(false);
    if (FMenu) FMenu->CloseNotify(AProcessEvents);
}

void TqvSkinImagesMenuPopupWindow::Hook(bool On) {
    if (On == FHooked) return;
    FHooked = On;
    if (On) qApp->installEventFilter(this);
    else qApp->removeEventFilter(this);
}

bool TqvSkinImagesMenuPopupWindow::eventFilter(QObject* Watched, QEvent* E) {
    if (FClosing || !FMenu) return false;
    auto* w = qobject_cast<QWidget*>(Watched);
    const bool inside = w && (w == this || isAncestorOf(w));
    switch (E->type()) {
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(E);
        if (k->modifiers() & Qt::AltModifier) {
            HideGrid(false);
            return false;  // Alt chords go on to the form
        }
        GridKeyDown(k->key());
        return true;
    }
    case QEvent::ShortcutOverride:
        return !(static_cast<QKeyEvent*>(E)->modifiers() & Qt::AltModifier);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (!w) return false;
        const auto button = static_cast<QMouseEvent*>(E)->button();
        if (!inside || button == Qt::RightButton || button == Qt::MiddleButton) {
            HideGrid(false);
            return !inside;  // the click that closes the grid does nothing else
        }
        return false;
    }
    case QEvent::Wheel: return true;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowDeactivate:
        if (Watched == FForm.data()) HideGrid(false);
        return false;
    case QEvent::ApplicationStateChange:
        if (qApp->applicationState() != Qt::ApplicationActive) HideGrid(false);
        return false;
    default: return false;
    }
}

void TqvSkinImagesMenuPopupWindow::GridKeyDown(int Key) {
    const std::vector<TqvImagesMenuItem>& items = FMenu->ImagesItems();
    int hot = MouseInItem;
    switch (Key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (MouseInItem >= 0) FMenu->SetItemIndex(MouseInItem);
        HideGrid(true);
        return;
    case Qt::Key_Escape: HideGrid(false); return;
    case Qt::Key_Right: hot = ImagesMenuSelectNext(items, hot); break;
    case Qt::Key_Left: hot = ImagesMenuSelectPrior(items, hot); break;
    case Qt::Key_Down: hot = ImagesMenuSelectDown(items, hot); break;
    case Qt::Key_Up: hot = ImagesMenuSelectUp(items, hot); break;
    default: return;
    }
    if (hot != MouseInItem) {
        MouseInItem = hot;
        update();
    }
}

void TqvSkinImagesMenuPopupWindow::TrackMouse(int X, int Y) {
    const int hot = ImagesMenuItemAt(FMenu->ImagesItems(), Point(X, Y));
    if (hot < 0 && FMenu->SkinHint()) FMenu->SkinHint()->HideHint();
    if (hot == MouseInItem) return;
    MouseInItem = hot;
    update();
    // A new cell: its own hint after the hint pause, or none.
    if (TqvSkinHint* h = ItemHints(); h && hot >= 0) {
        h->HideHint();
        const QString& hint = FMenu->ImagesItems()[std::size_t(hot)].Hint;
        if (!hint.isEmpty()) h->ActivateHint2(hint);
    }
}

void TqvSkinImagesMenuPopupWindow::paintEvent(QPaintEvent*) {
    if (!FMenu) return;
    QPainter p(this);
    p.drawImage(0, 0, FMenu->GridPicture(TSize{width(), height()}, MouseInItem, FItemDown));
}

void TqvSkinImagesMenuPopupWindow::mouseMoveEvent(QMouseEvent* E) {
    const QPoint p = E->position().toPoint();
    TrackMouse(p.x(), p.y());
}

void TqvSkinImagesMenuPopupWindow::mousePressEvent(QMouseEvent* E) {
    if (E->button() != Qt::LeftButton) return;
    HideItemHint();
    const QPoint p = E->position().toPoint();
    FDown = true;
    FItemDown = ImagesMenuItemAt(FMenu->ImagesItems(), Point(p.x(), p.y())) >= 0;
    update();
}

void TqvSkinImagesMenuPopupWindow::mouseReleaseEvent(QMouseEvent* E) {
    if (E->button() != Qt::LeftButton) return;
    const QPoint p = E->position().toPoint();
    const int cell = ImagesMenuItemAt(FMenu->ImagesItems(), Point(p.x(), p.y()));
    if (FDown && cell >= 0) {
        FMenu->SetItemIndex(cell);
        HideGrid(true);
        return;
    }
    FDown = FItemDown = false;
    update();
}

void TqvSkinImagesMenuPopupWindow::leaveEvent(QEvent*) {
    HideItemHint();
    MouseInItem = -1;
    update();
}
