#include "platform/Form.h"

#include "platform/Application.h"
#include "platform/Graphics.h"
#include "platform/MdiClient.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <stdexcept>

TFormClient::TFormClient(TForm* form) : QWidget(form), FForm(form) {}

void TFormClient::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    bool painted = false;
    if (TFormFrameHost* host = FForm->FrameHost())
        Application()->Guard([&] { painted = host->PaintClientBackground(p, e->rect()); });
    if (!painted) p.fillRect(rect(), ColorToQColor(FForm->Color()));
}

TForm::TForm(QObject* AOwner) : TWinControl(AOwner), FClient(new TFormClient(this)) {
    setVisible(false);
    ApplyWindowFlags();
    if (auto* app = ApplicationInstance()) app->AddForm(this);
    // Shortcuts and the key preview see the keys of every widget of the form.
    qApp->installEventFilter(this);
}

TForm::~TForm() {
    if (auto* app = ApplicationInstance()) {
        app->Guard([&] { if (OnDestroy) OnDestroy(this); });
        app->RemoveForm(this);
    }
    qApp->removeEventFilter(this);
    if (FMDIParent) FMDIParent->RemoveChild(this);
    if (FModalLoop) FModalLoop->exit();
    DestroyComponents();
    DestroyControls();
}

void TForm::Build() {
    if (FBuilt) return;
    FBuilt = true;
    if (FFormStyle == fsMDIForm) FMDIClient = new TMDIClient(this);
    else if (FFormStyle == fsMDIChild) EmbedInMDIFrame();
    SetLoading(true);
    Layout();
    LoadedTree(this);
    if (FMDIClient) FMDIClient->Place();
    // An error in OnCreate is reported and the form stays usable.
    Application()->Guard([&] { if (OnCreate) OnCreate(this); });
}

TRect TForm::ClientRect() const {
    const QRect r = QRect(QPoint(0, 0), geometry().size()).marginsRemoved(FClientMargins);
    return Rect(0, 0, std::max(0, r.width()), std::max(0, r.height()));
}

void TForm::SetClientMargins(const QMargins& m) {
    // Placed also when unchanged: a hidden form may have been resized without an event.
    PlaceClient();
    if (m == FClientMargins) return;
    FClientMargins = m;
    PlaceClient();
    Realign();
}

void TForm::PlaceClient() {
    const TRect c = ClientRect();
    FClient->setGeometry(FClientMargins.left(), FClientMargins.top(), c.Width(), c.Height());
}

void TForm::resizeEvent(QResizeEvent* e) {
    PlaceClient();
    TWinControl::resizeEvent(e);
    if (FFrameHost) Application()->Guard([&] { FFrameHost->FrameResized(); });
}

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const QSize old = size();
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    // A hidden widget gets its resize event only when shown.
    if (size() != old && !isVisible()) {
        PlaceClient();
        if (FFrameHost) Application()->Guard([&] { FFrameHost->FrameResized(); });
    }
}

void TForm::SetParent(TWinControl* parent) {
    TControl::SetParent(parent);
    ApplyWindowFlags();
}

void TForm::ApplyWindowFlags() {
    Qt::WindowFlags f;
    if (parentWidget()) {
        f = Qt::Widget;
    } else {
        f = Qt::Window;
        if (!FSystemFrame) f |= Qt::FramelessWindowHint;
        else if (FBorderIcons != (biSystemMenu | biMinimize | biMaximize)) {
            f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
            if (FBorderIcons & biSystemMenu) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            if (FBorderIcons & biMinimize) f |= Qt::WindowMinimizeButtonHint;
            if (FBorderIcons & biMaximize) f |= Qt::WindowMaximizeButtonHint;
        }
        if (FFormStyle == fsStayOnTop) f |= Qt::WindowStaysOnTopHint;
    }
    if (f == windowFlags()) return;
    Reparenting([&] { setWindowFlags(f); });
    if (Visible()) QWidget::setVisible(true);
}

void TForm::SetFormStyle(TFormStyle v) {
    // The MDI styles decide the form's window at Build() and stay.
    const bool mdi = [](TFormStyle s) { return s == fsMDIForm || s == fsMDIChild; }(v);
    const bool wasMdi = FFormStyle == fsMDIForm || FFormStyle == fsMDIChild;
    if (FBuilt && (mdi || wasMdi)) return;
    FFormStyle = v;
    ApplyWindowFlags();
}

void TForm::SetBorderIcons(TBorderIcons v) {
    FBorderIcons = v;
    if (FSystemFrame) ApplyWindowFlags();
}

void TForm::SetSystemFrame(bool v) {
    FSystemFrame = v;
    ApplyWindowFlags();
}

TWindowState TForm::WindowState() const {
    if (windowState() & Qt::WindowMinimized) return wsMinimized;
    if (windowState() & Qt::WindowMaximized) return wsMaximized;
    return wsNormal;
}

void TForm::SetWindowState(TWindowState v) {
    setWindowState(v == wsMinimized ? Qt::WindowMinimized : v == wsMaximized ? Qt::WindowMaximized : Qt::WindowNoState);
}

