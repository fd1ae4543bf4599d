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

void TCustomAction::SetCaption(const QString& v) {
    if (v == FCaption) return;
    FCaption = v;
    Change();
}

void TCustomAction::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    Change();
}

void TCustomAction::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    Change();
}

void TCustomAction::SetHint(const QString& v) {
    if (v == FHint) return;
    FHint = v;
    Change();
}

void TCustomAction::SetVisible(bool v) {
    if (v == FVisible) return;
    FVisible = v;
    Change();
}

void TCustomAction::SetImageIndex(int v) {
    if (v == FImageIndex) return;
    FImageIndex = v;
    Change();
}

void TCustomAction::SetImages(TCustomImageList* v) {
    if (v == FImages) return;
    FImages = v;
    Change();
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
