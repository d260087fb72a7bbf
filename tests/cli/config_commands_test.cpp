#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

using namespace tabvex::test;
using ::testing::HasSubstr;

TEST(ConfigShowCommand, ShowsWhatTheDialogWouldLoadWithoutPasswords) {
    ScratchDir dir;
    WriteFile(dir / "migrator.cfg",
              "[Public]\nConfig=true\nTips=false\nSplitLongTables=true\nBinaryFiles=true\n[SourceDB]\n"
              "SourceName=/data/Shop.mdb\nPassWord=hunter2\n");
    const auto result = RunCommand({CliPath().string(), "config-show", "--program-dir", dir.path().string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("Config: on  AutoBackup: off  Tips: off\n"
                                      "SplitLongTables: on  Verify: off  BinaryFiles: on  OverwriteTable: off\n"));
    EXPECT_THAT(result.out, HasSubstr("  SourceName:  /data/Shop.mdb\n  UserID:      \n  PassWord:    (set)\n"));
    EXPECT_THAT(result.out, ::testing::Not(HasSubstr("hunter2")));
}

TEST(ConfigShowCommand, WithoutAFileEverythingIsOff) {
    ScratchDir dir;
    const auto result = RunCommand({CliPath().string(), "config-show", "--program-dir", dir.path().string()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_THAT(result.out, HasSubstr("Config: off  AutoBackup: off  Tips: off\n"
                                      "SplitLongTables: off  Verify: off  BinaryFiles: off  OverwriteTable: off\n"));
    EXPECT_EQ(RunCommand({CliPath().string(), "config-show", "extra"}).exitCode, 2);
}

}  // namespace
