#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/adapter_test_support.h"
#include "browser/condition_file.h"
#include "connecting/connecting.h"
#include "platform/jet/mdb/database_writer.h"
#include "shell/program.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"
#include "trees/database_double_click.h"
#include "trees/source_tree_tip.h"
#include "trees/tree_context_menu.h"
#include "trees/tree_menus.h"

namespace tabvex::trees {
namespace {

using browser::DbTree;
using browser::NodeId;
using browser::TreeNode;
using browser::TreeNodeKind;
using ::testing::ElementsAre;

// root / database "shop" / Tables (2) / Orders (4) / Fields (5), and Views (3) / Totals (6)
struct ShopNodes {
    static constexpr NodeId root = 0, database = 1, orders = 4, fields = 5, totals = 6;
};

void FillShop(DbTree& tree, int dbmsKind, const std::string& rootText = "shop.mdb") {
    std::vector<TreeNode> nodes = {
        {TreeNodeKind::Root, rootText, browser::kNoNode, {1}, true},
        {TreeNodeKind::Database, "shop", 0, {2, 3}, true},
        {TreeNodeKind::TablesFolder, "Tables", 1, {4}, true},
        {TreeNodeKind::ViewsFolder, "Views", 1, {6}, false},
        {TreeNodeKind::Table, "Orders", 2, {5}, false},
        {TreeNodeKind::FieldsFolder, "Fields", 4, {}, false},
        {TreeNodeKind::View, "Totals", 3, {}, false},
    };
    browser::RememberedNodes remembered;
    remembered.root = ShopNodes::root;
    remembered.currentDatabase = ShopNodes::database;
    tree.ReplaceNodes(std::move(nodes), remembered);
    auto block = tree.connection();
    block.dbmsKind = dbmsKind;
    tree.SetConnection(block);
}

std::vector<std::string> Texts(const std::optional<ContextMenu>& menu) {
    std::vector<std::string> texts;
    if (menu)
        for (const auto& entry : menu->entries) texts.push_back(entry.text);
    return texts;
}

TEST(TreeMenus, EachKindShowsItsMenuWithTheEntriesOfItsSide) {
    DbTree source(browser::kSourceSide), target(browser::kTargetSide);
    FillShop(source, 4);
    FillShop(target, 5);

    EXPECT_EQ(SelectTreeNode(target, ShopNodes::root),
              (TreeMenuState{true,
                             {TopMenu::Databases},
                             {{kNewDatabaseCommand, true}, {kChangeCharsetCommand, false}, {kStorageEngineCommand, false}}}));
    EXPECT_EQ(SelectTreeNode(source, ShopNodes::root).entries.front(), (MenuEntryState{kNewDatabaseCommand, false}));
    EXPECT_EQ(SelectTreeNode(source, ShopNodes::database).entries,
              (std::vector<MenuEntryState>{
                  {kDeleteDatabaseCommand, false}, {kClearAllTablesCommand, false}, {kClearAllDataCommand, false}}));

    const TreeMenuState view = SelectTreeNode(target, ShopNodes::totals);
    EXPECT_THAT(view.shown, ElementsAre(TopMenu::Table));
    EXPECT_THAT(view.entries, ElementsAre(MenuEntryState{kMigrationConditionCommand, false},
                                          MenuEntryState{kDropTableCommand, false},
                                          MenuEntryState{kDropViewCommand, true},
                                          MenuEntryState{kRenameTableCommand, false}));
    EXPECT_THAT(SelectTreeNode(source, ShopNodes::orders).entries.front(),
                (MenuEntryState{kMigrationConditionCommand, true}));

    const TreeMenuState folder = SelectTreeNode(target, ShopNodes::fields);
    EXPECT_TRUE(folder.applies);
    EXPECT_TRUE(folder.shown.empty() && folder.entries.empty());
    EXPECT_EQ(target.selected(), ShopNodes::fields);
    EXPECT_EQ(target.remembered().current, ShopNodes::fields);
}

TEST(TreeMenus, AnUnconnectedTreeOnlyShowsMenusAndGreysTheTargetEntries) {
    DbTree target(browser::kTargetSide);
    FillShop(target, 5);
    target.SetSideMarker(browser::kNotConnected);
    EXPECT_TRUE(SelectTreeNode(target, ShopNodes::orders).entries.empty());
    EXPECT_EQ(SelectTreeNode(target, ShopNodes::database).entries.front(),
              (MenuEntryState{kDeleteDatabaseCommand, false}));
}

TEST(TreeMenus, ARefillingTreeChangesNeitherMenusNorSelection) {
    DbTree target(browser::kTargetSide);
    FillShop(target, 5);
    target.SetRefreshing(true);
    EXPECT_EQ(SelectTreeNode(target, ShopNodes::orders), TreeMenuState{});
    EXPECT_EQ(target.selected(), browser::kNoNode);
}

TEST(TreeContextMenus, RootDatabaseAndObjectMenusArePrunedBySideAndFamily) {
    DbTree source(browser::kSourceSide), target(browser::kTargetSide);
    FillShop(source, 4);
    FillShop(target, 5);

    // Empty space selects the root; on a workbook only New Database is left.
    const NodeId clicked = RightClickNode(target, browser::kNoNode);
    EXPECT_EQ(clicked, ShopNodes::root);
    EXPECT_EQ(target.selected(), ShopNodes::root);
    EXPECT_THAT(Texts(ContextMenuFor(target, clicked)), ElementsAre("New Database"));
    // The source's root would be left with nothing; a source database can be checked.
    EXPECT_EQ(ContextMenuFor(source, ShopNodes::root), std::nullopt);
    EXPECT_THAT(Texts(ContextMenuFor(source, ShopNodes::database)), ElementsAre("Check..."));
    EXPECT_THAT(Texts(ContextMenuFor(target, ShopNodes::database)),
                ElementsAre("Delete Database", "Clear all tables", "Clear all Data"));

    EXPECT_THAT(Texts(ContextMenuFor(source, ShopNodes::orders)), ElementsAre("Migration Condition", "Check..."));
    EXPECT_THAT(Texts(ContextMenuFor(source, ShopNodes::totals)), ElementsAre("Migration Condition"));
    EXPECT_THAT(Texts(ContextMenuFor(target, ShopNodes::orders)),
                ElementsAre("Drop Table Orders", "Rename Table Orders"));
    EXPECT_THAT(Texts(ContextMenuFor(target, ShopNodes::totals)), ElementsAre("Drop View Totals"));
    EXPECT_EQ(ContextMenuFor(target, ShopNodes::fields), std::nullopt);
}

TEST(TreeContextMenus, AMySqlRootOffersCharsetAndEngineAndABlankLabelNoMenu) {
    DbTree target(browser::kTargetSide);
    FillShop(target, kMySqlDbms);
    EXPECT_THAT(Texts(ContextMenuFor(target, ShopNodes::root)),
                ElementsAre("New Database", "Change Charset", "Storage Engines"));
    FillShop(target, 5, "   ");
    EXPECT_EQ(ContextMenuFor(target, ShopNodes::root), std::nullopt);
}

TEST(SourceTreeTip, ATableShowsItsStoredConditionOrConvertAll) {
    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    shell::Program program{ui, scratch.path()};
    DbTree& source = program.sides().source().tree();
    FillShop(source, 4);

    EXPECT_EQ(SourceTreeTip(program.sides().conditionFile(), source, ShopNodes::orders), "Convert All");
    ASSERT_TRUE(browser::WriteCondition(program.sides().conditionFile(), "shop", "Orders", "Id>10"));
    EXPECT_EQ(SourceTreeTip(program.sides().conditionFile(), source, ShopNodes::orders), "Condition : Id>10");
    EXPECT_EQ(SourceTreeTip(program.sides().conditionFile(), source, ShopNodes::totals), "");
    EXPECT_EQ(SourceTreeTip(program.sides().conditionFile(), source, browser::kNoNode), std::nullopt);
}

class DoubleClickTest : public ::testing::Test {
protected:
    std::filesystem::path WriteShop() {
        const auto path = scratch / "shop.mdb";
        mdb::DatabaseWriter writer(path);
        writer.AddTable("Orders", {{"Id", mdb::JetType::Long, 0}});
        writer.Write();
        return path;
    }

