// The main window's Delete command: whatever is selected in the target tree goes,
// after two questions.
#include "adapters/excel/excel_automation.h"
#include "adapters/excel/excel_workbook.h"
#include "app/output_lines.h"
#include "maintenance/maintenance_commands.h"
#include "maintenance/removal_questions.h"
#include "maintenance/tree_nodes.h"
#include "tasks/engine_turn.h"

namespace tabvex::maintenance {

namespace {

using app::Migrator;
using browser::DbTree;
using browser::NodeId;
using browser::TreeNodeKind;

constexpr const char* kDeleteCaption = "Delete";

void DeleteDatabase(Migrator& migrator, DbTree& tree, NodeId node) {
    const std::string name = tree.node(node).text;
    if (!ConfirmRemoval(migrator, "Delete database [" + name + "]?", CannotRestoreQuestion(name))) return;
    app::WriteOutputLine(migrator, "Remove Database [%s]!", name.c_str());
    if (!adapters::DropExcelWorkbook(migrator, name)) return;
    RemoveNodeAndRedraw(migrator, tree, node);
    tree.SetDatabaseName("");
}

void DeleteTable(Migrator& migrator, DbTree& tree, NodeId node) {
    const std::string database = tree.AncestorText(node, 2);
    const std::string table = tree.node(node).text;
    const std::string question = "Delete the table [" + database + "." + table + "]?";
    if (!ConfirmRemoval(migrator, question,
                        "After remove, you can not restore the table [" + database + "." + table +
                            "]! Continue?\nPress YES to Continue Removing!",
                        false))
        return;
    app::WritePlainOutputLine(migrator, question);
    // A successful drop reconnects the target, which refills its tree.
    adapters::DropExcelTable(migrator, database, table);
}

void DeleteTables(Migrator& migrator, DbTree& tree, NodeId folder) {
    const std::string database = tree.AncestorText(folder, 1);
    const std::string question = "Delete all the tables of [" + database + "]?";
    if (!ConfirmRemoval(migrator, question, CannotRestoreQuestion(database), false)) return;
    app::WritePlainOutputLine(migrator, question);
    // Names first: every drop reconnects the target and so refills the tree.
    int removed = 0;
    for (const std::string& table : ChildTexts(tree, folder, TreeNodeKind::Table))
        if (adapters::DropExcelTable(migrator, database, table)) ++removed;
    app::WriteOutputLine(migrator, "[%d] tables removed!", removed);
}

void DeleteView(Migrator& migrator, DbTree& tree, NodeId node) {
    const std::string object = tree.AncestorText(node, 2) + "." + tree.node(node).text;
    const std::string question = "Delete the view [" + object + "]?";
    if (!ConfirmRemoval(migrator, question,
                        "After remove, you can not restore the view [" + object +
                            "] again! Continue?\nPress YES to Continue Removing!",
                        false))
        return;
    app::WritePlainOutputLine(migrator, question);
    if (adapters::DropExcelView(migrator, tree.node(node).text)) RemoveNodeAndRedraw(migrator, tree, node);
}

void DeleteViews(Migrator& migrator, DbTree& tree, NodeId folder) {
    const std::string database = tree.AncestorText(folder, 1);
    const std::string question = "Delete all the views of [" + database + "]?";
    if (!ConfirmRemoval(migrator, question,
                        "After remove, you can not restore the views of [" + database +
                            "] again! Continue?\nPress YES to Continue Removing!"))
        return;
    app::WritePlainOutputLine(migrator, question);
    int removed = 0;
    for (const NodeId view : tree.node(folder).children) {
        if (!adapters::DropExcelView(migrator, tree.node(view).text)) continue;
        tree.RemoveNode(view);
        ++removed;
    }
    migrator.ui().RedrawTree(app::TreeSide::Target);
    app::WriteOutputLine(migrator, "[%d] views removed!", removed);
}

}  // namespace

void DeleteSelectedCommand(Migrator& migrator) {
    if (tasks::RefuseWhileTasksRun(migrator)) return;
    if (!migrator.targetHolder().HasSession()) {
        app::ShowTip(migrator, "Press Config button, and get a successful target Connection!");
        ShowRefusal(migrator, "No Target DataSource Connection!", kDeleteCaption);
        return;
    }
    DbTree& tree = migrator.targetTree();
    const NodeId node = tree.selected();
    switch (node == browser::kNoNode ? TreeNodeKind::Root : tree.node(node).kind) {
        case TreeNodeKind::Database: return DeleteDatabase(migrator, tree, node);
        case TreeNodeKind::Table: return DeleteTable(migrator, tree, node);
        case TreeNodeKind::TablesFolder: return DeleteTables(migrator, tree, node);
        case TreeNodeKind::View: return DeleteView(migrator, tree, node);
        case TreeNodeKind::ViewsFolder: return DeleteViews(migrator, tree, node);
        default:
            app::ShowTip(migrator, "Please select a table, tables, views or database on target Database Tree!");
            ShowRefusal(migrator, "No selected Object to delete!");
    }
}

}  // namespace tabvex::maintenance
