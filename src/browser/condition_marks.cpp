#include "browser/condition_marks.h"

#include "browser/condition_file.h"

namespace tabvex::browser {

namespace {

// A table node sits under the "Tables" folder of its database node.
std::string DatabaseOfTable(const std::vector<TreeNode>& nodes, NodeId table) {
    const NodeId folder = nodes[table].parent;
    const NodeId database = folder < nodes.size() ? nodes[folder].parent : kNoNode;
    return database < nodes.size() ? nodes[database].text : std::string();
}

}  // namespace

void MarkTableConditions(const std::filesystem::path& conditionFile, std::vector<TreeNode>& nodes) {
    for (NodeId id = 0; id < nodes.size(); ++id) {
        if (nodes[id].kind != TreeNodeKind::Table) continue;
        nodes[id].condition = TableCondition(conditionFile, DatabaseOfTable(nodes, id), nodes[id].text);
    }
}

void RefreshTableConditions(app::Output& output, const std::filesystem::path& conditionFile, DbTree& tree) {
    std::vector<TreeNode> nodes = tree.nodes();
    MarkTableConditions(conditionFile, nodes);
    for (NodeId id = 0; id < nodes.size(); ++id)
        if (nodes[id].kind == TreeNodeKind::Table) tree.SetNodeCondition(id, std::move(nodes[id].condition));
    output.ui().RedrawTree(app::TreeSide::Source);
}

}  // namespace tabvex::browser
