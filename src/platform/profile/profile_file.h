// An INI file read and written like the private-profile functions do it: a missing
// file or key reads as the default, and a write keeps the rest of the file in place.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile/profile_document.h"

namespace tabvex::profile {

// A write that could not be carried out; the message names the file and the cause.
class ProfileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One INI file loaded for several reads or edits, saved in one atomic replacement.
class ProfileFile {
public:
    // Loads the file; a missing file is an empty one, an unreadable one reads as empty
    // but refuses Save() so that its content is never lost.
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }
    bool readable() const { return readable_; }

    std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue = {}) const;
    // The value, or nullopt when the section or the key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const {
        return document_.Find(section, key);
    }
    void Write(std::string_view section, std::string_view key, std::string_view value);
    std::vector<std::string> SectionNames() const { return document_.SectionNames(); }
    std::vector<std::string> KeyNames(std::string_view section) const { return document_.KeyNames(section); }

    // Replaces the file with the edited text (see ReplaceFileAtomically for the
    // permissions). Throws ProfileError.
    void Save(std::optional<std::filesystem::perms> permissions = std::nullopt) const;

private:
    std::filesystem::path path_;
    ProfileDocument document_;
    bool readable_ = false;
    std::string loadError_;
};

// One-shot forms of the above, as GetPrivateProfileString and WritePrivateProfileString.
std::string ReadProfileString(const std::filesystem::path& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue = {});
void WriteProfileString(const std::filesystem::path& path, std::string_view section,
                        std::string_view key, std::string_view value);

}  // namespace tabvex::profile
