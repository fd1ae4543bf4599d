#include "platform/StdCtrls.h"

#include "platform/Application.h"

#include <QApplication>
#include <QPushButton>

// ---- TButton ----

TButton::TButton(QObject* AOwner) : TWinControl(AOwner), FButton(new QPushButton(this)) {
    SetInner(FButton);
    FButton->setAutoDefault(false);
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
    connect(FButton, &QPushButton::clicked, this, [this] { Application()->Guard([this] { Click(); }); });
}

void TButton::TextChanged() { FButton->setText(Caption()); }

void TButton::Click() {
    if (TForm* f = ParentForm()) f->SetModalResult(FModalResult);
    TWinControl::Click();
}

bool TButton::DialogKey(int key, Qt::KeyboardModifiers shift) {
    if (shift != Qt::NoModifier || !CanFocus()) return false;
    bool press = false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // The focused button takes Enter; the default one only when no button has the focus.
        TControl* focused = FindControl(window()->focusWidget());
        const bool buttonFocused = focused && focused->IsButtonControl() && focused->window() == window();
        press = buttonFocused ? focused == this : FDefault;
    } else if (key == Qt::Key_Escape) {
        press = FCancel;
    }
    if (press) Click();
    return press;
}
