#include "platform/registry/program_file.h"

namespace tabvex::registry {

namespace fs = std::filesystem;

fs::path ProgramFile(const std::string& name, const fs::path& buildTreeCopy) {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const fs::path folder = executable.parent_path();
        const fs::path installed = (folder / TABVEX_INSTALLED_PROGRAM_FILES).lexically_normal();
        for (const fs::path& candidate : {folder / name, installed / name})
            if (fs::exists(candidate, error)) return candidate;
    }
    return buildTreeCopy;
}

}  // namespace tabvex::registry
