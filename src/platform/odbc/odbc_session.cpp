#include "platform/odbc/odbc_session.h"

#include <sqlext.h>

#include "platform/odbc/odbc_command.h"
#include "platform/odbc/odbc_error.h"
#include "platform/odbc/odbc_schema_rowsets.h"
#include "platform/oledb/interface_ids.h"

namespace tabvex::odbc {

using namespace tabvex::oledb;

OdbcSession::OdbcSession(std::shared_ptr<Connection> connection, std::string currentCatalog)
    : connection_(std::move(connection)), currentCatalog_(std::move(currentCatalog)) {}

HRESULT OdbcSession::GetSchemaRowset(const Guid& schema, const Restrictions& restrictions,
                                     std::shared_ptr<Rowset>& rowset) {
    SetErrorInfo(nullptr);
    rowset.reset();
    std::unique_ptr<RowSource> source;
    try {
        if (schema == DBSCHEMA_CATALOGS) {
            source = CatalogsSchema(connection_, restrictions, currentCatalog_);
        } else if (schema == DBSCHEMA_TABLES) {
            source = TablesSchema(connection_, restrictions);
        } else if (schema == DBSCHEMA_COLUMNS) {
            source = ColumnsSchema(connection_, restrictions);
        } else if (schema == DBSCHEMA_INDEXES) {
            source = IndexesSchema(connection_, restrictions);
        } else {
            return ReportError(E_INVALIDARG, IID_IDBSchemaRowset,
                               "The schema rowset " + schema.ToString() + " is not supported by the ODBC provider.",
                               kProviderName);
        }
    } catch (const OdbcError& error) {
        return ReportOdbcError(error, E_FAIL, IID_IDBSchemaRowset);
    }
    rowset = std::make_shared<Rowset>(std::move(source), Rowset::Bookmark::None);
    return S_OK;
}

HRESULT OdbcSession::CreateCommand(std::shared_ptr<Command>& command) {
    SetErrorInfo(nullptr);
    command = std::make_shared<OdbcCommand>(connection_);
    return S_OK;
}

HRESULT OdbcSession::Commit() {
    SetErrorInfo(nullptr);
    try {
        Check(SQLEndTran(SQL_HANDLE_DBC, connection_->handle(), SQL_COMMIT), SQL_HANDLE_DBC, connection_->handle(),
              "SQLEndTran");
        return S_OK;
    } catch (const OdbcError& error) {
        // Optional feature not implemented, or a driver without the function.
        if (error.HasState("HYC00") || error.HasState("IM001")) return S_OK;
        return ReportOdbcError(error, E_FAIL, IID_ITransactionLocal);
    }
}

bool OdbcSession::InterfaceSupportsErrorInfo(const Guid& interfaceId) const {
    return interfaceId == IID_IOpenRowset || interfaceId == IID_IDBSchemaRowset || interfaceId == IID_IDBCreateCommand ||
           interfaceId == IID_ITransactionLocal;
}

}  // namespace tabvex::odbc
