// Dates and currency in workbooks: columns of date- and currency-formatted numbers are
// guessed and read as Jet reads them, compared with xlrd over real workbooks; Excel's
// day numbers (the 1900 leap year, 1904 workbooks) and what INSERT writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "platform/jet/excel/excel_cell_value.h"
#include "platform/jet/excel/excel_date_serial.h"
#include "platform/jet/excel/excel_isam.h"
#include "platform/xls/workbook.h"
#include "excel_isam_test_support.h"
#include "support/test_support.h"

namespace tabvex::jet::excel {
namespace {

using nlohmann::json;

std::size_t Ordinal(const std::vector<IsamColumn>& columns, const std::string& name) {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == name) return i;
    std::string names;
    for (const auto& column : columns) names += " [" + column.name + "]";
    ADD_FAILURE() << "no column " << name << " among" << names;
    return columns.size();
}

const json* XlrdCell(const json& sheet, std::uint32_t row, std::uint32_t col) {
    for (const auto& cell : sheet["cells"])
        if (cell["row"] == row && cell["col"] == col) return &cell;
    return nullptr;
}

// What a cell of a date, currency or number column should read as, by xlrd: the ISO
// text of a date, currency to four places, a number, or nothing to compare.
std::optional<std::string> Expected(const json* cell, oledb::DBTYPE type) {
    if (!cell) return "";  // an empty cell is NULL
    if (type == oledb::DBTYPE_DATE && (*cell)["type"] == 3 && (*cell)["date"].is_string())
        return (*cell)["date"].get<std::string>();
    if (type == oledb::DBTYPE_CY && (*cell)["type"] == 2) {
        char text[64];
        std::snprintf(text, sizeof text, "%.4f", (*cell)["value"].get<double>());
        return text;
    }
    if (type == oledb::DBTYPE_R8 && (*cell)["type"] == 2)
        return oledb::ValueText(oledb::Value((*cell)["value"].get<double>()));
    return std::nullopt;
}

struct ColumnCase {
    const char* file;
    const char* sheet;
    const char* column;
    oledb::DBTYPE type;
};

TEST(ExcelDates, CorpusDateAndCurrencyColumnsReadAsXlrdShowsThem) {
    auto corpus = test::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    const ColumnCase cases[] = {
        {"poi-ex45582-22397.xls", "Report 1", "Opportunity Close Calendar Date", oledb::DBTYPE_DATE},  // mm/dd/yyyy
        {"poi-DateFormats.xls", "Sheet1", "39304", oledb::DBTYPE_DATE},  // four formats, one with a locale tag
        {"poi-49581.xls", "TestSheet002", "40452", oledb::DBTYPE_DATE},   // blank rows among the dates
        {"poi-ConditionalFormattingSamples.xls", "Products1", "Date", oledb::DBTYPE_DATE},
        {"poi-ConditionalFormattingSamples.xls", "Products1", "Amount", oledb::DBTYPE_CY},  // "$"#,##0.00
        // The header row is a row of notes above the headings, which become a text row.
        {"poi-ConditionalFormattingSamples.xls", "Book tour", "F2", oledb::DBTYPE_DATE},              // d-mmm
        {"poi-ConditionalFormattingSamples.xls", "Book tour", "(Top 20%)", oledb::DBTYPE_CY},         // "$"#,##0
        {"poi-ConditionalFormattingSamples.xls", "Book tour", "(Above Average)", oledb::DBTYPE_R8},
    };
    std::map<std::string, json> xlrdBooks;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.sheet + " " + c.column);
        auto path = corpus / "xls" / c.file;
        if (!xlrdBooks.count(c.file)) xlrdBooks[c.file] = test::ReadWithXlrd(path);
        const json& xlrd = xlrdBooks[c.file];
        auto book = xls::Workbook::Open(path);
        std::size_t sheet = *book.FindSheet(c.sheet);
        xls::CellRange used = *book.Sheet(sheet).UsedRange();

        ExcelIsam isam(path);
        std::string table = std::string(c.sheet) + "$";
        auto columns = isam.Columns(table);
        std::size_t ordinal = Ordinal(columns, c.column);
        ASSERT_LT(ordinal, columns.size());
        EXPECT_EQ(columns[ordinal].type, c.type);
        EXPECT_EQ(columns[ordinal].flags, 122u);  // NUMERIC, CURRENCY, DATETIME

