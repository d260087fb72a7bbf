// The Access ISAM: the Access engine's database read through the ISAM interface.
// Access sources are only read by the system, so creating tables and inserting
// rows are refused with DB_E_NOTSUPPORTED rather than half done.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/jet/isam.h"

namespace tabvex::jet {

// Opens the database; IsamError (E_FAIL, naming the file and the problem) when it
// cannot be read.
std::unique_ptr<Isam> OpenAccessIsam(const std::filesystem::path& path);

}  // namespace tabvex::jet
