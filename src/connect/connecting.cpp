#include "connect/connecting.h"

#include <memory>
#include <string_view>
#include <vector>

#include "adapters/access/access_adapter.h"
#include "adapters/excel/excel_connection.h"
#include "app/output_lines.h"
#include "browser/fill_tree.h"
#include "com/error_record_text.h"
#include "com/folders.h"
#include "connect/data_source_opening.h"
#include "connect/dbms_kind.h"
#include "platform/files/file_ending.h"
#include "platform/oledb/data_source.h"
#include "platform/oledb/interface_ids.h"
#include "tasks/engine_turn.h"
#include "tasks/statement_runners.h"

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
    ConnectionSettings& settings;
    ConnectionHolder& holder;
    browser::DbTree& tree;
    // Fills the property sets to open the data source with; false stops connecting.
    bool (*buildProperties)(app::Migrator&, ConnectionSettings&, std::vector<DBPROPSET>&);
    // The DBMS name shown when the provider reports none.
    std::string (*fallbackVersion)(app::Migrator&, ConnectionHolder&);
};

bool BuildSourceProperties(app::Migrator& migrator, ConnectionSettings& settings, std::vector<DBPROPSET>& sets) {
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    adapters::BuildAccessInitProperties(settings, init);
    adapters::EnsureSystemDatabase(migrator);
    sets.push_back(std::move(init));
    if (IsJetProvider(settings.providerProgId)) {
        DBPROPSET jet{DBPROPSET_JETOLEDB_DBINIT, {}};
        AddProperty(jet, DBPROP_JETOLEDB_SYSDBPATH, adapters::SystemDatabasePath());
        sets.push_back(std::move(jet));
    }
    return true;
}

bool BuildTargetProperties(app::Migrator&, ConnectionSettings& settings, std::vector<DBPROPSET>& sets) {
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    if (!adapters::BuildExcelInitProperties(settings, init, false)) return false;
    sets.push_back(std::move(init));
    return true;
}

std::string SourceFallbackVersion(app::Migrator& migrator, ConnectionHolder& holder) {
    return adapters::QueryAccessVersion(migrator, holder);
}

std::string TargetFallbackVersion(app::Migrator& migrator, ConnectionHolder& holder) {
    return adapters::QueryExcelVersion(migrator, holder);
}

SideRules SourceRules(app::Migrator& migrator) {
    return {"Source",
            "Source Connection error! Please comfirm source database connection properties !",
            "Source Connection error!",
            "Connect Source Database!",
            kSourceDbmsKind,
            migrator.sourceSettings(),
            migrator.sourceHolder(),
            migrator.sourceTree(),
            BuildSourceProperties,
            SourceFallbackVersion};
}

SideRules TargetRules(app::Migrator& migrator) {
    return {"Target",
            "Target Connection error! Please comfirm target database connection properties !",
            "Target Connection error!",
            "Connect Target Database!",
            kTargetDbmsKind,
            migrator.targetSettings(),
            migrator.targetHolder(),
            migrator.targetTree(),
            BuildTargetProperties,
            TargetFallbackVersion};
}

