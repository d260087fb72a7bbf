// Files installed beside the program (the class registry, the ODBC driver list).
// A program run from the build tree, or a test executable, finds the build tree's copy.
#pragma once

#include <filesystem>
#include <string>

namespace tabvex::registry {

// `name` in the executable's folder when it is there, else `buildTreeCopy`.
std::filesystem::path ProgramFile(const std::string& name, const std::filesystem::path& buildTreeCopy);

}  // namespace tabvex::registry
