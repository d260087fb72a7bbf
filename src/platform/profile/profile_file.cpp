#include "platform/profile/profile_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/profile/atomic_file.h"

namespace tabvex::profile {

namespace fs = std::filesystem;

ProfileFile::ProfileFile(fs::path path) : path_(std::move(path)) {
    std::error_code ignored;
    if (!fs::exists(path_, ignored)) return;
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream text;
    if (in && (text << in.rdbuf()) && !in.bad()) {
        document_ = ProfileDocument::Parse(text.str());
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
