// Taking a command's arguments apart. Each function takes what it knows out of
// `args` and throws UsageError, saying what was wrong, for what it cannot take.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/program_folders.h"

namespace tabvex::cli {

// Takes every `flag` out of `args`; true when there was one.
bool TakeFlag(std::vector<std::string>& args, std::string_view flag);

// Takes "option VALUE" out of `args`; nullopt when the option is not there. A missing
// value is a usage error.
std::optional<std::string> TakeOption(std::vector<std::string>& args, std::string_view option);

// --program-dir DIR: everything in that folder, made absolute (the bodies resolve
// files below it from other threads) and created when missing; the program's default
// folders without it.
com::ProgramFolders TakeProgramFolders(std::vector<std::string>& args);

// The arguments left once the options are taken: files, never options. `names` are
// the files expected, e.g. {"SOURCE", "TARGET"}; the first `required` of them must
// be given.
std::vector<std::string> FileArguments(const std::vector<std::string>& args, const std::vector<std::string>& names,
                                       std::size_t required);

// A target that must be a workbook: the name must end in ".xls" (any case).
void RequireWorkbook(const std::string& file, const char* role);

}  // namespace tabvex::cli
