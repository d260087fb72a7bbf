#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "platform/jet/mdb/jet_date.h"
#include "platform/jet/mdb/value_text.h"

namespace tabvex::mdb {
namespace {

std::string Fixed(JetType type, std::vector<std::uint8_t> bytes, int scale = 0) {
    std::string out;
    EXPECT_TRUE(AppendFixedValueText(type, bytes, scale, out));
    return out;
}

template <typename T>
std::vector<std::uint8_t> Bytes(T value) {
    std::vector<std::uint8_t> b(sizeof value);
    std::memcpy(b.data(), &value, sizeof value);
    return b;
}

TEST(JetValueText, NumbersAreExactAndInPlainNotation) {
    EXPECT_EQ(DoubleToPlainText(0.1), "0.1");
    EXPECT_EQ(DoubleToPlainText(1e20), "100000000000000000000");
    EXPECT_EQ(DoubleToPlainText(-2.5e-7), "-0.00000025");
    EXPECT_EQ(SingleToPlainText(0.1f), "0.1");
    EXPECT_EQ(SingleToPlainText(3.4028235e38f).find('e'), std::string::npos);
    EXPECT_EQ(Fixed(JetType::Integer, Bytes<std::int16_t>(-32768)), "-32768");
    EXPECT_EQ(Fixed(JetType::Byte, {255}), "255");
    EXPECT_EQ(Fixed(JetType::Long, Bytes<std::int32_t>(-2147483647 - 1)), "-2147483648");
    EXPECT_EQ(Fixed(JetType::BigInt, Bytes<std::int64_t>(std::numeric_limits<std::int64_t>::min())),
              "-9223372036854775808");
}

TEST(JetValueText, CurrencyKeepsEveryTenThousandth) {
    EXPECT_EQ(CurrencyToText(123400), "12.34");
    EXPECT_EQ(CurrencyToText(1), "0.0001");
    EXPECT_EQ(CurrencyToText(-50000), "-5");
    EXPECT_EQ(CurrencyToText(std::numeric_limits<std::int64_t>::min()), "-922337203685477.5808");
    EXPECT_EQ(Fixed(JetType::Currency, Bytes<std::int64_t>(999999999)), "99999.9999");
}

TEST(JetValueText, DecimalUsesScaleAndSign) {
    // 17 bytes: sign, then four little-endian words, most significant first.
    std::vector<std::uint8_t> bytes(17, 0);
    bytes[13] = 0x39;  // 12345 in the least significant word
    bytes[14] = 0x30;
    EXPECT_EQ(Fixed(JetType::Numeric, bytes, 2), "123.45");
    bytes[0] = 0x80;
    EXPECT_EQ(Fixed(JetType::Numeric, bytes, 6), "-0.012345");
    bytes[1] = 1;  // 2^96 more
    EXPECT_EQ(Fixed(JetType::Numeric, bytes, 0), "-79228162514264337593543962681");
}

TEST(JetValueText, GuidAndBinary) {
    std::vector<std::uint8_t> guid{0x78, 0x56, 0x34, 0x12, 0x34, 0x12, 0x78, 0x56,
                                   0x9A, 0xBC, 0xDE, 0xF0, 0x01, 0x02, 0x03, 0x04};
    EXPECT_EQ(Fixed(JetType::Guid, guid), "{12345678-1234-5678-9ABC-DEF001020304}");
    std::string hex;
    AppendHex(std::vector<std::uint8_t>{0x00, 0xAB, 0x7F}, hex);
    EXPECT_EQ(hex, "00AB7F");
    std::string out;
    EXPECT_FALSE(AppendFixedValueText(JetType::Double, std::vector<std::uint8_t>(4), 0, out));
}

TEST(JetDate, TextAndSerialAgree) {
    EXPECT_EQ(JetDateToText(0), "1899-12-30");
    EXPECT_EQ(JetDateToText(35250), "1996-07-04");
    EXPECT_EQ(JetDateToText(35250.6041666667), "1996-07-04 14:30:00");
    EXPECT_EQ(JetDateToText(-1.25), "1899-12-29 06:00:00");
    EXPECT_EQ(JetDateToText(2.9999999), "1900-01-02");  // rounds up to the next midnight
    EXPECT_EQ(JetDateToText(-657434), "0100-01-01");
    for (const char* text : {"1996-07-04", "1996-07-04 14:30:00", "1899-12-29 06:00:00", "2000-02-29 23:59:59",
                             "1753-01-01", "9999-12-31 23:59:59"}) {
        auto serial = JetDateFromText(text);
        ASSERT_TRUE(serial) << text;
        EXPECT_EQ(JetDateToText(*serial), text);
    }
    EXPECT_DOUBLE_EQ(*JetDateFromText("1996-07-04T14:30"), *JetDateFromText("1996-07-04 14:30:00"));
    for (const char* bad : {"", "1996-02-30", "1996-13-01", "1996-07-04 25:00:00", "1996-07-04x", "July 4"})
        EXPECT_FALSE(JetDateFromText(bad)) << bad;
    // Only the years Jet holds, whose text the reader gives back as a date.
    for (const char* text : {"0100-01-01", "0100-01-01 00:00:01", "9999-12-31 23:59:59"}) {
        auto serial = JetDateFromText(text);
        ASSERT_TRUE(serial) << text;
        EXPECT_EQ(JetDateToText(*serial), text);
    }
    for (const char* beyond : {"0099-12-31 23:59:59", "0-2-1", "-5-01-01", "10000-01-01"})
        EXPECT_FALSE(JetDateFromText(beyond)) << beyond;
}

}  // namespace
}  // namespace tabvex::mdb
