// The folders tasks and commands write files into: each function makes sure the
// folder exists and gives its full path. Files are always written by full path; the
// process's current folder is set once at start-up and never moved, since it is
// shared by the window and the worker. A file standing where a folder is needed is
// never removed: the folder is then not made and the error names the file. A
// backslash in a name counts as a path separator, as a slash does.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tabvex::com {

struct FolderResult {
    std::filesystem::path folder;  // absolute, when made or found
    std::string error;             // names the folder and the cause when it could not be made
    explicit operator bool() const { return error.empty(); }
};

// The program's folder followed by a relative name such as "./backup",
// "./data_cache" or "./".
FolderResult ProgramSubfolder(const std::filesystem::path& programDirectory, std::string_view name);

// A full path; only its last component is created, its parent must exist.
FolderResult FolderAtPath(std::string_view path);

// The last component of the text (after its last separator), below `parent`:
// "D:\x\Shop" and "a/b/Shop" both give parent/Shop.
FolderResult NamedSubfolder(const std::filesystem::path& parent, std::string_view text);

// The folder part of `path`, up to and including its last separator; `fallback`
// (ending in a separator, or empty when empty) when the path has none.
std::string FolderPartOf(std::string_view path, const std::filesystem::path& fallback);

}  // namespace tabvex::com
