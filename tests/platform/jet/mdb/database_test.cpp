#include "platform/jet/mdb/database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

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
