// A tree as plain text, one node per line: two blanks of indent per level, the
// node's kind code, a blank and the node's text, then for a table with a migration
// condition "  [condition: ...]". tabvex-cli prints it; tests compare it.
#pragma once

#include <string>
#include <vector>

#include "browser/db_tree.h"

namespace tabvex::browser {

std::string TreeText(const std::vector<TreeNode>& nodes);

}  // namespace tabvex::browser
