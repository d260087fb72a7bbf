// Formatting changed on new and corpus workbooks: cell formats over existing and blank
// cells, borders edge by edge, column widths inside runs, frozen panes set and cleared;
// each read back by xlrd with formatting.
#include <gtest/gtest.h>

#include "platform/xls/workbook.h"
#include "support/test_support.h"
#include "xls_test_support.h"

namespace tabvex::xls {
namespace {

namespace fs = std::filesystem;
using tabvex::test::ReadWithXlrd;
using tabvex::test::ScratchDir;
using test::CorpusWorkbook;
using test::XlrdCell;

const nlohmann::json& SheetNamed(const nlohmann::json& book, const std::string& name) {
    for (const auto& sheet : book["sheets"]) {
        if (sheet["name"] == name) return sheet;
    }
    throw std::runtime_error("xlrd has no sheet " + name);
}

TEST(CellFormats, EdgesFillAndBoldApplyCellByCellAndOnBlankCells) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"S"});
    auto& sheet = book.Sheet(0);
    sheet.AppendRow({"a", "b", "c"});
    CellFormat left;
    left.borders.left = 2;  // medium
    CellFormat bottom;
    bottom.borders.bottom = 5;  // thick
    bottom.fillColour = 13;
    sheet.SetCellFormat(0, 0, left);
    sheet.SetCellFormat(0, 1, bottom);
    sheet.SetCellFormat(3, 4, bottom);  // no cell there yet: a blank carries it
    CellFormat bold = sheet.CellFormatAt(0, 2);
    bold.bold = true;
    sheet.SetCellFormat(0, 2, bold);
    sheet.SetCellText(0, 2, "c2");  // new text keeps the cell's format
    EXPECT_EQ(sheet.CellText(3, 4), "");
    book.Save(dir / "cells.xls");

    auto x = ReadWithXlrd(dir / "cells.xls");
    ASSERT_TRUE(x["formatting"]);
    const auto& s = x["sheets"][0];
    EXPECT_EQ(XlrdCell(s, 0, 0)["format"]["borders"], (nlohmann::json{{"left", 2}, {"right", 0}, {"top", 0}, {"bottom", 0}}));
    EXPECT_EQ(XlrdCell(s, 0, 0)["format"]["fill_pattern"], 0);
    EXPECT_EQ(XlrdCell(s, 0, 1)["format"]["borders"]["bottom"], 5);
    EXPECT_EQ(XlrdCell(s, 0, 1)["format"]["fill_colour"], 13);
    EXPECT_EQ(XlrdCell(s, 0, 2)["value"], "c2");
    EXPECT_TRUE(XlrdCell(s, 0, 2)["format"]["bold"]);
    EXPECT_FALSE(XlrdCell(s, 0, 1)["format"]["bold"]);
    auto blank = XlrdCell(s, 3, 4);
    ASSERT_FALSE(blank.is_null());
    EXPECT_EQ(blank["type"], 6);  // blank, formatted
    EXPECT_EQ(blank["format"]["fill_colour"], 13);

    Workbook again = Workbook::Open(dir / "cells.xls");
    EXPECT_EQ(again.Sheet(0).CellFormatAt(0, 1), bottom);
    EXPECT_EQ(again.Sheet(0).CellFormatAt(3, 4), bottom);
}

TEST(CellFormats, RowFormatOverCorpusCellsKeepsWhatItDoesNotModel) {
    fs::path original = CorpusWorkbook("poi-12561-1.xls");
    if (original.empty() || !fs::exists(original)) GTEST_SKIP() << "no corpus";
    ScratchDir dir;
    Workbook book = Workbook::Open(original);
    auto& sheet = book.Sheet(0);
    auto before = ReadWithXlrd(original);
    CellFormat header = sheet.RowFormat(0);
    header.bold = true;
    header.horizontal = HorizontalAlignment::Centre;
    header.borders = Borders{1, 1, 1, 1};
    header.fillColour = 22;
    sheet.SetRowFormat(0, header);
    book.Save(dir / "changed.xls");

    auto x = ReadWithXlrd(dir / "changed.xls");
    const auto& was = before["sheets"][0];
    const auto& now = x["sheets"][0];
    ASSERT_EQ(now["cells"].size(), was["cells"].size());
    for (size_t i = 0; i < now["cells"].size(); ++i) {
        const auto& cell = now["cells"][i];
        EXPECT_EQ(cell["value"], was["cells"][i]["value"]);
        if (cell["row"] != 0) {
            EXPECT_EQ(cell["format"], was["cells"][i]["format"]) << cell;
            continue;
        }
        EXPECT_TRUE(cell["format"]["bold"]);
        EXPECT_EQ(cell["format"]["hor_align"], 2);
        EXPECT_EQ(cell["format"]["fill_colour"], 22);
    }
}

