// Filling a database tree from its side's connection: the root, the databases, and
// under the current database its tables (with fields and indexes) and views.
#pragma once

#include <filesystem>

#include "app/output.h"
#include "browser/db_tree.h"

namespace tabvex::browser {

// Clears the tree and fills it from its connection block through the schema
// rowsets, then asks the window to redraw it. A source tree marks the tables that
// have a condition in `conditionFile`. Callable from the worker thread.
void FillTree(app::Output& output, const std::filesystem::path& conditionFile, DbTree& tree);

}  // namespace tabvex::browser
