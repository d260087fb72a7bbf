// Adding one table or view to a tree being filled: the object's node with its
// "Fields" folder (and a table's "Indexes" folder), listed from the COLUMNS and
// INDEXES schema rowsets.
#pragma once

#include <string>

#include "browser/tree_builder.h"
#include "platform/oledb/session.h"

namespace tabvex::browser {

// A table goes under the remembered "Tables" folder, a view under "Views"; any
// other kind adds nothing. A schema rowset that does not open ends the adding
// quietly, keeping the nodes made so far.
void AddObjectNode(oledb::Session& session, TreeBuilder& tree, TreeNodeKind kind, const std::string& name);

}  // namespace tabvex::browser
