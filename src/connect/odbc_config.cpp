#include "connect/odbc_config.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "platform/profile/profile_file.h"

// libodbcinst exports where it keeps its files (`odbcinst -j` prints them) but
// declares these only in a header that needs unixODBC's own build settings.
extern "C" {
char* odbcinst_system_file_path(char* buffer);
char* odbcinst_system_file_name(char* buffer);
char* odbcinst_user_file_path(char* buffer);
char* odbcinst_user_file_name(char* buffer);
}

namespace tabvex::connect {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 2> kAccessDriverPrefixes = {"Driver do Microsoft Access",
                                                                   "Microsoft Access Driver"};
constexpr std::array<std::string_view, 2> kExcelDriverPrefixes = {"Driver do Microsoft Excel",
                                                                  "Microsoft Excel Driver"};

constexpr std::string_view kDataSourceList = "ODBC Data Sources";

bool NamesFamilyDriver(DbmsKind family, std::string_view driver) {
    const auto& prefixes = family == DbmsKind::Access ? kAccessDriverPrefixes : kExcelDriverPrefixes;
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](std::string_view prefix) { return driver.starts_with(prefix); });
}

void AddOnce(const std::string& name, std::vector<std::string>& names) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

// The names listed in "[ODBC Data Sources]" with their driver's description, then
// the sections that name the driver themselves (unixODBC's own tools write no list).
void AddDataSources(DbmsKind family, const fs::path& file, std::vector<std::string>& names) {
    const profile::ProfileFile sources(file);
    for (const auto& name : sources.KeyNames(kDataSourceList)) {
        if (NamesFamilyDriver(family, sources.Read(kDataSourceList, name))) AddOnce(name, names);
    }
    for (const auto& name : sources.SectionNames()) {
        if (NamesFamilyDriver(family, sources.Read(name, "Driver"))) AddOnce(name, names);
    }
}

}  // namespace

OdbcConfigFiles InstalledOdbcConfigFiles() {
    // unixODBC's own answers, into buffers as large as its own.
    char folder[FILENAME_MAX + 1] = {};
    char name[FILENAME_MAX + 1] = {};
    char userFolder[FILENAME_MAX + 1] = {};
    char userName[FILENAME_MAX + 1] = {};
    const fs::path systemFolder = odbcinst_system_file_path(folder);
    OdbcConfigFiles files;
    files.drivers = systemFolder / odbcinst_system_file_name(name);
    files.systemDataSources = systemFolder / "odbc.ini";
    files.userDataSources = fs::path(odbcinst_user_file_path(userFolder)) / odbcinst_user_file_name(userName);
    return files;
}

std::vector<std::string> ListOdbcDataSources(DbmsKind family, const OdbcConfigFiles& files) {
    std::vector<std::string> names;
    AddDataSources(family, files.systemDataSources, names);
    AddDataSources(family, files.userDataSources, names);
    return names;
}

}  // namespace tabvex::connect
