// The workbook's fonts and cell formats (XF): describes a format as a CellFormat and
// finds or adds the format that applies a CellFormat to an existing one.
#pragma once

#include <vector>

#include "platform/xls/cell_format.h"
#include "platform/xls/font_record.h"
#include "platform/xls/xf_record.h"

namespace tabvex::xls {

class FormatTable {
public:
    static constexpr uint16_t kDefaultCellFormat = 15;

    // Four default fonts, sixteen formats: fifteen styles and the default cell format.
    static FormatTable Defaults();

    std::vector<FontRecord>& fonts() { return fonts_; }
    std::vector<XfRecord>& formats() { return formats_; }
    const std::vector<FontRecord>& fonts() const { return fonts_; }
    const std::vector<XfRecord>& formats() const { return formats_; }

    CellFormat Describe(uint16_t xf) const;
    // The index of a cell format equal to `base` with `format` applied (bold font,
    // alignment, borders, fill); added when no such format exists yet.
    uint16_t Apply(uint16_t base, const CellFormat& format);

private:
    const FontRecord& FontOf(const XfRecord& xf) const;
    uint16_t FindOrAddFont(const FontRecord& font);

    std::vector<FontRecord> fonts_;
    std::vector<XfRecord> formats_;
};

}  // namespace tabvex::xls
