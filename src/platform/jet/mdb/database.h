// An Access database (Jet 3, Jet 4, and ACE as far as libmdb reads it) opened for
// reading: its catalog, each table's schema and forward cursors over its rows.
// Every failure is an MdbError naming the file and the problem.
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/jet/mdb/catalog_entry.h"
#include "platform/jet/mdb/jet_version.h"
#include "platform/jet/mdb/row_cursor.h"
#include "platform/jet/mdb/table_schema.h"

namespace tabvex::mdb {


class Database {
public:
    // Opens the file read-only; a missing file, a file that is not an Access
    // database, an encrypted or password-protected one and a damaged one are refused.
    static Database Open(const std::filesystem::path& path);

    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    ~Database();

    const std::filesystem::path& path() const;
    JetVersion version() const;

    // User tables, system tables, saved select queries and linked tables, in catalog order.
    const std::vector<CatalogEntry>& catalog() const;
    // The entry of that name (case-insensitive, as Jet compares names), or nullptr.
    const CatalogEntry* Find(std::string_view name) const;

    // Columns, indexes and row count of a table; MdbError when there is no such table.
    TableSchema Schema(std::string_view table) const;

    // A cursor over every row of a table. Cursors are independent of each other and of
    // the Database object (each holds its own view of the file).
    RowCursor OpenCursor(std::string_view table) const;

private:
    struct State;
    explicit Database(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace tabvex::mdb
