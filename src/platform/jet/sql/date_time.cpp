#include "platform/jet/sql/date_time.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace tabvex::jet::sql {
namespace {

using namespace std::chrono;

// Days from 1970-01-01 back to Jet's day zero, 1899-12-30.
constexpr std::int64_t kDayZeroFrom1970 = -25569;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Splits text into runs of digits and runs of letters, remembering the separators.
struct DateParts {
    std::vector<unsigned> numbers;
    std::vector<char> separators;  // the character after each number ('\0' at the end)
    std::string meridiem;          // "AM", "PM" or empty
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<DateParts> SplitDateParts(std::string_view text) {
    DateParts parts;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (IsDigit(c)) {
            unsigned value = 0;
            std::size_t digits = 0;
            while (i < text.size() && IsDigit(text[i])) {
                if (++digits > 4) return std::nullopt;
                value = value * 10 + static_cast<unsigned>(text[i++] - '0');
            }
            parts.numbers.push_back(value);
            parts.separators.push_back(i < text.size() ? text[i] : '\0');
        } else if (c == 'a' || c == 'A' || c == 'p' || c == 'P') {
            if (!parts.meridiem.empty() || i + 1 >= text.size() || (text[i + 1] != 'm' && text[i + 1] != 'M'))
                return std::nullopt;
            parts.meridiem = (c == 'a' || c == 'A') ? "AM" : "PM";
            i += 2;
        } else if (c == ' ' || c == '-' || c == '/' || c == ':' || c == 'T' || c == '.') {
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return parts;
}

bool ApplyTime(const DateParts& parts, std::size_t first, CivilDateTime& civil) {
    std::size_t count = parts.numbers.size() - first;
    if (count == 0) return parts.meridiem.empty();
    if (count > 3) return false;
    for (std::size_t i = first; i + 1 < parts.numbers.size(); ++i)
        if (parts.separators[i] != ':') return false;
    civil.hour = parts.numbers[first];
    civil.minute = count > 1 ? parts.numbers[first + 1] : 0;
    civil.second = count > 2 ? parts.numbers[first + 2] : 0;
    if (count == 1 && parts.meridiem.empty()) return false;  // a lone number is no time
    if (!parts.meridiem.empty()) {
        if (civil.hour < 1 || civil.hour > 12) return false;
        civil.hour = (civil.hour % 12) + (parts.meridiem == "PM" ? 12 : 0);
    }
    return true;
}

}  // namespace

std::optional<DateTime> DateTime::FromCivil(const CivilDateTime& c) {
    year_month_day ymd{year{c.year}, month{c.month}, day{c.day}};
    if (!ymd.ok() || c.hour > 23 || c.minute > 59 || c.second > 59) return std::nullopt;
    std::int64_t days = sys_days{ymd}.time_since_epoch().count() - kDayZeroFrom1970;
    return DateTime(days * kSecondsPerDay + c.hour * 3600 + c.minute * 60 + c.second);
}

DateTime DateTime::FromSerial(double days) {
    // Jet counts the fraction of a negative serial forward from the whole day, so
    // -1.25 is 1899-12-29 06:00; keep that rather than plain arithmetic.
    double whole = std::trunc(days);
    double fraction = std::fabs(days - whole);
    auto seconds = static_cast<std::int64_t>(whole) * kSecondsPerDay +
                   static_cast<std::int64_t>(std::llround(fraction * kSecondsPerDay));
    return DateTime(seconds);
}

DateTime DateTime::Now() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    CivilDateTime c{local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                    static_cast<unsigned>(local.tm_mday), static_cast<unsigned>(local.tm_hour),
                    static_cast<unsigned>(local.tm_min), static_cast<unsigned>(std::min(local.tm_sec, 59))};
    return *FromCivil(c);
}

CivilDateTime DateTime::civil() const {
    std::int64_t days = FloorDiv(seconds_, kSecondsPerDay);
    std::int64_t inDay = seconds_ - days * kSecondsPerDay;
    year_month_day ymd{sys_days{std::chrono::days{days + kDayZeroFrom1970}}};
    return CivilDateTime{static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                         static_cast<unsigned>(ymd.day()), static_cast<unsigned>(inDay / 3600),
                         static_cast<unsigned>(inDay / 60 % 60), static_cast<unsigned>(inDay % 60)};
}

bool DateTime::hasTime() const { return seconds_ - FloorDiv(seconds_, kSecondsPerDay) * kSecondsPerDay != 0; }

std::string DateTime::ToText() const {
    CivilDateTime c = civil();
    char buffer[40];
    if (hasTime())
        std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u %02u:%02u:%02u", c.year, c.month, c.day, c.hour,
                      c.minute, c.second);
    else
        std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", c.year, c.month, c.day);
    return buffer;
}

std::optional<DateTime> ParseDateTime(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    auto parts = SplitDateParts(text);
    if (!parts || parts->numbers.empty()) return std::nullopt;
    const auto& n = parts->numbers;
    CivilDateTime civil;
    std::size_t timeStart = 0;
    if (n.size() >= 3 && parts->separators[0] == '-' && parts->separators[1] == '-') {
        civil.year = static_cast<int>(n[0]);  // ISO year-month-day
        civil.month = n[1];
        civil.day = n[2];
        timeStart = 3;
    } else if (n.size() >= 3 && parts->separators[0] == '/' && parts->separators[1] == '/') {
        civil.month = n[0];  // US month/day/year, two-digit years as Jet reads them
        civil.day = n[1];
        civil.year = static_cast<int>(n[2] < 30 ? n[2] + 2000 : n[2] < 100 ? n[2] + 1900 : n[2]);
        timeStart = 3;
    }
    if (!ApplyTime(*parts, timeStart, civil)) return std::nullopt;
    return DateTime::FromCivil(civil);
}

}  // namespace tabvex::jet::sql
