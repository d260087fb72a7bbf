#include "adapters/excel/source_query.h"

#include "adapters/excel/statement_text.h"
#include "browser/condition_file.h"

namespace tabvex::adapters {

std::string SourceRowsQuery(const app::Migrator& migrator, const std::string& database, const std::string& table) {
    std::string query = "select * from " + StatementTableName(table);
    const std::string condition = browser::TableCondition(migrator, database, table);
    if (!condition.empty()) query += " where " + condition;
    return query;
}

}  // namespace tabvex::adapters
