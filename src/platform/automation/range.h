// A rectangle of cells on a worksheet: its values, formats, column widths, and
// naming it.
#pragma once

#include <memory>
#include <string>

#include "platform/automation/border.h"
#include "platform/automation/font.h"
#include "platform/automation/interior.h"
#include "platform/automation/range_target.h"
#include "platform/automation/variant.h"

namespace tabvex::automation {

class Range {
public:
    Range(std::shared_ptr<WorkbookDocument> document, WorkbookDocument::SheetRef sheet, const CellRange& cells)
        : target_{std::move(document), std::move(sheet), cells} {}

    std::string Address() const;  // absolute, as "$A$1:$B$2"
    // The whole rows the range lies in.
    Range EntireRow() const;
    int HorizontalAlignment() const;
    // -4108 centres; the other alignments of excel_constants.h are accepted too.
    void SetHorizontalAlignment(int alignment);
    automation::Font Font() const;
    // 7 left edge, 8 top, 9 bottom, 10 right edge, 11 inside verticals, 12 inside horizontals.
    Border Borders(int index) const;
    automation::Interior Interior() const;
    // The value of a one-cell range: empty, a number, a text, a boolean or an error.
    Variant Value() const;
    // Puts the value into every cell of the range; an empty value clears them.
    void SetValue(const Variant& value);
    double ColumnWidth() const;  // of the first column, in characters
    // Sets the width of every column of the range, from 0 to 255 characters.
    void SetColumnWidth(double characters);
    // Defines a workbook-wide name over the range, as "=Orders!$A$1:$C$9".
    void SetName(const std::string& name);

private:
    RangeTarget target_;
};

}  // namespace tabvex::automation
