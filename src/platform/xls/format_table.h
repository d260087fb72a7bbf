// The workbook's fonts, cell formats (XF) and number format codes: describes a format
// as a CellFormat, tells the number format code it shows numbers in, and finds or adds
// the format that applies a CellFormat to an existing one.
#pragma once

#include <map>
#include <string>
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
    // The number format code of a cell format: a FORMAT record's, else a built-in one.
    std::string NumberFormat(uint16_t xf) const;
    // Notes a FORMAT record's code; the record itself stays among the globals.
    void AddNumberFormat(uint16_t index, std::string code) { numberFormats_[index] = std::move(code); }
    // Notes a format index a cell, row or column of the file refers to. Formats are only
    // added above every index noted, so that a reference to a format the file lacks
    // (described as the default cell format) never takes on a format added later.
    void NoteReference(uint16_t xf) {
        if (xf >= referencedEnd_) referencedEnd_ = size_t(xf) + 1;
    }
    // The index of a cell format equal to `base` with `format` applied (bold font,
    // alignment, borders, fill); added when no such format exists yet.
    uint16_t Apply(uint16_t base, const CellFormat& format);
    // The index of a cell format equal to `base` but for the number format, a built-in
    // one (see BuiltInNumberFormat); added when no such format exists yet.
    uint16_t WithNumberFormat(uint16_t base, uint16_t builtInFormat);

private:
    const FontRecord& FontOf(const XfRecord& xf) const;
    uint16_t FindOrAddFont(const FontRecord& font);
    XfRecord CellFormatFrom(uint16_t base) const;
    uint16_t FindOrAdd(const XfRecord& xf);

    std::vector<FontRecord> fonts_;
    std::vector<XfRecord> formats_;
    std::map<uint16_t, std::string> numberFormats_;
    // One past the highest format index referred to; new cells take kDefaultCellFormat.
    size_t referencedEnd_ = kDefaultCellFormat + 1;
};

}  // namespace tabvex::xls
