// tabvex-cli commands of the database trees: `tree` connects a file as the window
// would and prints the tree the fill built; `condition` runs the migration-condition
// dialog's Test (and Save) for one table of a source database.
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "app/console_user_interface.h"
#include "browser/condition_dialog.h"
#include "browser/tree_text.h"
#include "cli/cli_command.h"
#include "cli/cli_connect.h"
#include "com/program_directory.h"

namespace tabvex::cli {
namespace {

namespace fs = std::filesystem;

// Takes "--program-dir DIR" out of the arguments; the default program folder without it.
std::optional<fs::path> TakeProgramDirectory(std::vector<std::string>& args) {
    const auto option = std::find(args.begin(), args.end(), "--program-dir");
    if (option == args.end()) return com::DefaultProgramDirectory();
    if (option + 1 == args.end()) return std::nullopt;
    const fs::path directory = fs::absolute(*(option + 1));
    args.erase(option, option + 2);
    return directory;
}

int RunTree(std::vector<std::string> args) {
    const auto routes = TakeRouteOptions(args, std::cerr);
    const auto programDirectory = TakeProgramDirectory(args);
    if (!routes || !programDirectory || args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        std::cerr << "usage: tabvex-cli tree [--program-dir DIR] [ROUTE OPTIONS] FILE\n";
        return 2;
    }
    // The program's own lines (connecting, errors) go to stderr, the tree to stdout.
    app::ConsoleUserInterface console(std::cerr, {});
    shell::Program program(console, *programDirectory);
    const bool workbook = IsWorkbook(args[0]);
    // Absolute, as migrate and condition name the database: a source table's
    // condition is found under that name.
    const std::string file = workbook ? args[0] : fs::absolute(args[0]).string();
    if (!ConnectFile(program, file, workbook, workbook ? routes->target : routes->source)) return 1;
    const auto& settings = workbook ? program.sides().target().settings() : program.sides().source().settings();
    const auto& tree = workbook ? program.sides().target().tree() : program.sides().source().tree();
    std::cout << settings.dbmsName << '\n' << browser::TreeText(tree.nodes());
    return 0;
}

struct ConditionArguments {
    fs::path programDirectory = com::DefaultProgramDirectory();
    SideRoute route;
    std::string file;
    std::string table;
    std::optional<std::string> condition;
    bool save = false;
};

std::optional<ConditionArguments> ParseConditionArguments(std::vector<std::string> args) {
    const auto routes = TakeRouteOptions(args, std::cerr);
    if (!routes) return std::nullopt;
    ConditionArguments parsed;
    parsed.route = routes->source;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--save") {
            parsed.save = true;
        } else if (args[i] == "--program-dir" && i + 1 < args.size()) {
            parsed.programDirectory = fs::absolute(args[++i]);
        } else if (args[i].rfind("--", 0) == 0) {
            return std::nullopt;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() < 2 || positional.size() > 3) return std::nullopt;
    // Absolute, so that a condition is kept under the database name migrate reads it by.
    parsed.file = fs::absolute(positional[0]).string();
    parsed.table = positional[1];
    if (positional.size() == 3) parsed.condition = positional[2];
    return parsed;
}

// The result box's text with the console's line breaks.
std::string ConsoleText(std::string text) {
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
    return text;
}

int RunCondition(const std::vector<std::string>& args) {
    const auto parsed = ParseConditionArguments(args);
    if (!parsed) {
        std::cerr << "usage: tabvex-cli condition [--program-dir DIR] [ROUTE OPTIONS] FILE TABLE [CONDITION] [--save]\n";
        return 2;
    }
    std::error_code ignored;
    fs::create_directories(parsed->programDirectory, ignored);
    app::ConsoleUserInterface console(std::cerr, {});
    shell::Program program(console, parsed->programDirectory);
    if (!ConnectFile(program, parsed->file, false, parsed->route)) return 1;
    auto& tree = program.sides().source().tree();
    const browser::NodeId node = FindObject(tree, parsed->table);
    if (node == browser::kNoNode) {
        std::cerr << "tabvex-cli: the source tree shows no table or view '" << parsed->table << "'\n";
        return 1;
    }
    tree.Select(node);
    auto dialog = browser::OpenConditionDialog(program.output(), program.gate(), program.sides().conditionFile(), tree);
    if (!dialog) return 1;
    if (parsed->condition) dialog->SetCondition(*parsed->condition);
    const bool passed = dialog->Test();
    std::cout << ConsoleText(dialog->result()) << '\n';
    if (passed && parsed->save) {
        if (!dialog->Save()) {
            std::cout << ConsoleText(dialog->result()) << '\n';
            return 1;
        }
        std::cout << "Saved in " << program.sides().conditionFile().string() << '\n';
    }
    return passed ? 0 : 1;
}

const CliCommandRegistration kTree{{
    "tree",
    "[--program-dir DIR] [ROUTE OPTIONS] FILE",
    "connect an Access database (source) or a workbook (.xls, target) and print its tree",
    "                       first line the DBMS name; then one node per line: indent, kind code, text;\n"
    "                       a source table with a condition (Condition.cfg in the program folder)\n"
    "                       ends in \"  [condition: ...]\";\n" +
        std::string(kRouteOptionsHelp),
    RunTree,
}};

const CliCommandRegistration kCondition{{
    "condition",
    "[--program-dir DIR] [ROUTE OPTIONS] FILE TABLE [CONDITION] [--save]",
    "test a table's migration condition (the stored one without CONDITION); --save keeps it",
    "                       in Condition.cfg of the program folder when the test succeeds",
    RunCondition,
}};

}  // namespace
}  // namespace tabvex::cli
