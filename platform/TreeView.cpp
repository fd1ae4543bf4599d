#include "platform/TreeView.h"

#include "platform/Application.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

#include <algorithm>
#include <set>

namespace {

constexpr int kNodeRole = Qt::UserRole + 1;
constexpr int kHasChildrenRole = Qt::UserRole + 2;

// A node may show its expand button before its children exist (they are
// added when it is first expanded).
class TTreeModel : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;
    bool hasChildren(const QModelIndex& parent) const override {
        return QStandardItemModel::hasChildren(parent) ||
               (parent.isValid() && parent.data(kHasChildrenRole).toBool());
    }
};

int CountExpanded(const QTreeView* v, const QModelIndex& parent) {
    const QAbstractItemModel* m = v->model();
    int n = 0;
    for (int r = 0; r < m->rowCount(parent); ++r) {
        const QModelIndex i = m->index(r, 0, parent);
        ++n;
        if (v->isExpanded(i)) n += CountExpanded(v, i);
    }
    return n;
}

}  // namespace

// ---- TTreeNode ----

QString TTreeNode::Text() const { return FItem->text(); }
void TTreeNode::SetText(const QString& v) { FItem->setText(v); }

void TTreeNode::SetImageIndex(int v) {
    FImageIndex = v;
    ApplyIcon();
}

void TTreeNode::SetSelectedIndex(int v) {
    FSelectedIndex = v;
    ApplyIcon();
}

void TTreeNode::ApplyIcon() {
    TCustomImageList* il = FOwner->Owner()->Images();
    auto valid = [il](int i) { return il && i >= 0 && i < il->Count(); };
    QIcon icon;
    if (valid(FImageIndex)) icon.addPixmap(QPixmap::fromImage(il->Image(FImageIndex)));
    if (valid(FSelectedIndex) && FSelectedIndex != FImageIndex)
        icon.addPixmap(QPixmap::fromImage(il->Image(FSelectedIndex)), QIcon::Selected);
    FItem->setIcon(icon);
}

bool TTreeNode::HasChildren() const { return Count() > 0 || FItem->data(kHasChildrenRole).toBool(); }

void TTreeNode::SetHasChildren(bool v) { FItem->setData(v, kHasChildrenRole); }

QModelIndex TTreeNode::ModelIndex() const { return FItem->index(); }

int TTreeNode::Count() const { return FItem->rowCount(); }

TTreeNode* TTreeNode::Item(int i) const {
    return i >= 0 && i < Count() ? FOwner->NodeOf(FItem->child(i)) : nullptr;
}

bool TTreeNode::Expanded() const { return FOwner->Owner()->View()->isExpanded(FItem->index()); }
void TTreeNode::SetExpanded(bool v) { FOwner->Owner()->View()->setExpanded(FItem->index(), v); }

bool TTreeNode::Selected() const { return FOwner->Owner()->Selected() == this; }

void TTreeNode::SetSelected(bool v) {
    if (v) FOwner->Owner()->SetSelected(this);
    else if (Selected()) FOwner->Owner()->SetSelected(nullptr);
}

// ---- TTreeNodes ----

TTreeNodes::TTreeNodes(TCustomTreeView* view) : FView(view), FModel(new TTreeModel(view)) {}

TTreeNodes::~TTreeNodes() = default;

