// Where the manual is: docs/manual/index.html beside the program (as in the build
// tree), else in an install's documentation folder (/usr/share/doc/tabvex/manual for
// /usr/bin/tabvex), else in the source tree the program was built from.
#pragma once

#include <filesystem>
#include <optional>

namespace tabvex::gui {

std::optional<std::filesystem::path> FindManual();

}  // namespace tabvex::gui
