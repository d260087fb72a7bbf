// A task gate whose answer the test sets: tasks running or not, and how often a
// command asked it. For commands tested without a worker of their own.
#pragma once

#include "app/task_gate.h"

namespace tabvex::test {

class FakeGate : public app::TaskGate {
public:
    bool RefuseWhileTasksRun() override {
        ++asked;
        return running;
    }
    bool tasksRunning() const override { return running; }
    bool stopRequested() const override { return stopping; }

    bool running = false;
    bool stopping = false;
    int asked = 0;
};

}  // namespace tabvex::test
