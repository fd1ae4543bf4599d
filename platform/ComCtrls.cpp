#include "platform/ComCtrls.h"

#include "platform/Application.h"
#include "platform/ImgList.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QListView>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScrollBar>
#include <QSlider>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>

#include <set>

// ---- TTrackBar ----

TTrackBar::TTrackBar(QObject* AOwner) : TWinControl(AOwner), FSlider(new QSlider(Qt::Horizontal, this)) {
    SetInner(FSlider);
    SetTabStop(true);
    SetBounds(0, 0, 150, 45);
    FSlider->setRange(0, 10);
    FSlider->setPageStep(2);
    FSlider->setSingleStep(1);
    FSlider->setTickInterval(1);
    FSlider->setTickPosition(QSlider::TicksBelow);
    connect(FSlider, &QSlider::valueChanged, this, [this] {
        Application()->Guard([this] { if (OnChange) OnChange(this); });
    });
}

int TTrackBar::Min() const { return FSlider->minimum(); }
void TTrackBar::SetMin(int v) { FSlider->setMinimum(v); }
int TTrackBar::Max() const { return FSlider->maximum(); }
void TTrackBar::SetMax(int v) { FSlider->setMaximum(v); }
int TTrackBar::Position() const { return FSlider->value(); }
void TTrackBar::SetPosition(int v) { FSlider->setValue(v); }

TTrackBarOrientation TTrackBar::Orientation() const {
    return FSlider->orientation() == Qt::Vertical ? trVertical : trHorizontal;
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
    FSlider->setOrientation(v == trVertical ? Qt::Vertical : Qt::Horizontal);
    // The system's vertical bar has its minimum at the top.
    FSlider->setInvertedAppearance(v == trVertical);
}

int TTrackBar::Frequency() const { return FSlider->tickInterval(); }
void TTrackBar::SetFrequency(int v) { FSlider->setTickInterval(v); }

void TTrackBar::SetTickStyle(TTickStyle v) {
    FTickStyle = v;
    FSlider->setTickPosition(v == tsNone ? QSlider::NoTicks : QSlider::TicksBelow);
}

int TTrackBar::PageSize() const { return FSlider->pageStep(); }
void TTrackBar::SetPageSize(int v) { FSlider->setPageStep(v); }
int TTrackBar::LineSize() const { return FSlider->singleStep(); }
void TTrackBar::SetLineSize(int v) { FSlider->setSingleStep(v); }

// ---- TProgressBar ----

TProgressBar::TProgressBar(QObject* AOwner) : TWinControl(AOwner), FBar(new QProgressBar(this)) {
    SetInner(FBar);
    SetBounds(0, 0, 150, 17);
    FBar->setRange(0, 100);
    FBar->setValue(0);
    FBar->setTextVisible(false);
}

int TProgressBar::Min() const { return FBar->minimum(); }
void TProgressBar::SetMin(int v) { FBar->setMinimum(v); }
int TProgressBar::Max() const { return FBar->maximum(); }
void TProgressBar::SetMax(int v) { FBar->setMaximum(v); }
int TProgressBar::Position() const { return FBar->value(); }
void TProgressBar::SetPosition(int v) { FBar->setValue(std::clamp(v, Min(), Max())); }

void TProgressBar::StepBy(int delta) {
    int p = Position() + delta;
    if (p > Max()) p = Min() + (p - Max());
    SetPosition(p);
}

TProgressBarOrientation TProgressBar::Orientation() const {
    return FBar->orientation() == Qt::Vertical ? pbVertical : pbHorizontal;
}

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
    FBar->setOrientation(v == pbVertical ? Qt::Vertical : Qt::Horizontal);
}

// ---- List view: the model ----

