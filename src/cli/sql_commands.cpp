// tabvex-cli sql FILE STATEMENT: runs one statement through the Jet provider, as
// the program's own statement runners do (an .xls file opens the Excel ISAM), and
// prints the rows under a header, one line a row (tab-separated with escapes, or CSV
// with --csv), or the result code and the error record's description.
#include <cstdio>
#include <iostream>

#include "cli/cli_command.h"
#include "cli/cli_connect.h"
#include "cli/command_line.h"
#include "cli/delimited_text.h"
#include "platform/oledb/text_rows.h"
#include "platform/oledb/data_source.h"
#include "platform/registry/class_registry.h"

namespace tabvex::cli {
namespace {

using namespace tabvex::oledb;

int Fail(HRESULT code, const char* step) {
    std::shared_ptr<const ErrorObject> error;
    std::string description = GetErrorInfo(error) == S_OK && error->Record(0) ? error->Record(0)->description : "";
    std::fprintf(stderr, "%s failed with error code [0x%08x]: %s\n", step, static_cast<unsigned>(code),
                 description.c_str());
    return 1;
}

HRESULT OpenSession(const std::string& file, std::shared_ptr<Session>& session, const char*& step) {
    std::shared_ptr<ComObject> object;
    step = "Create provider";
    HRESULT result = registry::CreateInstanceByProgId("Microsoft.Jet.OLEDB.4.0", object);
    if (Failed(result)) return result;
    auto dataSource = std::dynamic_pointer_cast<DataSource>(object);
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    AddProperty(init, DBPROP_INIT_DATASOURCE, file);
    AddProperty(init, DBPROP_INIT_PROVIDERSTRING,
                std::string(IsWorkbook(file) ? "Excel 8.0;HDR=Yes;" : ";COUNTRY=0;CP=1252;LANGID=0x0409"));
    std::vector sets{init};
    step = "Open data source";
    if (Failed(result = dataSource->SetProperties(sets))) return result;
    if (Failed(result = dataSource->Initialize())) return result;
    step = "Create session";
    return dataSource->CreateSession(session);
}

// How rows are written: the field separator, a field's text, NULL's text, the line end.
struct RowFormat {
    char separator;
    std::string (*field)(std::string_view);
    const char* null;
    const char* lineEnd;
};

constexpr RowFormat kTabSeparated{'\t', TabSeparatedField, "(NULL)", "\n"};
constexpr RowFormat kCsv{',', CsvField, "", "\r\n"};

// Prints every column but the bookmark, each read as text through one slot.
HRESULT PrintRows(Rowset& rowset, const RowFormat& format) {
    std::vector<DBCOLUMNINFO> columns;
    HRESULT result = oledb::TextRowReader::DataColumns(rowset, columns);
    if (Failed(result)) return result;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i) std::cout << format.separator;
        std::cout << format.field(columns[i].name);
    }
    std::cout << format.lineEnd;
    oledb::TextRowReader reader;
    const char* failedStep = "";
    if (Failed(result = reader.Bind(rowset, columns, failedStep))) return result;
    while ((result = reader.Next()) == S_OK) {
        for (std::size_t i = 0; i < reader.size(); ++i) {
            if (i) std::cout << format.separator;
            const auto value = reader.value(i);
            std::cout << (value ? format.field(*value) : format.null);
        }
        std::cout << format.lineEnd;
    }
    return Failed(result) ? result : S_OK;
}

int RunSql(const std::vector<std::string>& args) {
    std::vector<std::string> rest = args;
    const bool csv = TakeFlag(rest, "--csv");
    FileArguments(rest, {"FILE", "STATEMENT"}, 2);
    std::shared_ptr<Session> session;
    const char* step = "";
    HRESULT result = OpenSession(rest[0], session, step);
    if (Failed(result)) return Fail(result, step);
    std::shared_ptr<Command> command;
    if (Failed(result = session->CreateCommand(command))) return Fail(result, "Create command");
    if (Failed(result = command->SetCommandText(DBGUID_DBSQL, rest[1]))) return Fail(result, "Set command text");
    std::shared_ptr<Rowset> rowset;
    std::int64_t rowsAffected = 0;
    if (Failed(result = command->Execute(rowset, &rowsAffected))) return Fail(result, "Execute");
    if (!rowset) {
        std::cout << "RESULT: The operation completed SUCCESSFULLY (" << rowsAffected << " rows affected)\n";
        return 0;
    }
    if (Failed(result = PrintRows(*rowset, csv ? kCsv : kTabSeparated))) return Fail(result, "Read rows");
    return 0;
}

const CliCommandRegistration kSql{{
    "sql",
    "[--csv] FILE STATEMENT",
    "run one Jet SQL statement on an Access database or a workbook (.xls)",
    "                       rows under a header line, one line a row: tab-separated, a value's\n"
    "                       tabs, line breaks and backslashes written \\t, \\n, \\r and \\\\, NULL as\n"
    "                       (NULL); --csv: CSV as RFC 4180 (quoted where needed, CRLF, NULL empty)",
    RunSql,
}};

}  // namespace
}  // namespace tabvex::cli
