// A workbook written and read through the driver manager, then read back by xlrd.
#include <gtest/gtest.h>

#include <cstring>

#include "driver_session.h"
#include "platform/text/utf8.h"
#include "support/test_support.h"

namespace tabvex::test {
namespace {

using nlohmann::json;

const std::vector<std::string> kNames{"Grüße O'Brien", "Ελληνικά", "日本語", "Plain"};

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// A workbook with a People table made through the driver, the session still open.
class XlsDriverWrittenWorkbook : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SQL_SUCCEEDED(session.Connect("DBQ=" + (dir / "book").string() + ";ReadOnly=0")))
            << session.ConnectionDiagnostic().message;
        ASSERT_EQ(session.Execute("CREATE TABLE People (Name TEXT, Age DOUBLE, Born DATETIME)"), SQL_SUCCESS)
            << session.StatementDiagnostic().message;
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            std::string insert = "INSERT INTO People VALUES (" + Quoted(kNames[i]) + ", " + std::to_string(20 + i) +
                                 ", #1990-0" + std::to_string(i + 1) + "-15 08:30:00#)";
            ASSERT_EQ(session.Execute(insert), SQL_SUCCESS) << insert << ": " << session.StatementDiagnostic().message;
            SQLLEN count = 0;
            SQLRowCount(session.stmt(), &count);
            EXPECT_EQ(count, 1);
        }
    }

    ScratchDir dir;
    DriverSession session;
};

TEST_F(XlsDriverWrittenWorkbook, SelectWithConditionGivesTheRowsAndTypes) {
    ASSERT_EQ(session.Execute("SELECT * FROM People WHERE Age >= 21"), SQL_SUCCESS) << session.StatementDiagnostic().message;
    EXPECT_EQ(session.ColumnNames(), (std::vector<std::string>{"Name", "Age", "Born"}));
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0, nullable = 0, nameLength = 0;
    SQLCHAR name[64];
    SQLDescribeCol(session.stmt(), 1, name, sizeof name, &nameLength, &type, &size, &digits, &nullable);
    EXPECT_EQ(type, SQL_VARCHAR);
    SQLDescribeCol(session.stmt(), 2, name, sizeof name, &nameLength, &type, &size, &digits, &nullable);
    EXPECT_EQ(type, SQL_DOUBLE);
    SQLDescribeCol(session.stmt(), 3, name, sizeof name, &nameLength, &type, &size, &digits, &nullable);
    EXPECT_EQ(type, SQL_TYPE_TIMESTAMP);
    auto rows = session.FetchAll();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "Ελληνικά");
    EXPECT_EQ(rows[0][1], "21");
    EXPECT_EQ(rows[0][2], "1990-02-15 08:30:00");
    EXPECT_EQ(rows[1][0], "日本語");
}

