// Connecting through a provider other than Jet: the ODBC ProgID is served here by a
// scripted data source over the Jet provider, whose information properties and
// session creation the tests decide.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "connect/connecting.h"
#include "connecting_test_support.h"
#include "platform/jet/jet_data_source.h"
#include "platform/oledb/row_source.h"
#include "platform/registry/class_registry.h"

namespace tabvex::connect::testing {
namespace {

namespace fs = std::filesystem;
using namespace tabvex::oledb;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kOdbc = "MSDASQL";

struct ProviderScript {
    HRESULT sessionResult = S_OK;
    std::optional<std::string> dbmsName;  // nullopt: the property cannot be read
    std::optional<std::string> dbmsVersion;
    std::vector<DBPROPSET> receivedSets;
};

ProviderScript* script = nullptr;  // the running test's, while it runs

// Jet's session, with the catalog list an ODBC source gives: the one database.
class CatalogSession : public Session {
public:
    CatalogSession(std::shared_ptr<Session> jet, std::string catalog) : jet_(std::move(jet)), catalog_(std::move(catalog)) {}

    HRESULT GetSchemaRowset(const Guid& schema, const Restrictions& restrictions,
                            std::shared_ptr<Rowset>& rowset) override {
        if (schema != DBSCHEMA_CATALOGS) return jet_->GetSchemaRowset(schema, restrictions, rowset);
        std::vector<DBCOLUMNINFO> columns{{"CATALOG_NAME", 1, 0, 128, DBTYPE_WSTR, 0, 0}};
        std::vector<std::vector<Value>> rows{{Value{catalog_}}};
        rowset = std::make_shared<Rowset>(std::make_unique<MemoryRowSource>(columns, rows), Rowset::Bookmark::None);
        return S_OK;
    }
    HRESULT CreateCommand(std::shared_ptr<Command>& command) override { return jet_->CreateCommand(command); }
    bool InterfaceSupportsErrorInfo(const Guid& interfaceId) const override {
        return jet_->InterfaceSupportsErrorInfo(interfaceId);
    }

private:
    std::shared_ptr<Session> jet_;
    std::string catalog_;
};

class ScriptedDataSource : public DataSource {
public:
    HRESULT SetProperties(std::vector<DBPROPSET>& sets) override {
        script->receivedSets = sets;
        std::vector<DBPROPSET> forJet = sets;
        for (auto& property : forJet.front().properties) {
            if (property.id == DBPROP_INIT_CATALOG) catalog_ = std::get<std::string>(property.value);
            // Jet reads workbooks through its own ISAM, not the ODBC driver.
            if (property.id == DBPROP_INIT_PROVIDERSTRING &&
                std::get<std::string>(property.value).starts_with("Driver={Microsoft Excel Driver")) {
                property.value = std::string("Excel 8.0;HDR=Yes;");
            }
        }
        return jet_.SetProperties(forJet);
    }
    HRESULT GetProperty(const Guid& setId, DBPROPID id, PropertyValue& value) override {
        if (setId == DBPROPSET_DATASOURCEINFO && (id == DBPROP_DBMSNAME || id == DBPROP_DBMSVER)) {
            const auto& scripted = id == DBPROP_DBMSNAME ? script->dbmsName : script->dbmsVersion;
            if (!scripted) return DB_E_ERRORSOCCURRED;
            value = *scripted;
            return S_OK;
        }
        return jet_.GetProperty(setId, id, value);
    }
    HRESULT Initialize() override { return jet_.Initialize(); }
    HRESULT Uninitialize() override { return jet_.Uninitialize(); }
    HRESULT CreateSession(std::shared_ptr<Session>& session) override {
        std::shared_ptr<Session> jetSession;
        HRESULT result = jet_.CreateSession(jetSession);
        if (Failed(result)) return result;
        session = std::make_shared<CatalogSession>(jetSession, catalog_);
        return script->sessionResult;
    }
    HRESULT CreateDataSource(std::vector<DBPROPSET>&) override { return E_NOTIMPL; }
    bool InterfaceSupportsErrorInfo(const Guid& interfaceId) const override {
        return jet_.InterfaceSupportsErrorInfo(interfaceId);
    }

private:
    jet::JetDataSource jet_;
    std::string catalog_;
};

class ConnectingProviderTest : public ConnectingTest {
protected:
    static void SetUpTestSuite() {
        registry::RegisterModule("msdasql", [](const Guid&) -> std::shared_ptr<ComObject> {
            return script ? std::make_shared<ScriptedDataSource>() : nullptr;
        });
    }
    void SetUp() override {
        script = &provider;
        Configure(migrator.sourceSettings(), WriteShop(scratch / "shop.mdb"), kOdbc);
        migrator.sourceSettings().catalogName = "shop";
    }
    void TearDown() override { script = nullptr; }

