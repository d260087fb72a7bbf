#include "adapters/excel/table_transfer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/excel/excel_create_table.h"
#include "adapters/excel/expected_rows.h"
#include "adapters/excel/transfer_test_support.h"
#include "browser/condition_file.h"
#include "connect/statement_runners.h"
#include "shell/program.h"

namespace tabvex::adapters {
namespace {

using mdb::JetType;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

constexpr const char* kDatabase = "Shop";

// Asks for a stop when the Log shows a given line, as a person pressing Stop
// while the transfer runs would.
class StoppingUserInterface : public test::ScriptedUserInterface {
public:
    std::atomic<tasks::RunState>* runState = nullptr;
    std::string stopAt;
    void ShowOutputLine(const app::OutputLine& line) override {
        ScriptedUserInterface::ShowOutputLine(line);
        if (runState && line.text.find(stopAt) != std::string::npos) *runState = tasks::RunState::Stopping;
    }
};

class TableTransferTest : public test::TransferFixture {
protected:
    // Creates the worksheet as the migration does, then copies the rows.
    TransferResult Migrate(const std::string& table) {
        EXPECT_TRUE(connect::ExecuteStatement(program.output(), target, BuildExcelCreateTable(program.output(), source, table, table), true));
        return TransferTableRows(program.output(), program.gate(), program.sides(), kDatabase, table, table, TraceOf(table));
    }

};

TEST_F(TableTransferTest, EveryRowArrivesAsTextInSourceOrderWithProgressAndTrace) {
    mdb::DatabaseWriter writer(sourceFile());
    writer.AddTable("Orders", {{"Id", JetType::Long},
                               {"Name", JetType::Text, 60},
                               {"Placed", JetType::DateTime},
                               {"Price", JetType::Currency},
                               {"Paid", JetType::Boolean},
                               {"Weight", JetType::Double}});
    for (int i = 1; i <= 2500; ++i) {
        writer.AddRow("Orders", {std::to_string(i), i % 7 ? "O'Brien's 'n' Ωμέγα " + std::to_string(i) : mdb::Value(),
                                 "2024-02-29 13:45:00", "12.5", i % 2 ? "True" : "False",
                                 i % 3 ? mdb::Value("0.1") : mdb::Value()});
    }
    Connect(writer);

    const TransferResult result = Migrate("Orders");
    EXPECT_EQ(result.text, "true");
    EXPECT_EQ(result.rowsCopied, 2500);
    EXPECT_EQ(result.rowsNotCopied, 0);
    EXPECT_FALSE(result.failed());
    const auto messages = ui.messages();
    EXPECT_THAT(messages, Contains("[Orders] 1000 records converted!"));
    EXPECT_THAT(messages, Contains("[Orders] 2000 records converted!"));
    EXPECT_EQ(messages.back(), "[Orders] 2500 records converted, convertion completed SUCCESSFULLY!");

    const std::string trace = test::ReadFile(scratch / "Orders.data");
    EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 2500);
    EXPECT_THAT(trace, StartsWith("insert into Orders values ('1','O''Brien''s ''n'' Ωμέγα 1','2024-02-29 13:45:00'"));
    EXPECT_EQ(SheetRows("Orders"), SourceRows("Orders"));
}

// The task list's figures: the rows expected come from the count Access keeps, only
// for the Jet provider and tables without a condition; each row that arrives raises
// the task's count past what its earlier tables copied.
TEST_F(TableTransferTest, RowsExpectedAndCopiedAreCountedForTheTaskList) {
    mdb::DatabaseWriter writer(sourceFile());
    writer.AddTable("Orders", {{"Id", JetType::Long}});
    for (int i = 1; i <= 1200; ++i) writer.AddRow("Orders", {std::to_string(i)});
    writer.AddTable("Few", {{"Id", JetType::Long}});
    for (int i = 1; i <= 5; ++i) writer.AddRow("Few", {std::to_string(i)});
    Connect(writer);
    program.sides().source().settings().providerProgId = std::string(connect::kJetProgId);
    ASSERT_TRUE(browser::WriteCondition(program.sides().conditionFile(), kDatabase, "Few", "Id>2"));

    EXPECT_EQ(ExpectedRowCount(program.output(), program.sides(), kDatabase, "Orders"), 1200);
    EXPECT_EQ(ExpectedRowCount(program.output(), program.sides(), kDatabase, std::vector<std::string>{"Orders", "Orders"}), 2400);
    EXPECT_EQ(ExpectedRowCount(program.output(), program.sides(), kDatabase, "Few"), std::nullopt) << "a condition needs the rows read";
    EXPECT_EQ(ExpectedRowCount(program.output(), program.sides(), kDatabase, std::vector<std::string>{"Orders", "Few"}), std::nullopt);
    EXPECT_EQ(ExpectedRowCount(program.output(), program.sides(), kDatabase, "Missing"), std::nullopt);

    adapters::RowProgress rows;
    rows.copied = 7;  // rows of the task's earlier tables
    EXPECT_TRUE(connect::ExecuteStatement(program.output(), target, BuildExcelCreateTable(program.output(), source, "Orders", "Orders"), true));
    EXPECT_EQ(TransferTableRows(program.output(), program.gate(), program.sides(), kDatabase, "Orders", "Orders", TraceOf("Orders"), &rows).rowsCopied,
              1200);
    EXPECT_EQ(rows.copied.load(), 1207);

    program.sides().source().settings().providerProgId = "MSDASQL";
    EXPECT_EQ(ExpectedRowCount(program.output(), program.sides(), kDatabase, "Orders"), std::nullopt) << "counted only through Jet";
}

TEST_F(TableTransferTest, TheTablesConditionRestrictsTheRows) {
    mdb::DatabaseWriter writer(sourceFile());
    writer.AddTable("Orders", {{"Id", JetType::Long}});
    for (int i = 1; i <= 20; ++i) writer.AddRow("Orders", {std::to_string(i)});
    Connect(writer);
    ASSERT_TRUE(browser::WriteCondition(program.sides().conditionFile(), kDatabase, "Orders", "Id>10 and Id<>15"));

    EXPECT_EQ(Migrate("Orders").rowsCopied, 9);
    const auto rows = SheetRows("Orders");
    EXPECT_THAT(rows, ElementsAre(ElementsAre("11"), ElementsAre("12"), ElementsAre("13"), ElementsAre("14"),
                                  ElementsAre("16"), ElementsAre("17"), ElementsAre("18"), ElementsAre("19"),
                                  ElementsAre("20")));
}

TEST_F(TableTransferTest, AStopRequestEndsTheTableAfterTheCurrentRow) {
    StoppingUserInterface stopper;
    shell::Program stoppable{stopper, scratch.path()};
    stopper.runState = &stoppable.engine().runState();
    stopper.stopAt = "1000 records converted!";
    mdb::DatabaseWriter writer(sourceFile());
    writer.AddTable("Orders", {{"Id", JetType::Long}});
    for (int i = 1; i <= 1500; ++i) writer.AddRow("Orders", {std::to_string(i)});
    Connect(writer);
    connect::ConnectionHolder& stoppableSource = stoppable.sides().source().holder();
    connect::ConnectionHolder& stoppableTarget = stoppable.sides().target().holder();
    stoppableSource = source;
    stoppableTarget = target;
    ASSERT_TRUE(connect::ExecuteStatement(stoppable.output(), stoppableTarget,
                                          BuildExcelCreateTable(stoppable.output(), stoppableSource, "Orders", "Orders"),
                                          true));

    const TransferResult result = TransferTableRows(stoppable.output(), stoppable.gate(), stoppable.sides(), kDatabase,
                                                    "Orders", "Orders", TraceOf("Orders"));
    stoppableSource.Release();
    stoppableTarget.Release();  // the fixture's holder saves the workbook when it lets go
    EXPECT_EQ(result.text, "true");
    EXPECT_EQ(result.rowsCopied, 1000);
    EXPECT_TRUE(result.stopped && result.failed()) << "a table stopped part way did not arrive";
    const auto messages = stopper.messages();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_THAT(std::vector(messages.end() - 2, messages.end()),
                ElementsAre("Data Converting Terminaled!",
                            "[Orders] 1000 rows copied, not the whole table: stopped before the last row"));
    EXPECT_EQ(SheetRows("Orders").size(), 1000u);
}

TEST_F(TableTransferTest, FailedInsertsAreCountedAndReportedAfterTheClosingLine) {
    mdb::DatabaseWriter writer(sourceFile());
    writer.AddTable("Orders", {{"Id", JetType::Long}, {"Name", JetType::Text}});
    for (int i = 1; i <= 3; ++i) writer.AddRow("Orders", {std::to_string(i), "x"});
    Connect(writer);
    // A worksheet narrower than the source refuses every row.
    ASSERT_TRUE(connect::ExecuteStatement(program.output(), target, "Create Table Orders (`Id` Text)", true));

    const TransferResult result = TransferTableRows(program.output(), program.gate(), program.sides(), kDatabase, "Orders", "Orders", TraceOf("Orders"));
    EXPECT_TRUE(result.failed());
    EXPECT_EQ(result.rowsCopied, 0);
    EXPECT_EQ(result.rowsNotCopied, 3);
    EXPECT_FALSE(result.firstError.empty());
    const auto messages = ui.messages();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[messages.size() - 2], "[Orders] 3 rows not copied: " + result.firstError);
    EXPECT_EQ(messages.back(), "[Orders] 0 of 3 rows copied whole: " + result.firstError);
    EXPECT_TRUE(ui.lines().back().colours.has_value()) << "an error line";
    EXPECT_THAT(messages, Not(Contains(HasSubstr("convertion completed SUCCESSFULLY"))));
}

