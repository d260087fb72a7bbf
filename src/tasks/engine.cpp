#include "tasks/engine.h"

#include "tasks/worker.h"

namespace tabvex::tasks {

Engine::Engine(app::Output& output, browser::Sides& sides, const connect::SharedOptions& options)
    : output_(output), sides_(sides), options_(options) {}

Engine::~Engine() {
    runState_ = RunState::Stopping;
    thread_.Shutdown();
}

TaskContext Engine::ContextFor(std::shared_ptr<MigrationTask> task) {
    return TaskContext{output_, sides_, *this, options_.get(), std::move(task)};
}

bool Engine::RefuseWhileTasksRun() {
    switch (runState_.load()) {
        case RunState::Processing:
            if (output_.ui().ShowMessageBox({kStopAllQuestion, app::kProgramTitle, app::MessageButtons::OkCancel,
                                             app::MessageIcon::Question}) == app::MessageAnswer::Ok)
                RequestStop(*this);
            return true;
        case RunState::Stopping:
            output_.ui().ShowMessageBox(
                {kStoppingTryLater, app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Information});
            return true;
        case RunState::Idle: return false;
    }
    return true;
}

}  // namespace tabvex::tasks
