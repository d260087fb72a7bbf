// The source tree marks every table whose rows a saved migration condition
// restricts: the table's node carries the condition (TreeNode::condition), which the
// window draws and tabvex-cli tree prints, while the node's text stays the name.
#pragma once

#include <filesystem>
#include <vector>

#include "app/output.h"
#include "browser/db_tree.h"

namespace tabvex::browser {

// Gives every table node of a freshly built source tree its condition.
void MarkTableConditions(const std::filesystem::path& conditionFile, std::vector<TreeNode>& nodes);

// Reads the conditions of the source tree's tables again (after one was saved) and
// has the window redraw the tree.
void RefreshTableConditions(app::Output& output, const std::filesystem::path& conditionFile, DbTree& tree);

}  // namespace tabvex::browser