TEST_F(TableTransferTest, LongValuesArriveWholeUpToTheCellLimitAndAreCutAndReportedBeyond) {
    const std::string memo9000(9000, 'm');
    std::string accented;  // 33,000 characters in 66,000 bytes: within a slot, past a cell
    for (int i = 0; i < 33000; ++i) accented += "é";
    const std::string memo100k(100000, 'z');  // past even the slot
    mdb::DatabaseWriter writer(sourceFile());
    writer.AddTable("Notes", {{"Id", JetType::Long}, {"Body", JetType::Memo}});
    writer.AddRow("Notes", {"1", memo9000});
    writer.AddRow("Notes", {"2", accented});
    writer.AddRow("Notes", {"3", memo100k});
    Connect(writer);

    const TransferResult result = Migrate("Notes");
    EXPECT_TRUE(result.failed()) << "cut values arrive, but the table is not whole";
    EXPECT_EQ(result.rowsCopied, 3);
    EXPECT_EQ(result.valuesCut, 2);
    const auto messages = ui.messages();
    // Text cut has no option to carry it: the line says only what happened.
    EXPECT_EQ(messages.back(), "[Notes] 1 of 3 rows copied whole: 2 values longer than 32767 characters were cut");
    EXPECT_THAT(messages, Contains("[Notes] row 2, column [Body]: value longer than 32767 characters, cut!"));
    EXPECT_THAT(messages, Contains("[Notes] row 3, column [Body]: value longer than 32767 characters, cut!"));
    const auto rows = SheetRows("Notes");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][1], memo9000);
    EXPECT_EQ(rows[1][1], accented.substr(0, 2 * 32767));
    EXPECT_EQ(rows[2][1], memo100k.substr(0, 32767));
}

