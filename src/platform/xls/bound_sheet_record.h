// BOUNDSHEET: a sheet's name, kind, visibility and the stream offset of its BOF,
// which is patched in once the sheet's position in the new stream is known.
#pragma once

#include <string>

#include "platform/xls/biff_record.h"

namespace tabvex::xls {

struct BoundSheetRecord {
    uint32_t offset = 0;
    uint8_t state = 0;  // visibility in bits 0-1
    uint8_t type = 0;   // 0 worksheet or dialog, 1 macro sheet, 2 chart, 6 VBA module
    std::u16string name;

    static BoundSheetRecord Parse(const BiffRecord& record);
    BiffRecord ToRecord() const;
    // Where the offset sits in a written record, counted from the record header.
    static constexpr size_t kOffsetPosition = 4;
};

}  // namespace tabvex::xls
