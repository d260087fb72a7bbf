// The whole-workbook operations on a target connected as the window connects it,
// with tables made through the Excel ISAM; every workbook read back with xlrd.
#include "adapters/excel/excel_automation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/adapter_test_support.h"
#include "adapters/excel/excel_workbook.h"
#include "com/automation_error_text.h"
#include "connecting/connecting.h"
#include "platform/automation/application.h"
#include "platform/registry/class_registry.h"
#include "platform/xls/workbook.h"
#include "shell/program.h"
#include "support/scripted_user_interface.h"
#include "connect/statement_runners.h"

namespace tabvex::adapters {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;
using Json = nlohmann::json;

class ExcelAutomationTest : public ::testing::Test {
protected:
    // Orders (Id, Name, Comment; two rows) and Customers, still held by the provider.
    void ConnectShop(const fs::path& file) {
        fs::create_directories(file.parent_path());
        xls::Workbook::CreateNew({"Sheet1"}).Save(file);
        program.sides().target().settings() = {"", "Microsoft.Jet.OLEDB.4.0", "", file.string(), "", "Admin", ""};
        connect::ConnectTarget(program.output(), program.sides());
        for (const char* statement : {"CREATE TABLE Orders (Id TEXT(10), Name TEXT(50), Comment TEXT(255))",
                                      "INSERT INTO Orders VALUES ('1', 'Tea', 'green')",
                                      "INSERT INTO Orders VALUES ('2', 'Coffee', 'it''s black')",
                                      "CREATE TABLE Customers (Name TEXT(50))"}) {
            ASSERT_TRUE(connect::ExecuteStatement(program.output(), program.sides().target().holder(), statement, true)) << statement;
        }
    }
    std::vector<std::string> TargetTables() const {
        const auto& tree = program.sides().target().tree();
        std::vector<std::string> names;
        if (tree.remembered().tablesFolder == browser::kNoNode) return names;
        for (auto child : tree.node(tree.remembered().tablesFolder).children) names.push_back(tree.node(child).text);
        return names;
    }
    std::string Database() const { return program.sides().target().tree().connection().databaseName; }
    static std::vector<std::string> Listed(const Json& items) {
        std::vector<std::string> names;
        for (const auto& item : items) names.push_back(item["name"]);
        return names;
    }

