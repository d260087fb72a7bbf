#include "platform/calendar/civil_date_time.h"

#include <chrono>
#include <cstdio>

namespace tabvex::calendar {

bool IsValid(const CivilDateTime& when) {
    using namespace std::chrono;
    if (when.month < 1 || when.day < 1) return false;
    year_month_day date{year{when.year}, month{unsigned(when.month)}, day{unsigned(when.day)}};
    return date.ok() && when.hour >= 0 && when.hour < 24 && when.minute >= 0 && when.minute < 60 &&
           when.second >= 0 && when.second < 60;
}

std::string IsoText(const CivilDateTime& when) {
    char buffer[80];
    if (when.hour == 0 && when.minute == 0 && when.second == 0)
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", when.year, when.month, when.day);
    else
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", when.year, when.month, when.day,
                      when.hour, when.minute, when.second);
    return buffer;
}

}  // namespace tabvex::calendar
