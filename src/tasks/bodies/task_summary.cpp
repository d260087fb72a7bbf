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

TaskSummary::TaskSummary(const char* arrivedWord) : arrivedWord_(arrivedWord) {}

void TaskSummary::Arrived(const std::string& table, std::int64_t rows) {
    arrived_.push_back(table);
    rows_ += rows;
}

void TaskSummary::Failed(const std::string& table, std::int64_t rows) {
    notArrived_.push_back(table);
    rows_ += rows;
}

void TaskSummary::LeftOut(const std::string& table) { notArrived_.push_back(table); }

void TaskSummary::ArrivedTablesLost() {
    notArrived_.insert(notArrived_.end(), arrived_.begin(), arrived_.end());
    arrived_.clear();
}

void TaskSummary::ArrivedTableFailed(const std::string& table) {
    const auto found = std::find(arrived_.begin(), arrived_.end(), table);
    if (found == arrived_.end()) return;
    arrived_.erase(found);
    notArrived_.push_back(table);
}

void TaskSummary::Write(app::Output& output) const {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const std::string notArrived =
        notArrived_.empty() ? "none failed or left out"
                            : std::to_string(notArrived_.size()) + " failed or left out: " + Bracketed(notArrived_);
    app::WriteOutputLine(output, "%sSummary: %s %s, %s; %s copied in %.1f seconds", whole() ? "S::" : "E::",
                         Counted(static_cast<std::int64_t>(arrived_.size()), "table").c_str(), arrivedWord_,
                         notArrived.c_str(), Counted(rows_, "row").c_str(), seconds);
}

}  // namespace tabvex::tasks
