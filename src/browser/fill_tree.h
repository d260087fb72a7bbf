// Filling a database tree from its side's connection: the root, the databases, and
// under the current database its tables (with fields and indexes) and views.
#pragma once

#include "app/migrator.h"
#include "browser/db_tree.h"

namespace tabvex::browser {

// Clears the tree and fills it from its connection block through the schema
// rowsets, then asks the window to redraw it. Callable from the worker thread.
void FillTree(app::Migrator& migrator, DbTree& tree);

}  // namespace tabvex::browser
