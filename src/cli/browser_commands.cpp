// tabvex-cli commands of the database trees: `tree` connects a file as the window
// would and prints the tree the fill built, `tables` only its tables' names;
// `condition` runs the migration-condition dialog's Test (and Save) for one table of a
// source database.
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "app/console_user_interface.h"
#include "browser/condition_dialog.h"
#include "browser/tree_text.h"
#include "cli/cli_command.h"
#include "cli/cli_connect.h"
#include "cli/command_line.h"
#include "com/program_folders.h"

namespace tabvex::cli {
namespace {

namespace fs = std::filesystem;

// A file connected as `tree` and `tables` connect it: a workbook as the target, anything
// else as the source.
struct ConnectedFile {
    bool workbook = false;
    const browser::DbTree* tree = nullptr;  // null when the file did not connect
    std::string dbmsName;
};

ConnectedFile ConnectForTree(shell::Program& program, const std::string& name, const SideRoutes& routes) {
    ConnectedFile connected;
    connected.workbook = IsWorkbook(name);
    // Absolute, as migrate and condition name the database: a source table's
    // condition is found under that name.
    const std::string file = connected.workbook ? name : fs::absolute(name).string();
    if (!ConnectFile(program, file, connected.workbook, connected.workbook ? routes.target : routes.source))
        return connected;
    const browser::Side& side = connected.workbook ? program.sides().target() : program.sides().source();
    connected.tree = &side.tree();
    connected.dbmsName = side.settings().dbmsName;
    return connected;
}

nlohmann::json NodeJson(const std::vector<browser::TreeNode>& nodes, browser::NodeId id) {
    const browser::TreeNode& node = nodes[id];
    nlohmann::json children = nlohmann::json::array();
    for (browser::NodeId child : node.children) children.push_back(NodeJson(nodes, child));
    nlohmann::json json = {{"kind", static_cast<int>(node.kind)}, {"text", node.text}, {"children", children}};
    if (!node.condition.empty()) json["condition"] = node.condition;
    return json;
}

void PrintTree(const ConnectedFile& connected, bool json) {
    const auto nodes = connected.tree->nodes();
    if (!json) {
        std::cout << connected.dbmsName << '\n' << browser::TreeText(nodes);
        return;
    }
    nlohmann::json roots = nlohmann::json::array();
    for (browser::NodeId id = 0; id < nodes.size(); ++id)
        if (nodes[id].parent == browser::kNoNode) roots.push_back(NodeJson(nodes, id));
    std::cout << nlohmann::json{{"dbms", connected.dbmsName}, {"nodes", roots}}.dump(2) << '\n';
}

// The tree's tables (a workbook's sheets) in the tree's order.
std::vector<std::string> TableNames(const browser::DbTree& tree) {
    std::vector<std::string> names;
    for (const auto& node : tree.nodes())
        if (node.kind == browser::TreeNodeKind::Table) names.push_back(node.text);
    return names;
}

void PrintTables(const ConnectedFile& connected, bool json) {
    const std::vector<std::string> names = TableNames(*connected.tree);
    if (json) {
        std::cout << nlohmann::json(names).dump(2) << '\n';
        return;
    }
    for (const auto& name : names) std::cout << name << '\n';
}

// `tree` and `tables`: [--program-dir DIR] [ROUTE OPTIONS] [--json] FILE, the
// program's own lines (connecting, errors) on stderr, the answer on stdout.
int RunOnTree(std::vector<std::string> args, void (*print)(const ConnectedFile&, bool)) {
    const SideRoutes routes = TakeRouteOptions(args);
    const com::ProgramFolders folders = TakeProgramFolders(args);
    const bool json = TakeFlag(args, "--json");
    const std::string file = FileArguments(args, {"FILE"}, 1)[0];
    app::ConsoleUserInterface console(std::cerr, {});
    shell::Program program(console, folders);
    const ConnectedFile connected = ConnectForTree(program, file, routes);
    if (!connected.tree) return 1;
    print(connected, json);
    return 0;
}

int RunTree(const std::vector<std::string>& args) { return RunOnTree(args, PrintTree); }

int RunTables(const std::vector<std::string>& args) { return RunOnTree(args, PrintTables); }

struct ConditionArguments {
    com::ProgramFolders folders;
    SideRoute route;
    std::string file{};
    std::string table{};
    std::optional<std::string> condition{};
    bool save = false;
};

ConditionArguments ParseConditionArguments(std::vector<std::string> args) {
    ConditionArguments parsed{TakeProgramFolders(args), TakeRouteOptions(args).source};
    parsed.save = TakeFlag(args, "--save");
    const auto positional = FileArguments(args, {"FILE", "TABLE", "CONDITION"}, 2);
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
    const ConditionArguments parsed = ParseConditionArguments(args);
    app::ConsoleUserInterface console(std::cerr, {});
    shell::Program program(console, parsed.folders);
    if (!ConnectFile(program, parsed.file, false, parsed.route)) return 1;
    auto& tree = program.sides().source().tree();
    const browser::NodeId node = FindObject(tree, parsed.table);
    if (node == browser::kNoNode) {
        std::cerr << "tabvex-cli: the source tree shows no table or view '" << parsed.table << "'\n";
        return 1;
    }
    tree.Select(node);
    auto dialog = browser::OpenConditionDialog(program.output(), program.gate(), program.sides().conditionFile(), tree);
    if (!dialog) return 1;
    if (parsed.condition) dialog->SetCondition(*parsed.condition);
    const bool passed = dialog->Test();
    std::cout << ConsoleText(dialog->result()) << '\n';
    if (passed && parsed.save) {
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
    "[--program-dir DIR] [ROUTE OPTIONS] [--json] FILE",
    "connect an Access database (source) or a workbook (.xls, target) and print its tree",
    "                       first line the DBMS name; then one node per line: indent, kind code, text;\n"
    "                       a source table with a condition (Condition.cfg, see config-show)\n"
    "                       ends in \"  [condition: ...]\"; --json: {\"dbms\", \"nodes\"}, each node\n"
    "                       {\"kind\", \"text\", \"children\"} (and \"condition\");\n" +
        std::string(kRouteOptionsHelp),
    RunTree,
}};

const CliCommandRegistration kTables{{
    "tables",
    "[--program-dir DIR] [ROUTE OPTIONS] [--json] SOURCE.mdb|WORKBOOK.xls",
    "print the tables of an Access database, or the sheets of a workbook, one name per line",
    "                       the names alone, in the tree's order; --json: one JSON array of them;\n" +
        std::string(kRouteOptionsHelp),
    RunTables,
}};

const CliCommandRegistration kCondition{{
    "condition",
    "[--program-dir DIR] [ROUTE OPTIONS] FILE TABLE [CONDITION] [--save]",
    "test a table's migration condition (the stored one without CONDITION); --save keeps it",
    "                       in Condition.cfg (see config-show) when the test succeeds",
    RunCondition,
}};

}  // namespace
}  // namespace tabvex::cli
