#include "cli/command_line.h"

#include <algorithm>

#include "cli/cli_connect.h"
#include "cli/usage_error.h"

namespace tabvex::cli {

namespace fs = std::filesystem;

bool TakeFlag(std::vector<std::string>& args, std::string_view flag) { return std::erase(args, flag) > 0; }

std::optional<std::string> TakeOption(std::vector<std::string>& args, std::string_view option) {
    const auto found = std::find(args.begin(), args.end(), option);
    if (found == args.end()) return std::nullopt;
    if (found + 1 == args.end() || found[1].empty())
        throw UsageError("missing argument for \"" + std::string(option) + "\"");
    std::string value = found[1];
    args.erase(found, found + 2);
    return value;
}

com::ProgramFolders TakeProgramFolders(std::vector<std::string>& args) {
    const auto directory = TakeOption(args, "--program-dir");
    if (!directory) return com::DefaultProgramFolders();
    const fs::path folder = fs::absolute(*directory);
    std::error_code ignored;  // a folder that cannot be made shows when its first file is written
    fs::create_directories(folder, ignored);
    return com::ProgramFolders(folder);
}

std::vector<std::string> FileArguments(const std::vector<std::string>& args, const std::vector<std::string>& names,
                                       std::size_t required) {
    for (const auto& arg : args)
        if (arg.size() > 1 && arg[0] == '-') throw UsageError("unknown option \"" + arg + "\"");
    if (args.size() < required) throw UsageError("missing " + names[args.size()]);
    if (args.size() > names.size()) throw UsageError("unexpected argument \"" + args[names.size()] + "\"");
    return args;
}

void RequireWorkbook(const std::string& file, const char* role) {
    if (!IsWorkbook(file))
        throw UsageError(std::string(role) + " \"" + file + "\" is not a workbook: its name must end in .xls");
}

}  // namespace tabvex::cli
