// Failures of the ODBC provider: each a failing result code with the driver
// manager's or the driver's diagnostics as readable error records, never a crash.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "odbc_test_support.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/odbc/odbc_data_source.h"
#include "platform/oledb/interface_ids.h"
#include "support/test_support.h"

namespace tabvex::odbc {
namespace {

using namespace tabvex::oledb;
using ::testing::HasSubstr;

std::string FirstRecord() {
    auto records = test::ErrorRecords();
    return records.empty() ? "" : records.front();
}

TEST(OdbcErrors, UnknownDataSourceNameIsReportedByTheDriverManager) {
    HRESULT result = S_OK;
    auto dataSource = test::InitializeWith(test::InitProperties("", "NoSuchSourceAnywhere"), result);
    EXPECT_EQ(result, E_FAIL);
    EXPECT_TRUE(dataSource->InterfaceSupportsErrorInfo(IID_IDBInitialize));
    std::string record = FirstRecord();
    EXPECT_THAT(record, HasSubstr("[unixODBC][Driver Manager]Data source name not found"));
    EXPECT_THAT(record, HasSubstr("SQLSTATE IM002"));
    std::shared_ptr<Session> session;
    EXPECT_EQ(dataSource->CreateSession(session), E_UNEXPECTED);
}

TEST(OdbcErrors, DriverLibraryThatDoesNotExistIsReported) {
    HRESULT result = S_OK;
    test::InitializeWith(test::InitProperties("Driver=/nonexistent/libnodriver.so;"), result);
    EXPECT_EQ(result, E_FAIL);
    std::string record = FirstRecord();
    EXPECT_THAT(record, HasSubstr("[unixODBC][Driver Manager]Can't open lib '/nonexistent/libnodriver.so'"));
    EXPECT_THAT(record, HasSubstr("(SQLSTATE "));
}

class OdbcAccessErrors : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::AccessDriverPath().empty()) GTEST_SKIP() << "mdbtools' ODBC driver is not installed";
    }
    tabvex::test::ScratchDir scratch_;
};

TEST_F(OdbcAccessErrors, MissingDatabaseFileFailsToInitialize) {
    HRESULT result = S_OK;
    test::InitializeWith(test::InitProperties(test::AccessDriverProviderString(), "", (scratch_ / "absent.mdb").string()),
                         result);
    EXPECT_EQ(result, E_FAIL);
    EXPECT_THAT(FirstRecord(), HasSubstr("DBQ=" + (scratch_ / "absent.mdb").string()));
}

TEST_F(OdbcAccessErrors, StatementErrorsFailTheCommandWithTheDriversText) {
    mdb::DatabaseWriter writer(scratch_ / "shop.mdb");
    writer.AddTable("Customers", {{"Id", mdb::JetType::Long, 0}});
    writer.Write();
    auto session = test::OpenAccessSession(scratch_ / "shop.mdb");
    ASSERT_TRUE(session);
    std::shared_ptr<Command> command;
    ASSERT_EQ(session->CreateCommand(command), S_OK);
    std::shared_ptr<Rowset> rowset;
    EXPECT_EQ(command->Execute(rowset), DB_E_NOCOMMAND);
    for (const char* text : {"SELEKT * FROM Customers", "SELECT * FROM NoSuchTable"}) {
        ASSERT_EQ(command->SetCommandText(DBGUID_DBSQL, text), S_OK);
        EXPECT_EQ(command->Execute(rowset), DB_E_ERRORSINCOMMAND) << text;
        EXPECT_EQ(rowset, nullptr);
        // mdbtools' driver gives no SQLSTATE, only its text and a native code.
        EXPECT_EQ(FirstRecord(), "Couldn't parse SQL (native error 1)") << text;
    }
    // The session still works after the failures.
    EXPECT_EQ(test::ReadTexts(*test::Query(*session, "SELECT * FROM Customers")).size(), 0u);
    EXPECT_EQ(session->Commit(), S_OK) << FirstRecord();
}

TEST(OdbcDataSourceObject, CannotCreateDataStores) {
    OdbcDataSource dataSource;
    auto sets = test::InitProperties("Driver=x;");
    EXPECT_EQ(dataSource.CreateDataSource(sets), DB_E_NOTSUPPORTED);
    EXPECT_FALSE(FirstRecord().empty());
}

}  // namespace
}  // namespace tabvex::odbc
