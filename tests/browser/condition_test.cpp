#include <gtest/gtest.h>

#include "browser/condition_dialog.h"
#include "browser/condition_file.h"
#include "browser/fill_tree.h"
#include "browser/tree_text.h"
#include "browser_test_support.h"

namespace tabvex::browser::testing {
namespace {

namespace fs = std::filesystem;

class ConditionTest : public BrowserTest {
protected:
    // shop.mdb: Orders with Id 1 to 5 and their cities.
    fs::path WriteShop(const std::string& name = "shop.mdb") {
        const fs::path file = scratch / name;
        mdb::DatabaseWriter writer(file);
        writer.AddTable("Orders", {LongColumn("Id"), TextColumn("City")});
        const char* cities[] = {"Cowes", "Oslo", "Cowes", "Rome", "Lima"};
        for (int i = 0; i < 5; ++i) writer.AddRow("Orders", {std::to_string(i + 1), std::string(cities[i])});
        writer.Write();
        return file;
    }

    // Connects and fills the source tree and opens the dialog for its Orders node.
    std::unique_ptr<ConditionDialog> OpenForOrders(const fs::path& file) {
        DbTree& tree = program.sides().source().tree();
        Connect(tree, file);
        FillTree(program.output(), program.sides().conditionFile(), tree);
        tree.Select(FindNode(tree, TreeNodeKind::Table, "Orders"));
        return OpenConditionDialog(program.output(), program.gate(), program.sides().conditionFile(), tree);
    }

    std::string Stored(const fs::path& database, const std::string& table = "Orders") {
        const std::string text = database.string();
        return ReadCondition(program.sides().conditionFile(), text.substr(0, text.size() - 4), table);
    }
};

TEST_F(ConditionTest, OpensForTheSelectedSourceTableWithItsStoredCondition) {
    const fs::path file = WriteShop();
    auto dialog = OpenForOrders(file);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(fs::is_regular_file(program.sides().conditionFile()));
    EXPECT_EQ(dialog->section(), (scratch / "shop").string());
    EXPECT_EQ(dialog->tableName(), "Orders");
    EXPECT_EQ(dialog->label(), "select * from Orders where");
    EXPECT_EQ(dialog->condition(), "");
    EXPECT_FALSE(dialog->saveEnabled());

    ASSERT_TRUE(WriteCondition(program.sides().conditionFile(), dialog->section(), "orders", "Id>3"));
    EXPECT_EQ(OpenForOrders(file)->condition(), "Id>3");
    EXPECT_EQ(TableCondition(program.sides().conditionFile(), dialog->section(), "ORDERS"), "Id>3");

    // Only the connected source tree opens the dialog.
    program.sides().source().tree().SetSideMarker(kNotConnected);
    EXPECT_EQ(OpenConditionDialog(program.output(), program.gate(), program.sides().conditionFile(), program.sides().source().tree()), nullptr);
    DbTree& target = program.sides().target().tree();
    Connect(target, file);
    FillTree(program.output(), program.sides().conditionFile(), target);
    target.Select(FindNode(target, TreeNodeKind::Table, "Orders"));
    EXPECT_EQ(OpenConditionDialog(program.output(), program.gate(), program.sides().conditionFile(), target), nullptr);
}

TEST_F(ConditionTest, TestCountsTheRowsOrShowsWhyTheProviderRefusedTheCondition) {
    auto dialog = OpenForOrders(WriteShop());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->Test());
    EXPECT_EQ(dialog->result(), "Test successfully!\r\n  5 Records can be converted.");
    EXPECT_TRUE(dialog->saveEnabled());
    dialog->SetCondition("City = 'Cowes' and Id > 1");
    EXPECT_TRUE(dialog->Test());
    EXPECT_EQ(dialog->result(), "Test successfully!\r\n  1 Records can be converted.");

