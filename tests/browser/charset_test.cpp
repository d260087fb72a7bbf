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
    migrator.SetCharsetName("latin1");
    CharsetDialog dialog(migrator);
    EXPECT_EQ(dialog.chosenIndex(), -1);
    dialog.Select();
    EXPECT_EQ(migrator.charsetName(), "latin1");

    CharsetDialog again(migrator);
    again.Choose(17);
    EXPECT_EQ(migrator.charsetName(), "latin1") << "only Select changes the window's name";
    again.Select();
    EXPECT_EQ(migrator.charsetName(), "CP1250");
}

TEST_F(CharsetDialogTest, OnlyAMysqlFamilyTreeOpensTheDialog) {
    int opened = 0;
    auto choose = [&] {
        ++opened;
        return false;
    };
    for (int kind : {4, 5}) {
        migrator.sourceTree().SetConnection({&migrator.sourceHolder(), "shop", kJet, kind, "", ""});
        ChangeCharset(migrator, migrator.sourceTree(), choose);
    }
    EXPECT_EQ(opened, 0);

    migrator.sourceTree().SetConnection({&migrator.sourceHolder(), "shop", kJet, 2, "", ""});
    ChangeCharset(migrator, migrator.sourceTree(), choose);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(ui.redrawnTrees().empty()) << "a cancelled dialog sends nothing and refills nothing";
    EXPECT_TRUE(ui.messages().empty());
}

}  // namespace
}  // namespace tabvex::browser::testing
