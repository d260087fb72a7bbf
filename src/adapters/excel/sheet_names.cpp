#include "adapters/excel/sheet_names.h"

#include <algorithm>
#include <set>

#include "platform/jet/excel/excel_table_name.h"
#include "platform/text/utf8.h"
#include "platform/xls/limits.h"
#include "platform/xls/text_encoding.h"

namespace tabvex::adapters {

namespace {

// The fitted name, or the first "<fitted>_N" (cut so that it fits) not yet taken.
std::string UniqueName(const std::string& table, std::set<std::u16string>& taken) {
    std::string name = jet::excel::FitTableName(table, xls::kMaxSheetName);
    for (int n = 2; !taken.insert(FoldedSheetName(name)).second; ++n) {
        const std::string suffix = "_" + std::to_string(n);
        name = jet::excel::FitTableName(table, xls::kMaxSheetName - suffix.size());
        name += suffix;
    }
    return name;
}

}  // namespace

std::vector<std::string> FitSheetNames(const std::vector<std::string>& tables) {
    std::set<std::u16string> taken;
    std::vector<std::string> names;
    names.reserve(tables.size());
    for (const auto& table : tables) names.push_back(UniqueName(table, taken));
    return names;
}

std::string SheetNameOfTable(const std::vector<std::string>& tables, const std::string& table) {
    const auto found = std::find(tables.begin(), tables.end(), table);
    if (found == tables.end()) return FitSheetNames({table}).front();
    return FitSheetNames(tables)[static_cast<std::size_t>(found - tables.begin())];
}

std::string SheetOfWorkbookTable(const std::string& table) {
    return jet::excel::SheetOfTableName(table).value_or(table);
}

std::u16string FoldedSheetName(const std::string& name) { return xls::FoldCase(text::Utf8ToUtf16(name)); }

}  // namespace tabvex::adapters
