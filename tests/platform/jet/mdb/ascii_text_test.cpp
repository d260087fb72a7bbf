#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/jet/mdb/ascii_text.h"

namespace tabvex::mdb {
namespace {

// The text read, or nullopt when it is left to the full conversion; `out` starts
// with a prefix that must survive either way.
std::optional<std::string> Read(std::vector<std::uint8_t> stored, bool singleByte) {
    std::string out = "prefix:";
    const bool ascii = AppendAsciiText(stored, singleByte, out);
    EXPECT_EQ(out.substr(0, 7), "prefix:");
    if (!ascii) {
        EXPECT_EQ(out, "prefix:");
        return std::nullopt;
    }
    return out.substr(7);
}

TEST(JetAsciiText, CodePageBytes) {
    EXPECT_EQ(Read({'A', 'b', ' ', '1'}, true), "Ab 1");
    EXPECT_EQ(Read({'A', 0xE9}, true), std::nullopt);  // a code-page letter
    EXPECT_EQ(Read({'A', 0}, true), std::nullopt);
}

TEST(JetAsciiText, Utf16Units) {
    EXPECT_EQ(Read({'A', 0, 'b', 0}, false), "Ab");
    EXPECT_EQ(Read({'A', 0, 0xE9, 0}, false), std::nullopt);
    EXPECT_EQ(Read({'A', 0, 'b', 1}, false), std::nullopt);  // U+0162
    EXPECT_EQ(Read({'A', 0, 'b'}, false), std::nullopt);     // an odd byte count
}

TEST(JetAsciiText, CompressedUnicode) {
    EXPECT_EQ(Read({0xFF, 0xFE, 'A', 'b'}, false), "Ab");
    // A zero byte switches to two-byte units and back.
    EXPECT_EQ(Read({0xFF, 0xFE, 'A', 0, 'b', 0, 'c', 0, 0, 'd'}, false), "Abcd");
    EXPECT_EQ(Read({0xFF, 0xFE, 'A', 0, 0x3B, 0x04}, false), std::nullopt);  // Cyrillic
    EXPECT_EQ(Read({0xFF, 0xFE, 'A', 0xE9}, false), std::nullopt);
    EXPECT_EQ(Read({0xFF, 0xFE, 'A', 0, 'b'}, false), std::nullopt);  // a unit cut short
    EXPECT_EQ(Read({0xFF, 0xFE}, false), "");
}

std::vector<std::uint8_t> CodePage(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> Utf16(const std::string& text) {
    std::vector<std::uint8_t> units;
    for (char c : text) units.push_back(std::uint8_t(c)), units.push_back(0);
    return units;
}

std::vector<std::uint8_t> Compressed(const std::string& text) { return CodePage("\xFF\xFE" + text); }

// Values are checked several bytes at a time: a byte or unit that is no ASCII, or zero,
// must be found at any position of a value of any length, in each stored form.
TEST(JetAsciiText, EveryPositionOfValuesOfEveryLengthIsChecked) {
    for (std::size_t length = 1; length <= 40; ++length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text += char('!' + (i * 7) % 94);
        ASSERT_EQ(Read(CodePage(text), true), text);
        ASSERT_EQ(Read(Utf16(text), false), text);
        ASSERT_EQ(Read(Compressed(text), false), text);
        for (std::size_t at = 0; at < length; ++at) {
            for (std::uint8_t bad : {0x00, 0x80, 0xE9, 0xFF}) {
                auto codePage = CodePage(text), units = Utf16(text), compressed = Compressed(text);
                codePage[at] = bad;
                units[2 * at] = bad;
                EXPECT_EQ(Read(codePage, true), std::nullopt) << length << " " << at << " " << int(bad);
                EXPECT_EQ(Read(units, false), std::nullopt) << length << " " << at << " " << int(bad);
                if (bad == 0) continue;  // a zero byte switches the compressed form to units
                compressed[2 + at] = bad;
                EXPECT_EQ(Read(compressed, false), std::nullopt) << length << " " << at << " " << int(bad);
            }
            auto wide = Utf16(text);
            wide[2 * at + 1] = 0x01;  // a unit above U+00FF
            EXPECT_EQ(Read(wide, false), std::nullopt) << length << " " << at;
        }
    }
    // Long single-byte runs on both sides of a stretch of two-byte units.
    const auto mixed = Compressed("single bytes before" + std::string("\0u\0v\0\0", 6) + "and single bytes after");
    EXPECT_EQ(Read(mixed, false), "single bytes beforeuvand single bytes after");
}

}  // namespace
}  // namespace tabvex::mdb
