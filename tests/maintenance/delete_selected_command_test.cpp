// The main window's Delete command on each kind of target node.
#include "maintenance/maintenance_fixture.h"

namespace tabvex::maintenance {
namespace {

using ::testing::Contains;
namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using app::MessageAnswer;
using browser::TreeNodeKind;

class DeleteSelectedCommandTest : public test::MaintenanceFixture {};

TEST_F(DeleteSelectedCommandTest, RefusesWhileTasksRunWithoutATargetAndWithoutADeletableNode) {
    program.engine().runState() = tasks::RunState::Processing;
    Answer({MessageAnswer::Ok});
    DeleteSelectedCommand(program.output(), program.gate(), program.sides());
    EXPECT_EQ(program.engine().runState().load(), tasks::RunState::Stopping);
    DeleteSelectedCommand(program.output(), program.gate(), program.sides());
    program.engine().runState() = tasks::RunState::Idle;
    DeleteSelectedCommand(program.output(), program.gate(), program.sides());
    EXPECT_THAT(BoxTexts(), ElementsAre("Some Tasks is Processing, STOP ALL?",
                                        "Some Tasks is Stopping, Please try again later!!!",
                                        "No Target DataSource Connection!"));
    EXPECT_EQ(ui.boxes().back().caption, "Delete");

    ConnectShop();
    Select(TreeNodeKind::Field, "Id");
    DeleteSelectedCommand(program.output(), program.gate(), program.sides());
    EXPECT_EQ(BoxTexts().back(), "No selected Object to delete!");
    EXPECT_THAT(ui.tips(), ElementsAre("Press Config button, and get a successful target Connection!",
                                       "Please select a table, tables, views or database on target Database Tree!"));
}

TEST_F(DeleteSelectedCommandTest, ATableGoesAfterBothQuestionsAndNotBefore) {
    ConnectShop();
    const std::string before = test::ReadFile(shop());
    const std::string table = "[" + shopDatabase() + ".Orders]";
    for (auto answers : {std::vector{MessageAnswer::Cancel}, std::vector{MessageAnswer::Ok, MessageAnswer::No}}) {
        Select(TreeNodeKind::Table, "Orders");
        for (auto answer : answers) ui.QueueAnswer(answer);
        DeleteSelectedCommand(program.output(), program.gate(), program.sides());
    }
    EXPECT_THAT(Logged(), IsEmpty()) << "a refused delete was logged";
    EXPECT_EQ(test::ReadFile(shop()), before);
    for (const auto& box : ui.boxes()) EXPECT_EQ(box.defaultButton, app::DefaultButton::Refuse) << box.text;

    Select(TreeNodeKind::Table, "Orders");
    Answer({MessageAnswer::Ok, MessageAnswer::Yes});
    DeleteSelectedCommand(program.output(), program.gate(), program.sides());
    EXPECT_EQ(BoxTexts().back(),
              "After remove, you can not restore the table " + table + "! Continue?\nPress YES to Continue Removing!");
    EXPECT_THAT(Logged(), ElementsAre("Delete the table " + table + "?", "Drop Table SUCCESSFULLY!!!"));
    EXPECT_THAT(Sheets(shop()), ElementsAre("Sheet1", "Customers"));
    EXPECT_THAT(TreeTables(), ElementsAre("Customers"));
}

TEST_F(DeleteSelectedCommandTest, TheTablesFolderDropsEveryTableAndCountsThem) {
    ConnectShop();
    Select(TreeNodeKind::TablesFolder);
    Answer({MessageAnswer::Ok, MessageAnswer::Yes});
    DeleteSelectedCommand(program.output(), program.gate(), program.sides());
    EXPECT_THAT(Logged(), ElementsAre("Delete all the tables of [" + shopDatabase() + "]?",
                                           "Drop Table SUCCESSFULLY!!!", "Drop Table SUCCESSFULLY!!!",
                                           "[2] tables removed!"));
    EXPECT_THAT(Sheets(shop()), ElementsAre("Sheet1"));
    EXPECT_THAT(Names(shop()), IsEmpty());
    EXPECT_THAT(TreeTables(), IsEmpty());
}

TEST_F(DeleteSelectedCommandTest, ADatabaseNodeDeletesItsWorkbook) {
    ConnectShop();
    Select(TreeNodeKind::Database);
    Answer({MessageAnswer::Ok, MessageAnswer::Yes});
    DeleteSelectedCommand(program.output(), program.gate(), program.sides());
    EXPECT_FALSE(fs::exists(shop()));
    EXPECT_EQ(ui.boxes()[1].icon, app::MessageIcon::Warning);
    EXPECT_THAT(Logged(), Contains("Remove Database [" + shopDatabase() + "]!"));
    EXPECT_EQ(tree().connection().databaseName, "");
    EXPECT_EQ(tree().selected(), browser::kNoNode);
}

TEST_F(DeleteSelectedCommandTest, TheViewsFolderRemovesEveryViewNodeAndCountsThem) {
    ConnectShop();
    ShowViews();
    tree().Select(3);
    Answer({MessageAnswer::Ok, MessageAnswer::Yes});
    DeleteSelectedCommand(program.output(), program.gate(), program.sides());
    EXPECT_EQ(ui.boxes()[1].text, "After remove, you can not restore the views of [db] again! Continue?\nPress YES to "
                                  "Continue Removing!");
    EXPECT_THAT(Logged(), ElementsAre("Delete all the views of [db]?", "[2] views removed!"));
    EXPECT_TRUE(tree().node(3).children.empty());
}

}  // namespace
}  // namespace tabvex::maintenance