TEST_F(XlsDriverWrittenWorkbook, BoundColumnsFillEveryFetchAndReportTruncation) {
    ASSERT_EQ(session.Execute("SELECT * FROM People WHERE Name = 'Grüße O''Brien'"), SQL_SUCCESS);
    char shortName[6] = {};
    SQLLEN nameIndicator = 0;
    SQLWCHAR wideName[64] = {};
    SQLLEN wideIndicator = 0;
    double age = 0;
    SQL_TIMESTAMP_STRUCT born{};
    ASSERT_EQ(SQLBindCol(session.stmt(), 1, SQL_C_CHAR, shortName, sizeof shortName, &nameIndicator), SQL_SUCCESS);
    ASSERT_EQ(SQLBindCol(session.stmt(), 2, SQL_C_DOUBLE, &age, 0, nullptr), SQL_SUCCESS);
    ASSERT_EQ(SQLBindCol(session.stmt(), 3, SQL_C_TYPE_TIMESTAMP, &born, 0, nullptr), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(session.stmt()), SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(session.StatementDiagnostic().state, "01004");
    // Cut at a character boundary: "Grü" is four bytes, "Grüß" would be six.
    EXPECT_STREQ(shortName, "Grü");
    EXPECT_EQ(nameIndicator, static_cast<SQLLEN>(std::strlen("Grüße O'Brien")));
    EXPECT_EQ(age, 20.0);
    EXPECT_EQ(born.year, 1990);
    EXPECT_EQ(born.month, 1);
    EXPECT_EQ(born.hour, 8);
    EXPECT_EQ(born.minute, 30);
    EXPECT_EQ(SQLFetch(session.stmt()), SQL_NO_DATA);

    ASSERT_EQ(session.Execute("SELECT * FROM People WHERE Age = 22"), SQL_SUCCESS);
    ASSERT_EQ(SQLBindCol(session.stmt(), 1, SQL_C_WCHAR, wideName, sizeof wideName, &wideIndicator), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(session.stmt()), SQL_SUCCESS);
    EXPECT_EQ(wideIndicator, 6);  // three UTF-16 units
    EXPECT_EQ(text::Utf16ToUtf8(std::u16string(reinterpret_cast<char16_t*>(wideName), 3)), "日本語");
}

TEST_F(XlsDriverWrittenWorkbook, GetDataGivesLongTextInPiecesAndNumbersAsAsked) {
    ASSERT_EQ(session.Execute("SELECT * FROM People WHERE Age = 21"), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(session.stmt()), SQL_SUCCESS);
    std::string whole;
    char piece[5];
    SQLLEN indicator = 0;
    SQLRETURN rc;
    int calls = 0;
    while ((rc = SQLGetData(session.stmt(), 1, SQL_C_CHAR, piece, sizeof piece, &indicator)) != SQL_NO_DATA) {
        ASSERT_TRUE(SQL_SUCCEEDED(rc));
        if (rc == SQL_SUCCESS_WITH_INFO) {
            EXPECT_EQ(session.StatementDiagnostic().state, "01004");
        }
        whole += piece;
        ASSERT_LT(++calls, 20);
    }
    EXPECT_EQ(whole, "Ελληνικά");
    EXPECT_GT(calls, 2);
    // A buffer too small for one two-byte character still gets the value over the calls.
    ASSERT_EQ(session.Execute("SELECT * FROM People WHERE Age = 21"), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(session.stmt()), SQL_SUCCESS);
    std::string bytes;
    char one[2];
    for (calls = 0; SQLGetData(session.stmt(), 1, SQL_C_CHAR, one, sizeof one, &indicator) != SQL_NO_DATA; ++calls) {
        bytes += one;
        ASSERT_LT(calls, 40);
    }
    EXPECT_EQ(bytes, "Ελληνικά");

    SQLINTEGER age = 0;
    EXPECT_EQ(SQLGetData(session.stmt(), 2, SQL_C_LONG, &age, 0, nullptr), SQL_SUCCESS);
    EXPECT_EQ(age, 21);
    EXPECT_EQ(SQLGetData(session.stmt(), 2, SQL_C_LONG, &age, 0, nullptr), SQL_NO_DATA);
    SQLINTEGER notANumber = 0;
    EXPECT_EQ(SQLGetData(session.stmt(), 1, SQL_C_LONG, &notANumber, 0, nullptr), SQL_ERROR);
    EXPECT_EQ(session.StatementDiagnostic().state, "22018");
}

TEST_F(XlsDriverWrittenWorkbook, PreparedCountAsIsqlRunsIt) {
    session.NewStatement();
    std::string sql = "SELECT COUNT(*) FROM People WHERE Name LIKE 'P%'";
    ASSERT_EQ(SQLPrepare(session.stmt(), reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS), SQL_SUCCESS);
    ASSERT_EQ(SQLExecute(session.stmt()), SQL_SUCCESS) << session.StatementDiagnostic().message;
    ASSERT_EQ(SQLFetch(session.stmt()), SQL_SUCCESS);
    SQLBIGINT count = 0;
    EXPECT_EQ(SQLGetData(session.stmt(), 1, SQL_C_SBIGINT, &count, 0, nullptr), SQL_SUCCESS);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(SQLFetch(session.stmt()), SQL_NO_DATA);
    EXPECT_EQ(SQLMoreResults(session.stmt()), SQL_NO_DATA);
}

TEST_F(XlsDriverWrittenWorkbook, CatalogFunctionsDescribeTheWorkbook) {
    const std::string catalog = (dir / "book").string();
    session.NewStatement();
    ASSERT_EQ(SQLTables(session.stmt(), (SQLCHAR*)SQL_ALL_CATALOGS, SQL_NTS, (SQLCHAR*)"", SQL_NTS, (SQLCHAR*)"", SQL_NTS,
                        nullptr, 0),
              SQL_SUCCESS);
    EXPECT_EQ(session.ColumnNames(),
              (std::vector<std::string>{"TABLE_CAT", "TABLE_SCHEM", "TABLE_NAME", "TABLE_TYPE", "REMARKS"}));
    EXPECT_EQ(session.FetchAll(), (std::vector<Row>{{catalog, std::nullopt, std::nullopt, std::nullopt, std::nullopt}}));

    session.NewStatement();
    ASSERT_EQ(SQLTables(session.stmt(), nullptr, 0, nullptr, 0, (SQLCHAR*)"Peop%", SQL_NTS, (SQLCHAR*)"'TABLE'",
                        SQL_NTS),
              SQL_SUCCESS);
    auto tables = session.FetchAll();
    ASSERT_EQ(tables.size(), 2u);  // the defined name and the worksheet
    EXPECT_EQ(tables[0][0], catalog);
    EXPECT_EQ(tables[0][2], "People");
    EXPECT_EQ(tables[1][2], "People$");
    session.NewStatement();
    SQLTables(session.stmt(), nullptr, 0, nullptr, 0, nullptr, 0, (SQLCHAR*)"VIEW", SQL_NTS);
    EXPECT_TRUE(session.FetchAll().empty());

    session.NewStatement();
    ASSERT_EQ(SQLColumns(session.stmt(), nullptr, 0, nullptr, 0, (SQLCHAR*)"People", SQL_NTS, nullptr, 0), SQL_SUCCESS);
    EXPECT_EQ(session.ColumnNames().size(), 18u);
    auto columns = session.FetchAll();
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0][3], "Name");
    EXPECT_EQ(columns[0][4], std::to_string(SQL_VARCHAR));
    EXPECT_EQ(columns[1][4], std::to_string(SQL_DOUBLE));
    EXPECT_EQ(columns[2][4], std::to_string(SQL_TYPE_TIMESTAMP));
    EXPECT_EQ(columns[2][16], "3");  // ORDINAL_POSITION

    session.NewStatement();
    ASSERT_EQ(SQLStatistics(session.stmt(), nullptr, 0, nullptr, 0, (SQLCHAR*)"People", SQL_NTS, SQL_INDEX_ALL,
                            SQL_QUICK),
              SQL_SUCCESS);
    EXPECT_EQ(session.ColumnNames().size(), 13u);
    EXPECT_TRUE(session.FetchAll().empty());
}

