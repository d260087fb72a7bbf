// How the Excel ISAM names its tables: a worksheet is the table "Name$" (listed
// between single quotes when the name holds anything but letters, digits and '_'),
// a defined name is the table of the same name. CREATE TABLE turns a table name into
// a name Excel can hold, as Jet does: characters a defined name cannot have become '_'.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabvex::jet::excel {

// "Orders$", or "'Order Details$'" for a sheet name with blanks or punctuation.
std::string SheetTableName(std::string_view sheetName);

// The sheet a table name "Name$" or "'Name$'" stands for, or nullopt when the table
// name is no sheet table.
std::optional<std::string> SheetOfTableName(std::string_view tableName);

// The name CREATE TABLE gives both the new worksheet and its defined name: blanks and
// other characters a defined name cannot hold become '_', and a leading digit or
// period gets a '_' before it. Throws IsamError (DB_E_BADTABLEID) when no such name
// can be made: empty, longer than a sheet name may be, or a cell reference ("A1",
// "R1C1") that Excel would read as one.
std::string NewTableName(std::string_view tableName);

// A name NewTableName takes as it is, made from any table name: the same characters
// replaced, cut to `maxUnits` UTF-16 units at a character boundary, and a '_' after
// a name Excel would read as a cell reference ("Q1" becomes "Q1_").
std::string FitTableName(std::string_view tableName, std::size_t maxUnits);

}  // namespace tabvex::jet::excel
