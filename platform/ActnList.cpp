#include "platform/ActnList.h"

#include "platform/Control.h"

TCustomAction::TCustomAction(QObject* AOwner) : TComponent(AOwner) {}

TCustomAction::~TCustomAction() {
    for (TControlActionLink* l : FLinks) l->FAction = nullptr;
}

void TCustomAction::Change() {
    // A control's handler may unlink itself (or another control) meanwhile.
    const QList<TControlActionLink*> links = FLinks;
    for (TControlActionLink* l : links)
        if (FLinks.contains(l)) l->FClient->ActionChange(this, false);
}

template <class T> void TCustomAction::Store(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Change();
}

void TCustomAction::SetCaption(const QString& v) { Store(FCaption, v); }

void TCustomAction::SetChecked(bool v) { Store(FChecked, v); }

void TCustomAction::SetEnabled(bool v) { Store(FEnabled, v); }

void TCustomAction::SetHint(const QString& v) { Store(FHint, v); }

void TCustomAction::SetVisible(bool v) { Store(FVisible, v); }

void TCustomAction::SetImageIndex(int v) { Store(FImageIndex, v); }

void TCustomAction::SetImages(TCustomImageList* v) {
    QPointer<TCustomImageList> p(v);
    Store(FImages, p);
}

bool TCustomAction::Execute() {
    if (!FEnabled || !OnExecute) return false;
    OnExecute(this);
    return true;
}

// ---- TControlActionLink ----

TControlActionLink::~TControlActionLink() { SetAction(nullptr); }

void TControlActionLink::SetAction(TCustomAction* a) {
    if (a == FAction) return;
    if (FAction) FAction->FLinks.removeAll(this);
    FAction = a;
    if (a) a->FLinks.append(this);
}

bool TControlActionLink::Execute() { return FAction && FAction->Execute(); }
