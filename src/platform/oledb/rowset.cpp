#include "platform/oledb/rowset.h"

#include <exception>
#include <string>

#include "platform/oledb/binding_writer.h"
#include "platform/oledb/interface_ids.h"

namespace tabvex::oledb {
namespace {

DBCOLUMNINFO BookmarkColumn() {
    DBCOLUMNINFO column;
    column.ordinal = 0;
    column.flags = DBCOLUMNFLAGS_ISBOOKMARK | DBCOLUMNFLAGS_ISFIXEDLENGTH;
    column.columnSize = sizeof(std::int32_t);
    column.type = DBTYPE_I4;
    column.precision = 10;
    return column;
}

}  // namespace

Rowset::Rowset(std::unique_ptr<RowSource> source, Bookmark bookmark)
    : source_(std::move(source)), bookmark_(bookmark) {}

std::size_t Rowset::ColumnCount() const {
    return source_->Columns().size() + (bookmark_ == Bookmark::Reported ? 1 : 0);
}

HRESULT Rowset::GetColumnInfo(std::vector<DBCOLUMNINFO>& columns) const {
    SetErrorInfo(nullptr);
    columns.clear();
    if (bookmark_ == Bookmark::Reported) columns.push_back(BookmarkColumn());
    columns.insert(columns.end(), source_->Columns().begin(), source_->Columns().end());
    return S_OK;
}

HRESULT Rowset::CreateAccessor(DBACCESSORFLAGS flags, std::span<const DBBINDING> bindings, HACCESSOR& accessor) {
    SetErrorInfo(nullptr);
    accessor = 0;
    if (!(flags & DBACCESSOR_ROWDATA)) {
        return ReportError(DB_E_BADACCESSORFLAGS, IID_IAccessor, "Only row accessors are supported.");
    }
    DBORDINAL firstOrdinal = bookmark_ == Bookmark::Reported ? 0 : 1;
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const DBBINDING& binding = bindings[i];
        if (binding.ordinal < firstOrdinal || binding.ordinal >= firstOrdinal + ColumnCount()) {
            return ReportError(DB_E_ERRORSOCCURRED, IID_IAccessor,
                               "Binding " + std::to_string(i + 1) + " names column ordinal " +
                                   std::to_string(binding.ordinal) + ", but the rowset has ordinals " +
                                   std::to_string(firstOrdinal) + " to " +
                                   std::to_string(firstOrdinal + ColumnCount() - 1) + ".");
        }
        if (!IsBindableType(binding.type)) {
            return ReportError(DB_E_ERRORSOCCURRED, IID_IAccessor,
                               "Binding " + std::to_string(i + 1) + " asks for type " +
                                   std::to_string(binding.type) + ", which the provider cannot convert to.");
        }
    }
    accessor = nextAccessor_++;
    accessors_.emplace(accessor, std::vector<DBBINDING>(bindings.begin(), bindings.end()));
    return S_OK;
}

HRESULT Rowset::ReleaseAccessor(HACCESSOR accessor) {
    SetErrorInfo(nullptr);
    if (accessors_.erase(accessor) == 0) {
        return ReportError(DB_E_BADACCESSORHANDLE, IID_IAccessor, "The accessor handle is not valid.");
    }
    return S_OK;
}

HRESULT Rowset::GetNextRows(HROW& row) {
    SetErrorInfo(nullptr);
    row = 0;
    currentRow_ = 0;
    if (ended_) return DB_S_ENDOFROWSET;
    try {
        if (!source_->Next(row_)) {
            ended_ = true;
            return DB_S_ENDOFROWSET;
        }
    } catch (const std::exception& error) {
        ended_ = true;
        return ReportError(E_FAIL, IID_IRowset, error.what());
    }
    ++rowsFetched_;
    bookmarkValue_ = rowsFetched_;
    currentRow_ = static_cast<HROW>(rowsFetched_);
    row = currentRow_;
    return S_OK;
}

const Value& Rowset::ColumnValue(DBORDINAL ordinal) {
    static const Value missing;  // a source row shorter than its columns reads as NULL there
    if (bookmark_ == Bookmark::Reported && ordinal == 0) return bookmarkValue_;
    return ordinal - 1 < row_.size() ? row_[ordinal - 1] : missing;
}

HRESULT Rowset::GetData(HROW row, HACCESSOR accessor, void* buffer) {
    SetErrorInfo(nullptr);
    if (row == 0 || row != currentRow_) {
        return ReportError(DB_E_BADROWHANDLE, IID_IRowset, "The row handle is not valid or was released.");
    }
    auto found = accessors_.find(accessor);
    if (found == accessors_.end()) {
        return ReportError(DB_E_BADACCESSORHANDLE, IID_IRowset, "The accessor handle is not valid.");
    }
    bool allOk = true;
    for (const DBBINDING& binding : found->second) {
        DBSTATUS status = WriteBoundValue(binding, ColumnValue(binding.ordinal), static_cast<std::byte*>(buffer));
        allOk = allOk && (status == DBSTATUS_S_OK || status == DBSTATUS_S_ISNULL);
    }
    return allOk ? S_OK : DB_S_ERRORSOCCURRED;
}

HRESULT Rowset::ReleaseRows(HROW row) {
    SetErrorInfo(nullptr);
    if (row != 0 && row == currentRow_) currentRow_ = 0;
    return S_OK;
}

bool Rowset::InterfaceSupportsErrorInfo(const Guid& interfaceId) const {
    return interfaceId == IID_IRowset || interfaceId == IID_IColumnsInfo || interfaceId == IID_IAccessor;
}

}  // namespace tabvex::oledb
