#include "platform/odbc/xls_driver/diagnostics.h"

#include "platform/oledb/error_info.h"

namespace tabvex::odbc::xls {

using namespace tabvex::oledb;

void Diagnostics::Add(std::string state, std::string text, std::int32_t native) {
    records_.push_back({std::move(state), native, kMessagePrefix + std::move(text)});
}

void Diagnostics::AddProviderFailure(HRESULT code, const std::string& fallback, const char* state) {
    if (!state) state = SqlStateOf(code);
    std::shared_ptr<const ErrorObject> error;
    GetErrorInfo(error);
    const std::int32_t native = static_cast<std::int32_t>(code);
    bool added = false;
    if (error) {
        for (std::size_t i = 0; i < error->RecordCount(); ++i) {
            auto record = error->Record(i);
            if (!record || record->description.empty()) continue;
            Add(state, record->description, native);
            added = true;
        }
    }
    if (!added) Add(state, fallback, native);
}

const char* SqlStateOf(HRESULT code) {
    if (code == DB_E_ERRORSINCOMMAND || code == DB_E_BADTABLEID || code == DB_E_BADTYPENAME) return "42000";
    if (code == DB_E_NOTABLE) return "42S02";
    if (code == DB_E_DUPLICATETABLEID) return "42S01";
    if (code == DB_E_DUPLICATECOLUMNID) return "42S21";
    if (code == DB_E_PARAMNOTOPTIONAL || code == DB_E_BADCOLUMNID) return "42S22";
    if (code == DB_E_CANTCONVERTVALUE) return "22018";
    if (code == DB_E_DATAOVERFLOW) return "22001";
    if (code == E_INVALIDARG) return "21S01";  // an INSERT's values do not match the columns
    if (code == DB_E_NOTSUPPORTED) return "HYC00";
    if (code == E_OUTOFMEMORY) return "HY001";
    return "HY000";
}

}  // namespace tabvex::odbc::xls
