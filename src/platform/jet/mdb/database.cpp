#include "platform/jet/mdb/database.h"

#include <glib.h>

#include <optional>
#include <string>

#include "platform/jet/mdb/catalog_check.h"
#include "platform/jet/mdb/catalog_lookup.h"
#include "platform/jet/mdb/file_check.h"
#include "platform/jet/mdb/libmdb_handle.h"
#include "platform/jet/mdb/mdb_error.h"
#include "platform/jet/mdb/row_cursor_state.h"
#include "platform/jet/mdb/schema_reader.h"

namespace tabvex::mdb {

namespace fs = std::filesystem;

namespace {

constexpr unsigned long kSystemObjectFlags = 0x80000002;
// Query flags name the kind of query in their upper bits; 0 there is a select query.
constexpr unsigned long kQueryKindMask = 0xF0;

std::optional<ObjectKind> KindOf(const MdbCatalogEntry& entry) {
    if (IsTableEntry(entry))
        return (static_cast<unsigned long>(entry.flags) & kSystemObjectFlags) ? ObjectKind::SystemTable
                                                                              : ObjectKind::UserTable;
    switch (entry.object_type) {
        case MDB_QUERY:
            // Queries named "~…" are the hidden ones Access keeps behind forms and reports.
            if (entry.object_name[0] == '~' || (static_cast<unsigned long>(entry.flags) & kQueryKindMask) != 0)
                return std::nullopt;
            return ObjectKind::SelectQuery;
        case MDB_LINKED_TABLE: return ObjectKind::LinkedTable;
        default: return std::nullopt;
    }
}

}  // namespace

struct Database::State {
    fs::path path;
    FileFacts facts;
    MdbHandlePtr mdb;
    std::vector<CatalogEntry> catalog;

    const CatalogEntry& RequireTable(std::string_view name) const;
};

const CatalogEntry& Database::State::RequireTable(std::string_view name) const {
    std::string wanted(name);
    for (const auto& entry : catalog) {
        if (g_ascii_strcasecmp(entry.name.c_str(), wanted.c_str()) != 0) continue;
        if (entry.kind == ObjectKind::SelectQuery) throw MdbError(path, "'" + wanted + "' is a query, not a table");
        if (entry.kind == ObjectKind::LinkedTable)
            throw MdbError(path, "'" + wanted + "' is a linked table; its rows live in another database");
        return entry;
    }
    throw MdbError(path, "there is no table named '" + wanted + "'");
}

Database Database::Open(const fs::path& path) {
    auto state = std::make_unique<State>();
    state->path = path;
    state->facts = CheckDatabaseFile(path);
    state->mdb.reset(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!state->mdb) throw MdbError(path, "the database cannot be opened");
    CheckCatalogLongValues(state->mdb.get(), path);
    GPtrArray* entries = mdb_read_catalog(state->mdb.get(), MDB_ANY);
    if (!entries) throw MdbError(path, "the database's catalog cannot be read");
    for (guint i = 0; i < entries->len; ++i) {
        const auto* entry = static_cast<const MdbCatalogEntry*>(g_ptr_array_index(entries, i));
        if (auto kind = KindOf(*entry)) state->catalog.push_back({entry->object_name, *kind});
    }
    return Database(std::move(state));
}

Database::Database(std::unique_ptr<State> state) : state_(std::move(state)) {}
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;
Database::~Database() = default;

const fs::path& Database::path() const { return state_->path; }
JetVersion Database::version() const { return state_->facts.version; }
const std::vector<CatalogEntry>& Database::catalog() const { return state_->catalog; }

const CatalogEntry* Database::Find(std::string_view name) const {
    std::string wanted(name);
    for (const auto& entry : state_->catalog)
        if (g_ascii_strcasecmp(entry.name.c_str(), wanted.c_str()) == 0) return &entry;
    return nullptr;
}

TableSchema Database::Schema(std::string_view table) const {
    const CatalogEntry& entry = state_->RequireTable(table);
    MdbCatalogEntry* raw = FindTableEntry(state_->mdb.get(), entry.name);
    if (!raw) throw MdbError(state_->path, "there is no table named '" + entry.name + "'");
    CheckTableDefinition(state_->path, state_->facts, static_cast<std::uint32_t>(raw->table_pg));
    MdbTablePtr def(mdb_read_table(raw));
    if (!def || !mdb_read_columns(def.get()))
        throw MdbError(state_->path, "the definition of table '" + entry.name + "' cannot be read");
    mdb_read_indices(def.get());

    TableSchema schema;
    schema.name = entry.name;
    schema.kind = entry.kind;
    schema.columns = DescribeColumns(*def, state_->facts.version == JetVersion::Jet3);
    schema.indexes = DescribeIndexes(*def);
    schema.rowCount = def->num_rows;
    return schema;
}

RowCursor Database::OpenCursor(std::string_view table) const {
    const CatalogEntry& entry = state_->RequireTable(table);
    MdbCatalogEntry* raw = FindTableEntry(state_->mdb.get(), entry.name);
    if (!raw) throw MdbError(state_->path, "there is no table named '" + entry.name + "'");
    CheckTableDefinition(state_->path, state_->facts, static_cast<std::uint32_t>(raw->table_pg));
    return OpenRowCursor({state_->path, state_->mdb.get(), entry.name});
}

}  // namespace tabvex::mdb
