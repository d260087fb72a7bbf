// Connecting files as the window's configuration dialog would, for the commands
// that need a connected side: a workbook as the target, anything else as the source,
// each along its route (the Jet provider unless an option chose ODBC).
#pragma once

#include <string>

#include "browser/db_tree.h"
#include "cli/side_route.h"
#include "shell/program.h"

namespace tabvex::cli {

// Whether the file ends in ".xls", in any case.
bool IsWorkbook(const std::string& file);

// Connects the file along the route as the side it is given for; the tree fills
// itself. True when the side is connected.
bool ConnectFile(shell::Program& program, const std::string& file, bool asTarget, const SideRoute& route);

// The tree's table or view of that name: the exact spelling first, then without
// regard to case, as Jet compares names. kNoNode when there is none.
browser::NodeId FindObject(const browser::DbTree& tree, const std::string& name);

}  // namespace tabvex::cli
