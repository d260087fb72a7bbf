#include "platform/xls/worksheet.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/xls/format_table.h"
#include "platform/xls/limits.h"
#include "platform/xls/record_ids.h"
#include "platform/xls/shared_string_table.h"
#include "platform/xls/stored_text.h"
#include "platform/xls/worksheet_cells.h"

namespace tabvex::xls {

namespace {

[[noreturn]] void RefusePosition(uint32_t row, uint32_t column) {
    if (row >= kMaxRows) throw XlsError("row " + std::to_string(row + 1) + " is beyond the 65,536 rows of a sheet");
    throw XlsError("column " + std::to_string(column + 1) + " is beyond the 256 columns of a sheet");
}

// Cheap enough to run for every cell; the message is built only on a refusal.
void CheckPosition(uint32_t row, uint32_t column) {
    if (row >= kMaxRows || column >= kMaxColumns) [[unlikely]] RefusePosition(row, column);
}

// The buffers of one row's texts, kept from row to row so that a row allocates nothing.
struct TextBatch {
    std::vector<std::string> scratch;
    std::vector<StoredText> stored;
    std::vector<uint32_t> indices;
};
thread_local TextBatch textBatch;

// The stored form of a cell's text, checked against the limit; see EncodeStoredText.
StoredText CellTextOf(std::string_view text, std::string& scratch) {
    StoredText stored = EncodeStoredText(text, scratch);
    if (stored.size() > kMaxCellText) {
        throw XlsError("a cell holds at most 32,767 characters; the text has " + std::to_string(stored.size()));
    }
    return stored;
}

BiffRecord SelectionRecord(uint8_t pane, uint32_t row, uint16_t column) {
    BiffRecord r{rid::kSelection, {}, {}};
    ByteWriter out(r.data);
    out.u8(pane);
    out.u16(uint16_t(row));
    out.u16(column);
    out.u16(0);  // the active cell is in the first reference
    out.u16(1);  // one reference
    out.u16(uint16_t(row)), out.u16(uint16_t(row));
    out.u8(uint8_t(column)), out.u8(uint8_t(column));
    return r;
}

}  // namespace

Worksheet::Worksheet(std::string name, SheetKind kind, SheetVisibility visibility, SharedStringTable& strings,
                     FormatTable& formats)
    : name_(std::move(name)), kind_(kind), visibility_(visibility), strings_(&strings), formats_(&formats) {}

Worksheet::~Worksheet() = default;

Worksheet::Row& Worksheet::RowAt(uint32_t row) {
    if (row >= rows_.size()) rows_.resize(row + 1);
    return rows_[row];
}

const Worksheet::Row* Worksheet::FindRow(uint32_t row) const { return row < rows_.size() ? &rows_[row] : nullptr; }

void Worksheet::CheckCellPosition(uint32_t row, uint16_t column) const {
    CheckPosition(row, column);
    if (!HasCells()) [[unlikely]] throw XlsError("the sheet " + name_ + " is not a worksheet and holds no cells");
}

Worksheet::StoredCell& Worksheet::CellSlot(uint32_t row, uint16_t column) {
    CheckCellPosition(row, column);
    return PlaceCell(RowAt(row), column);
}

Worksheet::StoredCell& Worksheet::PlaceCell(Row& row, uint16_t column) {
    auto& cells = row.cells;
    // Rows are mostly filled left to right: a cell past the last one goes at the end.
    auto it = cells.empty() || cells.back().column < column
                  ? cells.end()
                  : std::lower_bound(cells.begin(), cells.end(), column,
                                     [](const StoredCell& c, uint16_t col) { return c.column < col; });
    if (it != cells.end() && it->column == column) return *it;
    StoredCell cell;
    cell.column = column;
    cell.xf = NewCellFormat(&row, column);
    return *cells.insert(it, cell);
}

uint16_t Worksheet::NewCellFormat(const Row* r, uint16_t column) const {
    if (r && r->record && r->record->HasFormat()) return r->record->FormatIndex();
    for (const auto& run : columns_) {
        if (run.firstColumn <= column && column <= run.lastColumn) return run.xf;
    }
    return FormatTable::kDefaultCellFormat;
}

void Worksheet::FillValue(const StoredCell& cell, CellValue& v) const {
    v.isFormula = false;
    v.text.clear();
    v.number = 0;
    switch (cell.kind) {
        case StoredCell::Kind::Blank: v.type = CellType::Empty; return;
        case StoredCell::Kind::Text:
            v.type = CellType::Text;
            AppendUtf8(strings_->Text(cell.index), v.text);
            return;
        case StoredCell::Kind::Number: v.type = CellType::Number, v.number = cell.number; return;
        case StoredCell::Kind::Boolean: v.type = CellType::Boolean, v.number = cell.number; return;
        case StoredCell::Kind::Error: v.type = CellType::Error, v.number = cell.number; return;
        case StoredCell::Kind::Formula: v = formulas_[cell.index].cached, v.isFormula = true; return;
    }
}

const Worksheet::StoredCell* Worksheet::FindCell(uint32_t row, uint16_t column) const {
    const Row* r = FindRow(row);
    if (!r) return nullptr;
    auto it = std::lower_bound(r->cells.begin(), r->cells.end(), column,
                               [](const StoredCell& c, uint16_t col) { return c.column < col; });
    return it != r->cells.end() && it->column == column ? &*it : nullptr;
}

CellValue Worksheet::Cell(uint32_t row, uint16_t column) const {
    CellValue value;
    if (const StoredCell* cell = FindCell(row, column)) FillValue(*cell, value);
    return value;
}

bool Worksheet::IsCellEmpty(uint32_t row, uint16_t column) const {
    const StoredCell* cell = FindCell(row, column);
    if (!cell || cell->kind == StoredCell::Kind::Blank) return true;
    return cell->kind == StoredCell::Kind::Formula && formulas_[cell->index].cached.type == CellType::Empty;
}

void Worksheet::SetCellText(uint32_t row, uint16_t column, std::string_view text) {
    std::string scratch;
    StoredText stored = CellTextOf(text, scratch);
    StoredCell& cell = CellSlot(row, column);
    cell.kind = StoredCell::Kind::Text;
    cell.index = strings_->Add(stored);
}

void Worksheet::SetCellNumber(uint32_t row, uint16_t column, double value) {
    StoredCell& cell = CellSlot(row, column);
    cell.kind = StoredCell::Kind::Number;
    cell.number = value;
}

void Worksheet::SetCellTexts(uint32_t row, std::span<const ColumnText> texts) {
    for (const ColumnText& text : texts) CheckCellPosition(row, text.column);
    TextBatch& batch = textBatch;
    if (batch.scratch.size() < texts.size()) batch.scratch.resize(texts.size());
    batch.stored.resize(texts.size());
    batch.indices.resize(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) batch.stored[i] = CellTextOf(texts[i].text, batch.scratch[i]);
    strings_->AddAll(batch.stored, batch.indices);
    Row& target = RowAt(row);
    target.cells.reserve(target.cells.size() + texts.size());  // a new row grows once, not cell by cell
    for (size_t i = 0; i < texts.size(); ++i) {
        StoredCell& cell = PlaceCell(target, texts[i].column);
        cell.kind = StoredCell::Kind::Text;
        cell.index = batch.indices[i];
    }
}

uint32_t Worksheet::AppendRow(const std::vector<std::string>& texts) {
    // After the last row with cells; formatted rows without cells do not count.
    uint32_t row = uint32_t(rows_.size());
    while (row > 0 && rows_[row - 1].cells.empty()) --row;
    if (row >= kMaxRows) throw XlsError("the sheet " + name_ + " is full: it has all 65,536 rows");
    if (texts.size() > kMaxColumns) throw XlsError("a row has at most 256 cells; got " + std::to_string(texts.size()));
    std::vector<ColumnText> placed(texts.size());
    for (size_t c = 0; c < texts.size(); ++c) placed[c] = ColumnText{uint16_t(c), texts[c]};
    SetCellTexts(row, placed);
    return row;
}

void Worksheet::ForEachCell(const std::function<void(uint32_t, uint16_t, const CellValue&)>& visit) const {
    CellValue value;  // one value refilled per cell, so its text keeps its buffer
    for (uint32_t r = 0; r < rows_.size(); ++r) {
        for (const auto& cell : rows_[r].cells) {
            if (cell.kind == StoredCell::Kind::Blank) continue;
            FillValue(cell, value);
            visit(r, cell.column, value);
        }
    }
}

std::optional<CellRange> Worksheet::UsedRange() const {
    std::optional<CellRange> range;
    for (uint32_t r = 0; r < rows_.size(); ++r) {
        const auto& cells = rows_[r].cells;
        if (cells.empty()) continue;
        if (!range) range = CellRange{r, r, cells.front().column, cells.back().column};
        range->lastRow = r;
        range->firstColumn = std::min(range->firstColumn, cells.front().column);
        range->lastColumn = std::max(range->lastColumn, cells.back().column);
    }
    return range;
}

bool Worksheet::IsBlank() const {
    static constexpr uint16_t kPlaced[] = {rid::kNote,  rid::kObj,      rid::kImageData, rid::kMergedCells,
                                           rid::kBitmap, rid::kMsoDrawing, rid::kCondFmt,  rid::kConditionalFormat,
                                           rid::kValidations, rid::kValidation, rid::kTxo, rid::kHyperlink};
    if (kind_ != SheetKind::Worksheet || !formulas_.empty() || UsedRange()) return false;
    return std::none_of(items_.begin(), items_.end(), [](const Item& item) {
        const auto* record = std::get_if<BiffRecord>(&item);
        return record && std::find(std::begin(kPlaced), std::end(kPlaced), record->sid) != std::end(kPlaced);
    });
}

CellFormat Worksheet::RowFormat(uint32_t row) const {
    const Row* r = FindRow(row);
    bool own = r && r->record && r->record->HasFormat();
    return formats_->Describe(own ? r->record->FormatIndex() : FormatTable::kDefaultCellFormat);
}

void Worksheet::SetRowFormat(uint32_t row, const CellFormat& format) {
    CheckPosition(row, 0);
    Row& r = RowAt(row);
    if (!r.record) r.record = RowRecord();
    uint16_t base = r.record->HasFormat() ? r.record->FormatIndex() : FormatTable::kDefaultCellFormat;
    r.record->SetFormat(formats_->Apply(base, format));
    std::map<uint16_t, uint16_t> applied;  // a cell format -> the same with `format` applied
    for (auto& cell : r.cells) {
        auto [it, added] = applied.try_emplace(cell.xf, 0);
        if (added) it->second = formats_->Apply(cell.xf, format);
        cell.xf = it->second;
    }
}

CellFormat Worksheet::CellFormatAt(uint32_t row, uint16_t column) const {
    const Row* r = FindRow(row);
    if (r) {
        for (const auto& cell : r->cells) {
            if (cell.column == column) return formats_->Describe(cell.xf);
        }
    }
    return RowFormat(row);
}

std::string Worksheet::NumberFormatAt(uint32_t row, uint16_t column) const {
    const StoredCell* cell = FindCell(row, column);
    return formats_->NumberFormat(cell ? cell->xf : NewCellFormat(FindRow(row), column));
}

void Worksheet::SetCellNumberFormat(uint32_t row, uint16_t column, uint16_t builtInFormat) {
    StoredCell& cell = CellSlot(row, column);
    cell.xf = formats_->WithNumberFormat(cell.xf, builtInFormat);
}

void Worksheet::SetCellFormat(uint32_t row, uint16_t column, const CellFormat& format) {
    StoredCell& cell = CellSlot(row, column);
    cell.xf = formats_->Apply(cell.xf, format);
}

std::optional<double> Worksheet::ColumnWidth(uint16_t column) const {
    for (const auto& run : columns_) {
        if (run.firstColumn <= column && column <= run.lastColumn) return run.width / 256.0;
    }
    return std::nullopt;
}

void Worksheet::SetColumnWidth(uint16_t column, double characters) {
    CheckPosition(0, column);
    if (!(characters >= 0 && characters <= 255)) throw XlsError("a column width must be between 0 and 255 characters");
    EnsureAnchor(Anchor::ColumnInfo);
    SetColumnRunWidth(columns_, column, uint16_t(std::lround(characters * 256)));
}

FrozenPanes Worksheet::Frozen() const {
    if (!window_ || !window_->Frozen() || !pane_) return {};
    return FrozenPanes{pane_->y, pane_->x};
}

void Worksheet::FreezePanes(uint32_t rows, uint16_t columns) {
    if (rows >= kMaxRows || columns >= kMaxColumns) throw XlsError("cannot freeze beyond the last row or column");
    if (!HasCells()) throw XlsError("the sheet " + name_ + " is not a worksheet");
    if (!window_) window_ = Window2Record::NewWorksheet();
    EnsureAnchor(Anchor::Window2);
    window_->SetFrozen(rows || columns);
    if (!rows && !columns) {
        pane_.reset();
        return;
    }
    pane_ = PaneRecord::Frozen(rows, columns);
    EnsureAnchor(Anchor::Pane);
    auto isSelectionOfActive = [&](const Item& item) {
        auto* r = std::get_if<BiffRecord>(&item);
        return r && r->sid == rid::kSelection && !r->data.empty() && r->data[0] == pane_->activePane;
    };
    if (std::none_of(items_.begin(), items_.end(), isSelectionOfActive)) {
        auto pane = std::find(items_.begin(), items_.end(), Item(Anchor::Pane));
        items_.insert(pane + 1, SelectionRecord(pane_->activePane, rows, columns));
    }
}

void Worksheet::ForEachStringIndex(const std::function<void(uint32_t)>& use) const {
    for (const auto& row : rows_) {
        for (const auto& cell : row.cells) {
            if (cell.kind == StoredCell::Kind::Text) use(cell.index);
        }
    }
}

void Worksheet::ForEachRecordBody(const RecordVisitor& visit) {
    for (auto& formula : formulas_) {
        visit(rid::kFormula, formula.body, {});
        for (auto& record : formula.trailing) visit(record.sid, record.data, record.continueOffsets);
    }
    for (auto& item : items_) {
        if (auto* record = std::get_if<BiffRecord>(&item)) visit(record->sid, record->data, record->continueOffsets);
    }
}

void Worksheet::SetSelected(bool selected) {
    if (window_) window_->SetSelected(selected);
}

void Worksheet::EnsureAnchor(Anchor anchor) {
    auto find = [&](Anchor a) { return std::find(items_.begin(), items_.end(), Item(a)); };
    if (find(anchor) != items_.end()) return;
    auto beforeEof = items_.empty() ? items_.end() : items_.end() - 1;
    switch (anchor) {
        case Anchor::Index: items_.insert(items_.empty() ? items_.end() : items_.begin() + 1, anchor); return;
        case Anchor::Window2: items_.insert(beforeEof, anchor); return;
        case Anchor::CellTable: {
            auto window = find(Anchor::Window2);
            items_.insert(window != items_.end() ? window : beforeEof, anchor);
            return;
        }
        case Anchor::Dimensions: EnsureAnchor(Anchor::CellTable), items_.insert(find(Anchor::CellTable), anchor); return;
        case Anchor::ColumnInfo: EnsureAnchor(Anchor::Dimensions), items_.insert(find(Anchor::Dimensions), anchor); return;
        case Anchor::Pane: {
            EnsureAnchor(Anchor::Window2);
            auto at = find(Anchor::Window2) + 1;
            // The page-layout and zoom records belong between WINDOW2 and PANE.
            while (at != items_.end() && std::holds_alternative<BiffRecord>(*at) &&
                   (std::get<BiffRecord>(*at).sid == rid::kPlv || std::get<BiffRecord>(*at).sid == rid::kScl)) {
                ++at;
            }
            items_.insert(at, anchor);
            return;
        }
    }
}

}  // namespace tabvex::xls
