#include "platform/automation/names.h"

#include <algorithm>
#include <strings.h>

#include "platform/automation/automation_failure.h"
#include "platform/automation/workbook_document.h"

namespace tabvex::automation {
namespace {

DefinedName ByFormula(const std::shared_ptr<WorkbookDocument>& document, const std::string& formula) {
    for (const auto& name : document->NameList()) {
        if (strcasecmp(document->NameFormula(name).c_str(), formula.c_str()) == 0) return DefinedName(document, name);
    }
    RaiseBadIndex("No defined name refers to " + formula + ".");
}

}  // namespace

int Names::Count() const {
    document_->CheckOpen();
    return static_cast<int>(document_->NameList().size());
}

DefinedName Names::Item(const Variant& index, const Variant& indexLocal, const Variant& refersTo) const {
    document_->CheckOpen();
    const Variant& key = index.IsMissing() ? indexLocal : index;
    if (key.IsMissing()) {
        if (refersTo.IsMissing()) RaiseBadIndex("Give a defined name, its position or its formula.");
        return ByFormula(document_, refersTo.ToText());
    }
    const auto names = document_->NameList();
    if (key.IsText()) {
        const std::string wanted = key.ToText();
        const auto found = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
            return strcasecmp(name.c_str(), wanted.c_str()) == 0;
        });
        if (found == names.end()) RaiseBadIndex("The workbook has no defined name '" + wanted + "'.");
        return DefinedName(document_, *found);
    }
    if (!key.IsNumber()) RaiseTypeMismatch();
    const int position = key.ToInt32();
    if (position < 1 || position > static_cast<int>(names.size())) {
        RaiseBadIndex("There is no defined name " + std::to_string(position) + ".");
    }
    return DefinedName(document_, names[static_cast<size_t>(position - 1)]);
}

}  // namespace tabvex::automation
