// The row transfer's statements run through the provider on a workbook, and the
// workbook read back by python3-xlrd.
#include <gtest/gtest.h>

#include <algorithm>

#include "jet_test_support.h"
#include "support/test_support.h"

namespace tabvex::jet {
namespace {

using namespace tabvex::oledb;
using test::LastErrorDescription;

constexpr const char* kExcel = "Excel 8.0;HDR=Yes;";

HRESULT Execute(Session& session, const std::string& text) {
    std::shared_ptr<Command> command;
    EXPECT_EQ(session.CreateCommand(command), S_OK);
    DBPROPSET set{DBPROPSET_ROWSET, {}};
    AddProperty(set, DBPROP_IRowset, true);
    AddProperty(set, DBPROP_UPDATABILITY, std::int32_t{7});
    std::vector sets{set};
    command->SetProperties(sets);
    command->SetCommandText(DBGUID_DBSQL, text);
    std::shared_ptr<Rowset> rowset;
    return command->Execute(rowset);
}

std::string Count(Session& session, const std::string& table) {
    std::shared_ptr<Command> command;
    session.CreateCommand(command);
    command->SetCommandText(DBGUID_DBSQL, "select count(*) from " + table);
    std::shared_ptr<Rowset> rowset;
    EXPECT_EQ(command->Execute(rowset), S_OK) << LastErrorDescription();
    return rowset ? test::ReadAll(*rowset).at(0).at(1) : "";
}

TEST(WorkbookCommands, CreateAndInsertMakeASheetWithHeaderRowsAndADefinedName) {
    tabvex::test::ScratchDir scratch;
    auto book = scratch / "target.xls";
    {
        auto session = test::OpenSession(book, kExcel);
        ASSERT_EQ(Execute(*session, "Create Table Orders (`Id` Text ,`Ship To` Text)"), S_OK) << LastErrorDescription();
        ASSERT_EQ(Execute(*session, "insert into Orders values ('1','Cowes');"), S_OK) << LastErrorDescription();
        ASSERT_EQ(Execute(*session, "insert into Orders values ('2','');"), S_OK);
        ASSERT_EQ(Execute(*session, "insert into Orders values ('3','Bergen','x');"), DB_E_ERRORSINCOMMAND);
        EXPECT_NE(LastErrorDescription().find("3"), std::string::npos);
        ASSERT_EQ(Execute(*session, "insert into Ordres values ('4','Oslo');"), DB_E_NOTABLE);
        EXPECT_TRUE(Failed(Execute(*session, "Create Table Orders (`Id` Text)")));
        EXPECT_EQ(Count(*session, "Orders"), "2");
    }  // releasing the session writes the workbook

    auto json = tabvex::test::ReadWithXlrd(book);
    ASSERT_EQ(json["sheets"].size(), 1u);
    const auto& sheet = json["sheets"][0];
    EXPECT_EQ(sheet["name"], "Orders");
    EXPECT_EQ(sheet["nrows"], 3);
    std::vector<std::string> cells;
    for (const auto& cell : sheet["cells"]) cells.push_back(cell["value"].get<std::string>());
    EXPECT_EQ(cells, (std::vector<std::string>{"Id", "Ship To", "1", "Cowes", "2", ""}));
    bool namedArea = false;
    for (const auto& name : json["names"]) {
        if (name["name"] == "Orders") {
            namedArea = true;
            EXPECT_EQ(name["area"]["rhi"], 3);
            EXPECT_EQ(name["area"]["chi"], 2);
        }
    }
    EXPECT_TRUE(namedArea);

    auto session = test::OpenSession(book, kExcel);
    EXPECT_EQ(Count(*session, "Orders"), "2");
    EXPECT_EQ(Count(*session, "[Orders$]"), "2");
    std::shared_ptr<Rowset> tables;
    ASSERT_EQ(session->GetSchemaRowset(DBSCHEMA_TABLES, {std::nullopt, std::nullopt, std::nullopt, "TABLE"}, tables), S_OK);
    auto names = test::ColumnOf(*tables, "TABLE_NAME");
    EXPECT_NE(std::find(names.begin(), names.end(), "Orders"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Orders$"), names.end());
}

}  // namespace
}  // namespace tabvex::jet
