#include "platform/jet/mdb/database_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "mdbtools_cli.h"
#include "platform/jet/mdb/build_spec.h"
#include "platform/jet/mdb/database.h"
#include "platform/jet/mdb/mdb_error.h"
#include "sample_database.h"
#include "support/test_support.h"

namespace tabvex::mdb {
namespace {

namespace fs = std::filesystem;
using tabvex::test::RunCommand;
using tabvex::test::ScratchDir;

std::vector<std::vector<Value>> ReadAll(const Database& db, const std::string& table) {
    std::vector<std::vector<Value>> rows;
    RowCursor cursor = db.OpenCursor(table);
    while (cursor.Next()) rows.push_back(cursor.values());
    return rows;
}

TEST(DatabaseWriter, WhatIsWrittenReadsBackTheSame) {
    ScratchDir dir;
    test::WriteSampleDatabase(dir / "sample.mdb");
    Database db = Database::Open(dir / "sample.mdb");
    EXPECT_EQ(db.version(), JetVersion::Jet4);
    EXPECT_EQ(ReadAll(db, "Sample Table"), test::SampleRows());
    EXPECT_TRUE(ReadAll(db, "Empty").empty());

    TableSchema schema = db.Schema("Sample Table");
    EXPECT_EQ(schema.rowCount, test::SampleRows().size());
    ASSERT_EQ(schema.columns.size(), test::SampleColumns().size());
    for (size_t i = 0; i < schema.columns.size(); ++i) {
        EXPECT_EQ(schema.columns[i].name, test::SampleColumns()[i].name);
        EXPECT_EQ(schema.columns[i].type, test::SampleColumns()[i].type);
    }
    EXPECT_EQ(schema.columns[1].maxLength, 40u);
    EXPECT_EQ(schema.columns[1].oledbType, dbtype::WSTR);
    EXPECT_NE(schema.columns[2].flags & column_flags::Long, 0u);
}

TEST(DatabaseWriter, MdbtoolsReadsWhatWasWritten) {
    ScratchDir dir;
    fs::path file = dir / "sample.mdb";
    test::WriteSampleDatabase(file);

    EXPECT_EQ(RunCommand({"mdb-ver", file.string()}).out, "JET4\n");
    EXPECT_EQ(test::MdbTables(file), (std::vector<std::string>{"Sample Table", "Empty"}));
    std::string schema = RunCommand({"mdb-schema", file.string(), "access"}).out;
    for (const char* expected : {"[Name]\t\t\tText (40)", "[Notes]\t\t\tMemo", "[Price]\t\t\tCurrency",
                                 "[When]\t\t\tDateTime", "[Done]\t\t\tBoolean", "[Picture]\t\t\tOLE"})
        EXPECT_NE(schema.find(expected), std::string::npos) << expected << "\n" << schema;

    auto exported = test::MdbExport(file, "Sample Table");
    auto rows = test::SampleRows();
    ASSERT_EQ(exported.size(), rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(exported[r][0], rows[r][0]);
        // Text and memo come back whole, with their non-ASCII characters.
        for (size_t c : {1, 2, 10}) EXPECT_EQ(test::NullIfEmpty(exported[r][c]), test::NullIfEmpty(rows[r][c])) << r;
    }
    EXPECT_EQ(exported[0][8], "1996-07-04 14:30:00");
    EXPECT_EQ(exported[0][9], "1");
    EXPECT_EQ(exported[1][9], "0");
    EXPECT_EQ(exported[0][5], "12.3456");
}

TEST(DatabaseWriter, EmptyDatabaseHasOnlySystemTables) {
    ScratchDir dir;
    CreateEmptyDatabase(dir / "empty.mdb");
    Database db = Database::Open(dir / "empty.mdb");
    for (const auto& entry : db.catalog()) EXPECT_EQ(entry.kind, ObjectKind::SystemTable) << entry.name;
    EXPECT_NE(db.Find("MSysObjects"), nullptr);
    EXPECT_EQ(test::MdbTables(dir / "empty.mdb"), std::vector<std::string>{});
    EXPECT_EQ(RunCommand({"mdb-ver", (dir / "empty.mdb").string()}).out, "JET4\n");
}

// The problem text of the MdbError `action` raises.
template <typename F>
std::string Problem(F action) {
    try {
        action();
    } catch (const MdbError& e) {
        return e.problem();
    }
    return "no error";
}

TEST(DatabaseWriter, RefusesWhatItCannotStore) {
    ScratchDir dir;
    DatabaseWriter w(dir / "x.mdb");
    w.AddTable("T", {{"N", JetType::Long}, {"S", JetType::Text, 3}, {"D", JetType::DateTime}});
    EXPECT_EQ(Problem([&] { w.AddRow("T", {"1.5", "a", std::nullopt}); }),
              "table 'T', row 1, column 'N': '1.5' is no Long Integer value");
    EXPECT_EQ(Problem([&] { w.AddRow("T", {"1", "abcd", std::nullopt}); }),
              "table 'T', row 1, column 'S': the value is longer than the column's 3 characters");
    EXPECT_EQ(Problem([&] { w.AddRow("T", {"1", "ab", "1996-02-30"}); }),
              "table 'T', row 1, column 'D': '1996-02-30' is no Date/Time value");
    EXPECT_EQ(Problem([&] { w.AddRow("T", {"1"}); }), "table 'T', row 1: 1 values for 3 columns");
    EXPECT_EQ(Problem([&] { w.AddRow("Nope", {}); }), "there is no table named 'Nope'");
    EXPECT_EQ(Problem([&] { w.AddTable("t", {{"A", JetType::Long}}); }), "a table named 't' exists already");
    EXPECT_EQ(Problem([&] { w.AddTable("U", {}); }), "table 'U' needs 1 to 255 columns");
    EXPECT_EQ(Problem([&] { w.AddTable("U", {{"A", JetType::Long}, {"a", JetType::Text}}); }),
              "table 'U' has two columns named 'a'");
    EXPECT_EQ(Problem([&] { w.AddTable("U", {{"A", JetType::Text, 300}}); }),
              "column 'A': length 300 is outside 1-255");
    EXPECT_EQ(Problem([&] { w.AddTable("a.b", {{"A", JetType::Long}}); }), "'a.b' is not a valid table name");
    EXPECT_EQ(Problem([&] { w.AddTable("MSysMine", {{"A", JetType::Long}}); }),
              "'MSysMine' is a system table's name");

    // A row wider than a page is refused when added, not when written.
    std::vector<ColumnSpec> wide;
    for (int i = 0; i < 20; ++i) wide.push_back({"C" + std::to_string(i), JetType::Text, 255});
    w.AddTable("Wide", wide);
    EXPECT_NE(Problem([&] { w.AddRow("Wide", std::vector<Value>(20, std::string(255, 'x'))); }).find("more than a page"),
              std::string::npos);
}

// Id, ParentId, Name and Type of every catalog row that is no table, in catalog order.
std::vector<std::vector<Value>> NonTableCatalogRows(const Database& db) {
    std::vector<std::vector<Value>> rows;
    for (const auto& row : ReadAll(db, "MSysObjects"))
        if (row[3] != "1") rows.push_back({row[0], row[1], row[2], row[3]});
    return rows;
}

std::vector<std::string> CatalogNames(const Database& db) {
    std::vector<std::string> names;
    for (const auto& row : ReadAll(db, "MSysObjects")) names.push_back(row[2].value_or(""));
    return names;
}

TEST(DatabaseWriter, DocumentsGetCatalogRowsOfTheirKind) {
    ScratchDir dir;
    DatabaseWriter w(dir / "d.mdb");
    w.AddDocument("Start", DocumentKind::Form);
    w.AddTable("T", {{"A", JetType::Long}});
    w.AddDocument("Start", DocumentKind::Report);
    w.AddDocument("AutoExec", DocumentKind::Macro, 12345);
    w.AddDocument("T", DocumentKind::Module);
    EXPECT_EQ(Problem([&] { w.AddDocument("start", DocumentKind::Form); }), "a form named 'start' exists already");
    EXPECT_EQ(Problem([&] { w.AddDocument("a.b", DocumentKind::Macro); }), "'a.b' is not a valid macro name");
    w.Write();

    Database db = Database::Open(dir / "d.mdb");
    // Containers and documents take Access's numbers from 0x80000000 in order.
    std::vector<std::vector<Value>> expected{
        {"251658241", "251658240", "Tables", "3"},
        {"251658242", "251658240", "Databases", "3"},
        {"251658243", "251658240", "Relationships", "3"},
        {"251658244", "251658242", "MSysDb", "2"},
        {"-2147483648", "251658240", "Forms", "3"},
        {"-2147483647", "251658240", "Reports", "3"},
        {"-2147483646", "251658240", "Scripts", "3"},
        {"-2147483645", "251658240", "Modules", "3"},
        {"-2147483644", "-2147483648", "Start", "-32768"},
        {"-2147483643", "-2147483647", "Start", "-32764"},
        {"12345", "-2147483646", "AutoExec", "-32766"},
        {"-2147483642", "-2147483645", "T", "-32761"},
    };
    EXPECT_EQ(NonTableCatalogRows(db), expected);
    // Each document keeps its place among the tables.
    auto names = CatalogNames(db);
    auto table = std::find(names.begin(), names.end(), "T");
    EXPECT_EQ(std::count(names.begin(), table, "Start"), 1);
    EXPECT_EQ(std::count(table, names.end(), "Start"), 1);
    EXPECT_EQ(db.Schema("T").columns.size(), 1u);
    EXPECT_EQ(test::MdbTables(dir / "d.mdb"), std::vector<std::string>{"T"});
}

TEST(DatabaseWriter, WritesAtomically) {
    ScratchDir dir;
    fs::path file = dir / "db.mdb";
    tabvex::test::WriteFile(file, "old content");
    CreateEmptyDatabase(file);
    EXPECT_NO_THROW(Database::Open(file));
    size_t entries = std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
    EXPECT_EQ(entries, 1u);  // no temporary file left beside it

    EXPECT_THROW(CreateEmptyDatabase(dir / "missing" / "db.mdb"), MdbError);
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST(DatabaseWriter, ManyRowsSpanManyPagesAndKeepTheirOrder) {
    ScratchDir dir;
    DatabaseWriter w(dir / "many.mdb");
    w.AddTable("Numbers", {{"N", JetType::Long}, {"Text", JetType::Text, 100}});
    const int count = 5000;
    for (int i = 0; i < count; ++i) w.AddRow("Numbers", {std::to_string(i), std::string(static_cast<size_t>(i % 100), 'z')});
    w.Write();
    Database db = Database::Open(dir / "many.mdb");
    RowCursor cursor = db.OpenCursor("Numbers");
    int expected = 0;
    while (cursor.Next()) {
        ASSERT_EQ(cursor.values()[0], std::to_string(expected));
        ++expected;
    }
    EXPECT_EQ(expected, count);
    EXPECT_EQ(test::MdbExport(dir / "many.mdb", "Numbers").size(), static_cast<size_t>(count));
}

TEST(BuildSpec, JsonDescribesDocumentsBeforeTheTables) {
    ScratchDir dir;
    auto spec = nlohmann::json::parse(R"({"tables": [{"name": "People", "columns": [{"name": "Id", "type": "Long"}],
        "rows": [[1]]}],
        "documents": [{"name": "People", "kind": "Form", "id": -2147480000}, {"name": "People", "kind": "report"},
                      {"name": "Go", "kind": "MACRO"}, {"name": "Code", "kind": "module", "id": 7}]})");
    WriterFromJson(spec, dir / "p.mdb").Write();
    Database db = Database::Open(dir / "p.mdb");
    auto rows = NonTableCatalogRows(db);
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[8], (std::vector<Value>{"-2147480000", "-2147483648", "People", "-32768"}));
    EXPECT_EQ(rows[9], (std::vector<Value>{"-2147483644", "-2147483647", "People", "-32764"}));
    EXPECT_EQ(rows[10], (std::vector<Value>{"-2147483643", "-2147483646", "Go", "-32766"}));
    EXPECT_EQ(rows[11], (std::vector<Value>{"7", "-2147483645", "Code", "-32761"}));
    auto names = CatalogNames(db);
    EXPECT_EQ(names.back(), "People");  // the table comes after its form and report
    EXPECT_EQ(ReadAll(db, "People"), (std::vector<std::vector<Value>>{{"1"}}));
}

