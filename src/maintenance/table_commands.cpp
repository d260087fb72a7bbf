// Drop Table, Drop View, Rename Table and the storage-engine switch: the commands on
// one node of the target tree.
#include "adapters/excel/excel_automation.h"
#include "adapters/excel/excel_workbook.h"
#include "maintenance/maintenance_commands.h"
#include "maintenance/removal_questions.h"
#include "maintenance/tree_nodes.h"

namespace tabvex::maintenance {

using browser::DbTree;
using browser::NodeId;
using browser::TreeNodeKind;

void DropTableCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides, DbTree& tree) {
    const NodeId node = TakeSelection(tree);
    const browser::TreeNode item = tree.node(node);
    // Only a table names a worksheet; the menu offers the command for nothing else.
    if (node == browser::kNoNode || item.kind != TreeNodeKind::Table || gate.RefuseWhileTasksRun()) return;
    const std::string database = tree.AncestorText(node, 2);
    if (!ConfirmOnce(output, "Drop the worksheet [" + item.text + "] of [" + database +
                                   "]?\nEverything on it is lost and cannot be restored."))
        return;
    // A successful drop reconnects the target, which refills its tree.
    adapters::DropExcelTable(output, sides, database, item.text);
}

void DropViewCommand(app::Output& output, app::TaskGate& gate, DbTree& tree) {
    const NodeId node = TakeSelection(tree);
    const browser::TreeNode item = tree.node(node);
    if (node == browser::kNoNode || item.kind != TreeNodeKind::View || gate.RefuseWhileTasksRun()) return;
    if (adapters::DropExcelView(item.text)) RemoveNodeAndRedraw(output, tree, node);
}

bool RenameTableCommand(app::TaskGate& gate, DbTree& tree) {
    const NodeId node = TakeSelection(tree);
    return node != browser::kNoNode && tree.node(node).kind == TreeNodeKind::Table &&
           !gate.RefuseWhileTasksRun();
}

bool FinishTableRename(app::Output& output, app::TaskGate& gate, browser::Sides& sides, DbTree& tree,
                       const std::optional<std::string>& newText) {
    const bool committed = tree.renameCommit();
    tree.SetRenameCommit(false);
    // Tasks may have started while the label was being edited.
    if (!committed || !newText || gate.RefuseWhileTasksRun()) return false;
    const NodeId node = TakeSelection(tree);
    if (node == browser::kNoNode) return false;
    // A successful rename reconnects the target, whose refilled tree shows the new name.
    return adapters::RenameExcelTable(output, sides, tree.node(node).text, *newText);
}

std::string StorageEngineCommand(app::Output& output, DbTree& tree, const std::string& menuText) {
    const auto myIsam = menuText.find("MyISAM");
    const std::string engine = myIsam != std::string::npos && myIsam > 0 ? "InnoDB" : "MyISAM";
    tree.SetStorageEngine(engine);
    output.ui().ShowMessageBox({"Now Storage Engine of MySQL is " + engine + "!", app::kProgramTitle,
                                  app::MessageButtons::Ok, app::MessageIcon::Information});
    return "Change Storage Engine(" + engine + ")";
}

}  // namespace tabvex::maintenance
