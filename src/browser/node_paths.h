// A node's place in its tree as the path of texts from the root down to it. Node
// ids change with every fill; paths let the window find the same node again after
// a refill (expansion, selection, scroll position) and match names when filtering.
#pragma once

#include <string>
#include <vector>

#include "browser/db_tree.h"

namespace tabvex::browser {

// One key per node, in node order: the texts from the root to the node, joined by
// a separator no name holds. A node outside the tree (removed) gets an empty key.
std::vector<std::string> NodePathKeys(const std::vector<TreeNode>& nodes);

}  // namespace tabvex::browser
