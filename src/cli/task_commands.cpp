// tabvex-cli migrate: queues the migration the window would queue for a source
// database and a workbook, runs it on the worker and reports as the Log does.
#include <filesystem>
#include <iostream>
#include <optional>
#include <unistd.h>

#include "cli/cli_command.h"
#include "cli/cli_connect.h"
#include "cli/task_console.h"
#include "platform/files/file_ending.h"
#include "tasks/bodies/migrate_command.h"
#include "tasks/bodies/task_bodies.h"

namespace tabvex::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kMigrateUsage =
    "[--program-dir DIR] [ROUTE OPTIONS] [--split-long-tables] [--verify] [--binary-files] [--replace] SOURCE.mdb TARGET.xls "
    "[--table NAME]";

struct MigrateArguments {
    fs::path programDirectory;
    SideRoutes routes;
    std::string source;
    std::string target;
    std::optional<std::string> table;
    bool splitLongTables = false;
    bool verify = false;
    bool binaryFiles = false;
    bool replace = false;
};

std::optional<MigrateArguments> ParseMigrateArguments(std::vector<std::string> args) {
    const auto routes = TakeRouteOptions(args, std::cerr);
    if (!routes) return std::nullopt;
    const bool splitLongTables = TakeFlag(args, "--split-long-tables");
    const bool verify = TakeFlag(args, "--verify");
    const bool binaryFiles = TakeFlag(args, "--binary-files");
    const bool replace = TakeFlag(args, "--replace");
    const auto arguments = ParseTaskArguments(args);
    if (!arguments || !IsWorkbook(arguments->second)) return std::nullopt;
    // Absolute, so that the names mean the same files to every part of the program.
    return MigrateArguments{arguments->programDirectory,
                            *routes,
                            fs::absolute(arguments->first).string(),
                            fs::absolute(arguments->second).string(),
                            arguments->table,
                            splitLongTables,
                            verify,
                            binaryFiles,
                            replace};
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
    const auto parsed = ParseMigrateArguments(args);
    std::error_code exists;
    const bool newWorkbook = parsed && !fs::exists(parsed->target, exists);
    if (!parsed || (newWorkbook && parsed->table)) {
        std::cerr << "usage: tabvex-cli migrate " << kMigrateUsage << '\n';
        return 2;
    }
    std::error_code ignored;
    fs::create_directories(parsed->programDirectory, ignored);
    app::ConsoleAnswers answers;
    answers.agree = true;  // the command line is the confirmation
    TaskConsole console(std::cout, std::cerr, isatty(STDOUT_FILENO) == 1, answers);
    shell::Program program(console, parsed->programDirectory);
    program.options().Update([&](connect::Options& options) {
        options.splitLongTables = parsed->splitLongTables;
        options.verifyAfterWriting = parsed->verify;
        options.binaryFiles = parsed->binaryFiles;
        options.overwriteTable = parsed->replace;
    });
    tasks::RegisterTaskBodies(program.engine());
    UseConsoleTimings(program);
    if (!ConnectFile(program, parsed->source, false, parsed->routes.source)) return 1;
    if (newWorkbook) {
        QueueClone(program, parsed->target, parsed->routes.target);
    } else if (ConnectFile(program, parsed->target, true, parsed->routes.target)) {
        QueueIntoWorkbook(program, parsed->table);
    } else {
        return 1;
    }
    return WaitForTasks(program);
}

const CliCommandRegistration kMigrate{{
    "migrate",
    kMigrateUsage,
    "migrate an Access database (or one --table) into a workbook; a new TARGET is created",
    "                       lines as the Log shows them; exit 0 SUCCESS, 1 FAILURE, 2 usage error;\n"
    "                       conditions come from Condition.cfg in the program folder;\n"
    "                       --split-long-tables: rows past a worksheet's 65,535 continue on new\n"
    "                       sheets named after it (\"Orders__2_\", ...), each with the header row;\n"
    "                       --verify reads every table back from the saved workbook and compares it;\n"
    "                       --binary-files saves binary values a cell cannot hold as files in\n"
    "                       TARGET.xls.files/TABLE/COLUMN-ROW.EXT, the cell naming the file;\n"
    "                       --replace replaces a table's sheet that TARGET already has; the old\n"
    "                       sheet stays when the new one does not arrive whole;\n" +
        std::string(kRouteOptionsHelp),
    RunMigrate,
}};

}  // namespace
}  // namespace tabvex::cli
