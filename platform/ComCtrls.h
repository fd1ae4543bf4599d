// Track bars, progress bars and the list view.
#pragma once

#include "platform/Classes.h"
#include "platform/Control.h"
#include "platform/ExtCtrls.h"
#include "platform/ImgList.h"

#include <QPointer>

#include <memory>
#include <vector>

class QAbstractItemModel;
class QAbstractItemView;
class QHeaderView;
class QItemSelection;
class QListView;
class QModelIndex;
class QProgressBar;
class QSlider;
class QTableView;

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
    Q_OBJECT
public:
    explicit TTrackBar(QObject* AOwner = nullptr);

    int Min() const;
    void SetMin(int v);
    int Max() const;
    void SetMax(int v);
    int Position() const;
    // Clamped to Min..Max; OnChange runs on every change, from code or the user.
    void SetPosition(int v);
    TTrackBarOrientation Orientation() const;
    void SetOrientation(TTrackBarOrientation v);
    int Frequency() const;
    void SetFrequency(int v);
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle v);
    int PageSize() const;
    void SetPageSize(int v);
    int LineSize() const;
    void SetLineSize(int v);
    QSlider* Widget() const { return FSlider; }

    TNotifyEvent OnChange;

private:
    QSlider* FSlider;
    TTickStyle FTickStyle = tsAuto;
};

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
    Q_OBJECT
public:
    explicit TProgressBar(QObject* AOwner = nullptr);

    int Min() const;
    void SetMin(int v);
    int Max() const;
    void SetMax(int v);
    int Position() const;
    // Clamped to Min..Max.
    void SetPosition(int v);
    int Step() const { return FStep; }
    void SetStep(int v) { FStep = v; }
    // Position advances by Step (by delta); past Max it starts again at Min, as the system bar does.
    void StepIt() { StepBy(FStep); }
    void StepBy(int delta);
    TProgressBarOrientation Orientation() const;
    void SetOrientation(TProgressBarOrientation v);
    QProgressBar* Widget() const { return FBar; }

private:
    QProgressBar* FBar;
    int FStep = 10;
};

// ---- List view ----

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TCustomListView;
class TListItems;
class TListViewModel;

class TListColumn {
public:
    int Index() const;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    // Width 0 hides the column: it keeps its place and its text but shows nothing.
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);

private:
    friend class TListColumns;
    friend class TCustomListView;
    explicit TListColumn(TCustomListView* view) : FView(view) {}
    TCustomListView* FView;
    QString FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    int FImageIndex = -1;
};

class TListColumns {
public:
    int Count() const { return int(FItems.size()); }
    TListColumn* Items(int index) const;
    TListColumn* operator[](int index) const { return Items(index); }
    TListColumn* Add();
    void Delete(int index);
    void Clear();

private:
    friend class TCustomListView;
    friend class TListColumn;
    explicit TListColumns(TCustomListView* view) : FView(view) {}
    TCustomListView* FView;
    std::vector<std::unique_ptr<TListColumn>> FItems;
};

class TListItem;