std::unique_ptr<TTreeNode> TTreeNodes::NewNode(TTreeNode* Parent, const QString& text) {
    auto node = std::make_unique<TTreeNode>();
    node->FOwner = this;
    node->FParent = Parent;
    node->FItem = new QStandardItem(text);
    node->FItem->setEditable(false);
    node->FItem->setData(QVariant::fromValue(quintptr(node.get())), kNodeRole);
    return node;
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const QString& text) {
    auto node = NewNode(Parent, text);
    if (Parent) Parent->FItem->appendRow(node->FItem);
    else FModel->appendRow(node->FItem);
    FNodes.push_back(std::move(node));
    return FNodes.back().get();
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const QString& text) {
    if (!Sibling) return Add(text);
    auto node = NewNode(Sibling->FParent, text);
    const int row = Sibling->FItem->row();
    if (Sibling->FParent) Sibling->FParent->FItem->insertRow(row, node->FItem);
    else FModel->insertRow(row, node->FItem);
    FNodes.push_back(std::move(node));
    return FNodes.back().get();
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node) return;
    std::vector<TTreeNode*> gone{node};
    for (size_t i = 0; i < gone.size(); ++i)
        for (int c = 0; c < gone[i]->Count(); ++c) gone.push_back(gone[i]->Item(c));
    // The row goes first: the view may move the selection to a neighbour,
    // which must still be a node then.
    if (QStandardItem* parent = node->FParent ? node->FParent->FItem : nullptr) parent->removeRow(node->FItem->row());
    else FModel->removeRow(node->FItem->row());
    std::set<TTreeNode*> dead(gone.begin(), gone.end());
    FNodes.erase(std::remove_if(FNodes.begin(), FNodes.end(), [&](const auto& n) { return dead.count(n.get()) > 0; }),
                 FNodes.end());
}

void TTreeNodes::Clear() {
    FModel->clear();
    FNodes.clear();
}

int TTreeNodes::TopCount() const { return FModel->rowCount(); }

TTreeNode* TTreeNodes::Top(int i) const { return i >= 0 && i < TopCount() ? NodeOf(FModel->item(i)) : nullptr; }

TTreeNode* TTreeNodes::NodeOf(QStandardItem* item) const {
    return item ? reinterpret_cast<TTreeNode*>(item->data(kNodeRole).value<quintptr>()) : nullptr;
}

// ---- TCustomTreeView ----

TCustomTreeView::TCustomTreeView(QObject* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)), FView(new QTreeView(this)) {
    FView->setModel(FItems->Model());
    FView->header()->hide();
    // Long names widen the column (and give a horizontal range) instead of
    // being cut to the view's width.
    FView->header()->setStretchLastSection(false);
    FView->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    FView->setUniformRowHeights(true);
    SetInner(FView);
    SetTabStop(true);
    SetColor(clWindow);
    connect(FView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                TTreeNode* node = FItems->NodeOf(FItems->Model()->itemFromIndex(current));
                Application()->Guard([&] { Change(node); });
            });
    SetBounds(0, 0, 121, 97);
}

TCustomTreeView::~TCustomTreeView() {
    // The view goes with this widget; nodes must not outlive their items' model.
    FView->setModel(nullptr);
}

TTreeNode* TCustomTreeView::Selected() const {
    return FItems->NodeOf(FItems->Model()->itemFromIndex(FView->currentIndex()));
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
    FView->setCurrentIndex(node ? node->FItem->index() : QModelIndex());
}

void TCustomTreeView::SetImages(TCustomImageList* v) {
    FImages = v;
    if (v) FView->setIconSize(QSize(v->Width(), v->Height()));
}

void TCustomTreeView::Change(TTreeNode* Node) {
    if (OnChange) OnChange(this, Node);
}

int TCustomTreeView::VisibleCount() const {
    const int rowH = FView->sizeHintForRow(0) > 0 ? FView->sizeHintForRow(0) : FView->fontMetrics().height() + 2;
    return std::max(1, FView->viewport()->height() / rowH);
}

int TCustomTreeView::ExpandedCount() const { return CountExpanded(FView, QModelIndex()); }

void TCustomTreeView::ColorChanged() {
    QPalette p = FView->palette();
    p.setColor(QPalette::Base, ColorToQColor(Color()));
    FView->setPalette(p);
}

void TCustomTreeView::FontChanged() {
    FView->setFont(Font().ToQFont());
    QPalette p = FView->palette();
    // The branch arrows take the text's colour too, so they show on a dark base.
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(role, ColorToQColor(Font().Color()));
    FView->setPalette(p);
}
