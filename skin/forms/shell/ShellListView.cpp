#include "skin/forms/shell/ShellListView.h"

#include "skin/forms/shell/ShellComboBox.h"

#include "platform/Application.h"
#include "skin/forms/shell/ShellChangeNotifier.h"
#include "skin/forms/shell/ShellIcons.h"
#include "skin/forms/shell/ShellLabelEdit.h"
#include "skin/forms/shell/ShellTreeView.h"
#include "skin/forms/shell/ShellWaitCursor.h"
#include "skin/model/ResourceStrings.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableView>

#include <algorithm>

namespace {

struct TBuiltInColumn {
    const char* SkinText;
    const char* Text;
    TAlignment Alignment;
    int Width;  // in "X" widths
};

const TBuiltInColumn kColumns[] = {
    {"FLV_NAME", "Name", taLeftJustify, 25},
    {"FLV_SIZE", "Size", taRightJustify, 10},
    {"FLV_TYPE", "Type", taLeftJustify, 10},
    {"FLV_MODIFIED", "Modified", taLeftJustify, 14},
};

// What a column sort compares, read once per item instead of once per comparison.
struct TSortKey {
    bool Folder = false;
    bool Dated = false;  // a file-system item with a time
    qint64 Size = -1;
    QDateTime Time;
    QString Name, Type;
};

TSortKey SortKeyOf(TqvShellFolder* f) {
    TSortKey k;
    k.Folder = f->IsFolder();
    k.Name = f->DisplayName();
    f->LoadColumnDetails(4);
    k.Type = f->DetailText(2);
    // A volume is listed by the Computer, which shows no times: its mount
    // point's time says nothing about the volume.
    TqvShellID parent;
    const bool volume = ParentID(f->AbsoluteID(), parent) && parent == TqvShellID::Computer();
    if (!f->AbsoluteID().IsVirtual() && !volume) {
        try {
            const TqvShellFindData d = f->GetFindData();
            k.Size = d.Size;
            k.Time = d.Modified;
            k.Dated = d.Modified.isValid();
        } catch (const EInvalidPath&) {
        }
    }
    return k;
}

}  // namespace

TqvCustomShellListView::TqvCustomShellListView(QObject* AOwner) : TqvSkinCustomListView(AOwner) {
    SetOwnerData(true);
    SetSmallImages(TqvShellIcons::Instance().Small());
    SetLargeImages(TqvShellIcons::Instance().Large());
    // After the platform's own handler, which raises OnColumnClick.
    connect(Header(), &QHeaderView::sectionClicked, this,
            [this](int section) { Application()->Guard([&] { ColClick(section); }); });
    if (!Loading()) {
        CreateRootFolder();
        Repopulate();
    }
}

TqvCustomShellListView::~TqvCustomShellListView() {
    if (FEditor) FEditor->deleteLater();
}

TqvShellFolder* TqvCustomShellListView::Folders(int i) const {
    return i >= 0 && i < FolderCount() ? FFolders[size_t(i)].get() : nullptr;
}

void TqvCustomShellListView::Loaded() {
    TqvSkinCustomListView::Loaded();
    if (!FRootFolder) CreateRootFolder();
    Repopulate();
    SetAutoRefresh(FAutoRefresh);
}

void TqvCustomShellListView::CreateRootFolder() {
    std::unique_ptr<TqvShellFolder> folder = FolderFromRoot(FOldRoot, FRoot, FRootFolder.get());
    FRootFolder = std::move(folder);
}

void TqvCustomShellListView::SetRoot(const TRoot& v) {
    if (v.compare(FRoot, Qt::CaseInsensitive) == 0 && FRootFolder) return;
    FOldRoot = FRoot;
    FRoot = v;
    CreateRootFolder();
    FSettingRoot = true;
    Repopulate();
}

void TqvCustomShellListView::SetMask(const QString& v) {
    if (v == FMask) return;
    FMask = v;
    Repopulate();
}

void TqvCustomShellListView::SetObjectTypes(TShellObjectTypes v) {
    FObjectTypes = v;
    if (!Loading()) Repopulate();
}

void TqvCustomShellListView::SetSorted(bool v) {
    if (v == FSorted) return;
    FSorted = v;
    FillItems();
}

