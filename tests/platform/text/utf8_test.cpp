// The one UTF-8 decoder: well-formed text in every length, and malformed input
// reported a byte at a time, so that counting and converting always agree.
#include "platform/text/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabvex::text {
namespace {

// Every decode of a text: a code point, or 0xFFFFFFFF for a malformed byte.
std::vector<char32_t> Decoded(std::string_view s) {
    std::vector<char32_t> out;
    for (std::size_t pos = 0; pos < s.size();) out.push_back(DecodeUtf8(s, pos).value_or(0xFFFFFFFF));
    return out;
}

constexpr char32_t kBad = 0xFFFFFFFF;

TEST(Utf8, WellFormedTextDecodesAndRoundTrips) {
    std::string all = "A\u00e9\u20ac\U0001F600\u00ff\uFFFD\U0010FFFF";
    EXPECT_EQ(Decoded(all), (std::vector<char32_t>{U'A', 0xE9, 0x20AC, 0x1F600, 0xFF, 0xFFFD, 0x10FFFF}));
    EXPECT_EQ(Utf8ToUtf16(all), u"A\u00e9\u20ac\U0001F600\u00ff\uFFFD\U0010FFFF");
    EXPECT_EQ(Utf16Length(all), 9u);  // two code points outside the BMP take two units each
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(all)), all);
}

// ASCII runs are passed eight bytes at a time: a non-ASCII byte anywhere in or after
// such a run must still be found and counted.
TEST(Utf8, AsciiRunsOfAnyLengthAreMeasuredExactly) {
    for (std::size_t run = 0; run <= 20; ++run) {
        const std::string ascii(run, 'x');
        EXPECT_EQ(AsciiPrefixLength(ascii), run);
        for (const std::string tail : {"\u00e9", "\U0001F600", "\x80", "\xff"}) {
            const std::string text = ascii + tail + ascii;
            EXPECT_EQ(AsciiPrefixLength(text), run) << run << " " << tail;
            EXPECT_EQ(Utf16Length(text), Utf8ToUtf16(text).size()) << run << " " << tail;
        }
    }
}

// Texts that end in their first non-ASCII character, which in a long text lies in the
// last, partial word.
TEST(Utf8, AsciiRunsEndedByTheLastCharacterAreMeasuredExactly) {
    for (std::size_t run = 0; run <= 20; ++run) {
        const std::string ascii(run, 'x');
        for (const std::string tail : {"\u00e9", "\U0001F600", "\x80", "\xff"}) {
            EXPECT_EQ(AsciiPrefixLength(ascii + tail), run) << run << " " << tail;
            EXPECT_EQ(Utf16Length(ascii + tail), Utf8ToUtf16(ascii + tail).size()) << run << " " << tail;
        }
    }
}

TEST(Utf8, MalformedInputIsReportedOneByteAtATime) {
    struct Case {
        std::string bytes;
        std::vector<char32_t> decoded;
    };
    std::vector<Case> cases = {
        {"\x80", {kBad}},                             // a stray continuation byte
        {"\xC3", {kBad}},                             // cut at the end
        {"\xE2\x82", {kBad, kBad}},                   // cut three-byte sequence: each byte on its own
        {"\xE2\x82x", {kBad, kBad, U'x'}},            // the byte after a cut is read again
        {"\xC0\xAF", {kBad, kBad}},                   // overlong '/'
        {"\xE0\x80\xAF", {kBad, kBad, kBad}},         // overlong three-byte form
        {"\xED\xA0\x80", {kBad, kBad, kBad}},         // a UTF-16 surrogate
        {"\xF4\x90\x80\x80", {kBad, kBad, kBad, kBad}},  // past U+10FFFF
        {"\xFF" "a", {kBad, U'a'}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Decoded(c.bytes), c.decoded) << testing::PrintToString(c.bytes);
        // What the workbook stores and what the limits count must agree byte for byte.
        EXPECT_EQ(Utf16Length(c.bytes), Utf8ToUtf16(c.bytes).size()) << testing::PrintToString(c.bytes);
        for (char16_t unit : Utf8ToUtf16(c.bytes)) EXPECT_TRUE(unit == 0xFFFD || unit < 0x80);
    }
}

// A cut by UTF-16 units keeps whole characters: a pair outside the BMP is taken whole
// or not at all, and every prefix measures at most what was asked.
TEST(Utf8, Utf16PrefixNeverSplitsACharacter) {
    const std::string text = "ab\xC3\xA9\xF0\x9F\x98\x80z\xFF";  // a b é 😀 z and a malformed byte
    const std::vector<std::size_t> expectedBytes = {0, 1, 2, 4, 4, 8, 9, 10};
    for (std::size_t units = 0; units < expectedBytes.size(); ++units) {
        const std::string_view prefix = Utf16Prefix(text, units);
        EXPECT_EQ(prefix.size(), expectedBytes[units]) << units;
        EXPECT_LE(Utf16Length(prefix), units);
    }
    EXPECT_EQ(Utf16Prefix(text, 100), text);
}

TEST(Utf8, UnpairedSurrogatesBecomeReplacementCharacters) {
    std::u16string lone = u"a";
    lone += char16_t(0xD800);
    lone += u"b";
    lone += char16_t(0xDC00);
    EXPECT_EQ(Utf16ToUtf8(lone), "a\uFFFDb\uFFFD");
}

}  // namespace
}  // namespace tabvex::text
