// A target workbook named for connecting that is not there yet. Test Connections says
// that Connect creates it; Connect creates it, an empty workbook, before connecting.
// Only the Jet provider's file is meant (an ODBC data source names its own).
#pragma once

#include <optional>
#include <string>

#include "app/output.h"
#include "browser/sides.h"
#include "connect/connection_settings.h"

namespace tabvex::connect {

// The full path of the workbook file the target's settings name, when it does not exist.
std::optional<std::string> MissingTargetWorkbook(const ConnectionSettings& target);

// The box Test Connections shows instead of testing a workbook that is not there.
std::string WorkbookCreatedOnConnectText(const std::string& workbook);

// Creates the target's missing workbook (its Log line names it); nothing when it exists.
void CreateMissingTargetWorkbook(app::Output& output, browser::Sides& sides);

}  // namespace tabvex::connect
