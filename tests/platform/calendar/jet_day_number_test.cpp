// Jet's day numbers against the calendar, around day zero where Jet's rule for the
// fraction of a negative number differs from plain arithmetic.
#include "platform/calendar/jet_day_number.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tabvex::calendar {
namespace {

std::string TextOf(double serial) { return IsoText(CivilFromSeconds(SecondsFromJetSerial(serial).value())); }

TEST(JetDayNumber, SerialsReadAsJetShowsThem) {
    EXPECT_EQ(TextOf(0), "1899-12-30");
    EXPECT_EQ(TextOf(35250.6041666667), "1996-07-04 14:30:00");
    EXPECT_EQ(TextOf(-1.25), "1899-12-29 06:00:00");  // the time counts forward from the day
    EXPECT_EQ(TextOf(-0.5), "1899-12-30 12:00:00");  // the same moment as 0.5
    EXPECT_EQ(TextOf(-657434), "0100-01-01");
    EXPECT_EQ(TextOf(2958465.99999), "9999-12-31 23:59:59");
    // A time that rounds to midnight is the next day, before day zero as after it.
    EXPECT_EQ(TextOf(1.999999999), "1900-01-01");
    EXPECT_EQ(TextOf(-1.999999999), "1899-12-30");
    // A day starts at its own midnight on both sides of day zero.
    EXPECT_EQ(IsoText(CivilFromSeconds(StartOfDay(SecondsFromJetSerial(-1.25).value()))), "1899-12-29");
    EXPECT_EQ(IsoText(CivilFromSeconds(StartOfDay(SecondsFromJetSerial(35250.75).value()))), "1996-07-04");
}

TEST(JetDayNumber, SerialsAndCalendarConvertBothWays) {
    for (double serial : {0.0, 1.5, 35250.6041666666, -1.25, -1.0, -700.75, 2958465.0}) {
        std::int64_t moment = SecondsFromJetSerial(serial).value();
        EXPECT_NEAR(JetSerialFromSeconds(moment), serial, 1e-5) << serial;
        EXPECT_EQ(SecondsFromCivil(CivilFromSeconds(moment)), moment) << serial;
    }
}

TEST(JetDayNumber, NumbersBeyondJetsYearsAreNoDates) {
    EXPECT_EQ(TextOf(-657434.5), "0100-01-01 12:00:00");  // the first day's noon lies below its number
    for (double serial : {-657435.0, 2958466.0, 1e300, -8.9e90, std::nan(""), HUGE_VAL})
        EXPECT_FALSE(SecondsFromJetSerial(serial).has_value()) << serial;
}

TEST(JetDayNumber, DatesThatDoNotExistAreRefused) {
    EXPECT_TRUE(SecondsFromCivil({2000, 2, 29}).has_value());
    EXPECT_FALSE(SecondsFromCivil({1900, 2, 29}).has_value());
    EXPECT_FALSE(SecondsFromCivil({1999, 13, 1}).has_value());
    EXPECT_FALSE(SecondsFromCivil({1999, 0, 1}).has_value());
    EXPECT_FALSE(SecondsFromCivil({1999, 1, 1, 24, 0, 0}).has_value());
    EXPECT_FALSE(SecondsFromCivil({1999, 1, 1, 0, 60, 0}).has_value());
    EXPECT_FALSE(SecondsFromCivil({1999, 1, 1, -1, 0, 0}).has_value());
}

}  // namespace
}  // namespace tabvex::calendar
