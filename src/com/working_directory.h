// Making a folder the process's current folder before files with relative names are
// written into it. Each function makes sure the folder exists and then enters it; a
// file of that name is never removed: the folder is then not entered and the error
// names the file. The current folder belongs to the whole
// process: the last call wins for every thread. A backslash in a name counts as a
// path separator, as a slash does.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tabvex::com {

struct EnterResult {
    bool entered = false;
    std::string error;  // names the folder and the cause when !entered
    explicit operator bool() const { return entered; }
};

// The program's folder followed by a relative name such as "./backup",
// "./data_cache" or "./".
EnterResult EnterProgramSubdirectory(const std::filesystem::path& programDirectory, std::string_view name);

// A full path; only its last component is created, its parent must exist.
EnterResult EnterDirectoryPath(std::string_view path);

// The last component of the text (after its last separator), below the current folder:
// "D:\x\Shop" and "a/b/Shop" both enter "Shop".
EnterResult EnterNamedSubdirectory(std::string_view text);

}  // namespace tabvex::com
