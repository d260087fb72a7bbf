#include "trees/tree_context_menu.h"

#include <algorithm>

#include "trees/tree_menus.h"

namespace tabvex::trees {

namespace {

using browser::TreeNodeKind;

std::string TrimmedLeft(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first);
}

void Remove(ContextMenu& menu, int commandId) {
    std::erase_if(menu.entries, [commandId](const ContextMenuEntry& entry) { return entry.commandId == commandId; });
}

void Relabel(ContextMenu& menu, int commandId, const std::string& text) {
    for (auto& entry : menu.entries)
        if (entry.commandId == commandId) entry.text = text;
}

ContextMenu RootMenu(int sideMarker, int dbmsKind) {
    ContextMenu menu{kRootContextMenu,
                     {{kNewDatabaseCommand, "New Database"},
                      {kChangeCharsetCommand, "Change Charset"},
                      {kStorageEngineCommand, "Storage Engines"}}};
    if (dbmsKind != kMySqlDbms) {
        Remove(menu, kChangeCharsetCommand);
        Remove(menu, kStorageEngineCommand);
    }
    if (sideMarker == browser::kSourceSide) Remove(menu, kNewDatabaseCommand);
    return menu;
}

ContextMenu ObjectMenu(bool isView, int sideMarker, const std::string& name) {
    ContextMenu menu{kObjectContextMenu,
                     {{kMigrationConditionCommand, "Migration Condition"},
                      {kCheckCommand, "Check..."},
                      {kDropTableCommand, "Drop Table"},
                      {kDropViewCommand, "Drop View"},
                      {kRenameTableCommand, "Rename Table"}}};
    if (sideMarker == browser::kSourceSide) {
        if (isView) Remove(menu, kCheckCommand);
        Remove(menu, kDropViewCommand);
        Remove(menu, kDropTableCommand);
        Remove(menu, kRenameTableCommand);
    } else if (sideMarker == browser::kTargetSide) {
        Remove(menu, kMigrationConditionCommand);
        Remove(menu, kCheckCommand);
        if (isView) {
            Remove(menu, kDropTableCommand);
            Remove(menu, kRenameTableCommand);
            Relabel(menu, kDropViewCommand, "Drop View " + name);
        } else {
            Remove(menu, kDropViewCommand);
            Relabel(menu, kDropTableCommand, "Drop Table " + name);
            Relabel(menu, kRenameTableCommand, "Rename Table " + name);
        }
    }
    return menu;
}

}  // namespace

browser::NodeId RightClickNode(browser::DbTree& tree, browser::NodeId underPointer) {
    const browser::NodeId node = underPointer != browser::kNoNode ? underPointer : tree.remembered().root;
    if (node != browser::kNoNode) tree.Select(node);
    return node;
}

std::optional<ContextMenu> ContextMenuFor(const browser::DbTree& tree, browser::NodeId node) {
    if (node == browser::kNoNode || node >= tree.nodeCount()) return std::nullopt;
    const browser::TreeNode item = tree.node(node);
    const std::string name = TrimmedLeft(item.text);
    if (name.empty()) return std::nullopt;
    const int sideMarker = tree.sideMarker();
    std::optional<ContextMenu> menu;
    switch (item.kind) {
        case TreeNodeKind::Root: menu = RootMenu(sideMarker, tree.connection().dbmsKind); break;
        case TreeNodeKind::Database:
            if (sideMarker == browser::kSourceSide) menu = ContextMenu{kDatabaseContextMenu, {{kCheckCommand, "Check..."}}};
            if (sideMarker == browser::kTargetSide)
                menu = ContextMenu{kDatabaseContextMenu,
                                   {{kDeleteDatabaseCommand, "Delete Database"},
                                    {kClearAllTablesCommand, "Clear all tables"},
                                    {kClearAllDataCommand, "Clear all Data"}}};
            break;
        case TreeNodeKind::Table: menu = ObjectMenu(false, sideMarker, name); break;
        case TreeNodeKind::View: menu = ObjectMenu(true, sideMarker, name); break;
        default: break;
    }
    // An empty menu would open as a bare frame.
    if (menu && menu->entries.empty()) return std::nullopt;
    return menu;
}

}  // namespace tabvex::trees
