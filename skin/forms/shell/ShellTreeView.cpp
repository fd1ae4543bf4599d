#include "skin/forms/shell/ShellTreeView.h"

#include "skin/forms/shell/ShellComboBox.h"

#include "platform/Application.h"
#include "platform/Shell.h"
#include "skin/forms/shell/ShellChangeNotifier.h"
#include "skin/forms/shell/ShellIcons.h"
#include "skin/forms/shell/ShellLabelEdit.h"
#include "skin/forms/shell/ShellWaitCursor.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStandardItemModel>
#include <QTreeView>

#include <vector>

namespace {

template <class F> void ForEachNode(TTreeNode* node, F&& f) {
    f(node);
    for (int i = 0; i < node->Count(); ++i) ForEachNode(node->Item(i), f);
}

// Restores a flag however the block ends.
struct TFlagGuard {
    bool& flag;
    bool old;
    explicit TFlagGuard(bool& f) : flag(f), old(f) { flag = true; }
    ~TFlagGuard() { flag = old; }
};

}  // namespace

TqvCustomShellTreeView::TqvCustomShellTreeView(QObject* AOwner) : TqvSkinCustomTreeView(AOwner) {
    View()->setRootIsDecorated(false);
    View()->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SetImages(TqvShellIcons::Instance().Small());
    connect(View(), &QTreeView::expanded, this, [this](const QModelIndex& index) {
        TTreeNode* node = Items().NodeOf(Items().Model()->itemFromIndex(index));
        if (node) Application()->Guard([&] { CanExpand(node); });
    });
    if (!Loading()) CreateRootNode();
}

TqvCustomShellTreeView::~TqvCustomShellTreeView() {
    if (FEditor) FEditor->deleteLater();
    std::vector<TqvShellFolder*> folders;
    for (int i = 0; i < Items().TopCount(); ++i)
        ForEachNode(Items().Top(i), [&](TTreeNode* n) { folders.push_back(FolderOf(n)); });
    for (TqvShellFolder* f : folders) delete f;
}

TqvShellFolder* TqvCustomShellTreeView::FolderOf(const TTreeNode* Node) {
    return Node ? static_cast<TqvShellFolder*>(Node->Data()) : nullptr;
}

TqvShellFolder* TqvCustomShellTreeView::SelectedFolder() const { return FolderOf(Selected()); }

void TqvCustomShellTreeView::Loaded() {
    TqvSkinCustomTreeView::Loaded();
    CreateRootNode();
    SetAutoRefresh(FAutoRefresh);
}

void TqvCustomShellTreeView::ReleaseNodes() {
    // A name being edited belongs to a node about to go.
    if (FEditor) FEditor->Finish(false);
    std::vector<TqvShellFolder*> folders;
    for (int i = 0; i < Items().TopCount(); ++i)
        ForEachNode(Items().Top(i), [&](TTreeNode* n) {
            folders.push_back(FolderOf(n));
            n->SetData(nullptr);
        });
    View()->setUpdatesEnabled(false);
    Items().Clear();
    View()->setUpdatesEnabled(true);
    for (TqvShellFolder* f : folders) delete f;
}

void TqvCustomShellTreeView::DeleteNode(TTreeNode* Node) {
    if (!Node) return;
    if (FEditor) FEditor->Finish(false);
    std::vector<TqvShellFolder*> folders;
    ForEachNode(Node, [&](TTreeNode* n) {
        folders.push_back(FolderOf(n));
        n->SetData(nullptr);
    });
    Items().Delete(Node);
    for (TqvShellFolder* f : folders) delete f;
}

void TqvCustomShellTreeView::SetNodeImages(TTreeNode* Node) {
    TqvShellFolder* f = FolderOf(Node);
    if (!f || !FUseShellImages) return;
    Node->SetImageIndex(f->ImageIndex(false));
    Node->SetSelectedIndex(f->ImageIndex(false, true));
}

void TqvCustomShellTreeView::CreateRootNode() {
    if (Loading()) return;
    QString error;
    try {
        FRootFolder = FolderFromRoot(FOldRoot, FRoot, FRootFolder.get());
    } catch (const std::exception& e) {
        error = QString::fromStdString(e.what());
    }
    if (FRootFolder && error.isEmpty()) {
        TFlagGuard loading(FLoadingRoot);
        ReleaseNodes();
        auto folder = FolderFromItemID(FRootFolder->AbsoluteID());
        TTreeNode* node = Items().Add(folder->DisplayName());
        node->SetData(folder.release());
        SetNodeImages(node);
        node->SetHasChildren(FolderOf(node)->SubFolders());
        node->Expand();
        SetSelected(node);
    }
    if (!error.isEmpty()) throw std::runtime_error(error.toStdString());
}

