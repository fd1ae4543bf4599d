// The shell namespace as a folder tree in the skinned tree view: one root
// node (the Desktop unless Root says otherwise), children read when a node
// is first expanded, renaming in place, and two-way linking with a shell
// list view. Every node's Data is the TqvShellFolder it shows; the tree owns it.
#pragma once

#include "skin/controls/trees/SkinTreeView.h"
#include "skin/forms/shell/ShellContextMenu.h"
#include "skin/forms/shell/ShellLabelEdit.h"
#include "skin/forms/shell/ShellListView.h"
#include "skin/forms/shell/ShellNamespace.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class TqvCustomShellComboBox;
class TqvShellChangeNotifier;

using TTVEditedEvent = std::function<void(QObject* Sender, TTreeNode* Node, QString& S)>;

class TqvCustomShellTreeView : public TqvSkinCustomTreeView, public IShellVerbHandler {
    Q_OBJECT
public:
    explicit TqvCustomShellTreeView(QObject* AOwner = nullptr);
    ~TqvCustomShellTreeView() override;

    TRoot Root() const { return FRoot; }
    // A TRootFolder name or a folder path; a bad one raises "Error setting
    // path" and leaves the tree as it was.
    void SetRoot(const TRoot& v);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes v);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool v);
    bool AutoContextMenus() const { return FAutoContext; }
    void SetAutoContextMenus(bool v) { FAutoContext = v; }
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool v);
    TqvCustomShellListView* ShellListView() const { return FListView.data(); }
    void SetShellListView(TqvCustomShellListView* v);

    // The selected node's path; setting one (absolute, or relative to the
    // selected folder) expands the folders above it and selects it. A text
    // that names nothing raises EInvalidPath "Error setting path".
    QString Path() const;
    void SetPath(const QString& v);
    TqvShellFolder* SelectedFolder() const;
    static TqvShellFolder* FolderOf(const TTreeNode* Node);
    TqvShellFolder* RootFolder() const { return FRootFolder.get(); }
    // Selects the Computer and expands it.
    void ExpandMyComputer();
    // Reads the node's subtree again, keeping what was expanded, the
    // selection and the top node.
    void Refresh(TTreeNode* Node);
    // Expands the chain of the id down from the root and selects its node.
    // By value: OnChange and the linked list run meanwhile and may free
    // whatever item the id came from.
    void SelectByID(TqvShellID id);
    // The node of id: start and the nodes below it, in tree order.
    TTreeNode* FindNodeByID(TTreeNode* Start, const TqvShellID& id) const;
    TTreeNode* TopItem();
    void SetTopItem(TTreeNode* Node);

    // Renames the selected node in place (F2, or the "Rename" verb).
    void EditSelected();
    bool IsEditing() const { return FEditor && FEditor->Active(); }
    TqvShellLabelEdit* Editor() const { return IsEditing() ? FEditor.data() : nullptr; }
    void DoContextPopup(TPoint ScreenPoint);

    void ExecuteCommand(const QString& Verb, bool& Handled) override;
    void CommandCompleted(const QString& Verb, bool Succeeded) override;
    void Loaded() override;

    TAddFolderEvent OnAddFolder;
    TTVEditedEvent OnEdited;

protected:
    // Also what the class library ran before a selection change: it passes
    // the node's folder (a file's parent) to the linked list.
    void Change(TTreeNode* Node) override;
    // A node opened for the first time reads its children.
    virtual bool CanExpand(TTreeNode* Node);
    // The end of renaming in place.
    void Edit(TTreeNode* Node, const QString& Text);
    bool eventFilter(QObject* watched, QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    friend class TqvCustomShellListView;
    friend class TqvCustomShellComboBox;
    void CreateRootNode();
    void ApplyRoot();
    void FillNode(TTreeNode* Node);
    void InitNode(TTreeNode* Node, std::unique_ptr<TqvShellFolder> Folder);
    void SetNodeImages(TTreeNode* Node);
    void ReleaseNodes();
    void DeleteNode(TTreeNode* Node);
    void RefreshSelected();
    // The node of id reached down its chain from the root without expanding
    // anything; else the first in tree order.
    TTreeNode* LocateNode(const TqvShellID& id);
    void SyncListTo(TTreeNode* Node);

    QString FPath;
    TRoot FRoot = QStringLiteral("rfDesktop");
    TRoot FOldRoot;
    std::unique_ptr<TqvShellFolder> FRootFolder;
    TShellObjectTypes FObjectTypes{otFolders};
    bool FLoadingRoot = false;
    bool FAutoContext = true;
    bool FUpdating = false;
    QPointer<TqvCustomShellListView> FListView;
    // The look-in box that follows this tree (set by the box).
    QPointer<TqvCustomShellComboBox> FComboBox;
    bool FAutoRefresh = false;
    bool FUseShellImages = true;
    QPointer<TqvShellChangeNotifier> FNotifier;
    // The folder a selection change watches, while it is being made.
    std::optional<QString> FPathToMonitor;
    QPointer<TqvShellLabelEdit> FEditor;
};

class TqvSkinDirTreeView : public TqvCustomShellTreeView {
    Q_OBJECT
public:
    using TqvCustomShellTreeView::TqvCustomShellTreeView;
};
