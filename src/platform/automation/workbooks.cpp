#include "platform/automation/workbooks.h"

#include <strings.h>

#include "platform/automation/application_state.h"
#include "platform/automation/automation_failure.h"
#include "platform/automation/workbook_document.h"

namespace tabvex::automation {
namespace {

constexpr int xlWBATWorksheet = -4167;

}  // namespace

int Workbooks::Count() const {
    state_->CheckRunning();
    return static_cast<int>(state_->workbooks.size());
}

Workbook Workbooks::Item(const Variant& index) const {
    state_->CheckRunning();
    if (index.IsText()) {
        const std::string name = index.ToText();
        for (const auto& workbook : state_->workbooks) {
            if (strcasecmp(workbook->Name().c_str(), name.c_str()) == 0) return Workbook(state_, workbook);
        }
        RaiseBadIndex("No workbook named '" + name + "' is open.");
    }
    if (!index.IsNumber()) RaiseTypeMismatch();
    const int position = index.ToInt32();
    if (position < 1 || position > Count()) RaiseBadIndex("There is no workbook " + std::to_string(position) + ".");
    return Workbook(state_, state_->workbooks[static_cast<size_t>(position - 1)]);
}

Workbook Workbooks::Open(const std::string& fileName, const OpenArguments& arguments) {
    state_->CheckRunning();
    if (auto open = state_->FindOpen(fileName)) {
        state_->active = open;
        return Workbook(state_, open);
    }
    const bool readOnly = !arguments.readOnly.IsMissing() && arguments.readOnly.ToBool();
    auto workbook = WorkbookDocument::Open(fileName, readOnly);
    state_->Adopt(workbook);
    return Workbook(state_, workbook);
}

Workbook Workbooks::Add(const Variant& templateKind) {
    state_->CheckRunning();
    const bool oneSheet = !templateKind.IsMissing() && templateKind.IsNumber() && templateKind.ToInt32() == xlWBATWorksheet;
    if (!templateKind.IsMissing() && !oneSheet) {
        RaiseMethodFailed("Add", "Workbooks", "only a default workbook or a single worksheet can be made");
    }
    auto workbook = WorkbookDocument::CreateNew("Book" + std::to_string(state_->nextBookNumber++));
    if (oneSheet) {
        workbook->DeleteSheet(workbook->SheetAt(3));
        workbook->DeleteSheet(workbook->SheetAt(2));
        workbook->SetSaved(true);
    }
    state_->Adopt(workbook);
    return Workbook(state_, workbook);
}

void Workbooks::Close() {
    state_->CheckRunning();
    while (!state_->workbooks.empty()) state_->Discard(state_->workbooks.back());
}

}  // namespace tabvex::automation
