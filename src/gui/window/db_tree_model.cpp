#include "gui/window/db_tree_model.h"

#include <QBrush>
#include <QFont>
#include <QPalette>

#include "gui/window/window_icons.h"

namespace tabvex::gui {

namespace {

// A conditioned table's label is slanted besides its image, so the mark does not
// rest on the image alone.
QFont ConditionFont() {
    QFont font;
    font.setItalic(true);
    return font;
}

}  // namespace

using browser::kNoNode;
using browser::NodeId;

DbTreeModel::DbTreeModel(browser::DbTree& tree, QObject* parent) : QAbstractItemModel(parent), tree_(tree) {
    Reload();
}

void DbTreeModel::Reload() {
    beginResetModel();
    nodes_ = tree_.nodes();
    rowInParent_.assign(nodes_.size(), 0);
    topLevel_.clear();
    for (NodeId id = 0; id < nodes_.size(); ++id) {
        if (nodes_[id].parent == kNoNode) {
            rowInParent_[id] = static_cast<int>(topLevel_.size());
            topLevel_.push_back(id);
        }
        const auto& children = nodes_[id].children;
        for (std::size_t row = 0; row < children.size(); ++row)
            if (children[row] < nodes_.size()) rowInParent_[children[row]] = static_cast<int>(row);
    }
    dropHighlight_ = kNoNode;
    endResetModel();
}

NodeId DbTreeModel::NodeOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<NodeId>(index.internalId()) : kNoNode;
}

QModelIndex DbTreeModel::IndexOf(NodeId id) const {
    if (id >= nodes_.size()) return {};
    return createIndex(rowInParent_[id], 0, static_cast<quintptr>(id));
}

void DbTreeModel::SetDropHighlight(NodeId id) {
    if (id == dropHighlight_) return;
    const NodeId old = dropHighlight_;
    dropHighlight_ = id;
    for (NodeId changed : {old, id}) {
        const QModelIndex at = IndexOf(changed);
        if (at.isValid()) emit dataChanged(at, at, {Qt::BackgroundRole, Qt::ForegroundRole});
    }
}

QModelIndex DbTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    const std::vector<NodeId>& siblings = parent.isValid() ? nodes_[NodeOf(parent)].children : topLevel_;
    if (static_cast<std::size_t>(row) >= siblings.size()) return {};
    return createIndex(row, 0, static_cast<quintptr>(siblings[static_cast<std::size_t>(row)]));
}

QModelIndex DbTreeModel::parent(const QModelIndex& child) const {
    const NodeId id = NodeOf(child);
    if (id >= nodes_.size()) return {};
    return IndexOf(nodes_[id].parent);
}

int DbTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(topLevel_.size());
    const NodeId id = NodeOf(parent);
    return id < nodes_.size() ? static_cast<int>(nodes_[id].children.size()) : 0;
}

int DbTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant DbTreeModel::data(const QModelIndex& index, int role) const {
    const NodeId id = NodeOf(index);
    if (id >= nodes_.size()) return {};
    const browser::TreeNode& node = nodes_[id];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return QString::fromStdString(node.text);
        case Qt::DecorationRole: return node.condition.empty() ? TreeNodeIcon(node.kind) : ConditionedTableIcon();
        case Qt::BackgroundRole:
            if (id == dropHighlight_) return QBrush(QPalette().color(QPalette::Highlight));
            return {};
        case Qt::ForegroundRole:
            if (id == dropHighlight_) return QBrush(QPalette().color(QPalette::HighlightedText));
            return {};
        case Qt::FontRole: return node.condition.empty() ? QVariant() : QVariant(ConditionFont());
        default: return {};
    }
}

bool DbTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const NodeId id = NodeOf(index);
    if (role != Qt::EditRole || id >= nodes_.size() || !renameHandler_) return false;
    const std::string text = value.toString().toStdString();
    renaming_ = true;
    const bool renamed = renameHandler_(id, text);
    renaming_ = false;
    if (!renamed) return false;
    nodes_[id].text = text;
    emit dataChanged(index, index, {Qt::DisplayRole});
    return true;
}

Qt::ItemFlags DbTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    // Only a table's label names something a rename can change: a worksheet.
    const NodeId id = NodeOf(index);
    if (renameHandler_ && id < nodes_.size() && nodes_[id].kind == browser::TreeNodeKind::Table)
        flags |= Qt::ItemIsEditable;
    return flags;
}

}  // namespace tabvex::gui
