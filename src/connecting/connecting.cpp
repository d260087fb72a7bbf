#include "connecting/connecting.h"

#include <memory>
#include <string_view>
#include <vector>

#include "adapters/access/access_adapter.h"
#include "adapters/excel/excel_connection.h"
#include "adapters/excel/excel_workbook.h"
#include "app/output_lines.h"
#include "browser/fill_tree.h"
#include "com/error_record_text.h"
#include "connect/data_source_opening.h"
#include "connect/dbms_kind.h"
#include "platform/files/file_ending.h"
#include "platform/oledb/data_source.h"
#include "platform/oledb/interface_ids.h"
#include "connect/statement_runners.h"
#include "connecting/new_workbook.h"

namespace tabvex::connect {

using namespace tabvex::oledb;

namespace {

// What differs between connecting the source and connecting the target.
struct SideRules {
    const char* name;            // "Source" / "Target", for the name and version errors
    const char* tip;             // inserted into the help page when opening fails
    const char* box;             // shown when opening fails
    const char* connectedLine;   // written once the data source is open
    DbmsKind kind;
    // Fills the property sets to open the data source with; false stops connecting.
    bool (*buildProperties)(app::Output&, ConnectionSettings&, std::vector<DBPROPSET>&);
    // The DBMS name shown when the provider reports none.
    std::string (*fallbackVersion)(app::Output&, ConnectionHolder&);
    // Tells what a connected side cannot do; nullptr when there is nothing to tell.
    void (*warnAfterConnecting)(app::Output&, const ConnectionSettings&);
};

bool BuildSourceProperties(app::Output& output, ConnectionSettings& settings, std::vector<DBPROPSET>& sets) {
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    adapters::BuildAccessInitProperties(settings, init);
    adapters::EnsureSystemDatabase(output);
    sets.push_back(std::move(init));
    if (IsJetProvider(settings.providerProgId)) {
        DBPROPSET jet{DBPROPSET_JETOLEDB_DBINIT, {}};
        AddProperty(jet, DBPROP_JETOLEDB_SYSDBPATH, adapters::SystemDatabasePath());
        sets.push_back(std::move(jet));
    }
    return true;
}

bool BuildTargetProperties(app::Output&, ConnectionSettings& settings, std::vector<DBPROPSET>& sets) {
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    if (!adapters::BuildExcelInitProperties(settings, init, false)) return false;
    sets.push_back(std::move(init));
    return true;
}

std::string SourceFallbackVersion(app::Output& output, ConnectionHolder& holder) {
    return adapters::QueryAccessVersion(output, holder);
}

std::string TargetFallbackVersion(app::Output& output, ConnectionHolder& holder) {
    return adapters::QueryExcelVersion(output, holder);
}

// A workbook that opens may still be one nothing can be saved into.
void WarnUnwritableWorkbook(app::Output& output, const ConnectionSettings& settings) {
    if (auto problem = adapters::WorkbookFolderWriteProblem(adapters::ConnectedTargetWorkbook(settings)))
        app::WriteOutputLine(output, "T::%s", problem->c_str());
}

constexpr SideRules kSourceRules{"Source",
                                 "Source Connection error! Please comfirm source database connection properties !",
                                 "Source Connection error!",
                                 "Connect Source Database!",
                                 kSourceDbmsKind,
                                 BuildSourceProperties,
                                 SourceFallbackVersion,
                                 nullptr};

constexpr SideRules kTargetRules{"Target",
                                 "Target Connection error! Please comfirm target database connection properties !",
                                 "Target Connection error!",
                                 "Connect Target Database!",
                                 kTargetDbmsKind,
                                 BuildTargetProperties,
                                 TargetFallbackVersion,
                                 WarnUnwritableWorkbook};

void ShowBox(app::Output& output, std::string text, app::MessageIcon icon) {
    output.ui().ShowMessageBox({std::move(text), app::kProgramTitle, app::MessageButtons::Ok, icon});
}

std::string TextOf(const PropertyValue& value) {
    struct Text {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(bool on) const { return on ? "True" : "False"; }
        std::string operator()(std::int16_t number) const { return std::to_string(number); }
        std::string operator()(std::int32_t number) const { return std::to_string(number); }
        std::string operator()(const std::string& text) const { return text; }
    };
    return std::visit(Text{}, value);
}

std::string Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

// "<DBMS name>[<version>]" from the data source's information properties; a name
// that cannot be read leaves the side's previous text.
void ReadDbmsName(app::Output& output, const SideRules& rules, browser::Side& side) {
    ConnectionSettings& settings = side.settings();
    DataSource& dataSource = *side.holder().dataSource;
    PropertyValue value;
    if (Failed(dataSource.GetProperty(DBPROPSET_DATASOURCEINFO, DBPROP_DBMSNAME, value))) {
        app::WriteOutputLine(output, "Get %s DBMS Name Error!", rules.name);
    } else {
        settings.dbmsName = TextOf(value);
    }
    settings.dbmsName = Trimmed(settings.dbmsName);
    if (settings.dbmsName.empty()) return;
    if (Failed(dataSource.GetProperty(DBPROPSET_DATASOURCEINFO, DBPROP_DBMSVER, value))) {
        app::WriteOutputLine(output, "Get %s DBMS Version Error!", rules.name);
    } else {
        settings.dbmsName += "[" + TextOf(value) + "]";
    }
}

// A side that did not connect shows it: the reason in the Log, no DBMS in its folder's
// title and an empty tree, so that no command works on the nodes of the connection
// it had before.
void ShowSideUnconnected(app::Output& output, const browser::Sides& sides, const SideRules& rules,
                         browser::Side& side, const std::string& reason) {
    app::WriteOutputLine(output, "E::%s %s", rules.box, reason.c_str());
    side.holder().Release();
    side.settings().dbmsName.clear();
    side.Publish({false, side.settings()});
    browser::FillTree(output, sides.conditionFile(), side.tree());
}

void ConnectSide(app::Output& output, const browser::Sides& sides, const SideRules& rules, browser::Side& side) {
    ConnectionSettings& settings = side.settings();
    ConnectionHolder& holder = side.holder();
    side.Disconnect();

    std::vector<DBPROPSET> sets;
    const OpenedDataSource opened = rules.buildProperties(output, settings, sets)
                                        ? OpenDataSource(settings.providerProgId, sets)
                                        : OpenedDataSource{nullptr, com::kUnknownError};
    if (!opened.dataSource) {
        ShowSideUnconnected(output, sides, rules, side, opened.failure);
        app::ShowTip(output, rules.tip);
        ShowBox(output, rules.box, app::MessageIcon::Error);
        return;
    }
    holder.dataSource = opened.dataSource;
    app::WriteOutputLine(output, "%s", rules.connectedLine);

    std::shared_ptr<Session> session;
    if (holder.dataSource->CreateSession(session) != S_OK) {
        ShowSideUnconnected(output, sides, rules, side,
                            com::ErrorRecordText(holder.dataSource.get(), IID_IDBCreateSession));
        ShowBox(output, "Couldn't create session on data source", app::MessageIcon::Error);
        return;
    }
    holder.session = std::move(session);

    side.tree().SetConnection({&holder, settings.catalogName, settings.providerProgId, static_cast<int>(rules.kind),
                               settings.userId, settings.password});
    browser::FillTree(output, sides.conditionFile(), side.tree());

    ReadDbmsName(output, rules, side);
    app::WriteOutputLine(output, "%s", connect::kOperationCompleted);
    // The side's folder shows this text as its title.
    if (settings.dbmsName.empty()) settings.dbmsName = rules.fallbackVersion(output, holder);
    side.Publish({true, settings});
    if (rules.warnAfterConnecting) rules.warnAfterConnecting(output, settings);
}

}  // namespace

void ConnectCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides) {
    if (gate.RefuseWhileTasksRun()) return;
    ConnectSource(output, sides);
    CreateMissingTargetWorkbook(output, sides);
    ConnectTarget(output, sides);
    sides.SetCharsetName("LATIN1");
}

