#include "connecting/config_dialog.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "adapters/access/access_adapter.h"
#include "adapters/excel/excel_connection.h"
#include "adapters/excel/excel_workbook.h"
#include "connect/ascii_case.h"
#include "connecting/config_file.h"
#include "connecting/new_workbook.h"
#include "connect/data_source_opening.h"
#include "connect/provider_list.h"
#include "connect/provider_prog_id.h"
#include "platform/oledb/data_source.h"

namespace tabvex::connect {

namespace fs = std::filesystem;
using namespace tabvex::oledb;

namespace {

// What differs between testing the source and testing the target.
struct TestRules {
    const char* failed;
    const char* succeeded;
};

constexpr TestRules kSourceTest{"Source DB Connect ERROR!", "Source Connection Successful!"};
constexpr TestRules kTargetTest{"Target DB Connect ERROR!", "Target Connection Successful!"};

void ShowBox(app::Output& output, std::string text, app::MessageIcon icon) {
    output.ui().ShowMessageBox({std::move(text), app::kProgramTitle, app::MessageButtons::Ok, icon});
}

// The settings a side's fields describe, as typed.
ConnectionSettings SettingsOf(const SideFields& fields) {
    ConnectionSettings settings;
    settings.providerName = fields.providerName;
    settings.providerProgId = ProviderProgId(fields.providerName);
    settings.sourceName = fields.sourceName;
    settings.catalogName = fields.catalogName;
    settings.userId = fields.userId;
    settings.password = fields.password;
    return settings;
}

// Opens a data source of the dialog's own with the sets and tells the person how it
// went: on failure a second box gives the reason. True when it opened.
bool TestDataSource(app::Output& output, const TestRules& rules, const std::string& progId,
                    std::vector<DBPROPSET>& sets) {
    const OpenedDataSource opened = OpenDataSource(progId, sets);
    if (!opened.dataSource) {
        ShowBox(output, rules.failed, app::MessageIcon::Error);
        ShowBox(output, opened.failure, app::MessageIcon::Error);
        return false;
    }
    ShowBox(output, rules.succeeded, app::MessageIcon::Information);
    return true;
}

// Jet on an Access side needs the workgroup file too.
void AddJetSetForAccess(ConnectionSettings& settings, DbmsKind family, std::vector<DBPROPSET>& sets) {
    if (!IsJetProvider(settings.providerProgId) || family != DbmsKind::Access) return;
    DBPROPSET jet{DBPROPSET_JETOLEDB_DBINIT, {}};
    AddProperty(jet, DBPROP_JETOLEDB_SYSDBPATH, adapters::SystemDatabasePath());
    sets.push_back(std::move(jet));
}

// The fields of the connection the window holds; nullopt when none was ever handed
// over. A Jet provider's catalog is derived from the file when connecting, so it is
// not shown as typed.
std::optional<SideFields> CurrentFields(const ConnectionSettings& settings) {
    if (settings.providerName.empty()) return std::nullopt;
    return SideFields{settings.providerName, settings.sourceName, settings.userId, settings.password,
                      IsJetProvider(settings.providerProgId) ? std::string() : settings.catalogName};
}

int SideOf(ConfigSide side) { return side == ConfigSide::Source ? browser::kSourceSide : browser::kTargetSide; }

}  // namespace

fs::path SampleDatabasePath(const fs::path& programDirectory) { return programDirectory / "samples" / "sample.mdb"; }

std::string DatabaseFileFilter(DbmsKind family) {
    return family == DbmsKind::Excel ? "Excel File (*.xls *.XLS)" : "Access File (*.mdb *.MDB *.accdb *.ACCDB)";
}

ConfigDialog::ConfigDialog(app::Output& output, app::TaskGate& gate, browser::Sides& sides, SharedOptions& options,
                           OdbcConfigFiles odbc)
    : output_(output), gate_(gate), sides_(sides), options_(options), odbc_(std::move(odbc)) {
    ReadConfigOptions(record_, output_, options_, sides_.folders().config);
    ShowCurrentConnections();
    for (ConfigSide side : {ConfigSide::Source, ConfigSide::Target}) {
        providers_[Index(side)] = ProviderList(family(side));
        SelectStoredProvider(side);
        FillSourceNames(side);
    }
    if (record_.source.sourceName.empty()) OfferSampleDatabase();
    initialising_ = false;
}

// What the window is connected with comes before the file, which may be older. Not
// while tasks run: the worker may be switching a side's database.
void ConfigDialog::ShowCurrentConnections() {
    if (gate_.tasksRunning()) return;
    if (auto current = CurrentFields(sides_.source().settings())) record_.source = std::move(*current);
    if (auto current = CurrentFields(sides_.target().settings())) record_.target = std::move(*current);
}

SideFields& ConfigDialog::fields(ConfigSide side) {
    return side == ConfigSide::Source ? record_.source : record_.target;
}

const SideFields& ConfigDialog::fields(ConfigSide side) const {
    return side == ConfigSide::Source ? record_.source : record_.target;
}

DbmsKind ConfigDialog::family(ConfigSide side) const {
    return side == ConfigSide::Source ? kSourceDbmsKind : kTargetDbmsKind;
}

// The stored provider when the list has it (without regard to case), else the first.
void ConfigDialog::SelectStoredProvider(ConfigSide side) {
    const auto& list = providers_[Index(side)];
    SideFields& sideFields = fields(side);
    const auto found = std::find_if(list.begin(), list.end(), [&](const std::string& provider) {
        return EqualsIgnoringAsciiCase(provider, sideFields.providerName);
    });
    const auto index = found == list.end() ? 0 : found - list.begin();
    selectedProvider_[Index(side)] = static_cast<int>(index);
    sideFields.providerName = list[static_cast<std::size_t>(index)];
}

void ConfigDialog::SelectProvider(ConfigSide side, int index) {
    const auto& list = providers_[Index(side)];
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return;
    selectedProvider_[Index(side)] = index;
    fields(side).providerName = list[static_cast<std::size_t>(index)];
    FillSourceNames(side);
    const SourceNameList& names = sourceNames_[Index(side)];
    fields(side).sourceName = names.selected < 0 ? std::string() : names.entries[static_cast<std::size_t>(names.selected)];
}

void ConfigDialog::FillSourceNames(ConfigSide side) {
    SourceNameList& names = sourceNames_[Index(side)];
    names = SourceNameList{};
    const std::string& provider = fields(side).providerName;
    if (IsOdbcDriverName(provider)) {
        names.entries = ListOdbcDataSources(family(side), odbc_);
        std::sort(names.entries.begin(), names.entries.end());
        names.label = "Source Name";
        if (!names.entries.empty()) names.selected = 0;
    }
    if (!initialising_ && IsJetProviderName(provider)) {
        if (auto offered = OfferNewDatabase(side)) AddSourceName(side, *offered);
    }
}

// A new empty database beside the side's current one (or in the program's folder),
// created unless a file is there already. Nothing while tasks run: the worker owns
// the sides and may be creating files beside them.
std::optional<std::string> ConfigDialog::OfferNewDatabase(ConfigSide side) {
    if (gate_.RefuseWhileTasksRun()) return std::nullopt;
    const bool source = side == ConfigSide::Source;
    const std::string path = sides_.PathBesideDatabase(SideOf(side), source ? "Access_New.mdb" : "Excel_New.xls");

    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) fs::remove(path, error);  // only an empty folder goes
    if (!fs::is_regular_file(status)) {
        if (source) {
            adapters::CreateAccessDatabase(output_, path);
        } else {
            adapters::CreateExcelWorkbook(output_, sides_, "Excel_New", true);
        }
    }
    return path;
}

