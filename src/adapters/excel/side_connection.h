// Taking one side off its connection while its file is worked on as a whole, and
// connecting it again afterwards. Releasing the target's session writes the
// workbook the Jet provider holds, so whoever opens the file next sees every row.
#pragma once

#include "app/migrator.h"

namespace tabvex::adapters {

// Releases the side's session and data source and marks its tree not connected.
void DisconnectSide(app::Migrator& migrator, int side);
// Connects the side again from its settings; its tree is refilled.
void ReconnectSide(app::Migrator& migrator, int side);

}  // namespace tabvex::adapters
