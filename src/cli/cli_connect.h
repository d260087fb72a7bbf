// Connecting files as the window's configuration dialog would, for the commands
// that need a connected side: a workbook as the target, anything else as the source,
// both through the Jet provider.
#pragma once

#include <string>

#include "app/migrator.h"
#include "browser/db_tree.h"
#include "connect/connection_settings.h"

namespace tabvex::cli {

bool IsWorkbook(const std::string& file);

// Points the settings at the file through the Jet provider, without connecting.
void ConfigureJetSide(connect::ConnectionSettings& settings, const std::string& file);

// Connects the file as the side it is given for; the tree fills itself. True when
// the side is connected.
bool ConnectFile(app::Migrator& migrator, const std::string& file, bool asTarget);

// The tree's table or view of that name: the exact spelling first, then without
// regard to case, as Jet compares names. kNoNode when there is none.
browser::NodeId FindObject(const browser::DbTree& tree, const std::string& name);

}  // namespace tabvex::cli
