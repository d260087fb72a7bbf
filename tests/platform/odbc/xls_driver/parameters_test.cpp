// Statements with parameter markers through the driver manager: values bound one
// set at a time and as arrays, the rows they add read back by xlrd, and the
// SQLSTATEs of markers without values and of bindings the driver cannot read.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "driver_session.h"
#include "support/test_support.h"

namespace tabvex::test {
namespace {

using nlohmann::json;

SQLCHAR* Sql(const char* text) { return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text)); }

// A workbook with an empty Stock table (Item TEXT, Count DOUBLE), the session open
// for writing.
class XlsDriverParameters : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(session.Connect("DBQ=" + book.string() + ";ReadOnly=0"), SQL_SUCCESS)
            << session.ConnectionDiagnostic().message;
        ASSERT_EQ(session.Execute("CREATE TABLE Stock (Item TEXT, Amount DOUBLE)"), SQL_SUCCESS);
    }

    SQLRETURN Prepare(const char* sql) {
        session.NewStatement();
        return SQLPrepare(session.stmt(), Sql(sql), SQL_NTS);
    }

    std::string State() const { return session.StatementDiagnostic().state; }

    std::vector<Row> Rows(const std::string& select = "SELECT * FROM Stock") {
        EXPECT_EQ(session.Execute(select), SQL_SUCCESS) << session.StatementDiagnostic().message;
        return session.FetchAll();
    }

    // The Stock sheet as xlrd reads it after the driver saved the workbook.
    json SavedSheet() {
        EXPECT_EQ(session.Disconnect(), SQL_SUCCESS);
        json workbook = ReadWithXlrd(book);
        for (const json& sheet : workbook["sheets"])
            if (sheet["name"] == "Stock") return sheet;
        ADD_FAILURE() << "no sheet Stock";
        return json::object();
    }

    ScratchDir dir;
    std::filesystem::path book = dir / "stock.xls";
    DriverSession session;
};

TEST_F(XlsDriverParameters, PreparedInsertRunsOncePerBoundValue) {
    ASSERT_EQ(Prepare("INSERT INTO Stock (Item, Amount) VALUES (?, ?)"), SQL_SUCCESS);
    SQLSMALLINT count = 0;
    ASSERT_EQ(SQLNumParams(session.stmt(), &count), SQL_SUCCESS);
    EXPECT_EQ(count, 2);
    char item[32] = {};
    SQLLEN itemLength = SQL_NTS;
    double amount = 0;
    SQLLEN amountIndicator = 0;
    ASSERT_EQ(SQLBindParameter(session.stmt(), 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 32, 0, item, sizeof item,
                               &itemLength),
              SQL_SUCCESS);
    ASSERT_EQ(SQLBindParameter(session.stmt(), 2, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 15, 0, &amount, 0,
                               &amountIndicator),
              SQL_SUCCESS);
    const std::array<std::pair<const char*, double>, 3> rows{{{"Käse 'alt'?", 2.5}, {"Brot", -4}, {"Milch", 0}}};
    for (const auto& [name, value] : rows) {
        std::strcpy(item, name);
        amount = value;
        amountIndicator = value == 0 ? SQL_NULL_DATA : 0;
        ASSERT_EQ(SQLExecute(session.stmt()), SQL_SUCCESS) << session.StatementDiagnostic().message;
        SQLLEN added = 0;
        SQLRowCount(session.stmt(), &added);
        EXPECT_EQ(added, 1);
    }
    EXPECT_EQ(Rows(), (std::vector<Row>{{"Käse 'alt'?", "2.5"}, {"Brot", "-4"}, {"Milch", std::nullopt}}));

    // A marker in a condition; the '?' inside the quoted text is none.
    ASSERT_EQ(Prepare("SELECT * FROM Stock WHERE Item = ? OR Item = 'Why?'"), SQL_SUCCESS);
    SQLNumParams(session.stmt(), &count);
    EXPECT_EQ(count, 1);
    SQLWCHAR wide[] = {u'B', u'r', u'o', u't', 0};
    ASSERT_EQ(SQLBindParameter(session.stmt(), 1, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, 4, 0, wide, 0, nullptr),
              SQL_SUCCESS);
    ASSERT_EQ(SQLExecute(session.stmt()), SQL_SUCCESS) << session.StatementDiagnostic().message;
    EXPECT_EQ(session.FetchAll(), (std::vector<Row>{{"Brot", "-4"}}));

    json sheet = SavedSheet();
    EXPECT_EQ(sheet["nrows"], 4);
    EXPECT_EQ(sheet["cells"][2]["value"], "Käse 'alt'?");
    EXPECT_EQ(sheet["cells"][3]["value"], 2.5);
}