TEST(CellFormats, ColumnWidthInsideARunSplitsIt) {
    fs::path original = CorpusWorkbook("poi-15573.xls");
    if (original.empty() || !fs::exists(original)) GTEST_SKIP() << "no corpus";
    ScratchDir dir;
    auto before = ReadWithXlrd(original)["sheets"][0]["col_widths"];
    Workbook book = Workbook::Open(original);
    book.Sheet(0).SetColumnWidth(5, 20);
    book.Sheet(0).SetColumnWidth(255, 1.5);
    book.Save(dir / "widths.xls");

    auto after = ReadWithXlrd(dir / "widths.xls")["sheets"][0]["col_widths"];
    EXPECT_EQ(after["5"], 5120);
    EXPECT_EQ(after["255"], 384);
    for (const auto& column : {"0", "4", "6", "254"}) EXPECT_EQ(after[column], before[column]) << column;
    EXPECT_EQ(Workbook::Open(dir / "widths.xls").Sheet(0).ColumnWidth(6), before["6"].get<double>() / 256);
    EXPECT_THROW(book.Sheet(0).SetColumnWidth(3, 256), XlsError);
    EXPECT_THROW(book.Sheet(0).SetColumnWidth(256, 5), XlsError);
}

TEST(CellFormats, PanesFrozenAndClearedOnNewAndCorpusSheets) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"Both", "Columns", "Cleared"});
    book.Sheet(0).FreezePanes(2, 3);
    book.Sheet(1).FreezePanes(0, 1);
    book.Sheet(2).FreezePanes(1, 0);
    book.Sheet(2).FreezePanes(0, 0);
    EXPECT_THROW(book.Sheet(0).FreezePanes(65536, 0), XlsError);
    book.Save(dir / "panes.xls");
    auto x = ReadWithXlrd(dir / "panes.xls");
    EXPECT_EQ(x["sheets"][0]["frozen_rows"], 2);
    EXPECT_EQ(x["sheets"][0]["frozen_cols"], 3);
    EXPECT_EQ(x["sheets"][1]["frozen_rows"], 0);
    EXPECT_EQ(x["sheets"][1]["frozen_cols"], 1);
    EXPECT_FALSE(x["sheets"][2]["frozen"]);
    EXPECT_EQ(Workbook::Open(dir / "panes.xls").Sheet(0).Frozen(), (FrozenPanes{2, 3}));

    fs::path original = CorpusWorkbook("poi-12561-1.xls");  // three rows frozen by Excel
    if (original.empty() || !fs::exists(original)) GTEST_SKIP() << "no corpus";
    Workbook corpus = Workbook::Open(original);
    const std::string name = corpus.Sheet(0).Name();
    EXPECT_EQ(corpus.Sheet(0).Frozen().rows, 3u);
    corpus.Sheet(0).FreezePanes(1, 0);
    corpus.Save(dir / "refrozen.xls");
    EXPECT_EQ(SheetNamed(ReadWithXlrd(dir / "refrozen.xls"), name)["frozen_rows"], 1);
    corpus.Sheet(0).FreezePanes(0, 0);
    corpus.Save(dir / "unfrozen.xls");
    EXPECT_FALSE(SheetNamed(ReadWithXlrd(dir / "unfrozen.xls"), name)["frozen"]);
}

}  // namespace
}  // namespace tabvex::xls
