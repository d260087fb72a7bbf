// What one server instance holds: its switches and the workbooks it has open,
// shared by every object handed out from it.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "platform/automation/workbook_document.h"

namespace tabvex::automation {

struct ApplicationState {
    bool visible = false;
    bool displayAlerts = true;
    bool quit = false;
    std::vector<std::shared_ptr<WorkbookDocument>> workbooks;  // in the order they were opened
    std::shared_ptr<WorkbookDocument> active;
    int nextBookNumber = 1;

    // Raises once the server has quit.
    void CheckRunning() const;
    void Adopt(const std::shared_ptr<WorkbookDocument>& workbook);
    // Closes the workbook without saving and forgets it; the last one opened becomes active.
    void Discard(const std::shared_ptr<WorkbookDocument>& workbook);
    std::shared_ptr<WorkbookDocument> FindOpen(const std::filesystem::path& path) const;
};

}  // namespace tabvex::automation