TEST_F(XlsDriverParameters, ColumnWiseArrayAddsEverySetAndReportsEach) {
    constexpr SQLULEN kSets = 4;
    char items[kSets][8] = {"one", "two", "three", "four"};
    SQLLEN itemLengths[kSets] = {SQL_NTS, SQL_NTS, 3, SQL_NULL_DATA};
    SQLINTEGER amounts[kSets] = {1, -2, 3, 4};
    SQLUSMALLINT status[kSets] = {};
    SQLULEN processed = 0;
    ASSERT_EQ(Prepare("INSERT INTO Stock VALUES (?, ?)"), SQL_SUCCESS);
    SQLSetStmtAttr(session.stmt(), SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(kSets), 0);
    SQLSetStmtAttr(session.stmt(), SQL_ATTR_PARAM_STATUS_PTR, status, 0);
    SQLSetStmtAttr(session.stmt(), SQL_ATTR_PARAMS_PROCESSED_PTR, &processed, 0);
    SQLBindParameter(session.stmt(), 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 8, 0, items, sizeof items[0],
                     itemLengths);
    SQLBindParameter(session.stmt(), 2, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, amounts, 0, nullptr);
    ASSERT_EQ(SQLExecute(session.stmt()), SQL_SUCCESS) << session.StatementDiagnostic().message;
    EXPECT_EQ(processed, kSets);
    EXPECT_EQ(std::vector<SQLUSMALLINT>(status, status + kSets), std::vector<SQLUSMALLINT>(kSets, SQL_PARAM_SUCCESS));
    SQLLEN added = 0;
    SQLRowCount(session.stmt(), &added);
    EXPECT_EQ(added, 4);
    EXPECT_EQ(Rows(), (std::vector<Row>{{"one", "1"}, {"two", "-2"}, {"thr", "3"}, {std::nullopt, "4"}}));
}

