#include "platform/xls/pane_record.h"

namespace tabvex::xls {

PaneRecord PaneRecord::Frozen(uint32_t rows, uint16_t columns) {
    PaneRecord p;
    p.x = columns;
    p.y = uint16_t(rows);
    p.topRow = uint16_t(rows);
    p.leftColumn = columns;
    // Panes: 0 lower right, 1 upper right, 2 lower left, 3 upper left.
    p.activePane = rows && columns ? 0 : rows ? 2 : columns ? 1 : 3;
    return p;
}

PaneRecord PaneRecord::Parse(ByteReader& body) {
    PaneRecord p;
    p.x = body.u16();
    p.y = body.u16();
    p.topRow = body.u16();
    p.leftColumn = body.u16();
    p.activePane = body.u8();
    if (!body.atEnd()) p.reserved = body.u8();
    return p;
}

void PaneRecord::Write(ByteWriter& out) const {
    out.u16(x);
    out.u16(y);
    out.u16(topRow);
    out.u16(leftColumn);
    out.u8(activePane);
    out.u8(reserved);
}

}  // namespace tabvex::xls
