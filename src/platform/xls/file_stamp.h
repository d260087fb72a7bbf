// What tells one version of a file from another without reading it: a file replaced
// by rename has another inode, one written in place another size or time.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <optional>

namespace tabvex::xls {

struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileStamp& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
    }
};

// Nothing when the file cannot be looked at.
inline std::optional<FileStamp> StampOf(const std::filesystem::path& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileStamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

}  // namespace tabvex::xls
