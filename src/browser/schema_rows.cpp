#include "browser/schema_rows.h"

namespace tabvex::browser {

using namespace tabvex::oledb;

HRESULT SchemaRows::Open(Session& session, const Guid& schema, const Restrictions& restrictions,
                         std::initializer_list<std::string_view> columnNames) {
    HRESULT result = session.GetSchemaRowset(schema, restrictions, rowset_);
    if (Failed(result)) return result;
    std::vector<DBCOLUMNINFO> columns;
    if (Failed(result = oledb::TextRowReader::DataColumns(*rowset_, columns))) return result;
    std::vector<DBCOLUMNINFO> bound;
    slots_.clear();
    for (std::string_view name : columnNames) {
        const int found = oledb::FindColumn(columns, name);
        slots_.push_back(found < 0 ? -1 : static_cast<int>(bound.size()));
        if (found >= 0) bound.push_back(columns[static_cast<std::size_t>(found)]);
    }
    const char* failedStep = "";
    return reader_.Bind(*rowset_, bound, failedStep);
}

bool SchemaRows::Next() { return reader_.Next() == S_OK; }

std::string_view SchemaRows::text(std::size_t i) const {
    if (i >= slots_.size() || slots_[i] < 0) return {};
    return reader_.value(static_cast<std::size_t>(slots_[i])).value_or(std::string_view());
}

}  // namespace tabvex::browser
