// Every workbook of the shared corpus through the driver manager, as a client that
// reads by the reported types does: tables from SQLTables, columns from SQLColumns
// matching the query's, each value read in its default C type, COUNT(*) matching
// the rows fetched. A workbook the ISAM refuses fails to connect with 08001.
#include <gtest/gtest.h>

#include "driver_session.h"
#include "support/test_support.h"

namespace tabvex::test {
namespace {

// Tables longer than this are read only this far (sanitized builds stay quick).
constexpr std::int64_t kRowsPerTable = 2000;

std::vector<std::string> TableNames(DriverSession& session) {
    session.NewStatement();
    EXPECT_EQ(SQLTables(session.stmt(), nullptr, 0, nullptr, 0, (SQLCHAR*)"%", SQL_NTS, nullptr, 0), SQL_SUCCESS);
    std::vector<std::string> names;
    for (const auto& row : session.FetchAll()) names.push_back(row[2].value_or(""));
    return names;
}

std::size_t CatalogColumnCount(DriverSession& session, const std::string& table) {
    session.NewStatement();
    EXPECT_EQ(SQLColumns(session.stmt(), nullptr, 0, nullptr, 0, (SQLCHAR*)table.c_str(), SQL_NTS, nullptr, 0),
              SQL_SUCCESS);
    return session.FetchAll().size();
}

std::int64_t RowCount(DriverSession& session, const std::string& table) {
    EXPECT_EQ(session.Execute("SELECT COUNT(*) FROM `" + table + "`"), SQL_SUCCESS)
        << session.StatementDiagnostic().message;
    auto rows = session.FetchAll();
    return rows.size() == 1 && rows[0].size() == 1 ? std::stoll(rows[0][0].value_or("-1")) : -1;
}

// Reads every value of up to kRowsPerTable rows in its column's default C type.
std::int64_t FetchTyped(DriverSession& session, const std::string& table, std::size_t catalogColumns) {
    EXPECT_EQ(session.Execute("SELECT * FROM `" + table + "`"), SQL_SUCCESS) << session.StatementDiagnostic().message;
    SQLSMALLINT columns = 0;
    SQLNumResultCols(session.stmt(), &columns);
    // An empty worksheet has no columns in the catalog; its query reads as one empty column.
    EXPECT_EQ(static_cast<std::size_t>(columns), std::max<std::size_t>(catalogColumns, 1));
    std::int64_t rows = 0;
    while (rows < kRowsPerTable && SQLFetch(session.stmt()) == SQL_SUCCESS) {
        ++rows;
        for (SQLUSMALLINT i = 1; i <= columns; ++i) {
            alignas(8) char buffer[40000];
            SQLLEN indicator = 0;
            SQLRETURN rc = SQLGetData(session.stmt(), i, SQL_C_DEFAULT, buffer, sizeof buffer, &indicator);
            EXPECT_TRUE(SQL_SUCCEEDED(rc)) << "row " << rows << " column " << i << ": "
                                           << session.StatementDiagnostic().message;
        }
    }
    return rows;
}

TEST(XlsDriverCorpus, EveryWorkbookReadsByTypeOrIsRefusedByName) {
    auto corpus = CorpusDir();
    if (corpus.empty() || !std::filesystem::is_directory(corpus / "xls")) GTEST_SKIP() << "no corpus";
    std::size_t opened = 0, refused = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / "xls")) {
        SCOPED_TRACE(entry.path().filename().string());
        DriverSession session;
        if (!SQL_SUCCEEDED(session.Connect("DBQ={" + entry.path().string() + "};ReadOnly=1"))) {
            DiagRecord record = session.ConnectionDiagnostic();
            EXPECT_EQ(record.state, "08001");
            EXPECT_NE(record.message.find(entry.path().filename().string()), std::string::npos) << record.message;
            ++refused;
            continue;
        }
        ++opened;
        for (const auto& table : TableNames(session)) {
            SCOPED_TRACE(table);
            std::int64_t count = RowCount(session, table);
            std::int64_t fetched = FetchTyped(session, table, CatalogColumnCount(session, table));
            EXPECT_EQ(fetched, std::min(count, kRowsPerTable));
        }
    }
    EXPECT_GT(opened, refused);
}

}  // namespace
}  // namespace tabvex::test
