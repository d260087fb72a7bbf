#include <gtest/gtest.h>

#include <algorithm>

#include "browser/fill_tree.h"
#include "browser/tree_text.h"
#include "browser_test_support.h"
#include "platform/xls/workbook.h"

namespace tabvex::browser::testing {
namespace {

namespace fs = std::filesystem;
using namespace tabvex::oledb;

std::string WithoutEnding(const fs::path& file) {
    std::string text = file.string();
    return text.substr(0, text.size() - 4);
}

// A data source that answers its name as told (nullopt: it has none) and passes
// everything else, its current catalog included, to the real one.
class NamedDataSource : public DataSource {
public:
    NamedDataSource(std::shared_ptr<DataSource> inner, std::optional<std::string> name)
        : inner_(std::move(inner)), name_(std::move(name)) {}
    HRESULT SetProperties(std::vector<DBPROPSET>& sets) override { return inner_->SetProperties(sets); }
    HRESULT GetProperty(const Guid& setId, DBPROPID id, PropertyValue& value) override {
        if (id == DBPROP_DATASOURCENAME) {
            if (!name_) return DB_E_ERRORSOCCURRED;
            value = *name_;
            return S_OK;
        }
        return inner_->GetProperty(setId, id, value);
    }
    HRESULT Initialize() override { return inner_->Initialize(); }
    HRESULT Uninitialize() override { return inner_->Uninitialize(); }
    HRESULT CreateSession(std::shared_ptr<Session>& session) override { return inner_->CreateSession(session); }
    HRESULT CreateDataSource(std::vector<DBPROPSET>& sets) override { return inner_->CreateDataSource(sets); }
    bool InterfaceSupportsErrorInfo(const Guid& id) const override { return inner_->InterfaceSupportsErrorInfo(id); }

private:
    std::shared_ptr<DataSource> inner_;
    std::optional<std::string> name_;
};

class FillTreeTest : public BrowserTest {
protected:
    fs::path WriteShop() {
        const fs::path file = scratch / "shop.mdb";
        mdb::DatabaseWriter writer(file);
        writer.AddTable("Orders", {LongColumn("Id"), TextColumn("City")});
        writer.AddTable("Order Details", {LongColumn("Order")});
        writer.AddTable("Cost$", {{"Amount", mdb::JetType::Currency, 0}});
        writer.AddRow("Orders", {"1", "Cowes"});
        writer.Write();
        return file;
    }

    std::string Text(const DbTree& tree) { return TreeText(tree.nodes()); }
};

TEST_F(FillTreeTest, AnAccessDatabaseShowsItsTablesAndFieldsNamesWithBlanksIncluded) {
    const fs::path file = WriteShop();
    DbTree& tree = program.sides().source().tree();
    Connect(tree, file);
    FillTree(program.output(), program.sides().conditionFile(), tree);

    const std::string database = WithoutEnding(file);
    EXPECT_EQ(Text(tree), "0 " + file.string() + "\n  1 " + database +
                              "\n"
                              "    3 Tables\n"
                              "      2 Orders\n"
                              "        5 Fields\n"
                              "          4 Id\n"
                              "          4 City\n"
                              "        7 Indexes\n"
                              "      2 Order Details\n"
                              "        5 Fields\n"
                              "          4 Order\n"
                              "        7 Indexes\n"
                              "      2 Cost$\n"
                              "        5 Fields\n"
                              "          4 Amount\n"
                              "        7 Indexes\n"
                              "    9 Views\n");
    // The empty database name was taken from the data source's current catalog.
    EXPECT_EQ(tree.connection().databaseName, database);

    const RememberedNodes remembered = tree.remembered();
    EXPECT_EQ(remembered.current, 1u);  // the current database
    EXPECT_EQ(tree.node(remembered.lastTable).text, "Cost$");
    EXPECT_EQ(tree.node(remembered.indexesFolder).parent, remembered.lastTable);

    std::vector<std::string> expanded;
    for (const auto& node : tree.nodes())
        if (node.expanded) expanded.push_back(node.text);
    EXPECT_EQ(expanded, (std::vector<std::string>{file.string(), "Tables"}));
    EXPECT_FALSE(tree.refreshing());
    EXPECT_EQ(ui.redrawnTrees(), std::vector{app::TreeSide::Source});
}

TEST_F(FillTreeTest, TablesAreListedOnlyUnderTheDatabaseTheTreeNames) {
    const fs::path file = WriteShop();
    const std::string database = WithoutEnding(file);
    DbTree& tree = program.sides().source().tree();
    const std::string rootAndDatabase = "0 " + file.string() + "\n  1 " + database + "\n";

    for (const std::string name : {"elsewhere", "null", "NuLL"}) {
        Connect(tree, file, name);
        FillTree(program.output(), program.sides().conditionFile(), tree);
        EXPECT_EQ(Text(tree), rootAndDatabase) << name;
        EXPECT_TRUE(tree.node(0).expanded) << name;
        EXPECT_EQ(tree.remembered().current, kNoNode) << name;
    }
    // The name matches without regard to case.
    std::string shouted = database;
    for (char& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    Connect(tree, file, shouted);
    FillTree(program.output(), program.sides().conditionFile(), tree);
    EXPECT_EQ(ChildTexts(tree, tree.remembered().tablesFolder),
              (std::vector<std::string>{"Orders", "Order Details", "Cost$"}));
    EXPECT_EQ(tree.remembered().current, 1u);
}

TEST_F(FillTreeTest, AWorkbookShowsItsDefinedNamesButNotItsWorksheets) {
    const fs::path book = scratch / "book.xls";
    RunOnWorkbook(book, {"CREATE TABLE Orders (Id Text, City Text)", "INSERT INTO Orders VALUES ('1', 'Cowes')",
                         "CREATE TABLE Stock (Item Text)"});
    {
        auto workbook = xls::Workbook::Open(book);
        auto& loose = workbook.AddSheet("Loose");  // a worksheet with cells but no name
        loose.SetCellText(0, 0, "Note");
        loose.SetCellText(1, 0, "kept");
        workbook.AddName("Notes", {workbook.SheetCount() - 1, {0, 1, 0, 0}});
        workbook.Save(book);
    }
    DbTree& tree = program.sides().target().tree();
    Connect(tree, book);
    FillTree(program.output(), program.sides().conditionFile(), tree);

    EXPECT_EQ(ChildTexts(tree, 0), (std::vector<std::string>{WithoutEnding(book)}));
    EXPECT_EQ(ChildTexts(tree, tree.remembered().tablesFolder), (std::vector<std::string>{"Notes", "Orders", "Stock"}));
    const TreeNode orders = tree.node(FindNode(tree, TreeNodeKind::Table, "Orders"));
    EXPECT_EQ(ChildTexts(tree, orders.children[0]), (std::vector<std::string>{"Id", "City"}));
    EXPECT_EQ(tree.node(orders.children[1]).children.size(), 0u);  // a workbook has no indexes
    EXPECT_EQ(ui.redrawnTrees(), std::vector{app::TreeSide::Target});
}

TEST_F(FillTreeTest, ATreeWithoutConnectionIsEmptied) {
    DbTree& tree = program.sides().source().tree();
    Connect(tree, WriteShop());
    program.sides().source().holder().session.reset();  // an empty slot
    FillTree(program.output(), program.sides().conditionFile(), tree);
    EXPECT_EQ(tree.nodeCount(), 0u);
    EXPECT_FALSE(tree.refreshing());
    EXPECT_EQ(ui.redrawnTrees().size(), 1u);
}

TEST_F(FillTreeTest, ADataSourceWithoutANameShowsTheDatabasesRoot) {
    const fs::path file = WriteShop();
    DbTree& tree = program.sides().source().tree();
    auto& holder = program.sides().source().holder();
    holder = test::OpenJetConnection(file);
    auto real = holder.dataSource;

    holder.dataSource = std::make_shared<NamedDataSource>(real, std::nullopt);
    tree.SetConnection({&holder, "", kJet, 4, "", ""});
    FillTree(program.output(), program.sides().conditionFile(), tree);
    EXPECT_EQ(Text(tree), "0 DATABASES\n  1 \n");
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0], (app::MessageBoxRequest{"Get Datasource Name Error!", "Tabvex"}));

