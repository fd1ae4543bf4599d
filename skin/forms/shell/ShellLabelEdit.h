// Renaming in place: a line edit over an item's caption in a view's
// viewport. Enter or leaving the edit ends it with the text, Escape drops it;
// either way the keys stay with the edit, so a dialog's default and cancel
// buttons do not fire.
#pragma once

#include <QLineEdit>
#include <QPointer>

#include <functional>

class TqvShellLabelEdit : public QLineEdit {
    Q_OBJECT
public:
    // OnDone(text, accepted) runs once, after the edit is hidden.
    static TqvShellLabelEdit* Start(QWidget* viewport, const QRect& rect, const QString& text,
                                    std::function<void(const QString&, bool)> OnDone);
    // Ends the edit as Enter would (accepted) or Escape would.
    void Finish(bool accepted);
    // Whether the edit is still open (a finished one lingers until deleted).
    bool Active() const { return !FDone; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    using QLineEdit::QLineEdit;
    std::function<void(const QString&, bool)> FOnDone;
    bool FDone = false;
};
