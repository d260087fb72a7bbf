#include "trees/tree_menus.h"

namespace tabvex::trees {

namespace {

using browser::TreeNodeKind;

TreeMenuState RootMenus(int sideMarker, int dbmsKind) {
    const bool mySql = dbmsKind == kMySqlDbms;
    return {true,
            {TopMenu::Databases},
            {{kNewDatabaseCommand, sideMarker == browser::kTargetSide},
             {kChangeCharsetCommand, mySql},
             {kStorageEngineCommand, mySql}}};
}

TreeMenuState DatabaseMenus(int sideMarker) {
    const bool target = sideMarker == browser::kTargetSide;
    return {true,
            {TopMenu::Database},
            {{kDeleteDatabaseCommand, target}, {kClearAllTablesCommand, target}, {kClearAllDataCommand, target}}};
}

// Tables and views share the Table menu; the target tree's entries depend on which.
TreeMenuState ObjectMenus(bool isView, int sideMarker) {
    TreeMenuState state{true, {TopMenu::Table}, {}};
    if (sideMarker == browser::kSourceSide) {
        state.entries = {{kMigrationConditionCommand, true},
                         {kDropTableCommand, false},
                         {kDropViewCommand, false},
                         {kRenameTableCommand, false}};
    } else if (sideMarker == browser::kTargetSide) {
        state.entries = {{kMigrationConditionCommand, false},
                         {kDropTableCommand, !isView},
                         {kDropViewCommand, isView},
                         {kRenameTableCommand, !isView}};
    }
    return state;
}

}  // namespace

TreeMenuState MenuStateFor(TreeNodeKind kind, int sideMarker, int dbmsKind) {
    switch (kind) {
        case TreeNodeKind::Root: return RootMenus(sideMarker, dbmsKind);
        case TreeNodeKind::Database: return DatabaseMenus(sideMarker);
        case TreeNodeKind::Table: return ObjectMenus(false, sideMarker);
        case TreeNodeKind::View: return ObjectMenus(true, sideMarker);
        default: return {true, {}, {}};
    }
}

TreeMenuState SelectTreeNode(browser::DbTree& tree, browser::NodeId node) {
    // A fill replaces every node; what it selects on the way says nothing.
    if (tree.refreshing()) return {};
    tree.Select(node);
    if (node == browser::kNoNode || node >= tree.nodeCount()) return {};
    return MenuStateFor(tree.node(node).kind, tree.sideMarker(), tree.connection().dbmsKind);
}

}  // namespace tabvex::trees
