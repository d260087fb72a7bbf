// The "Task List" page as a model the window draws: its columns, the rows built from
// the task list, the timer tick that spaces rebuilds, and the tool strip's commands.
#pragma once

#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tasks/engine.h"
#include "tasks/migration_task.h"

namespace tabvex::tasks {

struct TaskListColumn {
    const char* heading;
    int width;  // pixels; 0: the heading's width plus 15
};

inline constexpr std::array<TaskListColumn, 10> kTaskListColumns{{
    {"NO.", 32},
    {"Progress", 0},
    {"Type", 62},
    {"State", 60},
    {"Source DBMS", 200},
    {"Source DB", 0},
    {"Source T(V)", 0},
    {"Targert DBMS", 200},
    {"Target DB", 0},
    {"Target T(V)", 0},
}};

struct TaskListTool {
    int commandId;
    int image;  // index in the task list's image strip
    const char* toolTip;
};

inline constexpr std::array<TaskListTool, 5> kTaskListTools{{
    {5561, 4, "Clear All Tasks"},
    {5550, 3, "Delete"},
    {5580, 2, "Item Down"},
    {5579, 1, "Item Up"},
    {5560, 5, "Stop Tasks"},
}};

inline constexpr std::size_t kProgressColumn = 1;
inline constexpr std::size_t kStateColumn = 3;

struct TaskListRow {
    // Column 1 is a blank until rows arrive, then the task's row figures; the
    // progress bar lies under it.
    std::array<std::string, 10> texts;
    std::int32_t progress = 0;
    std::shared_ptr<MigrationTask> task;  // identifies the task's progress bar
};

// The rows of every task in list order. A task shown for the first time gets its
// progress bar; when its progress is still 0 the bar (and the task) start at 5.
std::vector<TaskListRow> BuildTaskListRows(const TaskList& list);

// Takes the task's state, row figures and bar position into its row again; true
// when any of them changed. The window calls it between rebuilds, so a task's
// state and progress show as they change.
bool RefreshTaskListRow(TaskListRow& row, std::int64_t nowMs);

// One tick of the window's timer: the clock in status pane 2, then, when the Task
// List page is in front and the countdown is due, the rows to draw.
std::optional<std::vector<TaskListRow>> TaskListTimerTick(Engine& engine, bool taskListInFront,
                                                          std::chrono::system_clock::time_point now);

// Makes the next tick rebuild the view and asks the window for that tick now.
void RequestTaskListRebuild(Engine& engine);

// The tool strip's commands, given the index of the row the view removed or moved
// (negative: none selected, nothing happens).
void DeleteTaskCommand(Engine& engine, int index);
void ClearTasksCommand(Engine& engine);
void MoveTaskUpCommand(Engine& engine, int index);
void MoveTaskDownCommand(Engine& engine, int index);

}  // namespace tabvex::tasks
