// A side's tree as an item model over a copy of its DbTree's nodes, taken again on
// every redraw; each index carries its node id. The node image is the node's kind;
// a table with a migration condition shows the conditioned table's image and a
// slanted label. The target tree's table labels are editable (Rename Table): an
// edit is handed to `renameHandler`, whose false keeps the old label. No other node
// is editable.
#pragma once

#include <QAbstractItemModel>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "browser/db_tree.h"

namespace tabvex::gui {

class DbTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    using RenameHandler = std::function<bool(browser::NodeId, const std::string&)>;

    explicit DbTreeModel(browser::DbTree& tree, QObject* parent = nullptr);

    browser::DbTree& tree() const { return tree_; }
    // Takes the tree's nodes again.
    void Reload();
    void SetRenameHandler(RenameHandler handler) { renameHandler_ = std::move(handler); }

    QModelIndex IndexOf(browser::NodeId id) const;
    static browser::NodeId NodeOf(const QModelIndex& index);
    const std::vector<browser::TreeNode>& nodes() const { return nodes_; }

    // The node shown with the drop highlight while a drag is over the tree.
    void SetDropHighlight(browser::NodeId id);
    browser::NodeId dropHighlight() const { return dropHighlight_; }
    // True while a label edit is being handed to the rename handler.
    bool renaming() const { return renaming_; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    browser::DbTree& tree_;
    std::vector<browser::TreeNode> nodes_;
    std::vector<int> rowInParent_;
    std::vector<browser::NodeId> topLevel_;
    browser::NodeId dropHighlight_ = browser::kNoNode;
    bool renaming_ = false;
    RenameHandler renameHandler_;
};

}  // namespace tabvex::gui