    ProviderScript provider;
};

TEST_F(ConnectingProviderTest, OdbcSourceGetsOneSetNamingTheWorkgroupFileAndKeepsItsCatalog) {
    provider.dbmsName = "ACCESS";
    provider.dbmsVersion = "04.00.0000";
    ConnectSource(migrator);
    ASSERT_EQ(provider.receivedSets.size(), 1u) << "no Jet set for another provider";
    EXPECT_EQ(provider.receivedSets[0].properties.back().value,
              PropertyValue{"Driver={Microsoft Access Driver (*.mdb)};SystemDB=" + profile.workgroupFile().string() +
                            ";"});
    EXPECT_TRUE(fs::is_regular_file(profile.workgroupFile())) << "made sure of whatever the provider";
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Source Database!", kCompleted));
    EXPECT_EQ(migrator.sourceSettings().dbmsName, "ACCESS[04.00.0000]");
    EXPECT_EQ(migrator.sourceTree().connection().databaseName, "shop");
    EXPECT_THAT(TableNames(migrator.sourceTree()), ElementsAre("Customers", "Orders"));
}

TEST_F(ConnectingProviderTest, NameIsTrimmedAndAnEmptyNameStaysEmptyWithoutVersion) {
    provider.dbmsName = "  ACCESS \t";
    provider.dbmsVersion = "1";
    ConnectSource(migrator);
    EXPECT_EQ(migrator.sourceSettings().dbmsName, "ACCESS[1]");

    provider.dbmsName = "   ";
    provider.dbmsVersion = std::nullopt;  // never asked for
    ConnectSource(migrator);
    EXPECT_EQ(migrator.sourceSettings().dbmsName, "");
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Source Database!", kCompleted, "Connect Source Database!", kCompleted))
        << "the Access fallback is empty with a session";
}

TEST_F(ConnectingProviderTest, UnreadableNameKeepsThePreviousTextAndUnreadableVersionIsReported) {
    migrator.sourceSettings().dbmsName = "earlier";
    provider.dbmsName = std::nullopt;
    provider.dbmsVersion = std::nullopt;
    ConnectSource(migrator);
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Source Database!", "Get Source DBMS Name Error!",
                                           "Get Source DBMS Version Error!", kCompleted));
    EXPECT_EQ(migrator.sourceSettings().dbmsName, "earlier");
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kSourceSide) << "connected all the same";
}

TEST_F(ConnectingProviderTest, SessionThatIsNotPlainSuccessStopsBeforeTheTree) {
    provider.sessionResult = DB_S_ERRORSOCCURRED;  // a success code, but not S_OK
    provider.dbmsName = "ACCESS";
    ConnectSource(migrator);
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Source Database!"));
    EXPECT_THAT(ui.boxes(), ElementsAre(app::MessageBoxRequest{"Couldn't create session on data source",
                                                               app::kProgramTitle, app::MessageButtons::Ok,
                                                               app::MessageIcon::Error}));
    EXPECT_TRUE(migrator.sourceHolder().HasDataSource());
    EXPECT_FALSE(migrator.sourceHolder().HasSession());
    EXPECT_EQ(migrator.sourceTree().sideMarker(), browser::kNotConnected);
    EXPECT_THAT(ui.redrawnTrees(), IsEmpty()) << "the tree is not filled";
}

TEST_F(ConnectingProviderTest, OdbcTargetWithoutNameFallsBackToTheVersionQuery) {
    Configure(migrator.targetSettings(), WriteBook(scratch / "book.xls"), kOdbc);
    provider.dbmsName = "";
    ConnectTarget(migrator);
    EXPECT_EQ(provider.receivedSets.size(), 1u);
    EXPECT_EQ(provider.receivedSets[0].properties.back().value,
              PropertyValue{std::string("Driver={Microsoft Excel Driver (*.xls)};DriverId=790;ReadOnly=0;")});
    // The scripted source is Jet underneath, which refuses "select @@Version": its
    // description becomes the title.
    EXPECT_THAT(migrator.targetSettings().dbmsName, ::testing::StartsWith("Syntax error"));
    EXPECT_THAT(ui.messages(), ElementsAre("Connect Target Database!", kCompleted));
}

}  // namespace
}  // namespace tabvex::connect::testing
