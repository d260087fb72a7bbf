// The program's folder, where migrator.cfg, Condition.cfg, data_cache and backup
// live: the executable's own folder when the program runs from a folder of its own
// (its class registry beside it) and may write there, otherwise $XDG_DATA_HOME/tabvex
// (~/.local/share/tabvex by default), created on first use.
#pragma once

#include <filesystem>

namespace tabvex::com {

std::filesystem::path DefaultProgramDirectory();

}  // namespace tabvex::com
