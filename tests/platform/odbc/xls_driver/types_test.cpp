// Column types as a client reading by type sees them: SQL types of currency, yes/no,
// memo columns, the values in C types, the type list, and the functions listed.
#include <gtest/gtest.h>

#include "driver_session.h"
#include "platform/odbc/xls_driver/driver_info.h"
#include "platform/xls/workbook.h"
#include "support/test_support.h"

namespace tabvex::test {
namespace {

SQLSMALLINT TypeOf(SQLHSTMT stmt, SQLUSMALLINT column) {
    SQLCHAR name[64];
    SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    SQLDescribeCol(stmt, column, name, sizeof name, &nameLength, &type, &size, &digits, &nullable);
    return type;
}

TEST(XlsDriverTypes, CurrencyBitAndMemoColumnsReadInTheirTypes) {
    ScratchDir dir;
    DriverSession session;
    ASSERT_EQ(session.Connect("DBQ=" + (dir / "t.xls").string() + ";ReadOnly=0"), SQL_SUCCESS);
    ASSERT_EQ(session.Execute("CREATE TABLE T (Price CURRENCY, Paid BIT, Note MEMO)"), SQL_SUCCESS)
        << session.StatementDiagnostic().message;
    std::string longNote(20000, 'n');
    ASSERT_EQ(session.Execute("INSERT INTO T VALUES (12.34, True, '" + longNote + "')"), SQL_SUCCESS)
        << session.StatementDiagnostic().message;
    ASSERT_EQ(session.Execute("SELECT * FROM T"), SQL_SUCCESS);
    EXPECT_EQ(TypeOf(session.stmt(), 1), SQL_DECIMAL);
    EXPECT_EQ(TypeOf(session.stmt(), 2), SQL_BIT);
    EXPECT_EQ(TypeOf(session.stmt(), 3), SQL_LONGVARCHAR);
    ASSERT_EQ(SQLFetch(session.stmt()), SQL_SUCCESS);
    char price[32] = {};
    SQLLEN indicator = 0;
    ASSERT_EQ(SQLGetData(session.stmt(), 1, SQL_C_CHAR, price, sizeof price, &indicator), SQL_SUCCESS);
    EXPECT_STREQ(price, "12.3400");  // DECIMAL(19,4), as the provider gives currency
    unsigned char paid = 0;
    ASSERT_EQ(SQLGetData(session.stmt(), 2, SQL_C_BIT, &paid, 0, nullptr), SQL_SUCCESS);
    EXPECT_EQ(paid, 1);
    std::string note(25000, '\0');
    ASSERT_EQ(SQLGetData(session.stmt(), 3, SQL_C_CHAR, note.data(), static_cast<SQLLEN>(note.size()), &indicator),
              SQL_SUCCESS);
    EXPECT_EQ(indicator, 20000);
    EXPECT_EQ(note.c_str(), longNote);
    ASSERT_EQ(session.Disconnect(), SQL_SUCCESS);
    auto book = ReadWithXlrd(dir / "t.xls");
    const auto& cells = book["sheets"][0]["cells"];
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[3]["value"], 12.34);
    EXPECT_EQ(cells[5]["value"], longNote);
}

TEST(XlsDriverTypes, EmptyWorksheetReadsAsOneEmptyColumn) {
    ScratchDir dir;
    xls::Workbook::CreateNew({"Blank"}).Save(dir / "blank.xls");
    DriverSession session;
    ASSERT_EQ(session.Connect("DBQ=" + (dir / "blank.xls").string()), SQL_SUCCESS);
    ASSERT_EQ(session.Execute("SELECT * FROM `Blank$`"), SQL_SUCCESS) << session.StatementDiagnostic().message;
    EXPECT_EQ(session.ColumnNames(), (std::vector<std::string>{"F1"}));
    EXPECT_TRUE(session.FetchAll().empty());
    EXPECT_EQ(ReadWithXlrd(dir / "blank.xls")["sheets"][0]["nrows"], 0);
}

TEST(XlsDriverTypes, TypeListNamesWhatCreateTableTakes) {
    ScratchDir dir;
    DriverSession session;
    ASSERT_EQ(session.Connect("DBQ=" + (dir / "types.xls").string() + ";ReadOnly=0"), SQL_SUCCESS);
    session.NewStatement();
    ASSERT_EQ(SQLGetTypeInfo(session.stmt(), SQL_ALL_TYPES), SQL_SUCCESS);
    EXPECT_EQ(session.ColumnNames().size(), 19u);
    std::string columns;
    for (const auto& row : session.FetchAll()) {
        if (!columns.empty()) columns += ", ";
        columns += "C" + std::to_string(columns.size()) + " " + row[0].value_or("?");
    }
    ASSERT_EQ(session.Execute("CREATE TABLE EveryType (" + columns + ")"), SQL_SUCCESS)
        << columns << ": " << session.StatementDiagnostic().message;
    session.NewStatement();
    ASSERT_EQ(SQLGetTypeInfo(session.stmt(), SQL_DOUBLE), SQL_SUCCESS);
    auto rows = session.FetchAll();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "NUMBER");
    // The workbook read back holds the header row of the new table.
    ASSERT_EQ(session.Disconnect(), SQL_SUCCESS);
    auto book = ReadWithXlrd(dir / "types.xls");
    EXPECT_EQ(book["sheets"][0]["cells"].size(), 6u);
}

