#include <gtest/gtest.h>

#include "browser/fill_tree.h"
#include "browser/tree_text.h"
#include "browser_test_support.h"
#include "platform/jet/mdb/database.h"
#include "platform/oledb/row_source.h"
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

// A session of a provider with catalogs: CATALOGS lists the given names, every
// other schema comes from the real session.
class CatalogSession : public Session {
public:
    CatalogSession(std::shared_ptr<Session> inner, std::vector<std::string> catalogs)
        : inner_(std::move(inner)), catalogs_(std::move(catalogs)) {}
    HRESULT GetSchemaRowset(const Guid& schema, const Restrictions& restrictions,
                            std::shared_ptr<Rowset>& rowset) override {
        if (schema != DBSCHEMA_CATALOGS) return inner_->GetSchemaRowset(schema, restrictions, rowset);
        DBCOLUMNINFO column;
        column.name = "CATALOG_NAME";
        column.ordinal = 1;
        column.type = DBTYPE_WSTR;
        column.columnSize = 255;
        std::vector<std::vector<Value>> rows;
        for (const auto& name : catalogs_) rows.push_back({Value{name}});
        rowset = std::make_shared<Rowset>(std::make_unique<MemoryRowSource>(std::vector{column}, std::move(rows)),
                                          Rowset::Bookmark::None);
        return S_OK;
    }
    HRESULT CreateCommand(std::shared_ptr<Command>& command) override { return inner_->CreateCommand(command); }
    bool InterfaceSupportsErrorInfo(const Guid& id) const override { return inner_->InterfaceSupportsErrorInfo(id); }

private:
    std::shared_ptr<Session> inner_;
    std::vector<std::string> catalogs_;
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

TEST_F(FillTreeTest, AnAccessDatabaseShowsItsTablesAndFieldsButNoNameWithABlank) {
    const fs::path file = WriteShop();
    DbTree& tree = migrator.sourceTree();
    Connect(tree, file);
    FillTree(migrator, tree);

    const std::string database = WithoutEnding(file);
    EXPECT_EQ(Text(tree), "0 " + file.string() + "\n  1 " + database +
                              "\n"
                              "    3 Tables\n"
                              "      2 Orders\n"
                              "        5 Fields\n"
                              "          4 Id\n"
                              "          4 City\n"
                              "        7 Indexes\n"
                              "      2 Cost$\n"
                              "        5 Fields\n"
                              "          4 Amount\n"
                              "        7 Indexes\n"
                              "    9 Views\n");
    // The empty database name was taken from the data source's current catalog.
    EXPECT_EQ(tree.connection().databaseName, database);

    const RememberedNodes remembered = tree.remembered();
    EXPECT_EQ(remembered.root, 0u);
    EXPECT_EQ(remembered.currentDatabase, 1u);
    EXPECT_EQ(remembered.current, 1u);
    EXPECT_EQ(remembered.tablesFolder, 2u);
    EXPECT_EQ(tree.node(remembered.lastTable).text, "Cost$");
    EXPECT_EQ(tree.node(remembered.viewsFolder).text, "Views");
    EXPECT_EQ(remembered.lastView, kNoNode);
    EXPECT_EQ(tree.node(remembered.fieldsFolder).parent, remembered.lastTable);
    EXPECT_EQ(tree.node(remembered.indexesFolder).parent, remembered.lastTable);

    std::vector<std::string> expanded;
    for (const auto& node : tree.nodes())
        if (node.expanded) expanded.push_back(node.text);
    EXPECT_EQ(expanded, (std::vector<std::string>{file.string(), "Tables"}));
    EXPECT_FALSE(tree.refreshing());
    EXPECT_EQ(tree.selected(), kNoNode);
    EXPECT_EQ(ui.redrawnTrees(), std::vector{app::TreeSide::Source});
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(FillTreeTest, TablesAreListedOnlyUnderTheDatabaseTheTreeNames) {
    const fs::path file = WriteShop();
    const std::string database = WithoutEnding(file);
    DbTree& tree = migrator.sourceTree();
    const std::string rootAndDatabase = "0 " + file.string() + "\n  1 " + database + "\n";

    for (const std::string name : {"elsewhere", "null", "NuLL"}) {
        Connect(tree, file, name);
        FillTree(migrator, tree);
        EXPECT_EQ(Text(tree), rootAndDatabase) << name;
        EXPECT_TRUE(tree.node(0).expanded) << name;
        EXPECT_EQ(tree.remembered().current, kNoNode) << name;
    }
    // The name matches without regard to case.
    std::string shouted = database;
    for (char& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    Connect(tree, file, shouted);
    FillTree(migrator, tree);
    EXPECT_EQ(ChildTexts(tree, tree.remembered().tablesFolder), (std::vector<std::string>{"Orders", "Cost$"}));
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
    DbTree& tree = migrator.targetTree();
    Connect(tree, book);
    FillTree(migrator, tree);

    EXPECT_EQ(Text(tree), "0 " + book.string() + "\n  1 " + WithoutEnding(book) +
                              "\n"
                              "    3 Tables\n"
                              "      2 Notes\n"
                              "        5 Fields\n"
                              "          4 Note\n"
                              "        7 Indexes\n"
                              "      2 Orders\n"
                              "        5 Fields\n"
                              "          4 Id\n"
                              "          4 City\n"
                              "        7 Indexes\n"
                              "      2 Stock\n"
                              "        5 Fields\n"
                              "          4 Item\n"
                              "        7 Indexes\n"
                              "    9 Views\n");
    EXPECT_EQ(ui.redrawnTrees(), std::vector{app::TreeSide::Target});
}

TEST_F(FillTreeTest, ATreeWithoutConnectionIsEmptied) {
    const fs::path file = WriteShop();
    DbTree& tree = migrator.sourceTree();
    Connect(tree, file);
    FillTree(migrator, tree);
    ASSERT_GT(tree.nodeCount(), 0u);

    migrator.sourceHolder().session.reset();  // an empty slot
    FillTree(migrator, tree);
    EXPECT_EQ(tree.nodeCount(), 0u);
    EXPECT_EQ(tree.remembered().root, kNoNode);

    Connect(tree, file);
    FillTree(migrator, tree);
    tree.SetConnection({});  // no slots at all
    FillTree(migrator, tree);
    EXPECT_EQ(tree.nodeCount(), 0u);
    EXPECT_FALSE(tree.refreshing());
    EXPECT_EQ(ui.redrawnTrees().size(), 4u);
}

TEST_F(FillTreeTest, ADataSourceWithoutANameShowsTheDatabasesRoot) {
    const fs::path file = WriteShop();
    DbTree& tree = migrator.sourceTree();
    auto& holder = migrator.sourceHolder();
    holder = test::OpenJetConnection(file);
    auto real = holder.dataSource;

    holder.dataSource = std::make_shared<NamedDataSource>(real, std::nullopt);
    tree.SetConnection({&holder, "", kJet, 4, "", ""});
    FillTree(migrator, tree);
    EXPECT_EQ(Text(tree), "0 DATABASES\n  1 \n");
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0], (app::MessageBoxRequest{"Get Datasource Name Error!", "Tabvex"}));

    // A name of blanks shows the root "DATABASES" too, without a message; its
    // database node keeps the name as it is.
    holder.dataSource = std::make_shared<NamedDataSource>(real, "  ");
    FillTree(migrator, tree);
    EXPECT_EQ(Text(tree), "0 DATABASES\n  1   \n");
    EXPECT_EQ(ui.boxes().size(), 1u);
}

TEST_F(FillTreeTest, OtherProvidersListTheirCatalogsAsDatabases) {
    const fs::path file = WriteShop();
    DbTree& tree = migrator.sourceTree();
    auto& holder = migrator.sourceHolder();
    holder = test::OpenJetConnection(file);
    auto jetSession = holder.session;

    // Jet offers no catalogs: the failure is written to the Log and only the root stays.
    tree.SetConnection({&holder, "shop", "MSDASQL", 4, "", ""});
    FillTree(migrator, tree);
    EXPECT_EQ(Text(tree), "0 " + file.string() + "\n");
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].rfind("open \r\n failed with error code:[0x80070057] \r\n discription:", 0), 0u)
        << ui.messages()[0];

    // A provider with catalogs: ".mdb" leaves the tree's database name, which then
    // finds its catalog without regard to case.
    holder.session = std::make_shared<CatalogSession>(jetSession, std::vector<std::string>{"sales", "Shop", "x"});
    tree.SetConnection({&holder, "shop.mdb", "SQLOLEDB", 4, "", ""});
    FillTree(migrator, tree);
    EXPECT_EQ(tree.connection().databaseName, "shop");
    EXPECT_EQ(ChildTexts(tree, 0), (std::vector<std::string>{"sales", "Shop", "x"}));
    EXPECT_EQ(tree.remembered().currentDatabase, FindNode(tree, TreeNodeKind::Database, "Shop"));
    EXPECT_EQ(ChildTexts(tree, tree.remembered().currentDatabase), (std::vector<std::string>{"Tables", "Views"}));
    EXPECT_EQ(ChildTexts(tree, tree.remembered().tablesFolder), (std::vector<std::string>{"Orders", "Cost$"}));
}

