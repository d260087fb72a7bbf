// What a task's row shows of its rows while it runs and after: the rows copied,
// of the rows expected when known, the rows per second and the time left, and the
// bar's position, which follows the rows copied when their total is known.
#pragma once

#include <cstdint>
#include <string>

#include "tasks/migration_task.h"

namespace tabvex::tasks {

struct TaskRowFigures {
    std::string text;  // empty before the first row arrives
    std::int32_t barPosition = 0;  // 0..100
};

// `nowMs` is SteadyMilliseconds() at the moment of showing.
TaskRowFigures TaskRowFiguresOf(const MigrationTask& task, std::int64_t nowMs);

// 65000 as "65,000".
std::string GroupedNumber(std::int64_t number);

}  // namespace tabvex::tasks
