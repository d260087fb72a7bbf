#include "connecting/config_file.h"

#include "app/output_lines.h"
#include "connect/provider_prog_id.h"
#include "platform/profile/profile_file.h"

namespace tabvex::connect {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPublic = "Public";
constexpr const char* kSourceSection = "SourceDB";
constexpr const char* kTargetSection = "TargetDB";
constexpr fs::perms kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;

constexpr const char* kMissingFileMessage = "找不到有效配置文件(%s),检查配置文件路径!";
constexpr const char* kSavedMessage = "The Config Infomation saved successfully!";

// Values are read whole: a path or password of any length comes back as written.
std::string ReadValue(const profile::ProfileFile& file, const char* section, const char* key) {
    return file.Read(section, key);
}

bool ReadFlag(const profile::ProfileFile& file, const char* key, bool byDefault = false) {
    return ConfigValueIsTrue(file.Read(kPublic, key, byDefault ? "true" : ""));
}

SideFields ReadSide(const profile::ProfileFile& file, const char* section) {
    return {ReadValue(file, section, "Provider"), ReadValue(file, section, "SourceName"),
            ReadValue(file, section, "UserID"), ReadValue(file, section, "PassWord"),
            ReadValue(file, section, "CatalogName")};
}

const char* FlagText(bool on) { return on ? "true" : "false"; }

void WriteSide(profile::ProfileFile& file, const char* section, const SideFields& fields) {
    file.Write(section, "Provider", fields.providerName);
    file.Write(section, "SourceName", fields.sourceName);
    file.Write(section, "UserID", fields.userId);
    file.Write(section, "PassWord", fields.password);
    file.Write(section, "CatalogName", fields.catalogName);
}

void WriteSections(profile::ProfileFile& file, const ConfigDialogRecord& record) {
    file.Write(kPublic, "Config", "true");
    WriteSide(file, kSourceSection, record.source);
    WriteSide(file, kTargetSection, record.target);
}

void WriteOptions(profile::ProfileFile& file, const ConfigDialogOptions& options) {
    file.Write(kPublic, "Tips", FlagText(options.displayTips));
    file.Write(kPublic, "AutoBackup", FlagText(options.autoBackup));
    file.Write(kPublic, "SplitLongTables", FlagText(options.splitLongTables));
    file.Write(kPublic, "Verify", FlagText(options.verifyAfterWriting));
    file.Write(kPublic, "BinaryFiles", FlagText(options.binaryFiles));
    file.Write(kPublic, "OverwriteTable", FlagText(options.overwriteTable));
}

// Copies what the dialog decides into the side's settings; the DBMS name stays,
// as connecting sets it. Source and catalog names keep their case: on Linux they
// name files, and a file name in lower case is another file.
void HandOver(const SideFields& fields, ConnectionSettings& settings) {
    settings.password = fields.password;
    settings.userId = fields.userId;
    settings.sourceName = fields.sourceName;
    settings.catalogName = fields.catalogName;
    settings.providerName = fields.providerName;
    settings.providerProgId = ProviderProgId(fields.providerName);
}

void ShowBox(app::Output& output, std::string text, app::MessageIcon icon) {
    output.ui().ShowMessageBox({std::move(text), app::kProgramTitle, app::MessageButtons::Ok, icon});
}

}  // namespace

fs::path MigratorConfigPath(const fs::path& configFolder) { return configFolder / "migrator.cfg"; }

bool ConfigValueIsTrue(std::string_view value) { return value.find("true") != std::string_view::npos; }

void ReadConfigOptions(ConfigDialogRecord& record, app::Output& output, SharedOptions& options,
                       const fs::path& configFolder) {
    const bool displayTips = record.options.displayTips;
    record.options = ConfigDialogOptions{};
    record.options.displayTips = displayTips;
    const profile::ProfileFile file(MigratorConfigPath(configFolder));
    if (!file.readable()) return;
    if (ReadFlag(file, "Config")) {
        record.options.configFile = true;
        ReadConfigSections(record, output, configFolder);
    }
    record.options.autoBackup = ReadFlag(file, "AutoBackup");
    record.options.splitLongTables = ReadFlag(file, "SplitLongTables");
    record.options.displayTips = ReadFlag(file, "Tips");
    record.options.verifyAfterWriting = ReadFlag(file, "Verify");
    record.options.binaryFiles = ReadFlag(file, "BinaryFiles");
    record.options.overwriteTable = ReadFlag(file, "OverwriteTable");
    if (options.get().tipsPageShown != record.options.displayTips)
        ShowTipsPage(output, options, record.options.displayTips);
}

