#include "platform/odbc/xls_driver/connection.h"

#include "platform/jet/jet_data_source.h"
#include "platform/oledb/property.h"

namespace tabvex::odbc::xls {

using namespace tabvex::oledb;

namespace {

constexpr const char* kExcelProviderString = "Excel 8.0;HDR=Yes;";

}  // namespace

Connection::~Connection() { Release(); }

bool Connection::ConnectWithString(std::string_view text, std::string& completed) {
    diagnostics.Clear();
    try {
        ConnectionString parsed = ConnectionString::Parse(text);
        ConnectionSettings settings = SettingsFromConnectionString(parsed);
        if (!Connect(std::move(settings))) return false;
        if (!workbook_.empty()) parsed.Set("DBQ", workbook_.string());
        completed = parsed.Text();
        return true;
    } catch (const ConnectionStringError& error) {
        diagnostics.Add("08001", error.what());
        return false;
    }
}

bool Connection::Connect(ConnectionSettings settings) {
    diagnostics.Clear();
    if (connected_) {
        diagnostics.Add("08002", "The connection is already open.");
        return false;
    }
    settings_ = std::move(settings);
    if (settings_.workbook.empty()) settings_.workbook = pendingCatalog_;
    // A connection to no workbook would pass a connection test and fail later.
    if (settings_.workbook.empty()) {
        diagnostics.Add("08001", "No workbook is named: give DBQ, a data source whose DBQ names one, "
                                 "or SQL_ATTR_CURRENT_CATALOG before connecting.");
        return false;
    }
    if (!OpenWorkbook(WorkbookPath(settings_.workbook, settings_.defaultDir))) return false;
    connected_ = true;
    return true;
}

bool Connection::OpenWorkbook(const std::filesystem::path& workbook) {
    std::error_code error;
    bool exists = std::filesystem::exists(workbook, error);
    if (!exists && settings_.readOnly) {
        diagnostics.Add("08001", "The workbook '" + workbook.string() +
                                     "' does not exist (to create it, connect with ReadOnly=0).");
        return false;
    }
    if (exists && std::filesystem::is_directory(workbook, error)) {
        diagnostics.Add("08001", "'" + workbook.string() + "' is a folder, not a workbook.");
        return false;
    }
    auto dataSource = std::make_shared<jet::JetDataSource>();
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    AddProperty(init, DBPROP_INIT_DATASOURCE, workbook.string());
    AddProperty(init, DBPROP_INIT_PROVIDERSTRING, std::string(kExcelProviderString));
    std::vector sets{init};
    std::shared_ptr<Session> session;
    HRESULT result = dataSource->SetProperties(sets);
    if (Succeeded(result)) result = dataSource->Initialize();
    if (Succeeded(result)) result = dataSource->CreateSession(session);
    if (Failed(result)) {
        diagnostics.AddProviderFailure(result, "Cannot open the workbook '" + workbook.string() + "'.", "08001");
        return false;
    }
    dataSource_ = std::move(dataSource);
    session_ = std::move(session);
    workbook_ = workbook;
    return true;
}

bool Connection::SwitchCatalog(const std::string& name) {
    diagnostics.Clear();
    if (name.empty()) {
        diagnostics.Add("HY024", "The catalog name is empty.");
        return false;
    }
    if (!connected_) {
        pendingCatalog_ = name;
        return true;
    }
    if (session_ && !Commit()) return false;
    std::filesystem::path wanted = WorkbookPath(name, settings_.defaultDir);
    auto kept = std::move(session_);
    auto keptSource = std::move(dataSource_);
    auto keptWorkbook = workbook_;
    if (!OpenWorkbook(wanted)) {
        // The workbook open before stays the current catalog.
        session_ = std::move(kept);
        dataSource_ = std::move(keptSource);
        workbook_ = keptWorkbook;
        return false;
    }
    return true;
}

std::shared_ptr<oledb::Session> Connection::RequireSession(Diagnostics& target) const {
    if (!session_) {
        target.Add("08003", "The connection is not open.");
        return nullptr;
    }
    return session_;
}

bool Connection::Commit() {
    diagnostics.Clear();
    if (!session_) return true;
    HRESULT result = session_->Commit();
    if (Failed(result)) {
        diagnostics.AddProviderFailure(result, "The workbook '" + workbook_.string() + "' could not be saved.");
        return false;
    }
    return true;
}

bool Connection::Disconnect() {
    bool committed = Commit();
    Release();
    return committed;
}

void Connection::Release() {
    session_.reset();
    dataSource_.reset();
    workbook_.clear();
    connected_ = false;
}

}  // namespace tabvex::odbc::xls
