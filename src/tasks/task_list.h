// The task list: the run order and display order of every queued task. The window
// edits it under a short lock; the worker takes a snapshot of the task pointers at the
// start of each pass, so a pass never sees a freed task and the window never waits
// for one to finish. Deleting, clearing or moving a task that is running only
// changes the list: the running task finishes on its own object, which the pass
// still holds, and is then dropped. A waiting task deleted during a pass is not run.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "tasks/migration_task.h"

namespace tabvex::tasks {

class TaskList {
public:
    using TaskPointer = std::shared_ptr<MigrationTask>;

    void Append(TaskPointer task);
    // Each returns false when the index names no task or the move goes nowhere.
    bool Delete(int index);
    void Clear();
    bool MoveUp(int index);
    bool MoveDown(int index);

    std::vector<TaskPointer> Snapshot() const;
    bool Contains(const MigrationTask* task) const;
    bool AnyWaiting() const;  // a task in state 0
    std::size_t WaitingCount() const;  // tasks that read Waiting: not started yet
    std::size_t size() const;

    // Countdown 0..5 that spaces full rebuilds of the view; 5 rebuilds at the next tick.
    int refreshCountdown() const;
    void SetRefreshCountdown(int value);
    // One timer tick: true when the view is due for a rebuild (and the countdown
    // starts again), else the countdown advances.
    bool TickRefreshCountdown();

private:
    mutable std::mutex mutex_;
    std::vector<TaskPointer> tasks_;
    int refreshCountdown_ = 0;
};

}  // namespace tabvex::tasks
