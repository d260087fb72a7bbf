// The configuration dialog without its window: both sides' provider and source-name
// lists, the fields and options (a ConfigDialogRecord), the file choosers, Test
// Connections, Save Config and Connect. The Qt dialog shows the lists and fields,
// writes what the person typed into record() before each action, and shows the
// record again after it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/output.h"
#include "app/task_gate.h"
#include "browser/sides.h"
#include "connect/options.h"
#include "connect/config_dialog_record.h"
#include "connect/dbms_kind.h"
#include "connect/odbc_config.h"

namespace tabvex::connect {

inline constexpr int kConfigCommand = 32777;
inline constexpr int kConfigButton = 1026;
inline constexpr int kConnectButton = 1028;

enum class ConfigSide { Source = 0, Target = 1 };

// A side's source-name list: its entries (sorted, as the list keeps them), the one
// selected, and the field's label.
struct SourceNameList {
    std::vector<std::string> entries;
    int selected = -1;
    std::string label = "Source Name:";
};

class ConfigDialog {
public:
    // Opens as the window does: reads migrator.cfg's options (and fields when its
    // Config option is on), shows the connections the window holds instead of the
    // file's fields (unless tasks run), selects each side's provider (the stored one when the list
    // has it, else the first) and fills the source-name lists. Creates nothing; with
    // no source configured, the sample database beside the program is offered when
    // it exists.
    ConfigDialog(app::Output& output, app::TaskGate& gate, browser::Sides& sides, SharedOptions& options,
                 OdbcConfigFiles odbc = InstalledOdbcConfigFiles());

    ConfigDialogRecord& record() { return record_; }
    const ConfigDialogRecord& record() const { return record_; }
    SideFields& fields(ConfigSide side);
    const SideFields& fields(ConfigSide side) const;

    DbmsKind family(ConfigSide side) const;
    const std::vector<std::string>& providers(ConfigSide side) const { return providers_[Index(side)]; }
    int selectedProvider(ConfigSide side) const { return selectedProvider_[Index(side)]; }
    const SourceNameList& sourceNames(ConfigSide side) const { return sourceNames_[Index(side)]; }

    // The person chose another provider: the source-name list is filled anew (ODBC
    // data sources for an ODBC driver; for Jet a new empty database "Access_New.mdb"
    // or "Excel_New.xls" beside the side's current database, created when missing;
    // while tasks run the gate's question instead, and nothing is created), and the
    // source name becomes the list's selection.
    void SelectProvider(ConfigSide side, int index);

    // With a Jet provider the source-name list opens the file chooser instead of
    // dropping down; with any other the catalog field opens it on a double click.
    bool BrowsesOnSourceNameDropDown(ConfigSide side) const;
    bool BrowsesOnCatalogDoubleClick(ConfigSide side) const;
    // The chosen file becomes the selected source name and the catalog is emptied.
    // False when the person cancelled. The target's chooser also takes a new name.
    bool BrowseSourceName(ConfigSide side);
    // The chosen file becomes the catalog name and the source name is emptied.
    bool BrowseCatalogName(ConfigSide side);

    void ToggleAutoBackup() { record_.options.autoBackup = !record_.options.autoBackup; }
    void ToggleSplitLongTables() { record_.options.splitLongTables = !record_.options.splitLongTables; }
    void ToggleConfigFile() { record_.options.configFile = !record_.options.configFile; }
    void ToggleVerifyAfterWriting() { record_.options.verifyAfterWriting = !record_.options.verifyAfterWriting; }
    void ToggleBinaryFiles() { record_.options.binaryFiles = !record_.options.binaryFiles; }
    void ToggleOverwriteTable() { record_.options.overwriteTable = !record_.options.overwriteTable; }
    // Takes effect in the window at once; the file learns it on Connect or Save Config.
    void ToggleDisplayTips();

    // Opens each side with its fields, as connecting would, and tells the person how
    // each went; a target workbook not there yet is said to be made by Connect. Changes
    // nothing anywhere; refused while tasks run.
    void TestConnections();
    // Writes migrator.cfg only.
    void SaveConfig();
    // Writes migrator.cfg, hands the options and both sides' settings over and posts
    // the Connect command; the dialog then closes. While tasks run it is refused (false) and
    // changes nothing: the worker reads the sides' settings.
    bool Connect();

private:
    static std::size_t Index(ConfigSide side) { return static_cast<std::size_t>(side); }
    void ShowCurrentConnections();
    void SelectStoredProvider(ConfigSide side);
    void FillSourceNames(ConfigSide side);
    std::optional<std::string> OfferNewDatabase(ConfigSide side);
    void OfferSampleDatabase();
    void AddSourceName(ConfigSide side, const std::string& name);
    app::FileChooserRequest DatabaseFileRequest(ConfigSide side) const;

    app::Output& output_;
    app::TaskGate& gate_;
    browser::Sides& sides_;
    SharedOptions& options_;
    OdbcConfigFiles odbc_;
    ConfigDialogRecord record_;
    std::array<std::vector<std::string>, 2> providers_;
    std::array<int, 2> selectedProvider_{0, 0};
    std::array<SourceNameList, 2> sourceNames_;
    bool initialising_ = true;
};

// The sample database offered when nothing is configured: samples/sample.mdb in the
// program's folder.
std::filesystem::path SampleDatabasePath(const std::filesystem::path& programDirectory);

// The open-file chooser's filter for a family: Access files (".mdb" and ".accdb")
// or workbooks (".xls"), each ending in lower and upper case.
std::string DatabaseFileFilter(DbmsKind family);

}  // namespace tabvex::connect
