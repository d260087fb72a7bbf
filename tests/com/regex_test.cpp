#include <gtest/gtest.h>

#include "com/regex.h"
#include "platform/automation/automation_error.h"

namespace tabvex::com {
namespace {

TEST(Regex, ExtensionPatternsAreAnchoredAndCaseSensitive) {
    EXPECT_EQ(RegexReplace(R"(C:\data\shop.mdb)", ".mdb$", ""), R"(C:\data\shop)");
    EXPECT_EQ(RegexLastMatch(R"(C:\data\shop.mdb)", ".mdb$"), ".mdb");
    EXPECT_EQ(RegexLastMatch(R"(C:\data\shop.MDB)", ".mdb$"), "");
    EXPECT_EQ(RegexReplace("/srv/shop.mdb.bak", ".mdb$", ""), "/srv/shop.mdb.bak");
}

TEST(Regex, TheDotMatchesAnyCharacter) {
    EXPECT_EQ(RegexLastMatch("/srv/reportaxls", ".xls$"), "axls");
    EXPECT_EQ(RegexReplace("/srv/reportaxls", ".xls$", ""), "/srv/report");
}

TEST(Regex, DrivePrefixesAreRemovedEverywhere) {
    const char* drive = R"([a-zA-Z]:[\\|/])";
    EXPECT_EQ(RegexReplace(R"(C:\backup\db)", drive, ""), R"(backup\db)");
    EXPECT_EQ(RegexReplace("d:/x|e:|y", drive, ""), "x|y");
    EXPECT_EQ(RegexReplace("/home/db", drive, ""), "/home/db");
}

TEST(Regex, ReplaceIsGlobalAndKnowsGroupReferences) {
    EXPECT_EQ(RegexReplace("a1b22c333", "[0-9]+", "#"), "a#b#c#");
    EXPECT_EQ(RegexReplace("John Smith", "(\\w+) (\\w+)", "$2, $1"), "Smith, John");
    EXPECT_EQ(RegexLastMatch("a1b22c333", "[0-9]+"), "333");
}

TEST(Regex, BadPatternRaisesAnAutomationError) {
    try {
        RegexReplace("text", "([a-z", "");
        FAIL() << "no error raised";
    } catch (const automation::AutomationError& e) {
        EXPECT_EQ(static_cast<std::uint32_t>(e.code()), 0x800A1399u);
        EXPECT_NE(e.description().find("([a-z"), std::string::npos) << e.description();
    }
    EXPECT_THROW(RegexLastMatch("text", "*"), automation::AutomationError);
}

}  // namespace
}  // namespace tabvex::com
