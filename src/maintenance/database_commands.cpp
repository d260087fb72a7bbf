// New Database, Delete Database, Clear all tables, Clear all Data: the commands on
// a whole workbook of the target.
#include <optional>

#include "adapters/excel/excel_automation.h"
#include "adapters/excel/excel_workbook.h"
#include "app/output_lines.h"
#include "browser/fill_tree.h"
#include "com/folders.h"
#include "maintenance/maintenance_commands.h"
#include "maintenance/removal_questions.h"
#include "maintenance/tree_nodes.h"

namespace tabvex::maintenance {

namespace {

using browser::DbTree;
using browser::NodeId;
using browser::TreeNodeKind;

constexpr const char* kNoDatabaseSelected = "No Database in TARGET Side be Selected!";

// The source tree's copies of these menu entries do nothing.
bool OnSourceSide(const DbTree& tree) { return tree.sideMarker() == browser::kSourceSide; }

struct DatabaseNode {
    std::string text;  // as the tree shows it: the workbook's path without ".xls"
    std::string name;  // trimmed at the right, for the questions
};

// The selected node, made current, when it is a database; otherwise the refusal.
std::optional<DatabaseNode> SelectedDatabase(app::Output& output, DbTree& tree) {
    const NodeId node = TakeSelection(tree);
    const browser::TreeNode item = tree.node(node);
    DatabaseNode database{item.text, TrimmedRight(item.text)};
    if (node == browser::kNoNode || database.name.empty() || item.kind != TreeNodeKind::Database) {
        ShowRefusal(output, kNoDatabaseSelected);
        return std::nullopt;
    }
    return database;
}

}  // namespace

void NewDatabaseMenuCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides) {
    DbTree& tree = sides.target().tree();
    if (tree.selected() != tree.remembered().root) {
        ShowRefusal(output, "Can only create database in TARGET!!!\nPlease Select Target ROOT to create new database!");
        return;
    }
    NewDatabaseCommand(output, gate, sides, tree);
}

void NewDatabaseCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides, DbTree& tree) {
    if (OnSourceSide(tree) || gate.RefuseWhileTasksRun()) return;
    const std::string startFolder = com::FolderPartOf(tree.connection().databaseName, {});
    if (adapters::CreateExcelWorkbook(output, sides, startFolder, false)) browser::FillTree(output, sides.conditionFile(), tree);
}

void DeleteDatabaseCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides, DbTree& tree) {
    if (OnSourceSide(tree) || gate.RefuseWhileTasksRun()) return;
    const auto database = SelectedDatabase(output, tree);
    if (!database || !ConfirmRemoval(output, "Remove database [" + database->name + "]?",
                                     CannotRestoreQuestion(database->name)))
        return;
    adapters::DropExcelWorkbook(output, gate, sides, database->text);
    browser::FillTree(output, sides.conditionFile(), tree);
}

void ClearAllTablesCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides, DbTree& tree) {
    if (OnSourceSide(tree) || gate.RefuseWhileTasksRun()) return;
    const auto database = SelectedDatabase(output, tree);
    if (!database || !ConfirmRemoval(output, "Remove all the tables of [" + database->name + "]?",
                                     CannotRestoreQuestion(database->name)))
        return;
    // A workbook's tables go with the file: a new empty workbook takes its place.
    // When the old one could not be deleted, nothing is created over it.
    if (adapters::DropExcelWorkbook(output, gate, sides, database->text))
        adapters::CreateExcelWorkbook(output, sides, database->text, true);
    // The tables shown are gone; a target that was connected to the workbook is
    // no longer, and its tree shows that.
    browser::FillTree(output, sides.conditionFile(), tree);
}

void ClearAllDataCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides, DbTree& tree) {
    if (OnSourceSide(tree) || gate.RefuseWhileTasksRun()) return;
    const browser::RememberedNodes remembered = tree.remembered();
    const browser::TreeNode current = tree.node(remembered.current);
    if (remembered.current == browser::kNoNode || current.kind != TreeNodeKind::Database) {
        ShowRefusal(output, kNoDatabaseSelected);
        return;
    }
    const std::string database = tree.node(remembered.currentDatabase).text;
    if (!ConfirmRemoval(output, "Delete all the data of [" + current.text + "]?", CannotRestoreQuestion(current.text)))
        return;
    if (const auto deleted = adapters::ClearExcelWorkbook(output, sides, database))
        app::WriteOutputLine(output, "S::All the data of [%s] deleted: %d %s", current.text.c_str(), *deleted,
                             *deleted == 1 ? "sheet" : "sheets");
}

}  // namespace tabvex::maintenance
