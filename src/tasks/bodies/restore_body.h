// The restore task body (515): a backup's tables (the database folder the backup
// wrote, with TABLES/T.tbl and DATA/T.data) created again in a workbook, new or
// existing, and their rows inserted, each table counted in the task's summary.
#pragma once

#include "tasks/task_context.h"

namespace tabvex::tasks {

// The target side names the workbook (`targetDatabase`); one that does not exist is
// created. A table whose sheet the workbook has already fails unless the task
// replaces sheets. Runs on the worker thread.
bool RestoreBody(TaskContext& context);

}  // namespace tabvex::tasks
