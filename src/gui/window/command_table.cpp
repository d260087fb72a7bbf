#include "gui/window/command_table.h"

namespace tabvex::gui {

void CommandTable::Add(std::initializer_list<int> ids, Handler handler) {
    for (int id : ids) handlers_[id] = handler;
}

void CommandTable::AddTreeCommand(int id, TreeHandler handler) { treeHandlers_[id] = std::move(handler); }

bool CommandTable::Route(int id) const {
    const auto found = handlers_.find(id);
    if (found == handlers_.end()) return false;
    found->second();
    return true;
}

bool CommandTable::RouteToTree(int id, browser::DbTree& tree) const {
    const auto found = treeHandlers_.find(id);
    if (found == treeHandlers_.end()) return false;
    found->second(tree);
    return true;
}

}  // namespace tabvex::gui