TEST_F(XlsDriverWrittenWorkbook, InformationAndCatalogAttribute) {
    char text[512] = {};
    SQLSMALLINT length = 0;
    ASSERT_EQ(SQLGetInfo(session.dbc(), SQL_DBMS_NAME, text, sizeof text, &length), SQL_SUCCESS);
    EXPECT_STREQ(text, "EXCEL");
    SQLGetInfo(session.dbc(), SQL_DATABASE_NAME, text, sizeof text, &length);
    EXPECT_EQ(std::string(text), (dir / "book").string());
    SQLGetInfo(session.dbc(), SQL_IDENTIFIER_QUOTE_CHAR, text, sizeof text, &length);
    EXPECT_STREQ(text, "`");
    SQLINTEGER catalogLength = 0;
    ASSERT_EQ(SQLGetConnectAttr(session.dbc(), SQL_ATTR_CURRENT_CATALOG, text, sizeof text, &catalogLength), SQL_SUCCESS);
    EXPECT_EQ(std::string(text), (dir / "book").string());
    EXPECT_NE(session.completed().find("DBQ=" + (dir / "book.xls").string()), std::string::npos) << session.completed();
}

TEST_F(XlsDriverWrittenWorkbook, OpenCursorKeepsReadingItsWorkbookAfterTheCatalogSwitches) {
    ASSERT_EQ(session.Execute("SELECT * FROM People"), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(session.stmt()), SQL_SUCCESS);
    std::string other = (dir / "elsewhere").string();
    ASSERT_EQ(SQLSetConnectAttr(session.dbc(), SQL_ATTR_CURRENT_CATALOG, other.data(), SQL_NTS), SQL_SUCCESS);
    int rows = 1;
    while (SQLFetch(session.stmt()) == SQL_SUCCESS) ++rows;
    EXPECT_EQ(rows, 4);
}

TEST_F(XlsDriverWrittenWorkbook, EndTranSavesTheRowsWhileConnected) {
    ASSERT_EQ(SQLEndTran(SQL_HANDLE_DBC, session.dbc(), SQL_COMMIT), SQL_SUCCESS);
    json book = ReadWithXlrd(dir / "book.xls");
    ASSERT_EQ(book["sheets"].size(), 1u);
    EXPECT_EQ(book["sheets"][0]["nrows"], 5);
}

TEST_F(XlsDriverWrittenWorkbook, CommittedAndDisconnectedWorkbookReadsBackInXlrd) {
    ASSERT_EQ(SQLEndTran(SQL_HANDLE_DBC, session.dbc(), SQL_COMMIT), SQL_SUCCESS);
    // A second workbook through the current catalog: the first is saved on switching.
    std::string other = (dir / "other.xls").string();
    ASSERT_EQ(SQLSetConnectAttr(session.dbc(), SQL_ATTR_CURRENT_CATALOG, other.data(), SQL_NTS), SQL_SUCCESS)
        << session.ConnectionDiagnostic().message;
    ASSERT_EQ(session.Execute("CREATE TABLE Notes (Body MEMO)"), SQL_SUCCESS);
    ASSERT_EQ(session.Execute("INSERT INTO Notes VALUES ('" + std::string(300, 'x') + "')"), SQL_SUCCESS);
    ASSERT_EQ(session.Disconnect(), SQL_SUCCESS);

    json book = ReadWithXlrd(dir / "book.xls");
    ASSERT_EQ(book["sheets"].size(), 1u);
    const json& sheet = book["sheets"][0];
    EXPECT_EQ(sheet["name"], "People");
    EXPECT_EQ(sheet["nrows"], 5);
    std::vector<std::string> names;
    for (const auto& cell : sheet["cells"]) {
        if (cell["col"] == 0 && cell["row"] != 0) names.push_back(cell["value"]);
        if (cell["row"] == 2 && cell["col"] == 1) {
            EXPECT_EQ(cell["value"], 21.0);
        }
        if (cell["row"] == 3 && cell["col"] == 2) {
            EXPECT_EQ(cell["date"], "1990-03-15 08:30:00");
        }
    }
    EXPECT_EQ(names, kNames);
    json other_book = ReadWithXlrd(dir / "other.xls");
    ASSERT_EQ(other_book["sheets"].size(), 1u);
    EXPECT_EQ(other_book["sheets"][0]["cells"][1]["value"], std::string(300, 'x'));
}

}  // namespace
}  // namespace tabvex::test
