#include "platform/Component.h"

#include "platform/Application.h"

#include <QSet>
#include <QWidget>

TComponentBase* AsComponent(QObject* o) { return dynamic_cast<TComponentBase*>(o); }

TComponentBase::TComponentBase(QObject* self, QObject* owner) : FSelf(self), FOwner(owner) {
    if (auto* o = AsComponent(owner)) {
        o->FComponents.append(QPointer<QObject>(self));
        FLoading = o->Loading();
    }
}

TComponentBase::~TComponentBase() { DestroyComponents(); }

QString TComponentBase::Name() const { return FSelf->objectName(); }

namespace {
// Letters, digits and "_", not starting with a digit.
bool IsValidIdent(const QString& s) {
    if (s.isEmpty() || s[0].isDigit()) return false;
    for (QChar c : s)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_'))) return false;
    return true;
}
}  // namespace

void TComponentBase::SetName(const QString& name) {
    if (name == Name()) return;
    if (!name.isEmpty() && !IsValidIdent(name))
        throw EComponentError("'" + name.toStdString() + "' is not a valid component name");
    if (!name.isEmpty()) {
        if (auto* o = AsComponent(FOwner)) {
            QObject* other = o->FindComponent(name);
            if (other && other != FSelf)
                throw EComponentError("A component named " + name.toStdString() + " already exists");
        }
    }
    FSelf->setObjectName(name);
}

QList<QObject*> TComponentBase::Components() const {
    QList<QObject*> r;
    for (const auto& p : FComponents)
        if (p) r.append(p.data());
    return r;
}

QObject* TComponentBase::FindComponent(const QString& name) const {
    if (name.isEmpty()) return nullptr;
    for (const auto& p : FComponents)
        if (p && p->objectName().compare(name, Qt::CaseInsensitive) == 0) return p.data();
    return nullptr;
}

void TComponentBase::DestroyComponents() {
    while (!FComponents.isEmpty()) {
        QPointer<QObject> p = FComponents.takeLast();
        delete p.data();
    }
}

bool TComponentBase::DispatchMessageEvent(QEvent* e) {
    TMessage* m = AsMessage(e);
    if (!m) return false;
    Application()->Guard([&] { WndProc(*m); });
    return true;
}

namespace {
void LoadOne(QObject* o) {
    if (auto* c = AsComponent(o); c && c->Loading()) {
        c->SetLoading(false);
        Application()->Guard([&] { c->Loaded(); });
    }
}

void LoadWalk(QObject* o, QSet<QObject*>& seen) {
    seen.insert(o);
    LoadOne(o);
    for (QObject* child : o->children()) LoadWalk(child, seen);
}
}  // namespace

void LoadedTree(QObject* root) {
    QSet<QObject*> seen;  // a form's tree holds every inner Qt widget too
    LoadWalk(root, seen);
    // Owned components that live outside root's QObject tree (no parent yet).
    if (auto* c = AsComponent(root))
        for (QObject* o : c->Components())
            if (!seen.contains(o)) LoadWalk(o, seen);
}

TComponent::TComponent(QObject* AOwner) : QObject(AOwner), TComponentBase(this, AOwner) {}

TComponent::~TComponent() { DestroyComponents(); }

bool TComponent::event(QEvent* e) {
    if (DispatchMessageEvent(e)) return true;
    return QObject::event(e);
}
