// The MDI frame's tabs bar: one tab per shown child of the main form. A
// click shows the child, tabs are dragged into another order, a close
// button closes the child and a right click opens its system menu.
#pragma once

#include "platform/Form.h"
#include "skin/controls/base/SkinControl.h"
#include "skin/forms/mdi/MdiTabsFeed.h"
#include "skin/forms/mdi/MdiTabsLayout.h"
#include "skin/controls/buttons/SkinMenuSpeedButton.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class TqvVelmora;
class TqvSkinMDITabsBar;
class TqvSkinPopupMenu;
class TqvDataSkinTabControl;
class TqvDataSkinButtonControl;

enum TqvSkinMDITabKind { qvtkTab, qvtkButton };

class TqvMDITab {
public:
    TqvMDITab(TqvSkinMDITabsBar* AParentBar, TForm* AChild) : TabsBar(AParentBar), Child(AChild) {}
    TqvSkinMDITabsBar* TabsBar;
    bool Active = false;
    bool MouseIn = false;
    TRect ObjectRect{};
    QPointer<TForm> Child;
    bool Visible = false;
    TRect ButtonRect{};  // the close button, relative to the tab
    bool ButtonMouseIn = false, ButtonMouseDown = false;
};

using TqvMDITabEvent = std::function<void(TqvMDITab* MDITab)>;
using TqvMDITabMouseEvent =
    std::function<void(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, TqvMDITab* MDITab)>;
using TqvMDITabGetDrawParamsEvent = std::function<void(TqvMDITab* MDITab, TCanvas& Cnvs)>;

class TqvSkinMDITabsBar : public TqvSkinControl, public TqvMDITabsFeed {
    Q_OBJECT
public:
    explicit TqvSkinMDITabsBar(QObject* AOwner = nullptr);
    ~TqvSkinMDITabsBar() override;

    // TqvMDITabsFeed
    void AddTab(TForm* Child) override;
    void DeleteTab(TForm* Child) override;
    void RefreshTab(TForm* Child) override;
    void UpdateActiveTab() override;

    int TabCount() const { return int(ObjectList.size()); }
    TqvMDITab* Tab(int Index) const;
    // The first visible tab whose rectangle holds the point, edges included; -1 none.
    int GetTabIndex(int X, int Y) const;
    TqvMDITab* GetTab(int X, int Y) const;
    int GetCloseSize() const;
    // The tab places at the current size (and drag).
    TqvTabsLayout CalcTabRects();
    int InVisibleCount() const { return FInVisibleCount; }
    // The list buttons: every tab (left, while there are tabs) and the tabs
    // that do not fit (right, while some do not); nullptr when absent. Their
    // menus are filled afresh each time they open.
    TqvSkinMenuSpeedButton* ListButton() const { return FListButton; }
    TqvSkinMenuSpeedButton* HideListButton() const { return FHideListButton; }
    TqvSkinPopupMenu* ListMenu() const { return FListMenu; }
    TqvSkinPopupMenu* HideListMenu() const { return FHideListMenu; }
    int DragIndex() const { return FDragIndex; }
    // How much taller the active tab's picture is than the others'.
    int ActiveTabOffset() const { return FActiveTabOffset; }

    bool ShowCloseButtons() const { return FShowCloseButtons; }
    void SetShowCloseButtons(bool v) { FShowCloseButtons = v; update(); }
    TqvSkinMDITabKind TabKind() const { return FTabKind; }
    void SetTabKind(TqvSkinMDITabKind v);
    TqvVelmora* Velmora() const { return FVelmora; }
    // Also the component whose menu manager shows the list menus.
    void SetVelmora(TqvVelmora* v);
    bool SupportChildMenus = true;
    bool UseSkinSize = true;
    bool UseSkinFont = true;
    bool MoveTabs = true;
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int v);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& f) { FDefaultFont.Assign(f); update(); }
    int DefaultTabWidth = 100;
    int MinTabWidth = 0;

    TqvMDITabEvent OnTabMouseEnter, OnTabMouseLeave;
    TqvMDITabMouseEvent OnTabMouseDown, OnTabMouseUp;
    TqvMDITabGetDrawParamsEvent OnTabGetDrawParamsEvent;

    void ChangeSkinData() override;

protected:
    void CreateControlDefaultImage(QImage& B) override;
    void CreateControlSkinImage(QImage& B) override;
    void AdjustClientRect(TRect& rect) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void MouseLeave() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    const TqvDataSkinTabControl* TabRecord() const;
    int RowHeight() const;
    void DrawTabs(QImage& B);
    void DrawTab(QImage& B, TqvMDITab& T);
    void ButtonDraw(QImage& B, TqvMDITab& T);
    void ResizeDraw(QImage& B, TqvMDITab& T);
    const TqvDataSkinButtonControl* ButtonRecord(const QString& Name) const;
    void SetCaptionFont(TCanvas& C, TColor Color) const;
    void DrawCaption(TCanvas& C, TqvMDITab& T, const TRect& Text);
    void DrawCloseButton(TCanvas& C, TqvMDITab& T, const TRect& R);
    void DrawInsertionMark(QImage& B, int X);
    void TestActive(int X, int Y);
    void RedrawTab(TqvMDITab&) { update(); }
    void ShowChild(TForm* Child);
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void MouseMove(int X, int Y);
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    TqvSkinMenuSpeedButton* NewListButton(TAlign Align, int ArrowKind, TqvSkinPopupMenu* Menu);
    // The hidden-tabs button comes and goes with the tabs that do not fit.
    void UpdateHideListButton();
    void FillListMenu(TqvSkinPopupMenu* Menu, bool HiddenOnly);
    void ListItemClick(QObject* Sender, const QString& Suffix);

    std::vector<std::unique_ptr<TqvMDITab>> ObjectList;
    int ActiveTabIndex = -1, OldTabIndex = -1;
    int FDragIndex = -1;
    bool IsDrag = false, FDown = false;
    int DX = 0, TabDX = 0;
    int FInVisibleCount = 0;
    int FCloseSize = 14;
    int FBottomOffset = 0;
    int FActiveTabOffset = 0;
    TqvTabsLayout FLayout;
    bool FShowCloseButtons = false;
    TqvSkinMDITabKind FTabKind = qvtkTab;
    QPointer<TqvVelmora> FVelmora;
    int FDefaultHeight = 21;
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    QPointer<TqvSkinMenuSpeedButton> FListButton, FHideListButton;
    TqvSkinPopupMenu* FListMenu = nullptr;
    TqvSkinPopupMenu* FHideListMenu = nullptr;
};
