#include "skin/forms/tray/TrayIcon.h"

#include "platform/Form.h"
#include "platform/Sources.h"
#include "skin/model/SkinTypes.h"

#include <QApplication>
#include <QWindowStateChangeEvent>
#include <QPixmap>
#include <QTimer>

namespace {
TqvTrayBackendFactory gFactory;  // UI thread only

// Cut to at most N UTF-16 units without splitting a surrogate pair.
QString CutText(const QString& S, int N) {
    if (S.size() <= N) return S;
    int n = N;
    if (n > 0 && S.at(n - 1).isHighSurrogate()) --n;
    return S.left(n);
}

unsigned InfoFlagsOf(TqvBalloonHintIcon I) {
    switch (I) {
    case qvbitInfo: return NIIF_INFO;
    case qvbitWarning: return NIIF_WARNING;
    case qvbitError: return NIIF_ERROR;
    default: return NIIF_NONE;
    }
}

QIcon IconFromList(TCustomImageList* List, int Index) {
    const QImage img = List ? List->Image(Index) : QImage();
    return img.isNull() ? QIcon() : QIcon(QPixmap::fromImage(img));
}
}  // namespace

std::unique_ptr<TqvTrayBackend> CreateQtTrayBackend();

void SetTrayBackendFactory(TqvTrayBackendFactory Factory) { gFactory = std::move(Factory); }

std::unique_ptr<TqvTrayBackend> CreateTrayBackend() { return gFactory ? gFactory() : CreateQtTrayBackend(); }

TqvTrayIcon::TqvTrayIcon(QObject* AOwner) : TComponent(AOwner), FBackend(CreateTrayBackend()) {
    FIconVisible = true;
    AnimateTimer.SetEnabled(false);
    AnimateTimer.SetInterval(FAnimateTimerInterval);
    AnimateTimer.OnTimer = [this](QObject*) { CycleTimerTick(); };
    ClickTimer.SetEnabled(false);
    ClickTimer.SetInterval(QApplication::doubleClickInterval());
    ClickTimer.OnTimer = [this](QObject*) { ClickTimerTick(); };
    if (FBackend) {
        QPointer<TqvTrayIcon> self(this);
        FBackend->Callback = [self](unsigned Code) {
            if (self) SendMessage(self, WM_SKIN_TRAY_CALLBACK, 0, LPARAM(Code));
        };
    }
    if (FIcon.isNull() && UseApplicationIcon()) FIcon = Application()->Icon();
    // The application's minimize reaches us as the main form's state change.
    qApp->installEventFilter(this);
}

TqvTrayIcon::~TqvTrayIcon() {
    qApp->removeEventFilter(this);
    AnimateTimer.SetEnabled(false);
    ClickTimer.SetEnabled(false);
    HideIcon();
    if (FBackend) FBackend->Callback = nullptr;
}

TWinControl* TqvTrayIcon::OwnerControl() const { return dynamic_cast<TWinControl*>(Owner()); }

void TqvTrayIcon::Loaded() {
    TComponent::Loaded();
    if (OwnerControl() && FMinimizedOnStart) {
        FIconVisible = true;
        FMinimizeToTray = true;
        Application()->SetShowMainForm(false);
        if (TForm* main = Application()->MainForm()) main->Hide();
    }
    ModifyIcon();
    SetIconVisible(FIconVisible);
}

// ---- the icon

bool TqvTrayIcon::PrepareIconData() {
    FIconData.Icon = FIcon;
    FIconData.Tip = (!FHint.isEmpty() && FShowHint) ? CutText(FHint, 127) : QString();
    return true;
}

bool TqvTrayIcon::ShowIcon() {
    FIconVisible = true;
    if (!PrepareIconData() || !FBackend || !FBackend->Available()) return false;
    FAdded = FBackend->Notify(NIM_ADD, FIconData);
    return FAdded;
}

bool TqvTrayIcon::HideIcon() {
    FIconVisible = false;
    if (!PrepareIconData() || !FBackend || !FBackend->Available()) return false;
    FAdded = false;
    return FBackend->Notify(NIM_DELETE, FIconData);
}