class TListViewModel : public QAbstractTableModel {
public:
    explicit TListViewModel(TCustomListView* view) : QAbstractTableModel(view), FView(view) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : FView->FItems->Count(); }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : std::max(1, FView->FColumns->Count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount({})) return {};
        const int col = index.column();
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: {
            const TListItem* item = FView->FItems->Item(index.row());
            if (col == 0) return item->Caption();
            return col - 1 < item->SubItems().Count() ? item->SubItems().Get(col - 1) : QString();
        }
        case Qt::DecorationRole: {
            if (col != 0) return {};
            TCustomImageList* images = FView->FViewStyle == vsIcon ? FView->FLargeImages : FView->FSmallImages;
            if (!images) return {};
            const QImage image = images->Image(FView->FItems->Item(index.row())->ImageIndex());
            return image.isNull() ? QVariant() : QVariant(image);
        }
        case Qt::TextAlignmentRole:
            return FView->FViewStyle == vsReport ? QVariant(ColumnAlignment(col)) : QVariant();
        default: return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= FView->FColumns->Count()) return {};
        const TListColumn* c = FView->FColumns->Items(section);
        switch (role) {
        case Qt::DisplayRole: return c->Caption();
        case Qt::TextAlignmentRole: return ColumnAlignment(section);
        case Qt::DecorationRole: {
            if (!FView->FSmallImages) return {};
            const QImage image = FView->FSmallImages->Image(c->ImageIndex());
            return image.isNull() ? QVariant() : QVariant(image);
        }
        default: return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
        if (index.column() == 0 && !FView->FReadOnly && !FView->FOwnerData) f |= Qt::ItemIsEditable;
        return f;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || index.column() != 0 || FView->FOwnerData) return false;
        FView->FItems->Item(index.row())->SetCaption(value.toString());
        return true;
    }

    int ColumnAlignment(int col) const {
        if (col < 0 || col >= FView->FColumns->Count()) return Qt::AlignLeft | Qt::AlignVCenter;
        switch (FView->FColumns->Items(col)->Alignment()) {
        case taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
        case taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
        default: return Qt::AlignLeft | Qt::AlignVCenter;
        }
    }

    void InsertRows(int first, int last) { beginInsertRows({}, first, last); }
    void EndInsertRows() { endInsertRows(); }
    void RemoveRows(int first, int last) { beginRemoveRows({}, first, last); }
    void EndRemoveRows() { endRemoveRows(); }
    void InsertColumns(int first, int last) { beginInsertColumns({}, first, last); }
    void EndInsertColumns() { endInsertColumns(); }
    void RemoveColumns(int first, int last) { beginRemoveColumns({}, first, last); }
    void EndRemoveColumns() { endRemoveColumns(); }
    void Reset(const std::function<void()>& f) {
        beginResetModel();
        f();
        endResetModel();
    }

private:
    TCustomListView* FView;
};

namespace {

// Without RowSelect only the caption shows the selection, as the system's
// report view draws it.
class TListViewDelegate : public QStyledItemDelegate {
public:
    TListViewDelegate(TCustomListView* view) : QStyledItemDelegate(view), FView(view) {}

    // The view has painted the row's selection under every cell already:
    // the other cells are put back on the list's own colour, where their
    // text is written in the list's text colour.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (index.column() > 0 && !FView->RowSelect()) painter->fillRect(option.rect, option.palette.brush(QPalette::Base));
        QStyledItemDelegate::paint(painter, option, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() > 0 && !FView->RowSelect())
            option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }

private:
    TCustomListView* FView;
};

}  // namespace

// ---- TListColumn, TListColumns ----

int TListColumn::Index() const {
    const auto& items = FView->Columns().FItems;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this) return int(i);
    return -1;
}

void TListColumn::SetCaption(const QString& v) {
    if (v == FCaption) return;
    FCaption = v;
    const int i = Index();
    emit FView->FModel->headerDataChanged(Qt::Horizontal, i, i);
}

void TListColumn::SetWidth(int v) {
    v = std::max(0, v);
    if (v == FWidth) return;
    FWidth = v;
    FView->ApplyColumn(Index());
}

