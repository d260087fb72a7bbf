// Where the manual is: docs/manual/index.html installed beside the program, else in
// the source tree the program was built from.
#pragma once

#include <filesystem>
#include <optional>

namespace tabvex::gui {

std::optional<std::filesystem::path> FindManual();

}  // namespace tabvex::gui
