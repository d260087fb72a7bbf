// Drop Table, Drop View, Rename Table and the storage-engine switch.
#include "browser/tree_text.h"
#include "maintenance/maintenance_fixture.h"

namespace tabvex::maintenance {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using browser::NodeId;
using browser::TreeNode;
using browser::TreeNodeKind;

class TableCommandsTest : public test::MaintenanceFixture {
protected:
    std::string TreeText() { return browser::TreeText(tree().nodes()); }
};

TEST_F(TableCommandsTest, DropTableAsksOnceNamingTheWorksheetAndNoDropsNothing) {
    ConnectShop();
    const std::string before = test::ReadFile(shop());
    Select(TreeNodeKind::Table, "Orders");
    Answer({app::MessageAnswer::No});
    DropTableCommand(program.output(), program.gate(), program.sides(), tree());
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, "Drop the worksheet [Orders] of [" + shopDatabase() +
                                      "]?\nEverything on it is lost and cannot be restored.");
    EXPECT_EQ(ui.boxes()[0].buttons, app::MessageButtons::YesNo);
    EXPECT_EQ(ui.boxes()[0].defaultButton, app::DefaultButton::Refuse) << "Enter keeps the worksheet";
    EXPECT_EQ(test::ReadFile(shop()), before);
    EXPECT_THAT(TreeTables(), UnorderedElementsAre("Orders", "Customers"));

    Select(TreeNodeKind::Table, "Orders");
    Answer({app::MessageAnswer::Yes});
    DropTableCommand(program.output(), program.gate(), program.sides(), tree());
    EXPECT_EQ(ui.boxes().size(), 2u);
    EXPECT_THAT(Sheets(shop()), ElementsAre("Sheet1", "Customers"));
    EXPECT_THAT(Names(shop()), ElementsAre("Customers"));
    EXPECT_THAT(TreeTables(), ElementsAre("Customers"));
}

TEST_F(TableCommandsTest, DropTableOnANodeThatIsNoTableAsksNothingAndTouchesNothing) {
    ConnectShop();
    const std::string before = test::ReadFile(shop());
    for (auto kind : {TreeNodeKind::Database, TreeNodeKind::TablesFolder, TreeNodeKind::Field}) {
        Select(kind);
        DropTableCommand(program.output(), program.gate(), program.sides(), tree());
    }
    tree().Select(browser::kNoNode);
    DropTableCommand(program.output(), program.gate(), program.sides(), tree());
    EXPECT_THAT(ui.boxes(), IsEmpty());
    EXPECT_EQ(test::ReadFile(shop()), before);
    EXPECT_TRUE(program.sides().target().holder().HasSession());
}

TEST_F(TableCommandsTest, RenameHappensOnlyForALabelEditCommittedWithEnter) {
    ConnectShop();
    const std::string before = test::ReadFile(shop());
    Select(TreeNodeKind::Table, "Orders");
    RenameTableCommand(program.gate(), tree());
    EXPECT_EQ(tree().remembered().current, Node(TreeNodeKind::Table, "Orders"));
    // Escape, or leaving the edit box: no Enter was seen.
    EXPECT_FALSE(FinishTableRename(program.output(), program.gate(), program.sides(), tree(), "Bestellungen"));
    tree().SetRenameCommit(true);
    EXPECT_FALSE(FinishTableRename(program.output(), program.gate(), program.sides(), tree(), std::nullopt));
    EXPECT_FALSE(tree().renameCommit());
    EXPECT_EQ(test::ReadFile(shop()), before);

    tree().SetRenameCommit(true);
    EXPECT_TRUE(FinishTableRename(program.output(), program.gate(), program.sides(), tree(), "Bestellungen"));
    EXPECT_FALSE(tree().renameCommit());
    EXPECT_THAT(Sheets(shop()), ElementsAre("Sheet1", "Bestellungen", "Customers"));
    EXPECT_THAT(Names(shop()), UnorderedElementsAre("Bestellungen", "Customers"));
    EXPECT_THAT(TreeTables(), UnorderedElementsAre("Bestellungen", "Customers"));
    const auto rows = test::ReadWithXlrd(shop())["sheets"][1]["nrows"];
    EXPECT_EQ(rows, 3) << "the rows did not move with the sheet";
}

TEST_F(TableCommandsTest, AFailedRenameKeepsTheOldLabel) {
    ConnectShop();
    Select(TreeNodeKind::Field, "Id");  // a field has no defined name
    tree().SetRenameCommit(true);
    EXPECT_FALSE(FinishTableRename(program.output(), program.gate(), program.sides(), tree(), "Key"));
    EXPECT_EQ(ui.boxes().size(), 2u);
    EXPECT_THAT(TreeTables(), UnorderedElementsAre("Orders", "Customers"));
    EXPECT_THAT(Sheets(shop()), ElementsAre("Sheet1", "Orders", "Customers"));

    // A name no worksheet can carry leaves the workbook as it was.
    const std::string before = test::ReadFile(shop());
    Select(TreeNodeKind::Table, "Orders");
    tree().SetRenameCommit(true);
    EXPECT_FALSE(FinishTableRename(program.output(), program.gate(), program.sides(), tree(), "Orders/2026"));
    EXPECT_EQ(ui.boxes().size(), 4u);
    EXPECT_EQ(test::ReadFile(shop()), before);
    EXPECT_THAT(TreeTables(), UnorderedElementsAre("Orders", "Customers"));
}

TEST_F(TableCommandsTest, DropViewRemovesTheViewsNodeAndNothingElse) {
    ShowViews();
    tree().Select(5);
    DropViewCommand(program.output(), program.gate(), tree());
    EXPECT_EQ(TreeText(), "0 db.xls\n  1 db\n    3 Tables\n    9 Views\n      8 Recent\n");
    EXPECT_EQ(tree().selected(), browser::kNoNode);
    EXPECT_EQ(tree().remembered().lastView, browser::kNoNode);
    EXPECT_THAT(ui.redrawnTrees(), ElementsAre(app::TreeSide::Target));
    tree().Select(2);
    DropViewCommand(program.output(), program.gate(), tree());  // not a view
    EXPECT_EQ(tree().node(3).children.size(), 1u);
}

TEST_F(TableCommandsTest, TheStorageEngineSwitchNamesTheEngineNowInForce) {
    std::string menu = "Change Storage Engine(MyISAM)";
    menu = StorageEngineCommand(program.output(), tree(), menu);
    EXPECT_EQ(menu, "Change Storage Engine(InnoDB)");
    EXPECT_EQ(tree().storageEngine(), "InnoDB");
    menu = StorageEngineCommand(program.output(), tree(), menu);
    EXPECT_EQ(menu, "Change Storage Engine(MyISAM)");
    EXPECT_EQ(tree().storageEngine(), "MyISAM");
    EXPECT_THAT(BoxTexts(), ElementsAre("Now Storage Engine of MySQL is InnoDB!", "Now Storage Engine of MySQL is MyISAM!"));
}

}  // namespace
}  // namespace tabvex::maintenance
