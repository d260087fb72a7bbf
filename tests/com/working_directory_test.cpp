#include <gtest/gtest.h>

#include <cstdlib>

#include "com/expand_percent_tokens.h"
#include "com/working_directory.h"
#include "support/test_support.h"

namespace tabvex::com {
namespace {

namespace fs = std::filesystem;

// Each test starts in a scratch folder and gives the process its old folder back.
class WorkingDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override { fs::current_path(scratch.path()); }
    void TearDown() override { fs::current_path(previous); }

    fs::path previous = fs::current_path();
    test::ScratchDir scratch;
};

TEST_F(WorkingDirectoryTest, AFileInTheWayIsKeptAndNamed) {
    test::WriteFile(scratch / "data_cache", "not a folder");
    fs::create_directory(scratch / "chosen");
    fs::create_symlink(scratch / "data_cache", scratch / "chosen" / "Shop");
    for (const EnterResult& result :
         {EnterProgramSubdirectory(scratch.path(), "./data_cache"), EnterDirectoryPath((scratch / "data_cache").string()),
          EnterNamedSubdirectory("data_cache")}) {
        EXPECT_FALSE(result);
        EXPECT_NE(result.error.find((scratch / "data_cache").filename().string()), std::string::npos) << result.error;
    }
    fs::current_path(scratch / "chosen");
    EXPECT_FALSE(EnterNamedSubdirectory("D:\\x\\Shop")) << "a link to a file is in the way too";
    EXPECT_EQ(test::ReadFile(scratch / "data_cache"), "not a folder");
    EXPECT_TRUE(fs::is_symlink(scratch / "chosen" / "Shop"));
    EXPECT_EQ(fs::current_path(), fs::canonical(scratch / "chosen")) << "a failure leaves the current folder";
}

TEST_F(WorkingDirectoryTest, ExistingFolderIsEnteredUnchanged) {
    fs::create_directory(scratch / "backup");
    test::WriteFile(scratch / "backup" / "kept.tbl", "x");
    ASSERT_TRUE(EnterProgramSubdirectory(scratch.path(), ".\\backup"));
    EXPECT_EQ(fs::current_path(), fs::canonical(scratch / "backup"));
    EXPECT_EQ(test::ReadFile("kept.tbl"), "x");
    ASSERT_TRUE(EnterProgramSubdirectory(scratch.path(), "./"));
    EXPECT_EQ(fs::current_path(), fs::canonical(scratch.path()));
}

TEST_F(WorkingDirectoryTest, NamedSubdirectoryTakesTheLastComponent) {
    ASSERT_TRUE(EnterNamedSubdirectory(R"(D:\x\Shop)"));
    EXPECT_EQ(fs::current_path(), fs::canonical(scratch / "Shop"));
    ASSERT_TRUE(EnterNamedSubdirectory("a/b/c"));
    EXPECT_EQ(fs::current_path(), fs::canonical(scratch / "Shop" / "c"));
    const std::string longName(300, 'n');  // longer than the old 255-character buffers
    ASSERT_FALSE(EnterNamedSubdirectory("x/" + longName)) << "the file system refuses names over 255 bytes";
    const std::string longest(255, 'n');
    ASSERT_TRUE(EnterNamedSubdirectory("x\\" + longest));
    EXPECT_EQ(fs::current_path().filename(), longest);
}

TEST_F(WorkingDirectoryTest, FullPathCreatesOnlyTheLastComponent) {
    ASSERT_TRUE(EnterDirectoryPath((scratch / "chosen").string()));
    EXPECT_EQ(fs::current_path(), fs::canonical(scratch / "chosen"));
    const fs::path deep = scratch / "missing" / "deeper";
    const EnterResult result = EnterDirectoryPath(deep.string());
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find(deep.string()), std::string::npos) << result.error;
    EXPECT_EQ(fs::current_path(), fs::canonical(scratch / "chosen")) << "a failure leaves the current folder";
}

TEST_F(WorkingDirectoryTest, NamesWithoutAComponentAreRefused) {
    EXPECT_FALSE(EnterNamedSubdirectory("C:\\"));
    EXPECT_FALSE(EnterDirectoryPath(""));
    EXPECT_EQ(fs::current_path(), fs::canonical(scratch.path()));
}

TEST(ExpandPercentTokens, ReplacesVariablesOnceAndLeavesLonePercents) {
    setenv("TABVEX_TEST_A", "alpha", 1);
    setenv("TABVEX_TEST_LOOP", "%TABVEX_TEST_LOOP%", 1);
    unsetenv("TABVEX_TEST_UNSET");
    EXPECT_EQ(ExpandPercentTokens("%TABVEX_TEST_A%\\x\\%TABVEX_TEST_A%"), "alpha\\x\\alpha");
    EXPECT_EQ(ExpandPercentTokens("[%TABVEX_TEST_UNSET%]"), "[]");
    EXPECT_EQ(ExpandPercentTokens("%TABVEX_TEST_LOOP%"), "%TABVEX_TEST_LOOP%");
    EXPECT_EQ(ExpandPercentTokens("100% sure"), "100% sure");
}

TEST(ExpandPercentTokens, UserProfileFallsBackToHome) {
    if (std::getenv("USERPROFILE")) GTEST_SKIP() << "USERPROFILE is set here";
    EXPECT_EQ(ExpandPercentTokens("%USERPROFILE%/x"), std::string(std::getenv("HOME")) + "/x");
}

}  // namespace
}  // namespace tabvex::com
