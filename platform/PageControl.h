// The class library's page control, drawn and laid out by us (no QTabBar):
// a strip of tabs on one of four sides, one row scrolled from a first
// visible tab or several rows, over stacked sheets of which only the active
// one shows. Descendants move the display area and the tabs through
// AdjustDisplayRect and AdjustTabRect.
#pragma once

#include "platform/Control.h"
#include "platform/ImgList.h"

#include <QPointer>

#include <functional>

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

class TPageControl;

class TTabSheet : public TCustomControl {
    Q_OBJECT
public:
    explicit TTabSheet(QObject* AOwner = nullptr);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    // Also parents the sheet to the control (or takes it away).
    void SetPageControl(TPageControl* v);
    int PageIndex() const;
    void SetPageIndex(int v);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    // The tab's index among the visible tabs, -1 when hidden.
    int TabIndex() const;
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);

protected:
    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

using TTabChangingEvent = std::function<void(QObject* Sender, bool& AllowChange)>;

class TPageControl : public TCustomControl {
    Q_OBJECT
public:
    explicit TPageControl(QObject* AOwner = nullptr);
    ~TPageControl() override;

    int PageCount() const { return int(FPages.size()); }
    TTabSheet* Pages(int i) const { return i >= 0 && i < PageCount() ? FPages[i] : nullptr; }
    TTabSheet* ActivePage() const { return FActivePage; }
    // Selects from code: no OnChanging or OnChange.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
    void SetActivePageIndex(int i) { SetActivePage(Pages(i)); }
    // The active page's index among the visible tabs, -1 none.
    int TabIndex() const { return FActivePage ? FActivePage->TabIndex() : -1; }
    int VisibleTabCount() const;
    // The page of visible tab i.
    TTabSheet* VisiblePage(int i) const;
    // The next (or previous) page from Current, wrapping; with CheckTabVisible
    // only pages whose tab shows.
    TTabSheet* FindNextPage(TTabSheet* Current, bool GoForward, bool CheckTabVisible) const;

    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition v);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int v);
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int v);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool v);
    TCustomImageList* Images() const { return FImages.data(); }
    void SetImages(TCustomImageList* v);
    // First tab of a single row that shows at the start of the strip.
    int FirstVisibleTab() const { return FFirstVisible; }
    void SetFirstVisibleTab(int v);

    // Along the strip: TabWidth, else the caption plus the image room; across
    // it: TabHeight, else the font's height plus 6.
    int TabLength(int visibleIndex) const;
    virtual int TabThickness() const;
    // Room reserved in every tab beside the caption (the image list's width,
    // its height on the left and right).
    virtual int ImageRoom() const;
    // Tab rectangle of visible tab i in control coordinates.
    TRect TabRect(int i) const;
    // The visible tab at (X, Y), -1 none.
    int IndexOfTabAt(int X, int Y) const;
    int RowCount() const;
    // The page area.
    TRect DisplayRect() const;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    // The display rectangle as laid out; descendants move its edges.
    virtual void AdjustDisplayRect(TRect& R) const { (void)R; }
    // Tab rectangle i as laid out; descendants shift it.
    virtual void AdjustTabRect(int i, TRect& R) const { (void)i, (void)R; }
    // A selection by the user: OnChanging may refuse it; OnChange after.
    bool SelectByUser(TTabSheet* page);
    virtual bool CanChange();
    virtual void Change();
    void Paint() override;
    void mousePressEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Shows the active sheet over the display rectangle and hides the rest.
    void UpdateSheets();
    virtual void TabsChanged();

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    // Lays the tabs out: (start, row) of each visible tab along and across the strip.
    struct TSlot {
        int Start, Length, Row;
    };
    std::vector<TSlot> Slots() const;

    QList<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    TTabPosition FTabPosition = tpTop;
    int FTabWidth = 0, FTabHeight = 0;
    bool FMultiLine = false;
    QPointer<TCustomImageList> FImages;
    int FFirstVisible = 0;
};
