// The main window's menus as the trees' selection sets them: which of the three
// tree menus ("D&atabases", "&Database", "&Table") is shown, and which of their
// entries are enabled or greyed.
#pragma once

#include <vector>

#include "browser/db_tree.h"

namespace tabvex::trees {

// A top-level menu's position in the main window's menu bar.
enum class TopMenu { Databases = 2, Database = 3, Table = 4 };

// Command ids of the tree menus' entries.
inline constexpr int kNewDatabaseCommand = 32775;
inline constexpr int kChangeCharsetCommand = 32774;
inline constexpr int kStorageEngineCommand = 32794;
inline constexpr int kDeleteDatabaseCommand = 32772;
inline constexpr int kClearAllTablesCommand = 32773;
inline constexpr int kClearAllDataCommand = 32790;
inline constexpr int kMigrationConditionCommand = 32776;
inline constexpr int kDropTableCommand = 32787;
inline constexpr int kDropViewCommand = 32788;
inline constexpr int kRenameTableCommand = 32789;
// "Check...": what a migration of the source's database or table would not carry whole.
inline constexpr int kCheckCommand = 32795;

// The DbmsKind code of the one family whose charset and storage engine can change.
inline constexpr int kMySqlDbms = 2;

struct MenuEntryState {
    int commandId;
    bool enabled;
    bool operator==(const MenuEntryState&) const = default;
};

struct TreeMenuState {
    // Whether the three tree menus change at all; false while the tree refills.
    bool applies = false;
    // The tree menu left visible (the other two are hidden); none for kinds without one.
    std::vector<TopMenu> shown;
    // Entries whose state changes; entries not listed keep theirs.
    std::vector<MenuEntryState> entries;
    bool operator==(const TreeMenuState&) const = default;
};

// The menus after the tree's selection changed to `node`; also makes it the tree's
// selected and current node.
TreeMenuState SelectTreeNode(browser::DbTree& tree, browser::NodeId node);

// The menus for a node of that kind on a tree with that side marker and family.
TreeMenuState MenuStateFor(browser::TreeNodeKind kind, int sideMarker, int dbmsKind);

}  // namespace tabvex::trees
