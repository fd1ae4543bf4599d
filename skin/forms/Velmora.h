// The skinned-form component: placed on a form (its owner), it paints the
// form's frame from the skin model (or a built-in skinless frame), shapes the
// window, runs its own window states, moves and resizes the frameless window,
// and hands every skin change on to the skinned controls of the form.
#pragma once

#include "platform/Component.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "skin/controls/base/SkinTimer.h"
#include "skin/controls/menus/SkinMenuServices.h"
#include "skin/forms/frame/FrameGeometry.h"
#include "skin/forms/frame/FramePaint.h"
#include "skin/forms/frame/FrameStates.h"
#include "skin/forms/objects/CaptionObject.h"
#include "skin/forms/layered/ClientInActivePanel.h"
#include "skin/forms/objects/FrameObject.h"
#include "skin/forms/objects/ObjectList.h"
#include "skin/model/SkinData.h"

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

class TqvSkinStatusBar;
class TqvSkinMenu;
class TqvSkinPopupMenu;
class TqvMenuBarLink;
class TMenu;
class TPopupMenu;
class TMenuItem;
class TqvSkinHint;
class TqvLayerManager;
class TImageList;
class TqvFormLayerBorder;
class TqvTrayIcon;
class TqvTrayPopupMenu;
class TWindowHook;

// The frame's own buttons: the platform's icons plus roll-up and minimize-to-tray.
constexpr unsigned biRollUp = 16, biMinimizeToTray = 32;

// Asked before an MDI child gets a tab on the frame's tabs bar.
using TqvOnAcceptToMDITabsBar = std::function<void(bool& Accept)>;
// Sent to every child when the frame's client changes: a maximized child fills it again.
constexpr unsigned WM_SKIN_MDI_CHILD_FILL = 1230;
// Sent by a skinned child to the application's main form when it is maximized / when it may no
// longer be (restored, minimized, hidden or freed): the frame's caption and menu bar follow.
constexpr unsigned WM_SKIN_MDI_CHILD_MAXIMIZED = 1231, WM_SKIN_MDI_CHILD_RESTORED = 1232;
using TqvBorderIcons = unsigned;

// The class library's error for an owner of the wrong class.
class EInvalidCast : public std::runtime_error {
public:
    EInvalidCast() : std::runtime_error("Invalid class typecast") {}
};

class TqvVelmora : public TComponent, public TFormFrameHost {
    Q_OBJECT
public:
    // The owner must be a form (EInvalidCast otherwise).
    explicit TqvVelmora(QObject* AOwner);
    ~TqvVelmora() override;
    static QString GetProductVersion() { return QStringLiteral("7.81"); }
    TForm* Form() const { return FForm; }

    // ---- skin
    TqvSkinData* SkinData() const { return FSD; }
    void SetSkinData(TqvSkinData* Value);
    TqvSkinData* MenusSkinData() const { return FMSD; }
    void SetMenusSkinData(TqvSkinData* Value) { FMSD = Value; }
    bool SkinSupport() const { return FSkinSupport; }
    bool GetSkinnableForm() const { return FSkinnableForm; }
    void SetSkinnableForm(bool Value);
    bool UseRibbon() const { return FUseRibbon; }
    void SetUseRibbon(bool Value);
    // Applies the skin to the form: frame, objects, limits, region, client size.
    void ChangeSkinData();
    // Normal and stay-on-top only; the skinned controls are re-skinned after.
    void SetFormStyle(TFormStyle Value);
    void SetFormBorderStyle(TBorderStyle Value);

    // ---- frame
    const TqvFrameGeometry& Geometry() const { return FGeometry; }
    const TqvMaskPieces& MaskPieces() const { return FMaskPieces; }
    // Recomputes the geometry for the form's size (objects too when asked), the region and the client margins.
    void UpdateFrame(bool UpdateObjects);
    bool HasRegion() const { return FHasRegion; }
    const QRegion& Region() const { return FRegion; }
    // The frame is drawn: the form has a border.
    bool FrameVisible() const;
    // Window coordinates; the platform's hit-test numbers.
    int HitTest(TPoint P) const;
    // The skinless caption text rectangle.
    TRect DefCaptionRect() const { return FDefCaptionRect; }
    bool ToolWindow() const;
    bool GetFormActive() const;
    // The frame as the paint event draws it (the client part left white).
    QImage BuildFrameImage(bool Active) const;
    // The client background as the client widget paints it.
    QImage BuildClientImage() const;

