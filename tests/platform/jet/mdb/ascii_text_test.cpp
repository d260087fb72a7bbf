#include <gtest/gtest.h>

#include <optional>
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

}  // namespace
}  // namespace tabvex::mdb
