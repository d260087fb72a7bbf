#include "platform/xls/format_record.h"

#include "platform/xls/biff_string.h"
#include "platform/xls/text_encoding.h"

namespace tabvex::xls {

FormatRecord FormatRecord::Parse(const BiffRecord& record) {
    ByteReader in(record.data);
    FormatRecord format;
    format.index = in.u16();
    BiffStringReader strings(in, record.continueOffsets);
    format.code = Utf16ToUtf8(strings.ReadUnicodeString().text);
    return format;
}

}  // namespace tabvex::xls
