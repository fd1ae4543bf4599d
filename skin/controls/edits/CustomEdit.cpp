#include "skin/controls/edits/CustomEdit.h"

#include "platform/Application.h"
#include "skin/model/ResourceStrings.h"
#include "skin/model/SkinData.h"
#include "skin/model/SkinTypes.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

TqvCustomEdit::TqvCustomEdit(QObject* AOwner) : TEdit(AOwner) {
    Widget()->setFrame(false);
    Widget()->setContextMenuPolicy(Qt::DefaultContextMenu);
}

void TqvCustomEdit::SetEditTransparent(bool v) {
    FEditTransparent = v;
    // The owner paints under the text: no base fill, nothing erased.
    QLineEdit* e = Widget();
    e->setAutoFillBackground(!v);
    e->setAttribute(Qt::WA_TranslucentBackground, v);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, v ? QColor(Qt::transparent) : ColorToQColor(Color()));
    e->setPalette(p);
    update();
}

void TqvCustomEdit::Undo() {
    if (!ReadOnly()) Widget()->undo();
}
void TqvCustomEdit::CutToClipboard() {
    if (!ReadOnly()) Widget()->cut();
}
void TqvCustomEdit::CopyToClipboard() { Widget()->copy(); }
void TqvCustomEdit::PasteFromClipboard() {
    if (!ReadOnly()) Widget()->paste();
}
void TqvCustomEdit::ClearSelection() {
    if (!ReadOnly()) Widget()->del();
}

bool TqvCustomEdit::DialogKeyFromEdit(QKeyEvent* e) {
    const int key = e->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) return false;
    Application()->Guard([&] {
        int k = key;
        if (DoKeyDown(k, e->modifiers())) return;
        // The handler sees a copy: it cannot change or swallow the key.
        QChar copy(key == Qt::Key_Escape ? 27 : 13);
        if (OnKeyPress) OnKeyPress(this, copy);
        if (TForm* f = ParentForm()) f->DispatchDialogKey(key, e->modifiers() & ~Qt::KeypadModifier);
    });
    return true;
}

QString TqvCustomEdit::MenuCaption(TqvSkinData* model, const char* name, const char* fallback) const {
    if (model && model->ResourceStrData()) return model->ResourceStrData()->GetResStr(QLatin1String(name));
    return QLatin1String(fallback);
}

void TqvCustomEdit::ContextMenu(TPoint ScreenPoint, bool Keyboard) {
    if (Keyboard) ScreenPoint = ClientToScreen({Width() / 2, Height() / 2});
    if (TqvPopupMenuRef* m = PopupMenu()) {
        m->Popup2(this, ScreenPoint.X, ScreenPoint.Y);
        return;
    }
    FSysPopupMenu.reset();
    TForm* form = ParentForm();
    TqvSkinData* model = nullptr;
    if (form && FormSkinLookup()) model = FormSkinLookup()->FormSkinData(form);

    QLineEdit* e = Widget();
    const bool selection = e->hasSelectedText();
    const bool all = e->text().isEmpty() || (e->selectionStart() == 0 && e->selectedText().size() == e->text().size());
    const bool ro = ReadOnly();
    const bool clip = !QGuiApplication::clipboard()->text().isEmpty();
    auto menu = std::make_shared<TqvMenuItemList>();
    QPointer<TqvCustomEdit> self(this);
    auto act = [self](void (TqvCustomEdit::*f)()) {
        return [self, f] {
            if (self) (self.data()->*f)();
        };
    };
    const QString sep = QStringLiteral("-");
    *menu = {
        {MenuCaption(model, "EDIT_UNDO", "Undo"), e->isUndoAvailable(), act(&TqvCustomEdit::Undo)},
        {sep, true, {}},
        {MenuCaption(model, "EDIT_CUT", "Cut"), selection && !ro, act(&TqvCustomEdit::CutToClipboard)},
        {MenuCaption(model, "EDIT_COPY", "Copy"), selection, act(&TqvCustomEdit::CopyToClipboard)},
        {MenuCaption(model, "EDIT_PASTE", "Paste"), clip && !ro, act(&TqvCustomEdit::PasteFromClipboard)},
        {MenuCaption(model, "EDIT_DELETE", "Delete"), selection && !ro, act(&TqvCustomEdit::ClearSelection)},
        {sep, true, {}},
        {MenuCaption(model, "EDIT_SELECTALL", "Select All"), !all, act(&TqvCustomEdit::SelectAll)},
    };
    FSysPopupMenu = menu;
    if (TqvPopupMenuService* s = PopupMenuService()) s->Popup(this, form, menu, ScreenPoint);
}

bool TqvCustomEdit::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Widget()) {
        switch (e->type()) {
        case QEvent::KeyPress:
            if (DialogKeyFromEdit(static_cast<QKeyEvent*>(e))) return true;
            break;
        case QEvent::ContextMenu: {
            auto* c = static_cast<QContextMenuEvent*>(e);
            // The reason, not the sign of the point, tells the menu key from a
            // click: screens left of or above the primary one have negative points.
            const bool keyboard = c->reason() == QContextMenuEvent::Keyboard;
            Application()->Guard([&] { ContextMenu(TPoint::FromQPoint(c->globalPos()), keyboard); });
            return true;
        }
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) FDown = true;
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) FDown = false;
            break;
        case QEvent::FocusIn: {
            const bool handled = TEdit::eventFilter(watched, e);
            if (FAutoSelect && static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason)
                QMetaObject::invokeMethod(Widget(), &QLineEdit::selectAll, Qt::QueuedConnection);
            EditChanged();
            return handled;
        }
        case QEvent::FocusOut: {
            const bool handled = TEdit::eventFilter(watched, e);
            EditChanged();
            return handled;
        }
        default: break;
        }
    }
    return TEdit::eventFilter(watched, e);
}

void TqvCustomEdit::WndProc(TMessage& message) {
    if (message.Msg == WM_SKIN_MENU_COMMAND) {
        FSysPopupMenu.reset();
        return;
    }
    if (message.Msg == CM_CANCELMODE) {
        if (OnEditCancelMode) OnEditCancelMode(reinterpret_cast<TControl*>(message.LParam));
        return;
    }
    TEdit::WndProc(message);
}
