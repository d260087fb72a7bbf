#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/profile/profile_file.h"
#include "support/test_support.h"

namespace tabvex::profile {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::ScratchDir;
using test::WriteFile;

constexpr const char* kSample =
    "; settings of the program\n"
    "[Public]\n"
    "Config = true\n"
    "; the next key is quoted\n"
    "Quoted=\"  spaced  \"\n"
    "\n"
    "[SourceDB]\n"
    "Provider=Jet\n"
    "; trailing comment of the file\n";

TEST(ProfileRead, MatchesSectionAndKeyWithoutCaseAndTrimsValues) {
    ScratchDir dir;
    WriteFile(dir / "a.ini", kSample);
    EXPECT_EQ(ReadProfileString(dir / "a.ini", "PUBLIC", "config"), "true");
    EXPECT_EQ(ReadProfileString(dir / "a.ini", "public", "QUOTED"), "  spaced  ");
    EXPECT_EQ(ReadProfileString(dir / "a.ini", "sourcedb", "provider"), "Jet");
}

TEST(ProfileRead, MissingFileSectionOrKeyGivesTheDefault) {
    ScratchDir dir;
    WriteFile(dir / "a.ini", kSample);
    EXPECT_EQ(ReadProfileString(dir / "none.ini", "Public", "Config", "dflt"), "dflt");
    EXPECT_EQ(ReadProfileString(dir / "a.ini", "Nowhere", "Config", "dflt"), "dflt");
    EXPECT_EQ(ReadProfileString(dir / "a.ini", "Public", "Provider", "dflt"), "dflt");  // other section's key
    EXPECT_EQ(ReadProfileString(dir / "a.ini", "Public", "; the next key is quoted"), "");
}

TEST(ProfileRead, ListsSectionsInFileOrderAndTheKeysOfOneSection) {
    ScratchDir dir;
    WriteFile(dir / "a.ini", kSample);
    const ProfileFile file(dir / "a.ini");
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"Public", "SourceDB"}));
    EXPECT_EQ(file.KeyNames("public"), (std::vector<std::string>{"Config", "Quoted"})) << "comments are no keys";
    EXPECT_TRUE(file.KeyNames("Nowhere").empty());
}

TEST(ProfileRead, FirstOfDuplicateKeysAndValuesWithEqualsSigns) {
    ScratchDir dir;
    WriteFile(dir / "a.ini", "[S]\r\nk=first\r\nK=second\r\nexpr=a=b\r\n");
    EXPECT_EQ(ReadProfileString(dir / "a.ini", "s", "k"), "first");
    EXPECT_EQ(ReadProfileString(dir / "a.ini", "s", "expr"), "a=b");  // CRLF line ends stripped
}

TEST(ProfileWrite, CreatesTheFileWithSectionAndKey) {
    ScratchDir dir;
    WriteProfileString(dir / "new.ini", "Public", "Config", "true");
    WriteProfileString(dir / "new.ini", "Public", "Tips", "false");
    WriteProfileString(dir / "new.ini", "TargetDB", "UserID", "Admin");
    EXPECT_EQ(ReadFile(dir / "new.ini"), "[Public]\nConfig=true\nTips=false\n[TargetDB]\nUserID=Admin\n");
}

TEST(ProfileWrite, KeepsEveryOtherLineInItsPlace) {
    ScratchDir dir;
    WriteFile(dir / "a.ini", kSample);
    WriteProfileString(dir / "a.ini", "public", "CONFIG", "false");  // existing key, other case
    WriteProfileString(dir / "a.ini", "Public", "Tips", "true");     // new key in a section
    WriteProfileString(dir / "a.ini", "Other", "x", "1");            // new section
    EXPECT_EQ(ReadFile(dir / "a.ini"),
              "; settings of the program\n"
              "[Public]\n"
              "Config=false\n"
              "; the next key is quoted\n"
              "Quoted=\"  spaced  \"\n"
              "Tips=true\n"
              "\n"
              "[SourceDB]\n"
              "Provider=Jet\n"
              "; trailing comment of the file\n"
              "[Other]\n"
              "x=1\n");
}