void ShowTipsPage(app::Output& output, SharedOptions& options, bool shown) {
    options.Update([shown](Options& current) { current.tipsPageShown = shown; });
    output.ShowTipsPage(shown);
}

void ShowSavedTipsPage(app::Output& output, SharedOptions& options, const fs::path& programDirectory) {
    const profile::ProfileFile file(MigratorConfigPath(programDirectory));
    ShowTipsPage(output, options, file.readable() && ReadFlag(file, "Tips"));
}

void TakeSavedConnections(SharedOptions& options, browser::Sides& sides) {
    const profile::ProfileFile file(MigratorConfigPath(sides.folders().config));
    if (!file.readable()) return;
    const bool keepsConnections = ReadFlag(file, "Config");
    options.Update([&](Options& current) {
        current.verifyAfterWriting = ReadFlag(file, "Verify");
        current.binaryFiles = ReadFlag(file, "BinaryFiles");
        current.overwriteTable = ReadFlag(file, "OverwriteTable");
        current.splitLongTables = ReadFlag(file, "SplitLongTables");
        current.traceFiles = ReadFlag(file, "TraceFiles", true);
        if (keepsConnections) current.autoBackup = ReadFlag(file, "AutoBackup");
    });
    if (!keepsConnections) return;
    HandOver(ReadSide(file, kSourceSection), sides.source().settings());
    HandOver(ReadSide(file, kTargetSection), sides.target().settings());
}

void ReadConfigSections(ConfigDialogRecord& record, app::Output& output, const fs::path& configFolder) {
    const profile::ProfileFile file(MigratorConfigPath(configFolder));
    if (!file.readable()) {
        std::string text = kMissingFileMessage;
        text.replace(text.find("%s"), 2, file.path().string());
        ShowBox(output, std::move(text), app::MessageIcon::Warning);
        return;
    }
    record.source = ReadSide(file, kSourceSection);
    record.target = ReadSide(file, kTargetSection);
}

void WriteConfigOnConnect(const ConfigDialogRecord& record, app::Output& output, SharedOptions& options,
                          browser::Sides& sides) {
    options.Update([&](Options& current) {
        current.autoBackup = record.options.autoBackup;
        current.splitLongTables = record.options.splitLongTables;
        current.verifyAfterWriting = record.options.verifyAfterWriting;
        current.binaryFiles = record.options.binaryFiles;
        current.overwriteTable = record.options.overwriteTable;
    });
    try {
        profile::ProfileFile file(MigratorConfigPath(sides.folders().config));
        if (!record.options.configFile) file.Write(kPublic, "Config", "false");
        WriteOptions(file, record.options);
        if (record.options.configFile) WriteSections(file, record);
        file.Save(kOwnerOnly);
    } catch (const profile::ProfileError& e) {
        app::WriteOutputLine(output, "E::The configuration was not saved: %s", e.what());
    }
    HandOver(record.source, sides.source().settings());
    HandOver(record.target, sides.target().settings());
}

void SaveConfig(const ConfigDialogRecord& record, app::Output& output, const fs::path& configFolder) {
    try {
        profile::ProfileFile file(MigratorConfigPath(configFolder));
        if (record.options.configFile) {
            file.Write(kPublic, "Config", "true");
            WriteOptions(file, record.options);
            WriteSections(file, record);
        } else {
            file.Write(kPublic, "Config", "false");
        }
        file.Save(kOwnerOnly);
    } catch (const profile::ProfileError& e) {
        ShowBox(output, std::string("The Config Infomation was not saved: ") + e.what(), app::MessageIcon::Error);
        return;
    }
    ShowBox(output, kSavedMessage, app::MessageIcon::Information);
}

}  // namespace tabvex::connect
