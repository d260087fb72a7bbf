// Save Log As: the whole Log, every line it holds whatever the window shows, as a text
// file written beside the chosen one and then renamed over it.
#pragma once

#include <filesystem>

#include "app/output_log.h"

namespace tabvex::app {

// Writes the Log to `chosen`, with ".txt" added when the name has no ending; returns the
// file written. Throws std::filesystem::filesystem_error naming the file on failure.
std::filesystem::path SaveLogAs(const OutputLog& log, std::filesystem::path chosen);

}  // namespace tabvex::app
