#include "platform/oledb/value.h"

#include <gtest/gtest.h>

namespace tabvex::oledb {
namespace {

TEST(ValueText, WritesEachKindAsAPersonReadsIt) {
    EXPECT_EQ(ValueText(Value{}), "");
    EXPECT_EQ(ValueText(Value{true}), "True");
    EXPECT_EQ(ValueText(Value{false}), "False");
    EXPECT_EQ(ValueText(Value{std::int64_t{-9007199254740993}}), "-9007199254740993");
    EXPECT_EQ(ValueText(Value{Decimal{"1234.5600"}}), "1234.5600");
    EXPECT_EQ(ValueText(Value{std::string("O'Brien")}), "O'Brien");
    EXPECT_EQ(ValueText(Value{Bytes{{0x0A, 0xFF, 0x00}}}), "0AFF00");
}

TEST(ValueText, DatesAreIsoWithTimeOnlyWhenPresent) {
    EXPECT_EQ(ValueText(Value{DateTime{1996, 7, 4, 0, 0, 0}}), "1996-07-04");
    EXPECT_EQ(ValueText(Value{DateTime{1996, 7, 4, 14, 30, 0}}), "1996-07-04 14:30:00");
    EXPECT_EQ(ValueText(Value{DateTime{1996, 7, 4, 0, 0, 1}}), "1996-07-04 00:00:01");
}

TEST(ValueText, DoublesArePlainAndReadBackExactly) {
    EXPECT_EQ(ValueText(Value{0.1}), "0.1");
    EXPECT_EQ(ValueText(Value{-2.5}), "-2.5");
    EXPECT_EQ(ValueText(Value{1e20}), "100000000000000000000");
    EXPECT_EQ(ValueText(Value{3.0}), "3");
    const double tiny = 1.5e-7;
    std::string text = ValueText(Value{tiny});
    EXPECT_EQ(text.find('e'), std::string::npos) << text;
    EXPECT_EQ(std::stod(text), tiny);
}

}  // namespace
}  // namespace tabvex::oledb