    test::ScratchProfile profile;
    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    shell::Program program{ui, scratch.path()};
};

TEST_F(ExcelAutomationTest, HeaderRowsAreFormattedSizedAndFrozenOnEverySheetAndReadableEverywhere) {
    ConnectShop(scratch / "shop.xls");
    SetExcelTableHead(program.output(), program.sides(), "shop");
    EXPECT_THAT(ui.boxes(), IsEmpty());
    EXPECT_THAT(TargetTables(), UnorderedElementsAre("Orders", "Customers"));

    const Json book = test::ReadWithXlrd(scratch / "shop.xls");
    const Json& orders = book["sheets"][1];
    ASSERT_EQ(orders["nrows"], 3) << "rows the provider held were lost";
    const Json& header = orders["cells"][0]["format"];
    EXPECT_TRUE(header["bold"].get<bool>());
    EXPECT_EQ(header["hor_align"], 2);
    for (const char* edge : {"left", "top", "bottom"}) EXPECT_EQ(header["borders"][edge], 1) << edge;
    EXPECT_EQ(header["fill_colour"], 15);  // ColorIndex 8
    EXPECT_FALSE(orders["cells"][3]["format"]["bold"].get<bool>());
    EXPECT_EQ(orders["frozen_rows"], 1);
    EXPECT_EQ(book["sheets"][0]["frozen_rows"], 1);
    // 10-point headers of 2, 4 and 7 characters (stored in 1/256 characters plus
    // the padding); column D, without a header, is left alone.
    EXPECT_EQ(orders["col_widths"], (Json{{"0", 3 * 256 + 182}, {"1", 5 * 256 + 182}, {"2", 8 * 256 + 182}}));

    if (!fs::exists("/usr/bin/soffice")) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const auto converted = test::RunCommand(
        {"/usr/bin/soffice", "-env:UserInstallation=file://" + (scratch / "lo").string(), "--headless", "--convert-to",
         "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1", "--outdir",
         (scratch / "csv").string(), (scratch / "shop.xls").string()});
    ASSERT_EQ(converted.exitCode, 0) << converted.err;
    EXPECT_EQ(test::ReadFile(scratch / "csv/shop-Orders.csv"), "Id,Name,Comment\n1,Tea,green\n2,Coffee,it's black\n");
}

TEST_F(ExcelAutomationTest, TablesAreDroppedAndRenamedWithTheirDefinedNames) {
    ConnectShop(scratch / "shop.xls");
    EXPECT_TRUE(DropExcelTable(program.output(), program.sides(), Database(), "'Orders$'"));
    EXPECT_THAT(ui.messages(), Contains("Drop Table SUCCESSFULLY!!!"));
    // Only the letter case changes: the name must survive its own deletion.
    EXPECT_TRUE(RenameExcelTable(program.output(), program.sides(), "Customers", "CUSTOMERS"));
    EXPECT_THAT(TargetTables(), ElementsAre("CUSTOMERS"));
    const Json book = test::ReadWithXlrd(scratch / "shop.xls");
    EXPECT_THAT(Listed(book["sheets"]), ElementsAre("Sheet1", "CUSTOMERS"));
    EXPECT_THAT(Listed(book["names"]), ElementsAre("CUSTOMERS"));

    // A name over another sheet is never a sheet to rename: it is deleted on Yes only.
    xls::Workbook::CreateNew({"Data"}).Save(scratch / "names.xls");
    auto named = xls::Workbook::Open(scratch / "names.xls");
    named.AddName("Totals", xls::SheetArea{0, xls::CellRange{0, 0, 0, 0}});
    named.Save(scratch / "names.xls");
    program.sides().target().settings().sourceName = (scratch / "names.xls").string();
    connect::ConnectTarget(program.output(), program.sides());
    ui.QueueAnswer(app::MessageAnswer::No);
    ui.QueueAnswer(app::MessageAnswer::Yes);
    EXPECT_TRUE(RenameExcelTable(program.output(), program.sides(), "Totals", "Sums"));
    EXPECT_THAT(TargetTables(), ElementsAre("Totals"));
    EXPECT_TRUE(RenameExcelTable(program.output(), program.sides(), "Totals", "Sums"));
    EXPECT_THAT(TargetTables(), IsEmpty());
    EXPECT_EQ(ui.boxes().back().text, "User Define Names, Not A Table Name, Clear?");
    EXPECT_THAT(Listed(test::ReadWithXlrd(scratch / "names.xls")["sheets"]), ElementsAre("Data"));
}

TEST_F(ExcelAutomationTest, FailuresShowTwoBoxesAndLeaveTheTargetConnected) {
    ConnectShop(scratch / "shop.xls");
    EXPECT_FALSE(RenameExcelTable(program.output(), program.sides(), "Suppliers", "Vendors"));
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[0].text,
              "Renaming table [Suppliers] to [Vendors] failed: " + com::AutomationErrorText(oledb::DISP_E_BADINDEX));
    EXPECT_THAT(ui.messages(), Contains("Renaming table [Suppliers] to [Vendors] failed: " +
                                   com::AutomationErrorText(oledb::DISP_E_BADINDEX) + ": " + ui.boxes()[1].text))
        << "the Log keeps both";
    EXPECT_THAT(ui.boxes()[1].text, ::testing::HasSubstr("Suppliers"));
    EXPECT_FALSE(CreateExcelWorkbook(program.output(), program.sides(), (scratch / "missing/new").string(), true));
    EXPECT_EQ(ui.boxes().size(), 4u);

    registry::RegisterModule("automation", [](const oledb::Guid&) { return nullptr; });
    SetExcelTableHead(program.output(), program.sides(), "shop");
    registry::RegisterModule("automation", [](const oledb::Guid&) -> std::shared_ptr<oledb::ComObject> {
        return std::make_shared<automation::Application>();
    });
    EXPECT_THAT(ui.messages(), Contains("Excel not installed, some functions not supported!!!"));
    EXPECT_TRUE(program.sides().target().holder().HasSession());
    EXPECT_THAT(TargetTables(), UnorderedElementsAre("Orders", "Customers"));
}