void TForm::SetKeyPreview(bool v) { FKeyPreview = v; }

TWinControl* TForm::ActiveControl() const {
    // The window's focus is kept while it is inactive, as the form's active control is.
    QWidget* f = window()->focusWidget();
    if (!f) return FActiveControl;
    for (TControl* c = FindControl(f); c && c != this; c = c->Parent())
        if (auto* wc = dynamic_cast<TWinControl*>(c)) return wc;
    return nullptr;
}

void TForm::SetActiveControl(TWinControl* c) {
    FActiveControl = c;
    if (c && isVisible() && c->CanFocus()) c->SetFocus();
}

void TForm::Show() {
    SetVisible(true);
    if (!parentWidget() && QGuiApplication::platformName() != QLatin1String("offscreen")) {
        raise();
        activateWindow();
    }
}

void TForm::SetModalResult(TModalResult v) {
    FModalResult = v;
    if (v != mrNone && FModalLoop) FModalLoop->exit();
}

TModalResult TForm::ShowModal() {
    if (isVisible() || Modal()) throw EInvalidOperation("Cannot make a visible window modal");
    FModalResult = mrNone;
    setWindowModality(Qt::ApplicationModal);
    QPointer<TForm> self(this);
    QEventLoop loop;
    FModalLoop = &loop;
    Show();
    for (;;) {
        // -1: Qt is quitting and runs no more loops; treat it as the end of the program.
        if (self && FModalResult == mrNone && !Application()->Terminated() &&
            loop.exec(QEventLoop::DialogExec) == -1 && self)
            FModalResult = mrCancel;
        if (!self) return mrCancel;
        // The end of the program asks nobody: a refusing OnCloseQuery would
        // otherwise be asked again without end, as no loop runs any more.
        if (Application()->Terminated()) {
            FModalResult = mrCancel;
            break;
        }
        if (FModalResult != mrNone && CloseModal()) break;
    }
    FModalLoop = nullptr;
    Hide();
    setWindowModality(Qt::NonModal);
    return FModalResult;
}

bool TForm::CloseModal() {
    bool done = false;
    const bool ok = Application()->Guard([&] {
        TCloseAction action = caNone;
        if (CloseQuery()) {
            action = caHide;
            DoClose(action);
        }
        if (action == caNone) return;
        if (action == caFree) Release();
        done = true;
    });
    if (!ok || !done) FModalResult = mrNone;
    return ok && done;
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TForm::Close() {
    if (Modal()) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application()->MainForm() == this) {
        Application()->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TForm::Release() {
    Hide();
    deleteLater();
}

void TForm::TextChanged() { setWindowTitle(Caption()); }

static bool OfferDialogKey(TWinControl* parent, int key, Qt::KeyboardModifiers shift) {
    for (TControl* c : parent->Controls()) {
        if (c->DialogKey(key, shift)) return true;
        if (auto* wc = dynamic_cast<TWinControl*>(c); wc && OfferDialogKey(wc, key, shift)) return true;
    }
    return false;
}

bool TForm::DispatchDialogKey(int key, Qt::KeyboardModifiers shift) { return OfferDialogKey(this, key, shift); }

void TForm::SetFrameHost(TFormFrameHost* host) {
    FFrameHost = host;
    update();
    FClient->update();
}

bool TForm::event(QEvent* e) {
    if (FFrameHost) {
        bool handled = false;
        Application()->Guard([&] { handled = FFrameHost->FrameEventBefore(e); });
        if (handled) return true;
    }
    // A deferred delete frees the form inside FormEvent.
    if (e->type() == QEvent::DeferredDelete) return FormEvent(e);
    const bool result = FormEvent(e);
    if (FFrameHost) Application()->Guard([&] { FFrameHost->FrameEventAfter(e); });
    return result;
}

bool TForm::FormEvent(QEvent* e) {
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate) {
        const bool active = e->type() == QEvent::WindowActivate;
        Application()->Guard([&] {
            const TNotifyEvent& h = active ? OnActivate : OnDeactivate;
            if (h) h(this);
        });
    }
    return TWinControl::event(e);
}

void TForm::showEvent(QShowEvent* e) {
    TWinControl::showEvent(e);
    if (e->spontaneous()) return;
    Application()->Guard([&] {
        if (!FPlaced) {
            FPlaced = true;
            ApplyPosition();
        }
        if (FActiveControl && FActiveControl->CanFocus()) FActiveControl->SetFocus();
        if (OnShow) OnShow(this);
        if (FMDIParent) FMDIParent->ChildShown(this);
    });
}

void TForm::hideEvent(QHideEvent* e) {
    TWinControl::hideEvent(e);
    if (e->spontaneous()) return;
    Application()->Guard([&] {
        if (OnHide) OnHide(this);
        // Only its own hiding: a child of a hidden frame keeps its place.
        if (FMDIParent && !Visible()) FMDIParent->ChildHidden(this);
    });
}

void TForm::closeEvent(QCloseEvent* e) {
    // Closing is ours to decide (OnCloseQuery, OnClose, modal results).
    e->ignore();
    Application()->Guard([&] { Close(); });
}

void TForm::ApplyPosition() {
    if (parentWidget()) return;
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    QRect area;
    auto overForm = [&](TForm* f) { return f && f != this && f->isVisible() ? f->geometry() : s->geometry(); };
    switch (FPosition) {
    case poScreenCenter: area = s->geometry(); break;
    case poDesktopCenter: area = s->virtualGeometry(); break;
    case poMainFormCenter: area = overForm(Application()->MainForm()); break;
    case poOwnerFormCenter: area = overForm(dynamic_cast<TForm*>(Owner())); break;
    default: return;
    }
    const int x = std::max(area.x() + (area.width() - Width()) / 2, s->virtualGeometry().left());
    const int y = std::max(area.y() + (area.height() - Height()) / 2, s->virtualGeometry().top());
    SetBounds(x, y, Width(), Height());
}

void TForm::keyPressEvent(QKeyEvent* e) {
    // Keys of the form itself (nothing focused) run its key events; keys that
    // bubbled up from a control have had their turn.
    QWidget* focus = focusWidget();
    if (!focus || focus == this) {
        TWinControl::keyPressEvent(e);
        if (e->isAccepted()) return;
    }
    const int key = e->key();
    const bool dialogKey = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
    bool handled = false;
    if (dialogKey) Application()->Guard([&] { handled = DispatchDialogKey(key, e->modifiers() & ~Qt::KeypadModifier); });
    if (handled) e->accept();
    else e->ignore();
}

bool TForm::eventFilter(QObject* watched, QEvent* e) {
    // Alt held through a click is no menu key.
    if (e->type() == QEvent::MouseButtonPress) FAltAlone = false;
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
    // Only the first receiver (the focused widget, or the form when nothing
    // is focused): the application filter sees the same key again for every
    // parent it bubbles to.
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this) return false;
    QWidget* focus = focusWidget();
    if (w != focus && (focus || w != this)) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (ShortCutKey(k)) return true;
    if (!FKeyPreview || w == this) return false;
    return RunKeyEvents(k);
}

