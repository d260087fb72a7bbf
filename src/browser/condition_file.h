// Condition.cfg: per source database (section, the database node's text) and table
// (key) the WHERE clause, without the word "where", that restricts which rows of the
// table are copied. Read and written with the INI functions; an empty or missing
// value means no condition. Names the INI file would misread ("]" in a path, "=" in a
// table name, blanks at either end, "%") are stored percent-encoded; a name stored
// plainly by an earlier version is still found.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>


namespace tabvex::browser {

// The longest condition, in characters: what the dialog's box takes and what a read
// gives back.
inline constexpr std::size_t kConditionCharacters = 1024;

// Creates the file empty when it does not exist. True when it exists afterwards.
bool EnsureConditionFile(const std::filesystem::path& file);

// The stored condition, at most kConditionCharacters characters; empty when none.
std::string ReadCondition(const std::filesystem::path& file, std::string_view database, std::string_view table);

struct ConditionSave {
    bool saved = false;
    std::string error;  // names the file and the cause when !saved
    explicit operator bool() const { return saved; }
};

// Stores the condition so that ReadCondition gives it back unchanged.
ConditionSave WriteCondition(const std::filesystem::path& file, std::string_view database, std::string_view table,
                             std::string_view condition);

// The condition of a source table as the row transfer applies it and the source
// tree's tool tip shows it, read from the program's Condition.cfg.
std::string TableCondition(const std::filesystem::path& conditionFile, std::string_view database,
                           std::string_view table);

// An INI value holds one line: every line break (CR LF, LF or CR) becomes one blank.
std::string JoinConditionLines(std::string_view text);

// The text cut after `characters` characters, never inside a UTF-8 sequence.
std::string CutToCharacters(std::string text, std::size_t characters);

}  // namespace tabvex::browser