bool TqvTrayIcon::ModifyIcon() {
    if (!PrepareIconData() || !FBackend || !FBackend->Available()) return false;
    return FBackend->Notify(NIM_MODIFY, FIconData);
}

void TqvTrayIcon::SetIconVisible(bool Value) {
    if (Value) ShowIcon();
    else HideIcon();
}

void TqvTrayIcon::SetIcon(const QIcon& Value) {
    FIcon = Value;
    ModifyIcon();
}

void TqvTrayIcon::SetHint(const QString& Value) {
    FHint = Value;
    ModifyIcon();
}

void TqvTrayIcon::SetShowHint(bool Value) {
    FShowHint = Value;
    ModifyIcon();
}

void TqvTrayIcon::SetIconList(TCustomImageList* Value) {
    FIconList = Value;
    SetIconIndex(0);
}

void TqvTrayIcon::SetIconIndex(int Value) {
    if (FIconList) {
        // Past the end: the last icon. A negative index would name no icon.
        FIconIndex = std::max(0, std::min(Value, FIconList->Count() - 1));
        if (FIconIndex < FIconList->Count()) FIcon = IconFromList(FIconList, FIconIndex);
    } else {
        FIconIndex = 0;
    }
    ModifyIcon();
}

void TqvTrayIcon::SetCycleIcons(bool Value) {
    FCycleIcons = Value;
    if (Value) SetIconIndex(0);
    AnimateTimer.SetEnabled(Value);
}

void TqvTrayIcon::SetAnimateTimerInterval(int Value) {
    FAnimateTimerInterval = Value;
    AnimateTimer.SetInterval(Value);
}

void TqvTrayIcon::CycleTimerTick() {
    if (!FIconList || FIconList->Count() == 0) return;
    const int count = FIconList->Count();
    FIconIndex = std::min(FIconIndex, count - 1);
    FIcon = IconFromList(FIconList, FIconIndex);
    const int next = FIconIndex < count - 1 ? FIconIndex + 1 : 0;
    DoCycle(next);
    ModifyIcon();
    FIconIndex = next;
}

// ---- mouse actions

void TqvTrayIcon::WndProc(TMessage& Message) {
    if (Message.Msg == WM_SKIN_TRAY_CALLBACK) {
        if (FEnabled && FBackend && FBackend->Available()) TrayCallback(unsigned(Message.LParam));
        Message.Result = 1;
        return;
    }
    TComponent::WndProc(Message);
}

void TqvTrayIcon::TrayCallback(unsigned Code) {
    const QPoint p = PointerSource().CursorPos();
    const Qt::KeyboardModifiers shift = QGuiApplication::queryKeyboardModifiers();
    switch (Code) {
    case TRAY_MOUSEMOVE: MouseMove(shift, p.x(), p.y()); break;
    case TRAY_LBUTTONDOWN:
        ClickTimer.SetEnabled(true);
        MouseDown(Qt::LeftButton, shift, p.x(), p.y());
        FClickStart = true;
        if (FPopupByLeftButton) PopupAtCursor();
        break;
    case TRAY_LBUTTONUP:
        if (FClickStart) {
            FClickReady = true;
            // Held longer than the double-click time: the click is due now.
            if (!ClickTimer.Enabled()) {
                FClickStart = false;
                FClickReady = false;
                Click();
            }
        }
        FClickStart = false;
        MouseUp(Qt::LeftButton, shift, p.x(), p.y());
        break;
    case TRAY_LBUTTONDBLCLK:
        FClickReady = false;
        IsDblClick = true;
        DblClick();
        if (TqvTrayPopupMenu* m = FPopupMenu.Get(); m && m->AutoPopup() && !FPopupByLeftButton) m->ClickDefaultItem();
        break;
    case TRAY_RBUTTONDOWN:
        MouseDown(Qt::RightButton, shift, p.x(), p.y());
        PopupAtCursor();
        break;
    case TRAY_RBUTTONUP: MouseUp(Qt::RightButton, shift, p.x(), p.y()); break;
    case TRAY_MBUTTONDOWN: MouseDown(Qt::MiddleButton, shift, p.x(), p.y()); break;
    case TRAY_MBUTTONUP: MouseUp(Qt::MiddleButton, shift, p.x(), p.y()); break;
    case TRAY_BALLOONUSERCLICK:
        if (OnBalloonHintClick) OnBalloonHintClick(this);
        break;
    default: break;
    }
}

