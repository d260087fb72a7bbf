#include <gtest/gtest.h>

#include <algorithm>

#include "automation_test_support.h"
#include "platform/automation/automation_error.h"
#include "platform/automation/excel_constants.h"
#include "support/test_support.h"

namespace tabvex::automation::test {
namespace {

using tabvex::test::ReadFile;
using tabvex::test::ReadWithXlrd;
using tabvex::test::ScratchDir;

std::string Cleaned(std::string tableName) {
    std::erase(tableName, '$');
    std::erase(tableName, '\'');
    return tableName;
}

TEST(CreateWorkbookTest, ANewWorkbookKeepsOnlyItsThirdSheetAfterItems2And1AreDeleted) {
    ScratchDir dir;
    const auto file = dir / "created.xls";
    Application excel;
    Workbook book = excel.Workbooks().Add();
    book.Sheets().Item(2).Delete();
    book.Sheets().Item(1).Delete();
    excel.SetVisible(false);
    excel.SetDisplayAlerts(false);
    EXPECT_FALSE(std::filesystem::exists(file));

    SaveAsArguments arguments;
    arguments.fileName = file.string();
    arguments.fileFormat = xlWorkbookNormal;
    arguments.password = "";
    arguments.writeResPassword = "";
    arguments.readOnlyRecommended = 0;
    arguments.createBackup = 0;
    arguments.accessMode = xlShared;
    book.SaveAs(arguments);
    EXPECT_EQ(book.Name(), "created.xls");
    EXPECT_TRUE(book.MultiUserEditing());
    book.SetSaved(true);
    book.Close(std::int16_t{0});
    excel.Workbooks().Close();
    excel.Quit();

    const auto read = ReadWithXlrd(file);
    ASSERT_EQ(read["sheets"].size(), 1u);
    EXPECT_EQ(read["sheets"][0]["name"], "Sheet3");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1)
        << "only the workbook is left in the folder";
}

TEST(SheetNamesTest, ASheetsOwnHiddenNameMarksItWhileItsBlanknessFollowsItsContents) {
    ScratchDir dir;
    Application excel;
    Workbook book = excel.Workbooks().Add();
    Worksheet marked = book.Sheets().Item(3);
    marked.AddName("Mark", "$A$1", false);
    EXPECT_TRUE(marked.HasName("MARK"));
    EXPECT_FALSE(book.Sheets().Item(1).HasName("Mark")) << "the name is local to its sheet";
    EXPECT_THROW(marked.AddName("B2", "$A$1", false), AutomationError);
    EXPECT_THROW(marked.AddName("Mark", "$A$1", true), AutomationError);
    EXPECT_TRUE(marked.IsBlank());
    marked.Range("C3").SetValue(Variant("x"));
    EXPECT_FALSE(marked.IsBlank());

    SaveAsArguments arguments;
    arguments.fileName = (dir / "marked.xls").string();
    book.SaveAs(arguments);
    const auto read = ReadWithXlrd(dir / "marked.xls");
    ASSERT_EQ(read["names"].size(), 1u);
    EXPECT_EQ(read["names"][0]["scope"], 2);
    EXPECT_TRUE(read["names"][0]["hidden"].get<bool>());
}

TEST(DropTableTest, TheSheetNamedByTheCleanedTableNameIsDeletedAndTheRestKept) {
    ScratchDir dir;
    const auto file = dir / "book.xls";
    MakeWorkbook(file, {{"Orders", {{"Id"}, {"1"}}}, {"Customers", {{"Name"}, {"Anna"}}}});

    WithOpenWorkbook(file, [](Workbook& book) { book.Sheets().Item(Cleaned("'Orders$'")).Delete(); });

    const auto read = ReadWithXlrd(file);
    ASSERT_EQ(read["sheets"].size(), 1u);
    EXPECT_EQ(read["sheets"][0]["name"], "Customers");
    EXPECT_EQ((*CellAt(read["sheets"][0], 1, 0))["value"], "Anna");
}

class RenameTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeWorkbook(file_, {{"Orders", {{"Id", "Item"}, {"1", "Tea"}, {"2", "Milk"}}}, {"Other", {{"X"}}}});
        WithOpenWorkbook(file_, [](Workbook& book) {
            Worksheet orders = book.Sheets().Item("Orders");
            orders.UsedRange().SetName("Orders");
            orders.Range("B2").SetName("Totals");
        });
    }

    // The table rename: a name of the sheet's own moves with the sheet, any other
    // name is deleted and no sheet renamed.
    void RenameTable(const std::string& oldName, const std::string& newName) {
        WithOpenWorkbook(file_, [&](Workbook& book) {
            const std::string table = Cleaned(oldName);
            DefinedName name = book.Names().Item(table);
            if (name.Value().starts_with("=" + table + "!")) {
                Worksheet sheet = book.Sheets().Item(table);
                sheet.SetName(newName);
                sheet.UsedRange().SetName(newName);
                book.Names().Item(table).Delete();
            } else {
                name.Delete();
            }
        });
    }

    ScratchDir dir_;
    std::filesystem::path file_ = dir_ / "book.xls";
};

