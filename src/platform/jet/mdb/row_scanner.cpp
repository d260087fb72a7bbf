#include "platform/jet/mdb/row_scanner.h"

namespace tabvex::mdb {

namespace {

// Row offsets flagged so are deleted rows or pointers to rows moved elsewhere
// (the moved row itself is met where it now lives).
constexpr int kSkippedRowFlag = 0x4000;
constexpr int kRowOffsetMask = 0x1FFF;

}  // namespace

RowScanner::RowScanner(MdbTableDef* table) : table_(table) { mdb_rewind_table(table_); }

bool RowScanner::NextRowBounds(int& start, size_t& size) {
    MdbHandle* mdb = table_->entry->mdb;
    for (;;) {
        if (!onPage_) {
            if (!mdb_read_next_dpg(table_)) return false;
            onPage_ = true;
            nextRow_ = 0;
        }
        auto rows = static_cast<unsigned>(mdb_get_int16(mdb->pg_buf, mdb->fmt->row_count_offset));
        if (nextRow_ >= rows) {
            onPage_ = false;
            continue;
        }
        if (mdb_find_row(mdb, static_cast<int>(nextRow_++), &start, &size) != 0 || size == 0) continue;
        if (start & kSkippedRowFlag) continue;
        start &= kRowOffsetMask;
        return true;
    }
}

bool RowScanner::Next(std::vector<MdbField>& fields) {
    fields.resize(table_->num_cols);
    int start = 0;
    size_t size = 0;
    while (NextRowBounds(start, size))
        if (mdb_crack_row(table_, start, size, fields.data()) >= 0) return true;  // rows libmdb cannot take apart are passed over
    return false;
}

}  // namespace tabvex::mdb
