#include "platform/jet/mdb/table_layout.h"

namespace tabvex::mdb {

namespace {

constexpr int kDefaultTextLength = 50;
constexpr int kDefaultBinaryLength = 255;

int StoredLength(const ColumnSpec& spec) {
    switch (spec.type) {
        case JetType::Text: return 2 * (spec.length > 0 ? spec.length : kDefaultTextLength);  // UTF-16
        case JetType::Binary: return spec.length > 0 ? spec.length : kDefaultBinaryLength;
        case JetType::Memo:
        case JetType::OleObject: return 0;
        default: return FixedSizeOf(spec.type);
    }
}

}  // namespace

TableLayout LayOutColumns(const std::vector<ColumnSpec>& specs) {
    TableLayout layout;
    for (const auto& spec : specs) {
        ColumnLayout c;
        c.spec = spec;
        c.number = static_cast<int>(layout.columns.size());
        c.storedLength = StoredLength(spec);
        c.fixed = spec.type == JetType::Boolean || FixedSizeOf(spec.type) > 0;
        if (c.fixed) {
            c.fixedOffset = layout.fixedAreaSize;
            layout.fixedAreaSize += spec.type == JetType::Boolean ? 0 : c.storedLength;
        } else {
            c.varIndex = layout.varColumns++;
        }
        layout.columns.push_back(c);
    }
    return layout;
}

}  // namespace tabvex::mdb
