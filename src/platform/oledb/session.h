// A session (IOpenRowset, IDBSchemaRowset, IDBCreateCommand, ITransactionLocal):
// schema rowsets with restrictions, commands, and committing the changes made.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/oledb/com_object.h"
#include "platform/oledb/command.h"
#include "platform/oledb/error_info.h"
#include "platform/oledb/rowset.h"

namespace tabvex::oledb {

inline const Guid DBSCHEMA_CATALOGS = GuidLiteral("{C8B52211-5CF3-11CE-ADE5-00AA0044773D}");
inline const Guid DBSCHEMA_COLUMNS = GuidLiteral("{C8B52214-5CF3-11CE-ADE5-00AA0044773D}");
inline const Guid DBSCHEMA_INDEXES = GuidLiteral("{C8B5221E-5CF3-11CE-ADE5-00AA0044773D}");
inline const Guid DBSCHEMA_TABLES = GuidLiteral("{C8B52229-5CF3-11CE-ADE5-00AA0044773D}");

// Restriction values in the schema's restriction order; nullopt (VT_EMPTY) or a
// missing trailing entry restricts nothing.
using Restrictions = std::vector<std::optional<std::string>>;

class Session : public ComObject, public SupportErrorInfo {
public:
    virtual HRESULT GetSchemaRowset(const Guid& schema, const Restrictions& restrictions,
                                    std::shared_ptr<Rowset>& rowset) = 0;
    virtual HRESULT CreateCommand(std::shared_ptr<Command>& command) = 0;
    // Makes the changes made so far durable. Releasing a session commits too, but
    // has no caller to tell when that fails; a consumer that must know commits first.
    virtual HRESULT Commit() = 0;
};

}  // namespace tabvex::oledb
