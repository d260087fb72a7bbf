// Reading a rowset's columns as text, the way the program's consumers bind them: one
// 8200-byte slot per column (8192 bytes of text, the length, the status).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/oledb/rowset.h"

namespace tabvex::com {

inline constexpr std::size_t kTextSlotSize = 8200;
inline constexpr std::size_t kTextSlotCapacity = 8192;

class TextRowReader {
public:
    // The rowset's columns without the bookmark column, in ordinal order.
    static oledb::HRESULT DataColumns(const oledb::Rowset& rowset, std::vector<oledb::DBCOLUMNINFO>& columns);

    // Binds the given columns as text. On failure `failedStep` names what failed,
    // "Create Accessor" or "Bind Entry", for ProviderErrorText.
    oledb::HRESULT Bind(oledb::Rowset& rowset, const std::vector<oledb::DBCOLUMNINFO>& columns, const char*& failedStep);

    // Binds every data column (the bookmark column is never bound). On failure gives
    // the text of what failed: the rowset's error record when its columns cannot be
    // read, else the provider error line of the accessor step.
    std::optional<std::string> BindAllColumns(oledb::Rowset& rowset);

    // Fetches the next row: S_OK, DB_S_ENDOFROWSET after the last, or a failure.
    oledb::HRESULT Next();

    std::size_t size() const { return columnCount_; }
    // The i-th bound column of the current row; nullopt for NULL.
    std::optional<std::string_view> value(std::size_t i) const;
    std::string text(std::size_t i) const { return std::string(value(i).value_or(std::string_view())); }

private:
    oledb::Rowset* rowset_ = nullptr;
    oledb::HACCESSOR accessor_ = 0;
    std::size_t columnCount_ = 0;
    std::vector<std::byte> buffer_;
};

// Ordinal position (in `columns`) of the column with this name, or -1.
int FindColumn(const std::vector<oledb::DBCOLUMNINFO>& columns, std::string_view name);

}  // namespace tabvex::com
