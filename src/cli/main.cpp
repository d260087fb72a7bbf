// tabvex-cli: the engine of the window, driven from the command line.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/usage_error.h"
#include "platform/registry/odbc_configuration.h"

namespace tabvex::cli {

std::vector<CliCommand>& CliCommands() {
    static std::vector<CliCommand> commands;
    return commands;
}

namespace {

constexpr const char* kVersionLine = "Norvu Tabvex Version: 1.0";

bool IsHelpOption(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// One aligned line per command; each command's arguments and options are its own help.
void PrintOverview() {
    auto commands = CliCommands();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand& a, const CliCommand& b) { return a.name < b.name; });
    std::size_t width = std::string("--version").size();
    for (const auto& c : commands) width = std::max(width, c.name.size());
    const auto line = [&](const std::string& name, const std::string& summary) {
        std::printf("  %-*s  %s\n", static_cast<int>(width), name.c_str(), summary.c_str());
    };
    std::cout << kVersionLine << "\n\nUsage: tabvex-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    line("--help", "this text");
    line("--version", "the program's version");
    for (const auto& c : commands) line(c.name, c.summary);
    std::cout << "\nRun 'tabvex-cli COMMAND --help' for a command's arguments and options.\n";
}

// The details are written to stand under the overview's old summary column; on a
// page of their own they keep their shape with a two-blank margin.
void PrintDetails(const std::string& details) {
    std::vector<std::string> lines;
    std::istringstream text(details);
    std::size_t indent = std::string::npos;
    for (std::string line; std::getline(text, line);) {
        if (line.find_first_not_of(' ') != std::string::npos) indent = std::min(indent, line.find_first_not_of(' '));
        lines.push_back(std::move(line));
    }
    for (const auto& line : lines) std::cout << "  " << (line.size() > indent ? line.substr(indent) : "") << "\n";
}

void PrintCommandHelp(const CliCommand& command) {
    std::cout << "usage: tabvex-cli " << command.name << (command.usage.empty() ? "" : " " + command.usage)
              << "\n\n" << command.summary << "\n";
    if (command.details.empty()) return;
    std::cout << "\n";
    PrintDetails(command.details);
}

}  // namespace
}  // namespace tabvex::cli

int main(int argc, char** argv) {
    using namespace tabvex::cli;
    tabvex::registry::UseProgramOdbcConfiguration();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || IsHelpOption(args[0])) {
        PrintOverview();
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        std::cout << "tabvex-cli " TABVEX_VERSION "\n";
        return 0;
    }
    for (const auto& command : CliCommands()) {
        if (command.name != args[0]) continue;
        if (args.size() == 2 && IsHelpOption(args[1])) {
            PrintCommandHelp(command);
            return 0;
        }
        try {
            return command.run({args.begin() + 1, args.end()});
        } catch (const UsageError& error) {
            std::cerr << "tabvex-cli " << command.name << ": " << error.what() << "\nusage: tabvex-cli " << command.name
                      << (command.usage.empty() ? "" : " " + command.usage) << '\n';
            return 2;
        }
    }
    std::cerr << "tabvex-cli: unknown command '" << args[0] << "' (see tabvex-cli --help)\n"
              << "usage: tabvex-cli COMMAND [ARGUMENTS]\n";
    return 2;
}
