#include "skin/forms/menu/ImagesMenuWindow.h"

#include "skin/controls/base/DropDownKind.h"
#include "skin/forms/menu/ImagesMenu.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TqvSkinImagesMenuPopupWindow::TqvSkinImagesMenuPopupWindow(QWidget* Form, TqvSkinImagesMenu* Menu)
    : QWidget(Form), FMenu(Menu), FForm(Form) {
    MakeDropDownWindow(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

TqvSkinImagesMenuPopupWindow::~TqvSkinImagesMenuPopupWindow() { Hook(false); }

void TqvSkinImagesMenuPopupWindow::ShowGrid(const TRect& PopupRect, const TRect& WorkArea) {
    const TSize size = FMenu->CalcSize();
    const TPoint at = ImagesMenuPosition(PopupRect, size, WorkArea);
    setGeometry(at.X, at.Y, size.cx, size.cy);
    const QRegion rgn = FMenu->GridRegion(size);
    if (!rgn.isEmpty()) setMask(rgn);
    show();
    Hook(true);
}

void TqvSkinImagesMenuPopupWindow::HideGrid(bool AProcessEvents) {
    if (FClosing) return;
    FClosing = true;
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
    if (hot != MouseInItem) {
        MouseInItem = hot;
        update();
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
    MouseInItem = -1;
    update();
}
