#include "platform/jet/mdb/row_cursor.h"

#include <string>

#include "platform/jet/mdb/libmdb_handle.h"
#include "platform/jet/mdb/long_value.h"
#include "platform/jet/mdb/mdb_error.h"
#include "platform/jet/mdb/row_cursor_state.h"
#include "platform/jet/mdb/schema_reader.h"
#include "platform/jet/mdb/value_text.h"

namespace tabvex::mdb {

namespace {

// Row offsets flagged so are deleted rows or pointers to rows moved elsewhere
// (the moved row itself is met where it now lives).
constexpr int kSkippedRowFlag = 0x4000;
constexpr int kRowOffsetMask = 0x1FFF;

}  // namespace

struct RowCursor::State {
    std::filesystem::path file;
    MdbHandlePtr mdb;
    MdbTablePtr table;
    std::vector<ColumnInfo> columns;
    std::vector<MdbField> fields;
    std::vector<Value> values;
    bool onPage = false;
    unsigned nextRow = 0;
    std::string longValue;       // raw bytes of the current memo or OLE value
    std::vector<char> converted;  // UTF-8 text converted by libmdb

    bool NextRowBounds(int& start, size_t& size);
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
    MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(state->mdb.get(), name.c_str());
    if (entry) state->table.reset(mdb_read_table(entry));
    if (!state->table || !mdb_read_columns(state->table.get()))
        throw MdbError(file, "the definition of table '" + name + "' cannot be read");
    state->columns = DescribeColumns(*state->table, IS_JET3(state->mdb.get()));
    state->fields.resize(state->columns.size());
    state->values.resize(state->columns.size());
    mdb_rewind_table(state->table.get());
    return RowCursor(std::move(state));
}

bool RowCursor::State::NextRowBounds(int& start, size_t& size) {
    MdbHandle* handle = mdb.get();
    for (;;) {
        if (!onPage) {
            if (!mdb_read_next_dpg(table.get())) return false;
            onPage = true;
            nextRow = 0;
        }
        auto rows = static_cast<unsigned>(mdb_get_int16(handle->pg_buf, handle->fmt->row_count_offset));
        if (nextRow >= rows) {
            onPage = false;
            continue;
        }
        if (mdb_find_row(handle, static_cast<int>(nextRow++), &start, &size) != 0 || size == 0) continue;
        if (start & kSkippedRowFlag) continue;
        start &= kRowOffsetMask;
        return true;
    }
}

void RowCursor::State::AppendText(std::span<const std::uint8_t> bytes, std::string& out) {
    if (bytes.empty()) return;
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
// the row may differ, when columns were added or deleted since).
void RowCursor::State::ConvertRow() {
    for (auto& value : values) value.reset();
    for (const MdbField& field : fields) {
        if (field.colnum < 0 || static_cast<size_t>(field.colnum) >= columns.size()) continue;
        const ColumnInfo& column = columns[static_cast<size_t>(field.colnum)];
        Value& value = values[static_cast<size_t>(field.colnum)];
        if (column.type == JetType::Boolean) {
            // A yes/no value lives in the null mask: a set bit is yes.
            value = field.is_null ? "False" : "True";
            continue;
        }
        if (field.is_null) continue;
        value.emplace();
        ConvertField(field, column, *value);
    }
}

RowCursor::RowCursor(std::unique_ptr<State> state) : state_(std::move(state)) {}
RowCursor::RowCursor(RowCursor&&) noexcept = default;
RowCursor& RowCursor::operator=(RowCursor&&) noexcept = default;
RowCursor::~RowCursor() = default;

const std::vector<ColumnInfo>& RowCursor::columns() const { return state_->columns; }
const std::vector<Value>& RowCursor::values() const { return state_->values; }

bool RowCursor::Next() {
    int start = 0;
    size_t size = 0;
    while (state_->NextRowBounds(start, size)) {
        if (mdb_crack_row(state_->table.get(), start, size, state_->fields.data()) < 0)
            continue;  // a row libmdb cannot take apart is skipped, as mdb-export does
        state_->ConvertRow();
        return true;
    }
    return false;
}

}  // namespace tabvex::mdb
