#include "platform/jet/sql/date_time.h"

#include <algorithm>
#include <ctime>
#include <vector>

#include "platform/jet/sql/sql_error.h"

namespace tabvex::jet::sql {
namespace {

// Splits text into runs of digits and runs of letters, remembering the separators.
struct DateParts {
    std::vector<int> numbers;  // at most four digits each
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
            int value = 0;
            std::size_t digits = 0;
            while (i < text.size() && IsDigit(text[i])) {
                if (++digits > 4) return std::nullopt;
                value = value * 10 + (text[i++] - '0');
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

bool ApplyTime(const DateParts& parts, std::size_t first, calendar::CivilDateTime& civil) {
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

std::optional<DateTime> DateTime::FromMoment(std::optional<std::int64_t> seconds) {
    return seconds ? std::optional<DateTime>(DateTime(*seconds)) : std::nullopt;
}

std::optional<DateTime> DateTime::FromCivil(const calendar::CivilDateTime& civil) {
    return FromMoment(calendar::SecondsFromCivil(civil));
}

std::optional<DateTime> DateTime::FromSerial(double days) { return FromMoment(calendar::SecondsFromJetSerial(days)); }

DateTime DateTime::Now() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    calendar::CivilDateTime c{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                              local.tm_hour,        local.tm_min,     std::min(local.tm_sec, 59)};
    return *FromCivil(c);
}

DateTime DateFromNumber(double days) {
    if (std::optional<DateTime> date = DateTime::FromSerial(days)) return *date;
    throw SqlError(SqlErrorKind::Overflow, "Overflow: " + std::to_string(days) + " is no date of the years 100 to 9999");
}

std::optional<DateTime> ParseDateTime(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    auto parts = SplitDateParts(text);
    if (!parts || parts->numbers.empty()) return std::nullopt;
    const auto& n = parts->numbers;
    calendar::CivilDateTime civil;
    std::size_t timeStart = 0;
    if (n.size() >= 3 && parts->separators[0] == '-' && parts->separators[1] == '-') {
        civil.year = n[0];  // ISO year-month-day
        civil.month = n[1];
        civil.day = n[2];
        timeStart = 3;
    } else if (n.size() >= 3 && parts->separators[0] == '/' && parts->separators[1] == '/') {
        civil.month = n[0];  // US month/day/year, two-digit years as Jet reads them
        civil.day = n[1];
        civil.year = n[2] < 30 ? n[2] + 2000 : n[2] < 100 ? n[2] + 1900 : n[2];
        timeStart = 3;
    }
    if (!ApplyTime(*parts, timeStart, civil)) return std::nullopt;
    return DateTime::FromCivil(civil);
}

}  // namespace tabvex::jet::sql
