// The skinned page control's layout and interaction: the skin "tab" record's
// item height and display area, centred or offset tabs (placed shifted, so a
// click hits the drawn tab), hot tabs, close buttons, a skinned up-down as
// the scroller of a single row, the wheel, and hiding the tabs or the border.
#pragma once

#include "platform/PageControl.h"
#include "skin/controls/base/SkinClient.h"
#include "skin/model/SkinData.h"

#include <QPointer>

class TqvSkinUpDown;

class TqvSkinTabSheet : public TTabSheet {
    Q_OBJECT
public:
    explicit TqvSkinTabSheet(QObject* AOwner = nullptr);
    // Tiled over the sheet instead of the skin background when not null.
    const QImage& WallPaper() const { return FWallPaper; }
    void SetWallPaper(const QImage& v);
    // The close button relative to the tab's top-left, screen orientation.
    TRect ButtonRect{};
    bool ButtonMouseIn = false;
    bool ButtonMouseDown = false;

protected:
    void Paint() override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QImage FWallPaper;
};

using TqvCloseEvent = std::function<void(QObject* Sender, bool& CanClose)>;
// Draws a tab's content instead of the control: page index, the tab picture's
// full rectangle (lying like a top tab), its state and the picture's canvas.
using TqvDrawSkinTabEvent =
    std::function<void(int TabIndex, const TRect& Rct, bool Active, bool MouseIn, TCanvas& Cnvs)>;

class TqvSkinPageControl : public TPageControl, public TqvSkinClient {
    Q_OBJECT
public:
    explicit TqvSkinPageControl(QObject* AOwner = nullptr);

    TqvSkinData* SkinData() const override { return FSD.data(); }
    void SetSkinData(TqvSkinData* Value);
    QString SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const QString& v) { FSkinDataName = v; }
    void ChangeSkinData() override;
    // The record's index, -1 = the plain look.
    int SkinIndex() const { return FIndex; }
    void GetSkinData();

    // Used at the next ChangeSkinData: without a record, or with UseSkinFont off.
    const TFont& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const TFont& v) { FDefaultFont.Assign(v); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int v);
    bool MouseWheelSupport() const { return FMouseWheelSupport; }
    void SetMouseWheelSupport(bool v) { FMouseWheelSupport = v; }
    bool TabsInCenter() const { return FTabsInCenter; }
    // Refused while TabWidth is 0; forces a single top row over the parent.
    void SetTabsInCenter(bool v);
    int TabsOffset() const { return FTabsOffset; }
    void SetTabsOffset(int v);
    bool TabsBGTransparent() const { return FTabsBGTransparent; }
    void SetTabsBGTransparent(bool v);
    bool ShowCloseButtons() const { return FShowCloseButtons; }
    void SetShowCloseButtons(bool v);
    bool FreeOnClose() const { return FFreeOnClose; }
    void SetFreeOnClose(bool v) { FFreeOnClose = v; }
    int CloseSize() const { return FCloseSize; }

    int GetTabsShift() const;
    int ImageRoom() const override;
    int TabThickness() const override;
    int HotTabIndex() const { return FActiveTabIndex; }
    // The close button of visible tab i in control coordinates.
    TRect CloseButtonArea(int i) const;
    TqvSkinUpDown* Scroller() const { return FScroller; }
    int GetHiddenTabCount() const;
    int GetScrolledTabCount() const;
    void UpdateScroller();

    void HideTabs();
    void ShowTabs();
    void HideBorderAndTabs();
    void ShowBorderAndTabs();
    bool TabsHidden() const { return FHideTabs; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TqvCloseEvent OnClose;
    TNotifyEvent OnAfterClose;
    TqvDrawSkinTabEvent OnDrawSkinTab;

    // The selected tab grown towards its page by the active look's extra height.
    TRect GetActiveTabRect() const;
    // Picks the skin client piece (or background picture) for the sheets.
    QImage BackgroundPiece() const;
    bool StretchedSkin() const;

protected:
    void Paint() override;
    void AdjustDisplayRect(TRect& R) const override;
    void AdjustTabRect(int i, TRect& R) const override;
    void TabsChanged() override;
    void Change() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    const TqvDataSkinTabControl* TabRecord() const;
    void DrawSkinBorder(QImage& B);
    void DrawTabs(QImage& B);
    void DrawTab(QImage& B, int i, const TRect& R, bool Active, bool MouseIn);
    void DrawCloseButton(QImage& T, int left, int mid, TqvSkinTabSheet* sheet);
    void UpdateHotTab(int X, int Y);
    void ClosePage(TqvSkinTabSheet* sheet);
    void FreeScroller();
    TqvSkinTabSheet* SheetOfTab(int i) const;

    QPointer<TqvSkinData> FSD;
    QString FSkinDataName = QStringLiteral("tab");
    int FIndex = -1;
    TFont FDefaultFont{QStringLiteral("Arial"), 14};
    bool FUseSkinFont = true;
    int FDefaultItemHeight = 20;
    bool FMouseWheelSupport = false;
    bool FTabsInCenter = false;
    int FTabsOffset = 0;
    bool FTabsBGTransparent = false;
    bool FShowCloseButtons = false;
    bool FFreeOnClose = false;
    int FCloseSize = 14;
    int FActiveTabIndex = -1;
    QPointer<TqvSkinTabSheet> FPressedClose;
    TqvSkinUpDown* FScroller = nullptr;
    bool FHideTabs = false, FHideBorder = false;
    int FOldTabHeight = -1;
    TTabPosition FOldTabPosition = tpTop;
    bool FOldMultiLine = false;
    bool FInScroller = false;
};