void TListColumn::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    const int i = Index();
    emit FView->FModel->headerDataChanged(Qt::Horizontal, i, i);
    const int rows = FView->FItems->Count();
    if (rows > 0) emit FView->FModel->dataChanged(FView->FModel->index(0, i), FView->FModel->index(rows - 1, i));
}

void TListColumn::SetImageIndex(int v) {
    if (v == FImageIndex) return;
    FImageIndex = v;
    const int i = Index();
    emit FView->FModel->headerDataChanged(Qt::Horizontal, i, i);
}

TListColumn* TListColumns::Items(int index) const {
    TStrings::CheckIndex(index, Count());
    return FItems[size_t(index)].get();
}

TListColumn* TListColumns::Add() {
    const int i = Count();
    // The model always has one column; the first real column takes it over.
    if (i > 0) FView->FModel->InsertColumns(i, i);
    FItems.push_back(std::unique_ptr<TListColumn>(new TListColumn(FView)));
    if (i > 0) FView->FModel->EndInsertColumns();
    else emit FView->FModel->headerDataChanged(Qt::Horizontal, 0, 0);
    FView->ApplyColumn(i);
    return FItems.back().get();
}

void TListColumns::Delete(int index) {
    TStrings::CheckIndex(index, Count());
    const bool last = Count() == 1;
    if (!last) FView->FModel->RemoveColumns(index, index);
    FItems.erase(FItems.begin() + index);
    if (!last) FView->FModel->EndRemoveColumns();
    FView->ColumnsChanged();
}

void TListColumns::Clear() {
    if (FItems.empty()) return;
    FView->FModel->Reset([this] { FItems.clear(); });
    FView->ColumnsChanged();
}

// ---- TListSubItems, TListItem ----

QString TListSubItems::Get(int index) const {
    CheckIndex(index, Count());
    return FStrings[index];
}

void TListSubItems::Put(int index, const QString& s) {
    CheckIndex(index, Count());
    if (FStrings[index] == s) return;
    FStrings[index] = s;
    Changed(index, index);
}

void TListSubItems::Insert(int index, const QString& s) {
    if (index < 0 || index > Count()) CheckIndex(index, Count());
    FStrings.insert(index, s);
    Changed(index, Count() - 1);
}

void TListSubItems::Delete(int index) {
    CheckIndex(index, Count());
    FStrings.removeAt(index);
    Changed(index, Count());
}

void TListSubItems::Clear() {
    const int n = Count();
    FStrings.clear();
    if (n > 0) Changed(0, n - 1);
}

void TListSubItems::Changed(int first, int last) { FItem->CellChanged(first + 1, last + 1); }

TCustomListView* TListItem::ListView() const { return FOwner->FView; }

void TListItem::SetCaption(const QString& v) {
    if (v == FCaption) return;
    FCaption = v;
    CellChanged(0, 0);
}

void TListItem::SetImageIndex(int v) {
    if (v == FImageIndex) return;
    FImageIndex = v;
    CellChanged(0, 0);
}

// Only the cells that changed are announced: the job list rewrites single
// cells several times a second, and a reset would rebuild every row.
void TListItem::CellChanged(int firstColumn, int lastColumn) {
    if (FFetched) return;
    TCustomListView* v = ListView();
    lastColumn = std::min(lastColumn, v->FModel->columnCount({}) - 1);
    if (firstColumn > lastColumn) return;
    emit v->FModel->dataChanged(v->FModel->index(FIndex, firstColumn), v->FModel->index(FIndex, lastColumn));
    Application()->Guard([&] { v->Change(this); });
}

bool TListItem::Selected() const {
    TCustomListView* v = ListView();
    return v->FTable->selectionModel()->isSelected(v->RowIndex(FIndex));
}