TEST_F(TableTransferTest, AFullWorksheetStopsTheTableAndCountsTheRestWithoutTryingThem) {
    constexpr int kRows = 65600;
    mdb::DatabaseWriter writer(sourceFile());
    writer.AddTable("Big", {{"N", JetType::Long}});
    for (int i = 1; i <= kRows; ++i) writer.AddRow("Big", {std::to_string(i)});
    Connect(writer);

    const TransferResult result = Migrate("Big");
    EXPECT_TRUE(result.failed());
    EXPECT_EQ(result.rowsCopied, 65535);
    EXPECT_EQ(result.rowsNotCopied, kRows - 65535);
    EXPECT_EQ(test::ReadFile(scratch / "Big.data").find("'65536'"), std::string::npos) << "never tried";
    const auto messages = ui.messages();
    EXPECT_EQ(messages[messages.size() - 2], "[Big] The worksheet is full: 65535 rows copied, 65 rows not copied!");
    EXPECT_EQ(messages.back(), "[Big] 65535 of 65600 rows copied whole: the worksheet is full; the rows past it can go "
                               "on new sheets with \"Continue long tables on new sheets\" (--split-long-tables)");
    const auto rows = SheetRows("Big");
    ASSERT_EQ(rows.size(), 65535u);
    EXPECT_EQ(rows.back(), std::vector<std::string>{"65535"});
}

