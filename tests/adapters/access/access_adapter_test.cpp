#include "adapters/access/access_adapter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/adapter_test_support.h"
#include "platform/jet/mdb/database.h"
#include "shell/program.h"
#include "support/scripted_user_interface.h"

namespace tabvex::adapters {
namespace {

namespace fs = std::filesystem;
using namespace tabvex::oledb;
using ::testing::ElementsAre;
using ::testing::StartsWith;

class AccessAdapterTest : public ::testing::Test {
protected:
    test::ScratchProfile profile;
    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    shell::Program program{ui, scratch.path()};
};

TEST_F(AccessAdapterTest, JetPropertiesInOrderAndTheCatalogRecomputedFromTheSourceName) {
    connect::ConnectionSettings settings{"", "Microsoft.Jet.OLEDB.4.0", "shop", "/data/Shop.mdb", "Secret", "Admin", ""};
    DBPROPSET set{DBPROPSET_DBINIT, {}};
    EXPECT_TRUE(BuildAccessInitProperties(settings, set));
    const std::vector<std::pair<DBPROPID, PropertyValue>> expected{
        {DBPROP_AUTH_CACHE_AUTHINFO, true},         {DBPROP_AUTH_ENCRYPT_PASSWORD, false},
        {DBPROP_AUTH_MASK_PASSWORD, false},         {DBPROP_AUTH_PASSWORD, std::string("Secret")},
        {DBPROP_AUTH_USERID, std::string("Admin")}, {DBPROP_INIT_DATASOURCE, std::string("/data/Shop.mdb")},
        {DBPROP_INIT_CATALOG, std::string("shop")}, {DBPROP_INIT_MODE, std::int32_t{0x10}},
        {DBPROP_INIT_PROMPT, std::int16_t{4}},      {DBPROP_INIT_LCID, std::int32_t{0x409}},
        {DBPROP_INIT_PROVIDERSTRING, std::string(";COUNTRY=0;CP=1252;LANGID=0x0409")}};
    ASSERT_EQ(set.properties.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(set.properties[i].id, expected[i].first) << i;
        EXPECT_EQ(set.properties[i].value, expected[i].second) << i;
    }
    EXPECT_EQ(settings.catalogName, "/data/Shop") << "the set keeps the old catalog, the settings get the new one";

    // The ending in any case, and only at the end of the file's name; an empty source
    // adds neither name.
    for (auto [source, catalog] : {std::pair{"/d/SHOP.MDB", "/d/SHOP"}, {"/d/Sales.accdb", "/d/Sales"},
                                   {"/d/readmdb", "/d/readmdb"}, {"/d/a.mdb.bak", "/d/a.mdb.bak"},
                                   {"/d/data.mdb.d/shop", "/d/data.mdb.d/shop"}, {"", ""}}) {
        connect::ConnectionSettings other{"", "microsoft.jet.oledb.4.0", "", source, "", "", ""};
        DBPROPSET otherSet{DBPROPSET_DBINIT, {}};
        BuildAccessInitProperties(other, otherSet);
        EXPECT_EQ(other.catalogName, catalog) << source;
        EXPECT_EQ(otherSet.properties.size(), *source ? 10u : 9u) << "password and user id always, even empty";
    }
}

TEST_F(AccessAdapterTest, OdbcSourceNamesTheWorkgroupFileInTheProfileAndKeepsItsCatalog) {
    connect::ConnectionSettings settings{"", "MSDASQL", "shop", "/data/shop.mdb", "", "", ""};
    DBPROPSET set{DBPROPSET_DBINIT, {}};
    BuildAccessInitProperties(settings, set);
    const std::string workgroupFile = profile.workgroupFile().string();
    EXPECT_EQ(set.properties.back().value,
              PropertyValue{"Driver={Microsoft Access Driver (*.mdb)};SystemDB=" + workgroupFile + ";"});
    EXPECT_EQ(settings.catalogName, "shop");
    EXPECT_EQ(SystemDatabasePath(), workgroupFile);
    unsetenv("USERPROFILE");
    EXPECT_EQ(SystemDatabasePath(), workgroupFile) << "$HOME stands in for %USERPROFILE%";
}

TEST_F(AccessAdapterTest, WorkgroupFileIsCreatedWithItsFoldersInPlaceOfAnEmptyFolderAndThenKept) {
    EnsureSystemDatabase(program.output());
    EXPECT_NO_THROW(mdb::Database::Open(profile.workgroupFile()));
    const auto written = fs::last_write_time(profile.workgroupFile());
    EnsureSystemDatabase(program.output());
    EXPECT_EQ(fs::last_write_time(profile.workgroupFile()), written);

    fs::remove(profile.workgroupFile());
    fs::create_directory(profile.workgroupFile());
    EnsureSystemDatabase(program.output());
    EXPECT_TRUE(fs::is_regular_file(profile.workgroupFile()));
    EXPECT_TRUE(ui.messages().empty());

    fs::remove(profile.workgroupFile());
    fs::create_directories(profile.workgroupFile() / "kept");
    EnsureSystemDatabase(program.output());
    EXPECT_THAT(ui.messages(), ElementsAre(StartsWith("Create SysDB \r\n failed with error code:[0x80004005] \r\n")));
}

TEST_F(AccessAdapterTest, NewDatabaseGoesBesideTheSidesDatabase) {
    fs::create_directories(scratch / "in");
    program.sides().source().tree().SetDatabaseName((scratch / "in/shop").string());
    program.sides().target().tree().SetDatabaseName((scratch / "book").string());
    const browser::Sides& sides = program.sides();
    EXPECT_TRUE(CreateAccessDatabase(program.output(), sides.PathBesideDatabase(browser::kSourceSide, "Access_New")));
    EXPECT_NO_THROW(mdb::Database::Open(scratch / "in/Access_New.mdb"));
    EXPECT_TRUE(fs::is_regular_file(profile.workgroupFile()));

    const auto besideTarget = [&](const char* name) { return sides.PathBesideDatabase(browser::kTargetSide, name); };
    EXPECT_TRUE(CreateAccessDatabase(program.output(), besideTarget("a.mdb.bak"))) << "\".mdb\" inside the name is no ending";
    EXPECT_TRUE(CreateAccessDatabase(program.output(), besideTarget("NEW.MDB")));
    EXPECT_FALSE(CreateAccessDatabase(program.output(), besideTarget("NEW.MDB"))) << "exists already";
    EXPECT_THAT(ui.messages(), ElementsAre("Create Access MDB File [" + (scratch / "in/Access_New.mdb").string() + "]",
                                           "Create Access MDB File [" + (scratch / "a.mdb.bak.mdb").string() + "]",
                                           "Create Access MDB File [" + (scratch / "NEW.MDB").string() + "]",
                                           "Create Access MDB File [" + (scratch / "NEW.MDB").string() + "]",
                                           StartsWith("Create DB \r\n failed with error code:[0x80004005]")));
}

TEST_F(AccessAdapterTest, VersionTextWithoutASessionIsNoConnection) {
    EXPECT_EQ(QueryAccessVersion(program.output(), connect::ConnectionHolder{}), "No Connection!");
    EXPECT_THAT(ui.messages(), ElementsAre(StartsWith("No Connection! \r\n failed with error code:[0x")));
}

}  // namespace
}  // namespace tabvex::adapters
