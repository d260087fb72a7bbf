// ROW: a row's height, options and, when "ghost dirty" is set, its own cell format.
#pragma once

#include <array>
#include <cstdint>

#include "platform/xls/byte_io.h"

namespace tabvex::xls {

class RowRecord {
public:
    static constexpr uint16_t kDefaultHeight = 255;  // twips, 12.75 points

    RowRecord() = default;
    static RowRecord Parse(ByteReader& body);  // after the row number
    static constexpr size_t kBodySize = 16;
    // The body for a row whose cells span [firstColumn, columnEnd), composed in place:
    // a sheet has rows by the ten thousand.
    std::array<uint8_t, kBodySize> Body(uint32_t row, uint16_t firstColumn, uint16_t columnEnd) const;

    // The row's own format, when it has one.
    bool HasFormat() const { return (options_ & kGhostDirty) != 0; }
    uint16_t FormatIndex() const { return xfWord_ & 0x0FFF; }
    void SetFormat(uint16_t xf) {
        options_ |= kGhostDirty;
        xfWord_ = uint16_t((xfWord_ & 0xF000) | (xf & 0x0FFF));
    }

private:
    static constexpr uint16_t kGhostDirty = 0x0080;
    static constexpr uint16_t kAlwaysSet = 0x0100;

    uint16_t height_ = kDefaultHeight;
    uint16_t reserved1_ = 0, reserved2_ = 0;
    uint16_t options_ = kAlwaysSet;
    uint16_t xfWord_ = 15;
};

}  // namespace tabvex::xls
