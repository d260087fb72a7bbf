#include "com/text_column_binding.h"

#include <vector>

#include "com/error_record_text.h"
#include "com/provider_error_text.h"
#include "platform/oledb/interface_ids.h"

namespace tabvex::com {

std::optional<std::string> BindAllColumns(oledb::TextRowReader& reader, oledb::Rowset& rowset) {
    std::vector<oledb::DBCOLUMNINFO> columns;
    oledb::HRESULT result = oledb::TextRowReader::DataColumns(rowset, columns);
    if (oledb::Failed(result)) return ErrorRecordText(&rowset, oledb::IID_IColumnsInfo);
    const char* failedStep = "";
    if (oledb::Failed(result = reader.Bind(rowset, columns, failedStep))) return ProviderErrorText(result, failedStep);
    return std::nullopt;
}

}  // namespace tabvex::com