void ConfigDialog::OfferSampleDatabase() {
    const fs::path sample = SampleDatabasePath(sides_.programDirectory());
    std::error_code error;
    if (!fs::is_regular_file(sample, error)) return;
    AddSourceName(ConfigSide::Source, sample.string());
    record_.source.sourceName = sample.string();
}

// Adds the name where the sorted list puts it and selects it.
void ConfigDialog::AddSourceName(ConfigSide side, const std::string& name) {
    auto& entries = sourceNames_[Index(side)].entries;
    auto at = std::lower_bound(entries.begin(), entries.end(), name);
    if (at == entries.end() || *at != name) at = entries.insert(at, name);
    sourceNames_[Index(side)].selected = static_cast<int>(at - entries.begin());
}

bool ConfigDialog::BrowsesOnSourceNameDropDown(ConfigSide side) const {
    return IsJetProviderName(fields(side).providerName);
}

bool ConfigDialog::BrowsesOnCatalogDoubleClick(ConfigSide side) const {
    return !IsJetProviderName(fields(side).providerName);
}

// The target may name a workbook that Connect then creates.
app::FileChooserRequest ConfigDialog::DatabaseFileRequest(ConfigSide side) const {
    app::FileChooserRequest request{"Open the database file", DatabaseFileFilter(family(side)), {}, /*forSaving=*/false};
    request.newFileAllowed = family(side) == DbmsKind::Excel;
    return request;
}

