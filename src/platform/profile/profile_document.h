// The lines of an INI file, read and edited with private-profile semantics: section
// and key names match without regard to ASCII case, the first matching section and
// key win, and an edit touches only the one line it changes, so every other section,
// key, comment and blank line stays where it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabvex::profile {

class ProfileDocument {
public:
    // Splits the text into lines; a UTF-8 byte-order mark and CRLF line ends are
    // remembered so that Text() gives them back.
    static ProfileDocument Parse(std::string_view text);

    // The value of the key, with blanks around it and one pair of enclosing quotes
    // removed; nullopt when the section or the key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // The section names in file order, and the key names of the first section of that
    // name (as the profile functions list them when no section or key is given).
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;

    // Replaces the key's line, or adds the key after the last key of the section, or
    // appends the section. The value is stored so that Find gives it back as it was
    // (one with blanks at either end or enclosing quotes is written inside quotes).
    // Throws std::invalid_argument for names or values that would break the file's
    // structure (line breaks, '=' in a key, ']' in a section).
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;

private:
    struct SectionSpan {
        std::size_t header;     // line index of "[name]"
        std::size_t end;        // one past the section's last line
    };

    std::optional<SectionSpan> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKeyLine(const SectionSpan& span, std::string_view key) const;
    std::size_t InsertionPoint(const SectionSpan& span) const;

    std::vector<std::string> lines_;
    bool byteOrderMark_ = false;
    bool crlf_ = false;
};

}  // namespace tabvex::profile
