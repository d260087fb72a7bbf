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

// The sheet name a table of a workbook's table list takes: the worksheet table
// "Name$" (or "'Name$'") its sheet's, a defined name its own.
std::string SheetOfWorkbookTable(const std::string& table);

// A sheet name as Excel compares sheet names: without regard to case.
std::u16string FoldedSheetName(const std::string& name);

}  // namespace tabvex::adapters
