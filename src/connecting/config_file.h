// migrator.cfg: both connections and the options, in the program's configuration folder.
//
//   [Public]    Config, AutoBackup, SplitLongTables, Tips,   "true" / "false"
//               Verify, BinaryFiles, TraceFiles (true when missing; no dialog
//               field, the file is edited by hand)
//   [SourceDB]  Provider, SourceName, UserID, PassWord, CatalogName
//   [TargetDB]  the same keys for the target
//
// Values are kept whole: any length, blanks at either end and enclosing quotes read
// back as they were written. A boolean is true when its text holds
// "true" anywhere (case-sensitive). The file holds passwords in clear text, so the
// program writes it readable by its owner only.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "app/output.h"
#include "browser/sides.h"
#include "connect/config_dialog_record.h"
#include "connect/options.h"

namespace tabvex::connect {

std::filesystem::path MigratorConfigPath(const std::filesystem::path& configFolder);

bool ConfigValueIsTrue(std::string_view value);

// When the dialog opens: clears the options, then, if the file can be read, takes
// the options from [Public] (and both sections when Config is true) and shows or
// hides the window's Tips tab. Without a file nothing else changes.
void ReadConfigOptions(ConfigDialogRecord& record, app::Output& output, SharedOptions& options,
                       const std::filesystem::path& configFolder);

// Records the Display Tips choice and adds or removes the window's Tips tab.
void ShowTipsPage(app::Output& output, SharedOptions& options, bool shown);

// Fills both sides' fields from [SourceDB] and [TargetDB]; when the file cannot be
// read, says so in a message box and changes nothing.
void ReadConfigSections(ConfigDialogRecord& record, app::Output& output,
                        const std::filesystem::path& configFolder);

// At start-up: the migration options SplitLongTables, Verify, BinaryFiles and TraceFiles are taken
// from the file; when it keeps the connections (its Config option), both sides'
// settings and the auto-backup option take them too, so that Connect works before the
// dialog was ever opened. Shows nothing, whatever the file holds.
void TakeSavedConnections(SharedOptions& options, browser::Sides& sides);

// At start: the Tips tab as the file's Display Tips option says; without a file, no tab.
void ShowSavedTipsPage(app::Output& output, SharedOptions& options, const std::filesystem::path& programDirectory);

// The dialog's Connect button: writes the options (and the fields, as typed, when
// the config-file option is on), then hands the options and both sides' settings
// over. A file that cannot be written is reported as an error line; the hand-over
// happens anyway.
void WriteConfigOnConnect(const ConfigDialogRecord& record, app::Output& output, SharedOptions& options,
                          browser::Sides& sides);

// The dialog's "Save Config" button: with the config-file option on writes the
// options and both sections, otherwise only Config=false; then tells the person
// whether the file was saved. Nothing is handed over.
void SaveConfig(const ConfigDialogRecord& record, app::Output& output, const std::filesystem::path& configFolder);

}  // namespace tabvex::connect
