#include "platform/xls/worksheet_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/text/utf8.h"
#include "platform/xls/biff_string.h"
#include "platform/xls/format_table.h"
#include "platform/xls/limits.h"
#include "platform/xls/record_ids.h"
#include "platform/xls/record_reader.h"
#include "platform/xls/shared_string_table.h"
#include "platform/xls/stored_text.h"
#include "platform/xls/worksheet_cells.h"

namespace tabvex::xls {

using Kind = Worksheet::StoredCell::Kind;
using Anchor = Worksheet::Anchor;

double DecodeRk(uint32_t rk) {
    double value;
    if (rk & 0x02) {
        value = double(int32_t(rk) >> 2);
    } else {
        uint64_t bits = uint64_t(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (rk & 0x01) ? value / 100 : value;
}

void WorksheetReader::Read(size_t offset) {
    RecordReader reader(stream_, offset);
    BiffRecord record;  // refilled for each record; only those kept are moved out
    if (!reader.Next(record) || record.sid != rid::kBof) {
        throw CorruptData("sheet " + sheet_.name_ + " does not begin with a BOF record");
    }
    sheet_.items_.push_back(std::move(record));
    for (size_t at = reader.position(); reader.Next(record); at = reader.position()) {
        bool end = depth_ == 0 && record.sid == rid::kEof;
        uint16_t sid = record.sid;
        try {
            ReadRecord(std::move(record));
        } catch (const CorruptData& e) {
            throw CorruptData(DescribeRecord(sid, at) + " of sheet " + sheet_.name_ + ": " + e.what());
        }
        if (end) {
            // A sheet read without rows or cells still needs a place for those added later.
            if (sheet_.HasCells()) sheet_.EnsureAnchor(Anchor::CellTable);
            return;
        }
    }
    throw CorruptData("sheet " + sheet_.name_ + " has no EOF record");
}

void WorksheetReader::PutAnchor(Anchor anchor) {
    // Called for every cell, so the search of the items is made once per anchor.
    const auto bit = uint8_t(1u << uint8_t(anchor));
    if (anchored_ & bit) return;
    anchored_ |= bit;
    if (std::find(sheet_.items_.begin(), sheet_.items_.end(), Worksheet::Item(anchor)) == sheet_.items_.end()) {
        sheet_.items_.push_back(anchor);
    }
}

void WorksheetReader::ReadRecord(BiffRecord&& record) {
    const uint16_t sid = record.sid;
    if (depth_ > 0 || sid == rid::kBof || !sheet_.HasCells()) {
        depth_ += sid == rid::kBof ? 1 : sid == rid::kEof && depth_ > 0 ? -1 : 0;
        sheet_.items_.push_back(std::move(record));
        return;
    }
    bool belongsToFormula = sid == rid::kShrFmla || sid == rid::kArray || sid == rid::kTable || sid == rid::kString;
    if (pendingFormula_ && belongsToFormula) {
        if (sid == rid::kString) ReadCachedString(record);
        pendingFormula_->trailing.push_back(std::move(record));
        return;
    }
    pendingFormula_ = nullptr;
    ByteReader body(record.data);
    switch (sid) {
        case rid::kIndex: PutAnchor(Anchor::Index); return;
        case rid::kDbCell: return;  // rebuilt on writing
        case rid::kDimensions: PutAnchor(Anchor::Dimensions); return;
        case rid::kColInfo:
            sheet_.columns_.push_back(ColumnInfoRecord::Parse(body));
            sheet_.formats_->NoteReference(sheet_.columns_.back().xf);
            PutAnchor(Anchor::ColumnInfo);
            return;
        case rid::kRow: {
            uint16_t row = body.u16();
            const RowRecord& read = sheet_.RowAt(row).record.emplace(RowRecord::Parse(body));
            if (read.HasFormat()) sheet_.formats_->NoteReference(read.FormatIndex());
            PutAnchor(Anchor::CellTable);
            return;
        }
        case rid::kWindow2:
            if (sheet_.window_) break;
            sheet_.window_ = Window2Record::Parse(record.data);
            PutAnchor(Anchor::Window2);
            return;
        case rid::kPane:
            if (sheet_.pane_) break;
            sheet_.pane_ = PaneRecord::Parse(body);
            PutAnchor(Anchor::Pane);
            return;
        default:
            if (ReadCell(record)) return;
    }
    sheet_.items_.push_back(std::move(record));
}

Worksheet::StoredCell& WorksheetReader::Put(uint16_t row, uint16_t column, uint16_t xf) {
    PutAnchor(Anchor::CellTable);
    auto& cells = sheet_.RowAt(row).cells;
    Worksheet::StoredCell* cell;
    if (cells.empty() || cells.back().column < column) {
        cell = &cells.emplace_back();
        cell->column = column;
    } else {
        cell = &sheet_.CellSlot(row, column);
    }
    cell->xf = xf;
    sheet_.formats_->NoteReference(xf);
    return *cell;
}

bool WorksheetReader::ReadCell(const BiffRecord& record) {
    const uint16_t sid = record.sid;
    bool isCell = sid == rid::kLabelSst || sid == rid::kLabel || sid == rid::kRString || sid == rid::kNumber ||
                  sid == rid::kRk || sid == rid::kMulRk || sid == rid::kBoolErr || sid == rid::kBlank ||
                  sid == rid::kMulBlank || sid == rid::kFormula;
    if (!isCell) return false;
    ByteReader in(record.data);
    uint16_t row = in.u16(), column = in.u16();
    // Cells beyond the 256 columns of BIFF8 are not modelled; they stay as records.
    if (column >= kMaxColumns) return false;
    if (sid == rid::kMulRk || sid == rid::kMulBlank) {
        const size_t entrySize = sid == rid::kMulRk ? 6 : 2;
        if (record.data.size() < 6) throw CorruptData("MULRK/MULBLANK record too short");
        size_t count = (record.data.size() - 6) / entrySize;
        for (size_t i = 0; i < count && column + i < kMaxColumns; ++i) {
            uint16_t xf = in.u16();
            auto& cell = Put(row, uint16_t(column + i), xf);
            if (sid == rid::kMulRk) cell.kind = Kind::Number, cell.number = DecodeRk(in.u32());
        }
        return true;
    }
    uint16_t xf = in.u16();
    switch (sid) {
        case rid::kLabelSst: {
            uint32_t index = in.u32();
            if (index >= sheet_.strings_->size()) throw CorruptData("a text cell refers to a missing shared string");
            auto& cell = Put(row, column, xf);
            cell.kind = Kind::Text, cell.index = index;
            return true;
        }
        case rid::kLabel:
        case rid::kRString: {
            BiffStringReader strings(in, record.continueOffsets);
            size_t count = in.u16();
            std::u16string text = strings.ReadCharacters(count);
            auto& cell = Put(row, column, xf);
            std::string scratch;
            cell.kind = Kind::Text, cell.index = sheet_.strings_->Add(EncodeStoredText(text, scratch));
            return true;
        }
        case rid::kNumber: {
            double value = in.f64();
            auto& cell = Put(row, column, xf);
            cell.kind = Kind::Number, cell.number = value;
            return true;
        }
        case rid::kRk: {
            double value = DecodeRk(in.u32());
            auto& cell = Put(row, column, xf);
            cell.kind = Kind::Number, cell.number = value;
            return true;
        }
        case rid::kBoolErr: {
            uint8_t value = in.u8(), isError = in.u8();
            auto& cell = Put(row, column, xf);
            cell.kind = isError ? Kind::Error : Kind::Boolean, cell.number = value;
            return true;
        }
        case rid::kBlank: Put(row, column, xf); return true;
        case rid::kFormula: ReadFormula(record, row, column, xf); return true;
        default: return false;
    }
}

void WorksheetReader::ReadFormula(const BiffRecord& record, uint16_t row, uint16_t column, uint16_t xf) {
    if (record.data.size() < 20) throw CorruptData("FORMULA record too short");
    Worksheet::FormulaCell formula;
    formula.body = record.data;
    ByteReader value(record.data, 6);
    const bool special = record.data[12] == 0xFF && record.data[13] == 0xFF;
    if (!special) {
        formula.cached.type = CellType::Number;
        formula.cached.number = value.f64();
    } else if (record.data[6] == 1 || record.data[6] == 2) {
        formula.cached.type = record.data[6] == 1 ? CellType::Boolean : CellType::Error;
        formula.cached.number = record.data[8];
    } else {
        formula.cached.type = CellType::Text;  // 0: in the STRING record that follows; 3: empty
    }
    auto& cell = Put(row, column, xf);
    cell.kind = Kind::Formula;
    cell.index = uint32_t(sheet_.formulas_.size());
    pendingFormula_ = &sheet_.formulas_.emplace_back(std::move(formula));
}

void WorksheetReader::ReadCachedString(const BiffRecord& record) {
    ByteReader in(record.data);
    BiffStringReader strings(in, record.continueOffsets);
    size_t count = in.u16();
    pendingFormula_->cached.text = text::Utf16ToUtf8(strings.ReadCharacters(count));
}

}  // namespace tabvex::xls
