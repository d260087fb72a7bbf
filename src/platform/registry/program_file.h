// Files installed beside the program (the class registry, the ODBC driver list).
// An installed program finds them in the install's program-files folder
// (/usr/bin/tabvex-cli reads /usr/lib/tabvex/...); a test executable finds the
// build tree's copy.
#pragma once

#include <filesystem>
#include <string>

namespace tabvex::registry {

// `name` in the executable's folder when it is there, else in the program-files
// folder of an install beside that folder, else `buildTreeCopy`.
std::filesystem::path ProgramFile(const std::string& name, const std::filesystem::path& buildTreeCopy);

}  // namespace tabvex::registry