TEST(BuildSpec, JsonDescribesTablesAndRows) {
    ScratchDir dir;
    auto spec = nlohmann::json::parse(R"({"tables": [{"name": "People",
        "columns": [{"name": "Id", "type": "LONG"}, {"name": "Name", "type": "Text", "length": 10},
                    {"name": "Born", "type": "Date/Time"}, {"name": "Paid", "type": "money"},
                    {"name": "Ok", "type": "YESNO"}],
        "rows": [[1, "Ann", "1980-01-02", 12.5, true], [2, null, null, "3", false]]}]})");
    WriterFromJson(spec, dir / "p.mdb").Write();
    Database db = Database::Open(dir / "p.mdb");
    std::vector<std::vector<Value>> expected{{"1", "Ann", "1980-01-02", "12.5", "True"},
                                             {"2", std::nullopt, std::nullopt, "3", "False"}};
    EXPECT_EQ(ReadAll(db, "People"), expected);

    EXPECT_THROW(WriterFromJson(nlohmann::json::parse(R"({"tables": [{"name": "T"}]})"), dir / "q.mdb"), MdbError);
    EXPECT_THROW(WriterFromJson(nlohmann::json::parse(
                                    R"({"tables": [], "documents": [{"name": "F", "kind": "Page"}]})"),
                                dir / "q.mdb"),
                 MdbError);
    EXPECT_THROW(WriterFromJson(nlohmann::json::parse(
                                    R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "Whatever"}]}]})"),
                                dir / "q.mdb"),
                 MdbError);
}

}  // namespace
}  // namespace tabvex::mdb
