#include "check/check_dialog.h"

#include "tasks/bodies/migrate_command.h"

namespace tabvex::check {

namespace {

using browser::TreeNodeKind;

// The request a node stands for: a database (or its tables folder) means all its
// tables, a table itself; nullopt for any other node.
std::optional<CheckRequest> RequestOf(const browser::DbTree& tree, browser::NodeId node) {
    CheckRequest request;
    switch (tree.node(node).kind) {
        case TreeNodeKind::Database: request.database = tree.node(node).text; break;
        case TreeNodeKind::TablesFolder: request.database = tree.AncestorText(node, 1); break;
        case TreeNodeKind::Table:
            request.database = tree.AncestorText(node, 2);
            request.table = tree.node(node).text;
            break;
        default: return std::nullopt;
    }
    return request;
}

std::string TitleOf(const CheckRequest& request) {
    return "Check - [" + request.database + "]" + (request.table ? ".[" + *request.table + "]" : "");
}

bool Checkable(const browser::DbTree& tree, browser::NodeId node) {
    return tree.sideMarker() == browser::kSourceSide && node != browser::kNoNode && node < tree.nodeCount() &&
           RequestOf(tree, node);
}

// The target tree's first database node: the workbook the report was checked against.
browser::NodeId FirstDatabase(const browser::DbTree& tree) {
    const std::vector<browser::TreeNode> nodes = tree.nodes();
    for (std::size_t id = 0; id < nodes.size(); ++id)
        if (nodes[id].kind == TreeNodeKind::Database) return static_cast<browser::NodeId>(id);
    return browser::kNoNode;
}

void Refuse(app::Output& output, const char* text) {
    output.ui().ShowMessageBox({text, app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Warning});
}

}  // namespace

CheckDialog::CheckDialog(app::Output& output, browser::Sides& sides, const connect::Options& options,
                         browser::DbTree& tree, browser::NodeId node)
    : output_(output), sides_(sides), tree_(tree), node_(node) {
    CheckRequest request = RequestOf(tree, node).value_or(CheckRequest{});
    request.continueLongTables = options.splitLongTables;
    request.binaryFiles = options.binaryFiles;
    request.replaceSheets = options.overwriteTable;
    title_ = TitleOf(request);
    connect::ConnectionHolder& target = sides.target().holder();
    report_ = CheckSource(output, sides.conditionFile(), sides.source().holder(),
                          target.HasSession() ? &target : nullptr, request);
}

void CheckDialog::Migrate() {
    tree_.Select(node_);
    // The report was made against the connected workbook; with no target chosen the
    // migration goes there too, instead of a box asking for a target.
    browser::DbTree& target = sides_.target().tree();
    if (target.selected() == browser::kNoNode) target.Select(FirstDatabase(target));
    output_.ui().PostCommand(tasks::kMigrateButtonCommand);
}

std::unique_ptr<CheckDialog> OpenCheckDialog(app::Output& output, app::TaskGate& gate, browser::Sides& sides,
                                             const connect::Options& options, browser::DbTree& tree) {
    const browser::NodeId node = tree.remembered().current;
    if (!Checkable(tree, node)) {
        Refuse(output, "Please select a database or a table in the Source Databases Tree to check!");
        return nullptr;
    }
    if (gate.RefuseWhileTasksRun()) return nullptr;
    if (!sides.source().holder().HasSession()) {
        Refuse(output, "No Source DataSource Connection!");
        return nullptr;
    }
    return std::make_unique<CheckDialog>(output, sides, options, tree, node);
}

}  // namespace tabvex::check
