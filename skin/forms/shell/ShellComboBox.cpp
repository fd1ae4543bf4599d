#include "skin/forms/shell/ShellComboBox.h"

#include "skin/forms/shell/ShellIcons.h"
#include "skin/forms/shell/ShellListView.h"
#include "skin/forms/shell/ShellTreeView.h"
#include "skin/model/draw/DrawHelpers.h"

#include <QScopeGuard>

TqvItemEx& TqvItemsEx::Add() { return Insert(Count()); }

TqvItemEx& TqvItemsEx::Insert(int Index) {
    Index = std::clamp(Index, 0, Count());
    return **FItems.insert(FItems.begin() + Index, std::make_unique<TqvItemEx>());
}

TqvItemEx& TqvItemsEx::AddItem(const QString& ACaption, int AImageIndex, int ASelectedIndex, int AIdent,
                               std::unique_ptr<TqvShellFolder> AFolder) {
    TqvItemEx& it = Add();
    it.Caption = ACaption;
    it.ImageIndex = AImageIndex;
    it.SelectedImageIndex = ASelectedIndex;
    it.Indent = AIdent;
    it.Data = std::move(AFolder);
    return it;
}

namespace {

// Sets a flag for a block and puts back what it was however the block ends.
auto Hold(bool& flag) {
    const bool old = flag;
    flag = true;
    return qScopeGuard([&flag, old] { flag = old; });
}

}  // namespace

TqvCustomShellComboBox::TqvCustomShellComboBox(QObject* AOwner) : TqvSkinCustomComboBox(AOwner) {
    OnComboBoxDrawItem = [this](TCanvas& C, int Index, int, int, const TRect& R, TqvOwnerDrawState) {
        DrawItem(C, Index, R, false);
    };
    SetOnListBoxDrawItem([this](TCanvas& C, int Index, int, int, const TRect& R, TqvOwnerDrawState) {
        DrawItem(C, Index, R, true);
    });
    CreateRootItems();
}

TqvCustomShellComboBox::~TqvCustomShellComboBox() {
    if (FTreeView) FTreeView->FComboBox = nullptr;
    if (FListView) FListView->FComboBox = nullptr;
    ReleaseItems();
}

void TqvCustomShellComboBox::Loaded() {
    TqvSkinCustomComboBox::Loaded();
    CreateRootItems();
}

void TqvCustomShellComboBox::SetRoot(const TRoot& v) {
    if (v.compare(FRoot, Qt::CaseInsensitive) == 0) return;
    FOldRoot = FRoot;
    FRoot = v;
    ApplyRoot();
}

void TqvCustomShellComboBox::SetObjectTypes(TShellObjectTypes v) {
    FObjectTypes = v;
    ApplyRoot();
}

void TqvCustomShellComboBox::ApplyRoot() {
    auto updating = Hold(FUpdating);
    CreateRootItems();
    if (FTreeView) FTreeView->SetRoot(FRoot);
    if (FListView) FListView->SetRoot(FRoot);
}

void TqvCustomShellComboBox::SetShellTreeView(TqvCustomShellTreeView* v) {
    if (FTreeView) FTreeView->FComboBox = nullptr;
    FTreeView = v;
    if (!v) return;
    v->FComboBox = this;
    v->SetRoot(FRoot);
}

void TqvCustomShellComboBox::SetShellListView(TqvCustomShellListView* v) {
    if (FListView) FListView->FComboBox = nullptr;
    FListView = v;
    if (!v) return;
    v->FComboBox = this;
    v->SetRoot(FRoot);
}

void TqvCustomShellComboBox::SetUseShellImages(bool v) {
    FUseShellImages = v;
    update();
}

void TqvCustomShellComboBox::ReleaseItems() {
    FItemsEx.Clear();
    RebuildStrings();
}

void TqvCustomShellComboBox::RebuildStrings() {
    FItemsEx.BeginUpdate();
    auto end = qScopeGuard([this] { FItemsEx.EndUpdate(); });
    TStrings& s = Items();
    s.BeginUpdate();
    s.Clear();
    for (int i = 0; i < FItemsEx.Count(); ++i) s.Add(FItemsEx[i].Caption);
    s.EndUpdate();
}

void TqvCustomShellComboBox::CreateRootItems() {
    if (Loading()) return;
    FItemsEx.BeginUpdate();
    auto end = qScopeGuard([this] { FItemsEx.EndUpdate(); });
    // A bad root raises here, with the old root text back and the entries kept.
    std::unique_ptr<TqvShellFolder> root = FolderFromRoot(FOldRoot, FRoot);
    ReleaseItems();
    FRootFolder = std::move(root);
    auto top = std::make_unique<TqvShellFolder>(nullptr, FRootFolder->AbsoluteID());
    const int image = top->ImageIndex(false);
    const QString caption = top->DisplayName();
    FItemsEx.AddItem(caption, image, image, 0, std::move(top));
    AddStandardItems();
    RebuildStrings();
    SetItemIndex(0);
}

