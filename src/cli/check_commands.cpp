// tabvex-cli check: what a migration of a source database would do to each table,
// found by reading the source once and writing nothing.
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>

#include "check/check_text.h"
#include "check/source_check.h"
#include "cli/cli_command.h"
#include "cli/cli_connect.h"
#include "cli/task_console.h"

namespace tabvex::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCheckUsage =
    "[--program-dir DIR] [ROUTE OPTIONS] [--split-long-tables] [--binary-files] [--replace] SOURCE.mdb [TARGET.xls] "
    "[--table NAME]";

struct CheckArguments {
    TaskArguments files;
    SideRoutes routes;
    bool continueLongTables = false;
    bool binaryFiles = false;
    bool replace = false;
};

std::optional<CheckArguments> ParseCheckArguments(std::vector<std::string> args) {
    const auto routes = TakeRouteOptions(args, std::cerr);
    if (!routes) return std::nullopt;
    const bool continueLongTables = TakeFlag(args, "--split-long-tables");
    const bool binaryFiles = TakeFlag(args, "--binary-files");
    const bool replace = TakeFlag(args, "--replace");
    const auto files = ParseTaskArguments(args, 1);
    if (!files || (!files->second.empty() && !IsWorkbook(files->second))) return std::nullopt;
    return CheckArguments{*files, *routes, continueLongTables, binaryFiles, replace};
}

// The target the tables would go into: an existing workbook, connected; none for a
// new one. False when an existing workbook does not connect.
bool ConnectTarget(shell::Program& program, const CheckArguments& arguments, bool& hasTarget) {
    std::error_code error;
    hasTarget = !arguments.files.second.empty() && fs::exists(arguments.files.second, error);
    return !hasTarget || ConnectFile(program, fs::absolute(arguments.files.second).string(), true,
                                     arguments.routes.target);
}

check::CheckRequest RequestOf(const shell::Program& program, const CheckArguments& arguments) {
    const auto& tree = program.sides().source().tree();
    check::CheckRequest request;
    request.database = tree.node(tree.remembered().currentDatabase).text;
    request.continueLongTables = arguments.continueLongTables;
    request.binaryFiles = arguments.binaryFiles;
    request.replaceSheets = arguments.replace;
    if (arguments.files.table) {
        // The table's own spelling, as the migration of that table would name it.
        const browser::NodeId node = FindObject(tree, *arguments.files.table);
        request.table = node == browser::kNoNode ? *arguments.files.table : tree.node(node).text;
    }
    return request;
}

int RunCheck(const std::vector<std::string>& args) {
    const auto parsed = ParseCheckArguments(args);
    if (!parsed) {
        std::cerr << "usage: tabvex-cli check " << kCheckUsage << '\n';
        return 2;
    }
    // Only error lines of the Log are shown, on stderr; the report goes to stdout.
    std::ostringstream logLines;
    TaskConsole console(logLines, std::cerr, false, app::ConsoleAnswers{});
    shell::Program program(console, parsed->files.programDirectory);
    bool hasTarget = false;
    if (!ConnectFile(program, fs::absolute(parsed->files.first).string(), false, parsed->routes.source) ||
        !ConnectTarget(program, *parsed, hasTarget))
        return 1;
    const check::CheckReport report = check::CheckSource(program.output(), program.sides().conditionFile(), program.sides().source().holder(), hasTarget ? &program.sides().target().holder() : nullptr, RequestOf(program, *parsed));
    for (const auto& table : report.tables) std::cout << check::TableCheckLine(table) << '\n';
    std::cout << check::CheckSummaryLine(report) << '\n';
    return report.whole() ? 0 : 1;
}

const CliCommandRegistration kCheck{{
    "check",
    kCheckUsage,
    "tell, before migrating, which tables would not arrive whole (reads only)",
    "                       one line per table: its rows, the sheet it becomes when that is another\n"
    "                       name, rows past a worksheet's 65,535, values longer than a cell's 32,767\n"
    "                       characters by column, a sheet of that name already in TARGET; then a\n"
    "                       summary. Conditions come from Condition.cfg in the program folder;\n"
    "                       --split-long-tables, --binary-files, --replace: judged as the migration\n"
    "                       with those options would treat the tables;\n"
    "                       exit 0 all whole, 1 not, 2 usage error;\n" +
        std::string(kRouteOptionsHelp),
    RunCheck,
}};

}  // namespace
}  // namespace tabvex::cli
