// FONT: one font of the workbook's font table.
#pragma once

#include <string>

#include "platform/xls/biff_record.h"

namespace tabvex::xls {

struct FontRecord {
    static constexpr uint16_t kNormalWeight = 400, kBoldWeight = 700;
    // Excel sets this option bit with the bold weight, and some readers go by it.
    static constexpr uint16_t kBoldFlag = 0x0001;

    uint16_t height = 200;  // twips
    uint16_t options = 0;
    uint16_t colour = 0x7FFF;  // automatic
    uint16_t weight = kNormalWeight;
    uint16_t escapement = 0;
    uint8_t underline = 0, family = 0, charset = 0, reserved = 0;
    std::u16string name = u"Arial";

    bool Bold() const { return weight >= kBoldWeight; }

    static FontRecord Parse(const BiffRecord& record);
    BiffRecord ToRecord() const;
    bool operator==(const FontRecord&) const = default;
};

}  // namespace tabvex::xls
