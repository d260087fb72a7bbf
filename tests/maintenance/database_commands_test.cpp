// New Database, Delete Database, Clear all tables and Clear all Data on a real
// workbook: the questions and refusals, and what is left on disk.
#include "maintenance/maintenance_fixture.h"
#include "shell/program.h"

namespace tabvex::maintenance {
namespace {

using ::testing::Contains;
namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using app::MessageAnswer;
using browser::TreeNodeKind;

constexpr const char* kNoDatabase = "No Database in TARGET Side be Selected!";

std::string CannotRestore(const std::string& name) {
    return "After remove, you can not restore [" + name + "] again! Continue?\nPress YES to Continue Removing!";
}

class DatabaseCommandsTest : public test::MaintenanceFixture {};

TEST_F(DatabaseCommandsTest, TheWorkbookCommandsRefuseWithoutADatabaseAndStopAtEitherQuestion) {
    ConnectShop();
    const std::string before = test::ReadFile(shop());
    struct Command {
        void (*run)(app::Output&, app::TaskGate&, browser::Sides&, browser::DbTree&);
        std::string first;
    };
    const std::vector<Command> commands = {
        {DeleteDatabaseCommand, "Remove database [" + shopDatabase() + "]?"},
        {ClearAllTablesCommand, "Remove all the tables of [" + shopDatabase() + "]?"},
        {ClearAllDataCommand, "Delete all the data of [" + shopDatabase() + "]?"},
    };
    for (const auto& command : commands) {
        const std::size_t shown = ui.boxes().size();
        Select(TreeNodeKind::Table, "Orders");
        command.run(program.output(), program.gate(), program.sides(), tree());
        Select(TreeNodeKind::Database);
        Answer({MessageAnswer::Cancel});
        command.run(program.output(), program.gate(), program.sides(), tree());
        Answer({MessageAnswer::Ok, MessageAnswer::No});
        command.run(program.output(), program.gate(), program.sides(), tree());
        EXPECT_THAT(BoxTexts(shown),
                    ElementsAre(kNoDatabase, command.first, command.first, CannotRestore(shopDatabase())));
        EXPECT_EQ(ui.boxes()[shown + 1].buttons, app::MessageButtons::OkCancel);
        EXPECT_EQ(ui.boxes()[shown + 3].buttons, app::MessageButtons::YesNo);
        for (std::size_t question : {shown + 1, shown + 3})
            EXPECT_EQ(ui.boxes()[question].defaultButton, app::DefaultButton::Refuse) << "Enter keeps the workbook";
    }
    const std::size_t shown = ui.boxes().size();
    EXPECT_EQ(test::ReadFile(shop()), before);
    EXPECT_THAT(TreeTables(), UnorderedElementsAre("Orders", "Customers"));
    EXPECT_TRUE(program.sides().target().holder().HasSession());

    // The source tree's copies of the commands do nothing at all.
    DeleteDatabaseCommand(program.output(), program.gate(), program.sides(), program.sides().source().tree());
    ClearAllDataCommand(program.output(), program.gate(), program.sides(), program.sides().source().tree());
    EXPECT_EQ(ui.boxes().size(), shown);
}

TEST_F(DatabaseCommandsTest, DeleteDatabaseRemovesTheConnectedWorkbookAndAsksForAnotherConnection) {
    ConnectShop();
    Select(TreeNodeKind::Database);
    Answer({MessageAnswer::Ok, MessageAnswer::Yes});
    DeleteDatabaseCommand(program.output(), program.gate(), program.sides(), tree());
    EXPECT_FALSE(fs::exists(shop()));
    EXPECT_THAT(BoxTexts(), Contains("Connected Database Dropped, Please Connect Another!"));
    EXPECT_THAT(Logged(), Contains("Drop Database SUCCESSFULLY!!!"));
    EXPECT_THAT(ui.postedCommands(), ElementsAre(1026));
    EXPECT_FALSE(program.sides().target().holder().HasSession());
    EXPECT_EQ(tree().nodeCount(), 0u) << "the tree still lists a deleted workbook";
}

TEST_F(DatabaseCommandsTest, ClearAllTablesLeavesANewEmptyWorkbookOfTheSameName) {
    ConnectShop();
    Select(TreeNodeKind::Database);
    Answer({MessageAnswer::Ok, MessageAnswer::Yes});
    ClearAllTablesCommand(program.output(), program.gate(), program.sides(), tree());
    EXPECT_THAT(Logged(), Contains("Create Excel xls File [" + shop().string() + "]"));
    EXPECT_THAT(Sheets(shop()), ElementsAre("Sheet3"));
    // Only the hidden mark of the sheet the first table replaces: no table.
    const auto names = test::ReadWithXlrd(shop())["names"];
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0]["name"], "Tabvex_NewWorkbookSheet");
    EXPECT_EQ(names[0]["scope"], 0) << "local to Sheet3";
    EXPECT_TRUE(names[0]["hidden"].get<bool>());
    EXPECT_THAT(TreeTables(), IsEmpty());
}

