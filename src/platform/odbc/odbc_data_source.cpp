#include "platform/odbc/odbc_data_source.h"

#include <sqlext.h>
#include <strings.h>

#include "platform/files/file_ending.h"
#include "platform/odbc/connection_string.h"
#include "platform/odbc/odbc_error.h"
#include "platform/odbc/odbc_session.h"
#include "platform/oledb/data_source_properties.h"
#include "platform/oledb/interface_ids.h"

namespace tabvex::odbc {
namespace {

using namespace tabvex::oledb;

const ProviderNames kNames{"the ODBC provider", kProviderName};

// A path without its ending, so that "/d/shop" and "/d/shop.mdb" name the same database.
std::string WithoutEnding(const std::string& path) { return files::WithoutFileEnding(path, files::kDatabaseEndings); }

bool SameCatalog(const std::string& a, const std::string& b) {
    return !a.empty() && strcasecmp(WithoutEnding(a).c_str(), WithoutEnding(b).c_str()) == 0;
}

HRESULT ConnectFailureCode(const OdbcError& error) {
    return error.HasState("28000") ? DB_SEC_E_AUTH_FAILED : E_FAIL;
}

}  // namespace

OdbcDataSource::OdbcDataSource() : properties_(DbInitPropertyDefinitions("")) {}

HRESULT OdbcDataSource::SetProperties(std::vector<DBPROPSET>& sets) {
    return SetDataSourceProperties(properties_, connection_ != nullptr, sets, kNames);
}

HRESULT OdbcDataSource::GetProperty(const Guid& setId, DBPROPID id, PropertyValue& value) {
    return GetDataSourceProperty(properties_, connection_ != nullptr, setId, id, value, kNames);
}

void OdbcDataSource::Connect() {
    ConnectionRequest request{properties_.GetText(DBPROPSET_DBINIT, DBPROP_INIT_PROVIDERSTRING),
                              properties_.GetText(DBPROPSET_DBINIT, DBPROP_INIT_DATASOURCE),
                              properties_.GetText(DBPROPSET_DBINIT, DBPROP_INIT_CATALOG),
                              properties_.GetText(DBPROPSET_DBINIT, DBPROP_AUTH_USERID),
                              properties_.GetText(DBPROPSET_DBINIT, DBPROP_AUTH_PASSWORD)};
    try {
        connection_ = Connection::Open(ConnectionString(request));
    } catch (const OdbcError& error) {
        if (!error.diagnostics().empty()) throw;
        // mdbtools' driver fails on a missing file without a word: name what was asked.
        request.password = request.password.empty() ? "" : "***";
        throw OdbcError("The ODBC driver could not connect and gave no reason; the connection string was \"" +
                            ConnectionString(request) + "\"",
                        {});
    }
    if (!request.catalog.empty() && !CatalogIsDatabaseFile(request)) {
        try {
            EnterCatalog(request.catalog);
        } catch (...) {
            connection_.reset();
            throw;
        }
    }
}

void OdbcDataSource::EnterCatalog(const std::string& catalog) {
    try {
        connection_->SetCurrentCatalog(catalog);
    } catch (const OdbcError&) {
        // Drivers of single-file databases (mdbtools) cannot switch files; the
        // connection serves when its DSN already opens that catalog.
        if (SameCatalog(connection_->CurrentCatalog(), catalog) ||
            SameCatalog(connection_->InfoText(SQL_DATABASE_NAME), catalog)) {
            return;
        }
        throw;
    }
}

void OdbcDataSource::PublishInformation() {
    properties_.Put(DBPROPSET_DATASOURCEINFO, DBPROP_DBMSNAME, connection_->InfoText(SQL_DBMS_NAME));
    properties_.Put(DBPROPSET_DATASOURCEINFO, DBPROP_DBMSVER, connection_->InfoText(SQL_DBMS_VER));
    std::string databaseName = connection_->InfoText(SQL_DATABASE_NAME);
    std::string dataSourceName = connection_->InfoText(SQL_DATA_SOURCE_NAME);
    properties_.Put(DBPROPSET_DATASOURCEINFO, DBPROP_DATASOURCENAME,
                    dataSourceName.empty() ? databaseName : dataSourceName);
    // Drivers of single files (mdbtools') name no catalog: the file asked for is it,
    // named without its ending as Access's own driver names a file's catalog.
    std::string catalog = connection_->CurrentCatalog();
    if (catalog.empty()) catalog = databaseName;
    if (catalog.empty()) catalog = WithoutEnding(properties_.GetText(DBPROPSET_DBINIT, DBPROP_INIT_CATALOG));
    properties_.Put(DBPROPSET_DATASOURCE, DBPROP_CURRENTCATALOG, catalog);
}

HRESULT OdbcDataSource::Initialize() {
    SetErrorInfo(nullptr);
    if (connection_) {
        return ReportError(DB_E_ALREADYINITIALIZED, IID_IDBInitialize, "The data source is already initialized.",
                           kProviderName);
    }
    try {
        Connect();
    } catch (const OdbcError& error) {
        return ReportOdbcError(error, ConnectFailureCode(error), IID_IDBInitialize);
    }
    PublishInformation();
    return S_OK;
}

HRESULT OdbcDataSource::Uninitialize() {
    SetErrorInfo(nullptr);
    connection_.reset();  // sessions keep the connection they share until they are released
    return S_OK;
}

HRESULT OdbcDataSource::CreateSession(std::shared_ptr<Session>& session) {
    SetErrorInfo(nullptr);
    session.reset();
    if (!connection_) {
        return ReportError(E_UNEXPECTED, IID_IDBCreateSession, "The data source is not initialized: call Initialize first.",
                           kProviderName);
    }
    session = std::make_shared<OdbcSession>(
        connection_, properties_.GetText(DBPROPSET_DATASOURCE, DBPROP_CURRENTCATALOG));
    return S_OK;
}

HRESULT OdbcDataSource::CreateDataSource(std::vector<DBPROPSET>&) {
    SetErrorInfo(nullptr);
    return ReportError(DB_E_NOTSUPPORTED, IID_IDBDataSourceAdmin,
                       "The ODBC provider cannot create data sources: create the database with its own program and "
                       "connect to it.",
                       kProviderName);
}

bool OdbcDataSource::InterfaceSupportsErrorInfo(const Guid& interfaceId) const {
    return interfaceId == IID_IDBInitialize || interfaceId == IID_IDBProperties ||
           interfaceId == IID_IDBCreateSession || interfaceId == IID_IDBDataSourceAdmin;
}

}  // namespace tabvex::odbc
