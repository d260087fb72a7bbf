#include "adapters/excel/continuation_sheets.h"

#include "adapters/excel/excel_create_table.h"
#include "adapters/excel/sheet_names.h"
#include "app/output_lines.h"
#include "platform/jet/excel/excel_table_name.h"
#include "platform/text/utf8.h"
#include "platform/xls/limits.h"
#include "connect/statement_runners.h"

namespace tabvex::adapters {

std::string ContinuationSheetName(const std::string& sheet, int number) {
    const std::string suffix = jet::excel::FitTableName(" (" + std::to_string(number) + ")", xls::kMaxSheetName);
    return jet::excel::FitTableName(sheet, xls::kMaxSheetName - text::Utf16Length(suffix)) + suffix;
}

ContinuationSheets::ContinuationSheets(app::Output& output, const connect::ConnectionHolder& source,
                                       connect::ConnectionHolder& target, std::string table, std::string sheet,
                                       const std::vector<std::string>& takenSheets)
    : output_(output), source_(source), target_(target), table_(std::move(table)), sheet_(std::move(sheet)) {
    for (const auto& name : takenSheets) taken_.insert(FoldedSheetName(name));
}

// The first numbered name not taken yet.
std::string ContinuationSheets::FreeName() {
    std::string name;
    do name = ContinuationSheetName(sheet_, ++number_);
    while (!taken_.insert(FoldedSheetName(name)).second);
    return name;
}

std::optional<std::string> ContinuationSheets::Open() {
    const std::string name = FreeName();
    const std::string statement = BuildExcelCreateTable(output_, source_, table_, name);
    if (statement == kCreateTableError || !connect::ExecuteStatement(output_, target_, statement, true)) {
        app::WriteOutputLine(output_, "E::TABLE: [%s] cannot continue on worksheet [%s]", table_.c_str(),
                             name.c_str());
        return std::nullopt;
    }
    app::WriteOutputLine(output_, "TABLE: [%s] continues on worksheet [%s]", table_.c_str(), name.c_str());
    return name;
}

}  // namespace tabvex::adapters
