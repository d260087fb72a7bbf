#include "platform/automation/cell_range.h"

#include <algorithm>
#include <cctype>

namespace tabvex::automation {
namespace {

// One side of an address: a column, a row, or both.
struct RangeEnd {
    std::optional<int> column;
    std::optional<int> row;
};

class EndReader {
public:
    explicit EndReader(std::string_view text) : text_(text) {}

    std::optional<RangeEnd> Read() {
        RangeEnd end;
        SkipDollar();
        end.column = ReadColumn();
        SkipDollar();
        end.row = ReadRow();
        if (pos_ != text_.size() || (!end.column && !end.row)) return std::nullopt;
        if (end.column && !end.row && text_.back() == '$') return std::nullopt;
        return end;
    }

private:
    void SkipDollar() {
        if (pos_ < text_.size() && text_[pos_] == '$') ++pos_;
    }

    std::optional<int> ReadColumn() {
        long column = 0;
        const size_t start = pos_;
        while (pos_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[pos_])) && pos_ - start < 3) {
            column = column * 26 + (std::toupper(static_cast<unsigned char>(text_[pos_])) - 'A' + 1);
            ++pos_;
        }
        if (pos_ == start) return std::nullopt;
        if (column > kSheetColumns) return Invalid();
        return static_cast<int>(column - 1);
    }

    std::optional<int> ReadRow() {
        long row = 0;
        const size_t start = pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])) && pos_ - start < 6) {
            row = row * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        if (pos_ == start) return std::nullopt;
        if (row < 1 || row > kSheetRows) return Invalid();
        return static_cast<int>(row - 1);
    }

    // Leaves the reader short of the end, so that Read() refuses the text.
    std::optional<int> Invalid() {
        pos_ = text_.size() + 1;
        return std::nullopt;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

std::optional<CellRange> Span(const RangeEnd& from, const RangeEnd& to) {
    const bool cells = from.column && from.row && to.column && to.row;
    const bool columns = from.column && !from.row && to.column && !to.row;
    const bool rows = !from.column && from.row && !to.column && to.row;
    if (!cells && !columns && !rows) return std::nullopt;
    CellRange range;
    range.firstColumn = rows ? 0 : std::min(*from.column, *to.column);
    range.lastColumn = rows ? kSheetColumns - 1 : std::max(*from.column, *to.column);
    range.firstRow = columns ? 0 : std::min(*from.row, *to.row);
    range.lastRow = columns ? kSheetRows - 1 : std::max(*from.row, *to.row);
    return range;
}

}  // namespace

std::optional<CellRange> ParseA1Range(std::string_view address) {
    const size_t colon = address.find(':');
    const std::string_view first = address.substr(0, colon);
    const std::string_view second = colon == std::string_view::npos ? first : address.substr(colon + 1);
    if (first.empty() || second.empty()) return std::nullopt;
    const auto from = EndReader(first).Read();
    const auto to = EndReader(second).Read();
    if (!from || !to) return std::nullopt;
    if (colon == std::string_view::npos && !(from->column && from->row)) return std::nullopt;
    return Span(*from, *to);
}

std::string ColumnLetters(int column) {
    std::string letters;
    for (int rest = column + 1; rest > 0; rest = (rest - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (rest - 1) % 26));
    }
    return letters;
}

std::string AbsoluteAddress(const CellRange& range) {
    const auto row = [](int r) { return "$" + std::to_string(r + 1); };
    const auto column = [](int c) { return "$" + ColumnLetters(c); };
    if (range.SpansAllColumns() && !range.SpansAllRows()) return row(range.firstRow) + ":" + row(range.lastRow);
    if (range.SpansAllRows() && !range.SpansAllColumns()) {
        return column(range.firstColumn) + ":" + column(range.lastColumn);
    }
    const std::string first = column(range.firstColumn) + row(range.firstRow);
    if (range.IsSingleCell()) return first;
    return first + ":" + column(range.lastColumn) + row(range.lastRow);
}

}  // namespace tabvex::automation
