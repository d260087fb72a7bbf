// How many rows a table's transfer will copy, asked only where the source answers
// without reading the rows: the Jet provider counts a table without a condition
// from the row count Access keeps. Other sources and conditioned tables give
// nothing, and the task list shows the rows copied without a total.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/output.h"
#include "browser/sides.h"

namespace tabvex::adapters {

std::optional<std::int64_t> ExpectedRowCount(app::Output& output, browser::Sides& sides, const std::string& database,
                                              const std::string& table);

// The sum over the tables, or nothing when one of them cannot be counted cheaply.
std::optional<std::int64_t> ExpectedRowCount(app::Output& output, browser::Sides& sides, const std::string& database,
                                              const std::vector<std::string>& tables);

}  // namespace tabvex::adapters
