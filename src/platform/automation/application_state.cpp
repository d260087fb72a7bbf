#include "platform/automation/application_state.h"

#include <algorithm>

#include "platform/automation/automation_failure.h"

namespace tabvex::automation {

void ApplicationState::CheckRunning() const {
    if (quit) RaiseDisconnected();
}

void ApplicationState::Adopt(const std::shared_ptr<WorkbookDocument>& workbook) {
    workbooks.push_back(workbook);
    active = workbook;
}

void ApplicationState::Discard(const std::shared_ptr<WorkbookDocument>& workbook) {
    workbook->Close();
    std::erase(workbooks, workbook);
    if (active == workbook) active = workbooks.empty() ? nullptr : workbooks.back();
}

std::shared_ptr<WorkbookDocument> ApplicationState::FindOpen(const std::filesystem::path& path) const {
    std::error_code ignored;
    const auto wanted = std::filesystem::weakly_canonical(path, ignored);
    const auto same = std::find_if(workbooks.begin(), workbooks.end(), [&](const auto& workbook) {
        return !workbook->Path().empty() && std::filesystem::weakly_canonical(workbook->Path(), ignored) == wanted;
    });
    return same == workbooks.end() ? nullptr : *same;
}

}  // namespace tabvex::automation
