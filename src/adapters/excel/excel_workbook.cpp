#include "adapters/excel/excel_workbook.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

#include "adapters/excel/automation_session.h"
#include "adapters/excel/leftover_sheet.h"
#include "app/output_lines.h"
#include "com/system_error_text.h"
#include "connect/ascii_case.h"
#include "platform/files/file_ending.h"
#include "platform/automation/excel_constants.h"

namespace tabvex::adapters {

namespace {

// The window's command that opens the connection configuration dialog.
constexpr int kConfigureCommand = 1026;

// A given name without a folder lies beside the target's current workbook.
std::string GivenWorkbookPath(const browser::Sides& sides, const std::string& name) {
    const bool hasFolder = name.size() > 1 && name.find_first_of("\\/", 1) != std::string::npos;
    return hasFolder ? name : sides.PathBesideDatabase(browser::kTargetSide, name);
}

std::optional<std::string> ChooseWorkbookPath(app::Output& output, const std::string& startFolder) {
    auto chosen = output.ui().ChooseFile(
        {"Create Excel Database As", "Excel Data File (*.xls *.XLS)", startFolder, /*forSaving=*/true});
    if (!chosen) return std::nullopt;
    return chosen->string();
}

// A new workbook keeps one of the server's three default sheets, marked as the
// leftover the first table replaces, and is saved as an Excel 97-2003 workbook.
void SaveNewWorkbook(automation::Application& excel, const std::string& path) {
    automation::Workbook book = excel.Workbooks().Add();
    automation::Sheets sheets = book.Sheets();
    sheets.Item(2).Delete();
    sheets.Item(1).Delete();
    automation::Worksheet leftover = sheets.Item(1);
    MarkLeftoverSheet(leftover);
    automation::SaveAsArguments arguments;
    arguments.fileName = path;
    arguments.fileFormat = automation::xlWorkbookNormal;
    arguments.password = "";
    arguments.writeResPassword = "";
    arguments.readOnlyRecommended = 0;
    arguments.createBackup = 0;
    arguments.accessMode = automation::xlShared;
    book.SaveAs(arguments);
    book.SetSaved(true);
    book.Close(false);
}

}  // namespace

std::string WorkbookFileOf(const connect::ConnectionSettings& side, const std::string& database) {
    // Jet names the file as the source name, the ODBC driver as the catalog.
    return files::DatabaseFileOf(database, files::kWorkbookEndings, {side.sourceName, side.catalogName});
}

std::string ConnectedTargetWorkbook(const connect::ConnectionSettings& target) {
    return WorkbookFileOf(target, target.catalogName);
}

std::optional<std::string> WorkbookFolderWriteProblem(const std::string& workbook) {
    if (workbook.empty()) return std::nullopt;
    std::filesystem::path folder = std::filesystem::path(workbook).parent_path();
    if (folder.empty()) folder = ".";
    std::error_code missing;
    if (!std::filesystem::is_directory(folder, missing)) return std::nullopt;
    // access() answers for the process's own rights and a read-only file system alike.
    if (access(folder.c_str(), W_OK | X_OK) == 0) return std::nullopt;
    return "The folder " + folder.string() + " cannot be written (" + std::strerror(errno) +
           "): nothing can be saved into " + workbook + ".";
}

bool SelectExcelWorkbook(browser::Sides& sides, int side, const std::string& name) {
    std::string path = name;
    if (path.find_first_of("\\/") == std::string::npos) path = sides.PathBesideDatabase(browser::kTargetSide, path);
    connect::ConnectionSettings& settings = sides.of(side).settings();
    sides.of(side).Disconnect();
    settings.catalogName.clear();
    if (connect::IsJetProvider(settings.providerProgId)) {
        settings.sourceName = WorkbookFileOf(settings, path);
    } else {
        settings.catalogName = path;
    }
    sides.Reconnect(side);
    return true;
}

bool CreateExcelWorkbook(app::Output& output, browser::Sides& sides, const std::string& name, bool nameGiven) {
    connect::ConnectionSettings& target = sides.target().settings();
    std::string path;
    if (nameGiven) {
        path = NewWorkbookPath(sides, target, name);
    } else if (auto chosen = ChooseWorkbookPath(output, name)) {
        path = WorkbookFileOf(target, *chosen);
    } else {
        return false;
    }
    app::WriteOutputLine(output, "Create Excel xls File [%s]", path.c_str());
    const AutomationOutcome outcome =
        RunAutomation(output, "Creating the workbook [" + path + "]",
                      [&](automation::Application& excel) { SaveNewWorkbook(excel, path); });
    if (outcome != AutomationOutcome::Done) return false;
    if (!nameGiven && connect::IsJetProvider(target.providerProgId)) {
        target.sourceName = path;
        target.catalogName.clear();
        sides.Reconnect(browser::kTargetSide);
    }
    return true;
}

std::string NewWorkbookPath(const browser::Sides& sides, const connect::ConnectionSettings& target,
                            const std::string& name) {
    return WorkbookFileOf(target, GivenWorkbookPath(sides, name));
}

bool DropExcelWorkbook(app::Output& output, app::TaskGate& gate, browser::Sides& sides, const std::string& database) {
    // The worker may be copying through the target: nothing is dropped under it.
    if (gate.RefuseWhileTasksRun()) return false;
    browser::Side& target = sides.target();
    const bool connected = connect::EqualsIgnoringAsciiCase(database, target.tree().connection().databaseName);
    if (connected) {
        output.ui().ShowMessageBox({"Connected Database Dropped, Please Connect Another!", app::kProgramTitle,
                                      app::MessageButtons::Ok, app::MessageIcon::Warning});
        target.Disconnect();
    }
    const std::string file = WorkbookFileOf(target.settings(), database);
    if (::unlink(file.c_str()) != 0) {
        // The system's own reason names why (missing file, a read-only folder).
        app::WritePlainOutputLine(output, com::SystemErrorText("Drop Database"));
        return false;
    }
    app::WritePlainOutputLine(output, "Drop Database SUCCESSFULLY!!!");
    if (connected) output.ui().PostCommand(kConfigureCommand);
    return true;
}

bool DropExcelView(const std::string& /*view*/) { return true; }

std::string ExcelViewDefinition(const std::string& /*database*/, const std::string& /*view*/) { return {}; }

}  // namespace tabvex::adapters
