// Failures an application meets, each with its SQLSTATE and a readable message.
#include <gtest/gtest.h>

#include "driver_session.h"
#include "support/test_support.h"

namespace tabvex::test {
namespace {

constexpr const char* kPrefix = "[Tabvex][Excel Driver]";

class XlsDriverWorkbookOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        DriverSession writer;
        ASSERT_TRUE(SQL_SUCCEEDED(writer.Connect("DBQ=" + book.string() + ";ReadOnly=0")));
        ASSERT_EQ(writer.Execute("CREATE TABLE Items (Code TEXT, Price DOUBLE)"), SQL_SUCCESS);
        ASSERT_EQ(writer.Execute("INSERT INTO Items VALUES ('A1', 2.5)"), SQL_SUCCESS);
    }

    void ExpectStatementFailure(DriverSession& session, const std::string& sql, const std::string& state,
                                const std::string& mentioned) {
        EXPECT_EQ(session.Execute(sql), SQL_ERROR) << sql;
        DiagRecord record = session.StatementDiagnostic();
        EXPECT_EQ(record.state, state) << sql << ": " << record.message;
        EXPECT_EQ(record.message.rfind(kPrefix, 0), 0u) << record.message;
        EXPECT_NE(record.message.find(mentioned), std::string::npos) << record.message;
    }

    ScratchDir dir;
    std::filesystem::path book = dir / "items.xls";
};

TEST_F(XlsDriverWorkbookOnDisk, StatementFailuresCarryTheirStates) {
    DriverSession session;
    ASSERT_EQ(session.Connect("DBQ=" + book.string() + ";ReadOnly=0"), SQL_SUCCESS);
    ExpectStatementFailure(session, "SELECT * FROM Missing", "42S02", "Missing");
    ExpectStatementFailure(session, "SELEKT * FROM Items", "42000", "SELEKT");
    ExpectStatementFailure(session, "CREATE TABLE Items (X TEXT)", "42S01", "Items");
    ExpectStatementFailure(session, "SELECT * FROM Items WHERE Nothing = 1", "42S22", "Nothing");
    ExpectStatementFailure(session, "INSERT INTO Items VALUES ('only one')", "42000", "values (1)");
    // The native code is the provider's result code (DB_E_NOTABLE).
    session.Execute("SELECT * FROM Missing");
    EXPECT_EQ(static_cast<std::uint32_t>(session.StatementDiagnostic().native), 0x80040E37u);
    // The failures leave the connection usable.
    ASSERT_EQ(session.Execute("SELECT * FROM Items"), SQL_SUCCESS);
    EXPECT_EQ(session.FetchAll(), (std::vector<Row>{{"A1", "2.5"}}));
}

TEST_F(XlsDriverWorkbookOnDisk, ReadOnlyConnectionReadsButRefusesChanges) {
    const std::string before = ReadFile(book);
    {
        DriverSession session;
        ASSERT_EQ(session.Connect("DBQ=" + book.string()), SQL_SUCCESS);  // ReadOnly=1 unless told otherwise
        ExpectStatementFailure(session, "INSERT INTO Items VALUES ('B2', 3)", "HY000", "ReadOnly=0");
        ExpectStatementFailure(session, "CREATE TABLE Other (X TEXT)", "HY000", "read-only");
        ASSERT_EQ(session.Execute("SELECT COUNT(*) FROM Items"), SQL_SUCCESS);
        EXPECT_EQ(session.FetchAll(), (std::vector<Row>{{"1"}}));
        EXPECT_EQ(SQLEndTran(SQL_HANDLE_DBC, session.dbc(), SQL_COMMIT), SQL_SUCCESS);
    }
    // Reading, committing and disconnecting leave the file as it was.
    EXPECT_EQ(ReadFile(book), before);
    EXPECT_EQ(ReadWithXlrd(book)["sheets"][0]["nrows"], 2);
}

TEST_F(XlsDriverWorkbookOnDisk, ExtensionIsAddedAndDefaultDirResolvesRelativeNames) {
    DriverSession session;
    ASSERT_EQ(session.Connect("dbq=items;DEFAULTDIR=" + dir.path().string()), SQL_SUCCESS)
        << session.ConnectionDiagnostic().message;
    ASSERT_EQ(session.Execute("SELECT * FROM Items"), SQL_SUCCESS);
    EXPECT_EQ(session.FetchAll().size(), 1u);
}

