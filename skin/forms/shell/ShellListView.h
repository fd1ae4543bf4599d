// A shell folder's contents in the skinned list view: folders first, then
// the files the mask lets through, with the namespace's names, icons and
// four detail columns in the report style; sorting by column, navigation by
// keys and double click, renaming in place, and two-way linking with a
// shell tree view. The rows are owner data: the list keeps one
// TqvShellFolder per row and the view asks for texts when it shows them.
#pragma once

#include "platform/Classes.h"
#include "skin/controls/views/SkinListView.h"
#include "skin/forms/shell/ShellContextMenu.h"
#include "skin/forms/shell/ShellLabelEdit.h"
#include "skin/forms/shell/ShellNamespace.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class TqvCustomShellComboBox;
class TqvCustomShellTreeView;
class TqvShellChangeNotifier;

// Raised for every item a shell view is about to show; CanAdd = false leaves it out.
using TAddFolderEvent = std::function<void(QObject* Sender, TqvShellFolder* AFolder, bool& CanAdd)>;

class TqvCustomShellListView : public TqvSkinCustomListView, public IShellVerbHandler {
    Q_OBJECT
public:
    explicit TqvCustomShellListView(QObject* AOwner = nullptr);
    ~TqvCustomShellListView() override;

    TRoot Root() const { return FRoot; }
    // A TRootFolder name or a folder path; a bad one raises "Error setting
    // path" and keeps the old root.
    void SetRoot(const TRoot& v);
    QString Mask() const { return FMask; }
    void SetMask(const QString& v);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    void SetObjectTypes(TShellObjectTypes v);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    bool AutoContextMenus() const { return FAutoContext; }
    void SetAutoContextMenus(bool v) { FAutoContext = v; }
    bool AutoNavigate() const { return FAutoNavigate; }
    void SetAutoNavigate(bool v) { FAutoNavigate = v; }
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool v);
    TqvCustomShellTreeView* ShellTreeView() const { return FTreeView.data(); }
    void SetShellTreeView(TqvCustomShellTreeView* v);

    // The folder shown.
    TqvShellFolder* RootFolder() const { return FRootFolder.get(); }
    // Its path (empty for the Computer); a text relative to it goes below it.
    // A text that names no folder raises EInvalidPath "Error setting path".
    QString Path() const;
    void SetPath(const QString& v);
    // Up one level; nothing at the Desktop.
    void Back();
    // Reads the folder again and selects the same row when there still is one.
    void Refresh();
    // The selected item's path when it is a file, else empty.
    QString GetSelectedFile() const;
    // The paths of the selected files (not folders), in row order.
    void GetSelectedFiles(TStrings& AFiles) const;
    TqvShellFolder* SelectedFolder() const;
    int FolderCount() const { return int(FFolders.size()); }
    TqvShellFolder* Folders(int i) const;

    // By value: the id is often a row's, and going there frees every row.
    void NavigateToID(TqvShellID id);
    void SyncToID(const TqvShellID& id);

    // Renames the selected item in place (F2, or the "Rename" verb).
    void EditSelected();
    bool IsEditing() const { return FEditor && FEditor->Active(); }
    TqvShellLabelEdit* Editor() const { return IsEditing() ? FEditor.data() : nullptr; }
    int SortColumn() const { return FSortColumn; }
    bool SortDescending() const { return FSortDirection; }
    // The right-click menu at a screen point (the mouse's, normally).
    void DoContextPopup(TPoint ScreenPoint);

    void ExecuteCommand(const QString& Verb, bool& Handled) override;
    void CommandCompleted(const QString& Verb, bool Succeeded) override;

    void SetViewStyle(TViewStyle v) override;
    void Loaded() override;

    TAddFolderEvent OnAddFolder;
    TNotifyEvent OnPathChanged;

protected:
    virtual void FillItems();
    void OwnerDataFetch(TListItem* Item) override;
    // After OnColumnClick: sorts by the column.
    virtual void ColClick(int Column);
    // Before OnDblClick: opens the selected folder.
    virtual void DblClick();
    // After OnKeyDown: Backspace, Enter, F5, F2. True when the key was used.
    virtual bool KeyDown(int Key, Qt::KeyboardModifiers Shift);
    // The end of renaming in place; OnEdited is not raised.
    void Edit(int Index, const QString& Text);
    bool eventFilter(QObject* watched, QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    friend class TqvCustomShellTreeView;
    friend class TqvCustomShellComboBox;
    void CreateRootFolder();
    void Repopulate();
    void SyncPartners();
    void BuildColumns();
    void ReleaseFolders();
    void SortFolders(bool columnMode);

    int FOldSortColumn = -1;
    int FSortColumn = -1;
    bool FSortDirection = false;
    TRoot FOldRoot;
    TRoot FRoot = QStringLiteral("rfDesktop");
    std::unique_ptr<TqvShellFolder> FRootFolder;
    bool FAutoContext = true;
    bool FAutoRefresh = false;
    bool FAutoNavigate = true;
    bool FSorted = true;
    bool FUpdating = false;
    TShellObjectTypes FObjectTypes{otFolders, otNonFolders};
    std::vector<std::unique_ptr<TqvShellFolder>> FFolders;
    QPointer<TqvCustomShellTreeView> FTreeView;
    // The look-in box that follows this list (set by the box).
    QPointer<TqvCustomShellComboBox> FComboBox;
    QPointer<TqvShellChangeNotifier> FNotifier;
    bool FSettingRoot = false;
    QString FMask = QStringLiteral("*.*|*.*");
    QPointer<TqvShellLabelEdit> FEditor;
};

class TqvSkinFileListView : public TqvCustomShellListView {
    Q_OBJECT
public:
    using TqvCustomShellListView::TqvCustomShellListView;
};
