#include <gtest/gtest.h>

#include "platform/jet/sql/date_time.h"
#include "platform/jet/sql/value.h"

namespace tabvex::jet::sql {
namespace {

TEST(SqlValue, TextAsAPersonReadsIt) {
    EXPECT_EQ(Value::Integer(-42).ToText(), "-42");
    EXPECT_EQ(Value::Double(0.1).ToText(), "0.1");
    EXPECT_EQ(Value::Double(1e20).ToText(), "100000000000000000000");
    EXPECT_EQ(Value::Double(1.5e-7).ToText(), "0.00000015");
    EXPECT_EQ(Value::Double(-0.0).ToText(), "0");
    EXPECT_EQ(Value::Decimal("1234567890123456789.0100").ToText(), "1234567890123456789.0100");
    EXPECT_EQ(Value::Boolean(true).ToText(), "True");
    EXPECT_EQ(Value::Null().ToText(), "");
    EXPECT_EQ(Value::Date(*DateTime::FromCivil({1996, 7, 4})).ToText(), "1996-07-04");
    EXPECT_EQ(Value::Date(*DateTime::FromCivil({1996, 7, 4, 14, 30, 0})).ToText(), "1996-07-04 14:30:00");
}

TEST(SqlValue, NumbersFromText) {
    EXPECT_EQ(ParseNumberText(" 12.5 "), 12.5);
    EXPECT_EQ(ParseNumberText("-1e3"), -1000);
    EXPECT_EQ(ParseNumberText(".5"), 0.5);
    EXPECT_FALSE(ParseNumberText("12abc"));
    EXPECT_FALSE(ParseNumberText("1e"));
    EXPECT_FALSE(ParseNumberText(""));
    EXPECT_FALSE(ParseNumberText("."));
    EXPECT_FALSE(ParseNumberText("1e999"));
    EXPECT_TRUE(IsPlainDecimalText("-0.25"));
    EXPECT_FALSE(IsPlainDecimalText("1."));
    EXPECT_FALSE(IsPlainDecimalText("1e5"));
}

TEST(SqlDateTime, SerialDaysAndCalendar) {
    EXPECT_EQ(DateTime::FromCivil({1899, 12, 30})->serial(), 0);
    EXPECT_EQ(DateTime::FromCivil({1900, 1, 1})->serial(), 2);
    EXPECT_EQ(DateTime::FromCivil({1996, 7, 4})->serial(), 35250);
    // Before day zero the fraction still counts forward from the day: -1.25 is 29 Dec, 06:00.
    EXPECT_EQ(DateTime::FromSerial(-1.25)->ToText(), "1899-12-29 06:00:00");
    EXPECT_DOUBLE_EQ(DateTime::FromSerial(-1.25)->serial(), -1.25);  // and reads back as Jet wrote it
    EXPECT_EQ(DateTime::FromSerial(35250.5)->ToText(), "1996-07-04 12:00:00");
    EXPECT_FALSE(DateTime::FromCivil({1997, 2, 29}));
    EXPECT_TRUE(DateTime::FromCivil({2000, 2, 29}));
    EXPECT_FALSE(DateTime::FromCivil({2000, 1, 1, 24, 0, 0}));
}

TEST(SqlDateTime, TypedForms) {
    auto text = [](std::string_view s) {
        auto date = ParseDateTime(s);
        return date ? date->ToText() : std::string("invalid");
    };
    EXPECT_EQ(text("1997-01-31"), "1997-01-31");
    EXPECT_EQ(text("1/31/1997"), "1997-01-31");
    EXPECT_EQ(text("1/31/97"), "1997-01-31");
    EXPECT_EQ(text("1/31/05"), "2005-01-31");
    EXPECT_EQ(text("1996-07-04 14:30"), "1996-07-04 14:30:00");
    EXPECT_EQ(text("7/4/1996 2:30:15 PM"), "1996-07-04 14:30:15");
    EXPECT_EQ(text("12:00 am"), "1899-12-30");
    EXPECT_EQ(text("31/1/1997"), "invalid");
    EXPECT_EQ(text("1997-01-31 25:00"), "invalid");
    EXPECT_EQ(text("1997"), "invalid");
    EXPECT_EQ(text("tomorrow"), "invalid");
    EXPECT_EQ(text("13 PM"), "invalid");
}

}  // namespace
}  // namespace tabvex::jet::sql
