// Connecting: the connection string built from the init properties, the catalog
// as a database file, and the information properties answered after connecting.
#include <gtest/gtest.h>

#include <cstdlib>

#include "odbc_test_support.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/odbc/connection_string.h"
#include "platform/odbc/value_reader.h"
#include "support/test_support.h"

namespace tabvex::odbc {
namespace {

using namespace tabvex::oledb;

TEST(ConnectionString, ProviderStringThenDsnThenCredentialsWithBracesWhereNeeded) {
    EXPECT_EQ(ConnectionString({"Driver={Microsoft Access Driver (*.mdb)};SystemDB=/h/u/System.MDW", "shop",
                                "/d/shop.mdb", "ann", "p;w{d}"}),
              "Driver={Microsoft Access Driver (*.mdb)};SystemDB=/h/u/System.MDW;DSN=shop;UID=ann;PWD={p;w{d}}};");
    EXPECT_EQ(ConnectionString({"", "shop", "", "", ""}), "DSN=shop;");
}

TEST(ConnectionString, CatalogBecomesDbqWithoutDbqUnlessADsnTakesACatalogThatIsNoFile) {
    tabvex::test::ScratchDir scratch;
    tabvex::test::WriteFile(scratch / "shop.mdb", "");
    std::string withoutEnding = (scratch / "shop").string();
    EXPECT_EQ(ConnectionString({"Driver=x;", "", withoutEnding, "", ""}), "Driver=x;DBQ=" + withoutEnding + ".mdb;");
    EXPECT_EQ(ConnectionString({"Driver=x;DBQ=/a.mdb;", "", withoutEnding, "", ""}), "Driver=x;DBQ=/a.mdb;");
    EXPECT_EQ(ConnectionString({"Driver=x;", "shop", withoutEnding, "", ""}),
              "Driver=x;DSN=shop;DBQ=" + withoutEnding + ".mdb;")
        << "a file named beside a data source wins over the data source's own";
    EXPECT_EQ(ConnectionString({"Driver=x;", "shop", "sales", "", ""}), "Driver=x;DSN=shop;");
    // A keyword inside a braced value is no keyword.
    EXPECT_FALSE(HasKeyword("Driver={odd;DBQ=1};", "DBQ"));
    EXPECT_TRUE(HasKeyword("Driver={odd;x}}};  dbq = /a.mdb", "DBQ"));
}

TEST(DecimalText, DriverDecimalsLoseTrailingZerosAsJetCurrencyDoes) {
    EXPECT_EQ(NormalizedDecimalText("32.3800"), "32.38");
    EXPECT_EQ(NormalizedDecimalText("100.0000"), "100");
    EXPECT_EQ(NormalizedDecimalText("-0.5000"), "-0.5");
    EXPECT_EQ(NormalizedDecimalText(".2500"), "0.25");
    EXPECT_EQ(NormalizedDecimalText("-0.0000"), "0");
    EXPECT_EQ(NormalizedDecimalText("1200"), "1200");
}

TEST(OdbcDataSourceInformation, AnswersDbmsAndCatalogAfterConnectingToAFileWithoutItsEnding) {
    if (test::AccessDriverPath().empty()) GTEST_SKIP() << "mdbtools' ODBC driver is not installed";
    tabvex::test::ScratchDir scratch;
    mdb::DatabaseWriter writer(scratch / "shop.mdb");
    writer.AddTable("Customers", {{"Id", mdb::JetType::Long, 0}});
    writer.Write();
    HRESULT result = S_OK;
    auto dataSource = test::InitializeWith(
        test::InitProperties(test::AccessDriverProviderString(), "", (scratch / "shop").string()), result);
    ASSERT_EQ(result, S_OK) << ::testing::PrintToString(test::ErrorRecords());
    PropertyValue value;
    ASSERT_EQ(dataSource->GetProperty(DBPROPSET_DATASOURCEINFO, DBPROP_DBMSNAME, value), S_OK);
    EXPECT_FALSE(std::get<std::string>(value).empty());
    EXPECT_EQ(dataSource->GetProperty(DBPROPSET_DATASOURCEINFO, DBPROP_DBMSVER, value), S_OK);
    EXPECT_EQ(dataSource->GetProperty(DBPROPSET_DATASOURCEINFO, DBPROP_DATASOURCENAME, value), S_OK);
    ASSERT_EQ(dataSource->GetProperty(DBPROPSET_DATASOURCE, DBPROP_CURRENTCATALOG, value), S_OK);
    EXPECT_EQ(std::get<std::string>(value), (scratch / "shop").string());  // mdbtools' driver names none
    EXPECT_EQ(dataSource->Initialize(), DB_E_ALREADYINITIALIZED);
    auto sets = test::InitProperties("Driver=other;");
    EXPECT_EQ(dataSource->SetProperties(sets), DB_E_ERRORSOCCURRED);

    std::shared_ptr<Session> session;
    ASSERT_EQ(dataSource->CreateSession(session), S_OK);
    EXPECT_EQ(dataSource->Uninitialize(), S_OK);
    // The session keeps the connection it was made on.
    EXPECT_EQ(test::ReadTexts(*test::Query(*session, "SELECT * FROM Customers")).size(), 0u);
}

// The program's Access source over ODBC without a DSN: the driver by the name the
// program's driver list gives mdbtools' driver, the file as the catalog.
TEST(OdbcDataSourceInformation, AccessDriverByNameOpensTheCatalogFile) {
    if (test::AccessDriverPath().empty()) GTEST_SKIP() << "mdbtools' ODBC driver is not installed";
    tabvex::test::ScratchDir scratch;
    mdb::DatabaseWriter writer(scratch / "shop.mdb");
    writer.AddTable("Customers", {{"Id", mdb::JetType::Long, 0}});
    writer.AddRow("Customers", {mdb::Value("7")});
    writer.Write();
    HRESULT result = S_OK;
    auto dataSource = test::InitializeWith(
        test::InitProperties("Driver={Microsoft Access Driver (*.mdb)};SystemDB=" + (scratch / "System.MDW").string() +
                                 ";",
                             "", (scratch / "shop").string()),
        result);
    ASSERT_EQ(result, S_OK) << ::testing::PrintToString(test::ErrorRecords());
    std::shared_ptr<Session> session;
    ASSERT_EQ(dataSource->CreateSession(session), S_OK);
    EXPECT_EQ(test::ReadTexts(*test::Query(*session, "SELECT * FROM Customers")),
              (std::vector<std::vector<std::string>>{{"7"}}));
}

// The system's Access source settings through MSDASQL: a DSN, and the database
// file as the catalog, which the DSN's driver already opens.
TEST(OdbcDataSourceInformation, DataSourceNameWithItsDatabaseAsCatalog) {
    if (test::AccessDriverPath().empty()) GTEST_SKIP() << "mdbtools' ODBC driver is not installed";
    tabvex::test::ScratchDir scratch;
    mdb::DatabaseWriter writer(scratch / "shop.mdb");
    writer.AddTable("Customers", {{"Id", mdb::JetType::Long, 0}});
    writer.AddRow("Customers", {mdb::Value("7")});
    writer.Write();
    tabvex::test::WriteFile(scratch / "odbc.ini", "[shop]\nDriver=" + test::AccessDriverPath().string() +
                                                      "\nDatabase=" + (scratch / "shop.mdb").string() + "\n");
    const char* userSources = std::getenv("ODBCINI");
    const std::string previous = userSources ? userSources : "";
    setenv("ODBCINI", (scratch / "odbc.ini").c_str(), 1);
    HRESULT result = S_OK;
    auto dataSource = test::InitializeWith(test::InitProperties("", "shop", (scratch / "shop").string()), result);
    if (userSources) {
        setenv("ODBCINI", previous.c_str(), 1);
    } else {
        unsetenv("ODBCINI");
    }
    ASSERT_EQ(result, S_OK) << ::testing::PrintToString(test::ErrorRecords());
    std::shared_ptr<Session> session;
    ASSERT_EQ(dataSource->CreateSession(session), S_OK);
    EXPECT_EQ(test::ReadTexts(*test::Query(*session, "SELECT * FROM Customers")),
              (std::vector<std::vector<std::string>>{{"7"}}));
    PropertyValue value;
    ASSERT_EQ(dataSource->GetProperty(DBPROPSET_DATASOURCEINFO, DBPROP_DATASOURCENAME, value), S_OK);
    EXPECT_EQ(std::get<std::string>(value), "shop");
}

}  // namespace
}  // namespace tabvex::odbc