TEST_F(ExcelAutomationTest, WorkbooksAreCreatedSelectedAndDropped) {
    ConnectShop(scratch / "wb/Q2.xls");
    ASSERT_TRUE(CreateExcelWorkbook(program.output(), program.sides(), "Q3", true));
    EXPECT_THAT(ui.messages(), Contains("Create Excel xls File [" + (scratch / "wb/Q3.xls").string() + "]"));
    EXPECT_EQ(test::ReadWithXlrd(scratch / "wb/Q3.xls")["sheets"].size(), 1u);
    EXPECT_TRUE(SelectExcelWorkbook(program.sides(), browser::kTargetSide, "Q3"));
    EXPECT_EQ(Database(), (scratch / "wb/Q3").string());

    ui.QueueChosenPath(std::nullopt);
    EXPECT_FALSE(CreateExcelWorkbook(program.output(), program.sides(), scratch.path().string(), false));
    ui.QueueChosenPath(scratch / "chosen");
    ASSERT_TRUE(CreateExcelWorkbook(program.output(), program.sides(), scratch.path().string(), false));
    EXPECT_EQ(ui.fileRequests().at(1).title, "Create Excel Database As");
    EXPECT_EQ(Database(), (scratch / "chosen").string());

    EXPECT_TRUE(DropExcelWorkbook(program.output(), program.gate(), program.sides(), (scratch / "wb/Q2").string()));
    EXPECT_THAT(ui.postedCommands(), IsEmpty());
    EXPECT_TRUE(DropExcelWorkbook(program.output(), program.gate(), program.sides(), Database()));
    EXPECT_EQ(ui.boxes().back().text, "Connected Database Dropped, Please Connect Another!");
    EXPECT_THAT(ui.postedCommands(), ElementsAre(1026));
    EXPECT_FALSE(program.sides().target().holder().HasDataSource() || fs::exists(scratch / "chosen.xls"));
    EXPECT_FALSE(DropExcelWorkbook(program.output(), program.gate(), program.sides(), (scratch / "wb/Q2").string()));
    EXPECT_THAT(ui.messages().back(), StartsWith("Drop Database \r\n failed with error code:[0x00000002]"));
}

// Every operation works on the file the person named, whatever the case of its
// ending; none of them writes a second file beside it.
TEST_F(ExcelAutomationTest, AnUpperCaseEndingNamesTheSameFileForEveryOperation) {
    ConnectShop(scratch / "wb/BOOK.XLS");
    EXPECT_EQ(Database(), (scratch / "wb/BOOK").string());
    EXPECT_TRUE(SetExcelTableHead(program.output(), program.sides(), Database()));
    EXPECT_TRUE(DropExcelTable(program.output(), program.sides(), Database(), "Customers"));
    EXPECT_TRUE(RenameExcelTable(program.output(), program.sides(), "Orders", "Sales"));
    EXPECT_THAT(Listed(test::ReadWithXlrd(scratch / "wb/BOOK.XLS")["sheets"]), ElementsAre("Sheet1", "Sales"));

    ASSERT_TRUE(CreateExcelWorkbook(program.output(), program.sides(), "Q3.XLS", true));
    EXPECT_TRUE(SelectExcelWorkbook(program.sides(), browser::kTargetSide, "Q3"));
    EXPECT_EQ(program.sides().target().settings().sourceName, (scratch / "wb/Q3.XLS").string());
    ui.QueueChosenPath(scratch / "wb/Chosen.Xls");
    ASSERT_TRUE(CreateExcelWorkbook(program.output(), program.sides(), scratch.path().string(), false));
    EXPECT_EQ(program.sides().target().settings().sourceName, (scratch / "wb/Chosen.Xls").string());
    EXPECT_TRUE(SelectExcelWorkbook(program.sides(), browser::kTargetSide, (scratch / "wb/BOOK").string()));
    EXPECT_EQ(program.sides().target().settings().sourceName, (scratch / "wb/BOOK.XLS").string());
    EXPECT_TRUE(DropExcelWorkbook(program.output(), program.gate(), program.sides(), (scratch / "wb/Q3").string()));

    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(scratch / "wb")) files.push_back(entry.path().filename());
    EXPECT_THAT(files, UnorderedElementsAre("BOOK.XLS", "Chosen.Xls"));
    EXPECT_THAT(ui.boxes(), IsEmpty());
}

}  // namespace
}  // namespace tabvex::adapters
