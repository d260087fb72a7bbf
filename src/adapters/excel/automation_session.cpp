#include "adapters/excel/automation_session.h"

#include <memory>

#include "app/output_lines.h"
#include "com/automation_error_text.h"
#include "platform/automation/automation_error.h"
#include "platform/registry/class_registry.h"

namespace tabvex::adapters {

namespace {

constexpr const char* kExcelProgId = "Excel.Application";

std::shared_ptr<automation::Application> CreateExcel() {
    std::shared_ptr<oledb::ComObject> object;
    if (oledb::Failed(registry::CreateInstanceByProgId(kExcelProgId, object))) return nullptr;
    return std::dynamic_pointer_cast<automation::Application>(object);
}

void ShowErrorBox(app::Output& output, std::string text) {
    output.ui().ShowMessageBox({std::move(text), app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Error});
}

// Closing after a failure discards every change; a server that fails even to close
// has nothing more to say.
void CloseDiscarding(automation::Application& excel) {
    try {
        excel.Workbooks().Close();
        excel.Quit();
    } catch (const automation::AutomationError&) {
    }
}

}  // namespace

AutomationOutcome RunAutomation(app::Output& output, const std::string& operation,
                                const std::function<void(automation::Application&)>& work) {
    const auto excel = CreateExcel();
    if (!excel) {
        app::WriteOutputLine(output, "Excel not installed, some functions not supported!!!");
        return AutomationOutcome::NotInstalled;
    }
    try {
        excel->SetVisible(false);
        excel->SetDisplayAlerts(false);
        work(*excel);
        excel->Workbooks().Close();
        excel->Quit();
        return AutomationOutcome::Done;
    } catch (const automation::AutomationError& error) {
        const std::string failure = operation + " failed: " + com::AutomationErrorText(error.code());
        app::WriteOutputLine(output, "E::%s: %s", failure.c_str(), error.description().c_str());
        ShowErrorBox(output, failure);
        ShowErrorBox(output, error.description());
        CloseDiscarding(*excel);
        return AutomationOutcome::Failed;
    }
}

automation::Workbook OpenWorkbook(automation::Application& excel, const std::filesystem::path& file, bool exclusive) {
    automation::Workbook workbook = excel.Workbooks().Open(file.string());
    if (exclusive && workbook.MultiUserEditing()) workbook.ExclusiveAccess();
    return workbook;
}

void SaveAndClose(automation::Workbook& workbook) {
    workbook.Save();
    workbook.Close(false);
}

}  // namespace tabvex::adapters
