#include "platform/odbc/xls_driver/connection_settings.h"

#include <odbcinst.h>

#include "platform/files/file_ending.h"

namespace tabvex::odbc::xls {
namespace {

constexpr std::size_t kProfileValueSize = 4096;

std::string ProfileValue(const std::string& section, const char* key) {
    std::string value(kProfileValueSize, '\0');
    int length = SQLGetPrivateProfileString(section.c_str(), key, "", value.data(), static_cast<int>(value.size()),
                                            "ODBC.INI");
    value.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    if (auto nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
    return value;
}

bool ReadOnlyValue(const std::string& value) {
    if (value == "0") return false;
    if (value == "1") return true;
    throw ConnectionStringError("ReadOnly must be 0 or 1, not '" + value + "'.");
}

}  // namespace

ConnectionSettings SettingsOfDataSource(const std::string& dataSourceName) {
    ConnectionSettings settings;
    settings.dataSourceName = dataSourceName;
    settings.workbook = ProfileValue(dataSourceName, "DBQ");
    settings.defaultDir = ProfileValue(dataSourceName, "DefaultDir");
    settings.driverId = ProfileValue(dataSourceName, "DriverId");
    std::string readOnly = ProfileValue(dataSourceName, "ReadOnly");
    if (!readOnly.empty()) settings.readOnly = ReadOnlyValue(readOnly);
    return settings;
}

ConnectionSettings SettingsFromConnectionString(const ConnectionString& text) {
    ConnectionSettings settings;
    if (auto name = text.Find("DSN"); name && !name->empty()) settings = SettingsOfDataSource(*name);
    if (auto value = text.Find("DBQ")) settings.workbook = *value;
    if (auto value = text.Find("DefaultDir")) settings.defaultDir = *value;
    if (auto value = text.Find("DriverId")) settings.driverId = *value;
    if (auto value = text.Find("ReadOnly")) settings.readOnly = ReadOnlyValue(*value);
    return settings;
}

std::filesystem::path WorkbookPath(const std::string& name, const std::string& defaultDir) {
    std::filesystem::path path = name;
    if (path.is_relative() && !defaultDir.empty()) path = std::filesystem::path(defaultDir) / path;
    return files::DatabaseFileOf(path.string(), files::kWorkbookEndings);
}

std::string CatalogName(const std::filesystem::path& workbook) {
    return files::WithoutFileEnding(workbook.string(), files::kWorkbookEndings);
}

}  // namespace tabvex::odbc::xls
