// The plain (unskinned) controls the program's forms use, each a control
// wrapping one Qt widget, and TStrings.
#pragma once

#include "platform/Control.h"
#include "platform/Form.h"

class QPushButton;

class TButton : public TWinControl {
    Q_OBJECT
public:
    explicit TButton(QObject* AOwner = nullptr);

    bool Default() const { return FDefault; }
    void SetDefault(bool v) { FDefault = v; }
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }

    // Sets the parent form's ModalResult to the button's, then runs OnClick.
    void Click() override;
    bool DialogKey(int key, Qt::KeyboardModifiers shift) override;
    bool IsButtonControl() const override { return true; }
    QPushButton* Widget() const { return FButton; }

protected:
    void TextChanged() override;

private:
    QPushButton* FButton;
    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};
