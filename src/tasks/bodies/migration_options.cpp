#include "tasks/bodies/migration_options.h"

#include <vector>

#include "adapters/excel/excel_workbook.h"
#include "adapters/excel/saved_workbook_check.h"

namespace tabvex::tasks {

MigrationOptionSteps::MigrationOptionSteps(app::Output& output, const connect::ConnectionSettings& target,
                                           const connect::Options& options)
    : output_(output),
      workbook_(adapters::ConnectedTargetWorkbook(target)),
      verify_(options.verifyAfterWriting),
      binaryFiles_(options.binaryFiles) {}

adapters::TransferHooks MigrationOptionSteps::HooksFor(const std::string& table, const std::string& sheet) {
    adapters::TransferHooks hooks;
    if (verify_) hooks.sentCells = &sent_.emplace_back(table, sheet);
    if (binaryFiles_) hooks.binaryFiles = &files_.emplace(workbook_, table);
    return hooks;
}

void MigrationOptionSteps::TableFailed() {
    if (verify_ && !sent_.empty()) sent_.pop_back();
}

void MigrationOptionSteps::VerifySaved(TaskSummary& summary) {
    if (!verify_ || sent_.empty()) return;
    std::vector<const adapters::SentCells*> tables;
    for (const auto& sent : sent_) tables.push_back(&sent);
    for (const std::string& table : adapters::VerifySavedWorkbook(output_, workbook_, tables))
        summary.ArrivedTableFailed(table);
}

}  // namespace tabvex::tasks
