// The tray icon: an icon in the desktop's notification area whose mouse
// actions become events (a click told apart from a double click by the
// double-click time, the menu on the right button, balloon clicks), with
// balloons, an icon animation from an image list, and the hiding and showing
// of the application's main form (minimize to tray).
#pragma once

#include "platform/Application.h"
#include "platform/Control.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/ImgList.h"
#include "skin/controls/menus/SkinMenuServices.h"

#include <QIcon>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

// What the notification area is told (the shell's notify-icon data).
constexpr unsigned NIM_ADD = 0, NIM_MODIFY = 1, NIM_DELETE = 2;
constexpr unsigned NIF_MESSAGE = 0x1, NIF_ICON = 0x2, NIF_TIP = 0x4, NIF_INFO = 0x10;
constexpr unsigned NIIF_NONE = 0, NIIF_INFO = 1, NIIF_WARNING = 2, NIIF_ERROR = 3;
// Mouse actions on the icon, as WM_SKIN_TRAY_CALLBACK's LParam carries them.
constexpr unsigned TRAY_MOUSEMOVE = 0x200, TRAY_LBUTTONDOWN = 0x201, TRAY_LBUTTONUP = 0x202,
                   TRAY_LBUTTONDBLCLK = 0x203, TRAY_RBUTTONDOWN = 0x204, TRAY_RBUTTONUP = 0x205,
                   TRAY_MBUTTONDOWN = 0x207, TRAY_MBUTTONUP = 0x208, TRAY_BALLOONUSERCLICK = 0x405;
// The main form's Tag while the tray hides or restores it.
constexpr std::intptr_t kTrayMainFormTag = -10000;

struct TqvNotifyIconData {
    unsigned Flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    QIcon Icon;
    QString Tip;        // at most 127 characters
    QString Info;       // balloon text, at most 255 characters
    QString InfoTitle;  // balloon title, at most 63 characters
    unsigned InfoFlags = NIIF_NONE;
};

// The notification area itself: the desktop's in the program, a fake in tests.
class TqvTrayBackend {
public:
    virtual ~TqvTrayBackend() = default;
    // False where the desktop has no notification area.
    virtual bool Available() = 0;
    // NIM_ADD, NIM_MODIFY or NIM_DELETE; true when the area took it.
    virtual bool Notify(unsigned Message, const TqvNotifyIconData& Data) = 0;
    // Where the backend reports mouse actions (TRAY_* codes).
    std::function<void(unsigned Code)> Callback;
};

// Makes the backend of every tray icon created afterwards (nullptr: the desktop's).
using TqvTrayBackendFactory = std::function<std::unique_ptr<TqvTrayBackend>()>;
void SetTrayBackendFactory(TqvTrayBackendFactory Factory);
std::unique_ptr<TqvTrayBackend> CreateTrayBackend();

// The skinned popup menu a tray icon opens (the form component's tray menu or
// the application's own); the menus library implements it.
class TqvTrayPopupMenu {
public:
    virtual ~TqvTrayPopupMenu() = default;
    // The component itself, so a freed menu is forgotten.
    virtual QObject* MenuObject() = 0;
    virtual bool AutoPopup() const = 0;
    virtual void SetPopupComponent(QObject* Component) = 0;
    // At a screen point; returns at once.
    virtual void Popup(int X, int Y) = 0;
    // Runs the click of the first top-level item marked Default; false when none is.
    virtual bool ClickDefaultItem() = 0;
};

enum TqvBalloonHintIcon { qvbitNone, qvbitInfo, qvbitWarning, qvbitError };

using TqvCycleEvent = std::function<void(QObject* Sender, int NextIndex)>;

class TqvTrayIcon : public TComponent {
    Q_OBJECT
public:
    explicit TqvTrayIcon(QObject* AOwner = nullptr);
    ~TqvTrayIcon() override;

    void Loaded() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    const QIcon& Icon() const { return FIcon; }
    void SetIcon(const QIcon& Value);
    bool IconVisible() const { return FIconVisible; }
    void SetIconVisible(bool Value);
    QString Hint() const { return FHint; }
    void SetHint(const QString& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TqvTrayPopupMenu* PopupMenu() const { return FPopupMenu.Get(); }
    void SetPopupMenu(TqvTrayPopupMenu* Value) { FPopupMenu.Set(Value); }
    bool PopupByLeftButton() const { return FPopupByLeftButton; }
    void SetPopupByLeftButton(bool v) { FPopupByLeftButton = v; }
    bool MinimizedOnStart() const { return FMinimizedOnStart; }
    void SetMinimizedOnStart(bool v) { FMinimizedOnStart = v; }
    bool MinimizeToTray() const { return FMinimizeToTray; }
    void SetMinimizeToTray(bool v) { FMinimizeToTray = v; }
    int IconIndex() const { return FIconIndex; }
    void SetIconIndex(int Value);
    TCustomImageList* IconList() const { return FIconList.data(); }
    void SetIconList(TCustomImageList* Value);
    bool CycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool Value);
    int AnimateTimerInterval() const { return FAnimateTimerInterval; }
    void SetAnimateTimerInterval(int Value);

    virtual bool UseApplicationIcon() { return true; }
    virtual bool ShowIcon();
    virtual bool HideIcon();
    virtual bool ModifyIcon();
    bool Refresh() { return ModifyIcon(); }

    void ShowMainForm();
    void HideMainForm();
    bool ShowBalloonHint(const QString& Title, const QString& Text, TqvBalloonHintIcon IconType);
    bool HideBalloonHint();
    // A 16 x 16 icon from Bitmap, MaskColor transparent.
    bool BitmapToIcon(const TBitmap& Bitmap, QIcon& AIcon, TColor MaskColor);

    // What the notification area was last told, and whether the click timer runs.
    const TqvNotifyIconData& IconData() const { return FIconData; }
    TqvTrayBackend* Backend() const { return FBackend.get(); }
    bool ClickTimerActive() const { return ClickTimer.Enabled(); }

    TNotifyEvent OnBalloonHintClick;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TqvCycleEvent OnCycle;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    void WndProc(TMessage& Message) override;
    bool eventFilter(QObject* Watched, QEvent* E) override;

    virtual void Click();
    virtual void DblClick();
    virtual void DoCycle(int NextIndex);
    virtual void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void DoMinimizeToTray();

private:
    bool PrepareIconData();
    void TrayCallback(unsigned Code);
    void ClickTimerTick();
    void CycleTimerTick();
    void PopupAtCursor();
    TWinControl* OwnerControl() const;

    std::unique_ptr<TqvTrayBackend> FBackend;
    bool FEnabled = true;
    QIcon FIcon;
    bool FIconVisible = false;
    QString FHint;
    bool FShowHint = true;
    TqvMenuPointer<TqvTrayPopupMenu> FPopupMenu;
    bool FPopupByLeftButton = false;
    bool FMinimizedOnStart = false;
    bool FMinimizeToTray = true;
    bool FClickStart = false, FClickReady = false;
    TTimer AnimateTimer;
    TTimer ClickTimer;
    bool IsDblClick = false;
    int FIconIndex = 0;
    QPointer<TCustomImageList> FIconList;
    bool FCycleIcons = false;
    int FAnimateTimerInterval = 1000;
    TqvNotifyIconData FIconData;
    bool FAdded = false;  // the area holds our icon
};
