// Drop Table, Drop View, Rename Table and the storage-engine switch: the commands on
// one node of the target tree.
#include "adapters/excel/excel_automation.h"
#include "adapters/excel/excel_workbook.h"
#include "maintenance/maintenance_commands.h"
#include "maintenance/removal_questions.h"
#include "maintenance/tree_nodes.h"
#include "tasks/engine_turn.h"

namespace tabvex::maintenance {

using app::Migrator;
using browser::DbTree;
using browser::NodeId;
using browser::TreeNodeKind;

void DropTableCommand(Migrator& migrator, DbTree& tree) {
    const NodeId node = TakeSelection(tree);
    const browser::TreeNode item = tree.node(node);
    // Only a table names a worksheet; the menu offers the command for nothing else.
    if (node == browser::kNoNode || item.kind != TreeNodeKind::Table || tasks::RefuseWhileTasksRun(migrator)) return;
    const std::string database = tree.AncestorText(node, 2);
    if (!ConfirmOnce(migrator, "Drop the worksheet [" + item.text + "] of [" + database +
                                   "]?\nEverything on it is lost and cannot be restored."))
        return;
    // A successful drop reconnects the target, which refills its tree.
    adapters::DropExcelTable(migrator, database, item.text);
}

void DropViewCommand(Migrator& migrator, DbTree& tree) {
    const NodeId node = TakeSelection(tree);
    const browser::TreeNode item = tree.node(node);
    if (node == browser::kNoNode || item.kind != TreeNodeKind::View) return;
    if (adapters::DropExcelView(migrator, item.text)) RemoveNodeAndRedraw(migrator, tree, node);
}

bool RenameTableCommand(Migrator& migrator, DbTree& tree) {
    const NodeId node = TakeSelection(tree);
    return node != browser::kNoNode && tree.node(node).kind == TreeNodeKind::Table &&
           !tasks::RefuseWhileTasksRun(migrator);
}

bool FinishTableRename(Migrator& migrator, DbTree& tree, const std::optional<std::string>& newText) {
    const bool committed = tree.renameCommit();
    tree.SetRenameCommit(false);
    // Tasks may have started while the label was being edited.
    if (!committed || !newText || tasks::RefuseWhileTasksRun(migrator)) return false;
    const NodeId node = TakeSelection(tree);
    if (node == browser::kNoNode) return false;
    // A successful rename reconnects the target, whose refilled tree shows the new name.
    return adapters::RenameExcelTable(migrator, tree.node(node).text, *newText);
}

std::string StorageEngineCommand(Migrator& migrator, DbTree& tree, const std::string& menuText) {
    const auto myIsam = menuText.find("MyISAM");
    const std::string engine = myIsam != std::string::npos && myIsam > 0 ? "InnoDB" : "MyISAM";
    tree.SetStorageEngine(engine);
    migrator.ui().ShowMessageBox({"Now Storage Engine of MySQL is " + engine + "!", app::kProgramTitle,
                                  app::MessageButtons::Ok, app::MessageIcon::Information});
    return "Change Storage Engine(" + engine + ")";
}

}  // namespace tabvex::maintenance
