// The string table's stored form and interning: each text has one form (one byte per
// character up to U+00FF, UTF-16 beyond), equal texts share one entry whichever way
// they arrive, and strings read from a file join the index when the program adds more.
#include "platform/text/utf8.h"
#include "platform/xls/shared_string_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tabvex::xls {
namespace {

std::string Utf8Of(StoredText text) {
    std::string out;
    AppendUtf8(text, out);
    return out;
}

TEST(StoredText, EachTextHasOneFormAndComesBackAsItWent) {
    struct Case {
        std::string utf8;
        bool wide;
        size_t units;
    };
    const std::vector<Case> cases = {
        {"", false, 0},
        {"plain ASCII that is longer than eight bytes", false, 43},
        {"caf\u00e9 \u00ff", false, 6},           // Latin-1 above 0x7F still takes one byte
        {"\u00e9\u03a9", true, 2},                // one character beyond U+00FF makes it wide
        {"x\U0001F600y", true, 4},                // a surrogate pair counts two units
        {std::string(9, 'a') + "\u0100", true, 10},  // the wide character after an ASCII run
    };
    for (const auto& c : cases) {
        std::string scratch;
        StoredText stored = EncodeStoredText(c.utf8, scratch);
        EXPECT_EQ(stored.wide, c.wide) << c.utf8;
        EXPECT_EQ(stored.size(), c.units) << c.utf8;
        EXPECT_EQ(Utf8Of(stored), c.utf8);
        std::string again;
        EXPECT_EQ(EncodeStoredText(text::Utf8ToUtf16(c.utf8), again), stored) << c.utf8;
    }
    std::string scratch;
    EXPECT_EQ(Utf8Of(EncodeStoredText(std::string_view("a\xff" "b"), scratch)), "a\uFFFDb");
}

TEST(StoredText, WideBytesFromAFileAreCompressedWhenTheyFit) {
    std::string scratch;
    StoredText latin = CanonicalStoredText(std::string_view("c\0a\0f\0\xe9\0", 8), scratch);
    EXPECT_FALSE(latin.wide);
    EXPECT_EQ(latin.bytes, "caf\xe9");
    StoredText greek = CanonicalStoredText(std::string_view("a\0\xa9\x03", 4), scratch);
    EXPECT_TRUE(greek.wide);
    EXPECT_EQ(Utf8Of(greek), "a\u03a9");
}

TEST(SharedStringTable, EqualTextsShareOneEntry) {
    SharedStringTable table;
    std::string s1, s2;
    uint32_t cafe = table.Add(EncodeStoredText(std::string("caf\u00e9"), s1));
    EXPECT_EQ(table.Add(EncodeStoredText(std::u16string(u"caf\u00e9"), s2)), cafe);
    uint32_t empty = table.Add(EncodeStoredText(std::string(), s1));
    EXPECT_EQ(table.Add(EncodeStoredText(std::string(), s1)), empty);
    EXPECT_NE(table.Add(EncodeStoredText(std::string("cafe"), s1)), cafe);
    // The same bytes as Latin-1 and as UTF-16 are different texts.
    uint32_t narrow = table.Add(StoredText{std::string_view("\x01\x01", 2), false});
    uint32_t wide = table.Add(StoredText{std::string_view("\x01\x01", 2), true});
    EXPECT_NE(narrow, wide);
    EXPECT_EQ(table.size(), 5u);
    EXPECT_EQ(Utf8Of(table.Text(cafe)), "caf\u00e9");
    EXPECT_EQ(Utf8Of(table.Text(99)), "");
}

TEST(SharedStringTable, ManyStringsSurviveTheIndexGrowing) {
    SharedStringTable table;
    std::vector<uint32_t> first;
    for (int i = 0; i < 20000; ++i) {
        std::string text = "text " + std::to_string(i) + (i % 7 == 0 ? "\u0416" : "");
        std::string scratch;
        first.push_back(table.Add(EncodeStoredText(text, scratch)));
    }
    EXPECT_EQ(table.size(), 20000u);
    for (int i = 0; i < 20000; i += 97) {
        std::string text = "text " + std::to_string(i) + (i % 7 == 0 ? "\u0416" : "");
        std::string scratch;
        ASSERT_EQ(table.Add(EncodeStoredText(text, scratch)), first[size_t(i)]) << i;
        ASSERT_EQ(Utf8Of(table.Text(first[size_t(i)])), text);
    }
    EXPECT_EQ(table.size(), 20000u);
}

// Texts are hashed a word at a time; each length's last bytes are read with loads of
// their own. Every text sits in a heap block of exactly its size, so a read past its
// end shows in the sanitized build, and texts that differ only in one byte stay apart.
TEST(SharedStringTable, TextsOfEveryShortLengthDifferingInAnyByteAreKeptApart) {
    SharedStringTable table;
    std::vector<std::unique_ptr<char[]>> blocks;
    std::map<std::pair<size_t, size_t>, uint32_t> added;  // (length, changed byte) -> string
    for (size_t length = 0; length <= 24; ++length) {
        for (size_t changed = 0; changed <= length; ++changed) {  // `length`: none changed
            auto& block = blocks.emplace_back(std::make_unique<char[]>(length));
            std::memset(block.get(), 'a', length);
            if (changed < length) block[changed] = 'b';
            added[{length, changed}] = table.Add(StoredText{std::string_view(block.get(), length), false});
        }
    }
    EXPECT_EQ(table.size(), added.size());
    for (const auto& [key, index] : added) {
        auto [length, changed] = key;
        std::string text(length, 'a');
        if (changed < length) text[changed] = 'b';
        ASSERT_EQ(table.Add(StoredText{text, false}), index) << length << " " << changed;
    }
}

TEST(SharedStringTable, StringsFromAFileAreReusedButRichOnesAreNot) {
    SharedStringTable table;
    const uint8_t run[4] = {0, 0, 5, 0};
    std::string scratch;
    uint32_t plain = table.Append(EncodeStoredText(std::string("alpha"), scratch));
    uint32_t twin = table.Append(EncodeStoredText(std::string("alpha"), scratch));  // files may repeat one
    uint32_t rich = table.Append(EncodeStoredText(std::string("bold"), scratch), run);
    ASSERT_NE(table.Extras(rich), nullptr);
    EXPECT_EQ(table.Extras(rich)->runs.size(), 4u);
    EXPECT_EQ(table.Extras(plain), nullptr);

    EXPECT_EQ(table.Add(EncodeStoredText(std::string("alpha"), scratch)), plain);
    EXPECT_NE(twin, plain);
    uint32_t bold = table.Add(EncodeStoredText(std::string("bold"), scratch));
    EXPECT_NE(bold, rich);  // a plain cell must not take on another string's formatting
    EXPECT_EQ(table.Extras(bold), nullptr);
    // A string appended after the index was built joins it too.
    uint32_t late = table.Append(EncodeStoredText(std::string("late"), scratch));
    EXPECT_EQ(table.Add(EncodeStoredText(std::string("late"), scratch)), late);
}

}  // namespace
}  // namespace tabvex::xls

namespace tabvex::xls {
namespace {

// Enough strings for the table's bytes to grow many times over, some wide; every one
// must read back from the table and from a copy of it.
TEST(SharedStringTable, StringsStayWholeAcrossGrowthAndCopies) {
    SharedStringTable table;
    std::vector<std::string> texts;
    std::vector<uint32_t> indices;
    for (int i = 0; i < 200000; ++i) {
        texts.push_back((i % 7 == 0 ? "\u03a9 " : "row ") + std::to_string(i));
        std::string scratch;
        indices.push_back(table.Add(EncodeStoredText(texts.back(), scratch)));
    }
    const SharedStringTable copy = table;
    SharedStringTable moved = std::move(table);
    for (size_t i = 0; i < texts.size(); i += 997) {
        EXPECT_EQ(Utf8Of(copy.Text(indices[i])), texts[i]) << i;
        EXPECT_EQ(Utf8Of(moved.Text(indices[i])), texts[i]) << i;
    }
    EXPECT_EQ(Utf8Of(moved.Text(indices.back())), texts.back());
    std::string scratch;
    EXPECT_EQ(moved.Add(EncodeStoredText("row 12", scratch)), indices[12]);
}

}  // namespace
}  // namespace tabvex::xls
