#include "maintenance/tree_nodes.h"

namespace tabvex::maintenance {

using browser::NodeId;

NodeId TakeSelection(browser::DbTree& tree) {
    const NodeId node = tree.selected();
    tree.SetCurrentNode(node);
    return node;
}

std::vector<std::string> ChildTexts(const browser::DbTree& tree, NodeId node, browser::TreeNodeKind kind) {
    std::vector<std::string> texts;
    if (node == browser::kNoNode) return texts;
    for (const NodeId child : tree.node(node).children) {
        const browser::TreeNode item = tree.node(child);
        if (item.kind == kind) texts.push_back(item.text);
    }
    return texts;
}

NodeId ChildOfKind(const browser::DbTree& tree, NodeId node, browser::TreeNodeKind kind) {
    if (node == browser::kNoNode) return browser::kNoNode;
    for (const NodeId child : tree.node(node).children)
        if (tree.node(child).kind == kind) return child;
    return browser::kNoNode;
}

void RemoveNodeAndRedraw(app::Output& output, browser::DbTree& tree, NodeId node) {
    tree.RemoveNode(node);
    output.ui().RedrawTree(static_cast<app::TreeSide>(tree.fixedSide()));
}

std::string TrimmedRight(std::string text) {
    text.erase(text.find_last_not_of(" \t\r\n") + 1);
    return text;
}

}  // namespace tabvex::maintenance
