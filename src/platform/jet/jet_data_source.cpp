#include "platform/jet/jet_data_source.h"

#include "platform/files/file_ending.h"
#include "platform/jet/file_path.h"
#include "platform/jet/isam_factory.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/jet/mdb/mdb_error.h"
#include "platform/jet/jet_session.h"
#include "platform/jet/workgroup_file.h"
#include "platform/oledb/data_source_properties.h"
#include "platform/oledb/interface_ids.h"

namespace tabvex::jet {
namespace {

using namespace tabvex::oledb;

const ProviderNames kNames{"the Jet provider", "Microsoft JET Database Engine"};

// The DBINIT set, with the Admin user Jet assumes, and Jet's own set.
std::vector<PropertyDefinition> InitializationProperties() {
    auto definitions = DbInitPropertyDefinitions("Admin");
    definitions.push_back({DBPROPSET_JETOLEDB_DBINIT, DBPROP_JETOLEDB_SYSDBPATH, PropertyValue{std::string()}});
    definitions.push_back({DBPROPSET_JETOLEDB_DBINIT, DBPROP_JETOLEDB_CREATE_SYSDB, PropertyValue{false}});
    return definitions;
}

// The path as Jet's tree shows the database: without its ".mdb", ".accdb" or ".xls".
std::string CatalogName(const std::string& path) { return files::WithoutFileEnding(path, files::kDatabaseEndings); }

HRESULT ReportIsamError(const IsamError& error, const Guid& interfaceId) {
    return ReportError(error.code(), interfaceId, error.what());
}

}  // namespace

JetDataSource::JetDataSource() : properties_(InitializationProperties()) {}

HRESULT JetDataSource::SetProperties(std::vector<DBPROPSET>& sets) {
    return SetDataSourceProperties(properties_, isam_ != nullptr, sets, kNames);
}

HRESULT JetDataSource::GetProperty(const Guid& setId, DBPROPID id, PropertyValue& value) {
    return GetDataSourceProperty(properties_, isam_ != nullptr, setId, id, value, kNames);
}

void JetDataSource::OpenDataStore() {
    std::string path = properties_.GetText(DBPROPSET_DBINIT, DBPROP_INIT_DATASOURCE);
    if (path.empty()) {
        throw IsamError(E_FAIL, "No database file is given: set DBPROP_INIT_DATASOURCE to an .mdb file or a workbook.");
    }
    std::string workgroupFile = properties_.GetText(DBPROPSET_JETOLEDB_DBINIT, DBPROP_JETOLEDB_SYSDBPATH);
    if (!workgroupFile.empty()) RequireWorkgroupFile(ProviderFilePath(workgroupFile));
    isam_ = OpenIsam(IsamKindOf(properties_.GetText(DBPROPSET_DBINIT, DBPROP_INIT_PROVIDERSTRING)),
                     ProviderFilePath(path));
}

void JetDataSource::PublishInformation() {
    std::string path = properties_.GetText(DBPROPSET_DBINIT, DBPROP_INIT_DATASOURCE);
    properties_.Put(DBPROPSET_DATASOURCEINFO, DBPROP_DBMSNAME, std::string("MS Jet"));
    properties_.Put(DBPROPSET_DATASOURCEINFO, DBPROP_DBMSVER, std::string("04.00.0000"));
    properties_.Put(DBPROPSET_DATASOURCEINFO, DBPROP_DATASOURCENAME, path);
    properties_.Put(DBPROPSET_DATASOURCE, DBPROP_CURRENTCATALOG, CatalogName(path));
}

HRESULT JetDataSource::Initialize() {
    SetErrorInfo(nullptr);
    if (isam_) return ReportError(DB_E_ALREADYINITIALIZED, IID_IDBInitialize, "The data source is already initialized.");
    try {
        OpenDataStore();
    } catch (const IsamError& error) {
        return ReportIsamError(error, IID_IDBInitialize);
    }
    PublishInformation();
    return S_OK;
}

HRESULT JetDataSource::Uninitialize() {
    SetErrorInfo(nullptr);
    isam_.reset();  // sessions keep the ISAM they share until they are released
    return S_OK;
}

HRESULT JetDataSource::CreateSession(std::shared_ptr<Session>& session) {
    SetErrorInfo(nullptr);
    session.reset();
    if (!isam_) {
        return ReportError(E_UNEXPECTED, IID_IDBCreateSession, "The data source is not initialized: call Initialize first.");
    }
    session = std::make_shared<JetSession>(isam_);
    return S_OK;
}

void JetDataSource::CreateDataStore() {
    std::filesystem::path path = ProviderFilePath(properties_.GetText(DBPROPSET_DBINIT, DBPROP_INIT_DATASOURCE));
    if (path.empty()) {
        throw IsamError(E_FAIL, "No file to create is given: set DBPROP_INIT_DATASOURCE to the new file's path.");
    }
    if (IsamKindOf(properties_.GetText(DBPROPSET_DBINIT, DBPROP_INIT_PROVIDERSTRING)) != IsamKind::Access) {
        throw IsamError(DB_E_NOTSUPPORTED, "The Jet provider creates only Access databases; '" + path.string() +
                                               "' would be a workbook.");
    }
    bool workgroupFile = std::get<bool>(*properties_.Get(DBPROPSET_JETOLEDB_DBINIT, DBPROP_JETOLEDB_CREATE_SYSDB));
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        throw IsamError(E_FAIL, "Database '" + path.string() + "' already exists.");
    }
    // A workgroup file lives in a profile folder that may not exist yet.
    if (workgroupFile && path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
    try {
        mdb::CreateEmptyDatabase(path);
    } catch (const mdb::MdbError& failure) {
        throw IsamError(E_FAIL, failure.what());
    }
}

HRESULT JetDataSource::CreateDataSource(std::vector<DBPROPSET>& sets) {
    SetErrorInfo(nullptr);
    if (isam_) return ReportError(DB_E_ALREADYINITIALIZED, IID_IDBDataSourceAdmin, "The data source is already initialized.");
    HRESULT result = SetProperties(sets);
    if (Failed(result)) return result;
    try {
        CreateDataStore();
    } catch (const IsamError& error) {
        return ReportIsamError(error, IID_IDBDataSourceAdmin);
    }
    return Initialize();
}

bool JetDataSource::InterfaceSupportsErrorInfo(const Guid& interfaceId) const {
    return interfaceId == IID_IDBInitialize || interfaceId == IID_IDBProperties ||
           interfaceId == IID_IDBCreateSession || interfaceId == IID_IDBDataSourceAdmin;
}

}  // namespace tabvex::jet
