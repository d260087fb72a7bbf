#include "check/source_check.h"

#include <algorithm>
#include <set>

#include "adapters/excel/sheet_names.h"
#include "adapters/excel/source_query.h"
#include "adapters/excel/worksheet_capacity.h"
#include "browser/condition_file.h"
#include "tasks/bodies/object_list.h"

namespace tabvex::check {

namespace {

// The names a new sheet cannot take in the target, compared without case.
std::set<std::u16string> TakenSheetNames(app::Output& output, connect::ConnectionHolder* target) {
    std::set<std::u16string> taken;
    if (!target || !target->HasSession()) return taken;
    for (const auto& sheet : tasks::WorkbookSheetNames(output, *target)) taken.insert(adapters::FoldedSheetName(sheet));
    return taken;
}

// Rows past a sheet's end are lost, unless they continue on new sheets.
void JudgeRows(TableCheck& check, bool continueLongTables) {
    if (continueLongTables) {
        check.sheets = adapters::SheetsForRows(check.rows);
    } else {
        check.rowsPastSheet = std::max<std::int64_t>(0, check.rows - adapters::kWorksheetDataRows);
    }
}

TableCheck CheckTable(const std::filesystem::path& conditionFile, oledb::Session& source, const CheckRequest& request,
                      const std::string& table, const std::string& sheet,
                      const std::set<std::u16string>& takenSheets) {
    TableCheck check;
    check.table = table;
    check.sheet = sheet;
    check.condition = browser::TableCondition(conditionFile, request.database, table);
    const bool taken = takenSheets.contains(adapters::FoldedSheetName(sheet));
    check.sheetTaken = taken && !request.replaceSheets;
    check.sheetReplaced = taken && request.replaceSheets;
    ReadTableRows(source, adapters::SourceRowsQuery(conditionFile, request.database, table), request.binaryFiles, check);
    JudgeRows(check, request.continueLongTables);
    return check;
}

}  // namespace

bool CheckReport::whole() const {
    return error.empty() && std::all_of(tables.begin(), tables.end(), [](const TableCheck& t) { return t.whole(); });
}

CheckReport CheckSource(app::Output& output, const std::filesystem::path& conditionFile,
                        connect::ConnectionHolder& source,
                        connect::ConnectionHolder* target, const CheckRequest& request) {
    CheckReport report;
    const auto listed = tasks::ListObjects(output, source, "TABLE", "Open tables Error: ");
    if (!listed) {
        report.error = "the source's tables cannot be listed";
        return report;
    }
    const std::vector<std::string> tables = tasks::TableNames(*listed);
    const std::vector<std::string> sheets = adapters::FitSheetNames(tables);
    const std::set<std::u16string> taken = TakenSheetNames(output, target);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        if (request.table && tables[i] != *request.table) continue;
        report.tables.push_back(CheckTable(conditionFile, *source.session, request, tables[i], sheets[i], taken));
    }
    // A table the list does not hold is read as the migration of that table would.
    if (request.table && report.tables.empty())
        report.tables.push_back(CheckTable(conditionFile, *source.session, request, *request.table,
                                           adapters::SheetNameOfTable(tables, *request.table), taken));
    return report;
}

}  // namespace tabvex::check