void TqvCustomShellComboBox::AddStandardItems() {
    InsertChildren(0, FItemsEx[0].Data.get());
    if (FRoot != QLatin1String("rfDesktop")) return;
    const int computer = IndexOfID(TqvShellID::Computer());
    if (computer >= 0) InsertChildren(computer, FItemsEx[computer].Data.get());
}

void TqvCustomShellComboBox::InsertChildren(int Index, TqvShellFolder* Folder) {
    // An unreadable folder adds nothing: the box stays usable.
    std::vector<std::unique_ptr<TqvShellFolder>> children;
    if (!Folder->Enumerate(FObjectTypes, children)) return;
    int k = 0;
    for (auto& child : children) {
        TqvItemEx& it = FItemsEx.Insert(Index + ++k);
        it.Caption = child->DisplayName();
        it.Indent = child->Level();
        it.ImageIndex = it.SelectedImageIndex = child->ImageIndex(false);
        it.Data = std::move(child);
    }
}

int TqvCustomShellComboBox::IndexOfID(const TqvShellID& id) const {
    for (int i = FItemsEx.Count() - 1; i >= 0; --i)
        if (FItemsEx[i].Data && SameItemIDList(FItemsEx[i].Data->AbsoluteID(), id)) return i;
    return -1;
}

void TqvCustomShellComboBox::NavigateToID(TqvShellID id) {
    FItemsEx.BeginUpdate();
    auto end = qScopeGuard([this] { FItemsEx.EndUpdate(); });
    CreateRootItems();
    // The chain below the root, the root first. An entry only stands for a
    // part of it at the part's own depth: the Desktop's "Home" and the desktop
    // folder's entries are shortcuts, and the chain runs through the volume.
    std::vector<TqvShellID> chain = SplitItemIDList(id);
    chain.push_back(id);
    const auto rootAt = std::find(chain.begin(), chain.end(), FRootFolder->AbsoluteID());
    if (rootAt == chain.end()) return;
    chain.erase(chain.begin(), rootAt);
    const auto entryAt = [&](int depth) {
        for (int i = FItemsEx.Count() - 1; i >= 0; --i)
            if (FItemsEx[i].Indent == depth && SameItemIDList(FItemsEx[i].Data->AbsoluteID(), chain[size_t(depth)]))
                return i;
        return -1;
    };
    int depth = int(chain.size()) - 1, i = -1;
    for (; depth >= 0 && (i = entryAt(depth)) < 0; --depth) {}
    if (i < 0) return;
    for (++depth; depth < int(chain.size()); ++depth) {
        auto f = std::make_unique<TqvShellFolder>(FItemsEx[i].Data.get(), chain[size_t(depth)]);
        TqvItemEx& it = FItemsEx.Insert(++i);
        it.Caption = f->DisplayName();
        it.Indent = f->Level();
        it.ImageIndex = f->ImageIndex(false);
        it.SelectedImageIndex = f->ImageIndex(false, true);
        it.Data = std::move(f);
    }
    RebuildStrings();
    SetItemIndex(i);
}

TqvShellFolder* TqvCustomShellComboBox::CurrentFolder() const {
    const int i = ItemIndex();
    return i >= 0 && i < FItemsEx.Count() ? FItemsEx[i].Data.get() : nullptr;
}

QString TqvCustomShellComboBox::Path() const {
    TqvShellFolder* f = CurrentFolder();
    return f ? f->PathName() : QString();
}

void TqvCustomShellComboBox::SetPath(const QString& v) { NavigateToID(ParseDisplayName(v, CurrentFolder())); }

void TqvCustomShellComboBox::SyncToID(const TqvShellID& id) {
    if (FUpdating) return;
    if (TqvShellFolder* f = CurrentFolder(); f && SameItemIDList(f->AbsoluteID(), id)) return;
    auto updating = Hold(FUpdating);
    NavigateToID(id);
}

void TqvCustomShellComboBox::Change() {
    if (FItemsEx.Updating()) return;
    TqvSkinCustomComboBox::Change();
    TqvShellFolder* f = CurrentFolder();
    if (!f || FUpdating) return;
    const TqvShellID id = f->AbsoluteID();
    auto updating = Hold(FUpdating);
    // The chain around the chosen folder is built again, then the views follow.
    NavigateToID(id);
    if (ListBox()->IsShown()) return;
    if (FTreeView) FTreeView->SelectByID(id);
    if (FListView) FListView->SyncToID(id);
}

void TqvCustomShellComboBox::DrawItem(TCanvas& C, int Index, const TRect& R, bool List) {
    if (Index < 0 || Index >= FItemsEx.Count()) return;
    const TqvItemEx& it = FItemsEx[Index];
    TRect T = R;
    TCustomImageList* images = TqvShellIcons::Instance().Small();
    const int w = FUseShellImages ? images->Width() : 16, h = FUseShellImages ? images->Height() : 16;
    // Half an icon per level in the list; the face shows the entry unindented.
    if (List) T.Left += it.Indent * w / 2;
    if (FUseShellImages && it.ImageIndex >= 0 && it.ImageIndex < images->Count()) {
        images->Draw(C, T.Left, T.Top + (T.Height() - h) / 2, it.ImageIndex, Enabled());
        T.Left += w + 4;
    }
    TextRectVCentered(C, it.Caption, T);
}
