// tabvex-cli backup: queues the backup the window would queue for a workbook (its
// database, or one table) below a chosen folder, runs it on the worker and reports
// as the Log does.
#include <filesystem>
#include <iostream>
#include <optional>
#include <unistd.h>

#include "cli/cli_command.h"
#include "cli/cli_connect.h"
#include "cli/task_console.h"
#include "tasks/bodies/backup_command.h"
#include "tasks/bodies/task_bodies.h"

namespace tabvex::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBackupUsage = "[--program-dir DIR] [ROUTE OPTIONS] TARGET.xls FOLDER [--table NAME]";

struct BackupArguments {
    fs::path programDirectory;
    SideRoute route;
    std::string target;
    fs::path folder;
    std::optional<std::string> table;
};

std::optional<BackupArguments> ParseBackupArguments(std::vector<std::string> args) {
    const auto routes = TakeRouteOptions(args, std::cerr);
    if (!routes) return std::nullopt;
    const auto arguments = ParseTaskArguments(args);
    if (!arguments || !IsWorkbook(arguments->first) || arguments->second.empty()) return std::nullopt;
    // Absolute, so that the names mean the same files to every part of the program.
    return BackupArguments{arguments->programDirectory, routes->target, fs::absolute(arguments->first).string(),
                           fs::absolute(arguments->second),
                           arguments->table};
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
    const auto parsed = ParseBackupArguments(args);
    if (!parsed) {
        std::cerr << "usage: tabvex-cli backup " << kBackupUsage << '\n';
        return 2;
    }
    std::error_code ignored;
    fs::create_directories(parsed->programDirectory, ignored);
    app::ConsoleAnswers answers;
    answers.folder = parsed->folder;  // the folder browser's answer
    TaskConsole console(std::cout, std::cerr, isatty(STDOUT_FILENO) == 1, answers);
    shell::Program program(console, parsed->programDirectory);
    tasks::RegisterTaskBodies(program.engine());
    UseConsoleTimings(program);
    if (!ConnectFile(program, parsed->target, true, parsed->route) || !SelectBackupObject(program, parsed->table))
        return 1;
    tasks::BackupCommand(program.output(), program.sides(), program.engine(), program.backupFolder());
    return WaitForTasks(program);
}

const CliCommandRegistration kBackup{{
    "backup",
    kBackupUsage,
    "back a workbook (or one --table) up as scripts below FOLDER",
    "                       TABLES/T.tbl, DATA/T.data and VIEWS/V.vw per database; lines as the\n"
    "                       Log shows them; exit 0 SUCCESS, 1 FAILURE, 2 usage error;\n" +
        std::string(kRouteOptionsHelp),
    RunBackup,
}};

}  // namespace
}  // namespace tabvex::cli
