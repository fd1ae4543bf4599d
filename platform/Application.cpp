#include "platform/Application.h"

#include "platform/Form.h"

#include <QApplication>
#include <QMessageBox>

#include <stdexcept>

namespace {
TApplication* gApplication = nullptr;  // UI thread only
}  // namespace

TApplication* Application() {
    if (!gApplication) gApplication = new TApplication();
    return gApplication;
}

TApplication* ApplicationInstance() { return gApplication; }

void DestroyApplication() {
    delete gApplication;
    gApplication = nullptr;
}

TApplication::TApplication() : TComponent(nullptr), FPrompt(std::make_shared<TQtPrompt>()) {
    FTitle = QCoreApplication::applicationName();
    // Hiding the last form must not end the program; Terminate does.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) QGuiApplication::setQuitOnLastWindowClosed(false);
}

TApplication::~TApplication() {
    DestroyComponents();
    if (gApplication == this) gApplication = nullptr;
}

void TApplication::SetTitle(const QString& title) { FTitle = title; }

void TApplication::SetIcon(const QIcon& icon) {
    FIcon = icon;
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::setWindowIcon(icon);
}

QList<TForm*> TApplication::Forms() const { return FForms; }

TForm* TApplication::ActiveForm() const { return dynamic_cast<TForm*>(QApplication::activeWindow()); }

void TApplication::AddForm(TForm* f) {
    if (!FForms.contains(f)) FForms.append(f);
}

void TApplication::RemoveForm(TForm* f) {
    FForms.removeAll(f);
    // Its children (MDI children among them) go after it and must not find it.
    if (FMainForm == f) FMainForm = nullptr;
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TApplication::Run() {
    if (FTerminated) return;
    FRunning = true;
    if (FMainForm && FShowMainForm) Guard([&] { FMainForm->Show(); });
    if (!FTerminated) QCoreApplication::exec();
    FRunning = false;
}

void TApplication::Terminate() {
    FTerminated = true;
    for (TForm* f : FForms)
        if (f->Modal()) f->SetModalResult(mrCancel);
    // Ends every event loop of the UI thread; outside Run there is none to end,
    // and Qt would otherwise refuse every later event loop.
    if (FRunning) QCoreApplication::exit(0);
}

void TApplication::Minimize() {
    if (FMainForm) FMainForm->showMinimized();
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
    if (FMainForm) FMainForm->showNormal();
    if (OnRestore) OnRestore(this);
}

void TApplication::SetPrompt(std::shared_ptr<TPrompt> prompt) {
    FPrompt = prompt ? std::move(prompt) : std::make_shared<TQtPrompt>();
}

int TApplication::MessageBox(const QString& text, const QString& caption, unsigned flags) {
    // The prompt may spin an event loop; keep it alive if it is replaced meanwhile.
    std::shared_ptr<TPrompt> p = FPrompt;
    return p->MessageBox(text, caption.isNull() ? FTitle : caption, flags);
}

QString TApplication::ExceptionMessage(std::exception_ptr e) {
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& x) {
        return QString::fromUtf8(x.what());
    } catch (...) {
        return QStringLiteral("Unknown exception");
    }
}

void TApplication::HandleException(std::exception_ptr e) noexcept {
    // A box that fails inside a box that failed ... stops somewhere.
    if (FHandlerDepth > 4) return;
    ++FHandlerDepth;
    try {
        if (OnException) {
            try {
                std::rethrow_exception(e);
            } catch (const std::exception& x) {
                OnException(this, x);
            } catch (...) {
                OnException(this, std::runtime_error("Unknown exception"));
            }
        } else {
            ShowException(ExceptionMessage(e));
        }
    } catch (...) {
        qWarning("Exception while reporting an exception");
    }
    --FHandlerDepth;
}

void TApplication::ShowException(const QString& message) {
    QString msg = message;
    if (!msg.isEmpty() && msg.back() > QChar('.')) msg += QLatin1Char('.');
    MessageBox(msg, FTitle, MB_OK | MB_ICONSTOP);
}

int TQtPrompt::MessageBox(const QString& text, const QString& caption, unsigned flags) {
    QMessageBox box;
    box.setWindowTitle(caption);
    box.setText(text);
    switch (flags & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct Choice { QMessageBox::StandardButton button; int id; };
    QList<Choice> choices;
    switch (flags & 0x0F) {
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
        choices = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: choices = {{QMessageBox::Ok, IDOK}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& c : choices) buttons |= c.button;
    box.setStandardButtons(buttons);
    const int r = box.exec();
    for (const Choice& c : choices)
        if (r == c.button) return c.id;
    return choices.size() == 1 ? IDOK : IDCANCEL;
}