void TqvTrayIcon::ClickTimerTick() {
    ClickTimer.SetEnabled(false);
    if (!IsDblClick && FClickReady) {
        FClickReady = false;
        Click();
    }
    IsDblClick = false;
}

void TqvTrayIcon::PopupAtCursor() {
    TqvTrayPopupMenu* m = FPopupMenu.Get();
    if (!m || !m->AutoPopup()) return;
    const QPoint p = PointerSource().CursorPos();
    if (TWinControl* o = OwnerControl(); o && o->isVisible()) o->window()->activateWindow();
    m->SetPopupComponent(this);
    m->Popup(p.x(), p.y());
}

void TqvTrayIcon::Click() {
    if (OnClick) OnClick(this);
}

void TqvTrayIcon::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TqvTrayIcon::DoCycle(int NextIndex) {
    if (OnCycle) OnCycle(this, NextIndex);
}

void TqvTrayIcon::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TqvTrayIcon::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TqvTrayIcon::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

// ---- the main form

bool TqvTrayIcon::eventFilter(QObject* Watched, QEvent* E) {
    if (E->type() != QEvent::WindowStateChange || !FMinimizeToTray) return false;
    TForm* main = Application()->MainForm();
    if (!main || Watched != main || !(main->windowState() & Qt::WindowMinimized)) return false;
    auto* change = static_cast<QWindowStateChangeEvent*>(E);
    if (change->oldState() & Qt::WindowMinimized) return false;
    // After the minimize has finished: showMinimized shows the window again
    // once the state has changed.
    QTimer::singleShot(0, this, [this] {
        TForm* f = Application()->MainForm();
        if (FMinimizeToTray && f && (f->windowState() & Qt::WindowMinimized))
            Application()->Guard([this] { DoMinimizeToTray(); });
    });
    return false;
}

void TqvTrayIcon::DoMinimizeToTray() {
    HideMainForm();
    SetIconVisible(true);
}

void TqvTrayIcon::ShowMainForm() {
    TForm* main = Application()->MainForm();
    if (!OwnerControl() || !main) return;
    if (main->WindowState() == wsMinimized) main->SetWindowState(wsNormal);
    main->Show();
    main->SetTag(kTrayMainFormTag);
    // The skinned-form component brings the form to the front and clears the tag.
    PostMessage(main, WM_SKIN_RESTORE_MAIN_FORM, 0, 0);
}

void TqvTrayIcon::HideMainForm() {
    TForm* main = Application()->MainForm();
    if (!OwnerControl() || !main) return;
    main->Hide();
    main->SetTag(kTrayMainFormTag);
}

// ---- balloons

bool TqvTrayIcon::ShowBalloonHint(const QString& Title, const QString& Text, TqvBalloonHintIcon IconType) {
    HideBalloonHint();
    FIconData.Flags |= NIF_INFO;
    FIconData.Info = CutText(Text, 255);
    FIconData.InfoTitle = CutText(Title, 63);
    FIconData.InfoFlags = InfoFlagsOf(IconType);
    const bool r = ModifyIcon();
    FIconData.Flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    return r;
}

bool TqvTrayIcon::HideBalloonHint() {
    FIconData.Flags |= NIF_INFO;
    FIconData.Info.clear();
    const bool r = ModifyIcon();
    FIconData.Flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    return r;
}

bool TqvTrayIcon::BitmapToIcon(const TBitmap& Bitmap, QIcon& AIcon, TColor MaskColor) {
    TImageList list;
    list.SetSize(16, 16);
    if (Bitmap.Empty()) return false;
    list.AddMasked(Bitmap.Image(), MaskColor);
    const QImage img = list.Image(0);
    if (img.isNull()) return false;
    AIcon = QIcon(QPixmap::fromImage(img));
    return true;
}