void TqvCustomShellTreeView::FillNode(TTreeNode* Node) {
    TqvShellFolder* folder = FolderOf(Node);
    if (!folder) return;
    TqvShellWaitCursor wait;
    std::vector<std::unique_ptr<TqvShellFolder>> items;
    // A folder that cannot be read just shows no children.
    folder->Enumerate(FObjectTypes, items);
    for (auto& item : items) {
        TTreeNode* child = Items().AddChild(Node, item->DisplayName());
        InitNode(child, std::move(item));
    }
}

void TqvCustomShellTreeView::InitNode(TTreeNode* Node, std::unique_ptr<TqvShellFolder> Folder) {
    TqvShellFolder* f = Folder.release();
    Node->SetData(f);
    Node->SetText(f->DisplayName());
    SetNodeImages(Node);
    bool has = f->SubFolders();
    if (FObjectTypes.Contains(otNonFolders) && f->IsFolder()) has = f->HasSubItems(FObjectTypes);
    Node->SetHasChildren(has);
    bool canAdd = true;
    if (OnAddFolder) OnAddFolder(this, f, canAdd);
    if (!canAdd) DeleteNode(Node);
}

bool TqvCustomShellTreeView::CanExpand(TTreeNode* Node) {
    TqvShellFolder* f = FolderOf(Node);
    if (!f || !Node->HasChildren()) return true;
    if (!f->IsFolder()) {
        ShellActions().Open(f->PathName());
    } else if (Node->HasChildren() && Node->Count() == 0) {
        FillNode(Node);
    }
    Node->SetHasChildren(Node->Count() > 0);
    return true;
}

void TqvCustomShellTreeView::SetRoot(const TRoot& v) {
    if (v.compare(FRoot, Qt::CaseInsensitive) == 0 && FRootFolder) return;
    FOldRoot = FRoot;
    FRoot = v;
    ApplyRoot();
}

void TqvCustomShellTreeView::SetObjectTypes(TShellObjectTypes v) {
    FObjectTypes = v;
    ApplyRoot();
}

void TqvCustomShellTreeView::ApplyRoot() {
    if (FUpdating || Loading()) return;
    TFlagGuard updating(FUpdating);
    CreateRootNode();
    if (FListView) FListView->SetRoot(FRoot);
}

void TqvCustomShellTreeView::SetUseShellImages(bool v) {
    FUseShellImages = v;
    SetImages(v ? TqvShellIcons::Instance().Small() : nullptr);
}

void TqvCustomShellTreeView::SetAutoRefresh(bool v) {
    FAutoRefresh = v;
    if (Loading()) return;
    delete FNotifier.data();
    if (!v) return;
    const QString watched = FPathToMonitor ? *FPathToMonitor : FRootFolder ? FRootFolder->PathName() : QString();
    auto* n = new TqvShellChangeNotifier(this);
    n->SetWatchSubTree(false);
    n->SetRoot(watched);
    n->SetOnChange([this] { RefreshSelected(); });
    FNotifier = n;
}

void TqvCustomShellTreeView::RefreshSelected() {
    if (Selected()) Refresh(Selected());
}

void TqvCustomShellTreeView::SetShellListView(TqvCustomShellListView* v) {
    if (v == FListView) return;
    if (FListView) FListView->FTreeView = nullptr;
    FListView = v;
    if (!v) return;
    v->FTreeView = this;
    v->SetRoot(FRoot);
}

QString TqvCustomShellTreeView::Path() const {
    TqvShellFolder* f = SelectedFolder();
    return f ? f->PathName() : QString();
}

void TqvCustomShellTreeView::SetPath(const QString& v) {
    FPath = v;
    const TqvShellID id = ParseDisplayName(v, SelectedFolder());
    SelectByID(id);
    if (TTreeNode* n = Selected()) {
        n->Expand();
        SyncListTo(n);
    }
    FPath = v;
}

void TqvCustomShellTreeView::ExpandMyComputer() {
    SelectByID(TqvShellID::Computer());
    if (TTreeNode* n = Selected()) n->Expand();
}

