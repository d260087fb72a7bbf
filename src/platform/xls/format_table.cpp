#include "platform/xls/format_table.h"

#include <algorithm>

#include "platform/xls/limits.h"
#include "platform/xls/number_format.h"
#include "platform/xls/xls_error.h"

namespace tabvex::xls {

namespace {
// XF records number fonts skipping index 4, a gap kept from early Excel versions.
size_t FontPosition(uint16_t fontIndex) { return fontIndex < 4 ? fontIndex : size_t(fontIndex) - 1; }
uint16_t FontIndexOf(size_t position) { return uint16_t(position < 4 ? position : position + 1); }
}  // namespace

FormatTable FormatTable::Defaults() {
    FormatTable t;
    t.fonts_.assign(4, FontRecord{});
    t.formats_.assign(15, XfRecord::NormalStyle());
    t.formats_.push_back(XfRecord::DefaultCell());
    return t;
}

const FontRecord& FormatTable::FontOf(const XfRecord& xf) const {
    static const FontRecord kFallback;
    size_t position = FontPosition(xf.FontIndex());
    return position < fonts_.size() ? fonts_[position] : kFallback;
}

CellFormat FormatTable::Describe(uint16_t xfIndex) const {
    const XfRecord xf = xfIndex < formats_.size() ? formats_[xfIndex] : XfRecord::DefaultCell();
    const FontRecord& font = FontOf(xf);
    CellFormat f;
    f.bold = font.Bold();
    f.horizontal = xf.Horizontal();
    f.borders = xf.GetBorders();
    f.fillColour = xf.Fill();
    f.fontPoints = font.height / 20.0;
    return f;
}

std::string FormatTable::NumberFormat(uint16_t xfIndex) const {
    uint16_t index = xfIndex < formats_.size() ? formats_[xfIndex].NumberFormatIndex() : 0;
    auto custom = numberFormats_.find(index);
    return custom != numberFormats_.end() ? custom->second : std::string(BuiltInNumberFormat(index));
}

uint16_t FormatTable::FindOrAddFont(const FontRecord& font) {
    auto it = std::find(fonts_.begin(), fonts_.end(), font);
    if (it != fonts_.end()) return FontIndexOf(size_t(it - fonts_.begin()));
    // Index 4 is never referred to, so the table is padded past it first; a new font
    // also goes after every font a format refers to, so that a format whose font the
    // file lacks (described with the default font) keeps it.
    size_t at = std::max<size_t>(fonts_.size(), 4);
    for (const auto& xf : formats_) at = std::max(at, FontPosition(xf.FontIndex()) + 1);
    if (at >= kMaxFonts) throw XlsError("the workbook has too many fonts");
    fonts_.resize(at, FontRecord{});
    fonts_.push_back(font);
    return FontIndexOf(at);
}

XfRecord FormatTable::CellFormatFrom(uint16_t base) const {
    XfRecord xf = base < formats_.size() ? formats_[base] : XfRecord::DefaultCell();
    xf.MakeCellFormatOf(base < formats_.size() ? base : 0);
    return xf;
}

uint16_t FormatTable::FindOrAdd(const XfRecord& xf) {
    auto it = std::find(formats_.begin(), formats_.end(), xf);
    if (it != formats_.end()) return uint16_t(it - formats_.begin());
    size_t at = std::max(formats_.size(), referencedEnd_);
    if (at >= kMaxCellFormats) throw XlsError("the workbook has too many cell formats (4050)");
    // Indexes referred to but missing from the file become what they were read as.
    formats_.resize(at, XfRecord::DefaultCell());
    formats_.push_back(xf);
    return uint16_t(at);
}

uint16_t FormatTable::WithNumberFormat(uint16_t base, uint16_t builtInFormat) {
    XfRecord xf = CellFormatFrom(base);
    xf.SetNumberFormatIndex(builtInFormat);
    return FindOrAdd(xf);
}

uint16_t FormatTable::Apply(uint16_t base, const CellFormat& format) {
    XfRecord xf = CellFormatFrom(base);
    FontRecord font = FontOf(xf);
    font.weight = format.bold ? FontRecord::kBoldWeight : FontRecord::kNormalWeight;
    font.options = format.bold ? uint16_t(font.options | FontRecord::kBoldFlag)
                               : uint16_t(font.options & ~FontRecord::kBoldFlag);
    if (font != FontOf(xf)) xf.SetFontIndex(FindOrAddFont(font));
    xf.SetHorizontal(format.horizontal);
    xf.SetBorders(format.borders);
    xf.SetFill(format.fillColour);
    return FindOrAdd(xf);
}

}  // namespace tabvex::xls
