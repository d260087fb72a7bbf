#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <thread>

#include "app/output.h"
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
    Output output{ui};
};

TEST_F(OutputLinesTest, LineIsTimeStampThenMessage) {
    WriteOutputLine(output, "TABLE: [%s].[%s] Migrating..... ", "shop", "orders");
    ASSERT_EQ(ui.lines().size(), 1u);
    const OutputLine line = ui.lines()[0];
    EXPECT_TRUE(std::regex_match(line.text, std::regex(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d:\d{3} TABLE: \[shop\]\.\[orders\] Migrating\.\.\.\.\. )")))
        << line.text;
    EXPECT_EQ(line.colours, std::nullopt);
    EXPECT_EQ(output.log().Lines(), ui.lines()) << "the Log model holds what the window was shown";
}

TEST_F(OutputLinesTest, MarkersAreDroppedAndColourTheLine) {
    WriteOutputLine(output, "E::No Connection!");
    WriteOutputLine(output, "S::Create table [%s] SUCCESSFULLY!!!", "t");
    WriteOutputLine(output, "T::%s", "provider text");
    WriteOutputLine(output, "E::");
    WriteOutputLine(output, " E::not at the start");
    WriteOutputLine(output, "e::lower case is no marker");
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
    WriteOutputLine(output, "%s", "100% done, %d left");
    WritePlainOutputLine(output, "E::plain lines keep markers and 50% signs");
    EXPECT_THAT(ui.messages(), ElementsAre("100% done, %d left", "E::plain lines keep markers and 50% signs"));
    EXPECT_EQ(ui.lines()[1].colours, std::nullopt);
}

TEST_F(OutputLinesTest, LongMessagesAreKeptWhole) {
    const std::string path(5000, 'x');
    WriteOutputLine(output, "E::Cannot open %s!", path.c_str());
    EXPECT_EQ(ui.messages()[0], "Cannot open " + path + "!");
}

TEST_F(OutputLinesTest, LogKeepsEveryLineOfALongSession) {
    WriteOutputLine(output, "E::an early failure");
    for (int i = 0; i < 12000; ++i) WriteOutputLine(output, "[Big02] %d records converted!", i);
    const auto lines = output.log().Lines();
    ASSERT_EQ(lines.size(), 12001u);
    EXPECT_THAT(lines.front().text, ::testing::EndsWith(" an early failure"));
    EXPECT_THAT(lines.back().text, ::testing::EndsWith(" 11999 records converted!"));
    EXPECT_EQ(ui.lines().size(), 12001u) << "every line is shown as it comes";
}

TEST_F(OutputLinesTest, WorkerAndWindowThreadsWriteConcurrently) {
    auto writeMany = [this](const char* who) {
        for (int i = 0; i < 700; ++i) WriteOutputLine(output, "S::%s %d", who, i);
    };
    std::thread worker(writeMany, "worker");
    writeMany("window");
    worker.join();
    EXPECT_EQ(output.log().size(), 1400u);
    EXPECT_EQ(ui.lines().size(), 1400u);
}

TEST_F(OutputLinesTest, TipsComeNewestFirstRightAfterTheHeading) {
    EXPECT_EQ(output.helpPage().text(), "F1 to Help:\nBefore you fill out connection properties, Please confirm "
                                          "that your ODBC/OLEDB config is true !");
    ShowTip(output, "Please connect first.\n");
    ShowTip(output, "Select a table.\n");
    EXPECT_EQ(output.helpPage().text(), "F1 to Help:\nSelect a table.\nPlease connect first.\nBefore you fill out "
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

TEST(OutputState, StatusPanesAndTipsPageReachTheWindow) {
    ScriptedUserInterface ui;
    Output output(ui);
    EXPECT_EQ(output.statusText(StatusPane::Product), "Norvu Tabvex Version: 1.0");
    EXPECT_EQ(output.statusText(StatusPane::Engine), "Main Controller:IDLE");
    output.SetStatusText(StatusPane::Engine, "Some Tasks are WORKING!!!");
    EXPECT_EQ(output.statusText(StatusPane::Engine), "Some Tasks are WORKING!!!");
    output.ShowTipsPage(true);
    output.ShowTipsPage(false);
    EXPECT_EQ(ui.statusTexts(), (std::vector<std::pair<StatusPane, std::string>>{
                                    {StatusPane::Engine, "Some Tasks are WORKING!!!"}}));
    EXPECT_THAT(ui.tipsPageChanges(), ElementsAre(true, false));
}

}  // namespace
}  // namespace tabvex::app
