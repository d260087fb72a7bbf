// A tree being built apart from the tree the window shows: the nodes in insertion
// order and the nodes the fill remembers. DbTree::ReplaceNodes puts it in place.
#pragma once

#include <string>
#include <vector>

#include "browser/db_tree.h"

namespace tabvex::browser {

struct TreeBuilder {
    std::vector<TreeNode> nodes;
    RememberedNodes remembered;

    // Appends the node as the last child of `parent` (kNoNode: a top-level node).
    NodeId Insert(TreeNodeKind kind, std::string text, NodeId parent) {
        const NodeId id = nodes.size();
        nodes.push_back(TreeNode{kind, std::move(text), parent, {}, false});
        if (parent != kNoNode) nodes[parent].children.push_back(id);
        return id;
    }

    void Expand(NodeId id) {
        if (id < nodes.size()) nodes[id].expanded = true;
    }
};

}  // namespace tabvex::browser
