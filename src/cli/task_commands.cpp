// tabvex-cli migrate: queues the migration the window would queue for a source
// database and a workbook, runs it on the worker and reports as the Log does.
#include <filesystem>
#include <iostream>
#include <optional>

#include "cli/cli_command.h"
#include "cli/cli_connect.h"
#include "cli/command_line.h"
#include "cli/task_console.h"
#include "cli/task_report.h"
#include "cli/usage_error.h"
#include "platform/files/file_ending.h"
#include "tasks/bodies/migrate_command.h"
#include "tasks/bodies/task_bodies.h"

namespace tabvex::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kMigrateUsage =
    "[--program-dir DIR] [ROUTE OPTIONS] [--split-long-tables] [--verify] [--binary-files] [--replace] "
    "[--no-trace] [--quiet] [--log] [--json] SOURCE.mdb TARGET.xls [--table NAME]";

struct MigrateArguments {
    com::ProgramFolders folders;
    SideRoutes routes;
    ReportOptions report;
    std::string source;
    std::string target;
    std::optional<std::string> table;
    connect::Options options;
};

MigrateArguments ParseMigrateArguments(std::vector<std::string> args) {
    const SideRoutes routes = TakeRouteOptions(args);
    const ReportOptions report = TakeReportOptions(args);
    connect::Options options;
    options.splitLongTables = TakeFlag(args, "--split-long-tables");
    options.verifyAfterWriting = TakeFlag(args, "--verify");
    options.binaryFiles = TakeFlag(args, "--binary-files");
    options.overwriteTable = TakeFlag(args, "--replace");
    options.traceFiles = !TakeFlag(args, "--no-trace");
    const auto table = TakeOption(args, "--table");
    com::ProgramFolders folders = TakeProgramFolders(args);
    const auto files = FileArguments(args, {"SOURCE", "TARGET"}, 2);
    RequireWorkbook(files[1], "TARGET");
    // Absolute, so that the names mean the same files to every part of the program.
    return MigrateArguments{std::move(folders), routes,   report, fs::absolute(files[0]).string(),
                            fs::absolute(files[1]).string(), table, options};
}

// A new workbook: the clone the window queues for a source database dropped on the
// target's root, named after TARGET. The target side points at TARGET so that the
// body creates it there and then connects it.
void QueueClone(shell::Program& program, const std::string& target, const SideRoute& route) {
    ConfigureSide(program.sides().target().settings(), route, target);
    const auto& tree = program.sides().source().tree();
    tasks::TaskNames names;
    names.sourceDatabase = tree.node(tree.remembered().currentDatabase).text;
    names.targetDatabase = files::WithoutFileEnding(target, files::kWorkbookEndings);
    tasks::QueueMigrationTask(program.output(), program.sides(), program.engine(), tasks::TaskType::CloneDatabase, std::move(names));
}

// One table the source tree leaves out (a name with blanks): queued with the names
// the command gives a table node.
void QueueLeftOutTable(shell::Program& program, const std::string& table) {
    const auto& source = program.sides().source().tree();
    const auto& target = program.sides().target().tree();
    tasks::TaskNames names;
    names.sourceObject = table;
    names.sourceDatabase = source.node(source.remembered().currentDatabase).text;
    names.targetDatabase = target.node(target.remembered().currentDatabase).text;
    tasks::QueueMigrationTask(program.output(), program.sides(), program.engine(), tasks::TaskType::MigrateTable, std::move(names));
}

// An existing workbook: the source database, or one of its tables, selected in the
// source tree and the workbook's database node in the target tree, then the
// Migrate command.
void QueueIntoWorkbook(shell::Program& program, const std::optional<std::string>& table) {
    auto& source = program.sides().source().tree();
    const browser::NodeId sourceNode = table ? FindObject(source, *table) : source.remembered().currentDatabase;
    if (sourceNode == browser::kNoNode) {
        QueueLeftOutTable(program, *table);
        return;
    }
    source.Select(sourceNode);
    program.sides().target().tree().Select(program.sides().target().tree().remembered().currentDatabase);
    tasks::MigrateCommand(program.output(), program.sides(), program.engine());
}

int RunMigrate(const std::vector<std::string>& args) {
    const MigrateArguments parsed = ParseMigrateArguments(args);
    std::error_code exists;
    const bool newWorkbook = !fs::exists(parsed.target, exists);
    if (newWorkbook && parsed.table) throw UsageError("\"--table\" needs an existing TARGET workbook");
    app::ConsoleAnswers answers;
    answers.agree = true;  // the command line is the confirmation
    TaskConsole console(parsed.report, answers);
    shell::Program program(console, parsed.folders);
    program.options().Set(parsed.options);
    tasks::RegisterTaskBodies(program.engine());
    UseConsoleTimings(program);
    const auto& tasks = program.engine().taskList();
    if (!ConnectFile(program, parsed.source, false, parsed.routes.source)) return FinishTaskCommand(tasks, parsed.report, 1);
    if (newWorkbook) {
        QueueClone(program, parsed.target, parsed.routes.target);
    } else if (ConnectFile(program, parsed.target, true, parsed.routes.target)) {
        QueueIntoWorkbook(program, parsed.table);
    } else {
        return FinishTaskCommand(tasks, parsed.report, 1);
    }
    return FinishTaskCommand(tasks, parsed.report, WaitForTasks(program, console));
}

const CliCommandRegistration kMigrate{{
    "migrate",
    kMigrateUsage,
    "migrate an Access database (or one --table) into a workbook; a new TARGET is created",
    "                       lines as the Log shows them; exit 0 SUCCESS, 1 FAILURE, 2 usage error;\n"
    "                       conditions come from Condition.cfg (see config-show);\n"
    "                       --split-long-tables: rows past a worksheet's 65,535 continue on new\n"
    "                       sheets named after it (\"Orders__2_\", ...), each with the header row;\n"
    "                       --verify reads every table back from the saved workbook and compares it;\n"
    "                       --binary-files saves binary values a cell cannot hold as files in\n"
    "                       TARGET.xls.files/TABLE/COLUMN-ROW.EXT, the cell naming the file;\n"
    "                       --replace replaces a table's sheet that TARGET already has; the old\n"
    "                       sheet stays when the new one does not arrive whole;\n"
    "                       --no-trace: no copy of each statement in data_cache;\n" +
        std::string(kReportOptionsHelp) + kJsonOptionHelp + kRouteOptionsHelp,
    RunMigrate,
}};

}  // namespace
}  // namespace tabvex::cli
