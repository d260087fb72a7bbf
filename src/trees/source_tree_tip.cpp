#include "trees/source_tree_tip.h"

#include "browser/condition_file.h"

namespace tabvex::trees {

std::optional<std::string> SourceTreeTip(const std::filesystem::path& conditionFile, const browser::DbTree& tree,
                                         browser::NodeId node) {
    if (node == browser::kNoNode || node >= tree.nodeCount()) return std::nullopt;
    const browser::TreeNode item = tree.node(node);
    if (item.kind != browser::TreeNodeKind::Table) return std::string();
    // A table sits under the "Tables" folder of its database node.
    const std::string condition = browser::TableCondition(conditionFile, tree.AncestorText(node, 2), item.text);
    return condition.empty() ? std::string("Convert All") : "Condition : " + condition;
}

}  // namespace tabvex::trees
