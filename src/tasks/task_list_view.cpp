#include "tasks/task_list_view.h"

#include <cstdio>
#include <ctime>

#include "tasks/task_row_figures.h"

namespace tabvex::tasks {

namespace {

// A backup of a whole workbook names what it backs up where a table's name stands.
std::string TargetObjectText(const MigrationTask& task) {
    const TaskNames& names = task.names;
    if (task.category != TaskCategory::Backup || !names.targetObject.empty())
        return DisplayedTaskName(names.targetObject);
    if (names.scope == "T") return "(all tables)";
    if (names.scope == "V") return "(all views)";
    return "(all tables and views)";
}

TaskListRow RowOf(const std::shared_ptr<MigrationTask>& task, std::size_t position) {
    char number[24];
    std::snprintf(number, sizeof number, "%02zu", position + 1);
    const TaskNames& names = task->names;
    TaskListRow row;
    row.texts = {number,
                 " ",
                 task->category == TaskCategory::Migration ? "MIGRATION" : "BACKUP",
                 "",
                 DisplayedTaskName(names.sourceDbms),
                 DisplayedTaskName(names.sourceDatabase),
                 DisplayedTaskName(names.sourceObject),
                 DisplayedTaskName(names.targetDbms),
                 DisplayedTaskName(names.targetDatabase),
                 TargetObjectText(*task)};
    row.task = task;
    if (!task->shownInView.exchange(true)) {
        // A new bar never starts empty; the worker sets 0 again when the task starts.
        std::int32_t unstarted = 0;
        task->progress.compare_exchange_strong(unstarted, 5);
    }
    RefreshTaskListRow(row, adapters::SteadyMilliseconds());
    return row;
}

std::string ClockText(std::chrono::system_clock::time_point now) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

}  // namespace

bool RefreshTaskListRow(TaskListRow& row, std::int64_t nowMs) {
    const MigrationTask& task = *row.task;
    const TaskRowFigures figures = TaskRowFiguresOf(task, nowMs);
    std::string state(StateTextOf(task.stateText.load()));
    std::string progressText = figures.text.empty() ? " " : figures.text;
    const bool changed = row.texts[kStateColumn] != state || row.texts[kProgressColumn] != progressText ||
                         row.progress != figures.barPosition;
    row.texts[kStateColumn] = std::move(state);
    row.texts[kProgressColumn] = std::move(progressText);
    row.progress = figures.barPosition;
    return changed;
}

std::vector<TaskListRow> BuildTaskListRows(const TaskList& list) {
    const auto tasks = list.Snapshot();
    std::vector<TaskListRow> rows;
    rows.reserve(tasks.size());
    for (std::size_t i = 0; i < tasks.size(); ++i) rows.push_back(RowOf(tasks[i], i));
    return rows;
}

std::optional<std::vector<TaskListRow>> TaskListTimerTick(Engine& engine, bool taskListInFront,
                                                          std::chrono::system_clock::time_point now) {
    engine.output().SetStatusText(app::StatusPane::Clock, ClockText(now));
    if (!taskListInFront || !engine.taskList().TickRefreshCountdown()) return std::nullopt;
    return BuildTaskListRows(engine.taskList());
}

void RequestTaskListRebuild(Engine& engine) {
    engine.taskList().SetRefreshCountdown(5);
    engine.output().ui().RebuildTaskList();
}

void DeleteTaskCommand(Engine& engine, int index) {
    if (engine.taskList().Delete(index)) RequestTaskListRebuild(engine);
}

void ClearTasksCommand(Engine& engine) {
    engine.taskList().Clear();
    RequestTaskListRebuild(engine);
}

void MoveTaskUpCommand(Engine& engine, int index) {
    if (engine.taskList().MoveUp(index)) RequestTaskListRebuild(engine);
}

void MoveTaskDownCommand(Engine& engine, int index) {
    if (engine.taskList().MoveDown(index)) RequestTaskListRebuild(engine);
}

}  // namespace tabvex::tasks
