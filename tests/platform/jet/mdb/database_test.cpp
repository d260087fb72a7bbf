#include "platform/jet/mdb/database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "mdbtools_cli.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/jet/mdb/mdb_error.h"
#include "sample_database.h"
#include "support/test_support.h"

namespace tabvex::mdb {
namespace {

namespace fs = std::filesystem;
using tabvex::test::ScratchDir;

fs::path Northwind() {
    fs::path corpus = tabvex::test::CorpusDir();
    return corpus.empty() ? fs::path() : corpus / "mdb" / "Northwind.mdb";
}

// The problem text of the MdbError opening `path` raises ("" when it opens).
std::string OpenProblem(const fs::path& path) {
    try {
        Database::Open(path);
        return "";
    } catch (const MdbError& e) {
        EXPECT_EQ(e.file(), path);
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos);
        return e.problem();
    }
}

TEST(DatabaseOpen, RefusesWhatIsNoReadableDatabase) {
    ScratchDir dir;
    EXPECT_EQ(OpenProblem(dir / "missing.mdb"), "the file does not exist");
    EXPECT_EQ(OpenProblem(dir.path()), "not a file");
    tabvex::test::WriteFile(dir / "text.mdb", std::string(8192, 'x'));
    EXPECT_EQ(OpenProblem(dir / "text.mdb"), "not an Access database");
    tabvex::test::WriteFile(dir / "empty.mdb", "");
    EXPECT_EQ(OpenProblem(dir / "empty.mdb"), "not an Access database");
}

TEST(DatabaseOpen, CursorOutlivesItsDatabase) {
    ScratchDir dir;
    test::WriteSampleDatabase(dir / "sample.mdb");
    std::optional<RowCursor> cursor;
    {
        Database db = Database::Open(dir / "sample.mdb");
        cursor.emplace(db.OpenCursor("sample table"));
        Database moved = std::move(db);
        EXPECT_EQ(moved.Schema("Sample Table").rowCount, 4u);
    }
    size_t rows = 0;
    while (cursor->Next()) ++rows;
    EXPECT_EQ(rows, 4u);
}

// Access documents' Ids are numbers from 0x80000000; their low 24 bits are what
// would be taken for a definition page.
constexpr std::int32_t DocumentId(std::uint32_t page) { return static_cast<std::int32_t>(0x80000000u | page); }

std::vector<std::vector<Value>> ReadRows(const Database& db, const std::string& table) {
    std::vector<std::vector<Value>> rows;
    RowCursor cursor = db.OpenCursor(table);
    while (cursor.Next()) rows.push_back(cursor.values());
    return rows;
}

// A database as Access leaves it: forms, reports and macros under the names of
// tables, some listed before their table, their Ids naming a data page (the page
// maps on page 1), a table definition (the catalog's, page 2) and a page beyond
// the file.
TEST(DatabaseCatalog, DocumentsNamedLikeTablesAreNoTables) {
    ScratchDir dir;
    fs::path file = dir / "documents.mdb";
    const std::vector<std::vector<Value>> customers{{"1", "Ann"}, {"2", "Bob"}};
    const std::vector<std::vector<Value>> orders{{"10", "1"}, {"11", "2"}, {"12", "1"}};
    {
        DatabaseWriter w(file);
        w.AddDocument("Customers", DocumentKind::Form, DocumentId(1));
        w.AddDocument("customers", DocumentKind::Report, DocumentId(2));
        w.AddDocument("Orders", DocumentKind::Macro, DocumentId(2));
        w.AddDocument("Utilities", DocumentKind::Module);
        w.AddTable("Customers", {{"Id", JetType::Long}, {"Name", JetType::Text, 20}});
        for (const auto& row : customers) w.AddRow("Customers", row);
        w.AddTable("Orders", {{"OrderId", JetType::Long}, {"Customer", JetType::Long}});
        for (const auto& row : orders) w.AddRow("Orders", row);
        w.AddDocument("Orders", DocumentKind::Report, DocumentId(0xFFFFFF));
        w.Write();
    }

    Database db = Database::Open(file);
    std::vector<std::string> userTables;
    for (const auto& entry : db.catalog()) {
        EXPECT_TRUE(entry.kind == ObjectKind::UserTable || entry.kind == ObjectKind::SystemTable) << entry.name;
        if (entry.kind == ObjectKind::UserTable) userTables.push_back(entry.name);
    }
    EXPECT_EQ(userTables, (std::vector<std::string>{"Customers", "Orders"}));
    EXPECT_EQ(db.Find("Utilities"), nullptr);
    EXPECT_EQ(db.Find("customers")->kind, ObjectKind::UserTable);

    auto columnNames = [&](const char* table) {
        std::vector<std::string> names;
        for (const auto& c : db.Schema(table).columns) names.push_back(c.name);
        return names;
    };
    EXPECT_EQ(columnNames("Customers"), (std::vector<std::string>{"Id", "Name"}));
    EXPECT_EQ(columnNames("Orders"), (std::vector<std::string>{"OrderId", "Customer"}));
    EXPECT_EQ(db.Schema("Orders").rowCount, orders.size());
    EXPECT_EQ(ReadRows(db, "Customers"), customers);
    EXPECT_EQ(ReadRows(db, "Orders"), orders);
    EXPECT_THROW(db.OpenCursor("Utilities"), MdbError);

    EXPECT_EQ(test::MdbTables(file), (std::vector<std::string>{"Customers", "Orders"}));
    auto exported = test::MdbExport(file, "Orders");
    ASSERT_EQ(exported.size(), orders.size());
    for (size_t r = 0; r < orders.size(); ++r)
        EXPECT_EQ(exported[r], (test::CsvRow{orders[r][0], orders[r][1]})) << r;
    EXPECT_EQ(test::MdbExport(file, "Customers").size(), customers.size());
}

TEST(DatabaseCorpus, NorthwindCatalogHasEveryKind) {
    if (Northwind().empty()) GTEST_SKIP() << "corpus absent";
    Database db = Database::Open(Northwind());
    EXPECT_EQ(db.version(), JetVersion::Jet4);
    auto kindOf = [&](const char* name) {
        const CatalogEntry* e = db.Find(name);
        EXPECT_NE(e, nullptr) << name;
        return e ? e->kind : ObjectKind::LinkedTable;
    };
    EXPECT_EQ(kindOf("Order Details"), ObjectKind::UserTable);
    EXPECT_EQ(kindOf("order details"), ObjectKind::UserTable);  // Jet compares names without case
    EXPECT_EQ(kindOf("MSysObjects"), ObjectKind::SystemTable);
    EXPECT_EQ(kindOf("Invoices"), ObjectKind::SelectQuery);
    EXPECT_EQ(db.Find("No Such Thing"), nullptr);
}

TEST(DatabaseCorpus, SchemaOfATable) {
    if (Northwind().empty()) GTEST_SKIP() << "corpus absent";
    Database db = Database::Open(Northwind());
    TableSchema s = db.Schema("Customers");
    EXPECT_EQ(s.rowCount, 91u);
    ASSERT_GE(s.columns.size(), 2u);
    EXPECT_EQ(s.columns[0].name, "CustomerID");
    EXPECT_EQ(s.columns[0].type, JetType::Text);
    EXPECT_EQ(s.columns[0].oledbType, dbtype::WSTR);
    EXPECT_EQ(s.columns[0].maxLength, 5u);
    EXPECT_EQ(s.columns[0].ordinal, 1);
    auto pk = std::find_if(s.indexes.begin(), s.indexes.end(), [](const IndexInfo& i) { return i.primary; });
    ASSERT_NE(pk, s.indexes.end());
    EXPECT_TRUE(pk->unique);
    EXPECT_EQ(pk->columns, std::vector<std::string>{"CustomerID"});

    EXPECT_THROW(db.Schema("Invoices"), MdbError);  // a query
    EXPECT_THROW(db.Schema("Nothing"), MdbError);
}

TEST(DatabaseCorpus, CursorsAreIndependentAndCountEveryRow) {
    if (Northwind().empty()) GTEST_SKIP() << "corpus absent";
    Database db = Database::Open(Northwind());
    RowCursor a = db.OpenCursor("Customers");
    RowCursor b = db.OpenCursor("Orders");
    size_t rowsA = 0, rowsB = 0;
    // Interleaved, so that a cursor sharing a page buffer with another would go wrong.
    for (bool more = true; more;) {
        bool gotA = a.Next(), gotB = b.Next();
        rowsA += gotA;
        rowsB += gotB;
        if (gotA) {
            EXPECT_EQ(a.values().size(), a.columns().size());
        }
        more = gotA || gotB;
    }
    EXPECT_EQ(rowsA, db.Schema("Customers").rowCount);
    EXPECT_EQ(rowsB, db.Schema("Orders").rowCount);
    EXPECT_FALSE(a.Next());
}

}  // namespace
}  // namespace tabvex::mdb
