// A side's database tree as a model: root, database nodes, the "Tables" and "Views"
// folders, tables and views with their fields and indexes. The window draws it; the
// connect operations hand it its connection block and FillTree fills it from the
// side's schema rowsets. A fill may run on the worker thread: it builds the new
// nodes apart and puts them in place under the tree's lock, then asks the window to
// redraw, so the window always reads a whole tree.
#pragma once

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "connect/connection_holder.h"

namespace tabvex::browser {

// A node's kind is its image index in the tree's image list.
enum class TreeNodeKind : int {
    Root = 0,
    Database = 1,
    Table = 2,
    TablesFolder = 3,
    Field = 4,
    FieldsFolder = 5,
    Index = 6,
    IndexesFolder = 7,
    View = 8,
    ViewsFolder = 9,
};

// Nodes are numbered in insertion order within one fill; kNoNode is no node.
using NodeId = std::size_t;
inline constexpr NodeId kNoNode = static_cast<NodeId>(-1);

struct TreeNode {
    TreeNodeKind kind = TreeNodeKind::Root;
    std::string text;
    NodeId parent = kNoNode;
    std::vector<NodeId> children;  // in insertion order; the tree is never sorted
    bool expanded = false;
    // A source table's saved migration condition, shown beside the node; empty when
    // every row is copied. Never part of the text, which names the table.
    std::string condition = {};
};

// Side markers.
inline constexpr int kSourceSide = 0;
inline constexpr int kTargetSide = 1;
inline constexpr int kNotConnected = -1;

// What a successful connection hands to its tree.
struct ConnectionBlock {
    connect::ConnectionHolder* holder = nullptr;  // the side's own slots
    std::string databaseName;                     // the tree's current database
    std::string providerProgId;
    int dbmsKind = 0;  // connect::DbmsKind code: 4 Access, 5 Excel
    std::string userId;
    std::string password;
};

// The nodes a fill remembers (kNoNode when none).
struct RememberedNodes {
    NodeId current = kNoNode;  // the node a command works on
    NodeId root = kNoNode;
    NodeId currentDatabase = kNoNode;
    NodeId tablesFolder = kNoNode;
    NodeId viewsFolder = kNoNode;
    NodeId lastTable = kNoNode;
    NodeId lastView = kNoNode;
    NodeId fieldsFolder = kNoNode;
    NodeId indexesFolder = kNoNode;
};

// A node as the tree held it at one moment, with the texts of its parent and
// grandparent: what a command turns into names before it asks anything, so that a
// tree refilled meanwhile cannot change what the command works on.
struct NodeSnapshot {
    NodeId id = kNoNode;
    TreeNode node;
    std::string parentText;
    std::string grandparentText;
};

class DbTree {
public:
    explicit DbTree(int fixedSide) : fixedSide_(fixedSide), sideMarker_(fixedSide) {}
    DbTree(const DbTree&) = delete;
    DbTree& operator=(const DbTree&) = delete;

    int fixedSide() const { return fixedSide_; }
    int sideMarker() const;
    void SetSideMarker(int marker);

    ConnectionBlock connection() const;
    // Hands over the block of a new connection and sets the side marker back to the
    // fixed side.
    void SetConnection(ConnectionBlock block);
    void SetDatabaseName(std::string name);

    // A copy of every node, in insertion order (the root is node 0 when present).
    std::vector<TreeNode> nodes() const;
    std::size_t nodeCount() const;
    TreeNode node(NodeId id) const;
    RememberedNodes remembered() const;

    // The view's selection (kNoNode: nothing selected). Selecting also makes the node
    // the current node unless the tree is refreshing.
    NodeId selected() const;
    void Select(NodeId id);
    void SetCurrentNode(NodeId id);
    // The selected node, or nothing when none is selected.
    std::optional<NodeSnapshot> selection() const;
    // Text of the node's ancestor `levels` up (1 parent, 2 grandparent), or empty.
    std::string AncestorText(NodeId id, int levels) const;

    bool refreshing() const;
    bool renameCommit() const;
    void SetRenameCommit(bool on);
    const std::string& storageEngine() const { return storageEngine_; }
    void SetStorageEngine(std::string name) { storageEngine_ = std::move(name); }

    void SetNodeCondition(NodeId id, std::string condition);

    // Takes the node and its subtree out of the tree (they are no longer anyone's
    // child); a selection or remembered node inside it is forgotten. Other nodes keep
    // their ids.
    void RemoveNode(NodeId id);

    // Puts a freshly built tree in place (used by FillTree) and forgets the selection.
    void ReplaceNodes(std::vector<TreeNode> nodes, RememberedNodes remembered);
    void SetRefreshing(bool on);

private:
    std::string AncestorTextLocked(NodeId id, int levels) const;

    mutable std::mutex mutex_;
    const int fixedSide_;
    int sideMarker_;
    ConnectionBlock connection_;
    std::vector<TreeNode> nodes_;
    RememberedNodes remembered_;
    NodeId selected_ = kNoNode;
    bool refreshing_ = false;
    bool renameCommit_ = false;
    std::string storageEngine_ = "MyISAM";
};

}  // namespace tabvex::browser
