// The line that ends every migration and backup task: how many tables arrived, which
// failed or were left out, how many rows were copied and how long it took. A task is
// whole only when no table failed or was left out.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "app/output.h"
#include "tasks/task_context.h"
#include "tasks/task_outcome.h"

namespace tabvex::tasks {

class TaskSummary {
public:
    // `arrivedWord` says what became of a table that is done ("arrived", "backed up").
    explicit TaskSummary(std::string arrivedWord);

    void Arrived(const std::string& table, std::int64_t rows);
    void Failed(const std::string& table, std::int64_t rows);
    void LeftOut(const std::string& table);
    // The tables that arrived are lost after all: the workbook could not be saved.
    void ArrivedTablesLost();
    // A table counted as arrived did not read back as it was sent.
    void ArrivedTableFailed(const std::string& table);

    bool whole() const { return outcome_.whole(); }
    std::int64_t rowsCopied() const { return outcome_.rows; }

    // "S::Summary: …" when whole, else "E::Summary: …" naming the tables; the task
    // keeps what the line says.
    void Write(TaskContext& context) const;

private:
    TaskOutcome outcome_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace tabvex::tasks