TEST_F(DatabaseCommandsTest, ClearAllTablesCreatesNothingWhenTheOldWorkbookCannotBeDeleted) {
    ConnectShop();
    Select(TreeNodeKind::Database);
    fs::remove(shop());  // gone meanwhile: deleting it fails
    Answer({MessageAnswer::Ok, MessageAnswer::Yes});
    ClearAllTablesCommand(program.output(), program.gate(), program.sides(), tree());
    EXPECT_FALSE(fs::exists(shop()));
    EXPECT_THAT(Logged(), ::testing::Not(Contains("Drop Database SUCCESSFULLY!!!")));
}

TEST_F(DatabaseCommandsTest, ClearAllDataDropsEveryTableOfTheCurrentDatabase) {
    ConnectShop();
    Select(TreeNodeKind::Database);
    // The command works on the current node; a later selection of nothing does not change it.
    tree().Select(browser::kNoNode);
    Answer({MessageAnswer::Ok, MessageAnswer::Yes});
    ClearAllDataCommand(program.output(), program.gate(), program.sides(), tree());
    // One pass and one line; the last sheet held a table, so a blank one stands in.
    EXPECT_THAT(Logged(), ElementsAre("All the data of [" + (scratch / "shop").string() + "] deleted: 3 sheets"));
    EXPECT_THAT(Sheets(shop()), ElementsAre("Sheet1"));
    EXPECT_THAT(Names(shop()), ElementsAre("Tabvex_NewWorkbookSheet"));
    EXPECT_TRUE(program.sides().target().holder().HasSession());
    EXPECT_THAT(TreeTables(), IsEmpty());
}

TEST_F(DatabaseCommandsTest, NewDatabaseFromTheMenuNeedsTheTargetRootAndStartsBesideTheCurrentWorkbook) {
    ConnectShop();
    Select(TreeNodeKind::Table, "Orders");
    NewDatabaseMenuCommand(program.output(), program.gate(), program.sides());
    EXPECT_THAT(BoxTexts(),
                ElementsAre("Can only create database in TARGET!!!\nPlease Select Target ROOT to create new database!"));
    EXPECT_THAT(ui.fileRequests(), IsEmpty());

    Select(TreeNodeKind::Root);
    ui.QueueChosenPath(std::nullopt);
    NewDatabaseMenuCommand(program.output(), program.gate(), program.sides());
    ASSERT_EQ(ui.fileRequests().size(), 1u);
    EXPECT_EQ(ui.fileRequests()[0].startFolder, scratch.path().string() + "/");
    EXPECT_TRUE(program.sides().target().holder().HasSession()) << "a cancelled choice changed the target";

    Select(TreeNodeKind::Root);
    ui.QueueChosenPath(scratch / "fresh");
    NewDatabaseMenuCommand(program.output(), program.gate(), program.sides());
    EXPECT_THAT(Sheets(scratch / "fresh.xls"), ElementsAre("Sheet3"));
    // The target moves to the new workbook and the tree shows it.
    EXPECT_EQ(tree().connection().databaseName, (scratch / "fresh").string());
    EXPECT_THAT(TreeTables(), IsEmpty());
}

TEST_F(DatabaseCommandsTest, NewDatabaseBeforeAnyConnectionOpensTheChooserWithoutAFolder) {
    ui.QueueChosenPath(std::nullopt);
    NewDatabaseMenuCommand(program.output(), program.gate(), program.sides());
    ASSERT_EQ(ui.fileRequests().size(), 1u);
    EXPECT_TRUE(ui.fileRequests()[0].startFolder.empty());
    EXPECT_THAT(ui.boxes(), IsEmpty());
}

}  // namespace
}  // namespace tabvex::maintenance
