#include "platform/xls/xf_record.h"

#include <algorithm>

#include "platform/xls/record_ids.h"

namespace tabvex::xls {

namespace {
// Attribute groups a cell format sets itself instead of taking from its style
// (the font group, 0x08, is marked by SetFontIndex).
constexpr uint8_t kUsedAlignment = 0x10, kUsedBorder = 0x20, kUsedPattern = 0x40;
constexpr uint32_t kHasXfExtension = 1u << 25;
constexpr uint8_t kSolidPattern = 1;
}  // namespace

XfRecord XfRecord::NormalStyle() {
    XfRecord xf;
    xf.SetU16(4, 0xFFF5);  // locked, style, no parent
    xf.bytes_[6] = 0x20;   // bottom-aligned
    xf.SetU16(18, 0x20C0); // pattern colours automatic
    return xf;
}

XfRecord XfRecord::DefaultCell() {
    XfRecord xf = NormalStyle();
    xf.SetU16(4, 0x0001);  // locked, child of style 0
    return xf;
}

XfRecord XfRecord::Parse(const BiffRecord& record) {
    if (record.data.size() < kSize) throw CorruptData("XF record too short");
    XfRecord xf;
    std::copy_n(record.data.begin(), kSize, xf.bytes_.begin());
    return xf;
}

BiffRecord XfRecord::ToRecord() const { return BiffRecord{rid::kXf, Bytes(bytes_.begin(), bytes_.end()), {}}; }

void XfRecord::MakeCellFormatOf(uint16_t styleIndex) {
    if (IsStyle()) SetU16(4, uint16_t((U16(4) & 0x0003) | (styleIndex << 4)));
    // A copied format has no XFEXT record of its own.
    SetU32(14, U32(14) & ~kHasXfExtension);
}

void XfRecord::SetHorizontal(HorizontalAlignment a) {
    bytes_[6] = uint8_t((bytes_[6] & ~0x07) | (uint8_t(a) & 0x07));
    MarkUsed(kUsedAlignment);
}

Borders XfRecord::GetBorders() const {
    uint32_t lines = U32(10);
    return Borders{uint8_t(lines & 0x0F), uint8_t(lines >> 4 & 0x0F), uint8_t(lines >> 8 & 0x0F),
                   uint8_t(lines >> 12 & 0x0F)};
}

void XfRecord::SetBorders(const Borders& b) {
    uint32_t lines = U32(10) & ~0xFFFFu;
    lines |= uint32_t(b.left & 0x0F) | uint32_t(b.right & 0x0F) << 4 | uint32_t(b.top & 0x0F) << 8 |
             uint32_t(b.bottom & 0x0F) << 12;
    // An edge that has a line and no colour gets the automatic colour.
    auto colourOf = [&](uint8_t style, uint32_t colour) { return style && colour == 0 ? kAutomaticColour : colour; };
    uint32_t left = colourOf(b.left, lines >> 16 & 0x7F), right = colourOf(b.right, lines >> 23 & 0x7F);
    lines = (lines & 0xC000FFFFu) | left << 16 | right << 23;
    SetU32(10, lines);
    uint32_t more = U32(14);
    uint32_t top = colourOf(b.top, more & 0x7F), bottom = colourOf(b.bottom, more >> 7 & 0x7F);
    SetU32(14, (more & ~0x3FFFu) | top | bottom << 7);
    MarkUsed(kUsedBorder);
}

std::optional<uint8_t> XfRecord::Fill() const {
    if ((U32(14) >> 26) == 0) return std::nullopt;
    return uint8_t(U16(18) & 0x7F);
}

void XfRecord::SetFill(std::optional<uint8_t> colour) {
    uint32_t more = U32(14) & ~(0x3Fu << 26);
    uint16_t colours = 0x20C0;  // automatic foreground and background
    if (colour) {
        more |= uint32_t(kSolidPattern) << 26;
        colours = uint16_t((*colour & 0x7F) | 65 << 7);
    }
    SetU32(14, more);
    SetU16(18, uint16_t((U16(18) & 0xC000) | colours));
    MarkUsed(kUsedPattern);
}

}  // namespace tabvex::xls
