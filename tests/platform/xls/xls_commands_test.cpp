// tabvex-cli xls-dump and xls-copy.
#include <gtest/gtest.h>

#include "platform/xls/workbook.h"
#include "support/test_support.h"

namespace tabvex::xls {
namespace {

using tabvex::test::CliPath;
using tabvex::test::RunCommand;
using tabvex::test::ScratchDir;

TEST(XlsCommands, DumpPrintsSheetsCellsFormatAndNames) {
    ScratchDir dir;
    Workbook book = Workbook::CreateNew({"Orders", "Chart data"});
    auto& sheet = book.Sheet(0);
    sheet.AppendRow({"Id", "Name"});
    sheet.SetCellNumber(1, 0, 42);
    CellFormat header;
    header.bold = true;
    header.horizontal = HorizontalAlignment::Centre;
    header.borders = Borders{1, 0, 1, 1};
    header.fillColour = 15;
    sheet.SetRowFormat(0, header);
    sheet.SetColumnWidth(1, 12);
    sheet.FreezePanes(1, 0);
    book.AddName("Orders", SheetArea{0, {0, 1, 0, 1}});
    book.Save(dir / "dump.xls");

    auto r = RunCommand({CliPath().string(), "xls-dump", (dir / "dump.xls").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto dump = nlohmann::json::parse(r.out);
    const auto& orders = dump["sheets"][0];
    EXPECT_EQ(orders["name"], "Orders");
    EXPECT_EQ(dump["sheets"][1]["name"], "Chart data");
    EXPECT_EQ(orders["cells"].size(), 3u);
    EXPECT_EQ(orders["cells"][2], (nlohmann::json{{"row", 1}, {"col", 0}, {"type", "number"}, {"text", "42"}}));
    EXPECT_EQ(orders["column_widths"], (nlohmann::json{{"1", 12.0}}));
    EXPECT_EQ(orders["frozen_rows"], 1);
    EXPECT_EQ(orders["frozen_columns"], 0);
    EXPECT_EQ(orders["row1_format"], (nlohmann::json{{"bold", true}, {"centred", true},
                                                     {"borders", {{"left", 1}, {"right", 0}, {"top", 1}, {"bottom", 1}}},
                                                     {"fill_colour", 15}}));
    EXPECT_EQ(dump["names"][0]["formula"], "=Orders!$A$1:$B$2");
}

TEST(XlsCommands, ErrorsNameTheFileAndExitWithOne) {
    ScratchDir dir;
    tabvex::test::WriteFile(dir / "plain.txt", "not a workbook");
    auto dump = RunCommand({CliPath().string(), "xls-dump", (dir / "plain.txt").string()});
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_NE(dump.err.find((dir / "plain.txt").string() + ": not an Excel 97-2003 workbook: not a readable compound file"), std::string::npos);
    auto copy = RunCommand({CliPath().string(), "xls-copy", (dir / "plain.txt").string(), (dir / "out.xls").string()});
    EXPECT_EQ(copy.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.xls"));
    EXPECT_EQ(RunCommand({CliPath().string(), "xls-copy", "one-argument"}).exitCode, 2);
}

}  // namespace
}  // namespace tabvex::xls
