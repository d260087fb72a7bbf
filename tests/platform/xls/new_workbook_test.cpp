// New workbooks written by the engine, read back by python3-xlrd with formatting.
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

TEST(NewWorkbook, SheetsAndTextCellsReadBackByXlrd) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"Orders", "My Sheet", "Ünïcode 表"});
    auto& orders = book.Sheet(0);
    EXPECT_EQ(orders.AppendRow({"Id", "Name", "Comment"}), 0u);
    EXPECT_EQ(orders.AppendRow({"1", "Ærø", "日本語のテキスト"}), 1u);
    EXPECT_EQ(orders.AppendRow({"2", "Ærø", ""}), 2u);  // a repeated and an empty string
    orders.SetCellNumber(3, 1, 2.5);
    book.Sheet(2).SetCellText(65535, 255, "last cell");
    book.Save(dir / "new.xls");

    auto x = ReadWithXlrd(dir / "new.xls");
    ASSERT_EQ(x["sheets"].size(), 3u);
    EXPECT_EQ(x["sheets"][0]["name"], "Orders");
    EXPECT_EQ(x["sheets"][1]["name"], "My Sheet");
    EXPECT_EQ(x["sheets"][2]["name"], "Ünïcode 表");
    const auto& s = x["sheets"][0];
    EXPECT_EQ(s["nrows"], 4);
    EXPECT_EQ(XlrdCell(s, 0, 2)["value"], "Comment");
    EXPECT_EQ(XlrdCell(s, 1, 1)["value"], "Ærø");
    EXPECT_EQ(XlrdCell(s, 1, 2)["value"], "日本語のテキスト");
    EXPECT_EQ(XlrdCell(s, 2, 1)["value"], "Ærø");
    EXPECT_EQ(XlrdCell(s, 3, 1)["value"], 2.5);
    EXPECT_EQ(x["sheets"][1]["nrows"], 0);
    EXPECT_EQ(x["sheets"][2]["nrows"], 65536);
    EXPECT_EQ(x["sheets"][2]["ncols"], 256);

    Workbook again = Workbook::Open(dir / "new.xls");
    EXPECT_EQ(again.Sheet(0).CellText(1, 2), "日本語のテキスト");
    EXPECT_EQ(again.Sheet(0).CellText(3, 1), "2.5");
    EXPECT_EQ(again.Sheet(2).UsedRange(), (CellRange{65535, 65535, 255, 255}));
}

TEST(NewWorkbook, HeaderRowFormattingWidthsAndFrozenRow) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"Sheet1"});
    auto& sheet = book.Sheet(0);
    sheet.AppendRow({"Id", "Name"});
    sheet.AppendRow({"1", "Anna"});
    CellFormat header = sheet.RowFormat(0);
    EXPECT_FALSE(header.bold);
    EXPECT_DOUBLE_EQ(header.fontPoints, 10);
    header.bold = true;
    header.horizontal = HorizontalAlignment::Centre;
    header.borders = Borders{1, 1, 1, 1};
    header.fillColour = 15;
    sheet.SetRowFormat(0, header);
    sheet.SetCellText(0, 2, "Comment");  // a cell added later takes the row's format
    sheet.SetColumnWidth(0, 3);
    sheet.SetColumnWidth(2, 8.5);
    sheet.FreezePanes(1, 0);
    book.Save(dir / "formatted.xls");

    auto x = ReadWithXlrd(dir / "formatted.xls");
    ASSERT_TRUE(x["formatting"]);
    const auto& s = x["sheets"][0];
    for (int col : {0, 1, 2}) {
        auto format = XlrdCell(s, 0, col)["format"];
        EXPECT_TRUE(format["bold"]) << col;
        EXPECT_EQ(format["hor_align"], 2) << col;
        EXPECT_EQ(format["borders"], (nlohmann::json{{"left", 1}, {"right", 1}, {"top", 1}, {"bottom", 1}}));
        EXPECT_EQ(format["fill_pattern"], 1);
        EXPECT_EQ(format["fill_colour"], 15);
    }
    auto body = XlrdCell(s, 1, 1)["format"];
    EXPECT_FALSE(body["bold"]);
    EXPECT_EQ(body["fill_pattern"], 0);
    EXPECT_TRUE(s["frozen"]);
    EXPECT_EQ(s["frozen_rows"], 1);
    EXPECT_EQ(s["frozen_cols"], 0);
    EXPECT_EQ(s["col_widths"]["0"], 768);
    EXPECT_EQ(s["col_widths"]["2"], 2176);

    Workbook again = Workbook::Open(dir / "formatted.xls");
    EXPECT_EQ(again.Sheet(0).RowFormat(0), header);
    EXPECT_EQ(again.Sheet(0).CellFormatAt(0, 2), header);
    EXPECT_EQ(again.Sheet(0).Frozen(), (FrozenPanes{1, 0}));
    EXPECT_EQ(again.Sheet(0).ColumnWidth(2), 8.5);
    EXPECT_EQ(again.Sheet(0).ColumnWidth(1), std::nullopt);
}

