// The class library's tree view on a QTreeView (header hidden): nodes with
// text, images, children, expansion and selection, and OnChange when the
// selected node changes.
#pragma once

#include "platform/Control.h"
#include "platform/ImgList.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QModelIndex;
class QStandardItem;
class QStandardItemModel;
class QTreeView;
class TTreeNodes;
class TCustomTreeView;

class TTreeNode {
public:
    QString Text() const;
    void SetText(const QString& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    // The picture while the node is selected (-1: the image index's).
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int v);
    // Whether the node shows an expand button before its children are added.
    bool HasChildren() const;
    void SetHasChildren(bool v);
    void* Data() const { return FData; }
    void SetData(void* v) { FData = v; }
    TTreeNode* Parent() const { return FParent; }
    int Count() const;
    TTreeNode* Item(int i) const;
    bool Expanded() const;
    void SetExpanded(bool v);
    void Expand() { SetExpanded(true); }
    void Collapse() { SetExpanded(false); }
    bool Selected() const;
    void SetSelected(bool v);
    TTreeNodes* Owner() const { return FOwner; }
    QModelIndex ModelIndex() const;

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    TTreeNodes* FOwner = nullptr;
    TTreeNode* FParent = nullptr;
    QStandardItem* FItem = nullptr;
    void ApplyIcon();
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    void* FData = nullptr;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView* view);
    ~TTreeNodes();
    // A top-level node (after the last one), or a last child of Parent.
    TTreeNode* Add(const QString& text) { return AddChild(nullptr, text); }
    TTreeNode* AddChild(TTreeNode* Parent, const QString& text);
    // A node just before Sibling, under the same parent.
    TTreeNode* Insert(TTreeNode* Sibling, const QString& text);
    // Removes the node with everything below it.
    void Delete(TTreeNode* node);
    void Clear();
    // Every node, at any depth.
    int Count() const { return int(FNodes.size()); }
    int TopCount() const;
    TTreeNode* Top(int i) const;
    TTreeNode* NodeOf(QStandardItem* item) const;
    TCustomTreeView* Owner() const { return FView; }
    QStandardItemModel* Model() const { return FModel; }

private:
    std::unique_ptr<TTreeNode> NewNode(TTreeNode* Parent, const QString& text);
    TCustomTreeView* FView;
    QStandardItemModel* FModel;
    std::vector<std::unique_ptr<TTreeNode>> FNodes;
};

using TTVChangedEvent = std::function<void(QObject* Sender, TTreeNode* Node)>;

class TCustomTreeView : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomTreeView(QObject* AOwner = nullptr);
    ~TCustomTreeView() override;

    TTreeNodes& Items() { return *FItems; }
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* node);
    TCustomImageList* Images() const { return FImages.data(); }
    void SetImages(TCustomImageList* v);
    QTreeView* View() const { return FView; }
    // Rows a full viewport shows.
    int VisibleCount() const;
    // Rows reachable by expanding (visible rows of the whole tree).
    int ExpandedCount() const;

    TTVChangedEvent OnChange;

protected:
    virtual void Change(TTreeNode* Node);
    void ColorChanged() override;
    void FontChanged() override;

private:
    friend class TTreeNode;
    std::unique_ptr<TTreeNodes> FItems;
    QTreeView* FView;
    QPointer<TCustomImageList> FImages;
};
