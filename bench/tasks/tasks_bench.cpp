// How long a worker pass over 10,000 finished tasks and the rebuild of their 10,000
// rows take, and how long the window waits for the task list while a task runs and
// the window keeps editing and redrawing the list.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "bench/support/silent_user_interface.h"
#include "shell/program.h"
#include "tasks/task_list_view.h"
#include "tasks/worker.h"

namespace {

using namespace tabvex;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

std::shared_ptr<tasks::MigrationTask> Task(int i, tasks::TaskState state) {
    tasks::TaskNames names{"", "MS Jet[04.00.0000]", "MS Jet[04.00.0000]", "Table " + std::to_string(i),
                           "/data/shop", "", "/data/book"};
    auto task = std::make_shared<tasks::MigrationTask>(tasks::TaskCategory::Migration, tasks::TaskType::MigrateTable,
                                                       names, 0);
    task->state = state;
    return task;
}

template <typename Work>
double BestOf(int runs, Work work) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, Milliseconds(Clock::now() - start));
    }
    return best;
}

void PassAndRebuild() {
    bench::SilentUserInterface ui;
    shell::Program program(ui, "/nonexistent");
    for (int i = 0; i < 10000; ++i) program.engine().taskList().Append(Task(i, tasks::TaskState::Succeeded));
    std::printf("pass over 10,000 finished tasks:   %8.3f ms (best of 20)\n",
                BestOf(20, [&] { tasks::RunWorkerPass(program.engine()); }));
    std::printf("rebuild of 10,000 task list rows:  %8.3f ms (best of 20)\n",
                BestOf(20, [&] { tasks::BuildTaskListRows(program.engine().taskList()); }));
}

// The window appends, moves and redraws while a task runs for two seconds.
void WindowWaitWhileATaskRuns() {
    bench::SilentUserInterface ui;
    shell::Program program(ui, "/nonexistent");
    program.engine().timings().passInterval = 50ms;
    for (int i = 0; i < 10000; ++i) program.engine().taskList().Append(Task(i, tasks::TaskState::Succeeded));
    std::atomic<bool> running{false};
    program.engine().taskBodies()[tasks::TaskType::MigrateDatabase] = [&](tasks::TaskContext& context) {
        running = true;
        for (int i = 0; i < 200; ++i) {
            context.SetProgress(i / 2);
            std::this_thread::sleep_for(10ms);
        }
        running = false;
        return true;
    };
    program.engine().taskList().Append(std::make_shared<tasks::MigrationTask>(
        tasks::TaskCategory::Migration, tasks::TaskType::MigrateDatabase, tasks::TaskNames{}, 0));
    tasks::StartWorkerAfterNewTasks(program.engine());
    while (!running) std::this_thread::sleep_for(1ms);
    double longestEdit = 0;
    double longestRebuild = 0;
    int operations = 0;
    while (running) {
        auto start = Clock::now();
        program.engine().taskList().Append(Task(operations, tasks::TaskState::Succeeded));
        tasks::MoveTaskUpCommand(program.engine(), 3);
        program.engine().taskList().Snapshot();
        longestEdit = std::max(longestEdit, Milliseconds(Clock::now() - start));
        start = Clock::now();
        tasks::BuildTaskListRows(program.engine().taskList());
        longestRebuild = std::max(longestRebuild, Milliseconds(Clock::now() - start));
        ++operations;
        std::this_thread::sleep_for(5ms);
    }
    std::printf("while a task ran (%d rounds): longest append+move+snapshot %.3f ms, "
                "longest rebuild of 10,000+ rows %.3f ms\n",
                operations, longestEdit, longestRebuild);
}

}  // namespace

int main() {
    PassAndRebuild();
    WindowWaitWhileATaskRuns();
    return 0;
}