    test::ScratchProfile profile;
    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    shell::Program program{ui, scratch.path()};
};

TEST_F(DoubleClickTest, ADatabaseNodeOfAJetSideIsSelectedAndReconnected) {
    program.sides().source().settings() = {"Microsoft Jet 4.0 OLE DB Provider", "Microsoft.Jet.OLEDB.4.0", "stale", WriteShop().string(),
                                 "", "Admin", ""};
    connect::ConnectSource(program.output(), program.sides());
    DbTree& tree = program.sides().source().tree();
    const NodeId database = tree.remembered().currentDatabase;
    ASSERT_NE(database, browser::kNoNode);
    const std::string name = tree.node(database).text;
    const auto linesBefore = ui.messages().size();

    EXPECT_TRUE(DoubleClickNode(program.output(), program.gate(), program.sides(), tree, database));
    EXPECT_TRUE(program.sides().source().holder().HasSession());
    const auto messages = ui.messages();
    ASSERT_GT(messages.size(), linesBefore);
    EXPECT_EQ(messages[linesBefore], "Select Database [" + name + "]");
    // Reconnecting refilled the tree.
    EXPECT_NE(tree.remembered().tablesFolder, browser::kNoNode);
}

TEST_F(DoubleClickTest, AnyOtherNodeOnlySelects) {
    FillShop(program.sides().source().tree(), 4);
    EXPECT_FALSE(DoubleClickNode(program.output(), program.gate(), program.sides(), program.sides().source().tree(), ShopNodes::orders));
    EXPECT_EQ(program.sides().source().tree().selected(), ShopNodes::orders);
    EXPECT_TRUE(ui.messages().empty());
}

}  // namespace
}  // namespace tabvex::trees
