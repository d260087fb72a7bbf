// The worksheet each source table becomes. A table's own name is used where Excel
// holds it; otherwise characters a sheet name cannot hold are replaced, the name is
// cut to a sheet name's 31 characters, and a name Excel reads as a cell gets a '_'.
// Names that then meet without regard to case are told apart by "_2", "_3", ... in
// the order of the list, so a database's tables become the same sheets on every run,
// whether migrated together or one at a time.
#pragma once

#include <string>
#include <vector>

namespace tabvex::adapters {

// One sheet name per table, in the order of `tables` (the source's table list).
std::vector<std::string> FitSheetNames(const std::vector<std::string>& tables);

// The sheet `table` becomes among the source's `tables`; fitted alone when the
// list does not hold it.
std::string SheetNameOfTable(const std::vector<std::string>& tables, const std::string& table);

}  // namespace tabvex::adapters
