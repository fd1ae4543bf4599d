// The application object: title, icon, main form, the forms in creation order
// and the one exception guard every entry from Qt into our code goes through.
#pragma once

#include "platform/Component.h"
#include "platform/Form.h"

#include <QIcon>
#include <QList>
#include <QPointer>
#include <QString>

#include <exception>
#include <functional>
#include <memory>

// MessageBox flags and answers, as the class library passes them.
constexpr unsigned MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3,
                   MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5, MB_ICONHAND = 0x10, MB_ICONERROR = 0x10,
                   MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30,
                   MB_ICONEXCLAMATION = 0x30, MB_ICONINFORMATION = 0x40, MB_ICONASTERISK = 0x40;
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

// Where the application asks the user; tests replace it to record the boxes.
class TPrompt {
public:
    virtual ~TPrompt() = default;
    virtual int MessageBox(const QString& text, const QString& caption, unsigned flags) = 0;
};

// The plain (unskinned) message box.
class TQtPrompt : public TPrompt {
public:
    int MessageBox(const QString& text, const QString& caption, unsigned flags) override;
};

using TExceptionEvent = std::function<void(QObject* Sender, const std::exception& E)>;

// What the application's hint machinery is about to show; OnShowHint may
// change it or refuse it.
struct THintInfo {
    TControl* HintControl = nullptr;
    QPoint CursorPos;  // screen coordinates
    QPoint HintPos;    // where the hint's top-left corner goes
};
using TShowHintEvent = std::function<void(QString& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TApplication : public TComponent {
    Q_OBJECT
public:
    TApplication();
    ~TApplication() override;

    QString Title() const { return FTitle; }
    void SetTitle(const QString& title);
    QIcon Icon() const { return FIcon; }
    void SetIcon(const QIcon& icon);
    QString HelpFile() const { return FHelpFile; }
    void SetHelpFile(const QString& f) { FHelpFile = f; }
    // Asks for help on a context. There is no help system: OnHelp answers
    // when bound, otherwise nothing happens and the answer is false.
    bool HelpContext(int context) { return OnHelp ? OnHelp(context) : false; }

    // The first form created through CreateForm, unless set otherwise.
    TForm* MainForm() const { return FMainForm; }
    void SetMainForm(TForm* f) { FMainForm = f; }
    // Every live form in creation order (Qt's own window list has no order).
    QList<TForm*> Forms() const;
    int FormCount() const { return Forms().size(); }
    TForm* ActiveForm() const;
    void AddForm(TForm* f);
    void RemoveForm(TForm* f);

    // Creates a form owned by the application and builds it; ref is set
    // before the form's layout runs, so OnCreate may use it.
    template <class T> T* CreateForm(T*& ref) {
        ref = new T(this);
        if (!FMainForm) FMainForm = ref;
        ref->Build();
        return ref;
    }

    // Handles pending events, user input included.
    void ProcessMessages();
    // Shows the main form and runs the event loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void Minimize();
    void Restore();

    // Hint timings in milliseconds and the global switch.
    int HintPause() const { return FHintPause; }
    void SetHintPause(int v) { FHintPause = v; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int v) { FHintHidePause = v; }
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int v) { FHintShortPause = v; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v) { FShowHint = v; }
    // Run shows the main form unless this was turned off (a program that
    // starts in the notification area).
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool v) { FShowMainForm = v; }

    TPrompt& Prompt() const { return *FPrompt; }
    // Replaces the prompt (nullptr restores the plain message box).
    void SetPrompt(std::shared_ptr<TPrompt> prompt);
    int MessageBox(const QString& text, const QString& caption = {}, unsigned flags = MB_OK);

    // Runs f; an exception it throws goes to HandleException and does not
    // leave. True when f finished normally.
    template <class F> bool Guard(F&& f) noexcept {
        try {
            f();
            return true;
        } catch (...) {
            HandleException(std::current_exception());
            return false;
        }
    }
    // OnException when bound, else ShowException. Never throws.
    void HandleException(std::exception_ptr e) noexcept;
    // The class library's error box: the message with a full stop added, under the title.
    void ShowException(const QString& message);
    static QString ExceptionMessage(std::exception_ptr e);

    TExceptionEvent OnException;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TShowHintEvent OnShowHint;
    std::function<bool(int Context)> OnHelp;

private:
    QString FTitle;
    QIcon FIcon;
    QString FHelpFile;
    QPointer<TForm> FMainForm;
    QList<TForm*> FForms;  // UI thread only; forms add and remove themselves
    std::shared_ptr<TPrompt> FPrompt;
    bool FTerminated = false;
    bool FRunning = false;
    int FHandlerDepth = 0;  // boxes reporting failures of boxes
    int FHintPause = 500, FHintHidePause = 2500, FHintShortPause = 50;
    bool FShowHint = true;
    bool FShowMainForm = true;
};

// The one application object, created on first use (on the UI thread, after
// the QApplication).
TApplication* Application();
// The application object when it exists (for code that must not create it).
TApplication* ApplicationInstance();
// Frees it with its forms; the program calls this before the QApplication goes.
void DestroyApplication();
