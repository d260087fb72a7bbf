#include "adapters/access/access_adapter.h"


#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/output_lines.h"
#include "com/expand_percent_tokens.h"
#include "com/provider_error_text.h"
#include "com/system_error_text.h"
#include "platform/files/file_ending.h"
#include "platform/oledb/data_source.h"
#include "platform/registry/class_registry.h"

namespace tabvex::adapters {

using namespace tabvex::oledb;
namespace fs = std::filesystem;

namespace {

constexpr const char* kSystemDatabaseTemplate = "%USERPROFILE%\\Application Data\\Microsoft\\Access\\System.MDW";
constexpr const char* kJetProviderString = ";COUNTRY=0;CP=1252;LANGID=0x0409";
constexpr const char* kOdbcProviderStringStart = "Driver={Microsoft Access Driver (*.mdb)};SystemDB=";
constexpr const char* kNoConnection = "No Connection!";

void ReportStep(app::Output& output, HRESULT result, const char* step) {
    app::WriteOutputLine(output, "%s", com::ProviderErrorText(result, step).c_str());
}

// The Jet provider created by its class id, as a data source that can create data
// stores. Reports the failing step and gives nullptr.
std::shared_ptr<DataSource> CreateJetAdministrator(app::Output& output) {
    std::shared_ptr<ComObject> object;
    HRESULT result = registry::InstalledRegistry().CreateInstance(kJetProviderClassId, object);
    if (Failed(result)) {
        ReportStep(output, result, "Database Init");
        return nullptr;
    }
    auto dataSource = std::dynamic_pointer_cast<DataSource>(object);
    if (!dataSource) ReportStep(output, E_NOINTERFACE, "Bind Property");
    return dataSource;
}

}  // namespace


bool BuildAccessInitProperties(connect::ConnectionSettings& settings, DBPROPSET& set) {
    AddProperty(set, DBPROP_AUTH_CACHE_AUTHINFO, true);
    AddProperty(set, DBPROP_AUTH_ENCRYPT_PASSWORD, false);
    AddProperty(set, DBPROP_AUTH_MASK_PASSWORD, false);
    AddProperty(set, DBPROP_AUTH_PASSWORD, settings.password);
    AddProperty(set, DBPROP_AUTH_USERID, settings.userId);
    if (!settings.sourceName.empty()) AddProperty(set, DBPROP_INIT_DATASOURCE, settings.sourceName);
    if (!settings.catalogName.empty()) AddProperty(set, DBPROP_INIT_CATALOG, settings.catalogName);
    AddProperty(set, DBPROP_INIT_MODE, std::int32_t{0x10});
    AddProperty(set, DBPROP_INIT_PROMPT, std::int16_t{4});
    AddProperty(set, DBPROP_INIT_LCID, std::int32_t{0x409});
    if (connect::IsJetProvider(settings.providerProgId)) {
        AddProperty(set, DBPROP_INIT_PROVIDERSTRING, std::string(kJetProviderString));
        // The tree shows a Jet database by its path without the ending.
        settings.catalogName = files::WithoutFileEnding(settings.sourceName, files::kAccessEndings);
    } else {
        AddProperty(set, DBPROP_INIT_PROVIDERSTRING, kOdbcProviderStringStart + SystemDatabasePathForOdbc());
    }
    return true;
}

std::string SystemDatabasePath() {
    std::string path = com::ExpandPercentTokens(kSystemDatabaseTemplate);
    std::replace(path.begin(), path.end(), '\\', '/');
    return fs::path(path).lexically_normal().string();
}

std::string SystemDatabasePathForOdbc() { return SystemDatabasePath() + ";"; }

bool CreateSystemDatabase(app::Output& output) {
    const std::string path = SystemDatabasePath();
    // The profile folder of a fresh account has no Access folders yet.
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);

    auto dataSource = CreateJetAdministrator(output);
    if (!dataSource) return false;
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    AddProperty(init, DBPROP_INIT_DATASOURCE, path);
    DBPROPSET jet{DBPROPSET_JETOLEDB_DBINIT, {}};
    AddProperty(jet, DBPROP_JETOLEDB_CREATE_SYSDB, true);
    std::vector<DBPROPSET> sets{std::move(init), std::move(jet)};
    HRESULT result = dataSource->CreateDataSource(sets);
    if (Failed(result)) {
        ReportStep(output, result, "Create SysDB");
        return false;
    }
    return true;
}

void EnsureSystemDatabase(app::Output& output) {
    const fs::path path = SystemDatabasePath();
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) {
        fs::remove(path, error);  // only an empty folder goes; otherwise creating reports it
        CreateSystemDatabase(output);
    } else if (!fs::exists(status)) {
        CreateSystemDatabase(output);
    }
}

bool CreateAccessDatabase(app::Output& output, std::string path) {
    if (!files::HasFileEnding(path, ".mdb")) path += ".mdb";
    app::WriteOutputLine(output, "Create Access MDB File [%s]", path.c_str());

    auto dataSource = CreateJetAdministrator(output);
    if (!dataSource) return false;
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    AddProperty(init, DBPROP_INIT_DATASOURCE, path);
    std::vector<DBPROPSET> sets{std::move(init)};
    HRESULT result = dataSource->CreateDataSource(sets);
    if (Failed(result)) {
        ReportStep(output, result, "Create DB");
        return false;
    }
    dataSource.reset();
    EnsureSystemDatabase(output);
    return true;
}

std::string QueryAccessVersion(app::Output& output, const connect::ConnectionHolder& holder) {
    if (holder.HasSession()) return {};
    app::WriteOutputLine(output, "%s", com::SystemErrorText(kNoConnection).c_str());
    return kNoConnection;
}

}  // namespace tabvex::adapters
