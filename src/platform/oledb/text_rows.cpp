#include "platform/oledb/text_rows.h"

#include <cstring>

#include "platform/oledb/interface_ids.h"

namespace tabvex::oledb {

HRESULT TextRowReader::DataColumns(const Rowset& rowset, std::vector<DBCOLUMNINFO>& columns) {
    HRESULT result = rowset.GetColumnInfo(columns);
    if (Failed(result)) return result;
    if (!columns.empty() && columns.front().ordinal == 0) columns.erase(columns.begin());
    return result;
}

HRESULT TextRowReader::Bind(Rowset& rowset, const std::vector<DBCOLUMNINFO>& columns, const char*& failedStep) {
    std::vector<DBBINDING> bindings;
    bindings.reserve(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        DBBINDING binding;
        binding.ordinal = columns[i].ordinal;
        binding.valueOffset = i * slotSize_;
        binding.lengthOffset = i * slotSize_ + slotSize_ - 8;
        binding.statusOffset = i * slotSize_ + slotSize_ - 4;
        binding.maxLength = slotCapacity_;
        bindings.push_back(binding);
    }
    HACCESSOR accessor = 0;
    HRESULT result = rowset.CreateAccessor(DBACCESSOR_ROWDATA, bindings, accessor);
    if (Failed(result)) {
        failedStep = "Create Accessor";
        return result;
    }
    rowset_ = &rowset;
    accessor_ = accessor;
    columnCount_ = columns.size();
    ordinals_.clear();
    for (const auto& column : columns) ordinals_.push_back(column.ordinal);
    buffer_.assign(columns.size() * slotSize_, std::byte{0});
    return S_OK;
}

HRESULT TextRowReader::Next() {
    if (row_ != 0) rowset_->ReleaseRows(row_);
    row_ = 0;
    HRESULT result = rowset_->GetNextRows(row_);
    if (result != S_OK) return result;
    result = rowset_->GetData(row_, accessor_, buffer_.data());
    return result == DB_S_ERRORSOCCURRED ? S_OK : result;
}

std::optional<std::string> TextRowReader::WholeValue(std::size_t i) {
    const std::optional<std::string_view> slot = value(i);
    if (!slot || !truncated(i)) return slot ? std::optional<std::string>(*slot) : std::nullopt;
    std::uint32_t length = 0;
    std::memcpy(&length, buffer_.data() + i * slotSize_ + slotSize_ - 8, sizeof length);
    const std::size_t size = SlotSize(std::size_t{length} + 1);
    DBBINDING binding;
    binding.ordinal = ordinals_[i];
    binding.lengthOffset = size - 8;
    binding.statusOffset = size - 4;
    binding.maxLength = std::size_t{length} + 1;
    HACCESSOR accessor = 0;
    if (Failed(rowset_->CreateAccessor(DBACCESSOR_ROWDATA, {&binding, 1}, accessor))) return std::nullopt;
    std::vector<std::byte> whole(size);
    const HRESULT result = rowset_->GetData(row_, accessor, whole.data());
    rowset_->ReleaseAccessor(accessor);
    if (result != S_OK) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(whole.data()), length);
}

DBSTATUS TextRowReader::status(std::size_t i) const {
    DBSTATUS status = 0;
    std::memcpy(&status, buffer_.data() + i * slotSize_ + slotSize_ - 4, sizeof status);
    return status;
}

std::optional<std::string_view> TextRowReader::value(std::size_t i) const {
    if (status(i) == DBSTATUS_S_ISNULL) return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(buffer_.data() + i * slotSize_));
}

int FindColumn(const std::vector<DBCOLUMNINFO>& columns, std::string_view name) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace tabvex::oledb
