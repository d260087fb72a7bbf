// Where a person left a tree: which nodes were open, which one was selected and
// which one was at the top of the view, each by its path of texts, so that a
// refill (migration, rename, drop, reconnecting the same file) puts them back
// wherever the same nodes still exist.
#pragma once

#include <string>
#include <unordered_map>

namespace tabvex::gui {

class CDBTreeView;

struct TreePlace {
    std::unordered_map<std::string, bool> expanded;  // every node the view held, by path
    std::string selected;                            // empty: nothing selected
    std::string top;
    int horizontal = 0;
};

TreePlace CaptureTreePlace(const CDBTreeView& view);

// Opens and closes the view's nodes as they were (a node new to the tree as its
// fill asks), selects the node selected before and scrolls the former top node
// back to the top.
void RestoreTreePlace(CDBTreeView& view, const TreePlace& place);

}  // namespace tabvex::gui
