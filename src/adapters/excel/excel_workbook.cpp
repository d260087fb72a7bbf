#include "adapters/excel/excel_workbook.h"

#include <unistd.h>

#include <optional>

#include "adapters/excel/automation_session.h"
#include "adapters/excel/leftover_sheet.h"
#include "adapters/excel/side_connection.h"
#include "app/output_lines.h"
#include "com/folders.h"
#include "com/system_error_text.h"
#include "connect/ascii_case.h"
#include "platform/files/file_ending.h"
#include "platform/automation/excel_constants.h"
#include "tasks/engine_turn.h"

namespace tabvex::adapters {

namespace {

// The window's command that opens the connection configuration dialog.
constexpr int kConfigureCommand = 1026;

// The path a side is connected to, without the workbook's ending.
std::string CurrentPath(const app::Migrator& migrator, int side) {
    const auto& tree = side == browser::kSourceSide ? migrator.sourceTree() : migrator.targetTree();
    return tree.connection().databaseName;
}

// A given name without a folder lies beside the current workbook of the side that
// is creating (the source only while the configuration dialog creates it).
std::string GivenWorkbookPath(const app::Migrator& migrator, const std::string& name) {
    const int side = migrator.creationSide().starts_with("Source") ? browser::kSourceSide : browser::kTargetSide;
    const bool hasFolder = name.size() > 1 && name.find_first_of("\\/", 1) != std::string::npos;
    return hasFolder ? name : com::FolderPartOf(CurrentPath(migrator, side), migrator.programDirectory()) + name;
}

std::optional<std::string> ChooseWorkbookPath(app::Migrator& migrator, const std::string& startFolder) {
    auto chosen = migrator.ui().ChooseFile(
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

std::string ConnectedTargetWorkbook(const app::Migrator& migrator) {
    return WorkbookFileOf(migrator.targetSettings(), migrator.targetSettings().catalogName);
}

bool SelectExcelWorkbook(app::Migrator& migrator, int side, const std::string& name) {
    std::string path = name;
    if (path.find_first_of("\\/") == std::string::npos)
        path = com::FolderPartOf(CurrentPath(migrator, browser::kTargetSide), migrator.programDirectory()) + path;
    connect::ConnectionSettings& settings =
        side == browser::kSourceSide ? migrator.sourceSettings() : migrator.targetSettings();
    DisconnectSide(migrator, side);
    settings.catalogName.clear();
    if (connect::IsJetProvider(settings.providerProgId)) {
        settings.sourceName = WorkbookFileOf(settings, path);
    } else {
        settings.catalogName = path;
    }
    ReconnectSide(migrator, side);
    return true;
}

bool CreateExcelWorkbook(app::Migrator& migrator, const std::string& name, bool nameGiven) {
    std::string path;
    if (nameGiven) {
        path = NewWorkbookPath(migrator, migrator.targetSettings(), name);
    } else if (auto chosen = ChooseWorkbookPath(migrator, name)) {
        path = WorkbookFileOf(migrator.targetSettings(), *chosen);
    } else {
        return false;
    }
    app::WriteOutputLine(migrator, "Create Excel xls File [%s]", path.c_str());
    const AutomationOutcome outcome =
        RunAutomation(migrator, "Creating the workbook [" + path + "]",
                      [&](automation::Application& excel) { SaveNewWorkbook(excel, path); });
    if (outcome != AutomationOutcome::Done) return false;
    connect::ConnectionSettings& target = migrator.targetSettings();
    if (!nameGiven && connect::IsJetProvider(target.providerProgId)) {
        target.sourceName = path;
        target.catalogName.clear();
        ReconnectSide(migrator, browser::kTargetSide);
    }
    return true;
}

std::string NewWorkbookPath(const app::Migrator& migrator, const connect::ConnectionSettings& target,
                            const std::string& name) {
    return WorkbookFileOf(target, GivenWorkbookPath(migrator, name));
}

bool DropExcelWorkbook(app::Migrator& migrator, const std::string& database) {
    // The worker may be copying through the target: nothing is dropped under it.
    if (tasks::RefuseWhileTasksRun(migrator)) return false;
    const bool connected = connect::EqualsIgnoringAsciiCase(database, CurrentPath(migrator, browser::kTargetSide));
    if (connected) {
        migrator.ui().ShowMessageBox({"Connected Database Dropped, Please Connect Another!", app::kProgramTitle,
                                      app::MessageButtons::Ok, app::MessageIcon::Warning});
        DisconnectSide(migrator, browser::kTargetSide);
    }
    const std::string file = WorkbookFileOf(migrator.targetSettings(), database);
    if (::unlink(file.c_str()) != 0) {
        // The system's own reason names why (missing file, a read-only folder).
        app::WritePlainOutputLine(migrator, com::SystemErrorText("Drop Database"));
        return false;
    }
    app::WritePlainOutputLine(migrator, "Drop Database SUCCESSFULLY!!!");
    if (connected) migrator.ui().PostCommand(kConfigureCommand);
    return true;
}

bool DropExcelView(app::Migrator& /*migrator*/, const std::string& /*view*/) { return true; }

std::string ExcelViewDefinition(app::Migrator& /*migrator*/, const std::string& /*database*/,
                                const std::string& /*view*/) {
    return {};
}

}  // namespace tabvex::adapters
