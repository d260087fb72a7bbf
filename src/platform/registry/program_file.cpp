#include "platform/registry/program_file.h"

namespace tabvex::registry {

namespace fs = std::filesystem;

fs::path ProgramFile(const std::string& name, const fs::path& buildTreeCopy) {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const fs::path besideProgram = executable.parent_path() / name;
        if (fs::exists(besideProgram, error)) return besideProgram;
    }
    return buildTreeCopy;
}

}  // namespace tabvex::registry
