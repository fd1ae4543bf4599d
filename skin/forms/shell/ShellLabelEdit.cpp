#include "skin/forms/shell/ShellLabelEdit.h"

#include "platform/Application.h"

#include <QKeyEvent>

TqvShellLabelEdit* TqvShellLabelEdit::Start(QWidget* viewport, const QRect& rect, const QString& text,
                                            std::function<void(const QString&, bool)> OnDone) {
    auto* e = new TqvShellLabelEdit(viewport);
    e->FOnDone = std::move(OnDone);
    e->setText(text);
    e->selectAll();
    QRect r = rect;
    r.setHeight(std::max(r.height(), e->sizeHint().height()));
    r.setWidth(std::max(r.width(), 80));
    e->setGeometry(r);
    e->show();
    e->setFocus();
    return e;
}

void TqvShellLabelEdit::Finish(bool accepted) {
    if (FDone) return;
    FDone = true;
    hide();
    auto done = std::move(FOnDone);
    const QString t = text();
    deleteLater();
    if (done) Application()->Guard([&] { done(t, accepted); });
}

void TqvShellLabelEdit::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: Finish(true); e->accept(); return;
    case Qt::Key_Escape: Finish(false); e->accept(); return;
    default: QLineEdit::keyPressEvent(e);
    }
}

void TqvShellLabelEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason) Finish(true);
}
