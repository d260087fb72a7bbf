#include "platform/xls/row_record.h"

namespace tabvex::xls {

RowRecord RowRecord::Parse(ByteReader& body) {
    RowRecord r;
    body.u16(), body.u16();  // column span, recomputed on writing
    r.height_ = body.u16();
    r.reserved1_ = body.u16();
    r.reserved2_ = body.u16();
    r.options_ = body.u16();
    r.xfWord_ = body.u16();
    return r;
}

void RowRecord::Write(ByteWriter& out, uint32_t row, uint16_t firstColumn, uint16_t columnEnd) const {
    out.u16(uint16_t(row));
    out.u16(firstColumn);
    out.u16(columnEnd);
    out.u16(height_);
    out.u16(reserved1_);
    out.u16(reserved2_);
    out.u16(options_);
    out.u16(xfWord_);
}

}  // namespace tabvex::xls