bool TForm::ShortCutKey(QKeyEvent* k) {
    const int key = k->key();
    bool handled = false;
    if (k->type() == QEvent::KeyRelease) {
        if (k->isAutoRepeat()) return false;
        const bool menuKey = key == Qt::Key_Alt && FAltAlone;
        FAltAlone = false;
        if (menuKey && OnKeyMenu) {
            Application()->Guard([&] { OnKeyMenu(this); });
            handled = true;
        }
        return handled;
    }
    if (key == Qt::Key_Alt && k->isAutoRepeat()) return false;
    FAltAlone = key == Qt::Key_Alt;
    const Qt::KeyboardModifiers shift = k->modifiers() & ~Qt::KeypadModifier;
    QPointer<TForm> self(this);
    if (OnShortCut) Application()->Guard([&] { OnShortCut(key, shift, handled); });
    if (!self) return true;
    const bool plain = !(shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    if (!handled && key == Qt::Key_F10 && plain && OnKeyMenu) {
        Application()->Guard([&] { OnKeyMenu(this); });
        handled = true;
    }
    return handled;
}

// ---- MDI

void TForm::EmbedInMDIFrame() {
    TForm* frame = Application()->MainForm();
    if (!frame || !frame->FMDIClient) throw std::runtime_error("Cannot create form. No MDI forms are currently active");
    FMDIParent = frame->FMDIClient;
    Reparenting([&] { QWidget::setParent(FMDIParent, Qt::Widget); });
    FMDIParent->AddChild(this);
}

int TForm::MDIChildCount() const { return FMDIClient ? FMDIClient->Count() : 0; }

TForm* TForm::MDIChildren(int Index) const { return FMDIClient ? FMDIClient->Child(Index) : nullptr; }

TForm* TForm::ActiveMDIChild() const { return FMDIClient ? FMDIClient->Active() : nullptr; }

TRect TForm::GetMDIClientRect() const {
    const TRect c = ClientRect();
    TRect r{0, 0, c.Width(), c.Height()};
    bool left = false, top = false, right = false, bottom = false;
    for (TControl* ctl : Controls()) {
        if (!ctl->Visible()) continue;
        switch (ctl->Align()) {
        case alLeft: r.Left = left ? std::max(r.Left, ctl->Left() + ctl->Width()) : ctl->Left() + ctl->Width(), left = true; break;
        case alTop: r.Top = top ? std::max(r.Top, ctl->Top() + ctl->Height()) : ctl->Top() + ctl->Height(), top = true; break;
        case alRight: r.Right = right ? std::min(r.Right, ctl->Left()) : ctl->Left(), right = true; break;
        case alBottom: r.Bottom = bottom ? std::min(r.Bottom, ctl->Top()) : ctl->Top(), bottom = true; break;
        default: break;
        }
    }
    return r;
}

void TForm::AlignControls(TControl* AControl, TRect& rect) {
    TWinControl::AlignControls(AControl, rect);
    if (FMDIClient) FMDIClient->Place();
}
