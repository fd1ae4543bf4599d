// Window messages as Qt events: a message number is the event type, so a
// window procedure is the receiver's event() and subclassing another
// window's procedure is an event filter (TWindowHook).
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Message numbers live in Qt's user range; numbers outside it would collide
// with Qt's own event types.
constexpr unsigned WM_USER_FIRST = QEvent::User;
constexpr unsigned WM_USER_LAST = QEvent::MaxUser;

class TMessage : public QEvent {
public:
    TMessage(unsigned msg, WPARAM w, LPARAM l);
    unsigned Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result = 0;
};

// The message carried by an event, or nullptr for Qt's own events.
TMessage* AsMessage(QEvent* e);

// Synchronous: the target's handler has run when this returns; its Result is
// the answer. A target that is gone (or null) answers 0.
LRESULT SendMessage(QObject* target, unsigned msg, WPARAM w = 0, LPARAM l = 0);
// Queued: delivered by the event loop after the current handler returns.
void PostMessage(QObject* target, unsigned msg, WPARAM w = 0, LPARAM l = 0);

// A hook on another object's messages (and other events). The handler runs
// before the target's own event(); returning true swallows the event. The hook
// removes itself when destroyed and dies with the target.
class TWindowHook : public QObject {
public:
    using THandler = std::function<bool(QObject* target, QEvent* e)>;
    TWindowHook(QObject* target, THandler handler);
    ~TWindowHook() override;
    QObject* Target() const { return FTarget; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QPointer<QObject> FTarget;
    THandler FHandler;
};
