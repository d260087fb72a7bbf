// The main window's Delete command: whatever is selected in the target tree goes,
// after two questions.
#include "adapters/excel/excel_automation.h"
#include "adapters/excel/excel_workbook.h"
#include "app/output_lines.h"
#include "maintenance/maintenance_commands.h"
#include "maintenance/removal_questions.h"
#include "maintenance/tree_nodes.h"

namespace tabvex::maintenance {

namespace {

using browser::DbTree;
using browser::NodeId;
using browser::TreeNodeKind;

constexpr const char* kDeleteCaption = "Delete";

void DeleteDatabase(app::Output& output, app::TaskGate& gate, browser::Sides& sides, DbTree& tree, NodeId node) {
    const std::string name = tree.node(node).text;
    if (!ConfirmRemoval(output, "Delete database [" + name + "]?", CannotRestoreQuestion(name))) return;
    app::WriteOutputLine(output, "Remove Database [%s]!", name.c_str());
    if (!adapters::DropExcelWorkbook(output, gate, sides, name)) return;
    RemoveNodeAndRedraw(output, tree, node);
    tree.SetDatabaseName("");
}

void DeleteTable(app::Output& output, browser::Sides& sides, DbTree& tree, NodeId node) {
    const std::string database = tree.AncestorText(node, 2);
    const std::string table = tree.node(node).text;
    const std::string question = "Delete the table [" + database + "." + table + "]?";
    if (!ConfirmRemoval(output, question,
                        "After remove, you can not restore the table [" + database + "." + table +
                            "]! Continue?\nPress YES to Continue Removing!",
                        false))
        return;
    app::WritePlainOutputLine(output, question);
    // A successful drop reconnects the target, which refills its tree.
    adapters::DropExcelTable(output, sides, database, table);
}

void DeleteTables(app::Output& output, browser::Sides& sides, DbTree& tree, NodeId folder) {
    const std::string database = tree.AncestorText(folder, 1);
    const std::string question = "Delete all the tables of [" + database + "]?";
    if (!ConfirmRemoval(output, question, CannotRestoreQuestion(database), false)) return;
    app::WritePlainOutputLine(output, question);
    // Names first: every drop reconnects the target and so refills the tree.
    int removed = 0;
    for (const std::string& table : ChildTexts(tree, folder, TreeNodeKind::Table))
        if (adapters::DropExcelTable(output, sides, database, table)) ++removed;
    app::WriteOutputLine(output, "[%d] tables removed!", removed);
}

void DeleteView(app::Output& output, DbTree& tree, NodeId node) {
    const std::string object = tree.AncestorText(node, 2) + "." + tree.node(node).text;
    const std::string question = "Delete the view [" + object + "]?";
    if (!ConfirmRemoval(output, question,
                        "After remove, you can not restore the view [" + object +
                            "] again! Continue?\nPress YES to Continue Removing!",
                        false))
        return;
    app::WritePlainOutputLine(output, question);
    if (adapters::DropExcelView(tree.node(node).text)) RemoveNodeAndRedraw(output, tree, node);
}

void DeleteViews(app::Output& output, DbTree& tree, NodeId folder) {
    const std::string database = tree.AncestorText(folder, 1);
    const std::string question = "Delete all the views of [" + database + "]?";
    if (!ConfirmRemoval(output, question,
                        "After remove, you can not restore the views of [" + database +
                            "] again! Continue?\nPress YES to Continue Removing!"))
        return;
    app::WritePlainOutputLine(output, question);
    int removed = 0;
    for (const NodeId view : tree.node(folder).children) {
        if (!adapters::DropExcelView(tree.node(view).text)) continue;
        tree.RemoveNode(view);
        ++removed;
    }
    output.ui().RedrawTree(app::TreeSide::Target);
    app::WriteOutputLine(output, "[%d] views removed!", removed);
}

}  // namespace

void DeleteSelectedCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides) {
    if (gate.RefuseWhileTasksRun()) return;
    if (!sides.target().holder().HasSession()) {
        app::ShowTip(output, "Press Config button, and get a successful target Connection!");
        ShowRefusal(output, "No Target DataSource Connection!", kDeleteCaption);
        return;
    }
    DbTree& tree = sides.target().tree();
    const NodeId node = tree.selected();
    switch (node == browser::kNoNode ? TreeNodeKind::Root : tree.node(node).kind) {
        case TreeNodeKind::Database: return DeleteDatabase(output, gate, sides, tree, node);
        case TreeNodeKind::Table: return DeleteTable(output, sides, tree, node);
        case TreeNodeKind::TablesFolder: return DeleteTables(output, sides, tree, node);
        case TreeNodeKind::View: return DeleteView(output, tree, node);
        case TreeNodeKind::ViewsFolder: return DeleteViews(output, tree, node);
        default:
            app::ShowTip(output, "Please select a table, tables, views or database on target Database Tree!");
            ShowRefusal(output, "No selected Object to delete!");
    }
}

}  // namespace tabvex::maintenance
