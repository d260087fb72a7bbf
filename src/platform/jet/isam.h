// The interface between the Jet provider and its ISAMs (the Access database engine,
// the workbook engine). The provider parses statements and evaluates conditions;
// an ISAM only lists, reads and appends. Every failure is thrown as an IsamError
// carrying the OLE DB result code the provider returns and a description that
// names the table, column or value concerned.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/oledb/db_types.h"
#include "platform/oledb/result_code.h"
#include "platform/oledb/schema_rows.h"
#include "platform/oledb/value.h"

namespace tabvex::jet {

class IsamError : public std::runtime_error {
public:
    IsamError(oledb::HRESULT code, const std::string& description)
        : std::runtime_error(description), code_(code) {}
    oledb::HRESULT code() const { return code_; }

private:
    oledb::HRESULT code_;
};

// TABLE_TYPE of the TABLES schema rowset: "TABLE", "SYSTEM TABLE", "VIEW", "LINK".
enum class TableKind { Table, SystemTable, View, Link };

struct IsamTable {
    std::string name;
    TableKind kind = TableKind::Table;
};

// One column as the COLUMNS schema rowset and a command rowset report it.
using IsamColumn = oledb::SchemaColumn;

// One index; the INDEXES schema rowset gives one row per column.
struct IsamIndex {
    std::string name;
    std::vector<std::string> columns;  // in key order
    bool primaryKey = false;
    bool unique = false;
};

// A column of CREATE TABLE as the statement wrote it: `Name` TEXT, Code VARCHAR(10).
struct ColumnDefinition {
    std::string name;
    std::string typeName;  // upper case, e.g. "TEXT", "VARCHAR", "LONG"
    std::optional<std::uint32_t> size;
};

// Reads a table's rows front to back, values in the order of Columns().
class IsamCursor {
public:
    virtual ~IsamCursor() = default;
    // The next row into `row` (resized to the column count); false after the last.
    virtual bool Next(std::vector<oledb::Value>& row) = 0;
};

class Isam {
public:
    virtual ~Isam() = default;

    // The tables, system tables and saved select queries, in the engine's order.
    virtual std::vector<IsamTable> Tables() = 0;
    // Table names are matched without regard to case, as Jet matches them.
    // The columns of a table or view in their order; DB_E_NOTABLE when unknown.
    virtual std::vector<IsamColumn> Columns(const std::string& table) = 0;
    // How many columns Columns() would give, for a caller that needs no more.
    virtual std::size_t ColumnCount(const std::string& table) { return Columns(table).size(); }
    virtual std::vector<IsamIndex> Indexes(const std::string& table) = 0;
    virtual std::unique_ptr<IsamCursor> OpenCursor(const std::string& table) = 0;
    // The table's row count when the engine keeps it (so COUNT(*) without a
    // condition needs no reading of rows); nothing when it has to be counted.
    virtual std::optional<std::int64_t> StoredRowCount(const std::string&) { return std::nullopt; }

    // DB_E_DUPLICATETABLEID when the table exists, DB_E_BADTABLEID for a name the
    // file cannot hold, DB_E_NOTSUPPORTED for a read-only ISAM.
    virtual void CreateTable(const std::string& table, const std::vector<ColumnDefinition>& columns) = 0;
    // Appends one row; `values` follow Columns() (NULL where the statement named no
    // value). Nothing is appended when the row cannot be held in full. The values are
    // taken over, so that their text moves into the table.
    virtual void InsertRow(const std::string& table, std::vector<oledb::Value> values) = 0;
    // Makes every completed change durable (atomically); called at the end of each
    // statement batch and when the session is released.
    virtual void Flush() = 0;
};

}  // namespace tabvex::jet
