// The look-in box of the file dialogs: a skinned combo box whose list shows
// the root folder, its children, the volumes under the Computer and the
// chain of folders down to the current one, each indented by its depth and
// drawn with its icon. Choosing an entry moves a linked shell list and tree;
// when they change folder, the box follows.
#pragma once

#include "skin/controls/combos/SkinComboBox.h"
#include "skin/forms/shell/ShellNamespace.h"

#include <QPointer>

#include <memory>
#include <vector>

class TqvCustomShellListView;
class TqvCustomShellTreeView;

// One entry: its caption, its folder (owned by the box), its indent (the
// folder's depth below the root) and its icon.
struct TqvItemEx {
    QString Caption;
    std::unique_ptr<TqvShellFolder> Data;
    int Indent = 0;
    int ImageIndex = -1;
    int SelectedImageIndex = -1;
};

class TqvItemsEx {
public:
    int Count() const { return int(FItems.size()); }
    TqvItemEx& operator[](int i) { return *FItems[size_t(i)]; }
    const TqvItemEx& operator[](int i) const { return *FItems[size_t(i)]; }
    TqvItemEx& Add();
    TqvItemEx& Insert(int Index);
    TqvItemEx& AddItem(const QString& ACaption, int AImageIndex, int ASelectedIndex, int AIdent,
                       std::unique_ptr<TqvShellFolder> AFolder);
    void Clear() { FItems.clear(); }
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate() { --FUpdateCount; }
    bool Updating() const { return FUpdateCount > 0; }

private:
    std::vector<std::unique_ptr<TqvItemEx>> FItems;
    int FUpdateCount = 0;
};

class TqvCustomShellComboBox : public TqvSkinCustomComboBox {
    Q_OBJECT
public:
    explicit TqvCustomShellComboBox(QObject* AOwner = nullptr);
    ~TqvCustomShellComboBox() override;

    TRoot Root() const { return FRoot; }
    // A TRootFolder name or a folder path; a bad one raises "Error setting
    // path" and keeps the old root.
    void SetRoot(const TRoot& v);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes v);
    TqvCustomShellTreeView* ShellTreeView() const { return FTreeView.data(); }
    void SetShellTreeView(TqvCustomShellTreeView* v);
    TqvCustomShellListView* ShellListView() const { return FListView.data(); }
    void SetShellListView(TqvCustomShellListView* v);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool v);

    const TqvItemsEx& ItemsEx() const { return FItemsEx; }
    // The current entry's folder path; empty without one (or for the Computer).
    QString Path() const;
    // Absolute, or relative to the current folder; raises EInvalidPath.
    void SetPath(const QString& v);
    TqvShellFolder* CurrentFolder() const;

    // What the linked views call when they change folder.
    void SyncToID(const TqvShellID& id);
    // Rebuilds the entries with the chain down to id and makes it current.
    // By value: the entries, which may hold the id, are freed first.
    void NavigateToID(TqvShellID id);
    int IndexOfID(const TqvShellID& id) const;

    void Loaded() override;
    void Change() override;

protected:
    virtual void AddStandardItems();
    void CreateRootItems();
    void ReleaseItems();
    void ApplyRoot();
    void InsertChildren(int Index, TqvShellFolder* Folder);
    void RebuildStrings();
    void DrawItem(TCanvas& C, int Index, const TRect& R, bool List);

private:
    TqvItemsEx FItemsEx;
    TRoot FOldRoot;
    TRoot FRoot = QStringLiteral("rfDesktop");
    std::unique_ptr<TqvShellFolder> FRootFolder;
    QPointer<TqvCustomShellTreeView> FTreeView;
    QPointer<TqvCustomShellListView> FListView;
    TShellObjectTypes FObjectTypes{otFolders};
    bool FUseShellImages = true;
    bool FUpdating = false;
};

class TqvSkinShellComboBox : public TqvCustomShellComboBox {
    Q_OBJECT
public:
    using TqvCustomShellComboBox::TqvCustomShellComboBox;
};