void ShowBox(app::Migrator& migrator, std::string text, app::MessageIcon icon) {
    migrator.ui().ShowMessageBox({std::move(text), app::kProgramTitle, app::MessageButtons::Ok, icon});
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
void ReadDbmsName(app::Migrator& migrator, const SideRules& side) {
    DataSource& dataSource = *side.holder.dataSource;
    PropertyValue value;
    if (Failed(dataSource.GetProperty(DBPROPSET_DATASOURCEINFO, DBPROP_DBMSNAME, value))) {
        app::WriteOutputLine(migrator, "Get %s DBMS Name Error!", side.name);
    } else {
        side.settings.dbmsName = TextOf(value);
    }
    side.settings.dbmsName = Trimmed(side.settings.dbmsName);
    if (side.settings.dbmsName.empty()) return;
    if (Failed(dataSource.GetProperty(DBPROPSET_DATASOURCEINFO, DBPROP_DBMSVER, value))) {
        app::WriteOutputLine(migrator, "Get %s DBMS Version Error!", side.name);
    } else {
        side.settings.dbmsName += "[" + TextOf(value) + "]";
    }
}

// A side that did not connect shows it: the reason in the Log, no DBMS in its folder's
// title and an empty tree, so that no command works on the nodes of the connection
// it had before.
void ShowSideUnconnected(app::Migrator& migrator, const SideRules& side, const std::string& reason) {
    app::WriteOutputLine(migrator, "E::%s %s", side.box, reason.c_str());
    side.holder.Release();
    side.settings.dbmsName.clear();
    migrator.PublishSide(side.tree.fixedSide(), {false, side.settings});
    browser::FillTree(migrator, side.tree);
}

void ConnectSide(app::Migrator& migrator, const SideRules& side) {
    side.holder.Release();
    side.tree.SetSideMarker(browser::kNotConnected);

    std::vector<DBPROPSET> sets;
    const OpenedDataSource opened = side.buildProperties(migrator, side.settings, sets)
                                        ? OpenDataSource(side.settings.providerProgId, sets)
                                        : OpenedDataSource{nullptr, com::kUnknownError};
    if (!opened.dataSource) {
        ShowSideUnconnected(migrator, side, opened.failure);
        app::ShowTip(migrator, side.tip);
        ShowBox(migrator, side.box, app::MessageIcon::Error);
        return;
    }
    side.holder.dataSource = opened.dataSource;
    app::WriteOutputLine(migrator, "%s", side.connectedLine);

    std::shared_ptr<Session> session;
    if (side.holder.dataSource->CreateSession(session) != S_OK) {
        ShowSideUnconnected(migrator, side, com::ErrorRecordText(side.holder.dataSource.get(), IID_IDBCreateSession));
        ShowBox(migrator, "Couldn't create session on data source", app::MessageIcon::Error);
        return;
    }
    side.holder.session = std::move(session);

    side.tree.SetConnection({&side.holder, side.settings.catalogName, side.settings.providerProgId,
                             static_cast<int>(side.kind), side.settings.userId, side.settings.password});
    browser::FillTree(migrator, side.tree);

    ReadDbmsName(migrator, side);
    app::WriteOutputLine(migrator, "%s", tasks::kOperationCompleted);
    // The side's folder shows this text as its title.
    if (side.settings.dbmsName.empty()) side.settings.dbmsName = side.fallbackVersion(migrator, side.holder);
    migrator.PublishSide(side.tree.fixedSide(), {true, side.settings});
}

}  // namespace

void ConnectCommand(app::Migrator& migrator) {
    if (tasks::RefuseWhileTasksRun(migrator)) return;
    ConnectSource(migrator);
    ConnectTarget(migrator);
    migrator.SetCharsetName("LATIN1");
}

void ConnectSource(app::Migrator& migrator) { ConnectSide(migrator, SourceRules(migrator)); }

void ConnectTarget(app::Migrator& migrator) { ConnectSide(migrator, TargetRules(migrator)); }

bool SelectAccessDatabase(app::Migrator& migrator, const std::string& databaseName, int /*side: the source only*/) {
    std::string name = databaseName;
    if (name.find_first_of("\\/") == std::string::npos) {
        // A bare name lies beside the target's database.
        name = com::FolderPartOf(migrator.targetTree().connection().databaseName, migrator.programDirectory()) + name;
    }
    ConnectionSettings& settings = migrator.sourceSettings();
    migrator.sourceHolder().Release();
    settings.catalogName.clear();
    migrator.sourceTree().SetSideMarker(browser::kNotConnected);
    if (!IsJetProvider(settings.providerProgId)) {
        settings.catalogName = name;
    } else {
        settings.sourceName = files::DatabaseFileOf(name, files::kAccessEndings, {settings.sourceName});
    }
    ConnectSource(migrator);
    return true;
}

}  // namespace tabvex::connect
