#include "platform/profile/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tabvex::profile {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void ThrowSystemError(const std::string& what, const fs::path& path, int error) {
    throw fs::filesystem_error(what, path, std::error_code(error, std::generic_category()));
}

// Owns the temporary file until it has been renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& target) {
        std::string pattern = target.string() + ".XXXXXX";
        fd_ = mkstemp(pattern.data());
        if (fd_ < 0) ThrowSystemError("cannot create a temporary file beside", target, errno);
        path_ = pattern;
    }
    ~TemporaryFile() {
        if (fd_ >= 0) close(fd_);
        if (!committed_) unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void Write(std::string_view content, const fs::path& target) {
        while (!content.empty()) {
            const ssize_t written = write(fd_, content.data(), content.size());
            if (written < 0 && errno == EINTR) continue;
            if (written < 0) ThrowSystemError("cannot write", target, errno);
            content.remove_prefix(static_cast<std::size_t>(written));
        }
    }
    void SetMode(mode_t mode, const fs::path& target) {
        if (fchmod(fd_, mode) != 0) ThrowSystemError("cannot set the permissions of", target, errno);
    }
    void CommitAs(const fs::path& target) {
        if (fsync(fd_) != 0) ThrowSystemError("cannot flush", target, errno);
        const int closed = close(fd_);
        fd_ = -1;
        if (closed != 0) ThrowSystemError("cannot write", target, errno);
        if (rename(path_.c_str(), target.c_str()) != 0) ThrowSystemError("cannot replace", target, errno);
        committed_ = true;
    }

private:
    int fd_ = -1;
    fs::path path_;
    bool committed_ = false;
};

// mkstemp creates 0600; a new file should get what open(0666) would give it. The
// umask is read from /proc rather than with umask(), which would change it for a
// moment under every other thread.
mode_t ModeForNewFile() {
    std::ifstream status("/proc/self/status");
    std::string line;
    mode_t mask = 022;
    while (std::getline(status, line))
        if (line.starts_with("Umask:")) mask = static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    return 0666 & ~mask;
}

}  // namespace

void ReplaceFileAtomically(const fs::path& path, std::string_view content,
                           std::optional<fs::perms> permissions) {
    TemporaryFile temporary(path);
    temporary.Write(content, path);
    mode_t mode;
    if (permissions) {
        mode = static_cast<mode_t>(*permissions);
    } else if (struct stat existing; stat(path.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        mode = ModeForNewFile();
    }
    temporary.SetMode(mode, path);
    temporary.CommitAs(path);
}

}  // namespace tabvex::profile