void TqvCustomShellListView::SetAutoRefresh(bool v) {
    FAutoRefresh = v;
    if (Loading()) return;
    delete FNotifier.data();
    if (!v) return;
    auto* n = new TqvShellChangeNotifier(this);
    n->SetWatchSubTree(false);
    n->SetRoot(FRootFolder ? FRootFolder->PathName() : QString());
    n->SetOnChange([this] { Refresh(); });
    FNotifier = n;
}

void TqvCustomShellListView::SetShellTreeView(TqvCustomShellTreeView* v) {
    if (v == FTreeView) return;
    if (FTreeView) FTreeView->FListView = nullptr;
    FTreeView = v;
    if (!v) return;
    v->FListView = this;
    v->SetRoot(FRoot);
}

QString TqvCustomShellListView::Path() const { return FRootFolder ? FRootFolder->PathName() : QString(); }

void TqvCustomShellListView::SetPath(const QString& v) {
    const TqvShellID id = ParseDisplayName(v, FRootFolder.get());
    if (!QFileInfo(id.Path()).isDir()) throw EInvalidPath(ErrorSettingPathText(v).toStdString());
    NavigateToID(id);
}

void TqvCustomShellListView::NavigateToID(TqvShellID id) {
    if (FUpdating) return;
    if (FRootFolder && SameItemIDList(FRootFolder->AbsoluteID(), id)) return;
    FRootFolder = FolderFromItemID(id);
    FSettingRoot = false;
    Repopulate();
    if (FComboBox) FComboBox->SyncToID(id);
    if (OnPathChanged) OnPathChanged(this);
}

void TqvCustomShellListView::SyncToID(const TqvShellID& id) {
    if (!FUpdating && (!FRootFolder || !SameItemIDList(FRootFolder->AbsoluteID(), id))) NavigateToID(id);
}

void TqvCustomShellListView::Back() {
    TqvShellID up;
    if (FRootFolder && ParentID(FRootFolder->AbsoluteID(), up)) NavigateToID(up);
}

void TqvCustomShellListView::Repopulate() {
    if (FUpdating) return;
    FUpdating = true;
    const bool refresh = FAutoRefresh;
    struct TRestore {
        TqvCustomShellListView* v;
        bool refresh;
        ~TRestore() {
            v->SetAutoRefresh(refresh);
            v->FUpdating = false;
        }
    } restore{this, refresh};
    SetAutoRefresh(false);
    SyncPartners();
    FillItems();
    if (ViewStyle() == vsReport) BuildColumns();
}

void TqvCustomShellListView::SyncPartners() {
    if (FSettingRoot) {
        if (FTreeView) FTreeView->SetRoot(FRoot);
    } else if (FRootFolder && FTreeView) {
        FTreeView->SelectByID(FRootFolder->AbsoluteID());
    }
    FSettingRoot = false;
}

void TqvCustomShellListView::ReleaseFolders() {
    if (FEditor) FEditor->Finish(false);
    Items().SetCount(0);
    FFolders.clear();
}

void TqvCustomShellListView::FillItems() {
    if (Loading()) return;
    Items().BeginUpdate();
    struct TEnd {
        TListItems& items;
        ~TEnd() { items.EndUpdate(); }
    } end{Items()};
    ReleaseFolders();
    if (!FRootFolder) return;
    TqvShellWaitCursor wait;
    std::vector<std::unique_ptr<TqvShellFolder>> found;
    FRootFolder->Enumerate(FObjectTypes, found);
    for (auto& f : found) {
        bool canAdd = f->IsFolder() || MatchesFileMask(QFileInfo(f->FullObjectName()).fileName(), FMask);
        if (OnAddFolder) OnAddFolder(this, f.get(), canAdd);
        if (canAdd) FFolders.push_back(std::move(f));
    }
    if (FSorted) SortFolders(false);
    Items().SetCount(FolderCount());
    UpdateItems(0, FolderCount() - 1);
}