void TListItem::SetSelected(bool sel) {
    TCustomListView* v = ListView();
    QItemSelectionModel* sm = v->FTable->selectionModel();
    const QModelIndex idx = v->RowIndex(FIndex);
    if (!sel) {
        sm->select(idx, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        return;
    }
    sm->setCurrentIndex(idx, QItemSelectionModel::NoUpdate);
    sm->select(idx, (v->FMultiSelect ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect) |
                        QItemSelectionModel::Rows);
}

bool TListItem::Focused() const { return ListView()->FTable->selectionModel()->currentIndex().row() == FIndex; }

void TListItem::SetFocused(bool v) {
    QItemSelectionModel* sm = ListView()->FTable->selectionModel();
    if (v) sm->setCurrentIndex(ListView()->RowIndex(FIndex), QItemSelectionModel::NoUpdate);
    else if (Focused()) sm->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
}

TRect TListItem::DisplayRect() const {
    TCustomListView* v = ListView();
    QAbstractItemView* view = v->ActiveView();
    QRect r = view->visualRect(v->RowIndex(FIndex));
    if (v->FViewStyle == vsReport) {
        const int cols = v->FModel->columnCount({});
        for (int c = 1; c < cols; ++c) r |= v->FTable->visualRect(v->FModel->index(FIndex, c));
    }
    if (r.isEmpty()) return TRect{};
    r.translate(view->viewport()->mapTo(v, QPoint(0, 0)));
    return TRect::FromQRect(r);
}

void TListItem::MakeVisible() { ListView()->ActiveView()->scrollTo(ListView()->RowIndex(FIndex)); }

void TListItem::Delete() { FOwner->Delete(FIndex); }

// ---- TListItems ----

TListItems::TListItems(TCustomListView* view) : FView(view) {}

int TListItems::Count() const { return FView->FOwnerData ? FOwnerDataCount : int(FItems.size()); }

void TListItems::SetCount(int v) {
    if (!FView->FOwnerData) return;
    v = std::max(0, v);
    FFetch.reset();
    const int old = FOwnerDataCount;
    if (v > old) {
        FView->FModel->InsertRows(old, v - 1);
        FOwnerDataCount = v;
        FView->FModel->EndInsertRows();
    } else if (v < old) {
        FView->RemoveRows(v, old - 1, [&] { FOwnerDataCount = v; });
    }
    // Rows that stayed may show other data now.
    if (v > 0) emit FView->FModel->dataChanged(FView->FModel->index(0, 0),
                                               FView->FModel->index(v - 1, FView->FModel->columnCount({}) - 1));
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
    if (FView->FOwnerData) return nullptr;
    index = std::clamp(index, 0, Count());
    FView->FModel->InsertRows(index, index);
    FItems.insert(FItems.begin() + index, std::unique_ptr<TListItem>(new TListItem(this, index)));
    Renumber(index + 1);
    FView->FModel->EndInsertRows();
    return FItems[size_t(index)].get();
}

TListItem* TListItems::Item(int index) const {
    TStrings::CheckIndex(index, Count());
    if (!FView->FOwnerData) return FItems[size_t(index)].get();
    auto& f = const_cast<TListItems*>(this)->FFetch;
    if (f && f->FIndex == index) return f.get();
    f.reset(new TListItem(const_cast<TListItems*>(this), index));
    f->FFetched = true;
    Application()->Guard([&] { FView->OwnerDataFetch(f.get()); });
    return f.get();
}

void TListItems::Delete(int index) {
    TStrings::CheckIndex(index, Count());
    if (FView->FOwnerData) return;
    FView->RemoveRows(index, index, [&] {
        FItems.erase(FItems.begin() + index);
        Renumber(index);
    });
}

void TListItems::Clear() {
    if (FView->FOwnerData) {
        SetCount(0);
        return;
    }
    if (FItems.empty()) return;
    FView->RemoveRows(0, Count() - 1, [&] { FItems.clear(); });
}

void TListItems::BeginUpdate() {
    if (FUpdateCount++ == 0) FView->ActiveView()->setUpdatesEnabled(false);
}

void TListItems::EndUpdate() {
    if (FUpdateCount == 0 || --FUpdateCount > 0) return;
    FView->ActiveView()->setUpdatesEnabled(true);
}

void TListItems::Renumber(int from) {
    for (size_t i = size_t(from); i < FItems.size(); ++i) FItems[i]->FIndex = int(i);
}

// ---- TCustomListView ----

namespace {

// The views lay their items out late (on a zero timer); the list view asks
// for it at once when it needs ranges or rectangles.
class TReportView : public QTableView {
public:
    using QTableView::QTableView;
    // Keys move between rows, as in a list: Home and End go to the first and
    // last row, Left and Right scroll the columns.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        // Without a focused row the first key only finds row 0; End and the
        // page keys should already go where they point.
        if (!currentIndex().isValid() && model() && model()->rowCount() > 0 && action != MoveUp && action != MoveDown)
            selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
        switch (action) {
        case MoveHome:
        case MoveEnd: return QTableView::moveCursor(action, modifiers | Qt::ControlModifier);
        case MoveLeft:
        case MoveRight: {
            QScrollBar* h = horizontalScrollBar();
            h->setValue(h->value() + (action == MoveLeft ? -1 : 1) * h->singleStep());
            return currentIndex();
        }
        default: return QTableView::moveCursor(action, modifiers);
        }
    }
    void LayOut() {
        executeDelayedItemsLayout();
        updateGeometries();
    }
};

class TIconView : public QListView {
public:
    using QListView::QListView;
    void LayOut() {
        executeDelayedItemsLayout();
        updateGeometries();
    }
};

void SetUpView(QAbstractItemView* v) {
    v->setFrameShape(QFrame::NoFrame);
    v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setTextElideMode(Qt::ElideRight);
    v->setTabKeyNavigation(false);
}

}  // namespace

