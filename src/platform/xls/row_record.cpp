#include "platform/xls/row_record.h"

#include <iterator>

namespace tabvex::xls {

RowRecord RowRecord::Parse(ByteReader& body) {
    RowRecord r;
    body.u16(), body.u16();  // column span, recomputed on writing
    r.height_ = body.u16();
    r.reserved1_ = body.u16();
    r.reserved2_ = body.u16();
    r.options_ = body.u16();
    r.xfWord_ = body.u16();
    return r;
}

std::array<uint8_t, RowRecord::kBodySize> RowRecord::Body(uint32_t row, uint16_t firstColumn, uint16_t columnEnd) const {
    const uint16_t fields[] = {uint16_t(row), firstColumn, columnEnd, height_, reserved1_, reserved2_, options_, xfWord_};
    std::array<uint8_t, kBodySize> body;
    for (size_t i = 0; i < std::size(fields); ++i) body[2 * i] = uint8_t(fields[i]), body[2 * i + 1] = uint8_t(fields[i] >> 8);
    return body;
}

}  // namespace tabvex::xls
