#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_support.h"

using tabvex::test::CliPath;
using tabvex::test::RunCommand;

TEST(Cli, VersionAndHelp) {
    auto version = RunCommand({CliPath().string(), "--version"});
    EXPECT_EQ(version.exitCode, 0);
    // The program's name and the project's version, as help2man and packages read it.
    EXPECT_TRUE(std::regex_match(version.out, std::regex("tabvex-cli [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << version.out;

    auto help = RunCommand({CliPath().string(), "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--version"), std::string::npos);
}

// The overview is one aligned line per command, the route options nowhere; each
// command's own --help gives its usage line and its details.
TEST(Cli, TheOverviewHasALineACommandAndEachCommandItsOwnHelp) {
    const auto help = RunCommand({CliPath().string(), "--help"});
    ASSERT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.find("--source-provider"), std::string::npos) << help.out;
    std::vector<std::string> commands;
    std::size_t summaryColumn = 0;
    std::istringstream lines(help.out.substr(help.out.find("Commands:\n") + 10));
    for (std::string line; std::getline(lines, line) && !line.empty();) {
        ASSERT_TRUE(line.starts_with("  ")) << line;
        const std::size_t column = line.find_first_not_of(' ', line.find(' ', 2));
        if (summaryColumn == 0) summaryColumn = column;
        EXPECT_EQ(column, summaryColumn) << "aligned: " << line;
        commands.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    EXPECT_GT(commands.size(), 10u);
    for (const auto& command : commands) {
        if (command.starts_with("--")) continue;
        const auto own = RunCommand({CliPath().string(), command, "--help"});
        EXPECT_EQ(own.exitCode, 0) << command;
        EXPECT_TRUE(own.out.starts_with("usage: tabvex-cli " + command)) << own.out;
    }
    const auto migrate = RunCommand({CliPath().string(), "migrate", "--help"});
    EXPECT_NE(migrate.out.find("--source-provider"), std::string::npos) << migrate.out;
}

TEST(Cli, UnknownCommandFailsWithMessage) {
    auto r = RunCommand({CliPath().string(), "no-such-command"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("unknown command 'no-such-command'"), std::string::npos);
}
