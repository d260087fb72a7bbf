// Jet's date-time: a calendar date and a time of day, kept as whole seconds since
// Jet's day zero (1899-12-30 00:00:00), so that comparisons and day arithmetic are
// exact and a serial day number converts both ways.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/calendar/civil_date_time.h"
#include "platform/calendar/jet_day_number.h"

namespace tabvex::jet::sql {

class DateTime {
public:
    DateTime() = default;
    static DateTime FromSeconds(std::int64_t secondsSinceDayZero) { return DateTime(secondsSinceDayZero); }
    // Fails (nullopt) for a month, day or time that does not exist.
    static std::optional<DateTime> FromCivil(const calendar::CivilDateTime& civil);
    // Jet's serial form: days since day zero, the fraction being the time of day.
    // Nothing outside the years 100 to 9999.
    static std::optional<DateTime> FromSerial(double days);
    // The local wall-clock time now.
    static DateTime Now();

    std::int64_t seconds() const { return seconds_; }
    double serial() const { return calendar::JetSerialFromSeconds(seconds_); }
    calendar::CivilDateTime civil() const { return calendar::CivilFromSeconds(seconds_); }
    // ISO 8601: "1996-07-04", or "1996-07-04 14:30:00" when there is a time of day.
    std::string ToText() const { return calendar::IsoText(civil()); }

    friend auto operator<=>(const DateTime&, const DateTime&) = default;

private:
    explicit DateTime(std::int64_t seconds) : seconds_(seconds) {}
    static std::optional<DateTime> FromMoment(std::optional<std::int64_t> seconds);
    std::int64_t seconds_ = 0;
};

// A number used as a date: Jet's day number, or an SqlError (Overflow) when it names no
// day of the years 100 to 9999.
DateTime DateFromNumber(double days);

// Reads the forms a person types between #…# or in a text compared with a date:
// ISO "1997-01-31", US "1/31/1997", either followed by a time "14:30[:05]" with an
// optional AM/PM, or a time alone. Returns nullopt for anything else.
std::optional<DateTime> ParseDateTime(std::string_view text);

}  // namespace tabvex::jet::sql
