#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "com/expand_percent_tokens.h"
#include "com/folders.h"
#include "com/program_folders.h"
#include "support/test_support.h"

namespace tabvex::com {
namespace {

namespace fs = std::filesystem;

// The folders are made by full path; the process's current folder never moves.
class FoldersTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(fs::current_path(), before) << "nobody moves the current folder"; }

    fs::path before = fs::current_path();
    test::ScratchDir scratch;
};

TEST_F(FoldersTest, AFileInTheWayIsKeptAndNamed) {
    test::WriteFile(scratch / "data_cache", "not a folder");
    fs::create_directory(scratch / "chosen");
    fs::create_symlink(scratch / "data_cache", scratch / "chosen" / "Shop");
    for (const FolderResult& result :
         {ProgramSubfolder(scratch.path(), "./data_cache"), FolderAtPath((scratch / "data_cache").string()),
          NamedSubfolder(scratch.path(), "data_cache"), NamedSubfolder(scratch / "chosen", "D:\\x\\Shop")}) {
        EXPECT_FALSE(result);
        EXPECT_TRUE(result.folder.empty());
        EXPECT_NE(result.error.find("the file is kept"), std::string::npos) << result.error;
    }
    EXPECT_EQ(test::ReadFile(scratch / "data_cache"), "not a folder");
    EXPECT_TRUE(fs::is_symlink(scratch / "chosen" / "Shop"));
}

TEST_F(FoldersTest, ExistingFoldersAreFoundUnchangedAndMissingOnesMade) {
    fs::create_directory(scratch / "backup");
    test::WriteFile(scratch / "backup" / "kept.tbl", "x");
    EXPECT_EQ(ProgramSubfolder(scratch.path(), ".\\backup").folder, scratch / "backup");
    EXPECT_EQ(test::ReadFile(scratch / "backup" / "kept.tbl"), "x");
    EXPECT_EQ(ProgramSubfolder(scratch.path(), "./").folder, scratch.path() / "");
    EXPECT_EQ(ProgramSubfolder(scratch.path(), "./data_cache").folder, scratch / "data_cache");
    EXPECT_TRUE(fs::is_directory(scratch / "data_cache"));
}

TEST_F(FoldersTest, NamedSubfolderTakesTheLastComponent) {
    const FolderResult shop = NamedSubfolder(scratch.path(), R"(D:\x\Shop)");
    ASSERT_TRUE(shop);
    EXPECT_EQ(shop.folder, scratch / "Shop");
    EXPECT_EQ(NamedSubfolder(shop.folder, "a/b/c").folder, scratch / "Shop" / "c");
    const std::string longName(300, 'n');  // longer than the old 255-character buffers
    EXPECT_FALSE(NamedSubfolder(scratch.path(), "x/" + longName)) << "the file system refuses names over 255 bytes";
    const std::string longest(255, 'n');
    EXPECT_EQ(NamedSubfolder(scratch.path(), "x\\" + longest).folder.filename(), longest);
}

TEST_F(FoldersTest, AFullPathCreatesOnlyTheLastComponentAndNamelessTextsAreRefused) {
    EXPECT_EQ(FolderAtPath((scratch / "chosen").string()).folder, scratch / "chosen");
    const fs::path deep = scratch / "missing" / "deeper";
    const FolderResult result = FolderAtPath(deep.string());
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find(deep.string()), std::string::npos) << result.error;
    EXPECT_FALSE(NamedSubfolder(scratch.path(), "C:\\"));
    EXPECT_FALSE(NamedSubfolder(scratch.path(), ".."));
    EXPECT_FALSE(FolderAtPath(""));
}

// Sets an environment variable for the test's lifetime, restoring it afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* previous = std::getenv(name)) previous_ = previous;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedVariable() {
        if (previous_) setenv(name_, previous_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

// The test program has no class registry beside it, as an installed program in
// /usr/bin has none: its files go to the user's XDG folders even where it may write
// its own folder (root), each made on first use.
TEST_F(FoldersTest, AProgramWithoutItsOwnFolderKeepsItsFilesInTheUsersXdgFolders) {
    ScopedVariable data("XDG_DATA_HOME", (scratch / "data").c_str());
    ScopedVariable config("XDG_CONFIG_HOME", (scratch / "config").c_str());
    ScopedVariable cache("XDG_CACHE_HOME", (scratch / "cache").c_str());
    const ProgramFolders folders = DefaultProgramFolders();
    EXPECT_EQ(folders.program, scratch / "data" / "tabvex");
    EXPECT_EQ(folders.config, scratch / "config" / "tabvex");
    EXPECT_EQ(folders.cache, scratch / "cache" / "tabvex");
    for (const auto& folder : {folders.program, folders.config, folders.cache}) EXPECT_TRUE(fs::is_directory(folder));
}

// Unset, empty or relative XDG variables fall back to the defaults below HOME.
TEST_F(FoldersTest, WithoutUsableXdgVariablesTheFoldersAreBelowHome) {
    ScopedVariable home("HOME", scratch.path().c_str());
    ScopedVariable data("XDG_DATA_HOME", nullptr);
    ScopedVariable config("XDG_CONFIG_HOME", "");
    ScopedVariable cache("XDG_CACHE_HOME", "relative/cache");
    const ProgramFolders folders = DefaultProgramFolders();
    EXPECT_EQ(folders.program, scratch / ".local" / "share" / "tabvex");
    EXPECT_EQ(folders.config, scratch / ".config" / "tabvex");
    EXPECT_EQ(folders.cache, scratch / ".cache" / "tabvex");
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
