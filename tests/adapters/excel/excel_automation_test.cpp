#include "adapters/excel/excel_automation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "com/automation_error_text.h"
#include "excel_target_fixture.h"
#include "platform/automation/application.h"
#include "platform/automation/dispatch_result.h"
#include "platform/registry/class_registry.h"
#include "support/test_support.h"

namespace tabvex::adapters {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

// The server's module taken out of the program for one test, as on a machine
// without the spreadsheet server, and put back afterwards.
class WithoutExcel {
public:
    WithoutExcel() {
        registry::RegisterModule("automation", [](const oledb::Guid&) { return nullptr; });
    }
    ~WithoutExcel() {
        registry::RegisterModule("automation", [](const oledb::Guid& classId) -> std::shared_ptr<oledb::ComObject> {
            if (classId != automation::CLSID_Application) return nullptr;
            return std::make_shared<automation::Application>();
        });
    }
};

const nlohmann::json& SheetNamed(const nlohmann::json& book, const std::string& name) {
    for (const auto& sheet : book["sheets"]) {
        if (sheet["name"] == name) return sheet;
    }
    ADD_FAILURE() << "no sheet " << name;
    static const nlohmann::json none = nlohmann::json::object();
    return none;
}

std::vector<std::string> SheetNames(const nlohmann::json& book) {
    std::vector<std::string> names;
    for (const auto& sheet : book["sheets"]) names.push_back(sheet["name"]);
    return names;
}

std::vector<std::string> DefinedNames(const nlohmann::json& book) {
    std::vector<std::string> names;
    for (const auto& name : book["names"]) names.push_back(name["name"]);
    return names;
}

// A width in characters as the file stores it: 1/256 of a character, plus the
// cell padding of the default font.
int Units(int characters) { return characters * 256 + 182; }

class ExcelAutomationTest : public test::ExcelTargetTest {
protected:
    fs::path Workbook() const { return TargetDatabase() + ".xls"; }

