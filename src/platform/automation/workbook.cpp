#include "platform/automation/workbook.h"

#include "platform/automation/application_state.h"
#include "platform/automation/automation_failure.h"
#include "platform/automation/excel_constants.h"
#include "platform/automation/workbook_document.h"

namespace tabvex::automation {
namespace {

bool Given(const Variant& argument) { return !argument.IsMissing(); }

// Refuses what this server cannot write instead of silently leaving it out.
void CheckWritableOptions(const SaveAsArguments& arguments) {
    if (Given(arguments.fileFormat)) {
        const int format = arguments.fileFormat.ToInt32();
        if (format != xlWorkbookNormal && format != xlExcel8) {
            RaiseMethodFailed("SaveAs", "Workbook",
                              "file format " + std::to_string(format) + " cannot be written; use -4143");
        }
    }
    if ((Given(arguments.password) && !arguments.password.ToText().empty()) ||
        (Given(arguments.writeResPassword) && !arguments.writeResPassword.ToText().empty())) {
        RaiseMethodFailed("SaveAs", "Workbook", "password-protected workbooks cannot be written");
    }
    if (Given(arguments.readOnlyRecommended) && arguments.readOnlyRecommended.ToBool()) {
        RaiseMethodFailed("SaveAs", "Workbook", "the read-only recommendation cannot be written");
    }
    if (Given(arguments.accessMode)) {
        const int mode = arguments.accessMode.ToInt32();
        if (mode != xlNoChange && mode != xlShared && mode != xlExclusive) {
            RaiseMethodFailed("SaveAs", "Workbook", "unknown access mode " + std::to_string(mode));
        }
    }
}

}  // namespace

const WorkbookDocument& Workbook::Document() const {
    document_->CheckOpen();
    return *document_;
}

WorkbookDocument& Workbook::Document() {
    document_->CheckOpen();
    return *document_;
}

std::string Workbook::Name() const { return Document().Name(); }

std::string Workbook::FullName() const {
    const auto& document = Document();
    return document.Path().empty() ? document.Name() : document.Path().string();
}

automation::Sheets Workbook::Sheets() const {
    Document();
    return automation::Sheets(state_, document_);
}

automation::Names Workbook::Names() const {
    Document();
    return automation::Names(document_);
}

bool Workbook::MultiUserEditing() const { return Document().Shared(); }

bool Workbook::ExclusiveAccess() {
    auto& document = Document();
    if (!document.Shared()) RaiseMethodFailed("ExclusiveAccess", "Workbook", "the workbook is not shared");
    document.SetShared(false);
    return true;
}

void Workbook::Activate() {
    Document();
    state_->active = document_;
}

void Workbook::Save() { Document().Save(); }

bool Workbook::Saved() const { return Document().Saved(); }

void Workbook::SetSaved(bool saved) { Document().SetSaved(saved); }

void Workbook::SaveAs(const SaveAsArguments& arguments) {
    auto& document = Document();
    if (!Given(arguments.fileName) || arguments.fileName.ToText().empty()) {
        RaiseMethodFailed("SaveAs", "Workbook", "no file name was given");
    }
    CheckWritableOptions(arguments);
    const bool backup = Given(arguments.createBackup) && arguments.createBackup.ToBool();
    document.SaveAs(arguments.fileName.ToText(), backup);
    if (Given(arguments.accessMode) && arguments.accessMode.ToInt32() != xlNoChange) {
        document.SetShared(arguments.accessMode.ToInt32() == xlShared);
    }
}

void Workbook::Close(const Variant& saveChanges, const Variant& fileName, const Variant& /*routeWorkbook*/) {
    auto& document = Document();
    if (Given(saveChanges) && saveChanges.ToBool() && !document.Saved()) {
        if (Given(fileName)) {
            SaveAsArguments arguments;
            arguments.fileName = fileName;
            SaveAs(arguments);
        } else {
            document.Save();
        }
    }
    state_->Discard(document_);
}

}  // namespace tabvex::automation
