#include "check/check_text.h"

#include "adapters/excel/option_hints.h"
#include "adapters/excel/worksheet_capacity.h"
#include "platform/xls/limits.h"
#include "tasks/task_row_figures.h"

namespace tabvex::check {

namespace {

using tasks::GroupedNumber;

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : separator) + part;
    return text;
}

std::string Plural(std::int64_t count, const char* one, const char* many) {
    return GroupedNumber(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::vector<std::string> TableProblems(const TableCheck& check) {
    std::vector<std::string> problems;
    if (!check.readError.empty()) problems.push_back("cannot be read: " + check.readError);
    if (check.rowsPastSheet > 0)
        problems.push_back(Plural(check.rowsPastSheet, "row", "rows") + " past the worksheet's last row (" +
                           GroupedNumber(adapters::kWorksheetDataRows) + " rows under the header); " +
                           adapters::kSplitLongTablesHint);
    for (const auto& column : check.longValues)
        problems.push_back(Plural(column.count, "value", "values") + " longer than " +
                           GroupedNumber(xls::kMaxCellText) + " characters in [" + column.column + "]" +
                           (column.binary ? std::string("; ") + adapters::kBinaryFilesHint : ""));
    if (check.sheetTaken)
        problems.push_back("the target already holds a sheet [" + check.sheet + "]; " + adapters::kOverwriteTableHint);
    return problems;
}

std::string TableOutlook(const TableCheck& check) {
    if (!check.whole()) return Joined(TableProblems(check), "; ");
    std::vector<std::string> outlook{"arrives whole"};
    if (check.sheets > 1) outlook.push_back("continues on " + GroupedNumber(check.sheets) + " sheets");
    if (check.valuesSavedAsFiles > 0)
        outlook.push_back(Plural(check.valuesSavedAsFiles, "binary value", "binary values") + " saved as files");
    if (check.sheetReplaced) outlook.push_back("replaces the target's sheet [" + check.sheet + "]");
    return Joined(outlook, ", ");
}

std::string TableCheckLine(const TableCheck& check) {
    std::string line = "[" + check.table + "] " + Plural(check.rows, "row", "rows");
    if (!check.condition.empty()) line += " where " + check.condition;
    if (check.sheet != check.table) line += ", becomes sheet [" + check.sheet + "]";
    return line + ": " + (check.whole() ? "" : "NOT WHOLE: ") + TableOutlook(check);
}

std::string CheckSummaryLine(const CheckReport& report) {
    if (!report.error.empty()) return "Check: " + report.error;
    std::vector<std::string> notWhole;
    for (const auto& table : report.tables)
        if (!table.whole()) notWhole.push_back("[" + table.table + "]");
    const std::string tables = Plural(static_cast<std::int64_t>(report.tables.size()), "table", "tables");
    if (notWhole.empty()) return "Check: " + tables + ", every one would arrive whole";
    return "Check: " + tables + ", " + GroupedNumber(static_cast<std::int64_t>(notWhole.size())) +
           " would not arrive whole: " + Joined(notWhole, ", ");
}

}  // namespace tabvex::check
