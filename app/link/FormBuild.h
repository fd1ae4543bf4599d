// Placing a form's components from its layout code: owned by the form, named
// as the form's code names them, on a parent, at a position.
#pragma once

#include "platform/Control.h"

#include <QString>

template <class T>
T* PlaceComponent(QObject* owner, const QString& name) {
    auto* c = new T(owner);
    c->SetName(name);
    return c;
}

template <class T>
T* PlaceControl(QObject* owner, TWinControl* parent, const QString& name, int left, int top, int width, int height) {
    auto* c = PlaceComponent<T>(owner, name);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}