TEST_F(XlsDriverParameters, RowWiseArrayStopsAtTheFirstFailingSet) {
    struct Line {
        SQLLEN itemLength;
        char item[6];
        char amount[8];
        SQLLEN amountLength;
    };
    std::array<Line, 4> lines{{{SQL_NTS, "a", "1.5", SQL_NTS},
                               {SQL_NTS, "b", "2e3", SQL_NTS},
                               {SQL_NTS, "c", "lots", SQL_NTS},
                               {SQL_NTS, "d", "4", SQL_NTS}}};
    SQLUSMALLINT status[4] = {};
    SQLULEN processed = 0;
    ASSERT_EQ(Prepare("INSERT INTO Stock VALUES (?, ?)"), SQL_SUCCESS);
    SQLSetStmtAttr(session.stmt(), SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN{4}), 0);
    SQLSetStmtAttr(session.stmt(), SQL_ATTR_PARAM_BIND_TYPE, reinterpret_cast<SQLPOINTER>(sizeof(Line)), 0);
    SQLSetStmtAttr(session.stmt(), SQL_ATTR_PARAM_STATUS_PTR, status, 0);
    SQLSetStmtAttr(session.stmt(), SQL_ATTR_PARAMS_PROCESSED_PTR, &processed, 0);
    SQLBindParameter(session.stmt(), 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 6, 0, lines[0].item,
                     sizeof lines[0].item, &lines[0].itemLength);
    SQLBindParameter(session.stmt(), 2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_DOUBLE, 0, 0, lines[0].amount,
                     sizeof lines[0].amount, &lines[0].amountLength);
    EXPECT_EQ(SQLExecute(session.stmt()), SQL_ERROR);
    EXPECT_EQ(State(), "22018");
    EXPECT_EQ(processed, 3u);
    EXPECT_EQ(std::vector<SQLUSMALLINT>(status, status + 4),
              (std::vector<SQLUSMALLINT>{SQL_PARAM_SUCCESS, SQL_PARAM_SUCCESS, SQL_PARAM_ERROR, SQL_PARAM_UNUSED}));
    EXPECT_EQ(Rows(), (std::vector<Row>{{"a", "1.5"}, {"b", "2000"}}));

    // The same binding moved by the offset to the last two lines.
    SQLULEN offset = 2 * sizeof(Line);
    std::strcpy(lines[2].amount, "3");
    ASSERT_EQ(Prepare("INSERT INTO Stock VALUES (?, ?)"), SQL_SUCCESS);
    SQLSetStmtAttr(session.stmt(), SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN{2}), 0);
    SQLSetStmtAttr(session.stmt(), SQL_ATTR_PARAM_BIND_TYPE, reinterpret_cast<SQLPOINTER>(sizeof(Line)), 0);
    SQLSetStmtAttr(session.stmt(), SQL_ATTR_PARAM_BIND_OFFSET_PTR, &offset, 0);
    SQLBindParameter(session.stmt(), 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 6, 0, lines[0].item,
                     sizeof lines[0].item, &lines[0].itemLength);
    SQLBindParameter(session.stmt(), 2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_DOUBLE, 0, 0, lines[0].amount,
                     sizeof lines[0].amount, &lines[0].amountLength);
    ASSERT_EQ(SQLExecute(session.stmt()), SQL_SUCCESS) << session.StatementDiagnostic().message;
    json sheet = SavedSheet();
    ASSERT_EQ(sheet["nrows"], 5);
    EXPECT_EQ(sheet["cells"][6]["value"], "c");
    EXPECT_EQ(sheet["cells"][7]["value"], 3.0);
    EXPECT_EQ(sheet["cells"][9]["value"], 4.0);
}

TEST_F(XlsDriverParameters, SelectWithAnArrayGivesOneResultPerSet) {
    ASSERT_EQ(session.Execute("INSERT INTO Stock VALUES ('x', 1)"), SQL_SUCCESS);
    ASSERT_EQ(session.Execute("INSERT INTO Stock VALUES ('y', 2)"), SQL_SUCCESS);
    double limits[2] = {2, 0};
    ASSERT_EQ(Prepare("SELECT * FROM Stock WHERE Amount >= ?"), SQL_SUCCESS);
    SQLSetStmtAttr(session.stmt(), SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN{2}), 0);
    SQLBindParameter(session.stmt(), 1, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0, limits, 0, nullptr);
    ASSERT_EQ(SQLExecute(session.stmt()), SQL_SUCCESS) << session.StatementDiagnostic().message;
    EXPECT_EQ(session.FetchAll(), (std::vector<Row>{{"y", "2"}}));
    ASSERT_EQ(SQLMoreResults(session.stmt()), SQL_SUCCESS);
    EXPECT_EQ(session.FetchAll(), (std::vector<Row>{{"x", "1"}, {"y", "2"}}));
    EXPECT_EQ(SQLMoreResults(session.stmt()), SQL_NO_DATA);
}

