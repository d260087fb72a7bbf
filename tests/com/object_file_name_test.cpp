#include "com/object_file_name.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "support/test_support.h"

namespace tabvex::com {
namespace {

TEST(ObjectFileNameTest, NamesThatCouldBePathsOrHiddenAreEncodedOneToOne) {
    EXPECT_EQ(ObjectFileName("Orders"), "Orders");
    EXPECT_EQ(ObjectFileName("Order Details", ".data"), "Order Details.data");
    EXPECT_EQ(ObjectFileName("Q1/Q2"), "Q1%2FQ2");
    EXPECT_EQ(ObjectFileName("Sales:2024?", ".tbl"), "Sales%3A2024%3F.tbl");
    EXPECT_EQ(ObjectFileName(".."), "%2E.");
    EXPECT_EQ(ObjectFileName(".hidden"), "%2Ehidden");
    EXPECT_EQ(ObjectFileName("100%"), "100%25");
    EXPECT_EQ(ObjectFileName("Ελληνικά 東京"), "Ελληνικά 東京");
    // '%' is encoded itself, so a name that looks encoded stays apart from the name it spells.
    EXPECT_NE(ObjectFileName("a%2Fb"), ObjectFileName("a/b"));
}

TEST(ObjectFileNameTest, LongNamesAreCutAtACharacterWithAHashAndStayApart) {
    const std::string stem(300, 'x');
    std::set<std::string> names;
    std::string accents;
    for (int i = 0; i < 150; ++i) accents += "é";
    for (const std::string& name : {stem + "1", stem + "2", std::string(100, '/') + "a", accents}) {
        const std::string file = ObjectFileName(name, ".data");
        EXPECT_LE(file.size(), 240u) << name;
        EXPECT_TRUE(file.ends_with(".data"));
        EXPECT_EQ(file.find('/'), std::string::npos);
        EXPECT_EQ(file, ObjectFileName(name, ".data")) << "the same on every run";
        names.insert(file);
    }
    EXPECT_EQ(names.size(), 4u);
    // Multi-byte characters are never split: the file can be created.
    const std::string greek = ObjectFileName(std::string(60, ' ') + [] {
        std::string text;
        for (int i = 0; i < 100; ++i) text += "λ";
        return text;
    }());
    test::ScratchDir scratch;
    EXPECT_TRUE(std::ofstream(scratch / greek).good());
}

}  // namespace
}  // namespace tabvex::com
