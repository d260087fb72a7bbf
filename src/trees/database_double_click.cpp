#include "trees/database_double_click.h"

#include "app/output_lines.h"
#include "connecting/connecting.h"
#include "connect/dbms_kind.h"

namespace tabvex::trees {

bool DoubleClickNode(app::Output& output, app::TaskGate& gate, browser::Sides& sides, browser::DbTree& tree,
                     browser::NodeId node) {
    if (node == browser::kNoNode || node >= tree.nodeCount()) return false;
    tree.Select(node);
    const browser::TreeNode item = tree.node(node);
    if (item.kind != browser::TreeNodeKind::Database || gate.RefuseWhileTasksRun()) return false;
    tree.SetDatabaseName(item.text);
    app::WriteOutputLine(output, "Select Database [%s]", item.text.c_str());
    const browser::ConnectionBlock block = tree.connection();
    if (block.dbmsKind != static_cast<int>(connect::DbmsKind::Access) &&
        block.dbmsKind != static_cast<int>(connect::DbmsKind::Excel))
        return false;
    // Jet knows one database per file: the file names it, so no catalog is given.
    const std::string catalog = connect::IsJetProvider(block.providerProgId) ? std::string() : item.text;
    const int side = tree.sideMarker();
    if (side == browser::kTargetSide) {
        sides.target().settings().catalogName = catalog;
        connect::ConnectTarget(output, sides);
    } else if (side == browser::kSourceSide) {
        sides.source().settings().catalogName = catalog;
        connect::ConnectSource(output, sides);
    } else {
        return false;
    }
    return true;
}

}  // namespace tabvex::trees