TEST_F(XlsDriverParameters, MarkersWithoutValuesAndBadNumbersAreRefused) {
    ASSERT_EQ(Prepare("INSERT INTO Stock VALUES (?, ?)"), SQL_SUCCESS);
    SQLINTEGER amount = 3;
    SQLBindParameter(session.stmt(), 2, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &amount, 0, nullptr);
    EXPECT_EQ(SQLExecute(session.stmt()), SQL_ERROR);
    EXPECT_EQ(State(), "07002");
    EXPECT_NE(session.StatementDiagnostic().message.find("Parameter 1 of 2"), std::string::npos);

    // Described: as bound, or as text when not bound yet; numbers past the markers do not exist.
    SQLSMALLINT type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    ASSERT_EQ(SQLDescribeParam(session.stmt(), 2, &type, &size, &digits, &nullable), SQL_SUCCESS);
    EXPECT_EQ(type, SQL_INTEGER);
    ASSERT_EQ(SQLDescribeParam(session.stmt(), 1, &type, &size, &digits, &nullable), SQL_SUCCESS);
    EXPECT_EQ(type, SQL_VARCHAR);
    EXPECT_EQ(size, 255u);
    EXPECT_EQ(nullable, SQL_NULLABLE);
    EXPECT_EQ(SQLDescribeParam(session.stmt(), 3, &type, &size, &digits, &nullable), SQL_ERROR);
    EXPECT_EQ(State(), "07009");
    EXPECT_EQ(SQLDescribeParam(session.stmt(), 0, &type, &size, &digits, &nullable), SQL_ERROR);
    EXPECT_EQ(State(), "07009");
    EXPECT_EQ(SQLBindParameter(session.stmt(), 0, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &amount, 0, nullptr),
              SQL_ERROR);
    EXPECT_EQ(State(), "07009");

    // Types the driver cannot read, and output parameters.
    char bytes[4] = {1, 2, 3, 4};
    EXPECT_EQ(SQLBindParameter(session.stmt(), 1, SQL_PARAM_INPUT, SQL_C_BINARY, SQL_VARCHAR, 4, 0, bytes, 4, nullptr),
              SQL_ERROR);
    EXPECT_EQ(State(), "HY003");
    EXPECT_EQ(SQLBindParameter(session.stmt(), 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARBINARY, 4, 0, bytes, 4, nullptr),
              SQL_ERROR);
    EXPECT_EQ(State(), "HYC00");
    EXPECT_EQ(SQLBindParameter(session.stmt(), 1, SQL_PARAM_OUTPUT, SQL_C_CHAR, SQL_VARCHAR, 4, 0, bytes, 4, nullptr),
              SQL_ERROR);
    EXPECT_EQ(State(), "HYC00");

    // Resetting the parameters leaves the markers without values again.
    SQLBindParameter(session.stmt(), 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_VARCHAR, 0, 0, &amount, 0, nullptr);
    ASSERT_EQ(SQLExecute(session.stmt()), SQL_SUCCESS) << session.StatementDiagnostic().message;
    SQLFreeStmt(session.stmt(), SQL_RESET_PARAMS);
    EXPECT_EQ(SQLExecute(session.stmt()), SQL_ERROR);
    EXPECT_EQ(State(), "07002");
    EXPECT_EQ(Rows(), (std::vector<Row>{{"3", "3"}}));
}

TEST_F(XlsDriverParameters, ReadOnlyWorkbookTakesParametersInQueriesOnly) {
    ASSERT_EQ(session.Execute("INSERT INTO Stock VALUES ('kept', 1)"), SQL_SUCCESS);
    ASSERT_EQ(session.Disconnect(), SQL_SUCCESS);
    DriverSession reader;
    ASSERT_EQ(reader.Connect("DBQ=" + book.string()), SQL_SUCCESS);
    char item[] = "kept";
    reader.NewStatement();
    SQLBindParameter(reader.stmt(), 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 4, 0, item, 0, nullptr);
    ASSERT_EQ(SQLExecDirect(reader.stmt(), Sql("SELECT * FROM Stock WHERE Item = ?"), SQL_NTS), SQL_SUCCESS)
        << reader.StatementDiagnostic().message;
    EXPECT_EQ(reader.FetchAll(), (std::vector<Row>{{"kept", "1"}}));
    reader.NewStatement();
    SQLBindParameter(reader.stmt(), 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 4, 0, item, 0, nullptr);
    EXPECT_EQ(SQLExecDirect(reader.stmt(), Sql("INSERT INTO Stock VALUES (?, 2)"), SQL_NTS), SQL_ERROR);
    EXPECT_NE(reader.StatementDiagnostic().message.find("read-only"), std::string::npos);
}

}  // namespace
}  // namespace tabvex::test
