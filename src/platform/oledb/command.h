// A command (ICommandText, ICommandProperties, ICommandPrepare, ICommand::Execute):
// statement text in a dialect, rowset properties, and execution to a rowset or, for
// statements that return no rows, to none.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/oledb/com_object.h"
#include "platform/oledb/error_info.h"
#include "platform/oledb/property.h"
#include "platform/oledb/rowset.h"

namespace tabvex::oledb {

inline const Guid DBGUID_DEFAULT = GuidLiteral("{C8B521FB-5CF3-11CE-ADE5-00AA0044773D}");
inline const Guid DBGUID_DBSQL = GuidLiteral("{C8B522D7-5CF3-11CE-ADE5-00AA0044773D}");

class Command : public ComObject, public SupportErrorInfo {
public:
    virtual HRESULT SetCommandText(const Guid& dialect, const std::string& text) = 0;
    virtual HRESULT SetProperties(std::vector<DBPROPSET>& sets) = 0;
    // Runs the statement. `rowset` receives the rows of a query and stays empty for
    // a statement that returns none; `rowsAffected` (when given) the rows changed.
    virtual HRESULT Execute(std::shared_ptr<Rowset>& rowset, std::int64_t* rowsAffected = nullptr) = 0;
};

}  // namespace tabvex::oledb
