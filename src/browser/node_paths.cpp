#include "browser/node_paths.h"

namespace tabvex::browser {

namespace {
constexpr char kSeparator = '\x1f';  // the unit separator: no table or field name holds it
}  // namespace

std::vector<std::string> NodePathKeys(const std::vector<TreeNode>& nodes) {
    std::vector<std::string> keys(nodes.size());
    // Children are added after their parent, but a walk from the top ones keeps that
    // true for any tree and leaves removed subtrees without keys.
    std::vector<NodeId> pending;
    for (NodeId id = 0; id < nodes.size(); ++id) {
        if (nodes[id].parent != kNoNode) continue;
        keys[id] = nodes[id].text;
        pending.push_back(id);
    }
    while (!pending.empty()) {
        const NodeId id = pending.back();
        pending.pop_back();
        for (NodeId child : nodes[id].children) {
            if (child >= nodes.size()) continue;
            keys[child] = keys[id] + kSeparator + nodes[child].text;
            pending.push_back(child);
        }
    }
    return keys;
}

}  // namespace tabvex::browser
