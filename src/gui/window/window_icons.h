// The window's images, from the program's own icon set (window.qrc): the mini tool
// bar's and menu entries' images, the task list strip's, the trees' node images and
// the program icon.
#pragma once

#include <QIcon>

#include "browser/db_tree.h"

namespace tabvex::gui {

// Images of the mini tool bar, in button order: 0 Configure, 1 Connect, 2 Migrate,
// 3 Delete, 4 Backup, 5 About.
QIcon ToolBarIcon(int image);
// Images of the task list strip: 0 pause, 1 up, 2 down, 3 minus, 4 circling arrows,
// 5 play.
QIcon TaskToolIcon(int image);
QIcon TreeNodeIcon(browser::TreeNodeKind kind);
// A source table whose rows a migration condition restricts: the table with a funnel.
QIcon ConditionedTableIcon();
// Images of the output pane's tabs: 0 Log, 1 Task List, 2 Tips.
QIcon OutputTabIcon(int image);
QIcon ProgramIcon();

}  // namespace tabvex::gui