TTreeNode* TqvCustomShellTreeView::FindNodeByID(TTreeNode* Start, const TqvShellID& id) const {
    if (!Start) return nullptr;
    if (TqvShellFolder* f = FolderOf(Start); f && SameItemIDList(f->AbsoluteID(), id)) return Start;
    for (int i = 0; i < Start->Count(); ++i)
        if (TTreeNode* n = FindNodeByID(Start->Item(i), id)) return n;
    return nullptr;
}

TTreeNode* TqvCustomShellTreeView::LocateNode(const TqvShellID& id) {
    TTreeNode* start = Items().Top(0);
    for (const TqvShellID& part : SplitItemIDList(id)) {
        TTreeNode* found = nullptr;
        if (start)
            for (int i = -1; i < start->Count() && !found; ++i) {
                TTreeNode* n = i < 0 ? start : start->Item(i);
                if (TqvShellFolder* f = FolderOf(n); f && f->AbsoluteID() == part) found = n;
            }
        if (found) start = found;
    }
    if (start) {
        if (TqvShellFolder* f = FolderOf(start); f && f->AbsoluteID() == id) return start;
        for (int i = 0; i < start->Count(); ++i)
            if (TqvShellFolder* f = FolderOf(start->Item(i)); f && f->AbsoluteID() == id) return start->Item(i);
    }
    return FindNodeByID(Items().Top(0), id);
}

void TqvCustomShellTreeView::SelectByID(TqvShellID id) {
    // While the tree itself moves the list, the list's echo changes nothing.
    if (Loading() || FUpdating) return;
    if (TqvShellFolder* f = SelectedFolder(); f && SameItemIDList(f->AbsoluteID(), id)) return;
    TFlagGuard updating(FUpdating);
    TTreeNode* start = Items().Top(0);
    for (const TqvShellID& part : SplitItemIDList(id)) {
        if (TTreeNode* n = FindNodeByID(start, part)) {
            n->Expand();
            start = n;
        }
    }
    TTreeNode* node = FindNodeByID(start, id);
    if (!node) return;
    SetSelected(node);
    View()->scrollTo(node->ModelIndex());
    if (FListView) FListView->SyncToID(id);
}

TTreeNode* TqvCustomShellTreeView::TopItem() {
    const QModelIndex i = View()->indexAt(QPoint(1, 1));
    return i.isValid() ? Items().NodeOf(Items().Model()->itemFromIndex(i)) : nullptr;
}

void TqvCustomShellTreeView::SetTopItem(TTreeNode* Node) {
    if (Node) View()->scrollTo(Node->ModelIndex(), QAbstractItemView::PositionAtTop);
}

void TqvCustomShellTreeView::Refresh(TTreeNode* Node) {
    TqvShellFolder* old = FolderOf(Node);
    if (!old) return;
    const TqvShellFolder* top = FolderOf(TopItem());
    const TqvShellFolder* sel = SelectedFolder();
    const bool hadTop = top, hadSel = sel;
    const TqvShellID topID = top ? top->AbsoluteID() : TqvShellID(), selID = sel ? sel->AbsoluteID() : TqvShellID();
    std::vector<TqvShellID> expanded;
    ForEachNode(Node, [&](TTreeNode* n) {
        if (n->Expanded() && FolderOf(n)) expanded.push_back(FolderOf(n)->AbsoluteID());
    });
    {
        TFlagGuard updating(FUpdating);
        TqvShellWaitCursor wait;
        View()->setUpdatesEnabled(false);
        struct TEnd {
            QTreeView* v;
            ~TEnd() { v->setUpdatesEnabled(true); }
        } end{View()};
        TTreeNode* fresh = Items().Insert(Node, old->DisplayName());
        fresh->SetData(old->Clone(Node->Parent() ? FolderOf(Node->Parent()) : nullptr).release());
        FillNode(fresh);
        SetNodeImages(fresh);
        fresh->SetHasChildren(fresh->Count() > 0);
        fresh->SetText(FolderOf(fresh)->DisplayName());
        for (const TqvShellID& id : expanded)
            if (TTreeNode* n = FindNodeByID(fresh, id)) n->Expand();
        DeleteNode(Node);
        if (hadSel)
            if (TTreeNode* n = LocateNode(selID)) SetSelected(n);
        if (hadTop) SetTopItem(LocateNode(topID));
    }
    // A selected folder that went away leaves the selection elsewhere: the list follows it.
    if (hadSel && Selected() && !SameItemIDList(SelectedFolder()->AbsoluteID(), selID)) SyncListTo(Selected());
}

