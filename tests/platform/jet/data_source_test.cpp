#include "platform/jet/jet_data_source.h"

#include <gtest/gtest.h>

#include "jet_test_support.h"
#include "platform/oledb/interface_ids.h"
#include "support/test_support.h"

namespace tabvex::jet {
namespace {

using namespace tabvex::oledb;
using test::LastErrorDescription;

std::string TextProperty(DataSource& dataSource, const Guid& set, DBPROPID id) {
    PropertyValue value;
    EXPECT_EQ(dataSource.GetProperty(set, id, value), S_OK);
    return std::holds_alternative<std::string>(value) ? std::get<std::string>(value) : "(not text)";
}

// The source connection's property sets: DBINIT as the Access adapter fills it,
// and the Jet set with the workgroup file.
std::vector<DBPROPSET> SourceProperties(const std::string& file, const std::string& workgroupFile) {
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    AddProperty(init, DBPROP_AUTH_CACHE_AUTHINFO, true);
    AddProperty(init, DBPROP_AUTH_ENCRYPT_PASSWORD, false);
    AddProperty(init, DBPROP_AUTH_MASK_PASSWORD, false);
    AddProperty(init, DBPROP_AUTH_PASSWORD, std::string());
    AddProperty(init, DBPROP_AUTH_USERID, std::string());
    AddProperty(init, DBPROP_INIT_DATASOURCE, file);
    AddProperty(init, DBPROP_INIT_MODE, std::int32_t{0x10});
    AddProperty(init, DBPROP_INIT_PROMPT, std::int16_t{4});
    AddProperty(init, DBPROP_INIT_LCID, std::int32_t{0x409});
    AddProperty(init, DBPROP_INIT_PROVIDERSTRING, std::string(";COUNTRY=0;CP=1252;LANGID=0x0409"));
    DBPROPSET jet{DBPROPSET_JETOLEDB_DBINIT, {}};
    AddProperty(jet, DBPROP_JETOLEDB_SYSDBPATH, workgroupFile);
    return {init, jet};
}

TEST(JetDataSource, InitializesOverAnAccessFileAndAnswersAsJet) {
    auto northwind = test::NorthwindPath();
    if (northwind.empty()) GTEST_SKIP() << "corpus absent";
    JetDataSource dataSource;
    auto sets = SourceProperties(northwind.string(), northwind.string());  // any existing file will do
    ASSERT_EQ(dataSource.SetProperties(sets), S_OK);
    ASSERT_EQ(dataSource.Initialize(), S_OK) << LastErrorDescription();

    EXPECT_EQ(TextProperty(dataSource, DBPROPSET_DATASOURCEINFO, DBPROP_DBMSNAME), "MS Jet");
    EXPECT_EQ(TextProperty(dataSource, DBPROPSET_DATASOURCEINFO, DBPROP_DBMSVER), "04.00.0000");
    EXPECT_EQ(TextProperty(dataSource, DBPROPSET_DATASOURCEINFO, DBPROP_DATASOURCENAME), northwind.string());
    std::string catalog = northwind.string();
    catalog.resize(catalog.size() - 4);
    EXPECT_EQ(TextProperty(dataSource, DBPROPSET_DATASOURCE, DBPROP_CURRENTCATALOG), catalog);

    EXPECT_EQ(dataSource.Initialize(), DB_E_ALREADYINITIALIZED);
    EXPECT_EQ(dataSource.SetProperties(sets), DB_E_ERRORSOCCURRED);
    EXPECT_EQ(sets[0].properties[0].status, DBPROPSTATUS_NOTSETTABLE);
}

TEST(JetDataSource, MissingWorkgroupFileFailsInitializationAsJetDoes) {
    auto northwind = test::NorthwindPath();
    if (northwind.empty()) GTEST_SKIP() << "corpus absent";
    tabvex::test::ScratchDir scratch;
    JetDataSource dataSource;
    auto sets = SourceProperties(northwind.string(), (scratch / "System.MDW").string());
    ASSERT_EQ(dataSource.SetProperties(sets), S_OK);
    EXPECT_EQ(dataSource.Initialize(), E_FAIL);
    std::string description = LastErrorDescription();
    EXPECT_NE(description.find("workgroup information file is missing"), std::string::npos) << description;
    EXPECT_NE(description.find("System.MDW"), std::string::npos) << description;

    std::filesystem::create_directory(scratch / "System.MDW");  // a folder is no workgroup file either
    EXPECT_EQ(dataSource.Initialize(), E_FAIL);
}

TEST(JetDataSource, FailuresBeforeAndDuringInitializationNameTheProblem) {
    tabvex::test::ScratchDir scratch;
    JetDataSource dataSource;
    std::shared_ptr<Session> session;
    EXPECT_EQ(dataSource.CreateSession(session), E_UNEXPECTED);
    EXPECT_EQ(session, nullptr);
    PropertyValue value;
    EXPECT_EQ(dataSource.GetProperty(DBPROPSET_DATASOURCEINFO, DBPROP_DBMSNAME, value), DB_E_ERRORSOCCURRED);
    EXPECT_NE(LastErrorDescription().find("not initialized"), std::string::npos);

    EXPECT_EQ(dataSource.Initialize(), E_FAIL);
    EXPECT_NE(LastErrorDescription().find("DBPROP_INIT_DATASOURCE"), std::string::npos);

    auto missing = (scratch / "nowhere.mdb").string();
    auto sets = SourceProperties(missing, "");
    dataSource.SetProperties(sets);
    EXPECT_EQ(dataSource.Initialize(), E_FAIL);
    EXPECT_NE(LastErrorDescription().find("nowhere.mdb"), std::string::npos);

    tabvex::test::WriteFile(scratch / "notes.mdb", "this is not a database");
    sets = SourceProperties((scratch / "notes.mdb").string(), "");
    dataSource.SetProperties(sets);
    EXPECT_EQ(dataSource.Initialize(), E_FAIL);
    EXPECT_NE(LastErrorDescription().find("notes.mdb"), std::string::npos);
    EXPECT_TRUE(dataSource.InterfaceSupportsErrorInfo(IID_IDBInitialize));
}

}  // namespace
}  // namespace tabvex::jet
