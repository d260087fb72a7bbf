#include "adapters/excel/excel_connection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/adapter_test_support.h"
#include "platform/oledb/interface_ids.h"
#include "platform/xls/workbook.h"
#include "support/jet_connection.h"
#include "support/scripted_user_interface.h"

namespace tabvex::adapters {
namespace {

using namespace tabvex::oledb;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

connect::ConnectionSettings Target(std::string progId, std::string sourceName, std::string catalogName) {
    connect::ConnectionSettings settings;
    settings.providerProgId = std::move(progId);
    settings.sourceName = std::move(sourceName);
    settings.catalogName = std::move(catalogName);
    settings.userId = "Admin";
    return settings;
}

// --- initialization properties

TEST(ExcelInitProperties, JetSetHoldsEveryPropertyInOrderAndTheCatalogLosesTheEnding) {
    auto settings = Target("Microsoft.Jet.OLEDB.4.0", "/x/Sales.xls", "sales");
    DBPROPSET set{DBPROPSET_DBINIT, {}};
    EXPECT_TRUE(BuildExcelInitProperties(settings, set, false));
    EXPECT_EQ(test::Properties(set), (test::PropertyList{{DBPROP_AUTH_ENCRYPT_PASSWORD, false},
                                                         {DBPROP_AUTH_MASK_PASSWORD, false},
                                                         {DBPROP_AUTH_PASSWORD, std::string()},
                                                         {DBPROP_AUTH_USERID, std::string("Admin")},
                                                         {DBPROP_INIT_DATASOURCE, std::string("/x/Sales.xls")},
                                                         {DBPROP_INIT_CATALOG, std::string("sales")},
                                                         {DBPROP_INIT_MODE, std::int32_t{16}},
                                                         {DBPROP_INIT_PROMPT, std::int16_t{4}},
                                                         {DBPROP_INIT_PROVIDERSTRING, std::string("Excel 8.0;HDR=Yes;")}}));
    EXPECT_EQ(settings.catalogName, "/x/Sales");
}

TEST(ExcelInitProperties, JetCatalogRuleIsCaseSensitiveAndItsDotMatchesAnyCharacter) {
    struct Case {
        const char* sourceName;
        const char* catalogName;
    };
    for (const Case& c : {Case{"/x/BOOK.XLS", "/x/BOOK.XLS"}, Case{"/x/annualxls", "/x/annua"},
                          Case{"/x/book.xls.old", "/x/book.xls.old"}, Case{"", ""}}) {
        auto settings = Target("microsoft.jet.oledb.4.0", c.sourceName, "old");
        DBPROPSET set{DBPROPSET_DBINIT, {}};
        BuildExcelInitProperties(settings, set, false);
        EXPECT_EQ(settings.catalogName, c.catalogName) << c.sourceName;
    }
}

TEST(ExcelInitProperties, ConnectingLeavesOutACatalogThatOnlyRepeatsTheFileName) {
    // Equal without regard to case: connecting adds no catalog, the dialog's test does.
    auto connecting = Target("Microsoft.Jet.OLEDB.4.0", "/x/sales.XLS", "/x/Sales");
    DBPROPSET set{DBPROPSET_DBINIT, {}};
    BuildExcelInitProperties(connecting, set, false);
    EXPECT_THAT(test::Ids(set), ElementsAre(DBPROP_AUTH_ENCRYPT_PASSWORD, DBPROP_AUTH_MASK_PASSWORD,
                                            DBPROP_AUTH_PASSWORD, DBPROP_AUTH_USERID, DBPROP_INIT_DATASOURCE,
                                            DBPROP_INIT_MODE, DBPROP_INIT_PROMPT, DBPROP_INIT_PROVIDERSTRING));

    auto testing = Target("Microsoft.Jet.OLEDB.4.0", "/x/sales.XLS", "/x/Sales");
    DBPROPSET tested{DBPROPSET_DBINIT, {}};
    BuildExcelInitProperties(testing, tested, true);
    EXPECT_EQ(tested.properties[5].id, DBPROP_INIT_CATALOG);
    EXPECT_EQ(tested.properties[5].value, PropertyValue{std::string("/x/Sales")});

    auto empty = Target("Microsoft.Jet.OLEDB.4.0", "", "");
    DBPROPSET bare{DBPROPSET_DBINIT, {}};
    BuildExcelInitProperties(empty, bare, true);
    EXPECT_EQ(bare.properties.size(), 7u) << "neither data source nor catalog";
}

TEST(ExcelInitProperties, OdbcDriverStringDependsOnConnectingOrTestingAndTheCatalogStays) {
    auto connecting = Target("MSDASQL", "/x/Sales.xls", "sales");
    DBPROPSET set{DBPROPSET_DBINIT, {}};
    BuildExcelInitProperties(connecting, set, false);
    EXPECT_EQ(set.properties.back().value,
              PropertyValue{std::string("Driver={Microsoft Excel Driver (*.xls)};DriverId=790;ReadOnly=0;")});
    EXPECT_EQ(connecting.catalogName, "sales");

    DBPROPSET tested{DBPROPSET_DBINIT, {}};
    BuildExcelInitProperties(connecting, tested, true);
    EXPECT_EQ(tested.properties.back().value,
              PropertyValue{std::string("Driver={Microsoft Excel Driver (*.xls)};DriverId=790;")});
}

// --- version query

// A session whose one command answers with the rows it is given (or with none),
// recording what the query asked for.
using Rows = std::vector<std::vector<Value>>;
Value Text(const char* text) { return Value{std::string(text)}; }

struct Answer {
    std::optional<Rows> rows;  // nullopt: a statement without rows
    std::string text;
    Guid dialect;
    std::vector<DBPROPSET> properties;
};

class AnsweringCommand : public Command {
public:
    explicit AnsweringCommand(Answer& answer) : answer_(answer) {}
    HRESULT SetCommandText(const Guid& dialect, const std::string& text) override {
        answer_.dialect = dialect;
        answer_.text = text;
        return S_OK;
    }
    HRESULT SetProperties(std::vector<DBPROPSET>& sets) override {
        answer_.properties = sets;
        return S_OK;
    }
    HRESULT Execute(std::shared_ptr<Rowset>& rowset, std::int64_t*) override {
        if (!answer_.rows) return S_OK;
        std::vector<DBCOLUMNINFO> columns{{"Version", 1, 0, 255, DBTYPE_STR, 0, 0},
                                          {"Build", 2, 0, 255, DBTYPE_STR, 0, 0}};
        rowset = std::make_shared<Rowset>(std::make_unique<MemoryRowSource>(columns, *answer_.rows),
                                          Rowset::Bookmark::Reported);
        return S_OK;
    }
    bool InterfaceSupportsErrorInfo(const Guid&) const override { return true; }

private:
    Answer& answer_;
};

class AnsweringSession : public Session {
public:
    explicit AnsweringSession(Answer& answer) : answer_(answer) {}
    HRESULT GetSchemaRowset(const Guid&, const Restrictions&, std::shared_ptr<Rowset>&) override { return E_NOTIMPL; }
    HRESULT CreateCommand(std::shared_ptr<Command>& command) override {
        command = std::make_shared<AnsweringCommand>(answer_);
        return S_OK;
    }
    bool InterfaceSupportsErrorInfo(const Guid&) const override { return true; }

private:
    Answer& answer_;
};

class ExcelVersionTest : public ::testing::Test {
protected:
    connect::ConnectionHolder Answering(Answer& answer) {
        connect::ConnectionHolder holder;
        holder.session = std::make_shared<AnsweringSession>(answer);
        return holder;
    }

    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    app::Migrator migrator{ui, scratch.path()};
};

TEST_F(ExcelVersionTest, WithoutASessionTheTextIsNoConnectionAndThePlainErrorLineIsLogged) {
    connect::ConnectionHolder none;
    EXPECT_EQ(QueryExcelVersion(migrator, none), "No Connection!");
    const auto lines = ui.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FALSE(lines[0].colours) << "a plain line";
    EXPECT_THAT(ui.messages()[0], StartsWith("No Connection! \r\n failed with error code:[0x"));
}

TEST_F(ExcelVersionTest, AsksForAnUpdatableRowsetAndGivesTheFirstColumnOfTheLastRow) {
    Answer answer;
    answer.rows = Rows{{Text("8.0"), Text("a")}, {Text("11.0"), Text("b")}};
    auto holder = Answering(answer);
    EXPECT_EQ(QueryExcelVersion(migrator, holder), "11.0");
    EXPECT_EQ(answer.text, "select @@Version");
    EXPECT_EQ(answer.dialect, DBGUID_DEFAULT);
    ASSERT_EQ(answer.properties.size(), 1u);
    EXPECT_EQ(answer.properties[0].setId, DBPROPSET_ROWSET);
    EXPECT_EQ(test::Properties(answer.properties[0]),
              (test::PropertyList{{DBPROP_IRowset, true}, {DBPROP_UPDATABILITY, std::int32_t{7}}}));
    EXPECT_TRUE(ui.messages().empty());

    answer.rows = Rows{{Value{}, Text("c")}};
    EXPECT_EQ(QueryExcelVersion(migrator, holder), "") << "NULL reads as empty text";
    answer.rows = Rows{};
    EXPECT_EQ(QueryExcelVersion(migrator, holder), "") << "no row read";
}

TEST_F(ExcelVersionTest, StatementWithoutRowsLogsAndGivesTheCompletionText) {
    Answer answer;
    auto holder = Answering(answer);
    EXPECT_EQ(QueryExcelVersion(migrator, holder), "RESULT: The operation completed SUCCESSFULLY");
    EXPECT_THAT(ui.messages(), ElementsAre("RESULT: The operation completed SUCCESSFULLY"));
    EXPECT_FALSE(ui.lines()[0].colours);
}

TEST_F(ExcelVersionTest, JetRefusesTheStatementAndTheTextIsItsDescription) {
    auto book = xls::Workbook::CreateNew({"Sheet1"});
    book.Sheet(0).SetCellText(0, 0, "Name");
    book.Save(scratch / "book.xls");
    auto holder = test::OpenJetConnection(scratch / "book.xls");
    const std::string text = QueryExcelVersion(migrator, holder);
    EXPECT_THAT(text, StartsWith("Syntax error"));
    EXPECT_THAT(text, HasSubstr("'@'"));
    EXPECT_TRUE(ui.messages().empty());
}

}  // namespace
}  // namespace tabvex::adapters