void TqvCustomShellListView::SortFolders(bool columnMode) {
    if (!columnMode) {
        std::stable_sort(FFolders.begin(), FFolders.end(),
                         [](const auto& a, const auto& b) { return TqvShellFolder::CompareIDs(a.get(), b.get()) < 0; });
        return;
    }
    const int column = FSortColumn;
    const bool descending = FSortDirection;
    std::vector<std::pair<TSortKey, std::unique_ptr<TqvShellFolder>>> rows;
    rows.reserve(FFolders.size());
    for (auto& f : FFolders) rows.emplace_back(SortKeyOf(f.get()), std::move(f));
    auto compare = [&](const auto& ra, const auto& rb) {
        const TSortKey &a = ra.first, &b = rb.first;
        const int base = a.Folder != b.Folder ? (a.Folder ? -1 : 1)
                                              : TqvShellFolder::CompareIDs(ra.second.get(), rb.second.get());
        int r = base;
        // Items without a time (the Computer's volumes, the virtual entries) keep
        // the shell's order in either direction.
        if (column != 0 && (!a.Dated || !b.Dated)) return base < 0;
        if (a.Folder != b.Folder && column >= 0 && column <= 3) r = a.Folder ? -1 : 1;
        else {
            switch (column) {
            case 0: r = NaturalCompare(a.Name, b.Name); break;
            case 1: r = a.Folder ? base : (a.Size < b.Size ? -1 : a.Size > b.Size ? 1 : 0); break;
            case 2: r = a.Type.compare(b.Type, Qt::CaseInsensitive); break;
            case 3: r = a.Time < b.Time ? -1 : b.Time < a.Time ? 1 : 0; break;
            default: r = base;
            }
        }
        return (descending ? -r : r) < 0;
    };
    std::stable_sort(rows.begin(), rows.end(), compare);
    FFolders.clear();
    for (auto& r : rows) FFolders.push_back(std::move(r.second));
}

void TqvCustomShellListView::ColClick(int Column) {
    if (Column != 0 && Columns().Count() < 4) return;
    FOldSortColumn = FSortColumn;
    if (FOldSortColumn == Column && FOldSortColumn != -1) FSortDirection = !FSortDirection;
    else FSortDirection = false;
    FSortColumn = Column;
    Items().BeginUpdate();
    SortFolders(true);
    Items().EndUpdate();
    UpdateItems(0, FolderCount() - 1);
}

void TqvCustomShellListView::OwnerDataFetch(TListItem* Item) {
    TqvShellFolder* f = Folders(Item->Index());
    if (f) {
        Item->SetCaption(f->DisplayName());
        Item->SetImageIndex(f->ImageIndex(ViewStyle() == vsIcon));
        if (ViewStyle() == vsReport) {
            const int count = Columns().Count();
            f->LoadColumnDetails(count);
            for (int c = 1; c < count; ++c) Item->SubItems().Add(f->DetailText(c));
        }
    }
    TqvSkinCustomListView::OwnerDataFetch(Item);
}

void TqvCustomShellListView::BuildColumns() {
    if (!FRootFolder) return;
    const TqvResourceStrData* strings = SkinData() ? SkinData()->ResourceStrData() : nullptr;
    const int x = std::max(1, QFontMetrics(Font().ToQFont()).horizontalAdvance(u'X'));
    Columns().Clear();
    for (const TBuiltInColumn& c : kColumns) {
        QString text = strings ? strings->GetResStr(QLatin1String(c.SkinText)) : QString();
        if (text.isEmpty()) text = QLatin1String(c.Text);
        TListColumn* col = Columns().Add();
        col->SetCaption(text);
        col->SetAlignment(c.Alignment);
        col->SetWidth(c.Width * x);
    }
}

void TqvCustomShellListView::SetViewStyle(TViewStyle v) {
    TqvSkinCustomListView::SetViewStyle(v);
    if (v == vsReport) BuildColumns();
}

void TqvCustomShellListView::Refresh() {
    const int index = ItemIndex();
    FillItems();
    if (index >= 0 && index < Items().Count()) SetItemIndex(index);
}

TqvShellFolder* TqvCustomShellListView::SelectedFolder() const { return Folders(ItemIndex()); }

QString TqvCustomShellListView::GetSelectedFile() const {
    TqvShellFolder* f = SelectedFolder();
    return f && !f->IsFolder() ? f->FullObjectName() : QString();
}

void TqvCustomShellListView::GetSelectedFiles(TStrings& AFiles) const {
    AFiles.Clear();
    std::vector<int> rows;
    for (const QModelIndex& i : ReportView()->selectionModel()->selectedRows()) rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    for (int r : rows)
        if (TqvShellFolder* f = Folders(r); f && !f->IsFolder()) AFiles.Add(f->FullObjectName());
}

