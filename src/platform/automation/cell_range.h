// A rectangle of cells on one worksheet and its A1 notation: "B2", "$A$1",
// "A1:B1", "AB1:AB1", whole columns "A:C" and whole rows "1:1".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabvex::automation {

inline constexpr int kSheetRows = 65536;
inline constexpr int kSheetColumns = 256;

// Zero-based, inclusive bounds.
struct CellRange {
    int firstRow = 0;
    int firstColumn = 0;
    int lastRow = 0;
    int lastColumn = 0;

    static CellRange Cell(int row, int column) { return {row, column, row, column}; }

    int RowCount() const { return lastRow - firstRow + 1; }
    int ColumnCount() const { return lastColumn - firstColumn + 1; }
    bool IsSingleCell() const { return RowCount() == 1 && ColumnCount() == 1; }
    bool SpansAllColumns() const { return firstColumn == 0 && lastColumn == kSheetColumns - 1; }
    bool SpansAllRows() const { return firstRow == 0 && lastRow == kSheetRows - 1; }
    // The same rows across every column of the sheet.
    CellRange EntireRows() const { return {firstRow, 0, lastRow, kSheetColumns - 1}; }

    bool operator==(const CellRange&) const = default;
};

// Reads an address, with or without "$" marks, in either corner order; nullopt
// when the text is not one rectangle inside the sheet's bounds.
std::optional<CellRange> ParseA1Range(std::string_view address);

// "A" for column 0, "Z", "AA", ..., "IV" for the last column.
std::string ColumnLetters(int column);

// The absolute address as a defined name refers to it: "$A$1", "$A$1:$C$9",
// "$1:$1" for whole rows, "$A:$B" for whole columns.
std::string AbsoluteAddress(const CellRange& range);

}  // namespace tabvex::automation