    const std::string failed = "Test failed!\r\n  Because:  ";
    dialog->SetCondition("Nowhere > 1");
    EXPECT_FALSE(dialog->Test());
    EXPECT_EQ(dialog->result().rfind(failed, 0), 0u) << dialog->result();
    EXPECT_NE(dialog->result().find("Nowhere"), std::string::npos) << dialog->result();
    EXPECT_FALSE(dialog->saveEnabled());
    // Blanks alone are a condition: " where " and the blanks make no statement.
    dialog->SetCondition("   ");
    EXPECT_FALSE(dialog->Test());
    EXPECT_GT(dialog->result().size(), failed.size());
    EXPECT_TRUE(ui.messages().empty());  // the test runs with the report off
}

TEST_F(ConditionTest, SaveStoresTheConditionOfTheLastSuccessfulTest) {
    const fs::path file = WriteShop();
    auto dialog = OpenForOrders(file);
    ASSERT_NE(dialog, nullptr);
    dialog->SetCondition("Id>3");
    dialog->Save();  // disabled: nothing tested yet
    EXPECT_EQ(Stored(file), "");

    ASSERT_TRUE(dialog->Test());
    dialog->SetCondition("Id>4");  // edited after the test
    dialog->Save();
    EXPECT_EQ(Stored(file), "Id>3");
    EXPECT_FALSE(dialog->saveEnabled());

    // A failed test after a good one disables Save again.
    dialog->SetCondition("Id>");
    EXPECT_FALSE(dialog->Test());
    dialog->Save();
    EXPECT_EQ(Stored(file), "Id>3");

    // Clearing the box, testing and saving removes the condition.
    dialog->SetCondition("");
    ASSERT_TRUE(dialog->Test());
    dialog->Save();
    EXPECT_EQ(Stored(file), "");
    EXPECT_NE(test::ReadFile(program.sides().conditionFile()).find("Orders="), std::string::npos);
}

TEST_F(ConditionTest, ATableWithASavedConditionIsMarkedInTheSourceTreeUntilTheConditionIsCleared) {
    const fs::path file = WriteShop();
    auto dialog = OpenForOrders(file);
    ASSERT_NE(dialog, nullptr);
    DbTree& tree = program.sides().source().tree();
    const NodeId orders = FindNode(tree, TreeNodeKind::Table, "Orders");
    EXPECT_EQ(tree.node(orders).condition, "");

    dialog->SetCondition("City = 'Cowes'");
    ASSERT_TRUE(dialog->Test());
    const std::size_t redraws = ui.redrawnTrees().size();
    dialog->Save();
    EXPECT_EQ(tree.node(orders).condition, "City = 'Cowes'");
    EXPECT_EQ(tree.node(orders).text, "Orders") << "commands take the text as the table's name";
    ASSERT_EQ(ui.redrawnTrees().size(), redraws + 1);
    EXPECT_EQ(ui.redrawnTrees().back(), app::TreeSide::Source);
    EXPECT_NE(TreeText(tree.nodes()).find("    2 Orders  [condition: City = 'Cowes']\n"), std::string::npos)
        << TreeText(tree.nodes());

    // A later fill reads it again; the target tree never carries conditions.
    FillTree(program.output(), program.sides().conditionFile(), tree);
    EXPECT_EQ(tree.node(FindNode(tree, TreeNodeKind::Table, "Orders")).condition, "City = 'Cowes'");
    DbTree& target = program.sides().target().tree();
    Connect(target, file);
    FillTree(program.output(), program.sides().conditionFile(), target);
    EXPECT_EQ(target.node(FindNode(target, TreeNodeKind::Table, "Orders")).condition, "");

    auto again = OpenForOrders(file);
    again->SetCondition("");
    ASSERT_TRUE(again->Test());
    again->Save();
    EXPECT_EQ(tree.node(FindNode(tree, TreeNodeKind::Table, "Orders")).condition, "");
}

TEST_F(ConditionTest, TwoDatabasesKeepTheirOwnConditions) {
    const fs::path shop = WriteShop("shop.mdb");
    const fs::path depot = WriteShop("depot.mdb");
    auto first = OpenForOrders(shop);
    first->SetCondition("Id<3");
    ASSERT_TRUE(first->Test());
    first->Save();
    auto second = OpenForOrders(depot);
    EXPECT_EQ(second->condition(), "");
    second->SetCondition("Id>3");
    ASSERT_TRUE(second->Test());
    second->Save();
    EXPECT_EQ(Stored(shop), "Id<3");
    EXPECT_EQ(Stored(depot), "Id>3");
}

TEST_F(ConditionTest, AConditionOverSeveralLinesIsTestedAndStoredAsOneLine) {
    const fs::path file = WriteShop();
    auto dialog = OpenForOrders(file);
    ASSERT_NE(dialog, nullptr);
    dialog->SetCondition("City = 'Cowes'\r\nor\nCity = 'Rome'\rand Id > 0");
    ASSERT_TRUE(dialog->Test());
    EXPECT_EQ(dialog->result(), "Test successfully!\r\n  3 Records can be converted.");
    dialog->Save();
    EXPECT_EQ(Stored(file), "City = 'Cowes' or City = 'Rome' and Id > 0");
    EXPECT_EQ(OpenForOrders(file)->condition(), "City = 'Cowes' or City = 'Rome' and Id > 0");
}

TEST(ConditionFile, ReadsBackWhatWasWritten) {
    test::ScratchDir scratch;
    const fs::path file = scratch / "Condition.cfg";
    ASSERT_TRUE(EnsureConditionFile(file));
    EXPECT_EQ(test::ReadFile(file), "");
    test::WriteFile(file, "; kept\n");
    ASSERT_TRUE(EnsureConditionFile(file));  // an existing file is left as it is
    EXPECT_EQ(test::ReadFile(file), "; kept\n");

    // Values the INI reading would change: enclosing quotes, blanks at either end.
    for (const std::string condition : {"'a' < City and City < 'z'", "\"x\"", " Id>1 ", "Id = 1", "'"}) {
        ASSERT_TRUE(WriteCondition(file, "/data/shop", "Orders", condition));
        EXPECT_EQ(ReadCondition(file, "/data/shop", "Orders"), condition);
    }
    EXPECT_EQ(ReadCondition(file, "/data/depot", "Orders"), "");
    EXPECT_EQ(test::ReadFile(file).rfind("; kept\n", 0), 0u);

    // At most 1024 characters come back, cut between characters.
    const std::string wide = std::string(1023, 'a') + "\xC3\xA9\xC3\xA9";
    ASSERT_TRUE(WriteCondition(file, "/data/shop", "Orders", wide));
    EXPECT_EQ(ReadCondition(file, "/data/shop", "Orders"), std::string(1023, 'a') + "\xC3\xA9");

    // A write the file cannot take is refused without an exception.
    EXPECT_FALSE(WriteCondition(scratch / "missing" / "Condition.cfg", "/data/shop", "Orders", "Id=1"));
}

// Database paths and table names that an INI file would misread are stored under
// keys of their own; conditions saved plainly by earlier versions still count.
TEST(ConditionFile, EveryDatabaseAndTableNameKeepsItsOwnCondition) {
    test::ScratchDir scratch;
    const fs::path file = scratch / "Condition.cfg";
    const std::vector<std::pair<std::string, std::string>> names = {
        {"/data/[2024]/shop", "Orders"}, {"/data/a]b", "x=y"}, {"/data/a%5Db", "x%3Dy"}, {" /data/shop ", " Orders "},
        {"/data/shop", ";Orders"},       {"/data/shop", "[Orders]"}, {"/data/shop", "Orders"}};
    for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_TRUE(WriteCondition(file, names[i].first, names[i].second, "Id=" + std::to_string(i)));
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(ReadCondition(file, names[i].first, names[i].second), "Id=" + std::to_string(i))
            << names[i].first << " / " << names[i].second;
    EXPECT_NE(test::ReadFile(file).find("[/data/a%5Db]\nx%3Dy=Id=1\n"), std::string::npos) << test::ReadFile(file);

    test::WriteFile(file, "[/data/100%]\nOrders=Id>10\n");
    EXPECT_EQ(ReadCondition(file, "/data/100%", "Orders"), "Id>10") << "the plain form of an earlier version";
    ASSERT_TRUE(WriteCondition(file, "/data/100%", "Orders", "Id>20"));
    EXPECT_EQ(ReadCondition(file, "/data/100%", "Orders"), "Id>20") << "a new save wins over the plain form";
}

TEST_F(ConditionTest, ASaveThatFailsSaysWhyAndCanBeTriedAgain) {
    const fs::path file = WriteShop();
    auto dialog = OpenForOrders(file);
    ASSERT_NE(dialog, nullptr);
    dialog->SetCondition("Id>3");
    ASSERT_TRUE(dialog->Test());
    fs::remove(program.sides().conditionFile());
    fs::create_directory(program.sides().conditionFile());  // a folder cannot take the condition
    EXPECT_FALSE(dialog->Save());
    EXPECT_EQ(dialog->result().rfind("Save failed!\r\n  Because:  " + program.sides().conditionFile().string(), 0), 0u)
        << dialog->result();
    EXPECT_TRUE(dialog->saveEnabled());

    fs::remove(program.sides().conditionFile());
    EXPECT_TRUE(dialog->Save());
    EXPECT_FALSE(dialog->saveEnabled());
    EXPECT_EQ(Stored(file), "Id>3");
}

TEST(ConditionFile, JoinsLinesWithOneBlankPerBreak) {
    EXPECT_EQ(JoinConditionLines("a\r\nb\nc\rd"), "a b c d");
    EXPECT_EQ(JoinConditionLines("a\r\r\nb\n\n"), "a  b  ");
    EXPECT_EQ(JoinConditionLines("Id>1"), "Id>1");
}

}  // namespace
}  // namespace tabvex::browser::testing
