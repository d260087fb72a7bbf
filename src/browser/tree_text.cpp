#include "browser/tree_text.h"

namespace tabvex::browser {

namespace {

void AppendNode(const std::vector<TreeNode>& nodes, NodeId id, std::size_t depth, std::string& text) {
    const TreeNode& node = nodes[id];
    text.append(2 * depth, ' ');
    text += std::to_string(static_cast<int>(node.kind));
    text += ' ';
    text += node.text;
    if (!node.condition.empty()) text += "  [condition: " + node.condition + "]";
    text += '\n';
    for (NodeId child : node.children) AppendNode(nodes, child, depth + 1, text);
}

}  // namespace

std::string TreeText(const std::vector<TreeNode>& nodes) {
    std::string text;
    for (NodeId id = 0; id < nodes.size(); ++id) {
        if (nodes[id].parent == kNoNode) AppendNode(nodes, id, 0, text);
    }
    return text;
}

}  // namespace tabvex::browser
