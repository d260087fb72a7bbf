#include "tasks/bodies/task_summary.h"

#include <algorithm>

#include "app/output_lines.h"

namespace tabvex::tasks {

namespace {

// "1 table", "2 tables".
std::string Counted(std::int64_t count, const char* thing) {
    return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

std::string Bracketed(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "[" : ", [") + name + "]";
    return text;
}

}  // namespace

TaskSummary::TaskSummary(std::string arrivedWord) { outcome_.arrivedWord = std::move(arrivedWord); }

void TaskSummary::Arrived(const std::string& table, std::int64_t rows) {
    outcome_.arrived.push_back(table);
    outcome_.rows += rows;
}

void TaskSummary::Failed(const std::string& table, std::int64_t rows) {
    outcome_.notArrived.push_back(table);
    outcome_.rows += rows;
}

void TaskSummary::LeftOut(const std::string& table) { outcome_.notArrived.push_back(table); }

void TaskSummary::ArrivedTablesLost() {
    outcome_.notArrived.insert(outcome_.notArrived.end(), outcome_.arrived.begin(), outcome_.arrived.end());
    outcome_.arrived.clear();
}

void TaskSummary::ArrivedTableFailed(const std::string& table) {
    const auto found = std::find(outcome_.arrived.begin(), outcome_.arrived.end(), table);
    if (found == outcome_.arrived.end()) return;
    outcome_.arrived.erase(found);
    outcome_.notArrived.push_back(table);
}

void TaskSummary::Write(TaskContext& context) const {
    TaskOutcome written = outcome_;
    written.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const std::string notArrived = written.whole() ? "none failed or left out"
                                                   : std::to_string(written.notArrived.size()) +
                                                         " failed or left out: " + Bracketed(written.notArrived);
    app::WriteOutputLineOf(context.output, app::LineKind::Summary, "%sSummary: %s %s, %s; %s copied in %.1f seconds",
                           written.whole() ? "S::" : "E::",
                           Counted(static_cast<std::int64_t>(written.arrived.size()), "table").c_str(),
                           written.arrivedWord.c_str(), notArrived.c_str(), Counted(written.rows, "row").c_str(),
                           written.seconds);
    context.task->SetOutcome(std::move(written));
}

}  // namespace tabvex::tasks
