// tabvex-cli commands of the Access engine: dump a database as JSON, create an
// empty one, build one from a JSON description.
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/cli_command.h"
#include "cli/command_line.h"
#include "platform/jet/mdb/build_spec.h"
#include "platform/jet/mdb/database.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/jet/mdb/mdb_error.h"

namespace tabvex::cli {

namespace {

using nlohmann::json;
namespace mdb = tabvex::mdb;

const char* KindName(mdb::ObjectKind kind) {
    switch (kind) {
        case mdb::ObjectKind::UserTable: return "table";
        case mdb::ObjectKind::SystemTable: return "system table";
        case mdb::ObjectKind::SelectQuery: return "view";
        case mdb::ObjectKind::LinkedTable: return "linked table";
    }
    return "table";
}

const char* VersionName(mdb::JetVersion version) {
    switch (version) {
        case mdb::JetVersion::Jet3: return "JET3";
        case mdb::JetVersion::Jet4: return "JET4";
        case mdb::JetVersion::Ace: return "ACE";
    }
    return "JET4";
}

std::string Dump(const json& j) { return j.dump(-1, ' ', false, json::error_handler_t::replace); }

json ColumnJson(const mdb::ColumnInfo& c) {
    json j{{"name", c.name},          {"type", mdb::JetTypeName(c.type)}, {"jetType", static_cast<int>(c.type)},
           {"oledbType", c.oledbType}, {"flags", c.flags},                {"maxLength", c.maxLength},
           {"nullable", c.nullable}};
    if (c.autoIncrement) j["autoIncrement"] = true;
    if (c.type == mdb::JetType::Numeric) {
        j["precision"] = c.precision;
        j["scale"] = c.scale;
    }
    j["default"] = c.defaultValue ? json(*c.defaultValue) : json(nullptr);
    return j;
}

json IndexJson(const mdb::IndexInfo& i) {
    return {{"name", i.name}, {"columns", i.columns}, {"primary", i.primary}, {"unique", i.unique},
            {"foreignKey", i.foreignKey}};
}

// One table as a JSON object whose rows are written one per line, so that memory
// does not grow with the table.
void DumpTable(const mdb::Database& db, const std::string& name, bool first) {
    mdb::TableSchema schema = db.Schema(name);
    json head{{"name", schema.name}, {"kind", KindName(schema.kind)}, {"rowCount", schema.rowCount},
              {"columns", json::array()}, {"indexes", json::array()}};
    for (const auto& c : schema.columns) head["columns"].push_back(ColumnJson(c));
    for (const auto& i : schema.indexes) head["indexes"].push_back(IndexJson(i));
    std::string text = Dump(head);
    text.pop_back();  // reopen the object to append the rows
    std::cout << (first ? "" : ",\n") << text << ",\"rows\":[";
    mdb::RowCursor cursor = db.OpenCursor(name);
    bool firstRow = true;
    while (cursor.Next()) {
        json row = json::array();
        for (const auto& v : cursor.values()) row.push_back(v ? json(*v) : json(nullptr));
        std::cout << (firstRow ? "\n" : ",\n") << Dump(row);
        firstRow = false;
    }
    std::cout << "]}";
}

int RunDump(const std::vector<std::string>& args) {
    FileArguments(args, {"FILE", "TABLE"}, 1);
    try {
        mdb::Database db = mdb::Database::Open(args[0]);
        json catalog = json::array();
        for (const auto& e : db.catalog()) catalog.push_back({{"name", e.name}, {"kind", KindName(e.kind)}});
        std::cout << "{\"file\":" << Dump(args[0]) << ",\"version\":\"" << VersionName(db.version())
                  << "\",\"catalog\":" << Dump(catalog) << ",\"tables\":[";
        if (args.size() == 2) {
            DumpTable(db, args[1], true);
        } else {
            bool first = true;
            for (const auto& e : db.catalog()) {
                if (e.kind != mdb::ObjectKind::UserTable) continue;
                DumpTable(db, e.name, first);
                first = false;
            }
        }
        std::cout << "]}\n";
        return 0;
    } catch (const mdb::MdbError& e) {
        std::cout.flush();
        std::cerr << "tabvex-cli: " << e.what() << "\n";
        return 1;
    }
}

int RunCreate(const std::vector<std::string>& args) {
    FileArguments(args, {"FILE"}, 1);
    try {
        mdb::CreateEmptyDatabase(args[0]);
        return 0;
    } catch (const mdb::MdbError& e) {
        std::cerr << "tabvex-cli: " << e.what() << "\n";
        return 1;
    }
}

int RunBuild(const std::vector<std::string>& args) {
    FileArguments(args, {"OUT.mdb", "SPEC.json"}, 2);
    std::ifstream in(args[1]);
    if (!in) {
        std::cerr << "tabvex-cli: " << args[1] << ": the file cannot be read\n";
        return 1;
    }
    try {
        json spec = json::parse(in);
        mdb::WriterFromJson(spec, args[0]).Write();
        return 0;
    } catch (const json::exception& e) {
        std::cerr << "tabvex-cli: " << args[1] << ": " << e.what() << "\n";
    } catch (const mdb::MdbError& e) {
        std::cerr << "tabvex-cli: " << e.what() << "\n";
    }
    return 1;
}

constexpr const char* kBuildHelp =
    "      SPEC.json: {\"tables\": [{\"name\": \"T\", \"columns\": [{\"name\": \"Id\", \"type\": \"Long Integer\"},\n"
    "                 {\"name\": \"Name\", \"type\": \"Text\", \"length\": 40}, ...], \"rows\": [[1, \"Ann\"], [2, null]]}]}\n"
    "      types: Text (length 1-255, default 50), Memo, Byte, Integer, Long Integer, Single, Double,\n"
    "      Currency, Date/Time, Yes/No, OLE Object, Binary (length), Replication ID; values: null,\n"
    "      numbers, true/false, or text as mdb-dump prints them (dates 1996-07-04 14:30:00,\n"
    "      currency 12.34, OLE/Binary as hexadecimal, GUIDs {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX});\n"
    "      \"documents\": [{\"name\": \"Customers\", \"kind\": \"form\"}] adds forms, reports, macros and\n"
    "      modules to the catalog (listed before the tables; an optional \"id\" sets their Id).";

const CliCommandRegistration kCreate{{"mdb-create", "FILE", "create an empty Access (Jet 4) database", "", RunCreate}};
const CliCommandRegistration kBuild{{"mdb-build", "OUT.mdb SPEC.json",
                                     "create an Access database with the tables and rows SPEC.json describes",
                                     kBuildHelp, RunBuild}};
const CliCommandRegistration kDump{{"mdb-dump", "FILE [TABLE]",
                                    "an Access database's catalog, schemas and rows as JSON", "", RunDump}};

}  // namespace
}  // namespace tabvex::cli
