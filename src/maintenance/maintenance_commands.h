// The target tree's maintenance commands: new, delete and empty workbooks, drop and
// rename worksheets, drop views, the storage-engine switch, and the Delete command
// of the main window. Each runs on the window's thread against the tree it was
// given (the target tree for the main menu; a context menu's own tree), asks its
// questions through the UserInterface port and leaves the tree up to date.
#pragma once

#include <optional>
#include <string>

#include "app/output.h"
#include "app/task_gate.h"
#include "browser/sides.h"
#include "browser/db_tree.h"

namespace tabvex::maintenance {

// The main menu's New Database: only with the target tree's root selected (or an
// empty tree with nothing selected), else a message box says where to click.
void NewDatabaseMenuCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides);
// New Database from a tree: the person chooses the file, starting in the folder of
// the tree's database; the tree is refilled when a workbook was created.
void NewDatabaseCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides, browser::DbTree& tree);

// The selected database's workbook file is deleted after two questions.
void DeleteDatabaseCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides, browser::DbTree& tree);
// The selected database's workbook is replaced by a new empty one after two
// questions.
void ClearAllTablesCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides, browser::DbTree& tree);
// Every table under the current database node is dropped after two questions.
void ClearAllDataCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides, browser::DbTree& tree);

// Every command here that reaches the workbooks is refused while tasks run (they
// own the sides); the gate asks the person to stop them.

// The selected table (worksheet and its defined name) is dropped; no question.
void DropTableCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides, browser::DbTree& tree);
// The selected view is dropped (workbooks have none: the node goes); no question,
// but refused while tasks run like every command on the target.
void DropViewCommand(app::Output& output, app::TaskGate& gate, browser::DbTree& tree);

// Rename Table: makes the selected node the current one; true when it is a table
// that may be renamed now, and the window then starts editing its label.
bool RenameTableCommand(app::TaskGate& gate, browser::DbTree& tree);
// The end of a label edit on the tree: `newText` is nullopt when the edit was
// cancelled. Renames only when the edit was committed with Enter (the tree's
// rename-commit flag); true when the label is to show the new text. Clears the flag.
bool FinishTableRename(app::Output& output, app::TaskGate& gate, browser::Sides& sides, browser::DbTree& tree,
                       const std::optional<std::string>& newText);

// Switches the storage-engine name between MyISAM and InnoDB, telling the person;
// `menuText` is the entry's text now, the result its new text.
std::string StorageEngineCommand(app::Output& output, browser::DbTree& tree, const std::string& menuText);

// The main window's Delete command on the target tree's selection: databases,
// tables, the "Tables" folder, views and the "Views" folder, each after two
// questions.
void DeleteSelectedCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides);

}  // namespace tabvex::maintenance
