#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "app/output.h"
#include "app/console_user_interface.h"
#include "app/output_lines.h"

namespace tabvex::app {
namespace {

MessageBoxRequest Question(MessageButtons buttons) { return {"Drop table [t]?", "Tabvex", buttons, MessageIcon::Question}; }

TEST(ConsoleUserInterface, QuestionsAreRefusedUnlessTheCommandLineAgreed) {
    std::ostringstream out;
    ConsoleUserInterface cautious(out, {});
    EXPECT_EQ(cautious.ShowMessageBox(Question(MessageButtons::OkCancel)), MessageAnswer::Cancel);
    EXPECT_EQ(cautious.ShowMessageBox(Question(MessageButtons::YesNo)), MessageAnswer::No);
    EXPECT_EQ(cautious.ShowMessageBox(Question(MessageButtons::Ok)), MessageAnswer::Ok);

    ConsoleUserInterface agreeing(out, {.agree = true, .folder = "/tmp/backup", .file = std::nullopt});
    EXPECT_EQ(agreeing.ShowMessageBox(Question(MessageButtons::OkCancel)), MessageAnswer::Ok);
    EXPECT_EQ(agreeing.ShowMessageBox(Question(MessageButtons::YesNo)), MessageAnswer::Yes);
    EXPECT_EQ(agreeing.ChooseFolder("Backup folder", "/"), std::filesystem::path("/tmp/backup"));
    EXPECT_EQ(agreeing.ChooseFile({}), std::nullopt);
    EXPECT_THAT(out.str(), ::testing::HasSubstr("Tabvex: Drop table [t]? [Cancel]\n"));
}

TEST(ConsoleUserInterface, PrintsLinesAndTipsAndQueuesPostedCommands) {
    std::ostringstream out;
    ConsoleUserInterface console(out, {});
    Output output(console);
    WriteOutputLine(output, "E::No Connection!");
    ShowTip(output, "Connect first.");
    console.PostCommand(32772);
    console.PostCommand(1035);
    EXPECT_TRUE(std::regex_match(out.str(), std::regex(R"(.{24}No Connection!\nTip: Connect first\.\n)"))) << out.str();
    EXPECT_THAT(console.TakePostedCommands(), ::testing::ElementsAre(32772, 1035));
    EXPECT_TRUE(console.TakePostedCommands().empty());
}

}  // namespace
}  // namespace tabvex::app
