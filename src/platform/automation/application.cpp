#include "platform/automation/application.h"

#include "platform/automation/application_state.h"
#include "platform/automation/automation_failure.h"
#include "platform/automation/workbook.h"

namespace tabvex::automation {

Application::Application() : state_(std::make_shared<ApplicationState>()) {}

bool Application::Visible() const {
    state_->CheckRunning();
    return state_->visible;
}

void Application::SetVisible(bool visible) {
    state_->CheckRunning();
    state_->visible = visible;
}

bool Application::DisplayAlerts() const {
    state_->CheckRunning();
    return state_->displayAlerts;
}

void Application::SetDisplayAlerts(bool displayAlerts) {
    state_->CheckRunning();
    state_->displayAlerts = displayAlerts;
}

automation::Window Application::ActiveWindow() const {
    state_->CheckRunning();
    if (!state_->active) {
        throw AutomationError(XL_E_METHODFAILED, "No workbook is open, so there is no active window.");
    }
    return automation::Window(state_, state_->active);
}

automation::Workbooks Application::Workbooks() const {
    state_->CheckRunning();
    return automation::Workbooks(state_);
}

void Application::Save(const Variant& fileName) {
    state_->CheckRunning();
    if (!state_->active) RaiseMethodFailed("Save", "Application", "no workbook is open");
    Workbook workbook(state_, state_->active);
    if (fileName.IsMissing()) {
        workbook.Save();
    } else {
        SaveAsArguments arguments;
        arguments.fileName = fileName;
        workbook.SaveAs(arguments);
    }
}

void Application::Quit() {
    state_->CheckRunning();
    while (!state_->workbooks.empty()) state_->Discard(state_->workbooks.back());
    state_->quit = true;
}

}  // namespace tabvex::automation
