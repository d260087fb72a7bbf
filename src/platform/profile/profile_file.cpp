#include "platform/profile/profile_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "platform/profile/atomic_file.h"

namespace tabvex::profile {

namespace fs = std::filesystem;

namespace {

// The whole file, or nullopt with errno set when it cannot be opened or read (a
// folder of that name included).
std::optional<std::string> ReadWholeFile(const fs::path& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string content;
    char buffer[8192];
    ssize_t count;
    while ((count = read(fd, buffer, sizeof buffer)) != 0) {
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            const int error = errno;
            close(fd);
            errno = error;
            return std::nullopt;
        }
        content.append(buffer, static_cast<std::size_t>(count));
    }
    close(fd);
    return content;
}

}  // namespace

ProfileFile::ProfileFile(fs::path path) : path_(std::move(path)) {
    std::error_code ignored;
    if (!fs::exists(path_, ignored)) return;
    if (const auto text = ReadWholeFile(path_)) {
        document_ = ProfileDocument::Parse(*text);
        readable_ = true;
    } else {
        loadError_ = std::strerror(errno);
    }
}

std::string ProfileFile::Read(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    return document_.Find(section, key).value_or(std::string(defaultValue));
}

void ProfileFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    try {
        document_.Set(section, key, value);
    } catch (const std::invalid_argument& e) {
        throw ProfileError(path_.string() + ": " + e.what());
    }
}

void ProfileFile::Save(std::optional<fs::perms> permissions) const {
    std::error_code ignored;
    if (!readable_ && fs::exists(path_, ignored))
        throw ProfileError(path_.string() + ": the file exists but cannot be read (" + loadError_ +
                           "), so it is not overwritten");
    try {
        ReplaceFileAtomically(path_, document_.Text(), permissions);
    } catch (const fs::filesystem_error& e) {
        throw ProfileError(e.what());
    }
}

std::string ReadProfileString(const fs::path& path, std::string_view section, std::string_view key,
                              std::string_view defaultValue) {
    return ProfileFile(path).Read(section, key, defaultValue);
}

void WriteProfileString(const fs::path& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    ProfileFile file(path);
    file.Write(section, key, value);
    file.Save();
}

}  // namespace tabvex::profile
