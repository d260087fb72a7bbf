// The cells a table's transfer sent to its worksheet, kept for comparing with what the
// saved file reads back. Each cell is kept as a 32-bit digest of its text, not the
// text: a full worksheet (65,535 rows) then costs 4 bytes a cell, far less than the
// workbook engine itself holds for the same cells, while the texts could be up to
// 32,767 characters each. Reading the source again instead would double the time of
// the slowest part of a migration and could see rows that changed since.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tabvex::adapters {

class SentCells {
public:
    // Where a run of the table's rows went: the worksheet, and the first of those rows
    // (0 the table's first row). A long table continued on new sheets has several.
    struct SheetPart {
        std::string sheet;
        std::int64_t firstRow;
    };

    SentCells(std::string table, std::string sheet) : table_(std::move(table)), parts_{{std::move(sheet), 0}} {}

    // The cells of the row being sent, left to right.
    void AddCell(std::string_view text) { pending_.push_back(DigestOf(text)); }
    // The row arrived in the sheet, under the rows kept before it.
    void KeepRow();
    // The row did not arrive (its INSERT failed): it is forgotten.
    void DropRow() { pending_.clear(); }
    // The rows from now on go to the continuation sheet `sheet`.
    void ContinueOnSheet(std::string sheet) { parts_.push_back({std::move(sheet), rows()}); }

    const std::string& table() const { return table_; }
    const std::vector<SheetPart>& parts() const { return parts_; }
    std::int64_t rows() const { return columns_ == 0 ? 0 : static_cast<std::int64_t>(digests_.size() / columns_); }
    std::size_t columns() const { return columns_; }
    // Whether `text` is what was sent to the cell of data row `row` (0 the first) and
    // `column`; a digest match, so a difference is missed only by chance (1 in 2^32).
    bool Matches(std::int64_t row, std::size_t column, std::string_view text) const;

    static std::uint32_t DigestOf(std::string_view text);

private:
    std::string table_;
    std::vector<SheetPart> parts_;
    std::size_t columns_ = 0;
    std::vector<std::uint32_t> digests_;  // row after row
    std::vector<std::uint32_t> pending_;
};

}  // namespace tabvex::adapters