    // ---- frame objects (built from the skin's object records, or the skinless default buttons)
    TqvFrameObjects ObjectList;
    int ActiveObject = -1, OldActiveObject = -1, MouseCaptureObject = -1;
    void ClearObjects();
    void CreateObjects();
    void CheckObjects();
    void CreateDefaultButtons();
    void CalcObjectRects();
    // Finds the object under (X, Y) (window coordinates; -1, -1 for none) and moves the hover.
    void TestActive(int X, int Y, bool Enter);
    // Redraws one object's rectangle (the frame pieces stay composed).
    void DrawSkinObject(const TqvActiveSkinObject& Object);

    // ---- frame objects: lookups, tracking, timers and events (objects/ObjectList.cpp)
    int GetIndex(const QString& AIDName) const;
    void UserObjectDraw(const QString& AIDName);
    void SetEnabled(const QString& AIDName, bool Value);
    void LinkMenu(const QString& AIDName, TMenu* AMenu, bool APopupUp);
    void SetObjectHints();
    void ObjectMouseMove(int X, int Y);
    void ObjectMouseDown(Qt::MouseButton Button, int X, int Y);
    void ObjectMouseUp(Qt::MouseButton Button, int X, int Y);
    void ObjectDblClick();
    void ResetObjectStates();
    void UpdateActiveState(bool Animate);
    void MouseTimerProc();
    void MorphTimerProc();
    void AnimateTimerProc();
    void StartMouseTimer();
    void StartMorphTimer();
    void StartAnimateTimer();
    TqvSkinTimer MouseTimer, MorphTimer, AnimateTimer;
    void DoUserObjectPaint(const QString& IDName, QPainter& Canvas, const TRect& R);
    void DoObjectMouseDown(const QString& IDName, int X, int Y, const TRect& R, Qt::MouseButton Button);
    void DoObjectMouseUp(const QString& IDName, int X, int Y, const TRect& R, Qt::MouseButton Button);
    void DoObjectMouseMove(const QString& IDName, int X, int Y, const TRect& R);
    void DoObjectMouseEnter(const QString& IDName);
    void DoObjectMouseLeave(const QString& IDName);
    TqvPaintEvent OnPaintEvent;
    TqvMouseDownEvent OnMouseDownEvent;
    TqvMouseUpEvent OnMouseUpEvent;
    TqvMouseMoveEvent OnMouseMoveEvent;
    TqvMouseEnterEvent OnMouseEnterEvent;
    TqvMouseLeaveEvent OnMouseLeaveEvent;
    TqvActivateCustomObjectEvent OnActivateCustomObject;
    TNotifyEvent OnActivate, OnDeActivate;
    bool ShowObjectHint = false;
    bool UseDefaultObjectHint = true;
    QPointer<TqvSkinHint> SkinHint;
    TqvQuickButtonItems QuickButtons{[this] {
        if (FForm) InvalidateFrame();
    }};
    QPointer<TImageList> QuickImageList;
    bool QuickButtonsShowHint = false;
    // The skinned menus that linked buttons and the system-menu button open.
    TqvFrameMenuLink* MenuLink() const { return FMenuLink; }
    void SetMenuLink(TqvFrameMenuLink* Link) { FMenuLink = Link; }
    bool OpenLinkedMenu(TMenuItem* Item, const TRect& ScreenRect, bool PopupUp);
    // The menus closed: the object that opened one is released.
    void ReleaseMenuObjects();
    bool UseInActiveImageEffect() const;
    // Glow windows of the caption buttons and of buttons with a linked menu.
    TqvLayerManager* LayerManager();
    TqvLayerManager* MenuLayerManager();
    // The form's window origin on the screen.
    QPoint WindowOrigin() const;
    // A screen point in the form's window coordinates (frame included).
    TPoint PointToWindow(TPoint P) const;

