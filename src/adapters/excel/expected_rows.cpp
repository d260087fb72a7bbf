#include "adapters/excel/expected_rows.h"

#include <charconv>

#include "adapters/excel/statement_text.h"
#include "browser/condition_file.h"
#include "connect/statement_runners.h"

namespace tabvex::adapters {

std::optional<std::int64_t> ExpectedRowCount(app::Output& output, browser::Sides& sides, const std::string& database,
                                              const std::string& table) {
    connect::ConnectionHolder& source = sides.source().holder();
    if (!source.HasSession() || !connect::IsJetProvider(sides.source().settings().providerProgId) ||
        !browser::TableCondition(sides.conditionFile(), database, table).empty()) {
        return std::nullopt;
    }
    const std::string count =
        connect::RunScalarQuery(output, source, "select count(*) from " + StatementTableName(table), false);
    std::int64_t rows = 0;
    const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), rows);
    if (error != std::errc() || end != count.data() + count.size()) return std::nullopt;
    return rows;
}

std::optional<std::int64_t> ExpectedRowCount(app::Output& output, browser::Sides& sides, const std::string& database,
                                              const std::vector<std::string>& tables) {
    std::int64_t total = 0;
    for (const std::string& table : tables) {
        const auto rows = ExpectedRowCount(output, sides, database, table);
        if (!rows) return std::nullopt;
        total += *rows;
    }
    return total;
}

}  // namespace tabvex::adapters
