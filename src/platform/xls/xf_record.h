// XF: one cell or style format, 20 bytes, with accessors for the fields the program
// changes (font, horizontal alignment, borders, fill) and the rest kept as read.
#pragma once

#include <array>
#include <cstdint>

#include "platform/xls/cell_format.h"
#include "platform/xls/biff_record.h"

namespace tabvex::xls {

class XfRecord {
public:
    static constexpr size_t kSize = 20;
    static constexpr uint8_t kAutomaticColour = 64;

    static XfRecord NormalStyle();
    static XfRecord DefaultCell();
    static XfRecord Parse(const BiffRecord& record);
    BiffRecord ToRecord() const;

    uint16_t FontIndex() const { return U16(0); }
    void SetFontIndex(uint16_t font) { SetU16(0, font), MarkUsed(0x08); }
    // The number format: built-in below 164, else a FORMAT record's index.
    uint16_t NumberFormatIndex() const { return U16(2); }
    void SetNumberFormatIndex(uint16_t index) { SetU16(2, index), MarkUsed(0x04); }
    bool IsStyle() const { return (U16(4) & 0x0004) != 0; }
    // Turns a style format into a cell format that inherits from that style.
    void MakeCellFormatOf(uint16_t styleIndex);

    HorizontalAlignment Horizontal() const { return HorizontalAlignment(bytes_[6] & 0x07); }
    void SetHorizontal(HorizontalAlignment a);
    Borders GetBorders() const;
    void SetBorders(const Borders& b);
    std::optional<uint8_t> Fill() const;
    void SetFill(std::optional<uint8_t> colour);

    bool operator==(const XfRecord&) const = default;

private:
    uint16_t U16(size_t at) const { return uint16_t(bytes_[at] | bytes_[at + 1] << 8); }
    void SetU16(size_t at, uint16_t v) { bytes_[at] = uint8_t(v), bytes_[at + 1] = uint8_t(v >> 8); }
    uint32_t U32(size_t at) const { return U16(at) | uint32_t(U16(at + 2)) << 16; }
    void SetU32(size_t at, uint32_t v) { SetU16(at, uint16_t(v)), SetU16(at + 2, uint16_t(v >> 16)); }
    void MarkUsed(uint8_t attributeBit) { bytes_[9] = uint8_t(bytes_[9] | attributeBit); }

    std::array<uint8_t, kSize> bytes_{};
};

}  // namespace tabvex::xls