void TqvCustomShellListView::DblClick() {
    TqvShellFolder* f = SelectedFolder();
    if (FAutoNavigate && f && f->IsFolder()) NavigateToID(f->AbsoluteID());
}

bool TqvCustomShellListView::KeyDown(int Key, Qt::KeyboardModifiers Shift) {
    if (Key == Qt::Key_F2 && !ReadOnly() && !IsEditing()) {
        EditSelected();
        return true;
    }
    if (!FAutoNavigate) return false;
    switch (Key) {
    case Qt::Key_Backspace:
        if (IsEditing()) return false;
        Back();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        TqvShellFolder* f = SelectedFolder();
        // Alt+Enter asks for properties, which have no page here.
        if (Shift & Qt::AltModifier) return true;
        if (f && f->IsFolder()) {
            NavigateToID(f->AbsoluteID());
            return true;
        }
        return false;
    }
    case Qt::Key_F5: Refresh(); return true;
    default: return false;
    }
}

bool TqvCustomShellListView::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonDblClick && watched == ActiveView()->viewport() &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
        Application()->Guard([&] { DblClick(); });
    if (e->type() == QEvent::KeyPress && watched == Inner()) {
        if (TqvSkinCustomListView::eventFilter(watched, e)) return true;
        auto* k = static_cast<QKeyEvent*>(e);
        bool used = false;
        Application()->Guard([&] { used = KeyDown(k->key(), k->modifiers()); });
        return used;
    }
    return TqvSkinCustomListView::eventFilter(watched, e);
}

void TqvCustomShellListView::DoContextPopup(TPoint ScreenPoint) {
    QPointer<TqvCustomShellListView> self(this);
    ShowShellContextMenu(this, SelectedFolder(), ScreenPoint, [self](const QString& verb) {
        // Reloading would end a rename that the verb just started.
        if (self && !self->IsEditing() && verb != QLatin1String("rename")) self->Refresh();
    });
}

void TqvCustomShellListView::contextMenuEvent(QContextMenuEvent* e) {
    if (!FAutoContext || !SelectedFolder()) {
        TqvSkinCustomListView::contextMenuEvent(e);
        return;
    }
    e->accept();
    Application()->Guard([&] { DoContextPopup(TPoint::FromQPoint(e->globalPos())); });
}

void TqvCustomShellListView::ExecuteCommand(const QString& Verb, bool& Handled) {
    if (Verb.compare(QLatin1String("rename"), Qt::CaseInsensitive) == 0) {
        EditSelected();
        Handled = true;
    }
}

void TqvCustomShellListView::CommandCompleted(const QString& Verb, bool Succeeded) {
    if (Succeeded && (Verb.compare(QLatin1String("delete"), Qt::CaseInsensitive) == 0 ||
                      Verb.compare(QLatin1String("paste"), Qt::CaseInsensitive) == 0))
        Refresh();
}

void TqvCustomShellListView::EditSelected() {
    const int index = ItemIndex();
    TqvShellFolder* f = Folders(index);
    if (!f || ReadOnly() || IsEditing()) return;
    QAbstractItemView* view = ActiveView();
    view->scrollTo(Model()->index(index, 0));
    LayOutViews();
    const QRect r = view->visualRect(Model()->index(index, 0));
    QPointer<TqvCustomShellListView> self(this);
    TqvShellFolder* edited = f;
    FEditor = TqvShellLabelEdit::Start(view->viewport(), r, f->DisplayName(),
                                       [self, index, edited](const QString& text, bool accepted) {
                                           if (!self) return;
                                           self->ActiveView()->setFocus();
                                           // The rows may have been read again meanwhile.
                                           if (accepted && self->Folders(index) == edited) self->Edit(index, text);
                                       });
}

void TqvCustomShellListView::Edit(int Index, const QString& Text) {
    TqvShellFolder* f = Folders(Index);
    if (!f || Text.isEmpty() || Text == f->DisplayName()) return;
    if (!f->Rename(Text)) return;
    UpdateItems(Index, Index);
    if (FTreeView && FTreeView->Selected()) FTreeView->Refresh(FTreeView->Selected());
}
