// The key property of the ODBC provider: an Access database read through it (over
// mdbtools' driver) gives exactly the texts the Jet provider gives for it.
#include <gtest/gtest.h>

#include <string>

#include "../jet/jet_test_support.h"
#include "odbc_test_support.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/oledb/schema_rows.h"
#include "support/test_support.h"

namespace tabvex::odbc {
namespace {

using namespace tabvex::oledb;
using mdb::JetType;
using V = mdb::Value;

class SameValues : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::AccessDriverPath().empty()) GTEST_SKIP() << "mdbtools' ODBC driver is not installed";
    }

    // The rows of `table` through both providers, as the program reads them.
    void ExpectSameRows(const std::filesystem::path& file, const std::string& table) {
        auto jetSession = jet::test::OpenSession(file);
        auto odbcSession = test::OpenAccessSession(file);
        ASSERT_TRUE(jetSession && odbcSession);
        const std::string select = "SELECT * FROM [" + table + "]";
        auto jetRowset = test::Query(*jetSession, select);
        auto odbcRowset = test::Query(*odbcSession, select);
        ASSERT_TRUE(jetRowset && odbcRowset) << table;
        auto viaJet = test::ReadTexts(*jetRowset);
        auto viaOdbc = test::ReadTexts(*odbcRowset);
        ASSERT_EQ(viaJet.size(), viaOdbc.size()) << table;
        for (std::size_t i = 0; i < viaJet.size(); ++i) {
            viaJet[i].erase(viaJet[i].begin());  // Jet's bookmark column
            ASSERT_EQ(viaJet[i].size(), viaOdbc[i].size()) << table;
            for (std::size_t column = 0; column < viaJet[i].size(); ++column) {
                // A long memo that differs is shown by its length and its start.
                EXPECT_TRUE(viaJet[i][column] == viaOdbc[i][column])
                    << table << " row " << i << " column " << column << ": Jet " << viaJet[i][column].size() << " bytes '"
                    << viaJet[i][column].substr(0, 80) << "', ODBC " << viaOdbc[i][column].size() << " bytes '"
                    << viaOdbc[i][column].substr(0, 80) << "'";
            }
        }
    }

    // COLUMN_NAME, COLUMN_FLAGS and IS_NULLABLE of a table's columns through both
    // providers: the program names column types from the flags. mdbtools' driver
    // cannot tell a Required column, which it gives as nullable, as Access's default.
    void ExpectSameColumnFlags(const std::filesystem::path& file, const std::string& table) {
        auto describedThrough = [&](Session& session) {
            std::shared_ptr<Rowset> columns;
            EXPECT_EQ(session.GetSchemaRowset(DBSCHEMA_COLUMNS, {std::nullopt, std::nullopt, table}, columns), S_OK);
            return columns ? test::ReadTexts(*columns) : std::vector<std::vector<std::string>>{};
        };
        auto jetSession = jet::test::OpenSession(file);
        auto odbcSession = test::OpenAccessSession(file);
        ASSERT_TRUE(jetSession && odbcSession);
        auto viaJet = describedThrough(*jetSession);
        auto viaOdbc = describedThrough(*odbcSession);
        ASSERT_EQ(viaJet.size(), viaOdbc.size()) << table;
        constexpr DBCOLUMNFLAGS kNullable = DBCOLUMNFLAGS_ISNULLABLE | DBCOLUMNFLAGS_MAYBENULL;
        for (std::size_t i = 0; i < viaJet.size(); ++i) {
            EXPECT_EQ(viaJet[i][3], viaOdbc[i][3]) << table;
            DBCOLUMNFLAGS jetFlags = std::stoul(viaJet[i][9]), odbcFlags = std::stoul(viaOdbc[i][9]);
            bool required = viaJet[i][10] == "False" && viaJet[i][11] != std::to_string(DBTYPE_BOOL);
            if (required) jetFlags |= kNullable;
            EXPECT_EQ(jetFlags, odbcFlags) << table << "." << viaJet[i][3];
        }
    }

    tabvex::test::ScratchDir scratch_;
};

std::filesystem::path WriteEveryKind(const std::filesystem::path& path, const std::string& memo) {
    mdb::DatabaseWriter writer(path);
    writer.AddTable("Kinds", {{"Id", JetType::Long, 0},
                              {"Name", JetType::Text, 60},
                              {"Small", JetType::Byte, 0},
                              {"Count", JetType::Integer, 0},
                              {"Ratio", JetType::Double, 0},
                              {"Weight", JetType::Single, 0},
                              {"Price", JetType::Currency, 0},
                              {"Seen", JetType::DateTime, 0},
                              {"Active", JetType::Boolean, 0},
                              {"Notes", JetType::Memo, 0},
                              {"Picture", JetType::OleObject, 0}});
    writer.AddRow("Kinds", {V("1"), V("Grüße aus Köln"), V("255"), V("-32768"), V("0.1"), V("3.14"), V("32.38"),
                            V("1996-07-04"), V("True"), V(memo), V("15C0FFEE00")});
    writer.AddRow("Kinds", {V("2"), V("O'Brien's \"pub\""), V("0"), V("32767"), V("-1234567.891"), V("0.3"),
                            V("-1234.5678"), V("1997-03-15 14:30:05"), V("False"), V("short"), std::nullopt});
    writer.AddRow("Kinds", {V("3"), std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                            std::nullopt, std::nullopt, V("False"), std::nullopt, std::nullopt});
    writer.AddRow("Kinds", {V("2147483647"), V("日本語"), V("7"), V("0"), V("1000000000000000000000"), V("16777216"), V("100"),
                            V("1899-12-30 00:00:01"), V("True"), V(""), V("00")});
    writer.Write();
    return path;
}

