// tabvex-cli backup: queues the backup the window would queue for a workbook (its
// database, or one table) below a chosen folder, runs it on the worker and reports
// as the Log does.
#include <filesystem>
#include <iostream>
#include <optional>

#include "cli/cli_command.h"
#include "cli/cli_connect.h"
#include "cli/command_line.h"
#include "cli/task_console.h"
#include "cli/task_report.h"
#include "tasks/bodies/backup_command.h"
#include "tasks/bodies/task_bodies.h"

namespace tabvex::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBackupUsage =
    "[--program-dir DIR] [ROUTE OPTIONS] [--quiet] [--log] [--json] TARGET.xls FOLDER [--table NAME]";

struct BackupArguments {
    com::ProgramFolders folders;
    SideRoute route;
    ReportOptions report;
    std::string target;
    fs::path folder;
    std::optional<std::string> table;
};

BackupArguments ParseBackupArguments(std::vector<std::string> args) {
    const SideRoutes routes = TakeRouteOptions(args);
    const ReportOptions report = TakeReportOptions(args);
    const auto table = TakeOption(args, "--table");
    com::ProgramFolders folders = TakeProgramFolders(args);
    const auto files = FileArguments(args, {"TARGET", "FOLDER"}, 2);
    RequireWorkbook(files[0], "TARGET");
    // Absolute, so that the names mean the same files to every part of the program.
    return BackupArguments{std::move(folders), routes.target, report, fs::absolute(files[0]).string(),
                           fs::absolute(files[1]), table};
}

// Selects the workbook's database node, or the table, in the target tree, as a
// person would before pressing Backup. False when the tree shows no such table.
bool SelectBackupObject(shell::Program& program, const std::optional<std::string>& table) {
    auto& tree = program.sides().target().tree();
    const browser::NodeId node = table ? FindObject(tree, *table) : tree.remembered().currentDatabase;
    if (node == browser::kNoNode) {
        std::cerr << "tabvex-cli: the workbook's tree shows no table '" << table.value_or("") << "'\n";
        return false;
    }
    tree.Select(node);
    return true;
}

int RunBackup(const std::vector<std::string>& args) {
    const BackupArguments parsed = ParseBackupArguments(args);
    app::ConsoleAnswers answers;
    answers.folder = parsed.folder;  // the folder browser's answer
    TaskConsole console(parsed.report, answers);
    shell::Program program(console, parsed.folders);
    tasks::RegisterTaskBodies(program.engine());
    UseConsoleTimings(program);
    if (!ConnectFile(program, parsed.target, true, parsed.route) || !SelectBackupObject(program, parsed.table))
        return FinishTaskCommand(program.engine().taskList(), parsed.report, 1);
    tasks::BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
    return FinishTaskCommand(program.engine().taskList(), parsed.report, WaitForTasks(program, console));
}

const CliCommandRegistration kBackup{{
    "backup",
    kBackupUsage,
    "back a workbook (or one --table) up as scripts below FOLDER",
    "                       TABLES/T.tbl, DATA/T.data and VIEWS/V.vw per database; lines as the\n"
    "                       Log shows them; exit 0 SUCCESS, 1 FAILURE, 2 usage error;\n" +
        std::string(kReportOptionsHelp) + kJsonOptionHelp + kRouteOptionsHelp,
    RunBackup,
}};

}  // namespace
}  // namespace tabvex::cli
