#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <thread>

#include "app/output_lines.h"
#include "app/time_stamp.h"
#include "support/scripted_user_interface.h"

namespace tabvex::app {
namespace {

using test::ScriptedUserInterface;
using ::testing::ElementsAre;

class OutputLinesTest : public ::testing::Test {
protected:
    ScriptedUserInterface ui;
    Migrator migrator{ui, "/nonexistent"};
};

TEST_F(OutputLinesTest, LineIsTimeStampThenMessage) {
    WriteOutputLine(migrator, "TABLE: [%s].[%s] Migrating..... ", "shop", "orders");
    ASSERT_EQ(ui.lines().size(), 1u);
    const OutputLine line = ui.lines()[0];
    EXPECT_TRUE(std::regex_match(line.text, std::regex(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d:\d{3} TABLE: \[shop\]\.\[orders\] Migrating\.\.\.\.\. )")))
        << line.text;
    EXPECT_EQ(line.colours, std::nullopt);
    EXPECT_EQ(migrator.log().Lines(), ui.lines()) << "the Log model holds what the window was shown";
}

TEST_F(OutputLinesTest, MarkersAreDroppedAndColourTheLine) {
    WriteOutputLine(migrator, "E::No Connection!");
    WriteOutputLine(migrator, "S::Create table [%s] SUCCESSFULLY!!!", "t");
    WriteOutputLine(migrator, "T::%s", "provider text");
    WriteOutputLine(migrator, "E::");
    WriteOutputLine(migrator, " E::not at the start");
    WriteOutputLine(migrator, "e::lower case is no marker");
    EXPECT_THAT(ui.messages(), ElementsAre("No Connection!", "Create table [t] SUCCESSFULLY!!!", "provider text", "",
                                           " E::not at the start", "e::lower case is no marker"));
    const auto lines = ui.lines();
    EXPECT_EQ(lines[0].colours, (LineColours{{255, 0, 0}, {255, 255, 255}}));
    EXPECT_EQ(lines[1].colours, (LineColours{{0, 255, 0}, {255, 255, 255}}));
    EXPECT_EQ(lines[2].colours, (LineColours{{255, 128, 0}, {255, 255, 255}}));
    EXPECT_EQ(lines[3].colours, kErrorColours) << "a marker alone still colours the bare time stamp";
    EXPECT_EQ(lines[4].colours, std::nullopt);
    EXPECT_EQ(lines[5].colours, std::nullopt);
}

TEST_F(OutputLinesTest, PercentSignsAfterFormattingAreKept) {
    WriteOutputLine(migrator, "%s", "100% done, %d left");
    WritePlainOutputLine(migrator, "E::plain lines keep markers and 50% signs");
    EXPECT_THAT(ui.messages(), ElementsAre("100% done, %d left", "E::plain lines keep markers and 50% signs"));
    EXPECT_EQ(ui.lines()[1].colours, std::nullopt);
}

TEST_F(OutputLinesTest, LongMessagesAreKeptWhole) {
    const std::string path(5000, 'x');
    WriteOutputLine(migrator, "E::Cannot open %s!", path.c_str());
    EXPECT_EQ(ui.messages()[0], "Cannot open " + path + "!");
}

TEST_F(OutputLinesTest, LogKeepsTheNewest1001Lines) {
    for (int i = 0; i < 1005; ++i) WriteOutputLine(migrator, "line %d", i);
    const auto lines = migrator.log().Lines();
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_THAT(lines.front().text, ::testing::EndsWith(" line 4"));
    EXPECT_THAT(lines.back().text, ::testing::EndsWith(" line 1004"));
    EXPECT_EQ(ui.lines().size(), 1005u) << "every line is shown as it comes";
}

TEST_F(OutputLinesTest, WorkerAndWindowThreadsWriteConcurrently) {
    auto writeMany = [this](const char* who) {
        for (int i = 0; i < 700; ++i) WriteOutputLine(migrator, "S::%s %d", who, i);
    };
    std::thread worker(writeMany, "worker");
    writeMany("window");
    worker.join();
    EXPECT_EQ(migrator.log().size(), OutputLog::kCapacity);
    EXPECT_EQ(ui.lines().size(), 1400u);
}

TEST_F(OutputLinesTest, TipsComeNewestFirstRightAfterTheHeading) {
    EXPECT_EQ(migrator.helpPage().text(), "F1 to Help:\nBefore you fill out connection properties, Please confirm "
                                          "that your ODBC/OLEDB config is true !");
    ShowTip(migrator, "Please connect first.\n");
    ShowTip(migrator, "Select a table.\n");
    EXPECT_EQ(migrator.helpPage().text(), "F1 to Help:\nSelect a table.\nPlease connect first.\nBefore you fill out "
                                          "connection properties, Please confirm that your ODBC/OLEDB config is true !");
    EXPECT_THAT(ui.tips(), ElementsAre("Please connect first.\n", "Select a table.\n"));
}

TEST(TimeStamp, FourDigitYearAndMilliseconds) {
    const char* oldZone = std::getenv("TZ");
    const std::string saved = oldZone ? oldZone : "";
    setenv("TZ", "UTC", 1);
    tzset();
    using namespace std::chrono;
    const auto when = sys_days{year{2024} / 3 / 5} + hours{7} + minutes{8} + seconds{9} + milliseconds{45};
    EXPECT_EQ(FormatTimeStamp(when), "2024/03/05 07:08:09:045 ");
    if (oldZone) setenv("TZ", saved.c_str(), 1); else unsetenv("TZ");
    tzset();
}

TEST(MigratorState, StatusPanesAndTipsPageReachTheWindow) {
    ScriptedUserInterface ui;
    Migrator migrator(ui, "/opt/tabvex");
    EXPECT_EQ(migrator.statusText(StatusPane::Product), "Norvu Tabvex Version: 1.0");
    EXPECT_EQ(migrator.statusText(StatusPane::Engine), "Main Controller:IDLE");
    migrator.SetStatusText(StatusPane::Engine, "Some Tasks are WORKING!!!");
    EXPECT_EQ(migrator.statusText(StatusPane::Engine), "Some Tasks are WORKING!!!");
    migrator.ShowTipsPage(true);
    migrator.ShowTipsPage(false);
    EXPECT_EQ(ui.statusTexts(), (std::vector<std::pair<StatusPane, std::string>>{
                                    {StatusPane::Engine, "Some Tasks are WORKING!!!"}}));
    EXPECT_THAT(ui.tipsPageChanges(), ElementsAre(true, false));
    EXPECT_FALSE(migrator.tipsPageShown());
}

}  // namespace
}  // namespace tabvex::app
