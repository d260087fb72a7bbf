#include "cli/task_report.h"

#include <iostream>

namespace tabvex::cli {

namespace {

using nlohmann::json;

json SummaryJson(const std::optional<tasks::TaskOutcome>& outcome) {
    if (!outcome) return nullptr;
    return {{"done_means", outcome->arrivedWord},
            {"tables", outcome->arrived},
            {"failed_or_left_out", outcome->notArrived},
            {"rows", outcome->rows},
            {"seconds", outcome->seconds},
            {"whole", outcome->whole()}};
}

}  // namespace

json TasksJson(const tasks::TaskList& list, int exitStatus) {
    json tasks = json::array();
    for (const auto& task : list.Snapshot())
        tasks.push_back({{"state", std::string(tasks::StateTextOf(task->stateText.load()))}, {"summary", SummaryJson(task->outcome())}});
    return {{"exit_status", exitStatus}, {"succeeded", exitStatus == 0}, {"tasks", std::move(tasks)}};
}

int FinishTaskCommand(const tasks::TaskList& list, const ReportOptions& report, int exitStatus) {
    if (report.json) std::cout << TasksJson(list, exitStatus).dump(2) << '\n';
    return exitStatus;
}

}  // namespace tabvex::cli
