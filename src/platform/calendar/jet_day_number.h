// Jet's dates. Jet keeps a date and time as a double: whole days since its day zero,
// 1899-12-30, and the time of day as the absolute value of the fraction, so -1.25 is
// 1899-12-29 06:00 (the time counts forward from the day even before day zero).
// Here a moment is whole seconds since day zero, so that comparisons and day
// arithmetic are exact; these convert it to and from Jet's doubles and the calendar.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/calendar/civil_date_time.h"

namespace tabvex::calendar {

inline constexpr std::int64_t kSecondsPerDay = 86400;

// Whether the number is a day of the years 100 to 9999, the dates Jet holds.
bool IsJetDateSerial(double serial);
// Rounded to the nearest second; a time that rounds to midnight is the next day's.
// Nothing for a number that is no Jet date.
std::optional<std::int64_t> SecondsFromJetSerial(double serial);
double JetSerialFromSeconds(std::int64_t seconds);

CivilDateTime CivilFromSeconds(std::int64_t seconds);
// The moment's day at 00:00:00.
std::int64_t StartOfDay(std::int64_t seconds);
// Nothing for a date or time that does not exist.
std::optional<std::int64_t> SecondsFromCivil(const CivilDateTime& when);

}  // namespace tabvex::calendar
