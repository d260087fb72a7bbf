#include "tasks/task_list_lock.h"

namespace tabvex::tasks {

std::recursive_mutex& TaskListLock() {
    static std::recursive_mutex lock;
    return lock;
}

}  // namespace tabvex::tasks
