// Components: a name, an owner that frees them, a Tag and the loading state.
// The state lives in TComponentBase so that plain components (QObject) and
// controls (QWidget) share it; a control's QObject parent is its visual
// parent, so ownership is kept apart from the QObject tree.
#pragma once

#include "platform/Messages.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

// The class library's error for component misuse (duplicate names, bad owners).
class EComponentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Misuse of an operation in the current state ("Cannot make a visible window modal").
class EInvalidOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using TNotifyEvent = std::function<void(QObject* Sender)>;

class TComponentBase {
public:
    virtual ~TComponentBase();
    TComponentBase(const TComponentBase&) = delete;
    TComponentBase& operator=(const TComponentBase&) = delete;

    QObject* Self() const { return FSelf; }

    // Names are unique (ignoring case) among the components of one owner.
    QString Name() const;
    void SetName(const QString& name);
    QObject* Owner() const { return FOwner; }
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t tag) { FTag = tag; }

    // True from creation inside a loading owner until Loaded() ran.
    bool Loading() const { return FLoading; }
    void SetLoading(bool loading) { FLoading = loading; }
    // Runs once after the owning form's layout built everything; the loading
    // state is already cleared when it is called.
    virtual void Loaded() {}

    // The owned components in creation order (destroyed ones left out).
    QList<QObject*> Components() const;
    int ComponentCount() const { return Components().size(); }
    // Case-insensitive lookup among the owned components; nullptr when none.
    QObject* FindComponent(const QString& name) const;
    template <class T> T* FindComponent(const QString& name) const { return dynamic_cast<T*>(FindComponent(name)); }
    // Frees every owned component, last created first.
    void DestroyComponents();

    // The window procedure: messages sent or posted to the component land here.
    virtual void WndProc(TMessage& message) { (void)message; }
    // Sends a message to this component at once and answers its result.
    LRESULT Perform(unsigned msg, WPARAM w = 0, LPARAM l = 0) { return SendMessage(FSelf, msg, w, l); }

protected:
    TComponentBase(QObject* self, QObject* owner);
    // To be called from event() of the QObject side: routes messages to WndProc
    // under the application's exception guard.
    bool DispatchMessageEvent(QEvent* e);

private:
    QObject* FSelf;
    QPointer<QObject> FOwner;
    QList<QPointer<QObject>> FComponents;  // UI thread only, like every component
    std::intptr_t FTag = 0;
    bool FLoading = false;
};

// The component side of an object, or nullptr when it has none.
TComponentBase* AsComponent(QObject* o);

// Ends the loading state of root and of everything under it and of every
// component it owns, depth-first, parent before children, calling Loaded().
void LoadedTree(QObject* root);

class TComponent : public QObject, public TComponentBase {
    Q_OBJECT
public:
    explicit TComponent(QObject* AOwner = nullptr);
    ~TComponent() override;

protected:
    bool event(QEvent* e) override;
};