TEST(XlsDriverTypes, Odbc2ApplicationsSeeTimestampsAsSqlTimestamp) {
    ScratchDir dir;
    DriverSession session(SQL_OV_ODBC2);
    ASSERT_EQ(session.Connect("DBQ=" + (dir / "old.xls").string() + ";ReadOnly=0"), SQL_SUCCESS);
    ASSERT_EQ(session.Execute("CREATE TABLE Events (Title TEXT, Happened DATETIME)"), SQL_SUCCESS);
    ASSERT_EQ(session.Execute("INSERT INTO Events VALUES ('Launch', #1999-12-31 23:59:00#)"), SQL_SUCCESS);
    ASSERT_EQ(session.Execute("SELECT * FROM Events"), SQL_SUCCESS);
    EXPECT_EQ(TypeOf(session.stmt(), 2), SQL_TIMESTAMP);
    session.NewStatement();
    ASSERT_EQ(SQLColumns(session.stmt(), nullptr, 0, nullptr, 0, (SQLCHAR*)"Events", SQL_NTS, nullptr, 0), SQL_SUCCESS);
    auto columns = session.FetchAll();
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[1][4], std::to_string(SQL_TIMESTAMP));
    session.NewStatement();
    ASSERT_EQ(SQLGetTypeInfo(session.stmt(), SQL_ALL_TYPES), SQL_SUCCESS);
    std::vector<std::string> types;
    for (const auto& row : session.FetchAll()) types.push_back(row[1].value_or(""));
    EXPECT_EQ(types, (std::vector<std::string>{"-7", "-1", "3", "8", "11", "12"}));
    ASSERT_EQ(session.Disconnect(), SQL_SUCCESS);
    auto book = ReadWithXlrd(dir / "old.xls");
    EXPECT_EQ(book["sheets"][0]["cells"][3]["date"], "1999-12-31 23:59:00");
}

TEST(XlsDriverTypes, FunctionListIsTruthfulInBothForms) {
    SQLUSMALLINT bitmap[SQL_API_ODBC3_ALL_FUNCTIONS_SIZE];
    ASSERT_EQ(odbc::xls::GetFunctions(SQL_API_ODBC3_ALL_FUNCTIONS, bitmap), SQL_SUCCESS);
    EXPECT_TRUE(SQL_FUNC_EXISTS(bitmap, SQL_API_SQLTABLES));
    EXPECT_TRUE(SQL_FUNC_EXISTS(bitmap, SQL_API_SQLGETDIAGFIELD));
    EXPECT_FALSE(SQL_FUNC_EXISTS(bitmap, SQL_API_SQLBULKOPERATIONS));
    EXPECT_FALSE(SQL_FUNC_EXISTS(bitmap, SQL_API_SQLSETPOS));
    SQLUSMALLINT array[100];
    ASSERT_EQ(odbc::xls::GetFunctions(SQL_API_ALL_FUNCTIONS, array), SQL_SUCCESS);
    EXPECT_EQ(array[SQL_API_SQLFETCH], SQL_TRUE);
    EXPECT_EQ(array[SQL_API_SQLEXTENDEDFETCH], SQL_FALSE);
    SQLUSMALLINT one = SQL_FALSE;
    odbc::xls::GetFunctions(SQL_API_SQLGETTYPEINFO, &one);
    EXPECT_EQ(one, SQL_TRUE);
}

}  // namespace
}  // namespace tabvex::test
