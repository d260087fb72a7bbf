// tabvex-cli command of the connection settings: show what migrator.cfg holds, as
// the configuration dialog would load it.
#include <iostream>

#include "app/console_user_interface.h"
#include "cli/cli_command.h"
#include "cli/command_line.h"
#include "com/program_folders.h"
#include "connecting/config_file.h"
#include "shell/program.h"

namespace tabvex::cli {

namespace {

const char* OnOff(bool on) { return on ? "on" : "off"; }

void PrintSide(const char* title, const connect::SideFields& side) {
    std::cout << "[" << title << "]\n"
              << "  Provider:    " << side.providerName << "\n"
              << "  SourceName:  " << side.sourceName << "\n"
              << "  UserID:      " << side.userId << "\n"
              << "  PassWord:    " << (side.password.empty() ? "" : "(set)") << "\n"
              << "  CatalogName: " << side.catalogName << "\n";
}

void PrintFolders(const com::ProgramFolders& folders, const browser::Sides& sides) {
    std::cout << "Folders:\n"
              << "  Config:      " << folders.config.string() << "\n"
              << "  Conditions:  " << sides.conditionFile().string() << "\n"
              << "  Cache:       " << (folders.cache / "data_cache").string() << "\n"
              << "  Backup:      " << (folders.program / "backup").string() << "\n";
}

int ShowConfig(const std::vector<std::string>& args) {
    std::vector<std::string> rest = args;
    const com::ProgramFolders folders = TakeProgramFolders(rest);
    FileArguments(rest, {}, 0);
    app::ConsoleUserInterface console(std::cout, {});
    shell::Program program(console, folders);
    connect::ConfigDialogRecord record;
    connect::ReadConfigOptions(record, program.output(), program.options(), folders.config);
    connect::TakeSavedConnections(program.options(), program.sides());
    std::cout << "File: " << connect::MigratorConfigPath(folders.config).string() << "\n"
              << "Config: " << OnOff(record.options.configFile) << "  AutoBackup: " << OnOff(record.options.autoBackup)
              << "  Tips: " << OnOff(record.options.displayTips) << "\n"
              << "SplitLongTables: " << OnOff(record.options.splitLongTables)
              << "  Verify: " << OnOff(record.options.verifyAfterWriting)
              << "  BinaryFiles: " << OnOff(record.options.binaryFiles)
              << "  OverwriteTable: " << OnOff(record.options.overwriteTable) << "\n"
              << "TraceFiles: " << OnOff(program.options().get().traceFiles) << "\n";
    PrintSide("SourceDB", record.source);
    PrintSide("TargetDB", record.target);
    PrintFolders(folders, program.sides());
    return 0;
}

const CliCommandRegistration kConfigShow{{
    "config-show",
    "[--program-dir DIR]",
    "show the options and connections migrator.cfg holds (passwords hidden) and the folders used",
    "                       Folders: where migrator.cfg, Condition.cfg, data_cache and backup are;\n"
    "                       beside the program when it runs from a writable folder of its own,\n"
    "                       else $XDG_CONFIG_HOME/tabvex, $XDG_CACHE_HOME/tabvex and\n"
    "                       $XDG_DATA_HOME/tabvex (~/.config, ~/.cache, ~/.local/share)",
    ShowConfig,
}};

}  // namespace
}  // namespace tabvex::cli