TEST_F(RenameTableTest, NamesReadAsTheFormulasTheyStandFor) {
    Application excel;
    Workbook book = excel.Workbooks().Open(file_.string());
    EXPECT_EQ(book.Names().Count(), 2);
    EXPECT_EQ(book.Names().Item("orders").Value(), "=Orders!$A$1:$B$3");
    EXPECT_EQ(book.Names().Item("Totals").Value(), "=Orders!$B$2");
    EXPECT_EQ(book.Names().Item(Variant::Missing(), Variant::Missing(), "=Orders!$B$2").Name(), "Totals");
    excel.Quit();
}

TEST_F(RenameTableTest, ATableRenamedTakesItsDefinedNameAlong) {
    RenameTable("Orders$", "Sales");

    const auto read = ReadWithXlrd(file_);
    ASSERT_NE(SheetNamed(read, "Sales"), nullptr);
    EXPECT_EQ(SheetNamed(read, "Orders"), nullptr);
    EXPECT_EQ(NameNamed(read, "Orders"), nullptr);
    const auto* sales = NameNamed(read, "Sales");
    ASSERT_NE(sales, nullptr);
    EXPECT_EQ((*sales)["area"]["sheet"], "Sales");
    EXPECT_EQ((*sales)["area"]["rhi"], 3);
    EXPECT_EQ((*sales)["area"]["chi"], 2);
    // The other name still points at the renamed sheet.
    EXPECT_EQ((*NameNamed(read, "Totals"))["area"]["sheet"], "Sales");
}

TEST_F(RenameTableTest, ANameThatRefersElsewhereIsDeletedAndNoSheetRenamed) {
    RenameTable("Totals", "Sums");

    const auto read = ReadWithXlrd(file_);
    EXPECT_EQ(NameNamed(read, "Totals"), nullptr);
    EXPECT_EQ(NameNamed(read, "Sums"), nullptr);
    EXPECT_NE(NameNamed(read, "Orders"), nullptr);
    EXPECT_EQ(read["sheets"][0]["name"], "Orders");
    EXPECT_EQ(read["sheets"][1]["name"], "Other");
}

TEST(SavingTest, NothingReachesTheFileBeforeSave) {
    ScratchDir dir;
    const auto file = dir / "book.xls";
    MakeWorkbook(file, {{"Orders", {{"Id"}}}, {"Other", {{"X"}}}});
    const std::string before = ReadFile(file);

    Application excel;
    Workbook book = excel.Workbooks().Open(file.string());
    book.Sheets().Item("Orders").Delete();
    book.Sheets().Item(1).Range("A1").SetValue("changed");
    EXPECT_FALSE(book.Saved());
    EXPECT_EQ(ReadFile(file), before);
    book.Close(false);
    excel.Quit();
    EXPECT_EQ(ReadFile(file), before);
}

TEST(SavingTest, CloseWithSaveChangesWritesTheWorkbook) {
    ScratchDir dir;
    const auto file = dir / "book.xls";
    MakeWorkbook(file, {{"Orders", {{"Id"}}}});
    Application excel;
    Workbook book = excel.Workbooks().Open(file.string());
    book.Sheets().Item(1).SetName("Renamed");
    book.Close(true);
    excel.Quit();
    EXPECT_EQ(ReadWithXlrd(file)["sheets"][0]["name"], "Renamed");
}

TEST(SavingTest, CreateBackupKeepsTheReplacedFile) {
    ScratchDir dir;
    const auto file = dir / "book.xls";
    MakeWorkbook(file, {{"Orders", {{"Id"}}}});
    const std::string before = ReadFile(file);
    Application excel;
    Workbook book = excel.Workbooks().Open(file.string());
    book.Sheets().Item(1).SetName("Renamed");
    SaveAsArguments arguments;
    arguments.fileName = file.string();
    arguments.createBackup = true;
    book.SaveAs(arguments);
    excel.Quit();
    EXPECT_EQ(ReadFile(dir / "Backup of book.xlk"), before);
    EXPECT_EQ(ReadWithXlrd(file)["sheets"][0]["name"], "Renamed");
}

}  // namespace
}  // namespace tabvex::automation::test