        auto rows = ReadAll(isam, table);
        std::size_t compared = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            auto row = static_cast<std::uint32_t>(used.firstRow + 1 + i);
            auto expected = Expected(XlrdCell(xlrd["sheets"][sheet], row, used.firstColumn + ordinal), c.type);
            if (!expected) continue;
            EXPECT_EQ(oledb::ValueText(rows[i][ordinal]), *expected) << "row " << row;
            compared += !expected->empty();
        }
        EXPECT_GE(compared, 3u);
    }
}

TEST(ExcelDates, ExcelDayNumbersBecomeTheDatesTheCellsShow) {
    using enum DateSystem;
    EXPECT_EQ(JetSerialFromExcel(39304, Excel1900), 39304);   // 2007-08-10: both count alike
    EXPECT_EQ(JetSerialFromExcel(61, Excel1900), 61);         // 1900-03-01
    EXPECT_EQ(JetSerialFromExcel(59, Excel1900), 60);         // 1900-02-28, before Excel's 1900-02-29
    EXPECT_EQ(JetSerialFromExcel(1.5, Excel1900), 2.5);       // 1900-01-01 12:00
    EXPECT_EQ(JetSerialFromExcel(0.25, Excel1900), 0.25);     // a bare time of day
    EXPECT_EQ(JetSerialFromExcel(35064, Excel1904), 36526);   // 2000-01-01 in a 1904 workbook
    for (double jet : {2.0, 59.5, 60.0, 61.0, 1462.0, 40000.75})
        for (auto system : {Excel1900, Excel1904})
            EXPECT_EQ(JetSerialFromExcel(ExcelSerialFromJet(jet, system), system), jet) << jet;

    xls::CellValue cell{xls::CellType::Number, false, "", 35064};
    EXPECT_EQ(ReadCell(cell, ExcelColumnKind::DateTime, Excel1904), oledb::Value(oledb::DateTime{2000, 1, 1}));
    // Far beyond the years Jet holds: no date rather than a wrapped-around one.
    cell.number = 1e300;
    EXPECT_TRUE(oledb::IsNull(ReadCell(cell, ExcelColumnKind::DateTime, Excel1900)));
    EXPECT_THROW(CellContentFor(oledb::Value(1e300), ExcelColumnKind::DateTime, Excel1900, "d"), IsamError);
}

TEST(ExcelDates, InsertedDatesAndMoneyReadBackAsDatesAndMoney) {
    test::ScratchDir dir;
    auto path = dir / "t.xls";
    {
        ExcelIsam isam(path);
        isam.CreateTable("Orders", {{"Placed", "DATETIME", std::nullopt}, {"Total", "CURRENCY", std::nullopt},
                                    {"Qty", "DOUBLE", std::nullopt}});
        isam.InsertRow("Orders", {std::string("1996-07-04"), std::string("12.5"), 3.0});
        isam.InsertRow("Orders", {std::string("1996-07-05 14:30:00"), 7.0, 4.0});
        isam.Flush();
    }
    ExcelIsam reopened(path);
    auto columns = reopened.Columns("Orders");
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].type, oledb::DBTYPE_DATE);
    EXPECT_EQ(columns[1].type, oledb::DBTYPE_CY);
    EXPECT_EQ(columns[2].type, oledb::DBTYPE_R8);
    auto rows = ReadAll(reopened, "Orders");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(oledb::ValueText(rows[0][0]), "1996-07-04");
    EXPECT_EQ(oledb::ValueText(rows[1][0]), "1996-07-05 14:30:00");
    EXPECT_EQ(oledb::ValueText(rows[0][1]), "12.5000");

    // xlrd sees the same dates, so Excel shows them as dates too.
    auto xlrd = test::ReadWithXlrd(path);
    const json* placed = XlrdCell(xlrd["sheets"][0], 2, 0);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ((*placed)["date"], "1996-07-05 14:30:00");
}

}  // namespace
}  // namespace tabvex::jet::excel
