#include "tasks/engine_turn.h"

#include "tasks/worker.h"

namespace tabvex::tasks {

bool RefuseWhileTasksRun(app::Migrator& migrator) {
    switch (migrator.runState().load()) {
        case RunState::Processing:
            if (migrator.ui().ShowMessageBox({kStopAllQuestion, app::kProgramTitle, app::MessageButtons::OkCancel,
                                              app::MessageIcon::Question}) == app::MessageAnswer::Ok)
                RequestStop(migrator);
            return true;
        case RunState::Stopping:
            migrator.ui().ShowMessageBox(
                {kStoppingTryLater, app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Information});
            return true;
        case RunState::Idle: return false;
    }
    return true;
}

}  // namespace tabvex::tasks
