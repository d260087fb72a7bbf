#include "com/folders.h"

#include <algorithm>

namespace tabvex::com {

namespace fs = std::filesystem;

namespace {

std::string WithSlashes(std::string_view text) {
    std::string path(text);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

FolderResult Failure(const fs::path& directory, const std::error_code& error) {
    return {{}, "Cannot make the folder " + directory.string() + ": " + error.message()};
}

// Creates the folder when it is missing. A file (or a link to one) standing where
// the folder should be is the person's: it is kept, and there is no folder.
FolderResult EnsureFolder(const fs::path& path) {
    std::error_code error;
    const fs::path directory = fs::absolute(path, error).lexically_normal();
    if (error) return Failure(path, error);
    const fs::file_status entry = fs::symlink_status(directory, error);
    if (fs::exists(entry) && !fs::is_directory(directory, error))
        return {{}, "The file " + directory.string() + " stands where a folder of that name is needed; the file is kept"};
    if (!fs::is_directory(directory, error)) {
        fs::create_directory(directory, error);
        if (error) return Failure(directory, error);
    }
    return {directory, {}};
}

}  // namespace

FolderResult ProgramSubfolder(const fs::path& programDirectory, std::string_view name) {
    return EnsureFolder(programDirectory / WithSlashes(name));
}

FolderResult FolderAtPath(std::string_view path) {
    if (path.empty()) return {{}, "Cannot make a folder without a name"};
    return EnsureFolder(fs::path(WithSlashes(path)));
}

FolderResult NamedSubfolder(const fs::path& parent, std::string_view text) {
    const std::string path = WithSlashes(text);
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (name.empty() || name == "." || name == "..")
        return {{}, "Cannot make a folder: \"" + std::string(text) + "\" names none"};
    return EnsureFolder(parent / name);
}

std::string FolderPartOf(std::string_view path, const fs::path& fallback) {
    const auto separator = path.find_last_of("\\/");
    if (separator == std::string_view::npos) return (fallback / "").string();
    return std::string(path.substr(0, separator + 1));
}

}  // namespace tabvex::com
