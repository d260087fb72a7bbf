#include <gtest/gtest.h>

#include "support/test_support.h"

using tabvex::test::CliPath;
using tabvex::test::RunCommand;

TEST(Cli, VersionAndHelp) {
    auto version = RunCommand({CliPath().string(), "--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Norvu Tabvex Version: 1.0\n");

    auto help = RunCommand({CliPath().string(), "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--version"), std::string::npos);
}

TEST(Cli, UnknownCommandFailsWithMessage) {
    auto r = RunCommand({CliPath().string(), "no-such-command"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("unknown command 'no-such-command'"), std::string::npos);
}
