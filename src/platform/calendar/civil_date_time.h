// A calendar date and a time of day to the second, as OLE DB hands it over and as a
// person reads it.
#pragma once

#include <string>

namespace tabvex::calendar {

struct CivilDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
    friend bool operator==(const CivilDateTime&, const CivilDateTime&) = default;
};

// Whether the date is on the proleptic Gregorian calendar and the time within a day.
bool IsValid(const CivilDateTime& when);

// ISO 8601: "1996-07-04", or "1996-07-04 14:30:00" when there is a time of day.
std::string IsoText(const CivilDateTime& when);

}  // namespace tabvex::calendar
