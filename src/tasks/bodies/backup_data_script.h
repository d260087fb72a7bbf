// A table's data script: one INSERT statement per row of the target table, written
// to T.data in the current folder, with progress lines and the stop request looked
// at after every row.
#pragma once

#include <string>

#include "app/migrator.h"
#include "connect/connection_holder.h"

namespace tabvex::tasks {

// False, after an error line, when the rows could not be read or the file written.
bool WriteDataScript(app::Migrator& migrator, connect::ConnectionHolder& target, const std::string& table);

}  // namespace tabvex::tasks
