#include "browser/db_tree.h"

namespace tabvex::browser {

int DbTree::sideMarker() const {
    std::lock_guard lock(mutex_);
    return sideMarker_;
}

void DbTree::SetSideMarker(int marker) {
    std::lock_guard lock(mutex_);
    sideMarker_ = marker;
}

ConnectionBlock DbTree::connection() const {
    std::lock_guard lock(mutex_);
    return connection_;
}

void DbTree::SetConnection(ConnectionBlock block) {
    std::lock_guard lock(mutex_);
    connection_ = std::move(block);
    sideMarker_ = fixedSide_;
}

void DbTree::SetDatabaseName(std::string name) {
    std::lock_guard lock(mutex_);
    connection_.databaseName = std::move(name);
}

std::vector<TreeNode> DbTree::nodes() const {
    std::lock_guard lock(mutex_);
    return nodes_;
}

std::size_t DbTree::nodeCount() const {
    std::lock_guard lock(mutex_);
    return nodes_.size();
}

TreeNode DbTree::node(NodeId id) const {
    std::lock_guard lock(mutex_);
    return id < nodes_.size() ? nodes_[id] : TreeNode{};
}

RememberedNodes DbTree::remembered() const {
    std::lock_guard lock(mutex_);
    return remembered_;
}

NodeId DbTree::selected() const {
    std::lock_guard lock(mutex_);
    return selected_;
}

void DbTree::Select(NodeId id) {
    std::lock_guard lock(mutex_);
    if (id != kNoNode && id >= nodes_.size()) id = kNoNode;
    selected_ = id;
    if (!refreshing_ && id != kNoNode) remembered_.current = id;
}

void DbTree::SetCurrentNode(NodeId id) {
    std::lock_guard lock(mutex_);
    remembered_.current = id < nodes_.size() ? id : kNoNode;
}

std::string DbTree::AncestorText(NodeId id, int levels) const {
    std::lock_guard lock(mutex_);
    return AncestorTextLocked(id, levels);
}

std::string DbTree::AncestorTextLocked(NodeId id, int levels) const {
    for (int i = 0; i < levels && id < nodes_.size(); ++i) id = nodes_[id].parent;
    return id < nodes_.size() ? nodes_[id].text : std::string();
}

std::optional<NodeSnapshot> DbTree::selection() const {
    std::lock_guard lock(mutex_);
    if (selected_ >= nodes_.size()) return std::nullopt;
    return NodeSnapshot{selected_, nodes_[selected_], AncestorTextLocked(selected_, 1),
                        AncestorTextLocked(selected_, 2)};
}

bool DbTree::refreshing() const {
    std::lock_guard lock(mutex_);
    return refreshing_;
}

bool DbTree::renameCommit() const {
    std::lock_guard lock(mutex_);
    return renameCommit_;
}

void DbTree::SetRenameCommit(bool on) {
    std::lock_guard lock(mutex_);
    renameCommit_ = on;
}

void DbTree::SetNodeCondition(NodeId id, std::string condition) {
    std::lock_guard lock(mutex_);
    if (id < nodes_.size()) nodes_[id].condition = std::move(condition);
}

void DbTree::RemoveNode(NodeId id) {
    std::lock_guard lock(mutex_);
    if (id >= nodes_.size()) return;
    const NodeId parent = nodes_[id].parent;
    if (parent != kNoNode) std::erase(nodes_[parent].children, id);
    // A root has no parent to leave: the whole tree goes.
    if (parent == kNoNode) nodes_.clear();
    const auto removed = [&](NodeId node) {
        for (; node < nodes_.size(); node = nodes_[node].parent)
            if (node == id) return true;
        return node != kNoNode;  // beyond a cleared tree
    };
    if (removed(selected_)) selected_ = kNoNode;
    for (NodeId* remembered : {&remembered_.current, &remembered_.root, &remembered_.currentDatabase,
                               &remembered_.tablesFolder, &remembered_.viewsFolder, &remembered_.lastTable,
                               &remembered_.lastView, &remembered_.fieldsFolder, &remembered_.indexesFolder})
        if (removed(*remembered)) *remembered = kNoNode;
}

void DbTree::ReplaceNodes(std::vector<TreeNode> nodes, RememberedNodes remembered) {
    std::lock_guard lock(mutex_);
    nodes_ = std::move(nodes);
    remembered_ = remembered;
    selected_ = kNoNode;
}

void DbTree::SetRefreshing(bool on) {
    std::lock_guard lock(mutex_);
    refreshing_ = on;
}

}  // namespace tabvex::browser