TEST_F(TableTransferTest, ANameWithABlankIsMigratedAndOneThatIsAPathNeverReachesTheFileSystem) {
    mdb::DatabaseWriter writer(sourceFile());
    writer.AddTable("Order Details", {{"Qty", JetType::Integer}});
    writer.AddRow("Order Details", {"7"});
    writer.AddTable("a/b", {{"Qty", JetType::Integer}});
    writer.AddRow("a/b", {"8"});
    Connect(writer);

    EXPECT_FALSE(Migrate("Order Details").failed());  // the worksheet is Order_Details, as Jet names it
    EXPECT_TRUE(std::filesystem::exists(scratch / "Order Details.data"));

    ASSERT_TRUE(connect::ExecuteStatement(program.output(), target, BuildExcelCreateTable(program.output(), source, "a/b", "a_b"), true));
    EXPECT_FALSE(TransferTableRows(program.output(), program.gate(), program.sides(), kDatabase, "a/b", "a_b", TraceOf("a/b")).failed());
    EXPECT_TRUE(std::filesystem::exists(scratch / "a%2Fb.data")) << "the trace's name is encoded";
    EXPECT_FALSE(std::filesystem::exists(scratch / "a"));
    EXPECT_EQ(SheetRows("Order_Details"), (std::vector<std::vector<std::string>>{{"7"}}));
    EXPECT_EQ(SheetRows("a_b"), (std::vector<std::vector<std::string>>{{"8"}}));
}

TEST_F(TableTransferTest, MissingSessionsAreReportedByName) {
    EXPECT_EQ(BuildExcelCreateTable(program.output(), connect::ConnectionHolder{}, "Orders", "Orders"), "ERROR!!!");
    mdb::DatabaseWriter writer(sourceFile());
    writer.AddTable("Orders", {{"Id", JetType::Long}});
    Connect(writer);
    const auto transfer = [&] {
        return TransferTableRows(program.output(), program.gate(), program.sides(), kDatabase, "Orders", "Orders",
                                 TraceOf("Orders"));
    };
    const connect::ConnectionHolder connected = source;
    source.Release();
    EXPECT_EQ(transfer().text, "No Source Connection!");
    source = connected;
    target.Release();
    EXPECT_EQ(transfer().text, "No Target Connection!");
    EXPECT_THAT(ui.messages(), ElementsAre(StartsWith("No Connection! \r\n failed with error code:[0x"),
                                           StartsWith("No Source Connection! \r\n failed with error code:[0x"),
                                           "[Orders] 0 rows copied, not the whole table: No Source Connection!",
                                           StartsWith("No Target Connection! \r\n failed with error code:[0x"),
                                           "[Orders] 0 rows copied, not the whole table: No Target Connection!"));
}

}  // namespace
}  // namespace tabvex::adapters
