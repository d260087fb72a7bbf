// The text a worksheet cell receives for a value read as text: NULL as empty text, a
// value longer than a cell holds cut at the cell's 32,767 UTF-16 units, never inside
// a character. The row transfer writes this text and the check counts by it, so both
// judge a value alike.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/oledb/text_rows.h"
#include "platform/text/utf8.h"
#include "platform/xls/limits.h"

namespace tabvex::adapters {

// The bytes of a reader's slot that take a cell's longest text whole: at most three
// UTF-8 bytes per UTF-16 unit, and the terminating zero. A longer value arrives
// marked truncated, and so is still known to be past the cell's limit.
inline constexpr std::size_t kCellValueSlotCapacity = xls::kMaxCellText * 3 + 1;

struct CellText {
    std::string_view text;
    bool cut = false;  // the value was longer than a cell holds
};

// The i-th value of the reader's current row as a cell takes it.
inline CellText CellTextOf(const oledb::TextRowReader& reader, std::size_t i) {
    const std::string_view value = reader.value(i).value_or(std::string_view());
    // Fewer bytes than a cell's units: short enough whatever the characters.
    if (value.size() <= xls::kMaxCellText && !reader.truncated(i)) return {value, false};
    const std::string_view cut = text::Utf16Prefix(value, xls::kMaxCellText);
    return {cut, cut.size() < value.size() || reader.truncated(i)};
}

}  // namespace tabvex::adapters
