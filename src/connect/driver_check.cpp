#include "connect/driver_check.h"


#include "com/expand_percent_tokens.h"
#include "connect/ascii_case.h"
#include "platform/profile/profile_file.h"

namespace tabvex::connect {

namespace fs = std::filesystem;

namespace {

// What differs between the two sides' checks.
struct DriverFamily {
    const char* word;          // a driver belongs to the side when its name holds it
    const char* fallbackName;  // the row shown when no driver does
};

constexpr DriverFamily kAccessFamily{"Access", "Microsoft Access Driver"};
constexpr DriverFamily kExcelFamily{"Excel", "Microsoft Excel Driver"};

std::string Field(std::string_view text) { return std::string(text) + "|"; }

// A provider is installed when its ProgID names a class with a module registered
// to serve it, and usable when that module is part of the program.
std::string ProviderRow(const registry::ClassRegistry& classes, const char* rowName, const char* progId,
                        bool& usable) {
    std::string row = Field(rowName);
    const auto classId = classes.FindClassId(progId);
    const auto module = classId ? classes.ModuleOfClass(*classId) : std::nullopt;
    usable = module && registry::ModuleIsAvailable(*module);
    row += Field(module ? "Installed" : "Not Installed");
    row += Field(usable ? "Usable" : "Unusable");
    return row;
}

bool IsFile(const std::string& path) {
    std::error_code ignored;
    return fs::is_regular_file(com::ExpandPercentTokens(path), ignored);
}

// A driver is usable when both its "Driver" and its "Setup" library are files.
bool DriverUsable(const profile::ProfileFile& drivers, const std::string& driver) {
    int libraries = 0;
    for (const auto& key : drivers.KeyNames(driver)) {
        const bool library = EqualsIgnoringAsciiCase(key, "Driver") || EqualsIgnoringAsciiCase(key, "Setup");
        if (library && IsFile(drivers.Read(driver, key))) ++libraries;
    }
    return libraries == 2;
}

// A missing driver list reads as an empty one, which gives the fallback row.
std::string DriverRows(const fs::path& driverList, const DriverFamily& family) {
    const profile::ProfileFile drivers(driverList);
    std::string rows;
    for (const auto& driver : drivers.SectionNames()) {
        if (driver.find(family.word) == std::string::npos) continue;
        rows += Field(driver) + Field("Installed") + Field(DriverUsable(drivers, driver) ? "Usable" : "Unusable");
    }
    if (rows.empty()) rows = Field(family.fallbackName) + Field("Not installed") + Field("Unusable");
    return rows;
}

std::string CheckDrivers(const DriverCheckSources& sources, const DriverFamily& family) {
    bool usable = false;
    std::string text = ProviderRow(*sources.classes, "Microsoft Jet 4.0 OLE DB Provider", "Microsoft.Jet.OLEDB.4.0",
                                   usable);
    text += ProviderRow(*sources.classes, "Microsoft OLE DB Provider for ODBC Drivers", "MSDASQL", usable);
    // Without the ODBC provider no ODBC driver can be reached.
    if (!usable) return text;
    return text + DriverRows(sources.odbc.drivers, family);
}

}  // namespace

DriverCheckSources InstalledDriverCheckSources() {
    return {&registry::InstalledRegistry(), InstalledOdbcConfigFiles()};
}

std::string CheckAccessDrivers(const DriverCheckSources& sources) { return CheckDrivers(sources, kAccessFamily); }

std::string CheckExcelDrivers(const DriverCheckSources& sources) { return CheckDrivers(sources, kExcelFamily); }

std::vector<DriverCheckRow> DriverCheckRows(std::string_view result) {
    std::vector<std::string> fields;
    while (!result.empty()) {
        const auto bar = result.find('|');
        fields.emplace_back(result.substr(0, bar));
        if (bar == std::string_view::npos) break;
        result.remove_prefix(bar + 1);
    }
    std::vector<DriverCheckRow> rows;
    for (std::size_t i = 0; i + 2 < fields.size(); i += 3) rows.push_back({fields[i], fields[i + 1], fields[i + 2]});
    return rows;
}

}  // namespace tabvex::connect