TEST_F(SameValues, EveryKindOfValueReadsAsTheJetProviderReadsIt) {
    std::string memo;
    // Longer than 10,000 characters and read in several chunks, but within the
    // 16,383 bytes mdbtools' driver gives of a memo at most.
    for (int i = 0; memo.size() < 15000; ++i) memo += "Zeile " + std::to_string(i) + ": Grüße, it's long. ";
    auto file = WriteEveryKind(scratch_ / "kinds.mdb", memo);
    ExpectSameRows(file, "Kinds");
    ExpectSameColumnFlags(file, "Kinds");

    // And the values are the ones written, not just the same wrong ones.
    auto session = test::OpenAccessSession(file);
    auto rows = test::ReadTexts(*test::Query(*session, "SELECT * FROM Kinds"));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "Grüße aus Köln", "255", "-32768", "0.1", "3.14", "32.38",
                                                 "1996-07-04", "True", memo, "15C0FFEE00"}));
    EXPECT_EQ(rows[1][1], "O'Brien's \"pub\"");
    EXPECT_EQ(rows[1][6], "-1234.5678");
    EXPECT_EQ(rows[1][7], "1997-03-15 14:30:05");
    EXPECT_EQ(rows[2], (std::vector<std::string>{"3", "(NULL)", "(NULL)", "(NULL)", "(NULL)", "(NULL)", "(NULL)",
                                                 "(NULL)", "False", "(NULL)", "(NULL)"}));
    EXPECT_EQ(rows[3][6], "100");
}

// mdbtools' driver gives at most 16,383 bytes of a memo and says nothing of the
// rest: such a value is refused with a reason rather than read short.
TEST_F(SameValues, AMemoAsLongAsTheDriverGivesIsRefusedNotCut) {
    auto file = WriteEveryKind(scratch_ / "long.mdb", std::string(20000, 'x') + "end");
    auto session = test::OpenAccessSession(file);
    auto rowset = test::Query(*session, "SELECT Notes FROM Kinds WHERE Id = 1");
    HROW row = 0;
    EXPECT_EQ(rowset->GetNextRows(row), E_FAIL);
    const auto records = test::ErrorRecords();
    ASSERT_FALSE(records.empty());
    EXPECT_NE(records.front().find("may have been cut"), std::string::npos) << records.front();
}

TEST_F(SameValues, QueryRowsetHasNoBookmarkAndDescribesItsColumns) {
    auto file = WriteEveryKind(scratch_ / "kinds.mdb", "memo");
    auto session = test::OpenAccessSession(file);
    auto rowset = test::Query(*session, "SELECT Id, Name, Price, Seen, Notes FROM Kinds WHERE Id = 2");
    ASSERT_TRUE(rowset);
    std::vector<DBCOLUMNINFO> columns;
    ASSERT_EQ(rowset->GetColumnInfo(columns), S_OK);
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[0].ordinal, 1u);
    EXPECT_EQ(columns[0].name, "Id");
    EXPECT_EQ(columns[0].type, DBTYPE_I4);
    EXPECT_EQ(columns[1].type, DBTYPE_WSTR);
    EXPECT_EQ(columns[2].type, DBTYPE_NUMERIC);
    EXPECT_EQ(columns[3].type, DBTYPE_DBTIMESTAMP);
    EXPECT_NE(columns[4].flags & DBCOLUMNFLAGS_ISLONG, 0u);
    auto rows = test::ReadTexts(*rowset);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "2");
}

TEST_F(SameValues, NorthwindTablesReadTheSameThroughBothProviders) {
    auto northwind = jet::test::NorthwindPath();
    if (northwind.empty() || !std::filesystem::exists(northwind)) GTEST_SKIP() << "corpus absent";
    auto session = jet::test::OpenSession(northwind);
    ASSERT_TRUE(session);
    std::shared_ptr<Rowset> tables;
    ASSERT_EQ(session->GetSchemaRowset(DBSCHEMA_TABLES, {std::nullopt, std::nullopt, std::nullopt, "TABLE"}, tables),
              S_OK);
    for (const auto& row : test::ReadTexts(*tables)) {
        const std::string& table = row[2];
        // OLE columns too: mdbtools' driver gives their bytes when asked for binary
        // data (asked for text, it warns on stderr and gives none).
        ExpectSameRows(northwind, table);
        ExpectSameColumnFlags(northwind, table);
    }
}

}  // namespace
}  // namespace tabvex::odbc
