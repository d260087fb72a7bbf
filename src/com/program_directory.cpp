#include "com/program_directory.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tabvex::com {

namespace fs = std::filesystem;

namespace {

fs::path HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return fs::temp_directory_path();
}

fs::path UserDataDirectory() {
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && *dataHome && fs::path(dataHome).is_absolute())
        return fs::path(dataHome) / "tabvex";
    return HomeDirectory() / ".local" / "share" / "tabvex";
}

// A program folder of its own holds the class registry beside the program (the build
// tree, a copied program folder); an installed program's folder (/usr/bin) does not,
// and stays untouched even for root, who may write there.
bool OwnsItsFolder(const fs::path& folder) {
    std::error_code error;
    return access(folder.c_str(), W_OK) == 0 && fs::is_regular_file(folder / "tabvex-classes.cfg", error);
}

}  // namespace

fs::path DefaultProgramDirectory() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error && OwnsItsFolder(executable.parent_path())) return executable.parent_path();
    fs::path data = UserDataDirectory();
    fs::create_directories(data, error);  // a failure shows when the first file is written there
    return data;
}

}  // namespace tabvex::com
