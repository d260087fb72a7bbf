// Opens a file through the Jet provider into a connection holder, as connecting
// does but without the window: an .xls file as a workbook ("Excel 8.0;HDR=Yes;"),
// anything else as an Access database. Fails the calling test when it cannot.
#pragma once

#include <filesystem>

#include "connect/connection_holder.h"

namespace tabvex::test {

connect::ConnectionHolder OpenJetConnection(const std::filesystem::path& file);

}  // namespace tabvex::test
