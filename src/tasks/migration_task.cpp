#include "tasks/migration_task.h"

namespace tabvex::tasks {

std::string_view StateTextOf(TaskStateText text) {
    switch (text) {
        case TaskStateText::Waiting: return "Waiting";
        case TaskStateText::Working: return "Working";
        case TaskStateText::Success: return "SUCCESS";
        case TaskStateText::Failure: return "FAILURE";
    }
    return "";
}

std::string DisplayedTaskName(std::string_view text) {
    if (text.size() <= kMaxTaskNameLength) return std::string(text);
    std::size_t end = kMaxTaskNameLength;
    // Step back over continuation bytes so that no character is cut in two.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return std::string(text.substr(0, end));
}

MigrationTask::MigrationTask(TaskCategory category, TaskType type, TaskNames names, std::int64_t queuedAt)
    : category(category), type(type), names(std::move(names)), timeStamp(queuedAt) {}

void MigrationTask::SetOutcome(TaskOutcome outcome) {
    std::lock_guard lock(outcomeMutex_);
    outcome_ = std::move(outcome);
}

std::optional<TaskOutcome> MigrationTask::outcome() const {
    std::lock_guard lock(outcomeMutex_);
    return outcome_;
}

}  // namespace tabvex::tasks