void ConnectSource(app::Output& output, browser::Sides& sides) {
    ConnectSide(output, sides, kSourceRules, sides.source());
}

void ConnectTarget(app::Output& output, browser::Sides& sides) {
    ConnectSide(output, sides, kTargetRules, sides.target());
}

bool SelectAccessDatabase(app::Output& output, browser::Sides& sides, const std::string& databaseName) {
    std::string name = databaseName;
    // A bare name lies beside the target's database.
    if (name.find_first_of("\\/") == std::string::npos) name = sides.PathBesideDatabase(browser::kTargetSide, name);
    ConnectionSettings& settings = sides.source().settings();
    sides.source().Disconnect();
    settings.catalogName.clear();
    if (!IsJetProvider(settings.providerProgId)) {
        settings.catalogName = name;
    } else {
        settings.sourceName = files::DatabaseFileOf(name, files::kAccessEndings, {settings.sourceName});
    }
    ConnectSource(output, sides);
    return true;
}

SideConnecting::SideConnecting(app::Output& output, browser::Sides& sides) : output_(output), sides_(sides) {}

void SideConnecting::Reconnect(browser::Side& side) {
    ConnectSide(output_, sides_, side.isSource() ? kSourceRules : kTargetRules, side);
}

}  // namespace tabvex::connect
