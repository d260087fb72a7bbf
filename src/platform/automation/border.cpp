#include "platform/automation/border.h"

#include "platform/automation/automation_failure.h"
#include "platform/automation/excel_constants.h"
#include "platform/automation/format_codes.h"

namespace tabvex::automation {
namespace {

// Sets the cell sides the border covers at a cell's place in the range.
void DrawBorder(int index, std::uint8_t line, xls::Borders& borders, const RangePosition& at) {
    switch (index) {
    case xlEdgeLeft:
        if (at.firstColumn) borders.left = line;
        break;
    case xlEdgeTop:
        if (at.firstRow) borders.top = line;
        break;
    case xlEdgeBottom:
        if (at.lastRow) borders.bottom = line;
        break;
    case xlEdgeRight:
        if (at.lastColumn) borders.right = line;
        break;
    case xlInsideVertical:
        if (!at.firstColumn) borders.left = line;
        if (!at.lastColumn) borders.right = line;
        break;
    case xlInsideHorizontal:
        if (!at.firstRow) borders.top = line;
        if (!at.lastRow) borders.bottom = line;
        break;
    default:
        break;
    }
}

}  // namespace

bool IsBorderIndex(int index) { return index >= xlEdgeLeft && index <= xlInsideHorizontal; }

int Border::LineStyle() const {
    const xls::Borders borders = target_.TopLeftStyle().borders;
    const CellRange& cells = target_.cells;
    switch (index_) {
    case xlEdgeLeft: return ModelLineStyle(borders.left);
    case xlEdgeTop: return ModelLineStyle(borders.top);
    case xlEdgeBottom: return ModelLineStyle(borders.bottom);
    case xlEdgeRight: return ModelLineStyle(borders.right);
    case xlInsideVertical: return cells.ColumnCount() > 1 ? ModelLineStyle(borders.right) : xlLineStyleNone;
    default: return cells.RowCount() > 1 ? ModelLineStyle(borders.bottom) : xlLineStyleNone;
    }
}

void Border::SetLineStyle(int lineStyle) {
    const auto line = StoredLineStyle(lineStyle);
    if (!line) RaisePropertyNotSet("LineStyle", "Border", "unknown line style " + std::to_string(lineStyle));
    target_.Edit([index = index_, line = *line](xls::CellFormat& format, const RangePosition& at) {
        DrawBorder(index, line, format.borders, at);
    });
}

}  // namespace tabvex::automation
