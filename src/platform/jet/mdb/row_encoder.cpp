#include "platform/jet/mdb/row_encoder.h"

#include <algorithm>

namespace tabvex::mdb {

Bytes EncodeRow(const TableLayout& layout, const std::vector<std::optional<Bytes>>& fields) {
    const auto columnCount = layout.columns.size();
    Bytes row;
    AppendU16(row, static_cast<std::uint32_t>(columnCount));
    row.resize(2 + static_cast<size_t>(layout.fixedAreaSize), 0);
    Bytes nullMask((columnCount + 7) / 8, 0);
    std::vector<std::uint32_t> varOffsets(static_cast<size_t>(layout.varColumns));

    for (const auto& column : layout.columns) {
        const auto& field = fields[static_cast<size_t>(column.number)];
        bool present = field.has_value();
        if (column.spec.type == JetType::Boolean) present = present && !field->empty() && (*field)[0] != 0;
        if (present) nullMask[static_cast<size_t>(column.number / 8)] |= static_cast<std::uint8_t>(1 << (column.number % 8));
        if (column.fixed) {
            if (field && column.spec.type != JetType::Boolean)
                std::copy(field->begin(), field->end(), row.begin() + 2 + column.fixedOffset);
        } else {
            varOffsets[static_cast<size_t>(column.varIndex)] = static_cast<std::uint32_t>(row.size());
            if (field) Append(row, *field);
        }
    }
    if (layout.varColumns > 0) {
        AppendU16(row, static_cast<std::uint32_t>(row.size()));  // end of the variable data
        for (auto it = varOffsets.rbegin(); it != varOffsets.rend(); ++it) AppendU16(row, *it);
        AppendU16(row, static_cast<std::uint32_t>(layout.varColumns));
    }
    Append(row, nullMask);
    return row;
}

}  // namespace tabvex::mdb