TCustomListView::TCustomListView(QObject* AOwner)
    : TWinControl(AOwner),
      FItems(new TListItems(this)),
      FColumns(new TListColumns(this)),
      FModel(new TListViewModel(this)),
      FTable(new TReportView(this)),
      FList(new TIconView(this)) {
    SetTabStop(true);
    SetColor(clWindow);
    FTable->setModel(FModel);
    FList->setModel(FModel);
    FList->setSelectionModel(FTable->selectionModel());
    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(FTable), static_cast<QAbstractItemView*>(FList)}) {
        SetUpView(v);
        v->setItemDelegate(new TListViewDelegate(this));
        v->viewport()->installEventFilter(this);
    }
    FTable->verticalHeader()->hide();
    FTable->verticalHeader()->setMinimumSectionSize(1);
    FTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FTable->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    FTable->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    FTable->setWordWrap(false);
    FTable->setCornerButtonEnabled(false);
    FTable->setShowGrid(false);
    FList->setUniformItemSizes(true);
    FList->setMovement(QListView::Static);
    FList->setResizeMode(QListView::Adjust);
    SetHeaderView(new QHeaderView(Qt::Horizontal, FTable));
    connect(FTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& s, const QItemSelection& d) { SelectionChanged(s, d); });
    SetReadOnly(false);
    ApplyPalette();
    ApplyRowHeight();
    ApplyStyle();
    SetBounds(0, 0, 250, 150);
}

TCustomListView::~TCustomListView() {
    // The views go with this widget; they must not ask the model for rows
    // meanwhile, nor report selections.
    FRemoving = true;
    FTable->selectionModel()->disconnect(this);
    Header()->disconnect(this);
    FTable->setModel(nullptr);
    FList->setModel(nullptr);
    DestroyComponents();
    DestroyControls();
}

QAbstractItemView* TCustomListView::ActiveView() const {
    return FViewStyle == vsReport ? static_cast<QAbstractItemView*>(FTable) : FList;
}

QHeaderView* TCustomListView::Header() const { return FTable->horizontalHeader(); }
QAbstractItemModel* TCustomListView::Model() const { return FModel; }

