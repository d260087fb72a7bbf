// The table of tabvex-cli's commands. Each *_commands.cpp file registers its own
// commands with a static CliCommandRegistration, so main() only dispatches.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tabvex::cli {

struct CliCommand {
    std::string name;     // first argument, e.g. "xls-dump"
    std::string usage;    // arguments after the name, e.g. "FILE"
    std::string summary;  // one line for --help
    std::string details;  // further help text (may be empty)
    // Runs the command with the arguments after its name; returns the exit code.
    std::function<int(const std::vector<std::string>& args)> run;
};

std::vector<CliCommand>& CliCommands();

struct CliCommandRegistration {
    explicit CliCommandRegistration(CliCommand command) { CliCommands().push_back(std::move(command)); }
};

}  // namespace tabvex::cli
