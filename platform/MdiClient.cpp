#include "platform/MdiClient.h"

#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

TMDIClient::TMDIClient(TForm* frame) : QWidget(frame->Client()), FFrame(frame) {
    setObjectName(QStringLiteral("MDIClient"));
    // A press anywhere inside a child activates it, whichever widget takes it.
    qApp->installEventFilter(this);
    show();
}

TMDIClient::~TMDIClient() {
    qApp->removeEventFilter(this);
    // The children go with their frame, while this client is still whole to
    // hear them leave.
    const auto children = FChildren;
    FChildren.clear();
    for (const QPointer<TForm>& c : children) delete c.data();
}

TForm* TMDIClient::Child(int i) const {
    return i >= 0 && i < Count() ? FChildren[size_t(i)].data() : nullptr;
}

TForm* TMDIClient::Active() const {
    TForm* f = Child(0);
    return f && f->Visible() ? f : nullptr;
}

void TMDIClient::AddChild(TForm* child) {
    FChildren.push_back(child);
}

void TMDIClient::RemoveChild(TForm* child) {
    const bool wasActive = Active() == child;
    // A child on its way out hears nothing more.
    if (FToldActive == child) FToldActive = nullptr;
    std::erase_if(FChildren, [&](const QPointer<TForm>& p) { return !p || p == child; });
    if (wasActive)
        for (const auto& p : FChildren)
            if (p && p->Visible()) return Activate(p);
}

void TMDIClient::TellActive(TForm* child, bool active) {
    if (active) FToldActive = child;
    else if (FToldActive == child) FToldActive = nullptr;
    SendMessage(child, WM_MDI_NCACTIVATE, active ? 1 : 0);
    Application()->Guard([&] {
        const TNotifyEvent& h = active ? child->OnActivate : child->OnDeactivate;
        if (h) h(child);
    });
}

void TMDIClient::Activate(TForm* child) {
    auto it = std::find(FChildren.begin(), FChildren.end(), child);
    if (it == FChildren.end()) return;
    TForm* old = FToldActive;
    std::rotate(FChildren.begin(), it, it + 1);
    child->raise();
    if (old == child) return;
    if (old) TellActive(old, false);
    TellActive(child, true);
}

void TMDIClient::ChildShown(TForm* child) { Activate(child); }

void TMDIClient::ChildHidden(TForm* child) {
    if (Child(0) != child) return;
    // The next shown child in the order takes over; the hidden one goes last.
    auto it = std::find_if(FChildren.begin() + 1, FChildren.end(), [](const QPointer<TForm>& p) {
        return p && p->Visible();
    });
    TellActive(child, false);
    std::rotate(FChildren.begin(), FChildren.begin() + 1, FChildren.end());
    if (it != FChildren.end()) {
        TForm* next = FChildren.front();
        next->raise();
        TellActive(next, true);
    }
}

void TMDIClient::Place() {
    const TRect r = FFrame->GetMDIClientRect();
    setGeometry(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
}

bool TMDIClient::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !isAncestorOf(w)) return false;
    // The child form directly in this client that holds the widget.
    QWidget* top = w;
    while (top && top->parentWidget() != this) top = top->parentWidget();
    auto* child = qobject_cast<TForm*>(top);
    if (!child || Child(0) == child) return false;
    Application()->Guard([&] {
        SendMessage(child, WM_MDI_MOUSEACTIVATE);
        Activate(child);
    });
    return false;
}

void TMDIClient::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ColorToQColor(clAppWorkSpace));
}
