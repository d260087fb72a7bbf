// tabvex-cli restore: a backup's tables (the Create Table and data scripts the backup
// wrote) replayed into a workbook, new or existing, as a task on the worker, reported
// as a migration is.
#include <ctime>
#include <filesystem>
#include <memory>

#include "cli/cli_command.h"
#include "cli/cli_connect.h"
#include "cli/command_line.h"
#include "cli/task_console.h"
#include "cli/task_report.h"
#include "cli/usage_error.h"
#include "platform/files/file_ending.h"
#include "tasks/bodies/task_bodies.h"
#include "tasks/worker.h"

namespace tabvex::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRestoreUsage =
    "[--program-dir DIR] [ROUTE OPTIONS] [--replace] [--quiet] [--log] [--json] BACKUP_FOLDER TARGET.xls";

struct RestoreArguments {
    com::ProgramFolders folders;
    SideRoute route;
    ReportOptions report{};
    bool replace = false;
    fs::path backup{};
    std::string target{};
};

bool HoldsTableScripts(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "TABLES", error);
}

// The folder with TABLES/ and DATA/: the one given, or the one database folder a
// whole backup's folder holds.
fs::path DatabaseBackupFolder(const fs::path& given) {
    if (HoldsTableScripts(given)) return given;
    std::vector<fs::path> databases;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(given, error))
        if (HoldsTableScripts(entry.path())) databases.push_back(entry.path());
    if (databases.size() != 1)
        throw UsageError("BACKUP_FOLDER \"" + given.string() + "\" holds no backup's TABLES folder" +
                         (databases.empty() ? "" : " but several databases' backups"));
    return databases.front();
}

RestoreArguments ParseRestoreArguments(std::vector<std::string> args) {
    RestoreArguments parsed{TakeProgramFolders(args), TakeRouteOptions(args).target};
    parsed.report = TakeReportOptions(args);
    parsed.replace = TakeFlag(args, "--replace");
    const auto files = FileArguments(args, {"BACKUP_FOLDER", "TARGET"}, 2);
    RequireWorkbook(files[1], "TARGET");
    parsed.backup = DatabaseBackupFolder(fs::absolute(files[0]));
    parsed.target = fs::absolute(files[1]).string();
    return parsed;
}

void QueueRestore(shell::Program& program, const RestoreArguments& parsed) {
    tasks::TaskNames names;
    names.targetDatabase = files::WithoutFileEnding(parsed.target, files::kWorkbookEndings);
    names.folder = parsed.backup;
    names.replaceSheets = parsed.replace;
    program.engine().taskList().Append(std::make_shared<tasks::MigrationTask>(
        tasks::TaskCategory::Backup, tasks::TaskType::Restore, std::move(names), std::time(nullptr)));
    tasks::StartWorkerAfterNewTasks(program.engine());
}

int RunRestore(const std::vector<std::string>& args) {
    const RestoreArguments parsed = ParseRestoreArguments(args);
    TaskConsole console(parsed.report, app::ConsoleAnswers{});
    shell::Program program(console, parsed.folders);
    tasks::RegisterTaskBodies(program.engine());
    UseConsoleTimings(program);
    std::error_code error;
    if (!fs::exists(parsed.target, error)) {
        // The task creates it where the target side points.
        ConfigureSide(program.sides().target().settings(), parsed.route, parsed.target);
    } else if (!ConnectFile(program, parsed.target, true, parsed.route)) {
        return FinishTaskCommand(program.engine().taskList(), parsed.report, 1);
    }
    QueueRestore(program, parsed);
    return FinishTaskCommand(program.engine().taskList(), parsed.report, WaitForTasks(program, console));
}

const CliCommandRegistration kRestore{{
    "restore",
    kRestoreUsage,
    "replay a backup's tables (TABLES/T.tbl, DATA/T.data) into a workbook; a new TARGET is created",
    "                       BACKUP_FOLDER is a database's folder of a backup (or the backup's folder\n"
    "                       holding one); a table whose sheet TARGET has already fails unless\n"
    "                       --replace drops that sheet first; lines and summary as a migration's;\n"
    "                       exit 0 SUCCESS, 1 FAILURE, 2 usage error;\n" +
        std::string(kReportOptionsHelp) + kJsonOptionHelp + kRouteOptionsHelp,
    RunRestore,
}};

}  // namespace
}  // namespace tabvex::cli
