#include "platform/automation/defined_name.h"

#include "platform/automation/automation_failure.h"
#include "platform/automation/workbook_document.h"

namespace tabvex::automation {

WorkbookDocument& DefinedName::Document() const {
    document_->CheckOpen();
    if (!document_->HasName(name_)) RaiseDisconnected();
    return *document_;
}

std::string DefinedName::Name() const {
    Document();
    return name_;
}

std::string DefinedName::Value() const { return Document().NameFormula(name_); }

void DefinedName::Delete() { Document().DeleteName(name_); }

}  // namespace tabvex::automation
