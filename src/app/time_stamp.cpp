#include "app/time_stamp.h"

#include <cstdio>
#include <ctime>

namespace tabvex::app {

std::string FormatTimeStamp(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceEpoch = when.time_since_epoch();
    const auto millisecond =
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch - std::chrono::floor<std::chrono::seconds>(sinceEpoch));
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d:%03d ", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(millisecond.count()));
    return text;
}

}  // namespace tabvex::app
