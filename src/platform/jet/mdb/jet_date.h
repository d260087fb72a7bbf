// Jet stores a date/time as a double: whole days since 1899-12-30, and the time of
// day as the fraction's absolute value (so -1.25 is 1899-12-29 06:00). These turn
// it into ISO 8601 text and back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabvex::mdb {

// "1996-07-04", or "1996-07-04 14:30:00" when there is a time of day (to the
// nearest second).
std::string JetDateToText(double serial);

// Parses "YYYY-MM-DD", optionally followed by " HH:MM[:SS]" (or 'T' as separator);
// nothing for a date outside the years 100 to 9999.
std::optional<double> JetDateFromText(std::string_view text);

}  // namespace tabvex::mdb
