// The context menu a right click opens on a tree node: which menu, and its entries
// after pruning by side and family (on the target tree, table and view entries name
// the node).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "browser/db_tree.h"

namespace tabvex::trees {

inline constexpr int kRootContextMenu = 151;
inline constexpr int kDatabaseContextMenu = 153;
inline constexpr int kObjectContextMenu = 160;

struct ContextMenuEntry {
    int commandId;
    std::string text;
    bool operator==(const ContextMenuEntry&) const = default;
};

struct ContextMenu {
    int menuId = 0;
    std::vector<ContextMenuEntry> entries;
    bool operator==(const ContextMenu&) const = default;
};

// The node a right click works on: the node under the pointer, else the root. It
// becomes the tree's selected and current node. kNoNode on an empty tree.
browser::NodeId RightClickNode(browser::DbTree& tree, browser::NodeId underPointer);

// The menu for the node, or nullopt when none opens (a kind without a menu, a
// database on any tree but the target, an empty label, nothing left after pruning).
std::optional<ContextMenu> ContextMenuFor(const browser::DbTree& tree, browser::NodeId node);

}  // namespace tabvex::trees
