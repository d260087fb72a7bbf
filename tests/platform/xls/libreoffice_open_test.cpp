// Workbooks the engine writes must open in LibreOffice, not only in xlrd: LibreOffice
// converts every sheet to CSV, and each sheet must show exactly the cells the engine
// reads back. Skips when LibreOffice is not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/xls/workbook.h"
#include "support/test_support.h"
#include "xls_test_support.h"

namespace tabvex::xls {
namespace {

namespace fs = std::filesystem;
using tabvex::test::RunCommand;
using tabvex::test::ScratchDir;

using Grid = std::vector<std::vector<std::string>>;

fs::path OfficeProgram() {
    for (const char* candidate : {"/usr/bin/soffice", "/usr/local/bin/soffice"}) {
        if (fs::exists(candidate)) return candidate;
    }
    return {};
}

// RFC 4180 records as LibreOffice writes them: quoted fields may hold commas,
// doubled quotes and line breaks.
Grid ParseCsv(const std::string& text) {
    Grid rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        std::string& field = rows.back().back();
        if (quoted) {
            if (c != '"') field += c;
            else if (i + 1 < text.size() && text[i + 1] == '"') field += '"', ++i;
            else quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\n') {
            rows.emplace_back(1);
        } else if (c != '\r') {
            field += c;
        }
    }
    if (rows.back().size() == 1 && rows.back()[0].empty()) rows.pop_back();
    return rows;
}

// Every sheet of the workbook as LibreOffice reads it, by sheet name. The profile
// lives in the scratch folder so that parallel tests do not share its lock.
std::map<std::string, Grid> ConvertWithOffice(const fs::path& workbook, const ScratchDir& dir) {
    const fs::path out = dir / "csv";
    // Comma, double quote, UTF-8, from line 1, plain values, every sheet (-1).
    const std::string filter = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1";
    auto result = RunCommand({OfficeProgram().string(), "-env:UserInstallation=file://" + (dir / "profile").string(),
                              "--headless", "--convert-to", filter, "--outdir", out.string(), workbook.string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::map<std::string, Grid> sheets;
    const std::string prefix = workbook.stem().string() + "-";
    if (!fs::exists(out)) return sheets;
    for (const auto& entry : fs::directory_iterator(out)) {
        std::string name = entry.path().stem().string();
        if (name.rfind(prefix, 0) == 0) sheets[name.substr(prefix.size())] = ParseCsv(tabvex::test::ReadFile(entry.path()));
    }
    return sheets;
}

std::string FieldAt(const Grid& grid, uint32_t row, uint16_t column) {
    if (row >= grid.size() || column >= grid[row].size()) return "";
    return grid[row][column];
}

// The saved file, reopened by the engine, against what LibreOffice shows: every
// value cell equal (numbers by value), and no cell LibreOffice shows that the
// engine does not have. Formula cells are skipped: LibreOffice recalculates them.
void ExpectOfficeShowsTheSameCells(const fs::path& file, const ScratchDir& dir) {
    const Workbook book = Workbook::Open(file);
    const auto converted = ConvertWithOffice(file, dir);
    for (size_t s = 0; s < book.SheetCount(); ++s) {
        const Worksheet& sheet = book.Sheet(s);
        if (!sheet.HasCells()) continue;
        SCOPED_TRACE("sheet " + sheet.Name());
        auto found = converted.find(sheet.Name());
        if (found == converted.end()) {
            std::string shown;
            for (const auto& [name, grid] : converted) shown += " [" + name + "]";
            FAIL() << "LibreOffice did not show the sheet; it showed" << shown;
        }
        const Grid& grid = found->second;
        size_t engineCells = 0;
        sheet.ForEachCell([&](uint32_t row, uint16_t column, const CellValue& value) {
            std::string shown = value.Shown();
            if (!shown.empty()) ++engineCells;
            if (value.isFormula) return;
            std::string field = FieldAt(grid, row, column);
            if (value.type == CellType::Number) {
                EXPECT_DOUBLE_EQ(std::strtod(field.c_str(), nullptr), value.number) << "row " << row << " column " << column;
            } else if (value.type == CellType::Text) {
                EXPECT_EQ(field, shown) << "row " << row << " column " << column;
            }
        });
        size_t officeCells = 0;
        for (const auto& row : grid) {
            for (const auto& field : row) officeCells += field.empty() ? 0 : 1;
        }
        EXPECT_EQ(officeCells, engineCells);
    }
}

class LibreOfficeOpens : public ::testing::Test {
protected:
    void SetUp() override {
        if (OfficeProgram().empty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    }
    ScratchDir dir_;
};

TEST_F(LibreOfficeOpens, NewWorkbookWithFormattedHeaderLongStringsAndManyRows) {
    Workbook book = Workbook::CreateNew({"Orders", "Ünïcode 表 😀", "Empty"});
    Worksheet& orders = book.Sheet(0);
    orders.AppendRow({"Id", "Customer", "City", "Note", "Long"});
    const std::string longText(3000, 'x');  // forces the string table across CONTINUE records
    for (int i = 1; i <= 3000; ++i) {
        std::string id = std::to_string(i);
        orders.AppendRow({id, "Customer " + std::to_string(i % 97), i % 2 ? "Łódź" : "Cowes, \"Isle\" of Wight",
                          "line one\nline two " + id, i % 500 == 0 ? longText + id : ""});
    }
    CellFormat header;
    header.bold = true;
    header.horizontal = HorizontalAlignment::Centre;
    header.borders = {1, 1, 1, 1};
    header.fillColour = 15;
    orders.SetRowFormat(0, header);
    orders.SetColumnWidth(1, 24.5);
    orders.FreezePanes(1, 0);
    orders.SetCellNumber(3001, 0, 1234.5);
    book.AddName("Orders_Table", SheetArea{0, CellRange{0, 3000, 0, 4}});
    book.Sheet(1).SetCellText(0, 0, "日本語 😀 Ω");
    book.Sheet(1).SetCellText(2, 255, "far right");
    book.Save(dir_ / "new.xls");

    ExpectOfficeShowsTheSameCells(dir_ / "new.xls", dir_);
}

TEST_F(LibreOfficeOpens, ChangedCorpusWorkbookWithRenamedAddedAndDeletedSheets) {
    fs::path source = test::CorpusWorkbook("xlrd-namesdemo.xls");
    if (!fs::exists(source)) GTEST_SKIP() << "corpus workbook absent";
    Workbook book = Workbook::Open(source);
    book.RenameSheet(*book.FindSheet("Sheet3"), "Q4 'Totals' & more");
    book.DeleteSheet(*book.FindSheet("Sheet2"));
    Worksheet& added = book.AddSheet("Added");
    added.AppendRow({"Name", "Value"});
    added.AppendRow({"Ærø", "1"});
    book.Sheet(*book.FindSheet("Q4 'Totals' & more")).AppendRow({"Appended", "after", "the totals"});
    book.AddName("Added_Table", SheetArea{*book.FindSheet("Added"), CellRange{0, 1, 0, 1}});
    book.Save(dir_ / "changed.xls");

    ExpectOfficeShowsTheSameCells(dir_ / "changed.xls", dir_);
}

}  // namespace
}  // namespace tabvex::xls
