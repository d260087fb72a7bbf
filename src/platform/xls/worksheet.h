// One sheet of a workbook: its name and kind, and for worksheets the cells, row and
// column formats, and the window's frozen panes. Records the engine does not model
// stay in their place and are written back unchanged.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/xls/biff_record.h"
#include "platform/xls/cell_format.h"
#include "platform/xls/cell_range.h"
#include "platform/xls/cell_value.h"
#include "platform/xls/column_info_record.h"
#include "platform/xls/row_record.h"
#include "platform/xls/pane_record.h"
#include "platform/xls/window2_record.h"

namespace tabvex::xls {

class SharedStringTable;
class FormatTable;

enum class SheetKind : uint8_t { Worksheet, MacroSheet, Chart, VisualBasicModule };
enum class SheetVisibility : uint8_t { Visible = 0, Hidden = 1, VeryHidden = 2 };

// A text bound for one column of a row.
struct ColumnText {
    uint16_t column;
    std::string_view text;
};

struct FrozenPanes {
    uint32_t rows = 0;
    uint16_t columns = 0;
    bool operator==(const FrozenPanes&) const = default;
};

class Worksheet {
public:
    const std::string& Name() const { return name_; }
    SheetKind Kind() const { return kind_; }
    SheetVisibility Visibility() const { return visibility_; }
    // Worksheets and macro sheets hold cells; charts and modules do not.
    bool HasCells() const { return kind_ == SheetKind::Worksheet || kind_ == SheetKind::MacroSheet; }

    CellValue Cell(uint32_t row, uint16_t column) const;
    // Cell(row, column).type == CellType::Empty, without reading the cell's value.
    bool IsCellEmpty(uint32_t row, uint16_t column) const;
    // The shown text of a cell ("" when empty).
    std::string CellText(uint32_t row, uint16_t column) const { return Cell(row, column).Shown(); }
    // Sets a text cell; an existing cell keeps its format, a new one takes its row's.
    void SetCellText(uint32_t row, uint16_t column, std::string_view text);
    // Sets several text cells of one row, interning their strings together. Every text
    // is checked first: on an error the row is unchanged.
    void SetCellTexts(uint32_t row, std::span<const ColumnText> texts);
    void SetCellNumber(uint32_t row, uint16_t column, double value);
    // Writes the texts into columns 0.. of the row after the last row with cells;
    // returns that row.
    uint32_t AppendRow(const std::vector<std::string>& texts);
    // Calls `visit` for every non-empty cell, row by row, left to right. The value
    // passed is valid during the call only.
    void ForEachCell(const std::function<void(uint32_t row, uint16_t column, const CellValue&)>& visit) const;
    // The smallest rectangle holding every cell, or nothing when the sheet is empty.
    std::optional<CellRange> UsedRange() const;
    // True when the worksheet holds no cell (not even a formatted blank one) and nothing
    // placed on it: no drawing, picture, object, comment, text box, hyperlink, merged
    // area, conditional format or validation.
    bool IsBlank() const;

    CellFormat RowFormat(uint32_t row) const;
    // Formats the whole row and every cell in it.
    void SetRowFormat(uint32_t row, const CellFormat& format);
    CellFormat CellFormatAt(uint32_t row, uint16_t column) const;
    // Formats one cell, keeping what CellFormat does not model (number format, font
    // face, ...); a blank cell carries the format where the cell is empty.
    void SetCellFormat(uint32_t row, uint16_t column, const CellFormat& format);
    // The number format code a cell shows its number in ("General", "m/d/yy", ...).
    std::string NumberFormatAt(uint32_t row, uint16_t column) const;
    // Shows a cell's number in a built-in number format (see BuiltInNumberFormat),
    // keeping the rest of its format.
    void SetCellNumberFormat(uint32_t row, uint16_t column, uint16_t builtInFormat);

    // Width in characters of the default font's digit, when the column has its own.
    std::optional<double> ColumnWidth(uint16_t column) const;
    void SetColumnWidth(uint16_t column, double characters);

    FrozenPanes Frozen() const;
    // Freezes the given number of top rows and left columns (0 and 0 unfreezes).
    void FreezePanes(uint32_t rows, uint16_t columns);

    // Engine internals below: the reader, the writer and the workbook use them.
    struct StoredCell;
    struct FormulaCell;
    struct Row;
    enum class Anchor : uint8_t { Index, ColumnInfo, Dimensions, CellTable, Window2, Pane };
    using Item = std::variant<BiffRecord, Anchor>;

    Worksheet(std::string name, SheetKind kind, SheetVisibility visibility, SharedStringTable& strings,
              FormatTable& formats);
    ~Worksheet();
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    void SetName(std::string name) { name_ = std::move(name); }
    void SetSelected(bool selected);
    // Calls `use` with the shared-string index of every text cell.
    void ForEachStringIndex(const std::function<void(uint32_t)>& use) const;
    // Calls `visit` with every record body that may hold formula tokens: cell formulas,
    // the records that follow them, and the records kept as read.
    using RecordVisitor = std::function<void(uint16_t sid, Bytes& body, std::span<const uint32_t> continueOffsets)>;
    void ForEachRecordBody(const RecordVisitor& visit);

private:
    friend class WorksheetReader;
    friend class WorksheetWriter;
    friend void InitNewWorksheet(Worksheet& sheet);

    Row& RowAt(uint32_t row);
    const Row* FindRow(uint32_t row) const;
    const StoredCell* FindCell(uint32_t row, uint16_t column) const;
    // Throws unless the sheet holds cells and (row, column) is inside Excel's grid.
    void CheckCellPosition(uint32_t row, uint16_t column) const;
    StoredCell& CellSlot(uint32_t row, uint16_t column);
    // CellSlot for a position already checked, in its row.
    StoredCell& PlaceCell(Row& row, uint16_t column);
    // Sets every field of `value`, reusing its text's buffer.
    void FillValue(const StoredCell& cell, CellValue& value) const;
    // The format a new cell of the row (nullptr: a row not yet made) takes.
    uint16_t NewCellFormat(const Row* row, uint16_t column) const;
    void EnsureAnchor(Anchor anchor);

    std::string name_;
    SheetKind kind_;
    SheetVisibility visibility_;
    SharedStringTable* strings_;
    FormatTable* formats_;

    std::vector<Item> items_;  // the substream in order, modelled parts as anchors
    std::vector<Row> rows_;    // indexed by row number
    std::vector<FormulaCell> formulas_;
    std::vector<ColumnInfoRecord> columns_;
    std::optional<Window2Record> window_;
    std::optional<PaneRecord> pane_;

    friend class Workbook;
};

}  // namespace tabvex::xls
