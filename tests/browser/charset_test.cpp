#include <gtest/gtest.h>

#include <set>

#include "browser/charset_dialog.h"
#include "browser_test_support.h"

namespace tabvex::browser::testing {
namespace {

TEST(CharsetTableTest, NamesAndIndexesMapBothWays) {
    std::set<std::string> names;
    for (int index = 0; index < static_cast<int>(kCharacterSetCount); ++index) {
        const std::string name = CharsetNameOfIndex(index);
        names.insert(name);
        EXPECT_EQ(CharsetIndexOfName(name), index);
    }
    EXPECT_EQ(names.size(), kCharacterSetCount);
    EXPECT_EQ(CharsetNameOfIndex(5), "LATIN1");
    EXPECT_EQ(CharsetNameOfIndex(17), "CP1250");
    EXPECT_EQ(CharsetNameOfIndex(-1), "UNKOWNEN");
    EXPECT_EQ(CharsetNameOfIndex(36), "UNKOWNEN");
    EXPECT_EQ(CharsetIndexOfName("latin1"), -1) << "names compare with their case";
}

class CharsetDialogTest : public BrowserTest {};

TEST_F(CharsetDialogTest, AnUnknownNameChecksNothingAndSelectKeepsIt) {
    program.sides().SetCharsetName("latin1");
    CharsetDialog dialog(program.sides());
    EXPECT_EQ(dialog.chosenIndex(), -1);
    dialog.Select();
    EXPECT_EQ(program.sides().charsetName(), "latin1");

    CharsetDialog again(program.sides());
    again.Choose(17);
    EXPECT_EQ(program.sides().charsetName(), "latin1") << "only Select changes the window's name";
    again.Select();
    EXPECT_EQ(program.sides().charsetName(), "CP1250");
}

TEST_F(CharsetDialogTest, OnlyAMysqlFamilyTreeOpensTheDialog) {
    int opened = 0;
    auto choose = [&] {
        ++opened;
        return false;
    };
    for (int kind : {4, 5}) {
        program.sides().source().tree().SetConnection({&program.sides().source().holder(), "shop", kJet, kind, "", ""});
        ChangeCharset(program.output(), program.gate(), program.sides(), program.sides().source().tree(), choose);
    }
    EXPECT_EQ(opened, 0);

    program.sides().source().tree().SetConnection({&program.sides().source().holder(), "shop", kJet, 2, "", ""});
    ChangeCharset(program.output(), program.gate(), program.sides(), program.sides().source().tree(), choose);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(ui.redrawnTrees().empty()) << "a cancelled dialog sends nothing and refills nothing";
    EXPECT_TRUE(ui.messages().empty());
}

}  // namespace
}  // namespace tabvex::browser::testing
