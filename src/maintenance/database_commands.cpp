// New Database, Delete Database, Clear all tables, Clear all Data: the commands on
// a whole workbook of the target.
#include <optional>

#include "adapters/excel/excel_automation.h"
#include "adapters/excel/excel_workbook.h"
#include "browser/fill_tree.h"
#include "com/folders.h"
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

constexpr const char* kNoDatabaseSelected = "No Database in TARGET Side be Selected!";

// The source tree's copies of these menu entries do nothing.
bool OnSourceSide(const DbTree& tree) { return tree.sideMarker() == browser::kSourceSide; }

struct DatabaseNode {
    std::string text;  // as the tree shows it: the workbook's path without ".xls"
    std::string name;  // trimmed at the right, for the questions
};

// The selected node, made current, when it is a database; otherwise the refusal.
std::optional<DatabaseNode> SelectedDatabase(Migrator& migrator, DbTree& tree) {
    const NodeId node = TakeSelection(tree);
    const browser::TreeNode item = tree.node(node);
    DatabaseNode database{item.text, TrimmedRight(item.text)};
    if (node == browser::kNoNode || database.name.empty() || item.kind != TreeNodeKind::Database) {
        ShowRefusal(migrator, kNoDatabaseSelected);
        return std::nullopt;
    }
    return database;
}

}  // namespace

void NewDatabaseMenuCommand(Migrator& migrator) {
    DbTree& tree = migrator.targetTree();
    if (tree.selected() != tree.remembered().root) {
        ShowRefusal(migrator, "Can only create database in TARGET!!!\nPlease Select Target ROOT to create new database!");
        return;
    }
    NewDatabaseCommand(migrator, tree);
}

void NewDatabaseCommand(Migrator& migrator, DbTree& tree) {
    if (OnSourceSide(tree) || tasks::RefuseWhileTasksRun(migrator)) return;
    const std::string startFolder = com::FolderPartOf(tree.connection().databaseName, {});
    if (adapters::CreateExcelWorkbook(migrator, startFolder, false)) browser::FillTree(migrator, tree);
}

void DeleteDatabaseCommand(Migrator& migrator, DbTree& tree) {
    if (OnSourceSide(tree) || tasks::RefuseWhileTasksRun(migrator)) return;
    const auto database = SelectedDatabase(migrator, tree);
    if (!database || !ConfirmRemoval(migrator, "Remove database [" + database->name + "]?",
                                     CannotRestoreQuestion(database->name)))
        return;
    adapters::DropExcelWorkbook(migrator, database->text);
    browser::FillTree(migrator, tree);
}

void ClearAllTablesCommand(Migrator& migrator, DbTree& tree) {
    if (OnSourceSide(tree) || tasks::RefuseWhileTasksRun(migrator)) return;
    const auto database = SelectedDatabase(migrator, tree);
    if (!database || !ConfirmRemoval(migrator, "Remove all the tables of [" + database->name + "]?",
                                     CannotRestoreQuestion(database->name)))
        return;
    // A workbook's tables go with the file: a new empty workbook takes its place.
    // When the old one could not be deleted, nothing is created over it.
    if (adapters::DropExcelWorkbook(migrator, database->text))
        adapters::CreateExcelWorkbook(migrator, database->text, true);
    // The tables shown are gone; a target that was connected to the workbook is
    // no longer, and its tree shows that.
    browser::FillTree(migrator, tree);
}

void ClearAllDataCommand(Migrator& migrator, DbTree& tree) {
    if (OnSourceSide(tree) || tasks::RefuseWhileTasksRun(migrator)) return;
    const browser::RememberedNodes remembered = tree.remembered();
    const browser::TreeNode current = tree.node(remembered.current);
    if (remembered.current == browser::kNoNode || current.kind != TreeNodeKind::Database) {
        ShowRefusal(migrator, kNoDatabaseSelected);
        return;
    }
    const std::string database = tree.node(remembered.currentDatabase).text;
    if (!ConfirmRemoval(migrator, "Delete all the data of [" + current.text + "]?", CannotRestoreQuestion(current.text)))
        return;
    // Names first: every drop reconnects the target and so refills the tree.
    const NodeId tablesFolder = ChildOfKind(tree, remembered.current, TreeNodeKind::TablesFolder);
    for (const std::string& table : ChildTexts(tree, tablesFolder, TreeNodeKind::Table))
        adapters::DropExcelTable(migrator, database, table);
}

}  // namespace tabvex::maintenance
