// Starting the session's Log file (SessionLogFile) for the window's Log.
#pragma once

#include <filesystem>

#include "app/output.h"

namespace tabvex::app {

// From now on every Log line also goes to a new session file in `folder`; when it
// cannot be made, a warning line in the Log says why and the Log goes on without it.
void KeepSessionLog(Output& output, const std::filesystem::path& folder = SessionLogFolder());

}  // namespace tabvex::app
