#include "platform/calendar/jet_day_number.h"

#include <chrono>
#include <cmath>

namespace tabvex::calendar {
namespace {

// Days from 1970-01-01 back to Jet's day zero.
constexpr std::int64_t kDayZeroFrom1970 = -25569;
// 0100-01-01 and 10000-01-01 as Jet day numbers.
constexpr double kFirstJetDay = -657434, kPastLastJetDay = 2958466;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

bool IsJetDateSerial(double serial) {
    // The times of a day before day zero lie below its number: -657434.5 is 0100-01-01 12:00.
    return serial > kFirstJetDay - 1 && serial < kPastLastJetDay;
}

std::optional<std::int64_t> SecondsFromJetSerial(double serial) {
    if (!IsJetDateSerial(serial)) return std::nullopt;
    double whole = std::trunc(serial);
    auto timeOfDay = static_cast<std::int64_t>(std::llround(std::fabs(serial - whole) * kSecondsPerDay));
    return static_cast<std::int64_t>(whole) * kSecondsPerDay + timeOfDay;
}

double JetSerialFromSeconds(std::int64_t seconds) {
    std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
    double fraction = static_cast<double>(seconds - days * kSecondsPerDay) / kSecondsPerDay;
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

CivilDateTime CivilFromSeconds(std::int64_t seconds) {
    using namespace std::chrono;
    std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
    auto inDay = static_cast<int>(seconds - days * kSecondsPerDay);
    year_month_day date{sys_days{std::chrono::days{days + kDayZeroFrom1970}}};
    return CivilDateTime{int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())),
                         inDay / 3600, inDay / 60 % 60, inDay % 60};
}

std::int64_t StartOfDay(std::int64_t seconds) { return FloorDiv(seconds, kSecondsPerDay) * kSecondsPerDay; }

std::optional<std::int64_t> SecondsFromCivil(const CivilDateTime& when) {
    using namespace std::chrono;
    if (!IsValid(when)) return std::nullopt;
    year_month_day date{year{when.year}, month{unsigned(when.month)}, day{unsigned(when.day)}};
    std::int64_t days = sys_days{date}.time_since_epoch().count() - kDayZeroFrom1970;
    return days * kSecondsPerDay + when.hour * 3600 + when.minute * 60 + when.second;
}

}  // namespace tabvex::calendar
