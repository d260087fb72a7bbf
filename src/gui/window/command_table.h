// The one table from command id to handler: menu entries, buttons, posted commands
// and the trees' context menus all go through it.
#pragma once

#include <functional>
#include <map>

#include "browser/db_tree.h"

namespace tabvex::gui {

class CommandTable {
public:
    using Handler = std::function<void()>;
    // A tree's command runs on the tree its context menu was opened on.
    using TreeHandler = std::function<void(browser::DbTree&)>;

    void Add(std::initializer_list<int> ids, Handler handler);
    void AddTreeCommand(int id, TreeHandler handler);

    // False when no handler is known for the id.
    bool Route(int id) const;
    bool RouteToTree(int id, browser::DbTree& tree) const;
    bool Handles(int id) const { return handlers_.contains(id); }
    bool HandlesTreeCommand(int id) const { return treeHandlers_.contains(id); }

private:
    std::map<int, Handler> handlers_;
    std::map<int, TreeHandler> treeHandlers_;
};

}  // namespace tabvex::gui
