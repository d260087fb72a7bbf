#include "tasks/bodies/backup_script_reading.h"

namespace tabvex::tasks {

namespace {

constexpr std::string_view kCreateTable = "CREATE TABLE ";

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

}  // namespace

std::vector<std::string> DataScriptStatements(std::string_view script) {
    std::vector<std::string> statements;
    bool quoted = false;  // a doubled apostrophe leaves and re-enters at once
    std::size_t start = 0;
    for (std::size_t i = 0; i < script.size(); ++i) {
        if (script[i] == '\'') quoted = !quoted;
        if (script[i] != '\n' || quoted) continue;
        if (const auto line = script.substr(start, i - start); !IsBlank(line)) statements.emplace_back(line);
        start = i + 1;
    }
    if (const auto rest = script.substr(start); !IsBlank(rest)) statements.emplace_back(rest);
    return statements;
}

std::string CreatedTableName(std::string_view script) {
    if (!script.starts_with(kCreateTable)) return {};
    script.remove_prefix(kCreateTable.size());
    const auto open = script.find("(\n");
    if (open == std::string_view::npos || open == 0) return {};
    std::string_view name = script.substr(0, open);
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
    return std::string(name);
}

}  // namespace tabvex::tasks
