#include "com/working_directory.h"

#include <algorithm>

namespace tabvex::com {

namespace fs = std::filesystem;

namespace {

std::string WithSlashes(std::string_view text) {
    std::string path(text);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

EnterResult Failure(const fs::path& directory, const std::error_code& error) {
    return {false, "Cannot enter the folder " + directory.string() + ": " + error.message()};
}

// Creates the folder when it is missing and enters it. A file (or a link to one)
// standing where the folder should be is the person's: it is kept, and the folder
// is not entered.
EnterResult EnterDirectory(const fs::path& directory) {
    std::error_code error;
    const fs::file_status entry = fs::symlink_status(directory, error);
    if (fs::exists(entry) && !fs::is_directory(directory, error)) {
        const fs::path file = fs::absolute(directory, error);
        return {false, "The file " + file.string() + " stands where a folder of that name is needed; the file is kept"};
    }
    if (!fs::is_directory(directory, error)) {
        fs::create_directory(directory, error);
        if (error) return Failure(directory, error);
    }
    fs::current_path(directory, error);
    if (error) return Failure(directory, error);
    return {true, {}};
}

}  // namespace

EnterResult EnterProgramSubdirectory(const fs::path& programDirectory, std::string_view name) {
    return EnterDirectory((programDirectory / WithSlashes(name)).lexically_normal());
}

EnterResult EnterDirectoryPath(std::string_view path) {
    if (path.empty()) return {false, "Cannot enter a folder without a name"};
    return EnterDirectory(fs::path(WithSlashes(path)).lexically_normal());
}

EnterResult EnterNamedSubdirectory(std::string_view text) {
    const std::string path = WithSlashes(text);
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (name.empty()) return {false, "Cannot enter a folder: \"" + std::string(text) + "\" names none"};
    return EnterDirectory(name);
}

}  // namespace tabvex::com
