#include "skin/controls/base/SkinClient.h"

#include "platform/Control.h"

#include <QPointer>

namespace {

// The children in the class library's order: a windowed control's Controls()
// (a form's live in its client widget), else the plain child widgets.
QList<QWidget*> ChildControls(QWidget* w) {
    QList<QWidget*> r;
    if (auto* wc = dynamic_cast<TWinControl*>(w)) {
        for (TControl* c : wc->Controls()) r.append(c);
        return r;
    }
    for (QObject* o : w->children())
        if (auto* c = qobject_cast<QWidget*>(o); c && !c->isWindow()) r.append(c);
    return r;
}

template <class F> void Walk(QWidget* w, const F& visit) {
    QPointer<QWidget> guard(w);
    visit(w);
    if (!guard) return;
    for (QWidget* c : ChildControls(w)) {
        QPointer<QWidget> child(c);
        if (!child) continue;
        // Only windowed children lead further down, as in the class library.
        if (dynamic_cast<TWinControl*>(c) || !dynamic_cast<TControl*>(c)) Walk(c, visit);
        else visit(c);
    }
}

}  // namespace

void BroadcastBeforeChangeSkinData(TqvSkinData* Model, QWidget* Root) {
    if (!Root) return;
    Walk(Root, [Model](QWidget* w) {
        auto* c = dynamic_cast<TqvSkinClient*>(w);
        if (c && c->TakesBeforeChangeSkinData() && (!Model || c->SkinData() == Model)) c->BeforeChangeSkinData();
    });
}

void BroadcastChangeSkinData(TqvSkinData* Model, QWidget* Root) {
    if (!Root) return;
    Walk(Root, [Model](QWidget* w) {
        auto* c = dynamic_cast<TqvSkinClient*>(w);
        if (c && (!Model || c->SkinData() == Model)) c->ChangeSkinData();
    });
}
