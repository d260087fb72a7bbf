#include "platform/automation/sheets.h"

#include "platform/automation/automation_failure.h"
#include "platform/automation/workbook_document.h"

namespace tabvex::automation {

int Sheets::Count() const {
    document_->CheckOpen();
    return document_->SheetCount();
}

Worksheet Sheets::Item(const Variant& index) const {
    document_->CheckOpen();
    if (index.IsText()) {
        const std::string name = index.ToText();
        auto sheet = document_->FindSheet(name);
        if (!sheet) RaiseBadIndex("The workbook has no sheet named '" + name + "'.");
        return Worksheet(state_, document_, std::move(sheet));
    }
    if (!index.IsNumber()) RaiseTypeMismatch();
    const int position = index.ToInt32();
    auto sheet = document_->SheetAt(position);
    if (!sheet) {
        RaiseBadIndex("The workbook has " + std::to_string(Count()) + " sheets; there is no sheet " +
                      std::to_string(position) + ".");
    }
    return Worksheet(state_, document_, std::move(sheet));
}

Worksheet Sheets::Add() const {
    document_->CheckOpen();
    return Worksheet(state_, document_, document_->AddSheet());
}

}  // namespace tabvex::automation
