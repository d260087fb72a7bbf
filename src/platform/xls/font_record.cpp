#include "platform/xls/font_record.h"

#include "platform/xls/biff_string.h"
#include "platform/xls/record_ids.h"

namespace tabvex::xls {

FontRecord FontRecord::Parse(const BiffRecord& record) {
    ByteReader in(record.data);
    FontRecord f;
    f.height = in.u16();
    f.options = in.u16();
    f.colour = in.u16();
    f.weight = in.u16();
    f.escapement = in.u16();
    f.underline = in.u8();
    f.family = in.u8();
    f.charset = in.u8();
    f.reserved = in.u8();
    BiffStringReader strings(in, record.continueOffsets);
    f.name = strings.ReadShortString();
    return f;
}

BiffRecord FontRecord::ToRecord() const {
    BiffRecord r{rid::kFont, {}, {}};
    ByteWriter out(r.data);
    out.u16(height);
    out.u16(options);
    out.u16(colour);
    out.u16(weight);
    out.u16(escapement);
    out.u8(underline);
    out.u8(family);
    out.u8(charset);
    out.u8(reserved);
    WriteShortString(out, name);
    return r;
}

}  // namespace tabvex::xls
