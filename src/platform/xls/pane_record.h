// PANE: where a window is split or frozen, and which pane is active.
#pragma once

#include <cstdint>

#include "platform/xls/byte_io.h"

namespace tabvex::xls {

struct PaneRecord {
    uint16_t x = 0;        // frozen: columns left of the split
    uint16_t y = 0;        // frozen: rows above the split
    uint16_t topRow = 0;   // first row shown in the lower pane
    uint16_t leftColumn = 0;
    uint8_t activePane = 3;
    uint8_t reserved = 0;

    static PaneRecord Frozen(uint32_t rows, uint16_t columns);
    static PaneRecord Parse(ByteReader& body);
    void Write(ByteWriter& out) const;
};

}  // namespace tabvex::xls
