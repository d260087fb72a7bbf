#include "platform/xls/worksheet_writer.h"

#include <cstring>

#include "platform/xls/record_ids.h"
#include "platform/xls/worksheet_cells.h"

namespace tabvex::xls {

using Kind = Worksheet::StoredCell::Kind;
using Anchor = Worksheet::Anchor;

namespace {
constexpr uint32_t kRowsPerBlock = 32;
constexpr size_t kRowRecordSize = 4 + RowRecord::kBodySize;

bool RowIsWritten(const Worksheet::Row& row) { return row.record || !row.cells.empty(); }
}  // namespace

void WorksheetWriter::Write(const Worksheet& sheet) {
    indexPosition_ = SIZE_MAX;
    dbCellPositions_.clear();
    for (const auto& item : sheet.items_) {
        if (const auto* record = std::get_if<BiffRecord>(&item)) {
            if (record->sid == rid::kDefColWidth) defColWidthPosition_ = writer_.position();
            writer_.Write(*record);
        } else {
            WriteAnchor(sheet, std::get<Anchor>(item));
        }
    }
    PatchIndex();
}

void WorksheetWriter::WriteAnchor(const Worksheet& sheet, Anchor anchor) {
    switch (anchor) {
        case Anchor::Index: WriteIndexPlaceholder(sheet); return;
        case Anchor::ColumnInfo:
            for (const auto& run : sheet.columns_) {
                body_.clear();
                ByteWriter out(body_);
                run.Write(out);
                writer_.WritePhysical(rid::kColInfo, body_);
            }
            return;
        case Anchor::Dimensions: WriteDimensions(sheet); return;
        case Anchor::CellTable: WriteCellTable(sheet); return;
        case Anchor::Window2:
            if (sheet.window_) {
                body_.clear();
                ByteWriter out(body_);
                sheet.window_->Write(out);
                writer_.WritePhysical(rid::kWindow2, body_);
            }
            return;
        case Anchor::Pane:
            if (sheet.pane_) {
                body_.clear();
                ByteWriter out(body_);
                sheet.pane_->Write(out);
                writer_.WritePhysical(rid::kPane, body_);
            }
            return;
    }
}

void WorksheetWriter::WriteIndexPlaceholder(const Worksheet& sheet) {
    // One DBCELL per block of 32 rows that has rows; their positions are patched in later.
    size_t blocks = 0;
    for (uint32_t block = 0; block * kRowsPerBlock < sheet.rows_.size(); ++block) {
        for (uint32_t r = block * kRowsPerBlock; r < std::min<size_t>(sheet.rows_.size(), (block + 1) * kRowsPerBlock); ++r) {
            if (RowIsWritten(sheet.rows_[r])) {
                ++blocks;
                break;
            }
        }
    }
    indexPosition_ = writer_.position();
    body_.assign(16 + 4 * blocks, 0);
    writer_.WritePhysical(rid::kIndex, body_);
}

void WorksheetWriter::PatchIndex() {
    if (indexPosition_ == SIZE_MAX) return;
    body_.clear();
    ByteWriter out(body_);
    out.u32(0);
    out.u32(firstRow_);
    out.u32(rowEnd_);
    out.u32(uint32_t(defColWidthPosition_));
    for (uint32_t position : dbCellPositions_) out.u32(position);
    writer_.Patch(indexPosition_ + 4, body_);
}

void WorksheetWriter::WriteDimensions(const Worksheet& sheet) {
    auto used = sheet.UsedRange();
    body_.clear();
    ByteWriter out(body_);
    out.u32(used ? used->firstRow : 0);
    out.u32(used ? used->lastRow + 1 : 0);
    out.u16(used ? used->firstColumn : 0);
    out.u16(used ? uint16_t(used->lastColumn + 1) : 0);
    out.u16(0);
    writer_.WritePhysical(rid::kDimensions, body_);
    firstRow_ = used ? used->firstRow : 0;
    rowEnd_ = used ? used->lastRow + 1 : 0;
}

void WorksheetWriter::WriteCellTable(const Worksheet& sheet) {
    for (uint32_t first = 0; first < sheet.rows_.size(); first += kRowsPerBlock) {
        WriteBlock(sheet, first, uint32_t(std::min<size_t>(sheet.rows_.size(), first + kRowsPerBlock)));
    }
}

void WorksheetWriter::WriteBlock(const Worksheet& sheet, uint32_t first, uint32_t end) {
    blockRows_.clear();
    for (uint32_t r = first; r < end; ++r) {
        if (RowIsWritten(sheet.rows_[r])) blockRows_.push_back(r);
    }
    if (blockRows_.empty()) return;

    const size_t firstRowPosition = writer_.position();
    for (uint32_t r : blockRows_) {
        const auto& row = sheet.rows_[r];
        uint16_t firstColumn = row.cells.empty() ? 0 : row.cells.front().column;
        uint16_t columnEnd = row.cells.empty() ? 0 : uint16_t(row.cells.back().column + 1);
        writer_.WritePhysical(rid::kRow, row.record.value_or(RowRecord()).Body(r, firstColumn, columnEnd));
    }
    // DBCELL: the first ROW relative to the DBCELL, then each row's first cell relative
    // to the previous one (the first relative to the end of the first ROW record).
    body_.clear();
    ByteWriter out(body_);
    out.u32(0);  // the distance back to the first ROW, known once the cells are written
    size_t previous = firstRowPosition + kRowRecordSize;
    for (uint32_t r : blockRows_) {
        out.u16(uint16_t(writer_.position() - previous));
        previous = writer_.position();
        for (const auto& cell : sheet.rows_[r].cells) WriteCell(sheet, r, cell);
    }
    dbCellPositions_.push_back(uint32_t(writer_.position()));
    out.patchU32(0, uint32_t(writer_.position() - firstRowPosition));
    writer_.WritePhysical(rid::kDbCell, body_);
}

void WorksheetWriter::WriteCell(const Worksheet& sheet, uint32_t row, const Worksheet::StoredCell& cell) {
    // The common cells are composed in the output itself: a workbook has them by the million.
    auto begin = [&](uint16_t sid, size_t length) {
        uint8_t* body = writer_.BeginRecord(sid, length);
        body[0] = uint8_t(row), body[1] = uint8_t(row >> 8), body[2] = uint8_t(cell.column);
        body[3] = uint8_t(cell.column >> 8), body[4] = uint8_t(cell.xf), body[5] = uint8_t(cell.xf >> 8);
        return body + 6;
    };
    switch (cell.kind) {
        case Kind::Blank: begin(rid::kBlank, 6); return;
        case Kind::Text: {
            const uint32_t index = stringIndex_[cell.index];
            uint8_t* at = begin(rid::kLabelSst, 10);
            at[0] = uint8_t(index), at[1] = uint8_t(index >> 8), at[2] = uint8_t(index >> 16), at[3] = uint8_t(index >> 24);
            return;
        }
        case Kind::Number: std::memcpy(begin(rid::kNumber, 14), &cell.number, 8); return;
        case Kind::Boolean:
        case Kind::Error: {
            uint8_t* at = begin(rid::kBoolErr, 8);
            at[0] = uint8_t(cell.number);
            at[1] = cell.kind == Kind::Error ? 1 : 0;
            return;
        }
        case Kind::Formula: {
            const auto& formula = sheet.formulas_[cell.index];
            BiffRecord record{rid::kFormula, formula.body, {}};
            ByteWriter patch(record.data);
            patch.patchU16(0, uint16_t(row));
            patch.patchU16(2, cell.column);
            patch.patchU16(4, cell.xf);
            writer_.Write(record);
            for (const auto& trailing : formula.trailing) writer_.Write(trailing);
            return;
        }
    }
}

}  // namespace tabvex::xls
