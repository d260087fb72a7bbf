#include "platform/jet/jet_data_source.h"

#include "platform/jet/file_path.h"
#include "platform/jet/isam_factory.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/jet/mdb/mdb_error.h"
#include "platform/jet/jet_session.h"
#include "platform/jet/workgroup_file.h"
#include "platform/oledb/interface_ids.h"

namespace tabvex::jet {
namespace {

using namespace tabvex::oledb;

std::vector<PropertyDefinition> InitializationProperties() {
    return {
        {DBPROPSET_DBINIT, DBPROP_AUTH_CACHE_AUTHINFO, PropertyValue{false}},
        {DBPROPSET_DBINIT, DBPROP_AUTH_ENCRYPT_PASSWORD, PropertyValue{false}},
        {DBPROPSET_DBINIT, DBPROP_AUTH_MASK_PASSWORD, PropertyValue{false}},
        {DBPROPSET_DBINIT, DBPROP_AUTH_PASSWORD, PropertyValue{std::string()}},
        {DBPROPSET_DBINIT, DBPROP_AUTH_USERID, PropertyValue{std::string("Admin")}},
        {DBPROPSET_DBINIT, DBPROP_INIT_DATASOURCE, PropertyValue{std::string()}},
        {DBPROPSET_DBINIT, DBPROP_INIT_CATALOG, PropertyValue{std::string()}},
        {DBPROPSET_DBINIT, DBPROP_INIT_MODE, PropertyValue{std::int32_t{0x10}}},
        {DBPROPSET_DBINIT, DBPROP_INIT_PROMPT, PropertyValue{std::int16_t{4}}},
        {DBPROPSET_DBINIT, DBPROP_INIT_LCID, PropertyValue{std::int32_t{0x409}}},
        {DBPROPSET_DBINIT, DBPROP_INIT_PROVIDERSTRING, PropertyValue{std::string()}},
        {DBPROPSET_JETOLEDB_DBINIT, DBPROP_JETOLEDB_SYSDBPATH, PropertyValue{std::string()}},
        {DBPROPSET_JETOLEDB_DBINIT, DBPROP_JETOLEDB_CREATE_SYSDB, PropertyValue{false}},
    };
}

// The path as Jet's tree shows the database: without its ".mdb" or ".xls".
std::string CatalogName(const std::string& path) {
    for (const char* ending : {".mdb", ".xls"}) {
        if (path.size() > 4 && path.compare(path.size() - 4, 4, ending) == 0) return path.substr(0, path.size() - 4);
    }
    return path;
}

HRESULT ReportIsamError(const IsamError& error, const Guid& interfaceId) {
    return ReportError(error.code(), interfaceId, error.what());
}

}  // namespace

JetDataSource::JetDataSource() : properties_(InitializationProperties()) {}

HRESULT JetDataSource::SetProperties(std::vector<DBPROPSET>& sets) {
    SetErrorInfo(nullptr);
    if (isam_) {
        for (auto& set : sets) {
            for (auto& property : set.properties) property.status = DBPROPSTATUS_NOTSETTABLE;
        }
        return ReportError(DB_E_ERRORSOCCURRED, IID_IDBProperties,
                           "Initialization properties cannot be changed while the data source is initialized.");
    }
    HRESULT result = properties_.SetProperties(sets);
    if (Failed(result)) {
        return ReportError(result, IID_IDBProperties, "None of the given properties is supported by the Jet provider.");
    }
    return result;
}

HRESULT JetDataSource::GetProperty(const Guid& setId, DBPROPID id, PropertyValue& value) {
    SetErrorInfo(nullptr);
    auto found = properties_.Get(setId, id);
    if (!found) {
        return ReportError(DB_E_ERRORSOCCURRED, IID_IDBProperties,
                           "Property " + std::to_string(id) + " of set " + setId.ToString() + " is not available" +
                               (isam_ ? "." : ": the data source is not initialized."));
    }
    value = *found;
    return S_OK;
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
