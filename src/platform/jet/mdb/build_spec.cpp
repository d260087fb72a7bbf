#include "platform/jet/mdb/build_spec.h"

#include <cctype>

#include "platform/jet/mdb/mdb_error.h"
#include "platform/jet/mdb/value_text.h"

namespace tabvex::mdb {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

Value ValueFromJson(const json& v) {
    if (v.is_null()) return std::nullopt;
    if (v.is_string()) return v.get<std::string>();
    if (v.is_boolean()) return v.get<bool>() ? "True" : "False";
    if (v.is_number_integer()) return v.dump();
    if (v.is_number_float()) return DoubleToPlainText(v.get<double>());
    throw json::type_error::create(302, "a row value must be null, a string, a number or a boolean", &v);
}

std::vector<ColumnSpec> ColumnsFromJson(const json& columns, const fs::path& target) {
    std::vector<ColumnSpec> specs;
    for (const auto& c : columns) {
        ColumnSpec spec;
        spec.name = c.at("name").get<std::string>();
        std::string typeName = c.at("type").get<std::string>();
        auto type = JetTypeFromName(typeName);
        if (!type) throw MdbError(target, "column '" + spec.name + "': unknown type '" + typeName + "'");
        spec.type = *type;
        spec.length = c.value("length", 0);
        specs.push_back(std::move(spec));
    }
    return specs;
}

DocumentKind DocumentKindFromJson(const json& document, const fs::path& target) {
    std::string kind = document.at("kind").get<std::string>();
    for (auto& c : kind) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (kind == "form") return DocumentKind::Form;
    if (kind == "report") return DocumentKind::Report;
    if (kind == "macro") return DocumentKind::Macro;
    if (kind == "module") return DocumentKind::Module;
    throw MdbError(target, "unknown kind of document '" + document.at("kind").get<std::string>() +
                               "' (form, report, macro or module)");
}

}  // namespace

DatabaseWriter WriterFromJson(const json& spec, const fs::path& target) {
    DatabaseWriter writer(target);
    try {
        for (const auto& document : spec.value("documents", json::array())) {
            std::optional<std::int32_t> id;
            if (document.contains("id")) id = document.at("id").get<std::int32_t>();
            writer.AddDocument(document.at("name").get<std::string>(), DocumentKindFromJson(document, target), id);
        }
        for (const auto& table : spec.at("tables")) {
            std::string name = table.at("name").get<std::string>();
            writer.AddTable(name, ColumnsFromJson(table.at("columns"), target));
            for (const auto& row : table.value("rows", json::array())) {
                std::vector<Value> values;
                for (const auto& v : row) values.push_back(ValueFromJson(v));
                writer.AddRow(name, values);
            }
        }
    } catch (const json::exception& e) {
        throw MdbError(target, std::string("malformed database description: ") + e.what());
    }
    return writer;
}

}  // namespace tabvex::mdb
