#include "platform/automation/workbook_document.h"

#include <strings.h>

#include <algorithm>
#include <cmath>

#include "platform/automation/automation_failure.h"
#include "platform/automation/column_width.h"
#include "platform/xls/kept_workbook.h"

namespace tabvex::automation {
namespace {

// What the server reads for a column that has no width of its own.
constexpr double kStandardColumnWidth = 8.43;
// An error cell's value: the error variant the server's CVErr gives, 2000 + the stored code.
constexpr std::uint32_t kCellErrorBase = 0x800A0000u + 2000u;

// Runs an engine call; the engine's refusal becomes the server's method failure.
template <typename Call>
auto Guarded(const char* method, const char* className, Call&& call) {
    try {
        return call();
    } catch (const xls::XlsError& error) {
        RaiseMethodFailed(method, className, error.what());
    }
}

xls::CellRange EngineRange(const CellRange& range) {
    return {static_cast<std::uint32_t>(range.firstRow), static_cast<std::uint32_t>(range.lastRow),
            static_cast<std::uint16_t>(range.firstColumn), static_cast<std::uint16_t>(range.lastColumn)};
}

// Excel refuses names that would read as a cell reference, "A1" or "R1C1".
bool ReadsAsCellReference(const std::string& name) {
    if (ParseA1Range(name)) return true;
    std::string upper;
    for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const size_t column = upper.find('C');
    const auto digits = [&](size_t from, size_t to) {
        return std::all_of(upper.begin() + static_cast<long>(from), upper.begin() + static_cast<long>(to),
                           [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    };
    if (upper == "R" || upper == "C") return true;
    if (upper[0] == 'R' && column != std::string::npos) return digits(1, column) && digits(column + 1, upper.size());
    return false;
}

void RefuseCellReferenceName(const std::string& name) {
    if (ReadsAsCellReference(name)) {
        RaisePropertyNotSet("Name", "Range", "'" + name + "' reads as a cell reference and cannot be a name");
    }
}

Variant ValueOf(const xls::CellValue& cell) {
    switch (cell.type) {
    case xls::CellType::Text: return Variant(cell.text);
    case xls::CellType::Number: return Variant(cell.number);
    case xls::CellType::Boolean: return Variant(cell.number != 0);
    case xls::CellType::Error:
        return Variant(Variant::Error{oledb::MakeResult(kCellErrorBase + static_cast<std::uint32_t>(cell.number))});
    case xls::CellType::Empty: break;
    }
    return Variant();
}

}  // namespace

WorkbookDocument::WorkbookDocument(xls::Workbook book, std::string name, bool readOnly)
    : book_(std::move(book)), path_(book_->Path()), name_(std::move(name)), readOnly_(readOnly) {
    for (size_t i = 0; i < book_->SheetCount(); ++i) {
        const xls::FrozenPanes frozen = book_->Sheet(i).Frozen();
        auto sheet = std::make_shared<Sheet>();
        sheet->panes = {static_cast<int>(frozen.rows), static_cast<int>(frozen.columns), frozen.rows || frozen.columns};
        sheets_.push_back(std::move(sheet));
    }
    active_ = sheets_.front();
}

std::shared_ptr<WorkbookDocument> WorkbookDocument::Open(const std::filesystem::path& path, bool readOnly) {
    const auto absolute = std::filesystem::absolute(path);
    auto book = Guarded("Open", "Workbooks", [&] { return xls::Workbook::Open(absolute); });
    if (book.SheetCount() == 0) RaiseMethodFailed("Open", "Workbooks", absolute.string() + ": the workbook has no sheets");
    return std::make_shared<WorkbookDocument>(std::move(book), absolute.filename().string(), readOnly);
}

std::shared_ptr<WorkbookDocument> WorkbookDocument::CreateNew(const std::string& name) {
    return std::make_shared<WorkbookDocument>(xls::Workbook::CreateNew({"Sheet1", "Sheet2", "Sheet3"}), name, false);
}

void WorkbookDocument::CheckOpen() const {
    if (!open_) RaiseDisconnected();
}

void WorkbookDocument::Close() {
    open_ = false;
    // A workbook whose save is held carries rows that exist nowhere else; it is kept
    // even when closed unsaved, so that the hold still writes them.
    if (book_ && (saved_ || book_->SaveHeld())) xls::KeepSavedWorkbook(std::move(*book_));
    book_.reset();
    sheets_.clear();
    active_.reset();
}

void WorkbookDocument::Save() {
    if (readOnly_) RaiseMethodFailed("Save", "Workbook", name_ + " was opened read-only; save it under another name");
    if (path_.empty()) RaiseMethodFailed("Save", "Workbook", name_ + " has no file yet; save it with SaveAs");
    Guarded("Save", "Workbook", [&] { book_->Save(path_); });
    saved_ = true;
}

void WorkbookDocument::SaveAs(const std::filesystem::path& path, bool keepBackup) {
    const auto absolute = std::filesystem::absolute(path);
    if (keepBackup && std::filesystem::exists(absolute)) {
        const auto backup = absolute.parent_path() / ("Backup of " + absolute.stem().string() + ".xlk");
        std::error_code failed;
        std::filesystem::copy_file(absolute, backup, std::filesystem::copy_options::overwrite_existing, failed);
        if (failed) RaiseMethodFailed("SaveAs", "Workbook", backup.string() + ": " + failed.message());
    }
    Guarded("SaveAs", "Workbook", [&] { book_->Save(absolute); });
    path_ = absolute;
    name_ = absolute.filename().string();
    readOnly_ = false;
    saved_ = true;
}

int WorkbookDocument::SheetCount() const { return static_cast<int>(sheets_.size()); }

WorkbookDocument::SheetRef WorkbookDocument::SheetAt(int position) const {
    if (position < 1 || position > SheetCount()) return nullptr;
    return sheets_[static_cast<size_t>(position - 1)];
}

WorkbookDocument::SheetRef WorkbookDocument::FindSheet(std::string_view name) const {
    const auto index = book_->FindSheet(name);
    return index ? sheets_[*index] : nullptr;
}

int WorkbookDocument::PositionOf(const SheetRef& sheet) const {
    const auto found = std::find(sheets_.begin(), sheets_.end(), sheet);
    return found == sheets_.end() ? 0 : static_cast<int>(found - sheets_.begin()) + 1;
}

size_t WorkbookDocument::IndexOf(const SheetRef& sheet) const {
    const int position = PositionOf(sheet);
    if (position == 0) RaiseDisconnected();
    return static_cast<size_t>(position - 1);
}

xls::Worksheet& WorkbookDocument::EngineSheet(const SheetRef& sheet) { return book_->Sheet(IndexOf(sheet)); }

const xls::Worksheet& WorkbookDocument::EngineSheet(const SheetRef& sheet) const {
    return book_->Sheet(IndexOf(sheet));
}

std::string WorkbookDocument::SheetName(const SheetRef& sheet) const { return EngineSheet(sheet).Name(); }

void WorkbookDocument::RenameSheet(const SheetRef& sheet, const std::string& name) {
    Guarded("Name", "Worksheet", [&] { book_->RenameSheet(IndexOf(sheet), name); });
    Changed();
}

WorkbookDocument::SheetRef WorkbookDocument::AddSheet() {
    std::string name;
    for (int n = 1; name.empty() || FindSheet(name); ++n) name = "Sheet" + std::to_string(n);
    Guarded("Add", "Sheets", [&] { book_->AddSheet(name); });
    sheets_.push_back(std::make_shared<Sheet>());
    Changed();
    return sheets_.back();
}

void WorkbookDocument::DeleteSheet(const SheetRef& sheet) {
    const size_t index = IndexOf(sheet);
    Guarded("Delete", "Worksheet", [&] { book_->DeleteSheet(index); });
    sheets_.erase(sheets_.begin() + static_cast<long>(index));
    if (active_ == sheet) active_ = sheets_[std::min(index, sheets_.size() - 1)];
    Changed();
}

WorkbookDocument::SheetRef WorkbookDocument::ActiveSheet() const { return active_; }

void WorkbookDocument::Activate(const SheetRef& sheet) {
    IndexOf(sheet);
    active_ = sheet;
}

WorkbookDocument::PaneState WorkbookDocument::Panes(const SheetRef& sheet) const {
    IndexOf(sheet);
    return sheet->panes;
}

void WorkbookDocument::SetPanes(const SheetRef& sheet, const PaneState& panes) {
    xls::Worksheet& engineSheet = EngineSheet(sheet);
    const bool freeze = panes.frozen && (panes.splitRow > 0 || panes.splitColumn > 0);
    const xls::FrozenPanes wanted = freeze ? xls::FrozenPanes{static_cast<std::uint32_t>(panes.splitRow),
                                                              static_cast<std::uint16_t>(panes.splitColumn)}
                                           : xls::FrozenPanes{};
    if (engineSheet.Frozen() != wanted) {
        Guarded("FreezePanes", "Window", [&] { engineSheet.FreezePanes(wanted.rows, wanted.columns); });
        Changed();
    }
    sheet->panes = panes;
}

Variant WorkbookDocument::CellValue(const SheetRef& sheet, int row, int column) const {
    return ValueOf(EngineSheet(sheet).Cell(static_cast<std::uint32_t>(row), static_cast<std::uint16_t>(column)));
}

void WorkbookDocument::SetCellValue(const SheetRef& sheet, int row, int column, const Variant& value) {
    xls::Worksheet& engineSheet = EngineSheet(sheet);
    const auto r = static_cast<std::uint32_t>(row);
    const auto c = static_cast<std::uint16_t>(column);
    if (value.IsText()) {
        Guarded("Value", "Range", [&] { engineSheet.SetCellText(r, c, value.ToText()); });
    } else if (value.IsNumber()) {
        Guarded("Value", "Range", [&] { engineSheet.SetCellNumber(r, c, value.ToDouble()); });
    } else {
        RaisePropertyNotSet("Value", "Range", "only texts and numbers can be written into cells");
    }
    Changed();
}

xls::CellFormat WorkbookDocument::StyleAt(const SheetRef& sheet, int row, int column) const {
    return EngineSheet(sheet).CellFormatAt(static_cast<std::uint32_t>(row), static_cast<std::uint16_t>(column));
}

CellRange WorkbookDocument::UsedRange(const SheetRef& sheet) const {
    const auto used = EngineSheet(sheet).UsedRange();
    if (!used) return CellRange::Cell(0, 0);
    return {static_cast<int>(used->firstRow), used->firstColumn, static_cast<int>(used->lastRow), used->lastColumn};
}

bool WorkbookDocument::IsBlank(const SheetRef& sheet) const { return EngineSheet(sheet).IsBlank(); }

void WorkbookDocument::EditStyles(const SheetRef& sheet, const CellRange& range, const StyleEdit& edit) {
    xls::Worksheet& engineSheet = EngineSheet(sheet);
    if (!engineSheet.HasCells()) RaiseMethodFailed("Range", "Chart", engineSheet.Name() + " is not a worksheet");
    Guarded("Format", "Range", [&] {
        if (range.SpansAllColumns()) {
            EditWholeRows(engineSheet, range, edit);
            return;
        }
        // Whole columns: the cells that exist; a column's own format is not kept by the engine.
        const CellRange cells = range.SpansAllRows() ? UsedRange(sheet) : range;
        for (int row = std::max(cells.firstRow, range.firstRow); row <= std::min(cells.lastRow, range.lastRow); ++row) {
            for (int column = std::max(cells.firstColumn, range.firstColumn);
                 column <= std::min(cells.lastColumn, range.lastColumn); ++column) {
                const auto r = static_cast<std::uint32_t>(row);
                const auto c = static_cast<std::uint16_t>(column);
                if (range.SpansAllRows() && engineSheet.Cell(r, c).type == xls::CellType::Empty) continue;
                xls::CellFormat format = engineSheet.CellFormatAt(r, c);
                edit(format, {row == range.firstRow, row == range.lastRow, column == range.firstColumn,
                              column == range.lastColumn});
                engineSheet.SetCellFormat(r, c, format);
            }
        }
    });
    Changed();
}

void WorkbookDocument::EditWholeRows(xls::Worksheet& sheet, const CellRange& range, const StyleEdit& edit) {
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        const auto r = static_cast<std::uint32_t>(row);
        const bool first = row == range.firstRow;
        const bool last = row == range.lastRow;
        // The cells keep their own formats, each edited at its place; the row's
        // format, which SetRowFormat also gives every cell, stands for the rest.
        std::vector<std::pair<std::uint16_t, xls::CellFormat>> cells;
        for (int column = 0; column < kSheetColumns; ++column) {
            const auto c = static_cast<std::uint16_t>(column);
            if (sheet.Cell(r, c).type == xls::CellType::Empty) continue;
            xls::CellFormat format = sheet.CellFormatAt(r, c);
            edit(format, {first, last, column == 0, column == kSheetColumns - 1});
            cells.emplace_back(c, format);
        }
        xls::CellFormat rowFormat = sheet.RowFormat(r);
        edit(rowFormat, {first, last, false, false});
        sheet.SetRowFormat(r, rowFormat);
        for (const auto& [column, format] : cells) sheet.SetCellFormat(r, column, format);
    }
}

double WorkbookDocument::ColumnWidth(const SheetRef& sheet, int column) const {
    const auto width = EngineSheet(sheet).ColumnWidth(static_cast<std::uint16_t>(column));
    if (!width) return kStandardColumnWidth;
    return ColumnWidthCharacters(static_cast<int>(std::lround(*width * 256)));
}

void WorkbookDocument::SetColumnWidth(const SheetRef& sheet, int firstColumn, int lastColumn, double characters) {
    xls::Worksheet& engineSheet = EngineSheet(sheet);
    const double stored = ColumnWidthUnits(characters) / 256.0;
    Guarded("ColumnWidth", "Range", [&] {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            engineSheet.SetColumnWidth(static_cast<std::uint16_t>(column), stored);
        }
    });
    Changed();
}

std::vector<std::string> WorkbookDocument::NameList() const {
    std::vector<std::string> names;
    for (const auto& name : book_->Names()) names.push_back(name.name);
    return names;
}

bool WorkbookDocument::HasName(std::string_view name) const { return book_->FindName(name).has_value(); }

std::string WorkbookDocument::NameFormula(std::string_view name) const {
    const auto found = book_->FindName(name);
    if (!found) RaiseBadIndex("The workbook has no defined name '" + std::string(name) + "'.");
    return found->formulaText;
}

void WorkbookDocument::DeleteName(std::string_view name) {
    Guarded("Delete", "Name", [&] { book_->DeleteName(name); });
    Changed();
}

void WorkbookDocument::DefineName(const std::string& name, const SheetRef& sheet, const CellRange& range) {
    RefuseCellReferenceName(name);
    const xls::SheetArea area{IndexOf(sheet), EngineRange(range)};
    const auto existing = book_->FindName(name);
    Guarded("Name", "Range", [&] {
        if (existing && !existing->sheetScope) {
            book_->SetNameArea(name, area);
        } else {
            book_->AddName(name, area);
        }
    });
    Changed();
}

void WorkbookDocument::DefineLocalName(const std::string& name, const SheetRef& sheet, const CellRange& range,
                                       bool hidden) {
    RefuseCellReferenceName(name);
    const xls::SheetArea area{IndexOf(sheet), EngineRange(range)};
    Guarded("Add", "Names", [&] { book_->AddName(name, area, {.localToSheet = true, .hidden = hidden}); });
    Changed();
}

bool WorkbookDocument::HasLocalName(const SheetRef& sheet, std::string_view name) const {
    const size_t index = IndexOf(sheet);
    const auto names = book_->Names();
    return std::any_of(names.begin(), names.end(), [&](const xls::DefinedNameInfo& info) {
        return info.sheetScope == index && info.name.size() == name.size() &&
               strncasecmp(info.name.c_str(), name.data(), name.size()) == 0;
    });
}

}  // namespace tabvex::automation
