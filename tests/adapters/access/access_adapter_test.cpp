#include "adapters/access/access_adapter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/adapter_test_support.h"
#include "platform/jet/mdb/database.h"
#include "platform/jet/mdb/database_writer.h"
#include "support/jet_connection.h"
#include "support/scripted_user_interface.h"

namespace tabvex::adapters {
namespace {

namespace fs = std::filesystem;
using namespace tabvex::oledb;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kJet = "Microsoft.Jet.OLEDB.4.0";

connect::ConnectionSettings JetSource(std::string sourceName, std::string catalogName = "") {
    connect::ConnectionSettings settings;
    settings.providerProgId = kJet;
    settings.sourceName = std::move(sourceName);
    settings.catalogName = std::move(catalogName);
    settings.userId = "Admin";
    settings.password = "Secret";
    return settings;
}

class AccessAdapterTest : public ::testing::Test {
protected:
    test::ScratchProfile profile;
    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    app::Migrator migrator{ui, scratch.path()};
};

// --- initialization properties

TEST_F(AccessAdapterTest, JetSetHoldsEveryPropertyInOrderAndTheCatalogLosesTheEnding) {
    auto settings = JetSource("/data/Shop.mdb", "shop");
    DBPROPSET set{DBPROPSET_DBINIT, {}};
    EXPECT_TRUE(BuildAccessInitProperties(settings, set));
    EXPECT_EQ(test::Properties(set),
              (test::PropertyList{{DBPROP_AUTH_CACHE_AUTHINFO, true},
                                  {DBPROP_AUTH_ENCRYPT_PASSWORD, false},
                                  {DBPROP_AUTH_MASK_PASSWORD, false},
                                  {DBPROP_AUTH_PASSWORD, std::string("Secret")},
                                  {DBPROP_AUTH_USERID, std::string("Admin")},
                                  {DBPROP_INIT_DATASOURCE, std::string("/data/Shop.mdb")},
                                  {DBPROP_INIT_CATALOG, std::string("shop")},
                                  {DBPROP_INIT_MODE, std::int32_t{0x10}},
                                  {DBPROP_INIT_PROMPT, std::int16_t{4}},
                                  {DBPROP_INIT_LCID, std::int32_t{0x409}},
                                  {DBPROP_INIT_PROVIDERSTRING, std::string(";COUNTRY=0;CP=1252;LANGID=0x0409")}}));
    EXPECT_EQ(settings.catalogName, "/data/Shop") << "the set keeps the old catalog, the settings get the new one";
}

TEST_F(AccessAdapterTest, JetCatalogRuleIsCaseSensitiveAndItsDotMatchesAnyCharacter) {
    struct Case {
        const char* sourceName;
        const char* catalogName;
    };
    for (const Case& c : {Case{"/data/SHOP.MDB", "/data/SHOP.MDB"}, Case{"/data/readmdb", "/data/rea"},
                          Case{"/data/shop.mdb.bak", "/data/shop.mdb.bak"}, Case{"C:\\Data\\Shop.mdb", "C:\\Data\\Shop"},
                          Case{"", ""}}) {
        auto settings = JetSource(c.sourceName, "old");
        DBPROPSET set{DBPROPSET_DBINIT, {}};
        BuildAccessInitProperties(settings, set);
        EXPECT_EQ(settings.catalogName, c.catalogName) << c.sourceName;
    }
}

TEST_F(AccessAdapterTest, EmptyNamesLeaveOutSourceAndCatalogButNeverTheCredentials) {
    connect::ConnectionSettings settings;
    settings.providerProgId = "microsoft.jet.oledb.4.0";  // the ProgID compares without case
    DBPROPSET set{DBPROPSET_DBINIT, {}};
    BuildAccessInitProperties(settings, set);
    EXPECT_THAT(test::Ids(set), ElementsAre(DBPROP_AUTH_CACHE_AUTHINFO, DBPROP_AUTH_ENCRYPT_PASSWORD,
                                            DBPROP_AUTH_MASK_PASSWORD, DBPROP_AUTH_PASSWORD, DBPROP_AUTH_USERID,
                                            DBPROP_INIT_MODE, DBPROP_INIT_PROMPT, DBPROP_INIT_LCID,
                                            DBPROP_INIT_PROVIDERSTRING));
    EXPECT_EQ(set.properties[3].value, PropertyValue{std::string()});
    EXPECT_EQ(set.properties.back().value, PropertyValue{std::string(";COUNTRY=0;CP=1252;LANGID=0x0409")});
}

TEST_F(AccessAdapterTest, OdbcSourceNamesTheWorkgroupFileAndKeepsItsCatalog) {
    auto settings = JetSource("/data/shop.mdb", "shop");
    settings.providerProgId = "MSDASQL";
    DBPROPSET set{DBPROPSET_DBINIT, {}};
    BuildAccessInitProperties(settings, set);
    EXPECT_EQ(set.properties.back().value,
              PropertyValue{"Driver={Microsoft Access Driver (*.mdb)};SystemDB=" + profile.workgroupFile().string() + ";"});
    EXPECT_EQ(settings.catalogName, "shop");
}

// --- the workgroup file

TEST_F(AccessAdapterTest, SystemDatabasePathIsInTheProfileWithSlashesAndFallsBackToHome) {
    EXPECT_EQ(SystemDatabasePath(), profile.workgroupFile().string());
    EXPECT_EQ(SystemDatabasePathForOdbc(), profile.workgroupFile().string() + ";");
    profile.DropUserProfile();
    EXPECT_EQ(SystemDatabasePath(), profile.workgroupFile().string()) << "without USERPROFILE, $HOME";
    setenv("USERPROFILE", (profile.home() / "other").c_str(), 1);
    EXPECT_EQ(SystemDatabasePath(), (profile.home() / "other/Application Data/Microsoft/Access/System.MDW").string());
}

TEST_F(AccessAdapterTest, MissingWorkgroupFileIsCreatedWithItsFoldersAndThenLeftAlone) {
    ASSERT_FALSE(fs::exists(profile.home() / "Application Data"));
    EnsureSystemDatabase(migrator);
    ASSERT_TRUE(fs::is_regular_file(profile.workgroupFile()));
    EXPECT_NO_THROW(mdb::Database::Open(profile.workgroupFile())) << "an Access file";
    EXPECT_TRUE(ui.messages().empty());

    const auto written = fs::last_write_time(profile.workgroupFile());
    EnsureSystemDatabase(migrator);
    EXPECT_EQ(fs::last_write_time(profile.workgroupFile()), written);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(AccessAdapterTest, EmptyFolderInThePlaceOfTheWorkgroupFileIsReplaced) {
    fs::create_directories(profile.workgroupFile());
    EnsureSystemDatabase(migrator);
    EXPECT_TRUE(fs::is_regular_file(profile.workgroupFile()));
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(AccessAdapterTest, FolderThatCannotBeRemovedIsReportedAsTheCreateSysDbStep) {
    fs::create_directories(profile.workgroupFile() / "keep");
    EnsureSystemDatabase(migrator);
    EXPECT_TRUE(fs::is_directory(profile.workgroupFile() / "keep"));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_THAT(ui.messages()[0], StartsWith("Create SysDB \r\n failed with error code:[0x80004005] \r\n discription:"));
    EXPECT_FALSE(CreateSystemDatabase(migrator));
}

// --- new databases

TEST_F(AccessAdapterTest, NewDatabaseGoesBesideTheCreationSidesDatabaseWithMdbAppended) {
    fs::create_directories(scratch / "source");
    fs::create_directories(scratch / "target");
    migrator.sourceTree().SetDatabaseName((scratch / "source/shop").string());
    migrator.targetTree().SetDatabaseName((scratch / "target/book").string());

    migrator.SetCreationSide("Source");
    EXPECT_TRUE(CreateAccessDatabase(migrator, "Access_New"));
    const fs::path created = scratch / "source/Access_New.mdb";
    EXPECT_THAT(ui.messages(), ElementsAre("Create Access MDB File [" + created.string() + "]"));
    EXPECT_NO_THROW(mdb::Database::Open(created));
    EXPECT_TRUE(fs::is_regular_file(profile.workgroupFile())) << "made sure of after a new database";

    migrator.SetCreationSide("");
    EXPECT_TRUE(CreateAccessDatabase(migrator, "a.mdb.bak"));
    EXPECT_TRUE(fs::is_regular_file(scratch / "target/a.mdb.bak")) << "\".mdb\" anywhere: nothing appended";
}

TEST_F(AccessAdapterTest, ExistingFileIsReportedAsTheCreateDbStep) {
    migrator.SetCreationSide("Source");
    migrator.sourceTree().SetDatabaseName((scratch / "shop").string());
    test::WriteFile(scratch / "Taken.mdb", "not a database");
    EXPECT_FALSE(CreateAccessDatabase(migrator, "Taken"));
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_THAT(ui.messages()[1], StartsWith("Create DB \r\n failed with error code:[0x80004005]"));
    EXPECT_EQ(test::ReadFile(scratch / "Taken.mdb"), "not a database");
    EXPECT_FALSE(fs::exists(profile.workgroupFile())) << "only a created database makes sure of it";
}

// --- version text

TEST_F(AccessAdapterTest, VersionTextIsEmptyWithASessionAndNoConnectionWithout) {
    connect::ConnectionHolder none;
    EXPECT_EQ(QueryAccessVersion(migrator, none), "No Connection!");
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_THAT(ui.messages()[0], StartsWith("No Connection! \r\n failed with error code:[0x"));

    mdb::DatabaseWriter writer(scratch / "shop.mdb");
    writer.AddTable("Items", {{"ID", mdb::JetType::Long, 0}});
    writer.Write();
    connect::ConnectionHolder connected = test::OpenJetConnection(scratch / "shop.mdb");
    EXPECT_EQ(QueryAccessVersion(migrator, connected), "");
    EXPECT_EQ(ui.messages().size(), 1u);
}

}  // namespace
}  // namespace tabvex::adapters
