// Which nodes of a tree a filter shows: the tables, views and fields whose names
// match, the folders above them, everything under a matching table, and always the
// top nodes, so that a filter without matches leaves more than a blank area. How a
// name matches is the caller's (the window compares as its toolkit does).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "browser/db_tree.h"

namespace tabvex::browser {

struct TreeFilter {
    std::vector<bool> shown;    // per node: shown under the filter
    std::vector<bool> matched;  // per node: its own name matches
};

// Without a filter (`active` false) every node is shown and none matched.
TreeFilter FilterTree(const std::vector<TreeNode>& nodes, bool active,
                      const std::function<bool(const std::string& name)>& matches);

}  // namespace tabvex::browser