TEST(XlsDriverConnecting, MissingWorkbookIsNamedInTheDiagnostic) {
    ScratchDir dir;
    DriverSession session;
    std::string missing = (dir / "absent.xls").string();
    EXPECT_EQ(session.Connect("DBQ=" + missing + ";ReadOnly=1"), SQL_ERROR);
    DiagRecord record = session.ConnectionDiagnostic();
    EXPECT_EQ(record.state, "08001");
    EXPECT_NE(record.message.find(missing), std::string::npos) << record.message;
}

TEST(XlsDriverConnecting, DamagedWorkbookIsRefusedWithTheReason) {
    ScratchDir dir;
    WriteFile(dir / "junk.xls", std::string(4096, 'j'));
    DriverSession session;
    EXPECT_EQ(session.Connect("DBQ=" + (dir / "junk.xls").string()), SQL_ERROR);
    DiagRecord record = session.ConnectionDiagnostic();
    EXPECT_EQ(record.state, "08001");
    EXPECT_NE(record.message.find("junk.xls"), std::string::npos) << record.message;
}

TEST(XlsDriverConnecting, BadConnectionStringsGiveDiagnostics) {
    const std::vector<std::string> bad{
        "DBQ={unclosed;ReadOnly=0",
        "=value",
        "DBQ=a}b",
        "garbage without equals",
        "ReadOnly=maybe;DBQ=x",
        std::string("DBQ=a\0b", 7),
        "DBQ={" + std::string(30000, 'x') + "} tail",
    };
    for (const auto& text : bad) {
        DriverSession session;
        EXPECT_EQ(session.Connect(text), SQL_ERROR) << text.substr(0, 40);
        DiagRecord record = session.ConnectionDiagnostic();
        EXPECT_EQ(record.state, "08001") << text.substr(0, 40) << ": " << record.message;
        EXPECT_FALSE(record.message.empty());
    }
}

// Connecting names a workbook, by DBQ or by a catalog set before connecting (which
// ReadOnly=0 creates with its first table); the catalog then switches workbooks.
TEST(XlsDriverConnecting, AWorkbookIsNamedBeforeConnectingAndTheCatalogSwitchesIt) {
    ScratchDir dir;
    DriverSession session;
    EXPECT_EQ(session.Connect("ReadOnly=0"), SQL_ERROR);
    EXPECT_EQ(session.ConnectionDiagnostic().state, "08001");
    EXPECT_NE(session.ConnectionDiagnostic().message.find("No workbook is named"), std::string::npos);

    std::string first = (dir / "first").string();
    ASSERT_EQ(SQLSetConnectAttr(session.dbc(), SQL_ATTR_CURRENT_CATALOG, first.data(), SQL_NTS), SQL_SUCCESS);
    ASSERT_EQ(session.Connect("ReadOnly=0"), SQL_SUCCESS) << session.ConnectionDiagnostic().message;
    ASSERT_EQ(session.Execute("CREATE TABLE T (A TEXT)"), SQL_SUCCESS) << session.StatementDiagnostic().message;
    std::string later = (dir / "later").string();
    session.NewStatement();
    ASSERT_EQ(SQLSetConnectAttr(session.dbc(), SQL_ATTR_CURRENT_CATALOG, later.data(), SQL_NTS), SQL_SUCCESS);
    ASSERT_EQ(session.Execute("CREATE TABLE T (A TEXT)"), SQL_SUCCESS) << session.StatementDiagnostic().message;
    ASSERT_EQ(session.Execute("INSERT INTO T VALUES ('kept')"), SQL_SUCCESS);
    ASSERT_EQ(session.Disconnect(), SQL_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(dir / "first.xls"));
    auto book = ReadWithXlrd(dir / "later.xls");
    ASSERT_EQ(book["sheets"].size(), 1u);
    EXPECT_EQ(book["sheets"][0]["cells"][1]["value"], "kept");
}

TEST(XlsDriverConnecting, UnknownInformationTypeIsHY096) {
    ScratchDir dir;
    DriverSession session;
    ASSERT_EQ(session.Connect("ReadOnly=0;DBQ=" + (dir / "info").string()), SQL_SUCCESS);
    char text[64];
    SQLSMALLINT length = 0;
    EXPECT_EQ(SQLGetInfo(session.dbc(), 31999, text, sizeof text, &length), SQL_ERROR);
    EXPECT_EQ(session.ConnectionDiagnostic().state, "HY096");
}

}  // namespace
}  // namespace tabvex::test
