// Reading a rowset's columns as text, the way the program's consumers bind them: one
// slot per column (the text, the length, the status), 8200 bytes unless a consumer
// that must carry long values whole asks for more.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/oledb/rowset.h"

namespace tabvex::com {

inline constexpr std::size_t kTextSlotCapacity = 8192;

class TextRowReader {
public:
    // `slotCapacity` is the bytes of text a slot holds, its terminating zero included;
    // a longer value arrives cut at a character boundary and marked truncated.
    explicit TextRowReader(std::size_t slotCapacity = kTextSlotCapacity)
        : slotCapacity_(slotCapacity), slotSize_(SlotSize(slotCapacity)) {}

    // The rowset's columns without the bookmark column, in ordinal order.
    static oledb::HRESULT DataColumns(const oledb::Rowset& rowset, std::vector<oledb::DBCOLUMNINFO>& columns);

    // Binds the given columns as text. On failure `failedStep` names what failed,
    // "Create Accessor" or "Bind Entry", for ProviderErrorText.
    oledb::HRESULT Bind(oledb::Rowset& rowset, const std::vector<oledb::DBCOLUMNINFO>& columns, const char*& failedStep);

    // Binds every data column (the bookmark column is never bound). On failure gives
    // the text of what failed: the rowset's error record when its columns cannot be
    // read, else the provider error line of the accessor step.
    std::optional<std::string> BindAllColumns(oledb::Rowset& rowset);

    // Fetches the next row: S_OK, DB_S_ENDOFROWSET after the last, or a failure. The
    // row stays readable until the next fetch.
    oledb::HRESULT Next();

    std::size_t size() const { return columnCount_; }
    // The i-th bound column of the current row; nullopt for NULL.
    std::optional<std::string_view> value(std::size_t i) const;
    std::string text(std::size_t i) const { return std::string(value(i).value_or(std::string_view())); }
    // Whether the i-th value of the current row was longer than its slot.
    bool truncated(std::size_t i) const { return status(i) == oledb::DBSTATUS_S_TRUNCATED; }
    // The i-th value of the current row whole, however long its slot is: a value that
    // was cut is read again at its full length. Nothing for NULL or when that fails.
    std::optional<std::string> WholeValue(std::size_t i);

private:
    // The text, then the 32-bit length and status, with the two kept aligned.
    static constexpr std::size_t SlotSize(std::size_t capacity) { return (capacity + 3) / 4 * 4 + 8; }
    oledb::DBSTATUS status(std::size_t i) const;

    std::size_t slotCapacity_;
    std::size_t slotSize_;
    oledb::Rowset* rowset_ = nullptr;
    oledb::HACCESSOR accessor_ = 0;
    oledb::HROW row_ = 0;  // the current row, held until the next fetch
    std::vector<oledb::DBORDINAL> ordinals_;
    std::size_t columnCount_ = 0;
    std::vector<std::byte> buffer_;
};

// Ordinal position (in `columns`) of the column with this name, or -1.
int FindColumn(const std::vector<oledb::DBCOLUMNINFO>& columns, std::string_view name);

}  // namespace tabvex::com
