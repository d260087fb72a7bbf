#include "platform/xls/window2_record.h"

namespace tabvex::xls {

Window2Record Window2Record::NewWorksheet() {
    Window2Record w;
    ByteWriter out(w.body_);
    out.u16(0x00B6);  // grid, headers, zeros, automatic grid colour, outline symbols
    out.u16(0);       // top row
    out.u16(0);       // left column
    out.u16(64);      // grid colour: automatic
    out.u16(0);
    out.u16(0);       // zoom in page-break preview: default
    out.u16(0);       // zoom in normal view: default
    out.u32(0);
    return w;
}

Window2Record Window2Record::Parse(std::span<const uint8_t> body) {
    if (body.size() < 10) throw CorruptData("WINDOW2 record too short");
    Window2Record w;
    w.body_.assign(body.begin(), body.end());
    return w;
}

}  // namespace tabvex::xls
