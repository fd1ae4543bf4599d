#include "skin/forms/hint/SkinHintMachine.h"

#include "platform/Application.h"
#include "platform/Sources.h"
#include "skin/forms/hint/SkinHint.h"

#include <QApplication>

namespace {
TqvHintMachine* gMachine = nullptr;  // UI thread only
int gMembers = 0;

// The first hint text up the parents (the class library's GetHint).
QString HintOf(TControl* C) {
    for (; C; C = C->Parent())
        if (!C->Hint().isEmpty()) return C->Hint();
    return {};
}

bool InHintWindow(QWidget* W) { return W && dynamic_cast<TqvSkinHintWindow*>(W->window()); }
}  // namespace

TqvHintMachine::TqvHintMachine() : FWindow(std::make_unique<TqvSkinHintWindow>()) {
    FTimer.SetEnabled(false);
    FTimer.OnTimer = [this](QObject*) { TimerTick(); };
    qApp->installEventFilter(this);
}

TqvHintMachine::~TqvHintMachine() {
    qApp->removeEventFilter(this);
    FTimer.SetEnabled(false);
}

TqvHintMachine* TqvHintMachine::Instance() { return gMachine; }

void TqvHintMachine::Join() {
    if (gMembers++ == 0) gMachine = new TqvHintMachine;
}

void TqvHintMachine::Leave() {
    if (gMembers <= 0 || --gMembers > 0) return;
    delete gMachine;
    gMachine = nullptr;
}

TControl* TqvHintMachine::HintControlOf(QWidget* W) {
    TControl* c = nullptr;
    for (QWidget* w = W; w && !c; w = w->parentWidget()) c = dynamic_cast<TControl*>(w);
    while (c && !c->ShowHint()) c = c->Parent();
    if (!c || GetShortHint(HintOf(c)).isEmpty()) return nullptr;
    return c;
}

void TqvHintMachine::CancelHint() {
    FTimer.SetEnabled(false);
    FWaitingToHide = false;
    FWindow->HideHintWindow();
    FHintControl = nullptr;
    FHintActive = false;
    FDoneForControl = false;
}

void TqvHintMachine::MouseOver(QWidget* W) {
    TControl* c = Application()->ShowHint() ? HintControlOf(W) : nullptr;
    if (!c) {
        CancelHint();
        return;
    }
    if (c == FHintControl) return;  // the same control: what runs goes on
    FHintControl = c;
    FDoneForControl = false;
    FWaitingToHide = false;
    FWindow->HideHintWindow();
    FTimer.SetEnabled(false);
    FTimer.SetInterval(FHintActive ? Application()->HintShortPause() : Application()->HintPause());
    FTimer.SetEnabled(true);
}

void TqvHintMachine::ShowNow() {
    TControl* c = FHintControl;
    if (!c || FDoneForControl) return;
    QString hint = GetShortHint(HintOf(c));
    const QPoint cursor = PointerSource().CursorPos();
    THintInfo info;
    info.HintControl = c;
    info.CursorPos = cursor;
    info.HintPos = QPoint(cursor.x(), cursor.y() + HintCursorHeightMargin());
    bool canShow = true;
    if (Application()->OnShowHint) Application()->OnShowHint(hint, canShow, info);
    if (!canShow || hint.isEmpty()) return;
    FWindow->ActivateHint(Rect(info.HintPos.x(), info.HintPos.y(), info.HintPos.x(), info.HintPos.y()), hint);
    if (!FWindow->isVisible()) return;
    FHintActive = true;
    FWaitingToHide = true;
    FTimer.SetInterval(Application()->HintHidePause());
    FTimer.SetEnabled(true);
}

void TqvHintMachine::TimerTick() {
    FTimer.SetEnabled(false);
    if (!FWaitingToHide) {
        ShowNow();
        return;
    }
    // Timed out: gone until the pointer comes to another control.
    FWaitingToHide = false;
    FWindow->HideHintWindow();
    FHintActive = false;
    FDoneForControl = true;
}

bool TqvHintMachine::eventFilter(QObject* Watched, QEvent* E) {
    switch (E->type()) {
    case QEvent::ToolTip:
    case QEvent::Enter:
    case QEvent::MouseMove:
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::WindowDeactivate: break;
    default: return false;
    }
    auto* w = qobject_cast<QWidget*>(Watched);
    if (!w || InHintWindow(w)) return false;
    switch (E->type()) {
    case QEvent::ToolTip: {
        // Ours to show, after our own delays; Qt's wake-up shows nothing.
        for (QWidget* p = w; p; p = p->parentWidget())
            if (dynamic_cast<TControl*>(p)) return true;
        return false;
    }
    case QEvent::Enter:
    case QEvent::MouseMove:
        Application()->Guard([&] { MouseOver(w); });
        return false;
    case QEvent::Leave:
        // Going back to a parent brings no Enter: ask what is under the pointer.
        Application()->Guard([&] {
            QWidget* under = PointerSource().WidgetAt(PointerSource().CursorPos());
            if (!under) CancelHint();
            else MouseOver(under);
        });
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::WindowDeactivate:
        if (FHintControl || FWindow->isVisible()) Application()->Guard([&] { CancelHint(); });
        return false;
    default:
        return false;
    }
}
