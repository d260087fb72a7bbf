#include "platform/jet/mdb/row_cursor.h"

#include <optional>
#include <string>

#include "platform/jet/mdb/ascii_text.h"
#include "platform/jet/mdb/catalog_lookup.h"
#include "platform/jet/mdb/libmdb_handle.h"
#include "platform/jet/mdb/long_value.h"
#include "platform/jet/mdb/mdb_error.h"
#include "platform/jet/mdb/row_cursor_state.h"
#include "platform/jet/mdb/row_scanner.h"
#include "platform/jet/mdb/schema_reader.h"
#include "platform/jet/mdb/value_text.h"

namespace tabvex::mdb {

struct RowCursor::State {
    std::filesystem::path file;
    MdbHandlePtr mdb;
    MdbTablePtr table;
    std::vector<ColumnInfo> columns;
    std::optional<RowScanner> scanner;
    std::vector<MdbField> fields;
    std::vector<Value> values;
    std::vector<std::uint8_t> present;  // whether values[i] was given in the current row
    std::string longValue;       // raw bytes of the current memo or OLE value
    std::vector<char> converted;  // UTF-8 text converted by libmdb

    void ConvertRow();
    void ConvertField(const MdbField& field, const ColumnInfo& column, std::string& out);
    void AppendText(std::span<const std::uint8_t> bytes, std::string& out);
};

RowCursor OpenRowCursor(const CursorSource& source) {
    const auto& file = source.file;
    auto state = std::make_unique<RowCursor::State>();
    state->file = file;
    state->mdb.reset(mdb_clone_handle(source.parent));
    if (!state->mdb) throw MdbError(file, "cannot open a second view of the database");
    std::string name(source.entryName);
    MdbCatalogEntry* entry = FindTableEntry(state->mdb.get(), name);
    if (entry) state->table.reset(mdb_read_table(entry));
    if (!state->table || !mdb_read_columns(state->table.get()))
        throw MdbError(file, "the definition of table '" + name + "' cannot be read");
    state->columns = DescribeColumns(*state->table, IS_JET3(state->mdb.get()));
    state->values.resize(state->columns.size());
    state->scanner.emplace(state->table.get());
    return RowCursor(std::move(state));
}

void RowCursor::State::AppendText(std::span<const std::uint8_t> bytes, std::string& out) {
    if (bytes.empty() || AppendAsciiText(bytes, IS_JET3(mdb.get()), out)) return;
    // UTF-8 needs at most three bytes for each UTF-16 unit or code-page byte.
    converted.resize(3 * bytes.size() + 16);
    int length = mdb_unicode2ascii(mdb.get(), reinterpret_cast<const char*>(bytes.data()), bytes.size(),
                                   converted.data(), converted.size());
    out.append(converted.data(), static_cast<size_t>(length > 0 ? length : 0));
}

void RowCursor::State::ConvertField(const MdbField& field, const ColumnInfo& column, std::string& out) {
    const std::uint8_t* page = mdb->pg_buf;
    std::span<const std::uint8_t> bytes(page + field.start, static_cast<size_t>(field.siz > 0 ? field.siz : 0));
    switch (column.type) {
        case JetType::Text: AppendText(bytes, out); return;
        case JetType::Binary: AppendHex(bytes, out); return;
        case JetType::Memo:
        case JetType::OleObject:
            if (!ReadLongValue(mdb.get(), bytes, longValue))
                throw MdbError(file, "the database is damaged: a long value of column '" + column.name +
                                         "' cannot be read");
            if (column.type == JetType::Memo)
                AppendText({reinterpret_cast<const std::uint8_t*>(longValue.data()), longValue.size()}, out);
            else
                AppendHex({reinterpret_cast<const std::uint8_t*>(longValue.data()), longValue.size()}, out);
            return;
        default:
            if (!AppendFixedValueText(column.type, bytes, column.scale, out)) AppendHex(bytes, out);
    }
}

// libmdb fills one field per column of the table (its count of columns stored in
// the row may differ, when columns were added or deleted since). A value keeps its
// text's buffer from row to row; only a column left NULL lets it go.
void RowCursor::State::ConvertRow() {
    present.assign(values.size(), 0);
    for (const MdbField& field : fields) {
        if (field.colnum < 0 || static_cast<size_t>(field.colnum) >= columns.size()) continue;
        const auto at = static_cast<size_t>(field.colnum);
        const ColumnInfo& column = columns[at];
        Value& value = values[at];
        if (column.type == JetType::Boolean) {
            // A yes/no value lives in the null mask: a set bit is yes.
            value = field.is_null ? "False" : "True";
            present[at] = 1;
            continue;
        }
        if (field.is_null) continue;
        present[at] = 1;
        std::string& text = value ? *value : value.emplace();
        text.clear();
        ConvertField(field, column, text);
    }
    for (size_t i = 0; i < values.size(); ++i) {
        if (!present[i]) values[i].reset();
    }
}

RowCursor::RowCursor(std::unique_ptr<State> state) : state_(std::move(state)) {}
RowCursor::RowCursor(RowCursor&&) noexcept = default;
RowCursor& RowCursor::operator=(RowCursor&&) noexcept = default;
RowCursor::~RowCursor() = default;

const std::vector<ColumnInfo>& RowCursor::columns() const { return state_->columns; }
const std::vector<Value>& RowCursor::values() const { return state_->values; }

bool RowCursor::Next() {
    if (!state_->scanner->Next(state_->fields)) return false;
    state_->ConvertRow();
    return true;
}

}  // namespace tabvex::mdb