void TCustomListView::SetHeaderView(QHeaderView* header) {
    FTable->setHorizontalHeader(header);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(0);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setVisible(FShowColumnHeaders);
    connect(header, &QHeaderView::sectionResized, this, [this](int i, int, int size) {
        if (i < FColumns->Count() && size > 0) FColumns->FItems[size_t(i)]->FWidth = size;
    });
    connect(header, &QHeaderView::sectionClicked, this, [this](int i) {
        if (i < FColumns->Count())
            Application()->Guard([&] { if (OnColumnClick) OnColumnClick(this, FColumns->Items(i)); });
    });
    ColumnsChanged();
}

void TCustomListView::ColumnsChanged() {
    for (int i = 0; i < FColumns->Count(); ++i) ApplyColumn(i);
}

void TCustomListView::ApplyColumn(int index) {
    if (index < 0 || index >= FColumns->Count()) return;
    QHeaderView* h = Header();
    const int w = FColumns->FItems[size_t(index)]->FWidth;
    // A width of 0 shows nothing, not even a divider the user could drag open.
    h->setSectionHidden(index, w == 0);
    if (w > 0) h->resizeSection(index, w);
}

void TCustomListView::SetViewStyle(TViewStyle v) {
    if (v == FViewStyle) return;
    FViewStyle = v;
    ApplyStyle();
}

void TCustomListView::ApplyStyle() {
    const bool hadFocus = ActiveView() && (FTable->hasFocus() || FList->hasFocus());
    switch (FViewStyle) {
    case vsIcon:
        FList->setViewMode(QListView::IconMode);
        FList->setMovement(QListView::Static);
        break;
    case vsSmallIcon:
        FList->setViewMode(QListView::ListMode);
        FList->setFlow(QListView::LeftToRight);
        FList->setWrapping(true);
        break;
    case vsList:
        FList->setViewMode(QListView::ListMode);
        FList->setFlow(QListView::TopToBottom);
        FList->setWrapping(true);
        break;
    case vsReport: break;
    }
    if (FViewStyle != vsReport) {
        TCustomImageList* images = FViewStyle == vsIcon ? FLargeImages.data() : FSmallImages.data();
        if (images) FList->setIconSize(QSize(images->Width(), images->Height()));
        FList->setHorizontalScrollMode(FViewStyle == vsList ? QAbstractItemView::ScrollPerItem
                                                            : QAbstractItemView::ScrollPerPixel);
        FList->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    }
    QAbstractItemView* shown = ActiveView();
    QAbstractItemView* hidden = shown == FTable ? static_cast<QAbstractItemView*>(FList) : FTable;
    hidden->hide();
    SetInner(shown);
    shown->show();
    if (hadFocus) shown->setFocus();
    // Alignment in the cells is a report matter.
    emit FModel->dataChanged(FModel->index(0, 0), FModel->index(std::max(0, FItems->Count() - 1), 0));
}

void TCustomListView::SetRowSelect(bool v) {
    FRowSelect = v;
    FTable->viewport()->update();
}

void TCustomListView::SetGridLines(bool v) {
    FGridLines = v;
    FTable->setShowGrid(v);
}

void TCustomListView::SetReadOnly(bool v) {
    FReadOnly = v;
    const auto triggers = v ? QAbstractItemView::NoEditTriggers
                            : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked;
    FTable->setEditTriggers(triggers);
    FList->setEditTriggers(triggers);
}

void TCustomListView::SetMultiSelect(bool v) {
    FMultiSelect = v;
    const auto mode = v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    FTable->setSelectionMode(mode);
    FList->setSelectionMode(mode);
}

void TCustomListView::SetShowColumnHeaders(bool v) {
    FShowColumnHeaders = v;
    Header()->setVisible(v);
}

