// Changing the sheets of a saved workbook: references and sheet-local names follow
// the sheet order; the result is checked through xlrd and the engine itself.
#include <gtest/gtest.h>

#include "platform/xls/workbook.h"
#include "support/test_support.h"
#include "xls_test_support.h"

namespace tabvex::xls {
namespace {

using tabvex::test::ReadWithXlrd;
using tabvex::test::ScratchDir;
using test::XlrdCell;
using test::XlrdName;

// Three sheets, a global name on each and a name local to the second.
Workbook ThreeSheetBook(const std::filesystem::path& path) {
    Workbook book = Workbook::CreateNew({"First", "Second", "Third"});
    for (size_t i = 0; i < 3; ++i) {
        book.Sheet(i).AppendRow({"sheet " + std::to_string(i + 1)});
        book.AddName("Name" + std::to_string(i + 1), SheetArea{i, {0, 0, 0, 3}});
    }
    book.Save(path);
    return Workbook::Open(path);
}

TEST(SheetChanges, DeletingASheetMovesReferencesAndDropsItsLocalNames) {
    ScratchDir dir;
    Workbook book = ThreeSheetBook(dir / "three.xls");
    book.DeleteSheet(1);
    ASSERT_EQ(book.SheetCount(), 2u);
    EXPECT_EQ(book.Sheet(1).Name(), "Third");
    EXPECT_EQ(book.FindName("Name3")->formulaText, "=Third!$A$1:$D$1");
    EXPECT_EQ(book.NameArea("Name3"), (SheetArea{1, {0, 0, 0, 3}}));
    EXPECT_EQ(book.FindName("Name2")->formulaText, "=#REF!");
    EXPECT_EQ(book.NameArea("Name2"), std::nullopt);
    book.Save(dir / "two.xls");

    auto x = ReadWithXlrd(dir / "two.xls");
    ASSERT_EQ(x["sheets"].size(), 2u);
    EXPECT_EQ(XlrdCell(x["sheets"][1], 0, 0)["value"], "sheet 3");
    EXPECT_EQ(XlrdName(x, "Name3")["area"]["sheet"], "Third");
    EXPECT_EQ(XlrdName(x, "Name1")["area"]["sheet"], "First");
    EXPECT_THROW(book.DeleteSheet(2), XlsError);
}

TEST(SheetChanges, AddRenameAndAppendSurviveSaving) {
    ScratchDir dir;
    Workbook book = ThreeSheetBook(dir / "three.xls");
    book.RenameSheet(0, "It's First");
    auto& added = book.AddSheet("Added");
    added.AppendRow({"a", "b"});
    book.AddName("AddedArea", SheetArea{3, {0, 0, 0, 1}});
    book.Sheet(2).AppendRow({"more"});
    book.Save();  // back to where it was opened from

    Workbook again = Workbook::Open(dir / "three.xls");
    ASSERT_EQ(again.SheetCount(), 4u);
    EXPECT_EQ(again.FindSheet("it's first"), 0u);
    EXPECT_EQ(again.FindName("Name1")->formulaText, "='It''s First'!$A$1:$D$1");
    EXPECT_EQ(again.FindName("AddedArea")->formulaText, "=Added!$A$1:$B$1");
    EXPECT_EQ(again.Sheet(2).CellText(1, 0), "more");

    auto x = ReadWithXlrd(dir / "three.xls");
    EXPECT_EQ(x["sheets"][0]["name"], "It's First");
    EXPECT_EQ(XlrdName(x, "AddedArea")["area"]["sheet"], "Added");
    EXPECT_EQ(XlrdCell(x["sheets"][3], 0, 1)["value"], "b");
}

TEST(SheetChanges, OverwritingCellsKeepsFormatsAndDropsUnusedStrings) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"S"});
    auto& sheet = book.Sheet(0);
    sheet.AppendRow({"gone", "kept"});
    CellFormat bold;
    bold.bold = true;
    sheet.SetRowFormat(0, bold);
    sheet.SetCellText(0, 0, "replacement");
    book.Save(dir / "s.xls");

    auto x = ReadWithXlrd(dir / "s.xls");
    EXPECT_EQ(XlrdCell(x["sheets"][0], 0, 0)["value"], "replacement");
    EXPECT_TRUE(XlrdCell(x["sheets"][0], 0, 0)["format"]["bold"]);
    EXPECT_EQ(tabvex::test::ReadFile(dir / "s.xls").find("gone"), std::string::npos);
}

}  // namespace
}  // namespace tabvex::xls
