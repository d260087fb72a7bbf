// The gate between the person's commands and the worker. While a worker runs it owns
// both sides' connections, settings and trees, so a command that touches a side asks
// the gate first. The worker implements it; the commands below the task engine know
// only this port.
#pragma once

namespace tabvex::app {

class TaskGate {
public:
    virtual ~TaskGate() = default;

    // Window thread, first thing in such a command. While tasks are processing: the
    // OK/Cancel question "Some Tasks is Processing, STOP ALL?", OK requesting the stop;
    // while they are stopping: the box saying so. True when the command was refused;
    // false when no worker runs and the command may go on.
    virtual bool RefuseWhileTasksRun() = 0;
    // A worker exists (processing or stopping).
    virtual bool tasksRunning() const = 0;
    // The running tasks were asked to stop: table loops and row transfers end early.
    virtual bool stopRequested() const = 0;
};

}  // namespace tabvex::app
