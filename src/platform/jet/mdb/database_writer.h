// Writes a new Access database in Jet 4 format: the system tables every database
// has, and user tables with columns of the common types (Text with a length, Memo,
// Byte, Integer, Long Integer, Single, Double, Currency, Date/Time, Yes/No, OLE
// Object, Binary, Replication ID) and their rows. Values are given as text in the
// notation the reader gives back (so what is written reads back the same), or as
// nullopt for NULL. The file appears complete or not at all.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/jet/mdb/row_cursor.h"
#include "platform/jet/mdb/table_layout.h"

namespace tabvex::mdb {

// Objects Access keeps in a database beside its tables. The writer gives them
// catalog rows only (no content), as a database made with Access lists them.
enum class DocumentKind { Form, Report, Macro, Module };

class DatabaseWriter {
public:
    explicit DatabaseWriter(std::filesystem::path target);
    DatabaseWriter(DatabaseWriter&&) noexcept;
    ~DatabaseWriter();

    // Adds an empty table. MdbError for an empty, duplicate or over-long name, no or
    // too many columns, duplicate column names, a type the writer does not write, or
    // a Text/Binary length outside 1-255.
    void AddTable(const std::string& name, const std::vector<ColumnSpec>& columns);

    // Appends a row, one value per column. MdbError naming table, row and column when
    // a value is no value of its column's type or does not fit it.
    void AddRow(const std::string& table, const std::vector<Value>& values);

    // Adds a catalog row for a form, report, macro or module. It may share a table's
    // name, and comes before the tables added after it in the catalog. `id` is its
    // MSysObjects Id, by default the next of Access's document numbers (from
    // 0x80000000); like any document's Id it need not name a table definition.
    // MdbError for an invalid name or one a document of the same kind has already.
    void AddDocument(const std::string& name, DocumentKind kind, std::optional<std::int32_t> id = std::nullopt);

    // Writes the database: into a temporary file beside the target, renamed over the
    // target once complete.
    void Write() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// An empty database (only the system tables): what CreateDataSource makes, a new
// source database or the workgroup file.
void CreateEmptyDatabase(const std::filesystem::path& target);

}  // namespace tabvex::mdb
