// The cells a Range and its Font, Borders and Interior act on: a rectangle of
// one sheet of one open workbook.
#pragma once

#include <memory>

#include "platform/automation/cell_range.h"
#include "platform/automation/style_edit.h"
#include "platform/automation/workbook_document.h"

namespace tabvex::automation {

struct RangeTarget {
    std::shared_ptr<WorkbookDocument> document;
    WorkbookDocument::SheetRef sheet;
    CellRange cells;

    // Raises when the workbook was closed or the sheet deleted.
    WorkbookDocument& Document() const;
    // What a property reads for the whole range: the value of its top-left cell.
    xls::CellFormat TopLeftStyle() const;
    void Edit(const StyleEdit& edit) const;
};

}  // namespace tabvex::automation
