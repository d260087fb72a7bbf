// The ISAM remembers the table a statement named last and each worksheet's used range
// instead of measuring them again; these tests catch that state going stale.
#include <gtest/gtest.h>

#include "platform/jet/excel/excel_isam.h"
#include "platform/xls/workbook.h"
#include "excel_isam_test_support.h"
#include "support/test_support.h"

namespace tabvex::jet::excel {
namespace {

using test::ScratchDir;

std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const IsamError& error) {
        return error.what();
    }
    return "no error";
}

TEST(ExcelTableState, NameAndWorksheetTableSeeEachOthersRows) {
    ScratchDir dir;
    ExcelIsam isam(dir / "t.xls");
    isam.CreateTable("T", TextColumns({"A", "B"}));
    for (const char* name : {"T", "t", "T"}) isam.InsertRow(name, {std::string(name), std::string("by name")});
    isam.InsertRow("T$", {std::string("s1"), std::string("by sheet")});
    isam.InsertRow("t$", {std::string("s2"), std::monostate{}});

    // The name ends at its own last row, so the row under it is taken by the sheet's.
    EXPECT_EQ(FailureOf([&] { isam.InsertRow("T", {std::string("x"), std::string("y")}); }),
              "Cannot expand the named range 'T': row 5 under it is not empty.");
    EXPECT_EQ(ReadAll(isam, "T").size(), 3u);
    auto sheetRows = ReadAll(isam, "T$");
    ASSERT_EQ(sheetRows.size(), 5u);
    EXPECT_EQ(sheetRows[4][0], oledb::Value(std::string("s2")));

    // A row of NULLs writes no cells: the name grows over it, the worksheet table does
    // not, so the worksheet's next row fills it.
    isam.CreateTable("U", TextColumns({"A"}));
    isam.InsertRow("U", {std::monostate{}});
    isam.InsertRow("U$", {std::string("under the header")});
    EXPECT_EQ(ReadAll(isam, "U$").size(), 1u);
    auto named = ReadAll(isam, "U");
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(named[0][0], oledb::Value(std::string("under the header")));
}

TEST(ExcelTableState, ATableCreatedAfterAFailedLookupIsFound) {
    ScratchDir dir;
    ExcelIsam isam(dir / "t.xls");
    isam.CreateTable("First", TextColumns({"A"}));
    isam.InsertRow("First", {std::string("1")});
    EXPECT_NE(FailureOf([&] { isam.Columns("Second"); }).find("does not exist"), std::string::npos);
    isam.CreateTable("Second", TextColumns({"X", "Y"}));
    EXPECT_EQ(isam.Columns("Second").size(), 2u);
    isam.InsertRow("Second", {std::string("x"), std::string("y")});
    isam.InsertRow("First", {std::string("2")});
    EXPECT_EQ(ReadAll(isam, "First$").size(), 2u);
    EXPECT_EQ(ReadAll(isam, "Second$").size(), 1u);
}

// A name beside a worksheet's cells, over empty rows: inserting into it, past the rows
// that types are guessed from, widens the worksheet table.
TEST(ExcelTableState, AWorksheetWidenedThroughANameShowsTheNewColumns) {
    ScratchDir dir;
    auto path = dir / "wide.xls";
    auto book = xls::Workbook::CreateNew({"S"});
    book.Sheet(0).SetCellText(0, 0, "a");
    book.Sheet(0).SetCellText(0, 1, "b");
    book.AddName("Far", xls::SheetArea{0, xls::CellRange{19, 29, 3, 4}});
    book.Save(path);

    ExcelIsam isam(path);
    EXPECT_EQ(isam.Columns("S$").size(), 2u);
    isam.InsertRow("Far", {std::string("d"), std::string("e")});
    auto columns = isam.Columns("S$");
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[4].name, "F5");
    auto rows = ReadAll(isam, "S$");
    ASSERT_EQ(rows.size(), 30u);
    EXPECT_EQ(rows[29][3], oledb::Value(std::string("d")));
}

}  // namespace
}  // namespace tabvex::jet::excel