    // ---- window states
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool Value);
    bool MaxRollUpState() const { return FMaxRollUpState; }
    int GetRealHeight() const;
    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    bool CanResizeForm() const;
    // The monitor's work area (or whole monitor) of the form; tests may set their own.
    QRect WorkArea() const;
    QRect MonitorRect() const;
    void SetScreenAreasForTests(const QRect& Monitor, const QRect& Work, const QRect& Primary);
    QPoint GetPositionInMonitor(int AX, int AY, int AW, int AH) const;
    void ApplyPositionInMonitor();
    bool MinimizeDefault() const { return FMinimizeDefault; }
    void SetMinimizeDefault(bool v) { FMinimizeDefault = v; }
    QRect OldBoundsRect() const { return FOldBoundsRect; }
    // Keeps the form's min/max sizes in step with the limits.
    void ApplySizeLimits();

    // Window commands (system menu items and caption buttons).
    void MaxItemClick();
    void MinItemClick();
    void RestoreItemClick();
    void RollUpItemClick();
    void CloseItemClick();
    void MinToTrayItemClick();
    // The caption icon: the form's, else the application's, else a built-in one, at the small-icon size.
    QIcon CaptionIcon() const;
    static QSize GetSmallIconSize() { return QSize(16, 16); }
    void DrawCaptionIcon(QPainter& p, int X, int Y) const;
    // Caption double-click rule.
    void CaptionDblClick();
    // ---- menus (VelmoraMenus.cpp)
    // The form's menu manager: every skinned drop-down of the form opens through it.
    TqvSkinMenu* SkinMenu() const { return FSkinMenu; }
    // Opens Menu's items at a screen point / beside a screen rect with the menus' skin.
    void PopupSkinMenu(TMenu* Menu, QPoint P);
    void PopupSkinMenu1(TMenu* Menu, const TRect& R, bool PopupUp);
    // Menu's OnPopup first (sender: this component), then at (X, Y) with the form's skin.
    void DoPopupMenu(TPopupMenu* Menu, int X, int Y);
    // Before a menu of this form opens / after it closed: the keyboard hook and the menu state.
    void SkinMenuOpen();
    void SkinMenuClose();
    // The items the system menu shows now (rebuilt for the window state).
    TMenuItem* GetSystemMenu();
    // The system menu at a screen point, beside a screen rect, beside the system-menu button.
    void PopupSystemMenuAt(QPoint Global);
    void PopupSystemMenuBeside(const TRect& R);
    void PopupSystemMenuFromButton();
    // Leave the menu bar; Escape closed the bar's last open level.
    void SkinMainMenuClose();
    void MainMenuPopupClose();
    // A key (Qt key value) for the open menus.
    void MenuKeyDown(int Key);
    // The menu-closing step for an event on the form or, while a menu is open, on one of its children.
    void CheckMenuCloseMessage(QEvent* e);
    // An MDI frame's visible, enabled combo boxes and edits get CM_CANCELMODE (no sender).
    void CancelDroppedControls();
    // The form's shortcut handling (TForm::OnShortCut): one call per key stroke.
    void FormShortCut(int Key, Qt::KeyboardModifiers Shift, bool& Handled);
    // The window's menu key (Alt alone, F10): closes an open menu and enters or leaves the bar.
    void SysKeyMenu();
    // The component's own tray menu (Restore, Close).
    TqvSkinPopupMenu* SysTrayMenu() const { return FSysTrayMenu; }
    // Restores the form from the tray; closes it (the tray menu's commands).
    void TrayIconDblClick();
    void TrayCloseItemClick();
    TqvMenuBarLink* MainMenuBar() const;
    void SetMainMenuBar(TqvMenuBarLink* Bar);
    // The application hook is in place.
    bool AppHooked() const { return FAppHook != nullptr; }
    void HookApp();
    void UnHookApp();

    // The menu manager's settings (negative counts and heights not above 0 are ignored).
    int MaxMenuItemsInWindow() const;
    void SetMaxMenuItemsInWindow(int Value);
    bool UseSkinFontInMenu() const;
    void SetUseSkinFontInMenu(bool Value);
    int DefMenuItemHeight() const;
    void SetDefMenuItemHeight(int Value);
    TFont DefMenuItemFont() const;
    void SetDefMenuItemFont(const TFont& Value);
    bool MenusAlphaBlend() const { return FMenusAlphaBlend; }
    void SetMenusAlphaBlend(bool Value);
    bool MenusAlphaBlendAnimation() const { return FMenusAlphaBlendAnimation; }
    void SetMenusAlphaBlendAnimation(bool Value);
    int MenusAlphaBlendValue() const { return FMenusAlphaBlendValue; }
    void SetMenusAlphaBlendValue(int Value);
    // A user system menu; with UseDefaultSysMenu the window commands are merged into it.
    QPointer<TPopupMenu> SystemMenu;
    bool UseDefaultSysMenu = true;
    // A skinned menu of this form is open / the menu bar is active.
    bool InMenu = false;
    bool InMainMenu = false;
    TNotifyEvent OnSkinMenuOpen, OnSkinMenuClose, OnMainMenuExit;
    // The menu bar entered menu mode (sender: the bar).
    TNotifyEvent OnMainMenuEnter;
    // Runs before the component's own shortcut handling; Handled stops it.
    std::function<void(int Key, Qt::KeyboardModifiers Shift, bool& Handled)> OnShortCut;

    // ---- properties
    bool AlwaysResize = false;
    TqvPositionInMonitor PositionInMonitor = qvpDefault;
    // The form's own cursor over the frame (sizing edges keep their shapes);
    // off, the frame shows the arrow there.
    bool UseFormCursorInNCArea = false;
    int ClientWidth = 0, ClientHeight = 0;
    bool HideCaptionButtons = false;
    bool DisableSystemMenu = false;
    bool AlwaysMinimizeToTray = false;
    bool MaximizeOnFullScreen = false;
    bool ShowIcon = false;
    void SetShowIcon(bool v);
    QImage LogoBitMap;
    bool LogoBitMapTransparent = false;
    void SetLogoBitMap(const QImage& Logo);
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool v);
    bool AlphaBlendAnimation = false;
    int AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(int v);
    TFont DefCaptionFont, DefInActiveCaptionFont;
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    void SetSizeLimits(int AMinWidth, int AMinHeight, int AMaxWidth, int AMaxHeight);
    bool Magnetic = false;
    int MagneticSize = 5;
    TqvBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TqvBorderIcons v);
    TqvSkinStatusBar* StatusBar() const;
    void SetStatusBar(TqvSkinStatusBar* Value);
    // The form counts as always active; no system move or resize.
    bool PreviewMode = false;
    bool AlwaysDisableLayeredFrames = false;

    // ---- events
    TNotifyEvent OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData;
    TNotifyEvent OnMinimize, OnRestore, OnMaximize, OnChangeRollUpState;
    TqvCaptionPaintEvent OnCaptionPaint;

    // ---- MDI (skin/forms/mdi/MdiSupport.cpp)
    bool IsMDIForm() const;
    bool IsMDIChild() const;
    // The component of the application's main form, or nullptr.
    static TqvVelmora* MainFormComponent();
    // A child's own activation in its frame (embedded forms get no window activation).
    bool MDIChildActive() const { return FMDIChildActive; }
    // The caption the frame shows: a frame with a maximized child adds " - [child]".
    QString FormCaptionText() const;
    void AddChildToMenu(TForm* Child);
    void DeleteChildFromMenu(TForm* Child);
    void UpDateChildCaptionInMenu(TForm* Child);
    void UpDateChildActiveInMenu();
    void MDIItemClick(QObject* Sender);
    void AddChildToBar(TForm* Child);
    void DeleteChildFromBar(TForm* Child);
    void RefreshMDIBarTab(TForm* Child);
    // On the frame's component; nothing unless its form is an MDI frame.
    void Tile();
    void Cascade();
    void MinimizeAll();
    void MaximizeAll();
    void RestoreAll();
    void CloseAll();
    void UpdateMDIChildren();
    void ArrangeMinimizedChildren();
    // The main form's client rectangle its aligned controls leave (unchanged without a main form).
    void GetMDIClientRect(TRect& R) const;
    TqvOnAcceptToMDITabsBar OnAcceptToMDITabsBar;
    // The frame's tabs bar (any control with the bar's AddTab/DeleteTab/...); see TqvSkinMDITabsBar.
    QObject* MDITabsBar() const { return FMDITabsBar; }
    void SetMDITabsBar(QObject* v) { FMDITabsBar = v; }

    // The current fade alpha (255 when none runs).
    int FadeAlpha() const { return FFadeAlpha; }

    // ---- layered border and the inactive-client veil
    // The skin's layered frame may show round this form now (needs a compositor).
    bool CanShowLayeredBorder() const;
    TqvFormLayerBorder* BorderLayer() const { return FBorderLayer.get(); }
    // The border's bands are resizing the form.
    bool BorderLayerChangeSize() const { return FBorderLayerChangeSize; }
    void SetBorderLayerChangeSize(bool v) { FBorderLayerChangeSize = v; }
    bool ClientInActiveEffect = false;
    TqvClientInActiveEffect ClientInActiveEffectType = qvieSemiTransparent;
    void ShowClientInActiveEffect();
    void HideClientInActiveEffect();
    TqvClientInActivePanel* ClientInActivePanel() const { return FClientInActivePanel; }

    // ---- tray
    TqvTrayIcon* TrayIcon() const;
    void SetTrayIcon(TqvTrayIcon* Value);
    bool AlwaysShowInTray = false;
    void MinimizeToTray();
    void RestoreFromTray();
    // The form's tray menu ("TRAY_QVF_RESTORE", "TRAY_QVF_CLOSE"), given by the
    // skinned menus; SetTrayIcon hands it to an icon without a menu.
    TqvTrayPopupMenu* TrayMenu() const;
    void SetTrayMenu(TqvTrayPopupMenu* Value);
    TNotifyEvent OnMinimizeToTray, OnRestoreFromTray;

    // TFormFrameHost
    bool FrameEventBefore(QEvent* e) override;
    void FrameEventAfter(QEvent* e) override;
    bool PaintClientBackground(QPainter& p, const QRect& r) override;
    void FrameResized() override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool MessageBefore(TMessage& m);
    void PaintFrame(QPainter& p);
    void PaintFrameInto(QImage& target);
    void UpdateClientMargins();
    void UpdateFormRegion(bool AllParts);
    void ApplyFormBorderIcons();
    TqvSizeLimitInput LimitInput() const;
    TqvHitTestState HitState() const;
    std::optional<QSize> SmallIconSize() const;
    void InvalidateFrame();
    void SetFormBounds(const QRect& r);

    void DoMinimize();
    void DoMaximize();
    void DoNormal();

    // Frame mouse.
    bool FrameMouse(QMouseEvent* e, bool fromForm);
    void StartDrag(int code, QPoint global, bool fromForm);
    void DragTo(QPoint global);
    void EndDrag();
    void UpdateCursor(int code);
    void RestoreFormCursor();

    void StartFade();
    void FadeStep();

    void CreateMenus();
    void CreateSystemMenu();
    void MergeSystemMenuItems();
    void CreateTrayMenu();
    bool CanRollUpFromMenu() const;
    // Ctrl+F4 closes an MDI child, Alt+F4 any other form.
    int CloseShortCut() const;
    TqvSkinData* MenuSkin() const;
    bool CheckMenuBarHotKey(int Key);
    bool CanMoveToNextMenuBarItem() const;
    bool CanMoveToPrevMenuBarItem() const;
    bool OpenMenuBarItem();
    bool AppMessage(QObject* watched, QEvent* e);
    // MDI.
    void HookMDIClient();
    bool MDIMessage(TMessage& m);
    void MDIShowChanged(bool Shown);
    void MDIChildCaptionChanged();
    void InvalidateMainCaption();
    // A child tells the main form that it is maximized (1231) or may no longer be (1232).
    void TellMainMaximized(bool Maximized);
    // The main form's menu bar follows a change of the active child.
    void UpdateMainMenuBarItems();
    bool FMDIChildActive = false;
    QPointer<TWindowHook> FMDIClientHook;
    QPointer<QObject> FMDITabsBar;

    TForm* FForm = nullptr;
    QPointer<TqvSkinData> FSD, FMSD;
    QPointer<TqvSkinStatusBar> FStatusBar;
    bool FSkinnableForm = true, FSkinSupport = false, FUseRibbon = false;
    bool FStopPainting = false, FInChangeSkinData = false, FSmartEffectsShow = false;
    bool FSizeMove = false;
    TqvBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize | biRollUp;
    TqvFrameGeometry FGeometry;
    TqvMaskPieces FMaskPieces;
    QRegion FRegion;
    bool FHasRegion = false;
    TRect FDefCaptionRect{};

    // Frame pieces composed for (size, skin, activity); objects are drawn on copies.
    struct TPieceCache {
        QSize Size;
        int Generation = -1;
        bool Active = false;
        TqvFramePieces Raw;
    };
    mutable TPieceCache FPieceCache;
    struct TClientCache {
        QSize Client, Form;
        int Generation = -1;
        qint64 Logo = 0;
        QImage Image;
    };
    mutable TClientCache FClientCache;
    int FSkinGeneration = 0;

    // Window states.
    TWindowState FWindowState = wsNormal;
    bool FRollUpState = false, FMaxRollUpState = false, FRollUpBeforeMaximize = false;
    int OldHeight = 0;
    QRect FOldBoundsRect;
    bool FStartShow = true;
    bool FMinimizeDefault = false;
    bool FAreasForTests = false;
    QRect FTestMonitor, FTestWork, FTestPrimary;
    TqvMagnetState FMagnet;

    // Hand-made move and resize.
    struct TDrag {
        int Code = 0;  // 0: none
        bool Started = false;
        QPoint PressGlobal;
        QRect StartBounds;
    } FDrag;

    // The form's own cursor while a sizing shape is shown over the frame.
    bool FCursorOverridden = false;
    Qt::CursorShape FOverrideShape = Qt::ArrowCursor;
    std::optional<QCursor> FFormCursor;

    // Fade-in.
    bool FAlphaBlend = false;
    int FAlphaBlendValue = 200;
    int FFadeAlpha = 255, FFadeTarget = 255, FFadeStep = 17;
    std::uint32_t FFadeLastTick = 0;
    TqvSkinTimer FFadeTimer;

    // Menus.
    TqvSkinMenu* FSkinMenu = nullptr;
    TPopupMenu* FSysMenu = nullptr;
    TqvSkinPopupMenu* FSysTrayMenu = nullptr;
    QPointer<QObject> FAppHook;
    QPointer<QObject> FMainMenuBarObject;
    TqvMenuBarLink* FMainMenuBar = nullptr;
    bool FMenusAlphaBlend = false, FMenusAlphaBlendAnimation = false;
    int FMenusAlphaBlendValue = 200;
    // Frame objects.
    TqvFrameMenuLink* FMenuLink = nullptr;
    std::unique_ptr<TqvLayerManager> FLayerManager, FMenuLayerManager;
    // Layered border, veil and tray.
    void LayeredBorderEvent(QEvent* e);
    void ShowLayeredBorder(bool Active);
    std::unique_ptr<TqvFormLayerBorder> FBorderLayer;
    bool FBorderLayerChangeSize = false;
    QPointer<TqvClientInActivePanel> FClientInActivePanel;
    QPointer<QObject> FTrayIcon;
    TqvMenuPointer<TqvTrayPopupMenu> FTrayMenu;  // set by the program; else FSysTrayMenu
};

// The first skinned-form component among the form's components, or nullptr.
TqvVelmora* GetSkinFormComponent(const QObject* Form);
// The component of the application main form's first shown MDI child (in
// activation order) that is maximized, or nullptr.
TqvVelmora* GetMaximizedMDIChildSkinForm();
// The component of the application main form's active MDI child, or nullptr.
TqvVelmora* GetActiveMDIChildSkinForm();
