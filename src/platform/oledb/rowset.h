// A forward-only rowset over a row source (IRowset, IColumnsInfo, IAccessor).
// Rows are fetched one at a time; the fetched row stays readable until the next
// fetch or its release. A rowset made with a bookmark column reports it at
// ordinal 0 and counts it among its columns, as Jet's command rowsets do.
#pragma once

#include <map>
#include <memory>
#include <span>
#include <vector>

#include "platform/oledb/com_object.h"
#include "platform/oledb/db_types.h"
#include "platform/oledb/error_info.h"
#include "platform/oledb/result_code.h"
#include "platform/oledb/row_source.h"

namespace tabvex::oledb {

class Rowset : public ComObject, public SupportErrorInfo {
public:
    enum class Bookmark { None, Reported };

    Rowset(std::unique_ptr<RowSource> source, Bookmark bookmark);

    // IColumnsInfo::GetColumnInfo: the bookmark column first when reported.
    HRESULT GetColumnInfo(std::vector<DBCOLUMNINFO>& columns) const;

    // IAccessor: DB_E_BADACCESSORFLAGS unless a row accessor; DB_E_ERRORSOCCURRED
    // when a binding names no column or a type that cannot be written.
    HRESULT CreateAccessor(DBACCESSORFLAGS flags, std::span<const DBBINDING> bindings, HACCESSOR& accessor);
    HRESULT ReleaseAccessor(HACCESSOR accessor);

    // IRowset: S_OK and the row, or DB_S_ENDOFROWSET and 0 after the last row.
    HRESULT GetNextRows(HROW& row);
    // Writes the row through the accessor into `buffer`; DB_S_ERRORSOCCURRED when a
    // value was truncated or could not be converted (see each status).
    HRESULT GetData(HROW row, HACCESSOR accessor, void* buffer);
    HRESULT ReleaseRows(HROW row);

    bool InterfaceSupportsErrorInfo(const Guid& interfaceId) const override;

private:
    std::size_t ColumnCount() const;
    const Value& ColumnValue(DBORDINAL ordinal);

    std::unique_ptr<RowSource> source_;
    Bookmark bookmark_;
    std::map<HACCESSOR, std::vector<DBBINDING>> accessors_;
    HACCESSOR nextAccessor_ = 1;
    std::vector<Value> row_;
    HROW currentRow_ = 0;  // 0 when no row is held
    std::int64_t rowsFetched_ = 0;
    Value bookmarkValue_;
    bool ended_ = false;
};

}  // namespace tabvex::oledb