// A row's texts after the caption; writing one text updates one cell.
class TListSubItems : public TStrings {
public:
    int Count() const override { return int(FStrings.size()); }
    QString Get(int index) const override;
    void Put(int index, const QString& s) override;
    void Insert(int index, const QString& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    friend class TListItem;
    explicit TListSubItems(TListItem* item) : FItem(item) {}
    void Changed(int first, int last);
    TListItem* FItem;
    QStringList FStrings;
};

class TListItem {
public:
    TListItems* Owner() const { return FOwner; }
    TCustomListView* ListView() const;
    int Index() const { return FIndex; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    TListSubItems& SubItems() { return FSubItems; }
    const TListSubItems& SubItems() const { return FSubItems; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    TObjectRef Data() const { return FData; }
    void SetData(TObjectRef v) { FData = v; }
    bool Selected() const;
    void SetSelected(bool v);
    bool Focused() const;
    void SetFocused(bool v);
    // The row's (report) or the item's rectangle in the view's client
    // coordinates; empty when it is not laid out.
    TRect DisplayRect() const;
    void MakeVisible();
    void Delete();

private:
    friend class TListItems;
    friend class TListSubItems;
    TListItem(TListItems* owner, int index) : FOwner(owner), FIndex(index), FSubItems(this) {}
    // A column's text changed (0 = caption).
    void CellChanged(int firstColumn, int lastColumn);

    TListItems* FOwner;
    int FIndex;
    QString FCaption;
    TListSubItems FSubItems;
    int FImageIndex = -1;
    TObjectRef FData = nullptr;
    // A row of owner data, filled on request and not kept.
    bool FFetched = false;
};

class TListItems {
public:
    TCustomListView* Owner() const { return FView; }
    int Count() const;
    // Owner data only: the number of rows asked for on demand.
    void SetCount(int v);
    TListItem* Add();
    TListItem* Insert(int index);
    // With owner data the item is filled for the call and valid until the next fetch.
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    void Delete(int index);
    void Clear();
    // Batches changes: the views repaint once at the end.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TCustomListView;
    friend class TListItem;
    friend class TListViewModel;
    explicit TListItems(TCustomListView* view);
    void Renumber(int from);

    TCustomListView* FView;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FOwnerDataCount = 0;
    std::unique_ptr<TListItem> FFetch;  // owner data: the row last fetched
    int FUpdateCount = 0;
};

using TLVSelectItemEvent = std::function<void(QObject* Sender, TListItem* Item, bool Selected)>;
using TLVOwnerDataEvent = std::function<void(QObject* Sender, TListItem* Item)>;
using TLVColumnClickEvent = std::function<void(QObject* Sender, TListColumn* Column)>;

// One item model shown by a table (report style) or a list view (list and
// icon styles). Native scroll bars and frame are off: the views keep their
// ranges, which skinned views read.
class TCustomListView : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomListView(QObject* AOwner = nullptr);
    ~TCustomListView() override;

    TListItems& Items() { return *FItems; }
    TListColumns& Columns() { return *FColumns; }

    TViewStyle ViewStyle() const { return FViewStyle; }
    virtual void SetViewStyle(TViewStyle v);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v);
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool v);
    bool OwnerData() const { return FOwnerData; }
    // Switching clears the items.
    void SetOwnerData(bool v);
    TCustomImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* v);
    TCustomImageList* LargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList* v);

    // The first selected item (nullptr: none); setting selects only it.
    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    int ItemIndex() const;
    void SetItemIndex(int v);
    int SelCount() const;
    void ClearSelection();
    TListItem* ItemFocused() const;
    // Report style: the rows a page shows in full (at least 1).
    int VisibleRowCount() const;
    TListItem* TopItem() const;
    TListItem* GetItemAt(int x, int y) const;

    // The views; only the one of the current style is shown.
    QTableView* ReportView() const { return FTable; }
    QListView* IconView() const { return FList; }
    QAbstractItemView* ActiveView() const;
    QHeaderView* Header() const;
    // Puts a header of one's own on the report view, keeping the columns.
    void SetHeaderView(QHeaderView* header);
    QAbstractItemModel* Model() const;
    // Lays the views out now instead of on their next turn of the event loop,
    // so ranges and rectangles are current.
    void LayOutViews();
    // Owner data: rows first..last show new data.
    void UpdateItems(int first, int last);

    TLVSelectItemEvent OnSelectItem;
    TLVOwnerDataEvent OnData;
    TLVColumnClickEvent OnColumnClick;

protected:
    // Owner data: fills Item (its Index is set) for display; runs OnData.
    virtual void OwnerDataFetch(TListItem* Item);
    // After an item's texts or image changed (not for owner data).
    virtual void Change(TListItem* Item) { (void)Item; }
    void ColorChanged() override;
    void FontChanged() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    friend class TListItems;
    friend class TListItem;
    friend class TListSubItems;
    friend class TListColumns;
    friend class TListColumn;
    friend class TListViewModel;
    void ColumnsChanged();
    void ApplyColumn(int index);
    void ApplyStyle();
    void ApplyPalette();
    void ApplyRowHeight();
    void SelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    QModelIndex RowIndex(int row) const;
    void RemoveRows(int first, int last, const std::function<void()>& erase);

    std::unique_ptr<TListItems> FItems;
    std::unique_ptr<TListColumns> FColumns;
    TListViewModel* FModel;
    QTableView* FTable;
    QListView* FList;
    TViewStyle FViewStyle = vsIcon;
    bool FRowSelect = false;
    bool FGridLines = false;
    bool FReadOnly = false;
    bool FMultiSelect = false;
    bool FShowColumnHeaders = true;
    bool FOwnerData = false;
    QPointer<TCustomImageList> FSmallImages;
    QPointer<TCustomImageList> FLargeImages;
    bool FPressed = false;
    bool FRemoving = false;  // rows going away raise no OnSelectItem
};

class TListView : public TCustomListView {
    Q_OBJECT
public:
    using TCustomListView::TCustomListView;
};
