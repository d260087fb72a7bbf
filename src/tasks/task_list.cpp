#include "tasks/task_list.h"

#include <algorithm>
#include <utility>

namespace tabvex::tasks {

void TaskList::Append(TaskPointer task) {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
}

bool TaskList::Delete(int index) {
    std::lock_guard lock(mutex_);
    if (index < 0 || static_cast<std::size_t>(index) >= tasks_.size()) return false;
    tasks_.erase(tasks_.begin() + index);
    return true;
}

void TaskList::Clear() {
    std::lock_guard lock(mutex_);
    tasks_.clear();
}

bool TaskList::MoveUp(int index) {
    std::lock_guard lock(mutex_);
    if (index <= 0 || static_cast<std::size_t>(index) >= tasks_.size()) return false;
    std::swap(tasks_[index - 1], tasks_[index]);
    return true;
}

bool TaskList::MoveDown(int index) {
    std::lock_guard lock(mutex_);
    if (index < 0 || static_cast<std::size_t>(index) + 1 >= tasks_.size()) return false;
    std::swap(tasks_[index], tasks_[index + 1]);
    return true;
}

std::vector<TaskList::TaskPointer> TaskList::Snapshot() const {
    std::lock_guard lock(mutex_);
    return tasks_;
}

bool TaskList::Contains(const MigrationTask* task) const {
    std::lock_guard lock(mutex_);
    return std::any_of(tasks_.begin(), tasks_.end(), [task](const TaskPointer& t) { return t.get() == task; });
}

bool TaskList::AnyWaiting() const {
    std::lock_guard lock(mutex_);
    return std::any_of(tasks_.begin(), tasks_.end(),
                       [](const TaskPointer& t) { return t->state.load() == TaskState::NotRun; });
}

std::size_t TaskList::WaitingCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count_if(tasks_.begin(), tasks_.end(), [](const TaskPointer& t) {
        return t->stateText.load() == TaskStateText::Waiting;
    }));
}

std::size_t TaskList::size() const {
    std::lock_guard lock(mutex_);
    return tasks_.size();
}

int TaskList::refreshCountdown() const {
    std::lock_guard lock(mutex_);
    return refreshCountdown_;
}

void TaskList::SetRefreshCountdown(int value) {
    std::lock_guard lock(mutex_);
    refreshCountdown_ = value;
}

bool TaskList::TickRefreshCountdown() {
    std::lock_guard lock(mutex_);
    if (refreshCountdown_ < 4) {
        ++refreshCountdown_;
        return false;
    }
    refreshCountdown_ = 0;
    return true;
}

}  // namespace tabvex::tasks
