// The time stamp in front of every Log line: local time as
// "YYYY/MM/DD hh:mm:ss:mmm " (four-digit year, milliseconds, one trailing blank).
#pragma once

#include <chrono>
#include <string>

namespace tabvex::app {

std::string FormatTimeStamp(std::chrono::system_clock::time_point when);

}  // namespace tabvex::app