void TqvCustomShellTreeView::SyncListTo(TTreeNode* Node) {
    TqvShellFolder* f = FolderOf(Node);
    if (!f || FUpdating) return;
    const bool refresh = FAutoRefresh;
    SetAutoRefresh(false);
    // Copies: the list's OnPathChanged runs in between and may read this
    // tree again, freeing the node and its folder.
    FPathToMonitor = f->PathName();
    // A file's node shows its folder in the list.
    if (!f->IsFolder() && Node->Parent()) f = FolderOf(Node->Parent());
    if (f) {
        const TqvShellID id = f->AbsoluteID();
        {
            TFlagGuard updating(FUpdating);
            if (FListView) FListView->SyncToID(id);
        }
        if (FComboBox) FComboBox->SyncToID(id);
    }
    SetAutoRefresh(refresh);
    FPathToMonitor.reset();
}

void TqvCustomShellTreeView::Change(TTreeNode* Node) {
    TqvSkinCustomTreeView::Change(Node);
    if (!FUpdating && Node) SyncListTo(Node);
}

void TqvCustomShellTreeView::EditSelected() {
    TTreeNode* node = Selected();
    if (!node || IsEditing()) return;
    View()->scrollTo(node->ModelIndex());
    const QRect r = View()->visualRect(node->ModelIndex());
    QPointer<TqvCustomShellTreeView> self(this);
    TqvShellFolder* edited = FolderOf(node);
    FEditor = TqvShellLabelEdit::Start(View()->viewport(), r, node->Text(),
                                       [self, edited](const QString& text, bool accepted) {
                                           if (!self) return;
                                           self->View()->setFocus();
                                           TTreeNode* n = self->Selected();
                                           if (accepted && n && FolderOf(n) == edited) self->Edit(n, text);
                                       });
}

void TqvCustomShellTreeView::Edit(TTreeNode* Node, const QString& Text) {
    if (Text.isEmpty()) return;
    QString s = Text;
    if (OnEdited) OnEdited(this, Node, s);
    TqvShellFolder* f = FolderOf(Node);
    // The root node is what Root names: renaming it would leave Root naming nothing.
    if (!f || !Node->Parent() || s == Node->Text() || !f->Rename(s)) return;
    Node->SetText(f->DisplayName());
    if (TTreeNode* parent = Node->Parent()) Refresh(parent);
}

bool TqvCustomShellTreeView::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress && watched == Inner()) {
        if (TqvSkinCustomTreeView::eventFilter(watched, e)) return true;
        if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_F2 && !IsEditing()) {
            Application()->Guard([&] { EditSelected(); });
            return true;
        }
        return false;
    }
    return TqvSkinCustomTreeView::eventFilter(watched, e);
}

void TqvCustomShellTreeView::DoContextPopup(TPoint ScreenPoint) {
    ShowShellContextMenu(this, SelectedFolder(), ScreenPoint);
}

void TqvCustomShellTreeView::contextMenuEvent(QContextMenuEvent* e) {
    if (!FAutoContext || !SelectedFolder()) {
        TqvSkinCustomTreeView::contextMenuEvent(e);
        return;
    }
    e->accept();
    Application()->Guard([&] { DoContextPopup(TPoint::FromQPoint(e->globalPos())); });
}

void TqvCustomShellTreeView::ExecuteCommand(const QString& Verb, bool& Handled) {
    if (Verb.compare(QLatin1String("rename"), Qt::CaseInsensitive) == 0 && Selected()) {
        EditSelected();
        Handled = true;
    }
}

void TqvCustomShellTreeView::CommandCompleted(const QString& Verb, bool Succeeded) {
    TTreeNode* node = Selected();
    if (!Succeeded || !node) return;
    if (Verb.compare(QLatin1String("delete"), Qt::CaseInsensitive) == 0) {
        if (TqvShellFolder* f = FolderOf(node); f && !QFileInfo::exists(f->PathName())) DeleteNode(node);
    } else if (Verb.compare(QLatin1String("paste"), Qt::CaseInsensitive) == 0) {
        Refresh(node);
    }
}
