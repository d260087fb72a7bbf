#include "com/program_folders.h"

#include <unistd.h>

#include "com/user_folders.h"

namespace tabvex::com {

namespace fs = std::filesystem;

namespace {

// A program folder of its own holds the class registry beside the program (the build
// tree, a copied program folder); an installed program's folder (/usr/bin) does not,
// and stays untouched even for root, who may write there.
bool OwnsItsFolder(const fs::path& folder) {
    std::error_code error;
    return access(folder.c_str(), W_OK) == 0 && fs::is_regular_file(folder / "tabvex-classes.cfg", error);
}

ProgramFolders UserFolders() {
    ProgramFolders folders(ProgramUserFolder("XDG_DATA_HOME", fs::path(".local") / "share"),
                           ProgramUserFolder("XDG_CONFIG_HOME", ".config"), ProgramUserFolder("XDG_CACHE_HOME", ".cache"));
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
