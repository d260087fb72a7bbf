// tabvex-cli command of the connection settings: show what migrator.cfg holds, as
// the configuration dialog would load it.
#include <iostream>

#include "app/console_user_interface.h"
#include "cli/cli_command.h"
#include "com/program_directory.h"
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

int ShowConfig(const std::vector<std::string>& args) {
    std::filesystem::path programDirectory = com::DefaultProgramDirectory();
    if (args.size() == 2 && args[0] == "--program-dir") {
        programDirectory = args[1];
    } else if (!args.empty()) {
        std::cerr << "usage: tabvex-cli config-show [--program-dir DIR]\n";
        return 2;
    }
    app::ConsoleUserInterface console(std::cout, {});
    shell::Program program(console, programDirectory);
    connect::ConfigDialogRecord record;
    connect::ReadConfigOptions(record, program.output(), program.options(), programDirectory);
    std::cout << "File: " << connect::MigratorConfigPath(programDirectory).string() << "\n"
              << "Config: " << OnOff(record.options.configFile) << "  AutoBackup: " << OnOff(record.options.autoBackup)
              << "  Tips: " << OnOff(record.options.displayTips) << "\n"
              << "SplitLongTables: " << OnOff(record.options.splitLongTables)
              << "  Verify: " << OnOff(record.options.verifyAfterWriting)
              << "  BinaryFiles: " << OnOff(record.options.binaryFiles)
              << "  OverwriteTable: " << OnOff(record.options.overwriteTable) << "\n";
    PrintSide("SourceDB", record.source);
    PrintSide("TargetDB", record.target);
    return 0;
}

const CliCommandRegistration kConfigShow{{
    "config-show",
    "[--program-dir DIR]",
    "show the options and connections migrator.cfg holds (passwords hidden)",
    "",
    ShowConfig,
}};

}  // namespace
}  // namespace tabvex::cli
