#include "adapters/excel/source_query.h"

#include "adapters/excel/statement_text.h"
#include "browser/condition_file.h"

namespace tabvex::adapters {

std::string SourceRowsQuery(const std::filesystem::path& conditionFile, const std::string& database,
                            const std::string& table) {
    std::string query = "select * from " + StatementTableName(table);
    const std::string condition = browser::TableCondition(conditionFile, database, table);
    if (!condition.empty()) query += " where " + condition;
    return query;
}

}  // namespace tabvex::adapters