void TCustomListView::SetOwnerData(bool v) {
    if (v == FOwnerData) return;
    FItems->Clear();
    FModel->Reset([&] {
        FOwnerData = v;
        FItems->FOwnerDataCount = 0;
        FItems->FFetch.reset();
    });
}

void TCustomListView::SetSmallImages(TCustomImageList* v) {
    FSmallImages = v;
    ApplyRowHeight();
    if (FViewStyle != vsReport) ApplyStyle();
    FTable->viewport()->update();
    Header()->viewport()->update();
}

void TCustomListView::SetLargeImages(TCustomImageList* v) {
    FLargeImages = v;
    if (FViewStyle == vsIcon) ApplyStyle();
}

void TCustomListView::ColorChanged() { ApplyPalette(); }

void TCustomListView::FontChanged() {
    ApplyPalette();
    ApplyRowHeight();
}

void TCustomListView::ApplyPalette() {
    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(FTable), static_cast<QAbstractItemView*>(FList)}) {
        // Selection colours from the fixed system table, active or not, so
        // pictures do not depend on the desktop's style.
        QPalette pal = v->palette();
        const QColor base = ColorToQColor(Color()), text = ColorToQColor(Font().Color());
        pal.setColor(QPalette::Base, base);
        pal.setColor(QPalette::Text, text);
        // Grid lines near a quarter of the way from the background to the
        // text: they part the cells of a light or a dark list without
        // outshining it. The style draws them from the window colour (a
        // fifth darker), others from the mid colour.
        const QColor grid((3 * base.red() + text.red()) / 4, (3 * base.green() + text.green()) / 4,
                          (3 * base.blue() + text.blue()) / 4);
        pal.setColor(QPalette::Mid, grid);
        pal.setColor(QPalette::Window, grid);
        // The highlight a third darker, so the white text of a chosen row
        // reads at 4.5:1 and more.
        pal.setColor(QPalette::Highlight, ColorToQColor(clHighlight).darker(150));
        pal.setColor(QPalette::HighlightedText, ColorToQColor(clHighlightText));
        v->setPalette(pal);
    }
}

void TCustomListView::ApplyRowHeight() {
    int h = QFontMetrics(Font().ToQFont()).height() + 3;
    if (FSmallImages) h = std::max(h, FSmallImages->Height() + 1);
    FTable->verticalHeader()->setDefaultSectionSize(h);
}

QModelIndex TCustomListView::RowIndex(int row) const { return FModel->index(row, 0); }

TListItem* TCustomListView::Selected() const {
    const QModelIndexList rows = FTable->selectionModel()->selectedRows();
    int best = -1;
    for (const QModelIndex& i : rows)
        if (best < 0 || i.row() < best) best = i.row();
    return best < 0 ? nullptr : FItems->Item(best);
}

