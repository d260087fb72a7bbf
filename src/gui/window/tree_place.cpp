#include "gui/window/tree_place.h"

#include <QScrollBar>

#include "browser/node_paths.h"
#include "gui/window/db_tree_view.h"

namespace tabvex::gui {

using browser::kNoNode;
using browser::NodeId;

namespace {

std::string KeyOf(const std::vector<std::string>& keys, NodeId id) { return id < keys.size() ? keys[id] : std::string(); }

NodeId NodeWithKey(const std::vector<std::string>& keys, const std::string& key) {
    if (key.empty()) return kNoNode;
    for (NodeId id = 0; id < keys.size(); ++id)
        if (keys[id] == key) return id;
    return kNoNode;
}

}  // namespace

TreePlace CaptureTreePlace(const CDBTreeView& view) {
    const DbTreeModel& model = *view.treeModel();
    const std::vector<std::string> keys = browser::NodePathKeys(model.nodes());
    TreePlace place;
    for (NodeId id = 0; id < keys.size(); ++id)
        if (!keys[id].empty()) place.expanded[keys[id]] = view.isExpanded(model.IndexOf(id));
    place.selected = KeyOf(keys, view.selectedNode());
    place.top = KeyOf(keys, view.NodeAt(QPoint(1, 1)));
    place.horizontal = view.horizontalScrollBar()->value();
    return place;
}

void RestoreTreePlace(CDBTreeView& view, const TreePlace& place) {
    const DbTreeModel& model = *view.treeModel();
    const auto& nodes = model.nodes();
    const std::vector<std::string> keys = browser::NodePathKeys(nodes);
    for (NodeId id = 0; id < nodes.size(); ++id) {
        const auto found = place.expanded.find(keys[id]);
        view.setExpanded(model.IndexOf(id), found != place.expanded.end() ? found->second : nodes[id].expanded);
    }
    if (const NodeId selected = NodeWithKey(keys, place.selected); selected != kNoNode) view.SelectNode(selected);
    if (const NodeId top = NodeWithKey(keys, place.top); top != kNoNode)
        view.scrollTo(model.IndexOf(top), QAbstractItemView::PositionAtTop);
    view.horizontalScrollBar()->setValue(place.horizontal);
}

}  // namespace tabvex::gui
