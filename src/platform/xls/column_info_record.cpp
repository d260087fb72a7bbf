#include "platform/xls/column_info_record.h"

#include <algorithm>

namespace tabvex::xls {

ColumnInfoRecord ColumnInfoRecord::Parse(ByteReader& body) {
    ColumnInfoRecord r;
    r.firstColumn = body.u16();
    r.lastColumn = body.u16();
    r.width = body.u16();
    r.xf = body.u16();
    r.options = body.u16();
    if (body.remaining() >= 2) r.reserved = body.u16();
    return r;
}

void ColumnInfoRecord::Write(ByteWriter& out) const {
    out.u16(firstColumn);
    out.u16(lastColumn);
    out.u16(width);
    out.u16(xf);
    out.u16(options);
    out.u16(reserved);
}

void SetColumnRunWidth(std::vector<ColumnInfoRecord>& runs, uint16_t column, uint16_t width) {
    auto it = std::find_if(runs.begin(), runs.end(),
                           [&](const ColumnInfoRecord& r) { return r.firstColumn <= column && column <= r.lastColumn; });
    if (it == runs.end()) {
        ColumnInfoRecord run;
        run.firstColumn = run.lastColumn = column;
        run.width = width;
        auto at = std::find_if(runs.begin(), runs.end(), [&](const ColumnInfoRecord& r) { return r.firstColumn > column; });
        runs.insert(at, run);
        return;
    }
    ColumnInfoRecord before = *it, after = *it, own = *it;
    own.firstColumn = own.lastColumn = column;
    own.width = width;
    std::vector<ColumnInfoRecord> pieces;
    if (before.firstColumn < column) before.lastColumn = uint16_t(column - 1), pieces.push_back(before);
    pieces.push_back(own);
    if (after.lastColumn > column) after.firstColumn = uint16_t(column + 1), pieces.push_back(after);
    it = runs.erase(it);
    runs.insert(it, pieces.begin(), pieces.end());
}

}  // namespace tabvex::xls
