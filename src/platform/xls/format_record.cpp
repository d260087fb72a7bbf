#include "platform/xls/format_record.h"

#include "platform/xls/biff_string.h"
#include "platform/xls/stored_text.h"

namespace tabvex::xls {

FormatRecord FormatRecord::Parse(const BiffRecord& record) {
    ByteReader in(record.data);
    FormatRecord format;
    format.index = in.u16();
    BiffStringReader strings(in, record.continueOffsets);
    AppendUtf8(strings.ReadUnicodeString().text, format.code);
    return format;
}

}  // namespace tabvex::xls
