#include <gtest/gtest.h>

#include "automation_test_support.h"
#include "platform/automation/automation_error.h"
#include "platform/automation/excel_constants.h"
#include "support/test_support.h"

namespace tabvex::automation::test {
namespace {

using tabvex::test::ScratchDir;
using tabvex::test::WriteFile;

class AutomationFailuresTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeWorkbook(file_, {{"Orders", {{"Id", "Name"}, {"1", "Anna"}}}});
        book_ = excel_.Workbooks().Open(file_.string());
    }

    std::string DescriptionOf(const std::function<void()>& call) {
        try {
            call();
        } catch (const AutomationError& error) {
            return error.description();
        }
        return "";
    }

    ScratchDir dir_;
    std::filesystem::path file_ = dir_ / "book.xls";
    Application excel_;
    std::optional<Workbook> book_;
};

TEST_F(AutomationFailuresTest, ItemsThatDoNotExistRaiseBadIndex) {
    auto sheets = book_->Sheets();
    EXPECT_EQ(CodeOf([&] { sheets.Item("Customers"); }), DISP_E_BADINDEX);
    EXPECT_EQ(CodeOf([&] { sheets.Item(0); }), DISP_E_BADINDEX);
    EXPECT_EQ(CodeOf([&] { sheets.Item(2); }), DISP_E_BADINDEX);
    EXPECT_EQ(CodeOf([&] { sheets.Item(Variant()); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CodeOf([&] { book_->Names().Item("Orders"); }), DISP_E_BADINDEX);
    EXPECT_EQ(CodeOf([&] { excel_.Workbooks().Item("other.xls"); }), DISP_E_BADINDEX);
    EXPECT_EQ(CodeOf([&] { sheets.Item(1).Range("A1").Borders(3); }), DISP_E_BADINDEX);
    EXPECT_NE(DescriptionOf([&] { sheets.Item("Customers"); }).find("Customers"), std::string::npos);
}

TEST_F(AutomationFailuresTest, AddressesThatCannotBeReadRaiseTheRangeFailure) {
    auto sheet = book_->Sheets().Item(1);
    for (const char* address : {"", "A0", "IW1", "A1:", "Orders!A1"}) {
        EXPECT_EQ(CodeOf([&] { sheet.Range(address); }), XL_E_METHODFAILED) << address;
    }
    EXPECT_EQ(CodeOf([&] { sheet.Range(5); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CodeOf([&] { sheet.Range("A1:B1").Value(); }), DISP_E_TYPEMISMATCH);
}

TEST_F(AutomationFailuresTest, TheLastSheetCannotBeDeleted) {
    auto sheet = book_->Sheets().Item(1);
    EXPECT_EQ(CodeOf([&] { sheet.Delete(); }), XL_E_METHODFAILED);
    EXPECT_EQ(book_->Sheets().Count(), 1);
    EXPECT_EQ(sheet.Name(), "Orders");
}

TEST_F(AutomationFailuresTest, SheetNamesThatBreakTheNamingRulesAreRefused) {
    book_->Sheets().Item(1).SetName("Orders");  // its own name, in any case, is fine
    auto second = excel_.Workbooks().Add().Sheets().Item(1);
    for (const std::string& name : std::vector<std::string>{"", "Sheet2", "SHEET3", "a/b", "what?", "[x]", std::string(32, 'n')}) {
        EXPECT_EQ(CodeOf([&] { second.SetName(name); }), XL_E_METHODFAILED) << name;
    }
    EXPECT_EQ(second.Name(), "Sheet1");
}

TEST_F(AutomationFailuresTest, ValuesOutsideAPropertysRangeAreRefused) {
    auto cell = book_->Sheets().Item(1).Range("A1");
    EXPECT_EQ(CodeOf([&] { cell.SetHorizontalAlignment(99); }), XL_E_METHODFAILED);
    EXPECT_EQ(CodeOf([&] { cell.Font().SetFontStyle("Heavy"); }), XL_E_METHODFAILED);
    EXPECT_EQ(CodeOf([&] { cell.Borders(xlEdgeTop).SetLineStyle(99); }), XL_E_METHODFAILED);
    EXPECT_EQ(CodeOf([&] { cell.Interior().SetColorIndex(57); }), XL_E_METHODFAILED);
    EXPECT_EQ(CodeOf([&] { cell.SetColumnWidth(256); }), XL_E_METHODFAILED);
    EXPECT_EQ(CodeOf([&] { cell.SetColumnWidth(-1); }), XL_E_METHODFAILED);
    EXPECT_EQ(CodeOf([&] { cell.SetName("A1"); }), XL_E_METHODFAILED);
    EXPECT_EQ(CodeOf([&] { cell.SetName("two words"); }), XL_E_METHODFAILED);
    EXPECT_EQ(CodeOf([&] { excel_.ActiveWindow().SetSplitRow(-1); }), XL_E_METHODFAILED);
    EXPECT_EQ(CodeOf([&] { book_->ExclusiveAccess(); }), XL_E_METHODFAILED);
}

TEST_F(AutomationFailuresTest, FilesThatCannotBeOpenedNameThemselves) {
    const auto missing = dir_ / "missing.xls";
    EXPECT_EQ(CodeOf([&] { excel_.Workbooks().Open(missing.string()); }), XL_E_METHODFAILED);
    EXPECT_NE(DescriptionOf([&] { excel_.Workbooks().Open(missing.string()); }).find("missing.xls"),
              std::string::npos);
    const auto text = dir_ / "notes.xls";
    WriteFile(text, "not a workbook at all");
    EXPECT_EQ(CodeOf([&] { excel_.Workbooks().Open(text.string()); }), XL_E_METHODFAILED);
    EXPECT_EQ(excel_.Workbooks().Count(), 1);
}

TEST_F(AutomationFailuresTest, SavesThatCannotBeDoneRaiseAndLeaveNoFile) {
    Workbook created = excel_.Workbooks().Add();
    EXPECT_EQ(CodeOf([&] { created.Save(); }), XL_E_METHODFAILED);

    const auto unreachable = dir_ / "no such folder" / "book.xls";
    SaveAsArguments arguments;
    arguments.fileName = unreachable.string();
    EXPECT_EQ(CodeOf([&] { created.SaveAs(arguments); }), XL_E_METHODFAILED);

    const auto protectedFile = dir_ / "protected.xls";
    arguments.fileName = protectedFile.string();
    arguments.password = "secret";
    EXPECT_EQ(CodeOf([&] { created.SaveAs(arguments); }), XL_E_METHODFAILED);
    arguments.password = Variant::Missing();
    arguments.fileFormat = 51;
    EXPECT_EQ(CodeOf([&] { created.SaveAs(arguments); }), XL_E_METHODFAILED);
    EXPECT_FALSE(std::filesystem::exists(protectedFile));

    Workbook readOnly = excel_.Workbooks().Item(1);
    excel_.Workbooks().Close();
    OpenArguments openReadOnly;
    openReadOnly.readOnly = true;
    readOnly = excel_.Workbooks().Open(file_.string(), openReadOnly);
    EXPECT_EQ(CodeOf([&] { readOnly.Save(); }), XL_E_METHODFAILED);
}

TEST_F(AutomationFailuresTest, ObjectsOfClosedWorkbooksDeletedSheetsAndAQuitServerAreDisconnected) {
    Workbook other = excel_.Workbooks().Add();
    auto deleted = other.Sheets().Item(2);
    auto deletedCell = deleted.Range("A1");
    deleted.Delete();
    EXPECT_EQ(CodeOf([&] { deleted.Name(); }), RPC_E_DISCONNECTED);
    EXPECT_EQ(CodeOf([&] { deletedCell.Value(); }), RPC_E_DISCONNECTED);

    auto sheet = book_->Sheets().Item(1);
    book_->Close(false);
    EXPECT_EQ(CodeOf([&] { sheet.Range("A1").Value(); }), RPC_E_DISCONNECTED);
    EXPECT_EQ(CodeOf([&] { book_->Save(); }), RPC_E_DISCONNECTED);

    excel_.Quit();
    EXPECT_EQ(CodeOf([&] { other.Sheets(); }), RPC_E_DISCONNECTED);
    EXPECT_EQ(CodeOf([&] { excel_.Workbooks(); }), RPC_E_DISCONNECTED);
    EXPECT_EQ(CodeOf([] {
                  Application idle;
                  idle.ActiveWindow();
              }),
              XL_E_METHODFAILED);
}

}  // namespace
}  // namespace tabvex::automation::test
