// Commands that use a side's connection wait their turn: while a worker runs, the
// worker owns both connections, so such a command does nothing but offer to stop
// the tasks (processing) or say that they are ending (stopping).
#pragma once

#include "app/migrator.h"

namespace tabvex::tasks {

inline constexpr const char* kStoppingTryLater = "Some Tasks is Stopping, Please try again later!!!";

// Window thread, first thing in such a command. While processing: the OK/Cancel
// question "Some Tasks is Processing, STOP ALL?", OK requesting the stop; while
// stopping: the box saying so. True when the command was refused; false when no
// worker runs and the command may go on.
bool RefuseWhileTasksRun(app::Migrator& migrator);

}  // namespace tabvex::tasks
