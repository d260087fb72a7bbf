// What the maintenance commands read of a tree: the selected node made current,
// and the names of a folder's children.
#pragma once

#include <string>
#include <vector>

#include "app/output.h"
#include "browser/db_tree.h"

namespace tabvex::maintenance {

// Makes the tree's selection its current node and returns it (kNoNode when nothing
// is selected).
browser::NodeId TakeSelection(browser::DbTree& tree);

// The texts of the node's children of that kind, in tree order.
std::vector<std::string> ChildTexts(const browser::DbTree& tree, browser::NodeId node, browser::TreeNodeKind kind);

// The node's child of that kind, or kNoNode.
browser::NodeId ChildOfKind(const browser::DbTree& tree, browser::NodeId node, browser::TreeNodeKind kind);

// Takes the node out of the tree and has the window redraw it.
void RemoveNodeAndRedraw(app::Output& output, browser::DbTree& tree, browser::NodeId node);

std::string TrimmedRight(std::string text);

}  // namespace tabvex::maintenance
