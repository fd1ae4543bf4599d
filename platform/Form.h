// Forms: a frameless top-level window (the outer widget, where a skinned frame
// is painted) holding one client widget that carries every control, so
// controls keep client coordinates whatever the frame's size.
#pragma once

#include "platform/Control.h"

#include <QEventLoop>
#include <QIcon>
#include <QMargins>
#include <QPointer>

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly,
    poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                       mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

using TCloseEvent = std::function<void(QObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(QObject* Sender, bool& CanClose)>;
// Key is a Qt key value; Handled swallows the key.
using TShortCutEvent = std::function<void(int Key, Qt::KeyboardModifiers Shift, bool& Handled)>;

class TForm;
class QPainter;

// Whoever paints and runs a form's frame (the skinned-form component): it sees
// every event of the form before and after the form's own handling, and
// paints the client widget's background.
class TFormFrameHost {
public:
    virtual ~TFormFrameHost() = default;
    // Before the form's own handling; true means handled (the form does not see it).
    virtual bool FrameEventBefore(QEvent* e) = 0;
    // After the form's own handling of an event FrameEventBefore left.
    virtual void FrameEventAfter(QEvent* e) = 0;
    // Paints the client background under r; false leaves the form's colour.
    virtual bool PaintClientBackground(QPainter& p, const QRect& r) = 0;
    // After every size change, also of a hidden form (Qt resizes those without an event).
    virtual void FrameResized() {}
};

// The widget that holds a form's controls.
class TFormClient : public QWidget {
public:
    explicit TFormClient(TForm* form);
    TForm* Form() const { return FForm; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TForm* FForm;
};

class TForm : public TWinControl {
    Q_OBJECT
public:
    explicit TForm(QObject* AOwner = nullptr);
    ~TForm() override;

    // Runs the form's layout in the loading state, then Loaded() depth-first,
    // then OnCreate. Call once, right after construction.
    void Build();

    QWidget* ClientWidget() override { return FClient; }
    TFormClient* Client() const { return FClient; }
    TRect ClientRect() const override;
    // Room between the outer window and the client widget (the frame).
    QMargins ClientMargins() const { return FClientMargins; }
    void SetClientMargins(const QMargins& m);
    void SetParent(TWinControl* parent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // At most one frame host; nullptr removes it.
    TFormFrameHost* FrameHost() const { return FFrameHost; }
    void SetFrameHost(TFormFrameHost* host);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v) { FBorderStyle = v; }
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    // With the window manager's frame, the icons it shows.
    void SetBorderIcons(TBorderIcons v);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle v);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState v);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v);
    // Frameless by default; a form nobody skins may ask for the window manager's frame.
    bool SystemFrame() const { return FSystemFrame; }
    void SetSystemFrame(bool v);
    QIcon Icon() const { return windowIcon(); }
    void SetIcon(const QIcon& icon) { setWindowIcon(icon); }

    // The focused control of this form; setting it focuses it (at once when
    // shown, else at the next show).
    TWinControl* ActiveControl() const;
    void SetActiveControl(TWinControl* c);
    bool Active() const { return isActiveWindow(); }

    void Show();
    void Hide() { TControl::Hide(); }
    // Shows the form modally and returns when ModalResult becomes non-zero
    // (a button with a ModalResult, Close) and the close hooks agree.
    TModalResult ShowModal();
    bool Modal() const { return FModalLoop != nullptr; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v);
    // Modal: ModalResult := mrCancel. Otherwise OnCloseQuery, then OnClose
    // with caHide; the main form's close ends the application.
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the current handler has returned.
    void Release();

    // The Enter/Escape walk: offers the key to every control of the form.
    bool DispatchDialogKey(int key, Qt::KeyboardModifiers shift);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    // Once per key stroke on this form, before the focused control sees it.
    TShortCutEvent OnShortCut;
    // The window's menu key: Alt pressed and released with nothing between,
    // or F10 that no shortcut took.
    TNotifyEvent OnKeyMenu;

protected:
    // The form's layout ("form resource"): creates the components with their
    // recorded properties. Runs in the loading state from Build().
    virtual void Layout() {}
    virtual void DoClose(TCloseAction& action);
    bool IsTopLevelControl() const override { return true; }
    void TextChanged() override;

    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool FormEvent(QEvent* e);
    void PlaceClient();
    void ApplyPosition();
    void ApplyWindowFlags();
    bool CloseModal();
    bool ShortCutKey(QKeyEvent* k);

    // Before FClient: the client's creation already sends the form events.
    TFormFrameHost* FFrameHost = nullptr;
    TFormClient* FClient;
    QMargins FClientMargins;
    TBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition FPosition = poDesigned;
    TFormStyle FFormStyle = fsNormal;
    bool FKeyPreview = false;
    bool FAltAlone = false;
    bool FSystemFrame = false;
    bool FPlaced = false;
    bool FBuilt = false;
    TModalResult FModalResult = mrNone;
    QEventLoop* FModalLoop = nullptr;  // set while ShowModal runs
    QPointer<TWinControl> FActiveControl;
};

// Creates a form and builds it.
template <class T, class... A> T* NewForm(A&&... args) {
    T* f = new T(std::forward<A>(args)...);
    f->Build();
    return f;
}
