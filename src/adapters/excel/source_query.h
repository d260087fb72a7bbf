// The statement that reads a source table's rows for its worksheet: every column,
// and only the rows its migration condition (Condition.cfg) lets through.
#pragma once

#include <filesystem>
#include <string>

namespace tabvex::adapters {

// `database` is the source tree's database node, under which the conditions are kept.
std::string SourceRowsQuery(const std::filesystem::path& conditionFile, const std::string& database,
                            const std::string& table);

}  // namespace tabvex::adapters
