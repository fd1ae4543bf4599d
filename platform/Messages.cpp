#include "platform/Messages.h"

#include "platform/Application.h"

#include <QCoreApplication>

#include <stdexcept>

TMessage::TMessage(unsigned msg, WPARAM w, LPARAM l)
    : QEvent(static_cast<QEvent::Type>(msg)), Msg(msg), WParam(w), LParam(l) {
    if (msg < WM_USER_FIRST || msg > WM_USER_LAST)
        throw std::invalid_argument("Message number outside the user event range");
}

TMessage* AsMessage(QEvent* e) {
    if (!e || e->type() < QEvent::User || e->type() > QEvent::MaxUser) return nullptr;
    return dynamic_cast<TMessage*>(e);
}

LRESULT SendMessage(QObject* target, unsigned msg, WPARAM w, LPARAM l) {
    if (!target) return 0;
    TMessage m(msg, w, l);
    QCoreApplication::sendEvent(target, &m);
    return m.Result;
}

void PostMessage(QObject* target, unsigned msg, WPARAM w, LPARAM l) {
    if (!target) return;
    QCoreApplication::postEvent(target, new TMessage(msg, w, l));
}

TWindowHook::TWindowHook(QObject* target, THandler handler)
    : QObject(target), FTarget(target), FHandler(std::move(handler)) {
    if (target) target->installEventFilter(this);
}

TWindowHook::~TWindowHook() {
    if (FTarget) FTarget->removeEventFilter(this);
}

bool TWindowHook::eventFilter(QObject* watched, QEvent* e) {
    if (watched != FTarget || !FHandler) return false;
    bool swallow = false;
    Application()->Guard([&] { swallow = FHandler(watched, e); });
    return swallow;
}
