#include "com/program_folders.h"

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

// $variable/tabvex when the variable holds an absolute path (the XDG rule), else
// the default below the home folder.
fs::path UserFolder(const char* variable, const fs::path& belowHome) {
    if (const char* value = std::getenv(variable); value && *value && fs::path(value).is_absolute())
        return fs::path(value) / "tabvex";
    return HomeDirectory() / belowHome / "tabvex";
}

// A program folder of its own holds the class registry beside the program (the build
// tree, a copied program folder); an installed program's folder (/usr/bin) does not,
// and stays untouched even for root, who may write there.
bool OwnsItsFolder(const fs::path& folder) {
    std::error_code error;
    return access(folder.c_str(), W_OK) == 0 && fs::is_regular_file(folder / "tabvex-classes.cfg", error);
}

ProgramFolders UserFolders() {
    ProgramFolders folders(UserFolder("XDG_DATA_HOME", fs::path(".local") / "share"), UserFolder("XDG_CONFIG_HOME", ".config"),
                           UserFolder("XDG_CACHE_HOME", ".cache"));
    std::error_code error;  // a failure shows when the first file is written there
    for (const fs::path* folder : {&folders.program, &folders.config, &folders.cache}) fs::create_directories(*folder, error);
    return folders;
}

}  // namespace

ProgramFolders DefaultProgramFolders() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error && OwnsItsFolder(executable.parent_path())) return ProgramFolders(executable.parent_path());
    return UserFolders();
}

}  // namespace tabvex::com
