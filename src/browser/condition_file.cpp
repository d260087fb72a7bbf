#include "browser/condition_file.h"

#include <fstream>

#include "platform/profile/profile_file.h"

namespace tabvex::browser {

namespace fs = std::filesystem;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A value read back loses blanks at either end and one pair of enclosing quotes;
// such a value is written inside quotes of its own, which the read removes again.
std::string StoredForm(std::string_view condition) {
    const bool enclosed = condition.size() >= 2 && (condition.front() == '"' || condition.front() == '\'') &&
                          condition.back() == condition.front();
    if (!condition.empty() && (enclosed || IsBlank(condition.front()) || IsBlank(condition.back())))
        return "\"" + std::string(condition) + "\"";
    return std::string(condition);
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
    return CutToCharacters(profile::ReadProfileString(file, database, table), kConditionCharacters);
}

bool WriteCondition(const fs::path& file, std::string_view database, std::string_view table,
                    std::string_view condition) {
    try {
        profile::WriteProfileString(file, database, table, StoredForm(condition));
        return true;
    } catch (const profile::ProfileError&) {
        return false;
    }
}

std::string TableCondition(const app::Migrator& migrator, std::string_view database, std::string_view table) {
    return ReadCondition(migrator.conditionFilePath(), database, table);
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
