#include "adapters/excel/excel_create_table.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <exception>
#include <initializer_list>
#include <utility>

#include "adapters/excel/statement_text.h"
#include "app/output_lines.h"
#include "browser/schema_rows.h"
#include "com/system_error_text.h"
#include "platform/oledb/session.h"

namespace tabvex::adapters {

using namespace tabvex::oledb;

namespace {

constexpr const char* kUserDefined = "USERDEFINE";

// One row group of a type-naming table: the column flags that lead to it and the
// names it gives by type code. A type it does not name goes on to the next stage,
// whatever that stage's flags; after the last stage the name is kUserDefined.
struct TypeNameStage {
    std::initializer_list<DBCOLUMNFLAGS> flags;
    std::initializer_list<std::pair<DBTYPE, const char*>> names;
};

// A name holding "%d" takes the column's length.
std::string FormatTypeName(const char* name, std::size_t length) {
    if (std::string_view(name).find("%d") == std::string_view::npos) return name;
    char text[48];
    std::snprintf(text, sizeof text, name, static_cast<int>(length));
    return text;
}

template <std::size_t N>
std::string NameByStages(const std::array<TypeNameStage, N>& stages, DBCOLUMNFLAGS flags, DBTYPE type,
                         std::size_t length) {
    std::size_t first = 0;
    while (first < N && std::find(stages[first].flags.begin(), stages[first].flags.end(), flags) ==
                            stages[first].flags.end()) {
        ++first;
    }
    for (std::size_t stage = first; stage < N; ++stage) {
        for (const auto& [code, name] : stages[stage].names) {
            if (code == type) return FormatTypeName(name, length);
        }
    }
    return kUserDefined;
}

const std::array<TypeNameStage, 5> kJetStages{{
    {{234}, {{DBTYPE_BYTES, "LONGBINARY"}, {DBTYPE_WSTR, "LONGTEXT"}}},
    {{90, 122},
     {{DBTYPE_I2, "SHORT"},
      {DBTYPE_I4, "LONG"},
      {DBTYPE_R4, "SINGLE"},
      {DBTYPE_R8, "NUMERIC"},
      {DBTYPE_CY, "CURRENCY"},
      {DBTYPE_DATE, "DATETIME"},
      {DBTYPE_UI1, "BYTE"},
      {DBTYPE_GUID, "GUID"}}},
    {{24}, {{DBTYPE_I4, "COUNTER"}, {DBTYPE_BOOL, "BIT"}}},
    {{106}, {{DBTYPE_BYTES, "BINARY"}, {DBTYPE_WSTR, "TEXT"}}},
    {{74}, {{DBTYPE_BYTES, "CHAR(%d) "}, {DBTYPE_WSTR, "VARCHAR(%d) "}}},
}};

const std::array<TypeNameStage, 4> kOdbcStages{{
    {{232}, {{DBTYPE_BYTES, "LONGBINARY"}, {DBTYPE_WSTR, "LONGTEXT"}}},
    {{120},
     {{DBTYPE_I2, "SHORT"},
      {DBTYPE_I4, "LONG"},
      {DBTYPE_R4, "SINGLE"},
      {DBTYPE_R8, "NUMERIC"},
      {DBTYPE_I1, "BYTE"},
      {DBTYPE_GUID, "GUID"},
      {DBTYPE_BYTES, "BINARY"},
      {DBTYPE_NUMERIC, "CURRENCY"},
      {DBTYPE_DBTIMESTAMP, "DATETIME"}}},
    {{24}, {{DBTYPE_I4, "COUNTER"}, {DBTYPE_BOOL, "BIT"}}},
    {{104}, {{DBTYPE_BYTES, "VARBINARY"}, {DBTYPE_WSTR, "TEXT"}}},
}};

}  // namespace

std::string BuildExcelCreateTable(app::Output& output, const connect::ConnectionHolder& source,
                                  const std::string& table, const std::string& sheet) {
    if (!source.HasSession()) {
        app::WritePlainOutputLine(output, com::SystemErrorText("No Connection!"));
        return kCreateTableError;
    }
    std::string statement = "Create Table " + StatementTableName(sheet) + " (";
    try {
        browser::SchemaRows columns;
        if (Failed(columns.Open(*source.session, DBSCHEMA_COLUMNS, {std::nullopt, std::nullopt, table},
                                {"COLUMN_NAME"}))) {
            return kCreateTableError;
        }
        bool first = true;
        for (; columns.Next(); first = false) {
            // Nothing escapes a backquote inside a quoted column name.
            if (columns.text(0).find('`') != std::string_view::npos) {
                app::WriteOutputLine(output, "E::[%s] The column [%s] cannot be named in a statement: its name holds a "
                                     "backquote (`)", table.c_str(), std::string(columns.text(0)).c_str());
                return kCreateTableError;
            }
            statement += first ? "`" : " ,`";
            statement += columns.text(0);
            statement += "` Text";
        }
        if (first) {
            app::WriteOutputLine(output, "E::There is no table [%s] in the source database", table.c_str());
            return kCreateTableError;
        }
    } catch (const std::exception&) {
        // A provider that throws while the columns are read leaves the statement
        // unfinished; running it fails and the caller reports that.
        return statement;
    }
    return statement + ")";
}

std::string ExcelTypeNameJet(DBCOLUMNFLAGS flags, DBTYPE type, std::size_t length) {
    return NameByStages(kJetStages, flags, type, length);
}

std::string ExcelTypeNameOdbc(DBCOLUMNFLAGS flags, DBTYPE type, std::size_t length) {
    return NameByStages(kOdbcStages, flags, type, length);
}

}  // namespace tabvex::adapters
