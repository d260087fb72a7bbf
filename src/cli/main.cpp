// tabvex-cli: the engine of the window, driven from the command line.
#include <algorithm>
#include <cstdio>
#include <iostream>

#include "cli/cli_command.h"
#include "platform/registry/odbc_configuration.h"

namespace tabvex::cli {

std::vector<CliCommand>& CliCommands() {
    static std::vector<CliCommand> commands;
    return commands;
}

namespace {

constexpr const char* kVersionLine = "Norvu Tabvex Version: 1.0";

void PrintHelp() {
    std::cout << kVersionLine << "\n\nUsage: tabvex-cli COMMAND [ARGUMENTS]\n\nCommands:\n"
              << "  --help               this text\n"
              << "  --version            the program's version\n";
    auto commands = CliCommands();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand& a, const CliCommand& b) { return a.name < b.name; });
    for (const auto& c : commands) {
        std::string head = c.name + (c.usage.empty() ? "" : " " + c.usage);
        std::printf("  %-20s %s\n", head.c_str(), c.summary.c_str());
        if (!c.details.empty()) std::cout << c.details << (c.details.back() == '\n' ? "" : "\n");
    }
}

}  // namespace
}  // namespace tabvex::cli

int main(int argc, char** argv) {
    using namespace tabvex::cli;
    tabvex::registry::UseProgramOdbcConfiguration();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        PrintHelp();
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        std::cout << kVersionLine << "\n";
        return 0;
    }
    for (const auto& command : CliCommands()) {
        if (command.name == args[0]) return command.run({args.begin() + 1, args.end()});
    }
    std::cerr << "tabvex-cli: unknown command '" << args[0] << "' (see tabvex-cli --help)\n";
    return 2;
}
