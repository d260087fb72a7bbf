#include "platform/automation/range.h"

#include "platform/automation/automation_failure.h"
#include "platform/automation/format_codes.h"

namespace tabvex::automation {

std::string Range::Address() const {
    target_.Document();
    return AbsoluteAddress(target_.cells);
}

Range Range::EntireRow() const {
    target_.Document();
    return Range(target_.document, target_.sheet, target_.cells.EntireRows());
}

int Range::HorizontalAlignment() const { return ModelAlignment(target_.TopLeftStyle().horizontal); }

void Range::SetHorizontalAlignment(int alignment) {
    const auto stored = StoredAlignment(alignment);
    if (!stored) {
        RaisePropertyNotSet("HorizontalAlignment", "Range", "unknown alignment " + std::to_string(alignment));
    }
    target_.Edit([stored = *stored](xls::CellFormat& format, const RangePosition&) { format.horizontal = stored; });
}

automation::Font Range::Font() const {
    target_.Document();
    return automation::Font(target_);
}

Border Range::Borders(int index) const {
    target_.Document();
    if (!IsBorderIndex(index)) RaiseBadIndex("There is no border " + std::to_string(index) + ".");
    return Border(target_, index);
}

automation::Interior Range::Interior() const {
    target_.Document();
    return automation::Interior(target_);
}

Variant Range::Value() const {
    const auto& document = target_.Document();
    if (!target_.cells.IsSingleCell()) {
        throw AutomationError(DISP_E_TYPEMISMATCH,
                              "Type mismatch: the value of " + AbsoluteAddress(target_.cells) +
                                  " is more than one cell; read one cell at a time.");
    }
    return document.CellValue(target_.sheet, target_.cells.firstRow, target_.cells.firstColumn);
}

void Range::SetValue(const Variant& value) {
    auto& document = target_.Document();
    if (value.IsError()) RaiseTypeMismatch();
    const CellRange& cells = target_.cells;
    for (int row = cells.firstRow; row <= cells.lastRow; ++row) {
        for (int column = cells.firstColumn; column <= cells.lastColumn; ++column) {
            document.SetCellValue(target_.sheet, row, column, value);
        }
    }
}

double Range::ColumnWidth() const { return target_.Document().ColumnWidth(target_.sheet, target_.cells.firstColumn); }

void Range::SetColumnWidth(double characters) {
    auto& document = target_.Document();
    if (!(characters >= 0 && characters <= 255)) {
        RaisePropertyNotSet("ColumnWidth", "Range", "a column is from 0 to 255 characters wide");
    }
    document.SetColumnWidth(target_.sheet, target_.cells.firstColumn, target_.cells.lastColumn, characters);
}

void Range::SetName(const std::string& name) {
    target_.Document().DefineName(name, target_.sheet, target_.cells);
}

}  // namespace tabvex::automation
