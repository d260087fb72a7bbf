// The end of a command that ran tasks (migrate, backup, restore): with --json, one
// document on stdout telling what the summary lines told, per task:
//   {"exit_status": 0, "succeeded": true,
//    "tasks": [{"state": "SUCCESS", "summary": {"done_means": "arrived", "tables": [...],
//               "failed_or_left_out": [...], "rows": 830, "seconds": 0.4, "whole": true}}]}
// "summary" is null for a task that ended before writing one.
#pragma once

#include <nlohmann/json.hpp>

#include "cli/report_options.h"
#include "tasks/task_list.h"

namespace tabvex::cli {

nlohmann::json TasksJson(const tasks::TaskList& tasks, int exitStatus);

// Prints the document when the options ask for it; returns `exitStatus`.
int FinishTaskCommand(const tasks::TaskList& tasks, const ReportOptions& report, int exitStatus);

}  // namespace tabvex::cli
