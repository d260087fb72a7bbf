// The data source object of the provider "MSDASQL": OLE DB over an ODBC driver
// through unixODBC. Initializing connects with SQLDriverConnect (never prompting)
// with the connection string connection_string.h builds from the DBINIT
// properties. A catalog that does not go into the connection string as DBQ is set
// after connecting (SQL_ATTR_CURRENT_CATALOG); when the driver cannot set it, the
// connection is kept only if the driver already works in that catalog.
//
// Failures leave the driver's diagnostics as error records. Initialize returns
// DB_SEC_E_AUTH_FAILED for SQLSTATE 28000 (invalid authorization), else E_FAIL.
// The information properties come from SQLGetInfo: DBMS name and version, data
// source name (SQL_DATA_SOURCE_NAME, or SQL_DATABASE_NAME when that is empty) and
// the current catalog (SQL_ATTR_CURRENT_CATALOG, else SQL_DATABASE_NAME, else the
// DBPROP_INIT_CATALOG given, without its file ending). CreateDataSource is not supported: ODBC creates no data stores.
#pragma once

#include <memory>

#include "platform/odbc/odbc_handles.h"
#include "platform/oledb/data_source.h"
#include "platform/oledb/property_store.h"

namespace tabvex::odbc {

inline const oledb::Guid CLSID_MSDASQL = oledb::GuidLiteral("{C8B522CB-5CF3-11CE-ADE5-00AA0044773D}");

class OdbcDataSource : public oledb::DataSource {
public:
    OdbcDataSource();

    oledb::HRESULT SetProperties(std::vector<oledb::DBPROPSET>& sets) override;
    oledb::HRESULT GetProperty(const oledb::Guid& setId, oledb::DBPROPID id, oledb::PropertyValue& value) override;
    oledb::HRESULT Initialize() override;
    oledb::HRESULT Uninitialize() override;
    oledb::HRESULT CreateSession(std::shared_ptr<oledb::Session>& session) override;
    oledb::HRESULT CreateDataSource(std::vector<oledb::DBPROPSET>& sets) override;

    bool InterfaceSupportsErrorInfo(const oledb::Guid& interfaceId) const override;

private:
    void Connect();
    void EnterCatalog(const std::string& catalog);
    void PublishInformation();

    oledb::PropertyStore properties_;
    std::shared_ptr<Connection> connection_;  // set while initialized; shared with the sessions
};

}  // namespace tabvex::odbc