bool ConfigDialog::BrowseSourceName(ConfigSide side) {
    const auto chosen = output_.ui().ChooseFile(DatabaseFileRequest(side));
    if (!chosen) return false;
    fields(side).catalogName.clear();
    AddSourceName(side, chosen->string());
    fields(side).sourceName = chosen->string();
    return true;
}

bool ConfigDialog::BrowseCatalogName(ConfigSide side) {
    const auto chosen = output_.ui().ChooseFile(DatabaseFileRequest(side));
    if (!chosen) return false;
    fields(side).catalogName = chosen->string();
    if (!fields(side).catalogName.empty()) fields(side).sourceName.clear();
    return true;
}

void ConfigDialog::ToggleDisplayTips() {
    record_.options.displayTips = !record_.options.displayTips;
    ShowTipsPage(output_, options_, record_.options.displayTips);
}

void ConfigDialog::TestConnections() {
    // Opening may create the workgroup file the worker's connects use.
    if (gate_.RefuseWhileTasksRun()) return;
    ConnectionSettings source = SettingsOf(record_.source);
    std::vector<DBPROPSET> sourceSets(1, DBPROPSET{DBPROPSET_DBINIT, {}});
    adapters::BuildAccessInitProperties(source, sourceSets[0]);
    if (IsJetProvider(source.providerProgId)) adapters::EnsureSystemDatabase(output_);
    AddJetSetForAccess(source, family(ConfigSide::Source), sourceSets);
    TestDataSource(output_, kSourceTest, source.providerProgId, sourceSets);

    ConnectionSettings target = SettingsOf(record_.target);
    if (const auto missing = MissingTargetWorkbook(target)) {
        ShowBox(output_, WorkbookCreatedOnConnectText(*missing), app::MessageIcon::Information);
        return;
    }
    std::vector<DBPROPSET> targetSets(1, DBPROPSET{DBPROPSET_DBINIT, {}});
    adapters::BuildExcelInitProperties(target, targetSets[0], /*forTest=*/true);
    AddJetSetForAccess(target, family(ConfigSide::Target), targetSets);
    if (!TestDataSource(output_, kTargetTest, target.providerProgId, targetSets)) return;
    // Jet names the workbook as the data source, ODBC as the catalog.
    const std::string& workbook = IsJetProvider(target.providerProgId) ? target.sourceName : target.catalogName;
    if (auto problem = adapters::WorkbookFolderWriteProblem(workbook))
        ShowBox(output_, *problem, app::MessageIcon::Warning);
}

void ConfigDialog::SaveConfig() { connect::SaveConfig(record_, output_, sides_.folders().config); }

bool ConfigDialog::Connect() {
    if (gate_.RefuseWhileTasksRun()) return false;
    WriteConfigOnConnect(record_, output_, options_, sides_);
    output_.ui().PostCommand(kConnectButton);
    return true;
}

}  // namespace tabvex::connect