void TCustomListView::SetSelected(TListItem* item) {
    if (!item) {
        ClearSelection();
        return;
    }
    const QModelIndex idx = RowIndex(item->Index());
    FTable->selectionModel()->setCurrentIndex(idx, QItemSelectionModel::NoUpdate);
    FTable->selectionModel()->select(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int TCustomListView::ItemIndex() const {
    TListItem* s = Selected();
    return s ? s->Index() : -1;
}

void TCustomListView::SetItemIndex(int v) {
    if (v < 0 || v >= FItems->Count()) ClearSelection();
    else SetSelected(FItems->Item(v));
}

int TCustomListView::SelCount() const { return int(FTable->selectionModel()->selectedRows().size()); }

void TCustomListView::ClearSelection() { FTable->selectionModel()->clearSelection(); }

TListItem* TCustomListView::ItemFocused() const {
    const QModelIndex i = FTable->selectionModel()->currentIndex();
    return i.isValid() ? FItems->Item(i.row()) : nullptr;
}

int TCustomListView::VisibleRowCount() const {
    const int rowH = std::max(1, FTable->verticalHeader()->defaultSectionSize());
    return std::max(1, FTable->viewport()->height() / rowH);
}

TListItem* TCustomListView::TopItem() const {
    if (FItems->Count() == 0) return nullptr;
    const_cast<TCustomListView*>(this)->LayOutViews();
    const QModelIndex i = ActiveView()->indexAt(QPoint(1, 1));
    return i.isValid() ? FItems->Item(i.row()) : nullptr;
}

TListItem* TCustomListView::GetItemAt(int x, int y) const {
    QAbstractItemView* v = ActiveView();
    const QModelIndex i = v->indexAt(v->viewport()->mapFrom(this, QPoint(x, y)));
    return i.isValid() ? FItems->Item(i.row()) : nullptr;
}

void TCustomListView::LayOutViews() {
    static_cast<TReportView*>(FTable)->LayOut();
    static_cast<TIconView*>(FList)->LayOut();
}

void TCustomListView::OwnerDataFetch(TListItem* Item) {
    if (OnData) OnData(this, Item);
}

// Every row whose state changed, deselections first, so a handler that looks
// at "the selected row" on a selection sees the new one last.
void TCustomListView::SelectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    if (FRemoving || !OnSelectItem) return;
    QItemSelectionModel* sm = FTable->selectionModel();
    const int count = FItems->Count();
    auto rows = [&](const QItemSelection& sel, bool want) {
        std::set<int> r;
        for (const QItemSelectionRange& range : sel)
            for (int row = range.top(); row <= range.bottom(); ++row)
                if (row < count && sm->isSelected(RowIndex(row)) == want) r.insert(row);
        return r;
    };
    const std::set<int> off = rows(deselected, false), on = rows(selected, true);
    Application()->Guard([&] {
        for (int r : off)
            if (OnSelectItem) OnSelectItem(this, FItems->Item(r), false);
        for (int r : on)
            if (OnSelectItem) OnSelectItem(this, FItems->Item(r), true);
    });
}

// Clicks anywhere in the view, rows or empty space, are the control's clicks.
bool TCustomListView::eventFilter(QObject* watched, QEvent* e) {
    if (watched == FTable->viewport() || watched == FList->viewport()) {
        if (e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            FPressed = true;
            // A press beside every item drops the selection, as users expect of a list.
            if (!ActiveView()->indexAt(static_cast<QMouseEvent*>(e)->position().toPoint()).isValid()) ClearSelection();
        } else if (e->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton && FPressed) {
            FPressed = false;
            auto* w = static_cast<QWidget*>(watched);
            if (w->rect().contains(static_cast<QMouseEvent*>(e)->position().toPoint()))
                Application()->Guard([&] { Click(); });
        } else if (e->type() == QEvent::MouseButtonDblClick &&
                   static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            FPressed = true;
            Application()->Guard([&] { if (OnDblClick) OnDblClick(this); });
        }
        return false;
    }
    return TWinControl::eventFilter(watched, e);
}

// The view moves the selection to a neighbour when the selected row goes;
// here a removed row's selection just ends, and no OnSelectItem runs.
void TCustomListView::RemoveRows(int first, int last, const std::function<void()>& erase) {
    QItemSelectionModel* sm = FTable->selectionModel();
    QList<QPersistentModelIndex> kept;
    for (const QModelIndex& i : sm->selectedRows())
        if (i.row() < first || i.row() > last) kept << QPersistentModelIndex(i);
    FRemoving = true;
    FModel->RemoveRows(first, last);
    erase();
    FModel->EndRemoveRows();
    QItemSelection sel;
    for (const QPersistentModelIndex& i : kept)
        if (i.isValid()) sel.select(i, i);
    if (sel != QItemSelection(sm->selection())) sm->select(sel, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    FRemoving = false;
}

void TCustomListView::UpdateItems(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, FItems->Count() - 1);
    if (first > last) return;
    FItems->FFetch.reset();
    emit FModel->dataChanged(FModel->index(first, 0), FModel->index(last, FModel->columnCount({}) - 1));
}
