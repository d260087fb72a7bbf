#include "com/user_folders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tabvex::com {

namespace fs = std::filesystem;

fs::path HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return fs::temp_directory_path();
}

fs::path ProgramUserFolder(const char* xdgVariable, const fs::path& defaultUnderHome) {
    if (const char* base = std::getenv(xdgVariable); base && *base && fs::path(base).is_absolute())
        return fs::path(base) / "tabvex";
    return HomeDirectory() / defaultUnderHome / "tabvex";
}

}  // namespace tabvex::com