    // A name of blanks shows the root "DATABASES" too, without a message; its
    // database node keeps the name as it is.
    holder.dataSource = std::make_shared<NamedDataSource>(real, "  ");
    FillTree(program.output(), program.sides().conditionFile(), tree);
    EXPECT_EQ(Text(tree), "0 DATABASES\n  1   \n");
    EXPECT_EQ(ui.boxes().size(), 1u);
}

TEST_F(FillTreeTest, AProviderWithoutCatalogsShowsOnlyTheRoot) {
    const fs::path file = WriteShop();
    DbTree& tree = program.sides().source().tree();
    program.sides().source().holder() = test::OpenJetConnection(file);
    // Any provider but Jet lists catalogs; Jet's session refuses them.
    tree.SetConnection({&program.sides().source().holder(), "shop", "MSDASQL", 4, "", ""});
    FillTree(program.output(), program.sides().conditionFile(), tree);
    EXPECT_EQ(Text(tree), "0 " + file.string() + "\n");
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].rfind("open \r\n failed with error code:[0x80070057] \r\n discription:", 0), 0u)
        << ui.messages()[0];
}

TEST_F(FillTreeTest, CorpusIndexesAndViews) {
    const fs::path corpus = test::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    DbTree& tree = program.sides().source().tree();
    // An index over two columns has a row, and so a node, per column.
    Connect(tree, corpus / "mdb" / "jackcess-testIndexCodesV1997.mdb");
    FillTree(program.output(), program.sides().conditionFile(), tree);
    const TreeNode table = tree.node(FindNode(tree, TreeNodeKind::Table, "Table12"));
    ASSERT_EQ(table.children.size(), 2u);
    EXPECT_EQ(ChildTexts(tree, table.children[1]), (std::vector<std::string>{"DataIndex", "DataIndex", "PrimaryKey"}));

    // Saved queries are views, names with blanks included; a view has fields but no indexes.
    Connect(tree, corpus / "mdb" / "Northwind.mdb");
    FillTree(program.output(), program.sides().conditionFile(), tree);
    EXPECT_EQ(ChildTexts(tree, tree.remembered().tablesFolder),
              (std::vector<std::string>{"Categories", "Customers", "Employees", "Order Details", "Orders", "Products",
                                        "Shippers", "Suppliers"}));
    const auto views = ChildTexts(tree, tree.remembered().viewsFolder);
    EXPECT_EQ(views.size(), 20u);
    EXPECT_NE(std::find(views.begin(), views.end(), "Alphabetical List of Products"), views.end());
    EXPECT_EQ(ChildTexts(tree, FindNode(tree, TreeNodeKind::View, "Invoices")), std::vector<std::string>{"Fields"});
}

}  // namespace
}  // namespace tabvex::browser::testing
