// ExecuteStatement and RunScalarQuery on real Jet sessions over an Access database
// and a workbook, with the Log lines they leave.
#include <gtest/gtest.h>

#include "platform/jet/mdb/database_writer.h"
#include "platform/xls/workbook.h"
#include "shell/program.h"
#include "support/jet_connection.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"
#include "connect/statement_runners.h"

namespace tabvex::connect {
namespace {

using mdb::JetType;

class StatementRunnersTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        directory = new test::ScratchDir;
        mdb::DatabaseWriter writer(*directory / "shop.mdb");
        writer.AddTable("Items", {{"Id", JetType::Long, 0}, {"Name", JetType::Text, 20}});
        for (int i = 1; i <= 42; ++i) writer.AddRow("Items", {std::to_string(i), "item " + std::to_string(i)});
        writer.AddTable("Empty", {{"Id", JetType::Long, 0}});
        writer.AddTable("Nulls", {{"Note", JetType::Text, 20}});
        writer.AddRow("Nulls", {std::nullopt});
        writer.AddTable("Negative", {{"Delta", JetType::Long, 0}});
        writer.AddRow("Negative", {"-5"});
        writer.AddTable("Mixed", {{"Note", JetType::Text, 20}, {"Delta", JetType::Long, 0}, {"Count", JetType::Long, 0}});
        writer.AddRow("Mixed", {std::nullopt, "-5", "7"});
        writer.Write();
        xls::Workbook::CreateNew({"Sheet1"}).Save(*directory / "book.xls");
    }
    static void TearDownTestSuite() { delete directory; }

    std::string Scalar(const std::string& statement, bool report = false) {
        return RunScalarQuery(program.output(), shop, statement, report);
    }

    static test::ScratchDir* directory;
    test::ScriptedUserInterface ui;
    shell::Program program{ui, directory->path()};
    connect::ConnectionHolder shop = test::OpenJetConnection(*directory / "shop.mdb");
};

test::ScratchDir* StatementRunnersTest::directory = nullptr;

TEST_F(StatementRunnersTest, ACountComesBackAsItsText) {
    EXPECT_EQ(Scalar("select count(*) from Items"), "42");
    EXPECT_EQ(Scalar("select count(*) from Items where Id > 40"), "2");
    EXPECT_EQ(Scalar("select count(*) from Empty"), "0");
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(Scalar("select count(*) from Items", true), "42");
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{connect::kOperationCompleted}));
}

TEST_F(StatementRunnersTest, NullsAreLoggedAndNegativeValuesPassedOver) {
    EXPECT_EQ(Scalar("select * from Nulls"), connect::kOperationCompleted);
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{"(NULL)"}));
    EXPECT_FALSE(ui.lines().back().colours.has_value());
    EXPECT_EQ(Scalar("select * from Negative"), connect::kOperationCompleted);
    EXPECT_EQ(Scalar("select * from Mixed"), "7");
    EXPECT_EQ(Scalar("select * from Empty"), connect::kOperationCompleted);  // no row at all
}

TEST_F(StatementRunnersTest, AFailingQueryGivesTheProvidersDescription) {
    const std::string text = Scalar("select count(*) from Items where Nope = 1");
    EXPECT_NE(text.find("Nope"), std::string::npos) << text;
    EXPECT_NE(Scalar("select count(*) from Items where "), "");
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(StatementRunnersTest, WithoutASessionBothRunnersSaySo) {
    connect::ConnectionHolder none;
    EXPECT_EQ(RunScalarQuery(program.output(), none, "select count(*) from Items", true), "");
    EXPECT_FALSE(ExecuteStatement(program.output(), none, "create table T (a text)", false));
    const auto messages = ui.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].rfind("No Connection! \r\n failed with error code:[0x", 0), 0u) << messages[0];
    EXPECT_EQ(messages[1], "No Connection!");
    EXPECT_EQ(ui.lines()[1].colours, app::kErrorColours);
}

TEST_F(StatementRunnersTest, ExecuteStatementReportsOnlyWhenAsked) {
    connect::ConnectionHolder book = test::OpenJetConnection(*directory / "book.xls");
    EXPECT_TRUE(ExecuteStatement(program.output(), book, "CREATE TABLE Orders (Id TEXT, Name TEXT)", true));
    EXPECT_TRUE(ExecuteStatement(program.output(), book, "INSERT INTO Orders VALUES ('1', 'O''Brien')", false));
    EXPECT_EQ(ui.messages(), (std::vector<std::string>{connect::kOperationCompleted}));

    EXPECT_FALSE(ExecuteStatement(program.output(), book, "INSERT INTO Missing VALUES ('1')", false));
    EXPECT_EQ(ui.messages().size(), 1u);
    EXPECT_FALSE(ExecuteStatement(program.output(), book, "CREATE TABLE Orders (Id TEXT)", true));
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.lines().back().colours, app::kProviderTextColours);
    EXPECT_NE(ui.messages().back().find("Orders"), std::string::npos) << ui.messages().back();

    EXPECT_EQ(RunScalarQuery(program.output(), book, "select count(*) from [Orders$]", false), "1");
}

}  // namespace
}  // namespace tabvex::connect
