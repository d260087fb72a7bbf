#include <gtest/gtest.h>

#include "automation_test_support.h"
#include "platform/automation/column_width.h"
#include "platform/automation/excel_constants.h"
#include "support/test_support.h"

namespace tabvex::automation::test {
namespace {

using tabvex::test::ReadWithXlrd;
using tabvex::test::ScratchDir;

std::vector<std::string> HeaderTexts(int count) {
    std::vector<std::string> texts;
    for (int i = 1; i <= count; ++i) texts.push_back("Field" + std::to_string(i));
    return texts;
}

class HeaderFormattingTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeWorkbook(file_, {{"Orders", {{"Id", "Name", "Comment"}, {"1", "Anna", "first"}, {"2", "Ben", ""}}},
                             {"Wide", {HeaderTexts(30), HeaderTexts(30)}},
                             {"Notes", {{"Text"}, {"a note"}}}});
        FormatHeaderRows(file_);
        book_ = ReadWithXlrd(file_);
        ASSERT_TRUE(book_["formatting"]);
    }

    ScratchDir dir_;
    std::filesystem::path file_ = dir_ / "target.xls";
    nlohmann::json book_;
};

void ExpectHeaderCellFormat(const nlohmann::json& sheet, int column) {
    const auto* cell = CellAt(sheet, 0, column);
    ASSERT_NE(cell, nullptr) << sheet["name"] << " column " << column;
    const auto& format = (*cell)["format"];
    EXPECT_TRUE(format["bold"]) << column;
    EXPECT_EQ(format["hor_align"], 2) << column;
    EXPECT_EQ(format["borders"]["top"], 1) << column;
    EXPECT_EQ(format["borders"]["bottom"], 1) << column;
    // The left edge and the inside verticals put a line on both sides of every header cell.
    EXPECT_EQ(format["borders"]["left"], 1) << column;
    EXPECT_EQ(format["borders"]["right"], 1) << column;
    EXPECT_EQ(format["fill_pattern"], 1) << column;
    EXPECT_EQ(format["fill_colour"], 15) << column;  // palette entry 8
}

TEST_F(HeaderFormattingTest, EveryHeaderCellOfEverySheetIsFormattedAndDataRowsAreNot) {
    ASSERT_EQ(book_["sheets"].size(), 3u);
    for (const auto& sheet : book_["sheets"]) {
        const int headerCells = sheet["name"] == "Wide" ? 30 : sheet["name"] == "Orders" ? 3 : 1;
        for (int column = 0; column < headerCells; ++column) ExpectHeaderCellFormat(sheet, column);
        const auto* data = CellAt(sheet, 1, 0);
        ASSERT_NE(data, nullptr);
        EXPECT_FALSE((*data)["format"]["bold"]);
        EXPECT_EQ((*data)["format"]["fill_pattern"], 0);
        EXPECT_EQ((*data)["format"]["borders"]["top"], 0);
    }
}

TEST_F(HeaderFormattingTest, TheHeaderRowIsFrozenOnEverySheet) {
    for (const auto& sheet : book_["sheets"]) {
        EXPECT_TRUE(sheet["frozen"]) << sheet["name"];
        EXPECT_EQ(sheet["frozen_rows"], 1) << sheet["name"];
        EXPECT_EQ(sheet["frozen_cols"], 0) << sheet["name"];
    }
}

TEST_F(HeaderFormattingTest, ColumnsAreAsWideAsTheirHeaderTextsAndEmptyHeadersAreLeftAlone) {
    const auto& orders = *SheetNamed(book_, "Orders");
    // 10 points x 2, 4 and 7 characters x 1.3333334, in twelfths, plus one.
    EXPECT_EQ(orders["col_widths"]["0"], ColumnWidthUnits(3));
    EXPECT_EQ(orders["col_widths"]["1"], ColumnWidthUnits(5));
    EXPECT_EQ(orders["col_widths"]["2"], ColumnWidthUnits(8));
    EXPECT_FALSE(orders["col_widths"].contains("3"));

    const auto& wide = *SheetNamed(book_, "Wide");
    EXPECT_EQ(wide["col_widths"]["8"], ColumnWidthUnits(7));    // "Field9"
    EXPECT_EQ(wide["col_widths"]["29"], ColumnWidthUnits(8));   // "Field30", column AD
    EXPECT_FALSE(wide["col_widths"].contains("30"));
}

TEST_F(HeaderFormattingTest, CellValuesSurviveTheFormatting) {
    const auto& orders = *SheetNamed(book_, "Orders");
    EXPECT_EQ((*CellAt(orders, 0, 2))["value"], "Comment");
    EXPECT_EQ((*CellAt(orders, 2, 1))["value"], "Ben");
    EXPECT_EQ(CellAt(orders, 2, 2), nullptr);
}

TEST(HeaderFormattingReadBackTest, TheObjectModelReadsBackWhatItSet) {
    ScratchDir dir;
    const auto file = dir / "book.xls";
    MakeWorkbook(file, {{"Orders", {{"Id", "Name"}}}});
    FormatHeaderRows(file);

    Application excel;
    Workbook book = excel.Workbooks().Open(file.string());
    Worksheet sheet = book.Sheets().Item("Orders");
    Range header = sheet.Range("A1:B1");
    EXPECT_EQ(header.HorizontalAlignment(), xlHAlignCenter);
    EXPECT_EQ(header.Font().FontStyle(), "Bold");
    EXPECT_EQ(header.Font().Size(), 10.0f);
    EXPECT_EQ(header.Interior().ColorIndex(), 8);
    EXPECT_EQ(header.Borders(xlEdgeLeft).LineStyle(), xlContinuous);
    EXPECT_EQ(header.Borders(xlInsideVertical).LineStyle(), xlContinuous);
    EXPECT_EQ(header.Borders(xlInsideHorizontal).LineStyle(), xlLineStyleNone);
    EXPECT_EQ(header.ColumnWidth(), 3.0);
    EXPECT_EQ(sheet.Range("A2").Interior().ColorIndex(), xlColorIndexNone);
    sheet.Activate();
    EXPECT_TRUE(excel.ActiveWindow().FreezePanes());
    EXPECT_EQ(excel.ActiveWindow().SplitRow(), 1);
    EXPECT_TRUE(book.Saved());
    excel.Quit();
}

}  // namespace
}  // namespace tabvex::automation::test
