// Connecting the two sides: each side's settings become a data source and a session
// in the main window's holder, handed to the side's tree, which fills itself.
#pragma once

#include <string>

#include "app/migrator.h"

namespace tabvex::connect {

// The Connect command: refused while tasks are processing or stopping; otherwise
// connects the source, then the target (whatever the source's outcome), and sets
// the character-set name to "LATIN1".
void ConnectCommand(app::Migrator& migrator);

void ConnectSource(app::Migrator& migrator);
void ConnectTarget(app::Migrator& migrator);

// Points the source at another database (a bare name is looked for beside the
// target's database) and reconnects it. For Jet the name, as the tree shows it
// without its ending, becomes the file it stands for (files::DatabaseFileOf: the
// connected file when it is that one, else the ".mdb" or ".accdb" file there is).
// Side 0 only; returns true.
bool SelectAccessDatabase(app::Migrator& migrator, const std::string& databaseName, int side);

}  // namespace tabvex::connect