TEST(NewWorkbook, DefinedNamesOverSheetAreas) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"Orders", "My Sheet"});
    book.AddName("Orders", SheetArea{0, {0, 9, 0, 1}});
    book.AddName("Corner", SheetArea{1, {0, 0, 0, 0}});
    EXPECT_EQ(book.FindName("orders")->formulaText, "=Orders!$A$1:$B$10");
    EXPECT_EQ(book.FindName("Corner")->formulaText, "='My Sheet'!$A$1");
    book.SetNameArea("Orders", SheetArea{0, {0, 10, 0, 1}});
    EXPECT_EQ(book.NameArea("ORDERS"), (SheetArea{0, {0, 10, 0, 1}}));
    EXPECT_THROW(book.AddName("orders", SheetArea{0, {0, 0, 0, 0}}), XlsError);
    book.Save(dir / "names.xls");

    auto x = ReadWithXlrd(dir / "names.xls");
    auto orders = XlrdName(x, "Orders");
    ASSERT_FALSE(orders.is_null());
    EXPECT_EQ(orders["area"], (nlohmann::json{{"sheet", "Orders"}, {"rlo", 0}, {"rhi", 11}, {"clo", 0}, {"chi", 2}}));
    EXPECT_EQ(XlrdName(x, "Corner")["area"]["sheet"], "My Sheet");

    Workbook again = Workbook::Open(dir / "names.xls");
    EXPECT_EQ(again.FindName("Orders")->formulaText, "=Orders!$A$1:$B$11");
    again.DeleteName("Orders");
    EXPECT_FALSE(again.FindName("Orders"));
    EXPECT_THROW(again.DeleteName("Orders"), XlsError);
}

TEST(NewWorkbook, LimitsAreRefusedWithClearErrors) {
    Workbook book = Workbook::CreateNew({"Sheet1"});
    auto& sheet = book.Sheet(0);
    auto message = [](auto&& action) {
        try {
            action();
        } catch (const XlsError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_NE(message([&] { sheet.SetCellText(65536, 0, "x"); }).find("65,536 rows"), std::string::npos);
    EXPECT_NE(message([&] { sheet.SetCellText(0, 256, "x"); }).find("256 columns"), std::string::npos);
    EXPECT_NE(message([&] { sheet.SetCellText(0, 0, std::string(32768, 'x')); }).find("32,767"), std::string::npos);
    EXPECT_NO_THROW(sheet.SetCellText(0, 0, std::string(32767, 'x')));
    EXPECT_NE(message([&] { sheet.AppendRow(std::vector<std::string>(257, "x")); }).find("256"), std::string::npos);
    // A row of texts with one bad text leaves the row as it was.
    std::string tooLong(32768, 'x');
    std::vector<ColumnText> badLength{{1, "kept out"}, {2, tooLong}};
    std::vector<ColumnText> badColumn{{1, "kept out"}, {256, "x"}};
    EXPECT_THROW(sheet.SetCellTexts(5, badLength), XlsError);
    EXPECT_THROW(sheet.SetCellTexts(5, badColumn), XlsError);
    EXPECT_EQ(sheet.Cell(5, 1).type, CellType::Empty);
    sheet.SetCellText(65535, 0, "last");
    EXPECT_NE(message([&] { sheet.AppendRow({"x"}); }).find("full"), std::string::npos);

    for (std::string bad : std::vector<std::string>{"", "a:b", "a\\b", "a/b", "a?b", "a*b", "a[b", "a]b", "'a", "a'", std::string(32, 'n')}) {
        EXPECT_THROW(book.AddSheet(bad), XlsError) << bad;
    }
    EXPECT_NO_THROW(book.AddSheet(std::string(31, 'n')));
    EXPECT_NO_THROW(book.AddSheet("O'Brien"));
    EXPECT_NE(message([&] { book.AddSheet("SHEET1"); }).find("already exists"), std::string::npos);
    EXPECT_THROW(book.RenameSheet(1, "sheet1"), XlsError);
    EXPECT_NO_THROW(book.RenameSheet(0, "SHEET1"));  // its own name in another case
    EXPECT_THROW(Workbook::CreateNew({}), XlsError);
    EXPECT_THROW(Workbook::CreateNew({"Same", "same"}), XlsError);
}

TEST(NewWorkbook, FailedSaveLeavesTheOldFileAndNoTemporary) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"Sheet1"});
    book.Sheet(0).SetCellText(0, 0, "old");
    book.Save(dir / "book.xls");
    std::string before = tabvex::test::ReadFile(dir / "book.xls");

    std::filesystem::create_directory(dir / "in-the-way.xls");
    std::filesystem::create_directory(dir / "in-the-way.xls" / "child");
    book.Sheet(0).SetCellText(0, 0, "new");
    try {
        book.Save(dir / "in-the-way.xls");
        ADD_FAILURE() << "saving over a folder succeeded";
    } catch (const XlsError& e) {
        EXPECT_EQ(e.file(), dir / "in-the-way.xls");
    }
    EXPECT_THROW(book.Save(dir / "no-such-folder" / "book.xls"), XlsError);
    EXPECT_EQ(tabvex::test::ReadFile(dir / "book.xls"), before);
    EXPECT_EQ(book.Path(), dir / "book.xls");
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 2u);  // book.xls and the folder, no temporary left
}

}  // namespace
}  // namespace tabvex::xls
