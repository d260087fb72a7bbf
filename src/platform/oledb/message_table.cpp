#include "platform/oledb/message_table.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tabvex::oledb {
namespace {

using Entry = std::pair<HRESULT, std::string_view>;

constexpr std::array kMessages = {
    Entry{S_OK, "The operation completed successfully."},
    Entry{S_FALSE, "The operation completed, with nothing to report."},
    Entry{DB_S_ENDOFROWSET, "Reached start or end of rowset or chapter."},
    Entry{DB_S_ERRORSOCCURRED, "Multiple-step operation generated errors. Check each status value."},
    Entry{E_NOTIMPL, "Not implemented."},
    Entry{E_NOINTERFACE, "No such interface supported."},
    Entry{E_POINTER, "Invalid pointer."},
    Entry{E_FAIL, "Unspecified error."},
    Entry{E_UNEXPECTED, "Catastrophic failure."},
    Entry{E_OUTOFMEMORY, "Not enough storage is available to complete this operation."},
    Entry{E_INVALIDARG, "The parameter is incorrect."},
    Entry{E_ACCESSDENIED, "Access is denied."},
    Entry{REGDB_E_CLASSNOTREG, "Class not registered."},
    Entry{CO_E_CLASSSTRING, "Invalid class string."},
    Entry{CO_E_DLLNOTFOUND, "The module that serves the class could not be found."},
    Entry{CLASS_E_NOAGGREGATION, "Class does not support aggregation (or class object is remote)."},
    Entry{DISP_E_PARAMNOTFOUND, "Parameter not found."},
    Entry{DISP_E_TYPEMISMATCH, "Type mismatch."},
    Entry{DISP_E_EXCEPTION, "Exception occurred."},
    Entry{DISP_E_OVERFLOW, "Out of present range."},
    Entry{DISP_E_BADINDEX, "Invalid index."},
    Entry{RPC_E_DISCONNECTED, "The object invoked has disconnected from its clients."},
    Entry{DB_E_BADACCESSORHANDLE, "Accessor is invalid."},
    Entry{DB_E_READONLYACCESSOR, "Accessor is read-only and cannot be used to write."},
    Entry{DB_E_SCHEMAVIOLATION, "Given values violate the database schema."},
    Entry{DB_E_BADROWHANDLE, "Row handle is invalid."},
    Entry{DB_E_CANTCONVERTVALUE, "Data value could not be converted for reasons other than sign mismatch or data overflow."},
    Entry{DB_E_BADBINDINFO, "Binding information is invalid."},
    Entry{DB_E_NOCOMMAND, "Command text was not set for the command object."},
    Entry{DB_E_BADCOLUMNID, "Column does not exist."},
    Entry{DB_E_PARAMNOTOPTIONAL, "No value given for one or more required parameters."},
    Entry{DB_E_ERRORSINCOMMAND, "Command contained one or more errors."},
    Entry{DB_E_DIALECTNOTSUPPORTED, "Provider does not support the specified dialect."},
    Entry{DB_E_ERRORSOCCURRED, "Multiple-step operation generated errors. Check each status value."},
    Entry{DB_E_INTEGRITYVIOLATION, "A specified value violated the integrity constraints for a column or table."},
    Entry{DB_E_BADTYPENAME, "Type name is invalid."},
    Entry{DB_E_NOTABLE, "Table does not exist."},
    Entry{DB_E_BADTABLEID, "Table ID is invalid."},
    Entry{DB_E_DUPLICATECOLUMNID, "Column ID already exists or occurred more than once in the array of columns."},
    Entry{DB_E_DUPLICATETABLEID, "Table already exists."},
    Entry{DB_E_BADACCESSORFLAGS, "Accessor flags are invalid."},
    Entry{DB_SEC_E_AUTH_FAILED, "Authentication failed."},
    Entry{DB_E_ALREADYINITIALIZED, "An attempt was made to initialize a data source that is already initialized."},
    Entry{DB_E_NOTSUPPORTED, "Method is not supported by this provider."},
    Entry{DB_E_BADORDINAL, "Column ordinal is invalid."},
    Entry{DB_E_DATAOVERFLOW, "Literal value in the command exceeded the range of the type of the associated column."},
};

}  // namespace

std::optional<std::string_view> ResultCodeMessage(HRESULT code) {
    auto found = std::find_if(kMessages.begin(), kMessages.end(),
                              [code](const Entry& entry) { return entry.first == code; });
    if (found == kMessages.end()) return std::nullopt;
    return found->second;
}

}  // namespace tabvex::oledb
