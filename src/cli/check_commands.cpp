// tabvex-cli check: what a migration of a source database would do to each table,
// found by reading the source once and writing nothing.
#include <filesystem>
#include <iostream>
#include <optional>
#include <nlohmann/json.hpp>

#include "check/check_text.h"
#include "check/source_check.h"
#include "cli/cli_command.h"
#include "cli/cli_connect.h"
#include "cli/command_line.h"
#include "cli/task_console.h"

namespace tabvex::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCheckUsage =
    "[--program-dir DIR] [ROUTE OPTIONS] [--split-long-tables] [--binary-files] [--replace] [--json] SOURCE.mdb "
    "[TARGET.xls] [--table NAME]";

struct CheckArguments {
    com::ProgramFolders folders;
    SideRoutes routes;
    bool json = false;
    std::string source{};
    std::optional<std::string> target{};
    std::optional<std::string> table{};
    bool continueLongTables = false;
    bool binaryFiles = false;
    bool replace = false;
};

CheckArguments ParseCheckArguments(std::vector<std::string> args) {
    CheckArguments parsed{TakeProgramFolders(args), TakeRouteOptions(args)};
    parsed.json = TakeFlag(args, "--json");
    parsed.continueLongTables = TakeFlag(args, "--split-long-tables");
    parsed.binaryFiles = TakeFlag(args, "--binary-files");
    parsed.replace = TakeFlag(args, "--replace");
    parsed.table = TakeOption(args, "--table");
    const auto files = FileArguments(args, {"SOURCE", "TARGET"}, 1);
    parsed.source = fs::absolute(files[0]).string();
    if (files.size() == 2) {
        RequireWorkbook(files[1], "TARGET");
        parsed.target = fs::absolute(files[1]).string();
    }
    return parsed;
}

// The target the tables would go into: an existing workbook, connected; none for a
// new one. False when an existing workbook does not connect.
bool ConnectTarget(shell::Program& program, const CheckArguments& arguments, bool& hasTarget) {
    std::error_code error;
    hasTarget = arguments.target && fs::exists(*arguments.target, error);
    return !hasTarget || ConnectFile(program, *arguments.target, true, arguments.routes.target);
}

check::CheckRequest RequestOf(const shell::Program& program, const CheckArguments& arguments) {
    const auto& tree = program.sides().source().tree();
    check::CheckRequest request;
    request.database = tree.node(tree.remembered().currentDatabase).text;
    request.continueLongTables = arguments.continueLongTables;
    request.binaryFiles = arguments.binaryFiles;
    request.replaceSheets = arguments.replace;
    if (arguments.table) {
        // The table's own spelling, as the migration of that table would name it.
        const browser::NodeId node = FindObject(tree, *arguments.table);
        request.table = node == browser::kNoNode ? *arguments.table : tree.node(node).text;
    }
    return request;
}

nlohmann::json TableJson(const check::TableCheck& table) {
    nlohmann::json longValues = nlohmann::json::array();
    for (const auto& values : table.longValues)
        longValues.push_back({{"column", values.column}, {"count", values.count}, {"binary", values.binary}});
    return {{"table", table.table},
            {"sheet", table.sheet},
            {"condition", table.condition},
            {"rows", table.rows},
            {"sheets", table.sheets},
            {"rows_past_sheet", table.rowsPastSheet},
            {"long_values", longValues},
            {"values_saved_as_files", table.valuesSavedAsFiles},
            {"sheet_taken", table.sheetTaken},
            {"sheet_replaced", table.sheetReplaced},
            {"read_error", table.readError},
            {"whole", table.whole()},
            {"outlook", check::TableOutlook(table)}};
}

void PrintReport(const check::CheckReport& report, bool json) {
    if (!json) {
        for (const auto& table : report.tables) std::cout << check::TableCheckLine(table) << '\n';
        std::cout << check::CheckSummaryLine(report) << '\n';
        return;
    }
    nlohmann::json tables = nlohmann::json::array();
    for (const auto& table : report.tables) tables.push_back(TableJson(table));
    const nlohmann::json document = {{"tables", tables},
                                     {"error", report.error},
                                     {"whole", report.whole()},
                                     {"summary", check::CheckSummaryLine(report)}};
    std::cout << document.dump(2) << '\n';
}

int RunCheck(const std::vector<std::string>& args) {
    const CheckArguments parsed = ParseCheckArguments(args);
    // Only error lines of the Log are shown, on stderr; the report goes to stdout.
    ReportOptions errorsOnly;
    errorsOnly.quiet = true;
    TaskConsole console(errorsOnly, app::ConsoleAnswers{});
    shell::Program program(console, parsed.folders);
    bool hasTarget = false;
    if (!ConnectFile(program, parsed.source, false, parsed.routes.source) || !ConnectTarget(program, parsed, hasTarget))
        return 1;
    const check::CheckReport report = check::CheckSource(program.output(), program.sides().conditionFile(), program.sides().source().holder(), hasTarget ? &program.sides().target().holder() : nullptr, RequestOf(program, parsed));
    PrintReport(report, parsed.json);
    return report.whole() ? 0 : 1;
}

const CliCommandRegistration kCheck{{
    "check",
    kCheckUsage,
    "tell, before migrating, which tables would not arrive whole (reads only)",
    "                       one line per table: its rows, the sheet it becomes when that is another\n"
    "                       name, rows past a worksheet's 65,535, values longer than a cell's 32,767\n"
    "                       characters by column, a sheet of that name already in TARGET; then a\n"
    "                       summary. Conditions come from Condition.cfg (see config-show);\n"
    "                       --split-long-tables, --binary-files, --replace: judged as the migration\n"
    "                       with those options would treat the tables;\n"
    "                       exit 0 all whole, 1 not, 2 usage error; --json: the same report as\n"
    "                       one JSON document (tables, whole, summary);\n" +
        std::string(kRouteOptionsHelp),
    RunCheck,
}};

}  // namespace
}  // namespace tabvex::cli
