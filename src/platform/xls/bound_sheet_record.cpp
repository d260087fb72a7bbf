#include "platform/xls/bound_sheet_record.h"

#include "platform/xls/biff_string.h"
#include "platform/xls/record_ids.h"

namespace tabvex::xls {

BoundSheetRecord BoundSheetRecord::Parse(const BiffRecord& record) {
    ByteReader in(record.data);
    BoundSheetRecord r;
    r.offset = in.u32();
    r.state = in.u8();
    r.type = in.u8();
    BiffStringReader strings(in, record.continueOffsets);
    r.name = strings.ReadShortString();
    return r;
}

BiffRecord BoundSheetRecord::ToRecord() const {
    BiffRecord r{rid::kBoundSheet, {}, {}};
    ByteWriter out(r.data);
    out.u32(offset);
    out.u8(state);
    out.u8(type);
    WriteShortString(out, name);
    return r;
}

}  // namespace tabvex::xls
