#include "gui/window/db_tree_view.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <algorithm>

#include "browser/tree_filter.h"
#include "gui/window/window_icons.h"

namespace tabvex::gui {

using browser::kNoNode;
using browser::NodeId;
using browser::TreeNodeKind;

CDBTreeView::CDBTreeView(browser::DbTree& tree, QWidget* parent)
    : QTreeView(parent), model_(new DbTreeModel(tree, this)) {
    setObjectName(tree.fixedSide() == browser::kSourceSide ? "SourceTree" : "TargetTree");
    setModel(model_);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setAutoScrollMargin(10);
    setMouseTracking(true);
    setEditTriggers(tree.fixedSide() == browser::kTargetSide
                        ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                        : QAbstractItemView::NoEditTriggers);
}

void CDBTreeView::Redraw() {
    // A rename refills the tree while its editor is still closing: redraw after it.
    if (model_->renaming()) {
        QMetaObject::invokeMethod(this, &CDBTreeView::Redraw, Qt::QueuedConnection);
        return;
    }
    const TreePlace place = CaptureTreePlace(*this);
    model_->Reload();
    hidden_.assign(model_->nodes().size(), false);
    RestoreTreePlace(*this, place);
    if (!filter_.isEmpty()) ApplyFilter();
}

void CDBTreeView::SelectNode(NodeId id) { setCurrentIndex(model_->IndexOf(id)); }

NodeId CDBTreeView::selectedNode() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? kNoNode : DbTreeModel::NodeOf(selected.front());
}

void CDBTreeView::SetFilter(const QString& text) {
    if (text == filter_) return;
    if (filter_.isEmpty()) beforeFilter_ = CaptureTreePlace(*this);
    filter_ = text;
    ApplyFilter();
    if (!filter_.isEmpty() || !beforeFilter_) return;
    // The nodes open before the filter open again; a node found meanwhile stays selected and in sight.
    TreePlace place = std::move(*beforeFilter_);
    beforeFilter_.reset();
    const NodeId selected = selectedNode();
    place.selected.clear();
    RestoreTreePlace(*this, place);
    if (selected != kNoNode) scrollTo(model_->IndexOf(selected));
}

void CDBTreeView::ApplyFilter() {
    const auto& nodes = model_->nodes();
    const browser::TreeFilter filtered = browser::FilterTree(nodes, !filter_.isEmpty(), [&](const std::string& name) {
        return QString::fromStdString(name).contains(filter_, Qt::CaseInsensitive);
    });
    hidden_.resize(nodes.size(), false);
    for (NodeId id = 0; id < nodes.size(); ++id) {
        const NodeId parent = nodes[id].parent;
        // Rows under a hidden row need no change of their own.
        if (parent != kNoNode && (parent >= nodes.size() || !filtered.shown[parent])) continue;
        if (hidden_[id] == !filtered.shown[id]) continue;
        hidden_[id] = !filtered.shown[id];
        setRowHidden(model_->IndexOf(id).row(), model_->IndexOf(parent), hidden_[id]);
    }
    // The nodes above each match are opened, so that every match is in sight.
    std::vector<bool> opened(nodes.size(), false);
    for (NodeId id = 0; id < nodes.size(); ++id) {
        if (!filtered.matched[id]) continue;
        for (NodeId up = nodes[id].parent; up < nodes.size() && !opened[up]; up = nodes[up].parent) {
            opened[up] = true;
            expand(model_->IndexOf(up));
        }
    }
}

void CDBTreeView::EditSelectedLabel() {
    const QModelIndex current = currentIndex();
    if (current.isValid()) edit(current);
}

std::unique_ptr<QMimeData> CDBTreeView::DragData() const {
    auto data = std::make_unique<QMimeData>();
    data->setData(kNodeMimeType, QByteArray::number(tree().fixedSide()));
    return data;
}

NodeId CDBTreeView::NodeAt(const QPoint& viewportPoint) const { return DbTreeModel::NodeOf(indexAt(viewportPoint)); }

bool CDBTreeView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool wasEditing = state() == EditingState;
    if (!QTreeView::edit(index, trigger, event)) return false;
    // An Enter pressed anywhere before this editor opened commits nothing.
    if (!wasEditing) tree().SetRenameCommit(false);
    return true;
}

void CDBTreeView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTreeView::selectionChanged(selected, deselected);
    const QModelIndexList indexes = selected.indexes();
    emit nodeSelected(indexes.isEmpty() ? kNoNode : DbTreeModel::NodeOf(indexes.front()));
}

void CDBTreeView::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuWanted(NodeAt(viewport()->mapFromGlobal(event->globalPos())), event->globalPos());
}

void CDBTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    const NodeId node = NodeAt(event->position().toPoint());
    if (node != kNoNode) emit nodeDoubleClicked(node);
    QTreeView::mouseDoubleClickEvent(event);
}

void CDBTreeView::mouseMoveEvent(QMouseEvent* event) {
    const NodeId node = NodeAt(event->position().toPoint());
    if (node != kNoNode) emit nodeHovered(node);
    QTreeView::mouseMoveEvent(event);
}

void CDBTreeView::startDrag(Qt::DropActions) {
    const QModelIndex dragged = currentIndex();
    if (!dragged.isValid()) return;
    SelectNode(DbTreeModel::NodeOf(dragged));
    auto* drag = new QDrag(this);
    drag->setMimeData(DragData().release());
    drag->setPixmap(TreeNodeIcon(tree().node(DbTreeModel::NodeOf(dragged)).kind).pixmap(16, 16));
    drag->setHotSpot(QPoint(8, 8));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

void CDBTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kNodeMimeType)) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

NodeId CDBTreeView::DropNodeAt(const QPoint& viewportPoint) {
    const NodeId node = NodeAt(viewportPoint);
    if (node == kNoNode || viewportPoint.x() >= viewport()->width() - kRootDropMargin)
        return tree().remembered().root;
    const TreeNodeKind kind = model_->nodes()[node].kind;
    if (tree().fixedSide() == browser::kTargetSide && (kind == TreeNodeKind::Root || kind == TreeNodeKind::Database))
        expand(model_->IndexOf(node));
    return node;
}

void CDBTreeView::dragMoveEvent(QDragMoveEvent* event) {
    if (!event->mimeData()->hasFormat(kNodeMimeType)) {
        event->ignore();
        return;
    }
    QTreeView::dragMoveEvent(event);  // scrolls near the edges
    model_->SetDropHighlight(DropNodeAt(event->position().toPoint()));
    event->setDropAction((event->modifiers() & Qt::ShiftModifier) ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
}

void CDBTreeView::dragLeaveEvent(QDragLeaveEvent* event) {
    model_->SetDropHighlight(kNoNode);
    QTreeView::dragLeaveEvent(event);
}

void CDBTreeView::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(kNodeMimeType)) {
        event->ignore();
        return;
    }
    const NodeId highlighted = model_->dropHighlight() != kNoNode ? model_->dropHighlight()
                                                                  : DropNodeAt(event->position().toPoint());
    if (highlighted != kNoNode) SelectNode(highlighted);
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit dropped(highlighted);
}

}  // namespace tabvex::gui
