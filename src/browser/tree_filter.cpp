#include "browser/tree_filter.h"

namespace tabvex::browser {

TreeFilter FilterTree(const std::vector<TreeNode>& nodes, bool active,
                      const std::function<bool(const std::string& name)>& matches) {
    TreeFilter result{std::vector<bool>(nodes.size(), !active), std::vector<bool>(nodes.size(), false)};
    if (!active) return result;
    const auto named = [&](NodeId id) {
        const TreeNodeKind kind = nodes[id].kind;
        return (kind == TreeNodeKind::Table || kind == TreeNodeKind::View || kind == TreeNodeKind::Field) &&
               matches(nodes[id].text);
    };
    // A node is shown when it matches, lies under a match, or has a match under it.
    const auto visit = [&](const auto& self, NodeId id, bool underMatch) -> bool {
        const bool match = named(id);
        result.matched[id] = match;
        bool found = match;
        for (NodeId child : nodes[id].children)
            if (child < nodes.size()) found = self(self, child, underMatch || match) || found;
        result.shown[id] = found || underMatch;
        return found;
    };
    for (NodeId id = 0; id < nodes.size(); ++id) {
        if (nodes[id].parent != kNoNode) continue;
        visit(visit, id, false);
        result.shown[id] = true;
    }
    return result;
}

}  // namespace tabvex::browser
