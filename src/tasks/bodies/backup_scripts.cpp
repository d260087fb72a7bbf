#include "tasks/bodies/backup_scripts.h"

#include "adapters/excel/statement_text.h"

namespace tabvex::tasks {

bool IsWorksheetTableName(std::string_view table) {
    const auto dollar = table.find('$');
    return dollar != std::string_view::npos && dollar + 1 == table.size();
}

std::string TableScript(std::string_view table, const std::vector<ScriptColumn>& columns) {
    std::string script = "CREATE TABLE " + std::string(table) + "(\n";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) script += ",\n";
        script += columns[i].name + ' ' + columns[i].typeName + ' ';
        if (columns[i].defaultText) script += "default '" + *columns[i].defaultText + "' ";
    }
    return script + ")";
}

bool IsCharacterType(oledb::DBTYPE type) {
    switch (type) {
        case oledb::DBTYPE_BSTR:
        case oledb::DBTYPE_GUID:
        case oledb::DBTYPE_BYTES:
        case oledb::DBTYPE_STR:
        case oledb::DBTYPE_WSTR: return true;
        default: return false;
    }
}

namespace {

bool IsDateType(oledb::DBTYPE type) { return type == oledb::DBTYPE_DATE || type == oledb::DBTYPE_DBTIMESTAMP; }

}  // namespace

void AppendScriptValue(std::string& line, oledb::DBTYPE type, std::optional<std::string_view> value) {
    if (IsCharacterType(type)) {
        adapters::AppendTextLiteral(line, value.value_or(std::string_view()));
    } else if (!value) {
        // A blank cell restored as 0 would be a value nobody wrote.
        line += "NULL";
    } else if (IsDateType(type)) {
        // Bare, 1996-07-04 would be read back as a subtraction.
        line.append("#").append(*value).append("#");
    } else {
        line += *value;
    }
}

std::string DataLineStart(std::string_view table) {
    return "insert into " + adapters::StatementTableName(table) + " values (";
}

std::string ViewScript(std::string_view lowerCaseDefinition) {
    const auto view = lowerCaseDefinition.find(" view ");
    if (view == std::string_view::npos) return {};
    return "create" + std::string(lowerCaseDefinition.substr(view)) + "\n";
}

}  // namespace tabvex::tasks
