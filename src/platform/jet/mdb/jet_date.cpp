#include "platform/jet/mdb/jet_date.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace tabvex::mdb {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Days from 1970-01-01 back to Jet's day zero, 1899-12-30.
constexpr std::int64_t kJetEpochOffset = 25569;

struct Civil {
    std::int64_t year;
    unsigned month, day;
};

// Days since 1970-01-01 to a proleptic Gregorian date (H. Hinnant's algorithm).
Civil CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2), m, d};
}

std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool IsValidDate(std::int64_t y, unsigned m, unsigned d) {
    static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1) return false;
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= kDays[m - 1] + (m == 2 && leap ? 1u : 0u);
}

}  // namespace

std::string JetDateToText(double serial) {
    if (!std::isfinite(serial) || std::fabs(serial) > 3.0e6) return std::to_string(serial);
    double wholeDays = std::trunc(serial);
    auto seconds = static_cast<std::int64_t>(std::llround(std::fabs(serial - wholeDays) * kSecondsPerDay));
    auto days = static_cast<std::int64_t>(wholeDays);
    if (seconds >= kSecondsPerDay) {  // rounding reached midnight of the next day
        seconds -= kSecondsPerDay;
        days += serial < 0 ? -1 : 1;
    }
    Civil c = CivilFromDays(days - kJetEpochOffset);
    char buffer[64];
    if (seconds == 0) {
        std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02u", static_cast<long long>(c.year), c.month, c.day);
    } else {
        std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02u %02d:%02d:%02d", static_cast<long long>(c.year),
                      c.month, c.day, static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                      static_cast<int>(seconds % 60));
    }
    return buffer;
}

std::optional<double> JetDateFromText(std::string_view text) {
    std::string s(text);
    int y = 0, hh = 0, mm = 0, ss = 0;
    unsigned mo = 0, d = 0;
    char sep = 0;
    int consumed = 0;
    if (std::sscanf(s.c_str(), "%d-%u-%u%n", &y, &mo, &d, &consumed) != 3) return std::nullopt;
    if (static_cast<size_t>(consumed) < s.size()) {
        int rest = 0;
        int n = std::sscanf(s.c_str() + consumed, "%c%d:%d%n:%d%n", &sep, &hh, &mm, &rest, &ss, &rest);
        if (n < 3 || (sep != ' ' && sep != 'T') || static_cast<size_t>(consumed + rest) != s.size()) return std::nullopt;
    }
    if (!IsValidDate(y, mo, d) || hh < 0 || hh > 23 || mm < 0 || mm > 59 || ss < 0 || ss > 59) return std::nullopt;
    double days = static_cast<double>(DaysFromCivil(y, mo, d) + kJetEpochOffset);
    double fraction = static_cast<double>(hh * 3600 + mm * 60 + ss) / kSecondsPerDay;
    return days >= 0 ? days + fraction : days - fraction;
}

}  // namespace tabvex::mdb
