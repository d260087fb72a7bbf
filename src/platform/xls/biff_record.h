// One logical BIFF record: its identifier and body, with the CONTINUE records that
// followed it merged in. The offsets where each CONTINUE began are kept, so a record
// the engine does not interpret is written back split exactly as it was read.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/xls/byte_io.h"

namespace tabvex::xls {

struct BiffRecord {
    uint16_t sid = 0;
    Bytes data;
    std::vector<uint32_t> continueOffsets;  // ascending offsets into data

    bool operator==(const BiffRecord&) const = default;
};

}  // namespace tabvex::xls
