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

namespace tabvex::oledb {

inline constexpr std::size_t kTextSlotCapacity = 8192;

class TextRowReader {
public:
    // `slotCapacity` is the bytes of text a slot holds, its terminating zero included;
    // a longer value arrives cut at a character boundary and marked truncated.
    explicit TextRowReader(std::size_t slotCapacity = kTextSlotCapacity)
        : slotCapacity_(slotCapacity), slotSize_(SlotSize(slotCapacity)) {}

    // The rowset's columns without the bookmark column, in ordinal order.
    static HRESULT DataColumns(const Rowset& rowset, std::vector<DBCOLUMNINFO>& columns);

    // Binds the given columns as text. On failure `failedStep` names what failed,
    // "Create Accessor" or "Bind Entry", for ProviderErrorText.
    HRESULT Bind(Rowset& rowset, const std::vector<DBCOLUMNINFO>& columns, const char*& failedStep);


    // Fetches the next row: S_OK, DB_S_ENDOFROWSET after the last, or a failure. The
    // row stays readable until the next fetch.
    HRESULT Next();

    std::size_t size() const { return columnCount_; }
    // The i-th bound column of the current row; nullopt for NULL.
    std::optional<std::string_view> value(std::size_t i) const;
    std::string text(std::size_t i) const { return std::string(value(i).value_or(std::string_view())); }
    // Whether the i-th value of the current row was longer than its slot.
    bool truncated(std::size_t i) const { return status(i) == DBSTATUS_S_TRUNCATED; }
    // The i-th value of the current row whole, however long its slot is: a value that
    // was cut is read again at its full length. Nothing for NULL or when that fails.
    std::optional<std::string> WholeValue(std::size_t i);

private:
    // The text, then the 32-bit length and status, with the two kept aligned.
    static constexpr std::size_t SlotSize(std::size_t capacity) { return (capacity + 3) / 4 * 4 + 8; }
    DBSTATUS status(std::size_t i) const;

    std::size_t slotCapacity_;
    std::size_t slotSize_;
    Rowset* rowset_ = nullptr;
    HACCESSOR accessor_ = 0;
    HROW row_ = 0;  // the current row, held until the next fetch
    std::vector<DBORDINAL> ordinals_;
    std::size_t columnCount_ = 0;
    std::vector<std::byte> buffer_;
};

// Ordinal position (in `columns`) of the column with this name, or -1.
int FindColumn(const std::vector<DBCOLUMNINFO>& columns, std::string_view name);

}  // namespace tabvex::oledb
