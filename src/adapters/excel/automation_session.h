// One run of the "Excel.Application" automation server for one operation: the
// server is created through the class registry, made invisible and silent, given
// the work, and always ends with its workbooks closed and Quit. A failing call of
// the work is shown to the person in two message boxes (the operation in words with
// the code's text, then the server's description) and written to the Log as one
// error line holding both, before the closing.
#pragma once

#include <filesystem>
#include <functional>

#include "app/output.h"
#include "platform/automation/application.h"

namespace tabvex::adapters {

enum class AutomationOutcome {
    NotInstalled,  // no server could be created; the Log says so
    Failed,        // an automation call failed; the boxes were shown, nothing saved
    Done,
};

// `operation` names the work in words ("Format the header rows of [Book.xls]").
AutomationOutcome RunAutomation(app::Output& output, const std::string& operation,
                                const std::function<void(automation::Application&)>& work);

// Opens the workbook file; with `exclusive` a shared workbook is taken into
// exclusive use, so that sheets and names can be deleted.
automation::Workbook OpenWorkbook(automation::Application& excel, const std::filesystem::path& file, bool exclusive);

// Saves the workbook to its file and closes it.
void SaveAndClose(automation::Workbook& workbook);

}  // namespace tabvex::adapters
