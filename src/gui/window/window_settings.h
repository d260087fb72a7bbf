// What the main window remembers between runs, in the user's configuration folder
// (QSettings: $XDG_CONFIG_HOME/tabvex/window.conf): its size and position, the
// trees' splitter, the output pane's chosen tab and the task list's column widths.
#pragma once

class QMainWindow;
class QSplitter;
class QTabWidget;

namespace tabvex::gui {

class TaskListPage;

struct RememberedWidgets {
    QMainWindow* window;
    QSplitter* trees;
    QTabWidget* output;
    TaskListPage* taskList;
};

// Gives the widgets what the last run left; nothing changes on a first run.
void RestoreWindowSettings(const RememberedWidgets& widgets);
void SaveWindowSettings(const RememberedWidgets& widgets);

}  // namespace tabvex::gui