TEST(ProfileWrite, AnEmptyFileIsWrittenAndAFolderIsNot) {
    ScratchDir dir;
    WriteFile(dir / "empty.ini", "");
    WriteProfileString(dir / "empty.ini", "S", "k", "v");
    EXPECT_EQ(ReadFile(dir / "empty.ini"), "[S]\nk=v\n");
    fs::create_directory(dir / "folder.ini");
    EXPECT_EQ(ReadProfileString(dir / "folder.ini", "S", "k", "dflt"), "dflt");
    EXPECT_THROW(WriteProfileString(dir / "folder.ini", "S", "k", "v"), ProfileError);
    EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));
}

TEST(ProfileWrite, KeepsCrlfLineEndsAndByteOrderMark) {
    ScratchDir dir;
    WriteFile(dir / "a.ini", "\xEF\xBB\xBF[S]\r\nk=1\r\n");
    WriteProfileString(dir / "a.ini", "S", "j", "2");
    EXPECT_EQ(ReadFile(dir / "a.ini"), "\xEF\xBB\xBF[S]\r\nk=1\r\nj=2\r\n");
}

// Reading trims blanks and one pair of enclosing quotes; values that reading would
// change are quoted on the way in, all others are written as they are.
TEST(ProfileWrite, EveryValueReadsBackAsWritten) {
    ScratchDir dir;
    for (const std::string value : {" lead", "trail\t", "\"quoted\"", "'single'", "\"\"", "\"", "a \"b\" c", ""}) {
        WriteProfileString(dir / "a.ini", "S", "k", value);
        EXPECT_EQ(ReadProfileString(dir / "a.ini", "S", "k"), value) << ReadFile(dir / "a.ini");
    }
    WriteProfileString(dir / "a.ini", "S", "k", "x y");
    EXPECT_EQ(ReadFile(dir / "a.ini"), "[S]\nk=x y\n");
}

TEST(ProfileWrite, RefusesTextThatWouldBreakTheFileAndLeavesItUnchanged) {
    ScratchDir dir;
    WriteFile(dir / "a.ini", kSample);
    EXPECT_THROW(WriteProfileString(dir / "a.ini", "Public", "Config", "x\n[Injected]"), ProfileError);
    EXPECT_THROW(WriteProfileString(dir / "a.ini", "Public", "a=b", "x"), ProfileError);
    EXPECT_THROW(WriteProfileString(dir / "a.ini", "Pub]lic", "k", "x"), ProfileError);
    EXPECT_EQ(ReadFile(dir / "a.ini"), kSample);
}

TEST(ProfileWrite, ReplacesAtomicallyAndKeepsThePermissionsOfAnExistingFile) {
    ScratchDir dir;
    WriteFile(dir / "a.ini", kSample);
    fs::permissions(dir / "a.ini", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    WriteProfileString(dir / "a.ini", "Public", "Config", "false");
    EXPECT_EQ(fs::status(dir / "a.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

TEST(ProfileWrite, SaveWithForcedPermissions) {
    ScratchDir dir;
    ProfileFile file(dir / "secret.ini");
    file.Write("S", "PassWord", "x");
    file.Save(fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(dir / "secret.ini").permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(ProfileWrite, FailureNamesTheFileAndLeavesNothingBehind) {
    ScratchDir dir;
    const fs::path target = dir / "missing-folder" / "a.ini";
    try {
        WriteProfileString(target, "S", "k", "v");
        FAIL() << "writing into a missing folder succeeded";
    } catch (const ProfileError& e) {
        EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(dir / "missing-folder"));
}

TEST(ProfileWrite, AnUnreadableFileIsNeverOverwritten) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    ScratchDir dir;
    WriteFile(dir / "a.ini", kSample);
    fs::permissions(dir / "a.ini", fs::perms::owner_write);
    ProfileFile file(dir / "a.ini");
    EXPECT_FALSE(file.readable());
    EXPECT_EQ(file.Read("Public", "Config", "dflt"), "dflt");
    file.Write("Public", "Config", "false");
    EXPECT_THROW(file.Save(), ProfileError);
    fs::permissions(dir / "a.ini", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadFile(dir / "a.ini"), kSample);
}

}  // namespace
}  // namespace tabvex::profile
