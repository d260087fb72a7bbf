#include "platform/automation/range_target.h"

#include "platform/automation/automation_failure.h"

namespace tabvex::automation {

WorkbookDocument& RangeTarget::Document() const {
    document->CheckOpen();
    if (document->PositionOf(sheet) == 0) RaiseDisconnected();
    return *document;
}

xls::CellFormat RangeTarget::TopLeftStyle() const { return Document().StyleAt(sheet, cells.firstRow, cells.firstColumn); }

void RangeTarget::Edit(const StyleEdit& edit) const { Document().EditStyles(sheet, cells, edit); }

}  // namespace tabvex::automation
