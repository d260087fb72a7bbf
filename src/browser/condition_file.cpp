#include "browser/condition_file.h"

#include <fstream>

#include "com/percent_encoding.h"
#include "platform/profile/profile_file.h"

namespace tabvex::browser {

namespace fs = std::filesystem;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A database or table name as a section or key name that the INI file reads back as
// it is, and that no other name shares: "%", the characters that end or start a
// section, key or comment ("[", "]", "=", ";"), control characters and blanks at
// either end are written as "%" and two hexadecimal digits. Other names stay as
// they are, so they keep their earlier keys.
std::string KeyFor(std::string_view name) {
    return com::PercentEncoded(name, [&](unsigned char c, std::size_t i) {
        const bool atAnEnd = i == 0 || i + 1 == name.size();
        return c < 0x20 || c == 0x7F || std::string_view("%[]=;").find(static_cast<char>(c)) != std::string_view::npos ||
               (atAnEnd && IsBlank(static_cast<char>(c)));
    });
}

}  // namespace

bool EnsureConditionFile(const fs::path& file) {
    std::error_code error;
    if (!fs::exists(file, error)) std::ofstream(file, std::ios::app);
    return fs::is_regular_file(file, error);
}

std::string CutToCharacters(std::string text, std::size_t characters) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && ++count > characters) {
            text.resize(i);
            break;
        }
    }
    return text;
}

std::string ReadCondition(const fs::path& file, std::string_view database, std::string_view table) {
    const profile::ProfileFile conditions(file);
    // Files written before names were encoded keep the names as they were.
    auto condition = conditions.Find(KeyFor(database), KeyFor(table));
    if (!condition) condition = conditions.Find(database, table);
    return CutToCharacters(condition.value_or(std::string()), kConditionCharacters);
}

ConditionSave WriteCondition(const fs::path& file, std::string_view database, std::string_view table,
                             std::string_view condition) {
    try {
        profile::WriteProfileString(file, KeyFor(database), KeyFor(table), condition);
        return {true, {}};
    } catch (const profile::ProfileError& error) {
        return {false, error.what()};
    }
}

std::string TableCondition(const std::filesystem::path& conditionFile, std::string_view database,
                           std::string_view table) {
    return ReadCondition(conditionFile, database, table);
}

std::string JoinConditionLines(std::string_view text) {
    std::string joined;
    joined.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            joined += ' ';
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            joined += text[i];
        }
    }
    return joined;
}

}  // namespace tabvex::browser