    // Orders (Id, Name, Comment) with two rows and Customers (Name) with one, made
    // through the ISAM and not yet written to the file.
    void MakeShop() {
        ConnectNewWorkbook(scratch / "shop.xls");
        Run("CREATE TABLE Orders (Id TEXT(10), Name TEXT(50), Comment TEXT(255))");
        Run("INSERT INTO Orders VALUES ('1', 'Tea', 'green')");
        Run("INSERT INTO Orders VALUES ('2', 'Coffee', 'it''s black')");
        Run("CREATE TABLE Customers (Name TEXT(50))");
        Run("INSERT INTO Customers VALUES ('Alfreds')");
    }
};

TEST_F(ExcelAutomationTest, HeaderRowsOfEverySheetAreFormattedSizedAndFrozenAfterTheRowsAreSaved) {
    MakeShop();
    std::string columns;
    for (int i = 1; i <= 30; ++i) columns += (i > 1 ? ", C" : "C") + std::to_string(i) + " TEXT(10)";
    Run("CREATE TABLE Wide (" + columns + ")");

    SetExcelTableHead(migrator, "shop");

    EXPECT_THAT(ui.messages(), Contains("MSEXCEL_SetTableHead of [shop]"));
    EXPECT_THAT(ui.boxes(), IsEmpty());
    EXPECT_TRUE(migrator.targetHolder().HasSession());
    EXPECT_THAT(TargetTables(), UnorderedElementsAre("Orders", "Customers", "Wide"));

    const auto book = test::ReadWithXlrd(Workbook());
    ASSERT_TRUE(book["formatting"].get<bool>());
    const auto& orders = SheetNamed(book, "Orders");
    EXPECT_EQ(orders["nrows"], 3) << "rows still held by the provider were lost";
    for (const auto& cell : orders["cells"]) {
        const auto& format = cell["format"];
        if (cell["row"] != 0) {
            EXPECT_FALSE(format["bold"].get<bool>());
            continue;
        }
        EXPECT_TRUE(format["bold"].get<bool>());
        EXPECT_EQ(format["hor_align"], 2);  // centred
        EXPECT_EQ(format["borders"]["top"], 1);
        EXPECT_EQ(format["borders"]["bottom"], 1);
        EXPECT_EQ(format["borders"]["left"], 1);
        EXPECT_EQ(format["fill_pattern"], 1);
        EXPECT_EQ(format["fill_colour"], 15);  // ColorIndex 8
    }
    EXPECT_TRUE(orders["frozen"].get<bool>());
    EXPECT_EQ(orders["frozen_rows"], 1);
    // 10-point headers of 2, 4 and 7 characters; column D, without a header, untouched.
    EXPECT_EQ(orders["col_widths"], (nlohmann::json{{"0", Units(3)}, {"1", Units(5)}, {"2", Units(8)}}));

    const auto& wide = SheetNamed(book, "Wide");
    EXPECT_EQ(wide["col_widths"].size(), 30u);
    EXPECT_EQ(wide["col_widths"]["29"], Units(4)) << "AD1 holds C30";
    EXPECT_TRUE(SheetNamed(book, "Sheet1")["frozen"].get<bool>());
}

TEST_F(ExcelAutomationTest, FormattedWorkbookOpensInLibreOffice) {
    if (!fs::exists("/usr/bin/soffice")) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    MakeShop();
    SetExcelTableHead(migrator, "shop");
    ASSERT_THAT(ui.boxes(), IsEmpty());

    // Every sheet to CSV (the last filter field, -1), one file per sheet.
    const std::string filter = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1";
    const auto result = test::RunCommand({"/usr/bin/soffice", "-env:UserInstallation=file://" + (scratch / "lo").string(),
                                          "--headless", "--convert-to", filter, "--outdir", (scratch / "csv").string(),
                                          Workbook().string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(test::ReadFile(scratch / "csv/shop-Orders.csv"), "Id,Name,Comment\n1,Tea,green\n2,Coffee,it's black\n");
}

TEST_F(ExcelAutomationTest, DroppingATableDeletesItsSheetAndNameAndRefillsTheTree) {
    MakeShop();
    EXPECT_TRUE(DropExcelTable(migrator, TargetDatabase(), "'Orders$'"));

    EXPECT_THAT(ui.messages(), Contains("Drop Table SUCCESSFULLY!!!"));
    EXPECT_THAT(TargetTables(), ElementsAre("Customers"));
    const auto book = test::ReadWithXlrd(Workbook());
    EXPECT_THAT(SheetNames(book), UnorderedElementsAre("Sheet1", "Customers"));
    EXPECT_THAT(DefinedNames(book), ElementsAre("Customers"));
    EXPECT_EQ(SheetNamed(book, "Customers")["nrows"], 2);
}

TEST_F(ExcelAutomationTest, RenamingATableMovesItsSheetAndNameEvenWhenOnlyTheLetterCaseChanges) {
    MakeShop();
    ASSERT_TRUE(RenameExcelTable(migrator, "Customers", "Clients"));
    EXPECT_THAT(TargetTables(), UnorderedElementsAre("Orders", "Clients"));

    ASSERT_TRUE(RenameExcelTable(migrator, "Clients", "CLIENTS"));
    EXPECT_THAT(TargetTables(), UnorderedElementsAre("Orders", "CLIENTS"));
    const auto book = test::ReadWithXlrd(Workbook());
    EXPECT_THAT(SheetNames(book), UnorderedElementsAre("Sheet1", "Orders", "CLIENTS"));
    EXPECT_THAT(DefinedNames(book), UnorderedElementsAre("Orders", "CLIENTS"));
    EXPECT_EQ(SheetNamed(book, "CLIENTS")["cells"][1]["value"], "Alfreds");
    EXPECT_THAT(ui.boxes(), IsEmpty());
}

TEST_F(ExcelAutomationTest, ANameOverAnotherSheetIsOnlyDeletedWhenThePersonSaysYes) {
    const fs::path file = scratch / "names.xls";
    auto made = xls::Workbook::CreateNew({"Data"});
    made.Sheet(0).SetCellText(0, 0, "Total");
    made.AddName("Totals", xls::SheetArea{0, xls::CellRange{0, 0, 0, 0}});
    made.Save(file);
    ConnectTargetTo(file);

    ui.QueueAnswer(app::MessageAnswer::No);
    EXPECT_TRUE(RenameExcelTable(migrator, "Totals", "Sums"));
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, "User Define Names, Not A Table Name, Clear?");
    EXPECT_THAT(TargetTables(), ElementsAre("Totals"));

    ui.QueueAnswer(app::MessageAnswer::Yes);
    EXPECT_TRUE(RenameExcelTable(migrator, "Totals", "Sums"));
    EXPECT_THAT(TargetTables(), IsEmpty());
    const auto book = test::ReadWithXlrd(file);
    EXPECT_THAT(SheetNames(book), ElementsAre("Data"));
    EXPECT_THAT(DefinedNames(book), IsEmpty());
}

TEST_F(ExcelAutomationTest, AFailingCallShowsTwoBoxesDiscardsTheChangesAndReconnects) {
    MakeShop();
    EXPECT_FALSE(RenameExcelTable(migrator, "Suppliers", "Vendors"));
    const auto boxes = ui.boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, com::AutomationErrorText(automation::DISP_E_BADINDEX));
    EXPECT_THAT(boxes[1].text, HasSubstr("Suppliers"));
    EXPECT_TRUE(migrator.targetHolder().HasSession());

    // A sheet that cannot go (a workbook keeps one) leaves the file as it was.
    const fs::path single = scratch / "single.xls";
    xls::Workbook::CreateNew({"Only"}).Save(single);
    const std::string before = test::ReadFile(single);
    EXPECT_FALSE(DropExcelTable(migrator, (scratch / "single").string(), "Only$"));
    EXPECT_EQ(ui.boxes().size(), 4u);
    EXPECT_THAT(ui.messages(), ::testing::Not(Contains("Drop Table SUCCESSFULLY!!!")));
    EXPECT_EQ(test::ReadFile(single), before);
}

TEST_F(ExcelAutomationTest, WithoutTheServerTheLogSaysSoAndTheTargetIsConnectedAgain) {
    MakeShop();
    WithoutExcel noExcel;
    SetExcelTableHead(migrator, "shop");
    EXPECT_FALSE(DropExcelTable(migrator, TargetDatabase(), "Orders"));

    const auto messages = ui.messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "Excel not installed, some functions not supported!!!"), 2);
    EXPECT_THAT(ui.boxes(), IsEmpty());
    EXPECT_TRUE(migrator.targetHolder().HasSession());
    EXPECT_THAT(TargetTables(), UnorderedElementsAre("Orders", "Customers"));
}

}  // namespace
}  // namespace tabvex::adapters
