// The source tree's tool tip: over a table, the condition its rows are copied
// under ("Condition : ..." as stored in Condition.cfg) or "Convert All".
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "browser/db_tree.h"

namespace tabvex::trees {

inline constexpr const char* kInitialTreeTip = "Tree Tool Tip";

// The tip over the node: nullopt over no node (the tip stays as it is), empty over
// a node that is no table.
std::optional<std::string> SourceTreeTip(const std::filesystem::path& conditionFile, const browser::DbTree& tree,
                                         browser::NodeId node);

}  // namespace tabvex::trees