// The tree of a corpus database against what the Access engine reads from the file:
// every user table without a blank, in catalog order, with its columns in table
// order and one index node per key column; every saved query under "Views".
void ExpectTreeMatchesFile(const DbTree& tree, const fs::path& file) {
    const auto database = mdb::Database::Open(file);
    std::vector<std::string> tables, views;
    for (const auto& entry : database.catalog()) {
        if (entry.kind == mdb::ObjectKind::UserTable && entry.name.find(' ') == std::string::npos)
            tables.push_back(entry.name);
        if (entry.kind == mdb::ObjectKind::SelectQuery) views.push_back(entry.name);
    }
    const RememberedNodes remembered = tree.remembered();
    std::vector<std::string> shownTables, shownViews;
    for (NodeId id : tree.node(remembered.tablesFolder).children) {
        const TreeNode table = tree.node(id);
        shownTables.push_back(table.text);
        const auto schema = database.Schema(table.text);
        std::vector<std::string> fields, indexes, shownFields, shownIndexes;
        for (const auto& column : schema.columns) fields.push_back(column.name);
        for (const auto& index : schema.indexes)
            indexes.insert(indexes.end(), index.columns.size(), index.name);
        ASSERT_EQ(table.children.size(), 2u) << table.text;
        for (NodeId field : tree.node(table.children[0]).children) shownFields.push_back(tree.node(field).text);
        for (NodeId index : tree.node(table.children[1]).children) shownIndexes.push_back(tree.node(index).text);
        EXPECT_EQ(shownFields, fields) << file << " " << table.text;
        EXPECT_EQ(shownIndexes, indexes) << file << " " << table.text;
    }
    EXPECT_EQ(shownTables, tables) << file;
    for (NodeId id : tree.node(remembered.viewsFolder).children) {
        const TreeNode view = tree.node(id);
        shownViews.push_back(view.text);
        ASSERT_EQ(view.children.size(), 1u) << view.text;  // "Fields", no "Indexes"
        EXPECT_EQ(tree.node(view.children[0]).kind, TreeNodeKind::FieldsFolder);
    }
    EXPECT_EQ(shownViews, views) << file;
}

TEST_F(FillTreeTest, CorpusDatabasesShowWhatTheFileHolds) {
    const fs::path corpus = test::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    DbTree& tree = migrator.sourceTree();
    bool sawView = false, sawIndexOverTwoColumns = false;
    for (const auto& entry : fs::directory_iterator(corpus / "mdb")) {
        if (entry.path().extension() != ".mdb") continue;
        Connect(tree, entry.path());
        FillTree(migrator, tree);
        SCOPED_TRACE(entry.path().string());
        ExpectTreeMatchesFile(tree, entry.path());
        sawView = sawView || !tree.node(tree.remembered().viewsFolder).children.empty();
        for (const auto& node : tree.nodes()) {
            if (node.kind != TreeNodeKind::IndexesFolder) continue;
            for (std::size_t i = 1; i < node.children.size(); ++i)
                sawIndexOverTwoColumns =
                    sawIndexOverTwoColumns || tree.node(node.children[i]).text == tree.node(node.children[i - 1]).text;
        }
    }
    EXPECT_TRUE(sawView);
    EXPECT_TRUE(sawIndexOverTwoColumns);
}

}  // namespace
}  // namespace tabvex::browser::testing
