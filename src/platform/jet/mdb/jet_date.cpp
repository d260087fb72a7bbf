#include "platform/jet/mdb/jet_date.h"

#include <cstdio>

#include "platform/calendar/jet_day_number.h"

namespace tabvex::mdb {

std::string JetDateToText(double serial) {
    // Beyond the years Jet can show, the stored number itself is the honest text.
    std::optional<std::int64_t> seconds = calendar::SecondsFromJetSerial(serial);
    return seconds ? calendar::IsoText(calendar::CivilFromSeconds(*seconds)) : std::to_string(serial);
}

std::optional<double> JetDateFromText(std::string_view text) {
    std::string s(text);
    calendar::CivilDateTime when;
    int consumed = 0;
    if (std::sscanf(s.c_str(), "%d-%d-%d%n", &when.year, &when.month, &when.day, &consumed) != 3) return std::nullopt;
    if (static_cast<size_t>(consumed) < s.size()) {
        char separator = 0;
        int rest = 0;
        int n = std::sscanf(s.c_str() + consumed, "%c%d:%d%n:%d%n", &separator, &when.hour, &when.minute, &rest,
                            &when.second, &rest);
        if (n < 3 || (separator != ' ' && separator != 'T') || static_cast<size_t>(consumed + rest) != s.size())
            return std::nullopt;
    }
    std::optional<std::int64_t> seconds = calendar::SecondsFromCivil(when);
    if (!seconds) return std::nullopt;
    // Jet holds the years 100 to 9999 only; any other date would read back as a bare number.
    const double serial = calendar::JetSerialFromSeconds(*seconds);
    if (!calendar::IsJetDateSerial(serial)) return std::nullopt;
    return serial;
}

}  // namespace tabvex::mdb
