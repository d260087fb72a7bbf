// The driver's own reading of connection strings and workbook names.
#include <gtest/gtest.h>

#include "platform/odbc/xls_driver/connection_settings.h"
#include "platform/odbc/xls_driver/connection_string.h"
#include "platform/odbc/xls_driver/name_pattern.h"
#include "support/test_support.h"

namespace tabvex::odbc::xls {
namespace {

TEST(XlsConnectionString, BracedValuesKeysWithoutCaseAndTheFirstOfRepeatedKeys) {
    auto text = ConnectionString::Parse(
        "Driver={Microsoft Excel Driver (*.xls)}; dbq = {/tmp/a;b}}c.xls} ;DriverId=790;DBQ=/ignored;ReadOnly=0");
    EXPECT_EQ(text.Find("DRIVER"), "Microsoft Excel Driver (*.xls)");
    EXPECT_EQ(text.Find("DBQ"), "/tmp/a;b}c.xls");
    EXPECT_EQ(text.Find("readonly"), "0");
    EXPECT_EQ(text.Find("DSN"), std::nullopt);
    // Written out again, the values that need braces get them and read back the same.
    auto again = ConnectionString::Parse(text.Text());
    EXPECT_EQ(again.Find("DBQ"), "/tmp/a;b}c.xls");
    EXPECT_EQ(again.Find("Driver"), "Microsoft Excel Driver (*.xls)");
}

TEST(XlsConnectionString, MalformedTextIsRefusedWithThePosition) {
    for (const std::string& text : std::vector<std::string>{"DBQ={open", "=x", " ; =x", "DBQ", "DBQ={a}b", "DBQ=a{b", std::string("A=\0", 3)}) {
        try {
            ConnectionString::Parse(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const ConnectionStringError& error) {
            EXPECT_NE(std::string(error.what()).find("character"), std::string::npos) << error.what();
        }
    }
    EXPECT_NO_THROW(ConnectionString::Parse(";;  ;"));
}

TEST(XlsConnectionString, SettingsAndWorkbookPaths) {
    auto settings = SettingsFromConnectionString(ConnectionString::Parse("DBQ=Book;DefaultDir=/data;ReadOnly=0"));
    EXPECT_FALSE(settings.readOnly);
    EXPECT_TRUE(SettingsFromConnectionString(ConnectionString::Parse("DBQ=x")).readOnly);
    EXPECT_THROW(SettingsFromConnectionString(ConnectionString::Parse("ReadOnly=yes")), ConnectionStringError);
    EXPECT_EQ(WorkbookPath(settings.workbook, settings.defaultDir), "/data/Book.xls");
    EXPECT_EQ(WorkbookPath("/abs/Book.XLS", "/data"), "/abs/Book.XLS");
    EXPECT_EQ(WorkbookPath("book.xlsx", ""), "book.xlsx.xls");
    EXPECT_EQ(CatalogName("/abs/Book.XLS"), "/abs/Book");

    // A name without its ending is the workbook there, whatever the ending's case.
    test::ScratchDir scratch;
    test::WriteFile(scratch / "Sales.XLS", "");
    EXPECT_EQ(WorkbookPath("Sales", scratch.path().string()), scratch / "Sales.XLS");
    EXPECT_EQ(WorkbookPath("sales", scratch.path().string()), scratch / "sales.xls");
}

TEST(XlsNamePattern, PercentUnderscoreAndEscape) {
    EXPECT_TRUE(MatchesNamePattern("%", "Orders$"));
    EXPECT_TRUE(MatchesNamePattern("ord%", "Orders$"));
    EXPECT_TRUE(MatchesNamePattern("Order_", "Orders"));
    EXPECT_TRUE(MatchesNamePattern("_ße", "Öße"));  // one character of two bytes
    EXPECT_FALSE(MatchesNamePattern("Order_", "Order"));
    EXPECT_TRUE(MatchesNamePattern("A\\_B", "A_B"));
    EXPECT_FALSE(MatchesNamePattern("A\\_B", "AxB"));
    EXPECT_TRUE(MatchesNamePattern("%s$", "Order Details$"));
    EXPECT_FALSE(MatchesNamePattern("%x%", "Orders"));
    EXPECT_TRUE(MatchesNamePattern("", ""));
}

}  // namespace
}  // namespace tabvex::odbc::xls
