// A session of the ODBC provider over the data source's connection: schema rowsets
// (odbc_schema_rowsets.h; CATALOGS gives the data source's current catalog when
// the driver lists none), commands, and Commit as SQLEndTran(SQL_COMMIT), where
// a driver that works only in autocommit mode and cannot end transactions counts
// as committed.
#pragma once

#include <memory>

#include "platform/odbc/odbc_handles.h"
#include "platform/oledb/session.h"

namespace tabvex::odbc {

class OdbcSession : public oledb::Session {
public:
    OdbcSession(std::shared_ptr<Connection> connection, std::string currentCatalog);

    oledb::HRESULT GetSchemaRowset(const oledb::Guid& schema, const oledb::Restrictions& restrictions,
                                   std::shared_ptr<oledb::Rowset>& rowset) override;
    oledb::HRESULT CreateCommand(std::shared_ptr<oledb::Command>& command) override;
    oledb::HRESULT Commit() override;

    bool InterfaceSupportsErrorInfo(const oledb::Guid& interfaceId) const override;

private:
    std::shared_ptr<Connection> connection_;
    std::string currentCatalog_;
};

}  // namespace tabvex::odbc
