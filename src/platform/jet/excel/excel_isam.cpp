#include "platform/jet/excel/excel_isam.h"

#include <algorithm>

#include "platform/jet/excel/excel_cell_value.h"
#include "platform/jet/excel/excel_cursor.h"
#include "platform/jet/excel/excel_table_name.h"
#include "platform/jet/sql/text_case.h"
#include "platform/xls/kept_workbook.h"
#include "platform/xls/limits.h"

namespace tabvex::jet::excel {
namespace {

using oledb::E_FAIL;

// A header cell as a column name: Jet cannot have '.' in a name and writes '#';
// an empty header cell gives F1, F2, ... by position.
std::string ColumnName(const xls::CellValue& header, std::size_t index) {
    std::string name = header.Shown();
    if (name.empty()) return "F" + std::to_string(index + 1);
    std::replace(name.begin(), name.end(), '.', '#');
    return name;
}

std::uint16_t Column(const xls::CellRange& range, std::size_t index) {
    return static_cast<std::uint16_t>(range.firstColumn + index);
}

std::size_t Width(const xls::CellRange& range) { return static_cast<std::size_t>(range.lastColumn - range.firstColumn) + 1; }

void CheckNewColumns(const std::vector<ColumnDefinition>& columns) {
    if (columns.size() > xls::kMaxColumns)
        throw IsamError(oledb::DB_E_ERRORSINCOMMAND, "A worksheet holds at most " + std::to_string(xls::kMaxColumns) +
                                                         " columns; the table has " + std::to_string(columns.size()) + ".");
    for (std::size_t i = 0; i < columns.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (sql::EqualsIgnoringCase(columns[i].name, columns[j].name))
                throw IsamError(oledb::DB_E_DUPLICATECOLUMNID,
                                "The column name '" + columns[i].name + "' appears twice in the table.");
}

}  // namespace

bool NameLess::operator()(const std::string& a, const std::string& b) const {
    return sql::CompareIgnoringCase(a, b) < 0;
}

ExcelIsam::ExcelIsam(std::filesystem::path path) : path_(std::move(path)) {
    std::error_code error;
    if (!std::filesystem::exists(path_, error)) return;  // a new workbook, made by the first CREATE TABLE
    try {
        workbook_.emplace(xls::Workbook::Open(path_));
        if (workbook_->UsesDate1904()) dates_ = DateSystem::Excel1904;
    } catch (const xls::XlsError& failure) {
        throw IsamError(E_FAIL, std::string(failure.what()) + " (External table is not in the expected format.)");
    }
    LoadNamedAreas();
}

ExcelIsam::~ExcelIsam() {
    if (workbook_ && !unsaved_) xls::KeepSavedWorkbook(std::move(*workbook_));
}

// Global names over one area of a worksheet are tables; built-in names (print areas)
// and names of formulas or of several areas are not. An area written corner to corner
// the other way round ($B$5:$A$1) covers the same cells.
void ExcelIsam::LoadNamedAreas() {
    for (const auto& name : workbook_->Names()) {
        if (name.builtIn || name.sheetScope) continue;
        auto area = workbook_->NameArea(name.name);
        if (!area || area->sheet >= workbook_->SheetCount() || !workbook_->Sheet(area->sheet).HasCells()) continue;
        xls::CellRange& r = area->range;
        if (r.lastRow < r.firstRow) std::swap(r.firstRow, r.lastRow);
        if (r.lastColumn < r.firstColumn) std::swap(r.firstColumn, r.lastColumn);
        namedAreas_.emplace(name.name, NamedArea{name.name, *area, false});
    }
}

std::vector<IsamTable> ExcelIsam::Tables() {
    if (!tables_) tables_ = ListTables();
    return *tables_;
}

std::vector<IsamTable> ExcelIsam::ListTables() const {
    std::vector<IsamTable> tables;
    for (const auto& [key, named] : namedAreas_) tables.push_back(IsamTable{named.name, TableKind::Table});
    for (std::size_t i = 0; workbook_ && i < workbook_->SheetCount(); ++i)
        if (workbook_->Sheet(i).HasCells())
            tables.push_back(IsamTable{SheetTableName(workbook_->Sheet(i).Name()), TableKind::Table});
    std::stable_sort(tables.begin(), tables.end(),
                     [](const IsamTable& a, const IsamTable& b) { return NameLess{}(a.name, b.name); });
    return tables;
}

const ExcelIsam::Location& ExcelIsam::Locate(const std::string& table) {
    if (!lastLocation_ || table != lastTable_) {
        lastLocation_.reset();
        lastLocation_ = Find(table);
        lastTable_ = table;
    }
    return *lastLocation_;
}

ExcelIsam::Location ExcelIsam::Find(const std::string& table) {
    if (auto sheetName = SheetOfTableName(table); sheetName && workbook_) {
        auto sheet = workbook_->FindSheet(*sheetName);
        if (sheet && workbook_->Sheet(*sheet).HasCells()) return Location{*sheet, nullptr, SheetTableName(*sheetName)};
    }
    auto named = namedAreas_.find(table);
    if (named == namedAreas_.end()) {
        // CREATE TABLE made "Order Details" into Order_Details; find it under either name.
        try {
            named = namedAreas_.find(NewTableName(table));
        } catch (const IsamError&) {
        }
    }
    // The map's entries stay where they are while the ISAM lives, so pointing at one is safe.
    if (named != namedAreas_.end()) return Location{named->second.area.sheet, &named->second, named->second.name};
    throw IsamError(oledb::DB_E_NOTABLE, "The table '" + table + "' does not exist in the workbook '" + path_.string() +
                                             "': it is neither a worksheet ('Name$') nor a defined name.");
}

std::optional<xls::CellRange> ExcelIsam::Range(const Location& location) {
    if (location.named) return location.named->area.range;
    return UsedRange(location.sheet);
}

std::optional<xls::CellRange>& ExcelIsam::UsedRange(std::size_t sheet) {
    auto known = usedRanges_.find(sheet);
    if (known == usedRanges_.end()) known = usedRanges_.emplace(sheet, workbook_->Sheet(sheet).UsedRange()).first;
    return known->second;
}

std::vector<ExcelColumnKind> ExcelIsam::ColumnKinds(const Location& location, const xls::CellRange& range,
                                                    std::size_t count) const {
    if (auto declared = declaredKinds_.find(location.key); declared != declaredKinds_.end() && declared->second.size() == count)
        return declared->second;
    const xls::Worksheet& sheet = workbook_->Sheet(location.sheet);
    std::uint32_t lastSampleRow = std::min<std::uint32_t>(range.lastRow, range.firstRow + kTypeGuessRows);
    std::vector<ExcelColumnKind> kinds;
    std::vector<ExcelColumnKind> sample;
    for (std::size_t i = 0; i < count; ++i) {
        sample.clear();
        for (std::uint32_t row = range.firstRow + 1; row <= lastSampleRow; ++row) {
            xls::CellValue cell = sheet.Cell(row, Column(range, i));
            auto format = cell.type == xls::CellType::Number
                              ? xls::ClassifyNumberFormat(sheet.NumberFormatAt(row, Column(range, i)))
                              : xls::NumberFormatKind::Plain;
            if (auto kind = CellKind(cell, format)) sample.push_back(*kind);
        }
        kinds.push_back(GuessColumnKind(sample));
    }
    return kinds;
}

const ExcelIsam::TableShape& ExcelIsam::Shape(const Location& location, const std::optional<xls::CellRange>& range) {
    if (auto cached = shapes_.find(location.key); cached != shapes_.end()) return cached->second;
    TableShape shape;
    if (range) {
        const xls::Worksheet& sheet = workbook_->Sheet(location.sheet);
        std::size_t count = Width(*range);
        shape.kinds = ColumnKinds(location, *range, count);
        for (std::size_t i = 0; i < count; ++i)
            shape.columns.push_back(
                DescribeColumn(ColumnName(sheet.Cell(range->firstRow, Column(*range, i)), i), shape.kinds[i]));
    }
    return shapes_.emplace(location.key, std::move(shape)).first->second;
}

std::vector<IsamColumn> ExcelIsam::Columns(const std::string& table) {
    const Location& location = Locate(table);
    return Shape(location, Range(location)).columns;
}

std::size_t ExcelIsam::ColumnCount(const std::string& table) {
    const Location& location = Locate(table);
    return Shape(location, Range(location)).columns.size();
}

std::vector<IsamIndex> ExcelIsam::Indexes(const std::string& table) {
    Locate(table);  // a worksheet has no indexes, but an unknown table is still an error
    return {};
}

std::unique_ptr<IsamCursor> ExcelIsam::OpenCursor(const std::string& table) {
    const Location& location = Locate(table);
    std::optional<xls::CellRange> range = Range(location);
    const TableShape& shape = Shape(location, range);
    // An empty worksheet has no rows at all.
    return std::make_unique<ExcelCursor>(workbook_->Sheet(location.sheet), range.value_or(xls::CellRange{1, 0, 0, 0}),
                                         shape.kinds, dates_);
}

xls::Worksheet& ExcelIsam::AddWorksheet(const std::string& name) {
    try {
        if (!workbook_) {
            workbook_.emplace(xls::Workbook::CreateNew({name}));
            return workbook_->Sheet(0);
        }
        return workbook_->AddSheet(name);
    } catch (const xls::XlsError& failure) {
        throw IsamError(oledb::DB_E_BADTABLEID, "The table name '" + name + "' cannot be held by Excel: " + failure.what());
    }
}

void ExcelIsam::CreateTable(const std::string& table, const std::vector<ColumnDefinition>& columns) {
    std::string name = NewTableName(table);
    CheckNewColumns(columns);
    std::vector<ExcelColumnKind> kinds;
    for (const auto& column : columns) kinds.push_back(DeclaredColumnKind(column));
    if (namedAreas_.contains(name) || (workbook_ && workbook_->FindSheet(name)))
        throw IsamError(oledb::DB_E_DUPLICATETABLEID, "Table '" + name + "' already exists.");
    if (columns.empty()) throw IsamError(oledb::DB_E_ERRORSINCOMMAND, "A table needs at least one column.");

    // The tables made so far are complete: put them on disk before this one begins.
    Flush();
    tables_.reset();
    xls::Worksheet& sheet = AddWorksheet(name);
    for (std::size_t i = 0; i < columns.size(); ++i) sheet.SetCellText(0, static_cast<std::uint16_t>(i), columns[i].name);
    xls::SheetArea area{*workbook_->FindSheet(name), xls::CellRange{0, 0, 0, static_cast<std::uint16_t>(columns.size() - 1)}};
    workbook_->AddName(name, area);
    namedAreas_[name] = NamedArea{name, area, false};
    declaredKinds_[SheetTableName(name)] = kinds;  // the same cells under their worksheet's name
    declaredKinds_[name] = std::move(kinds);
    shapes_.clear();  // the worksheet table "name$" is new as well
    lastLocation_.reset();
    unsaved_ = true;
}

// The row an INSERT writes: the one under the table. For a defined name it must be free,
// since the name widens over it.
std::uint32_t ExcelIsam::AppendRowIndex(const Location& location, const std::optional<xls::CellRange>& range,
                                        const std::string& table) const {
    if (!range)
        throw IsamError(E_FAIL, "Cannot insert into '" + table + "': the worksheet has no header row naming columns.");
    std::uint32_t row = range->lastRow + 1;
    if (row >= xls::kMaxRows)
        throw IsamError(E_FAIL, "Cannot insert into '" + table + "': the worksheet is full (Excel holds " +
                                    std::to_string(xls::kMaxRows) + " rows).");
    if (location.named) {
        const xls::Worksheet& sheet = workbook_->Sheet(location.sheet);
        for (std::size_t i = 0; i < Width(*range); ++i)
            if (!sheet.IsCellEmpty(row, Column(*range, i)))
                throw IsamError(E_FAIL, "Cannot expand the named range '" + location.named->name + "': row " +
                                            std::to_string(row + 1) + " under it is not empty.");
    }
    return row;
}

void ExcelIsam::InsertRow(const std::string& table, std::vector<oledb::Value> values) {
    const Location& location = Locate(table);
    std::optional<xls::CellRange> range = Range(location);
    const TableShape& shape = Shape(location, range);
    if (values.size() != shape.columns.size())
        throw IsamError(oledb::E_INVALIDARG, "The table '" + table + "' has " + std::to_string(shape.columns.size()) +
                                                 " columns; the row has " + std::to_string(values.size()) + " values.");
    std::uint32_t row = AppendRowIndex(location, range, table);
    // Every value is checked before the first cell is written: a row goes in whole or not at all.
    std::vector<CellContent> contents;
    contents.reserve(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        contents.push_back(CellContentFor(std::move(values[i]), shape.kinds[i], dates_, shape.columns[i].name));

    // Texts go first, all at once: only they can still be refused by the sheet.
    xls::Worksheet& sheet = workbook_->Sheet(location.sheet);
    std::vector<xls::ColumnText> texts;
    texts.reserve(contents.size());
    for (std::size_t i = 0; i < contents.size(); ++i)
        if (const auto* text = std::get_if<std::string>(&contents[i])) texts.push_back({Column(*range, i), *text});
    sheet.SetCellTexts(row, texts);

    std::optional<xls::CellRange> written;  // the cells this row puts into the sheet
    for (std::size_t i = 0; i < contents.size(); ++i) {
        std::uint16_t column = Column(*range, i);
        if (const auto* number = std::get_if<double>(&contents[i])) {
            sheet.SetCellNumber(row, column, *number);
            if (auto format = NumberFormatFor(shape.kinds[i], *number)) sheet.SetCellNumberFormat(row, column, *format);
        } else if (std::holds_alternative<std::monostate>(contents[i])) {
            continue;
        }
        if (!written) written = xls::CellRange{row, row, column, column};
        written->lastColumn = column;
    }
    if (location.named) {
        location.named->area.range.lastRow = row;
        location.named->widened = true;
    }
    unsaved_ = true;
    // Column types follow the first rows, which both the name and the worksheet table see.
    bool reshaped = row - range->firstRow <= kTypeGuessRows;
    if (written) reshaped = NoteRowWritten(location.sheet, *written) || reshaped;
    if (reshaped) shapes_.clear();
}

// Keeps the sheet's used range true without measuring it again. True when the worksheet
// table's columns may have changed: the sheet grew wider or the row is one of the first
// under its header.
bool ExcelIsam::NoteRowWritten(std::size_t sheet, const xls::CellRange& written) {
    std::optional<xls::CellRange>& used = UsedRange(sheet);
    bool widened = false;
    if (!used) {
        used = written;
    } else {
        widened = written.firstColumn < used->firstColumn || written.lastColumn > used->lastColumn;
        used->firstRow = std::min(used->firstRow, written.firstRow);
        used->lastRow = std::max(used->lastRow, written.lastRow);
        used->firstColumn = std::min(used->firstColumn, written.firstColumn);
        used->lastColumn = std::max(used->lastColumn, written.lastColumn);
    }
    return widened || written.firstRow - used->firstRow <= kTypeGuessRows;
}

void ExcelIsam::Flush() {
    if (!unsaved_) return;
    for (auto& [key, named] : namedAreas_)
        if (named.widened) {
            workbook_->SetNameArea(named.name, named.area);
            named.widened = false;
        }
    Save();
    unsaved_ = false;
}

void ExcelIsam::Save() {
    try {
        workbook_->Save(path_);
    } catch (const xls::XlsError& failure) {
        throw IsamError(E_FAIL, "The workbook could not be saved: " + std::string(failure.what()));
    }
}

std::unique_ptr<Isam> OpenExcelIsam(const std::filesystem::path& path) { return std::make_unique<ExcelIsam>(path); }

}  // namespace tabvex::jet::excel
