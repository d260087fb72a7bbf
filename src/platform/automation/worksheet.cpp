#include "platform/automation/worksheet.h"

#include <algorithm>

#include "platform/automation/application_state.h"
#include "platform/automation/automation_failure.h"

namespace tabvex::automation {
namespace {

CellRange AddressedRange(const Variant& address) {
    if (!address.IsText()) RaiseTypeMismatch();
    const std::string text = address.ToText();
    const auto range = ParseA1Range(text);
    if (!range) RaiseMethodFailed("Range", "_Worksheet", "'" + text + "' is not a cell address");
    return *range;
}

CellRange Spanning(const CellRange& a, const CellRange& b) {
    return {std::min(a.firstRow, b.firstRow), std::min(a.firstColumn, b.firstColumn),
            std::max(a.lastRow, b.lastRow), std::max(a.lastColumn, b.lastColumn)};
}

}  // namespace

WorkbookDocument& Worksheet::Document() const {
    document_->CheckOpen();
    if (document_->PositionOf(sheet_) == 0) RaiseDisconnected();
    return *document_;
}

std::string Worksheet::Name() const { return Document().SheetName(sheet_); }

void Worksheet::SetName(const std::string& name) { Document().RenameSheet(sheet_, name); }

int Worksheet::Index() const { return Document().PositionOf(sheet_); }

void Worksheet::Activate() {
    Document().Activate(sheet_);
    state_->active = document_;
}

void Worksheet::Delete() {
    auto& document = Document();
    if (document.SheetCount() == 1) {
        RaiseMethodFailed("Delete", "Worksheet", "a workbook must keep at least one sheet");
    }
    document.DeleteSheet(sheet_);
}

automation::Range Worksheet::UsedRange() const {
    return automation::Range(document_, sheet_, Document().UsedRange(sheet_));
}

bool Worksheet::IsBlank() const { return Document().IsBlank(sheet_); }

void Worksheet::AddName(const std::string& name, const std::string& address, bool visible) {
    Document().DefineLocalName(name, sheet_, AddressedRange(address), !visible);
}

bool Worksheet::HasName(const std::string& name) const { return Document().HasLocalName(sheet_, name); }

automation::Range Worksheet::Range(const Variant& cell1, const Variant& cell2) const {
    Document();
    CellRange range = AddressedRange(cell1);
    if (!cell2.IsMissing()) range = Spanning(range, AddressedRange(cell2));
    return automation::Range(document_, sheet_, range);
}

}  // namespace tabvex::automation
