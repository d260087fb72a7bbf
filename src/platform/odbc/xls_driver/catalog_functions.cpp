#include "platform/odbc/xls_driver/catalog_functions.h"

#include <sqlext.h>

#include <algorithm>
#include <charconv>
#include <set>

#include "platform/xls/limits.h"

#include "platform/odbc/xls_driver/column_attribute.h"
#include "platform/odbc/xls_driver/name_pattern.h"

namespace tabvex::odbc::xls {

using namespace tabvex::oledb;

namespace {

ResultColumn Text(const char* name, SQLSMALLINT nullable = SQL_NULLABLE) {
    return ResultColumn{name, SQL_VARCHAR, 128, 0, nullable, DBTYPE_WSTR};
}
ResultColumn Small(const char* name, SQLSMALLINT nullable = SQL_NULLABLE) {
    return ResultColumn{name, SQL_SMALLINT, 5, 0, nullable, DBTYPE_I2};
}
ResultColumn Integer(const char* name, SQLSMALLINT nullable = SQL_NULLABLE) {
    return ResultColumn{name, SQL_INTEGER, 10, 0, nullable, DBTYPE_I4};
}

std::vector<ResultColumn> TablesColumns() {
    return {Text("TABLE_CAT"), Text("TABLE_SCHEM"), Text("TABLE_NAME"), Text("TABLE_TYPE"), Text("REMARKS")};
}

// The rows of a schema rowset as text, columns from 0 without the bookmark.
bool SchemaRows(const Connection& connection, const Guid& schema, const Restrictions& restrictions,
                std::vector<TextRow>& rows, Diagnostics& diagnostics) {
    std::shared_ptr<Session> session = connection.RequireSession(diagnostics);
    if (!session) return false;
    std::shared_ptr<Rowset> rowset;
    HRESULT result = session->GetSchemaRowset(schema, restrictions, rowset);
    if (Failed(result)) {
        diagnostics.AddProviderFailure(result, "The workbook's catalog cannot be read.");
        return false;
    }
    auto reader = RowsetResultSet::Open(session, rowset, diagnostics);
    if (!reader) return false;
    for (FetchOutcome outcome; (outcome = reader->Next(diagnostics)) != FetchOutcome::End;) {
        if (outcome == FetchOutcome::Failed) return false;
        TextRow row;
        for (std::size_t i = 0; i < reader->Columns().size(); ++i) {
            auto value = reader->Value(i);
            row.push_back(value ? std::optional<std::string>(*value) : std::nullopt);
        }
        rows.push_back(std::move(row));
    }
    return true;
}

std::string Unquoted(std::string_view type) {
    while (!type.empty() && (type.front() == ' ' || type.front() == '\'')) type.remove_prefix(1);
    while (!type.empty() && (type.back() == ' ' || type.back() == '\'')) type.remove_suffix(1);
    return std::string(type);
}

// "'TABLE','VIEW'" or "TABLE, SYSTEM TABLE" as a set of upper-case type names.
std::set<std::string> TypeList(const std::string& types) {
    std::set<std::string> list;
    std::size_t start = 0;
    while (start <= types.size()) {
        std::size_t comma = types.find(',', start);
        if (comma == std::string::npos) comma = types.size();
        std::string type = Unquoted(std::string_view(types).substr(start, comma - start));
        for (char& c : type) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (!type.empty()) list.insert(type);
        start = comma + 1;
    }
    return list;
}

bool IsEmpty(const Argument& argument) { return argument && argument->empty(); }
bool IsAll(const Argument& argument) { return argument && *argument == SQL_ALL_CATALOGS; }

std::unique_ptr<ResultSet> CatalogList(const Connection& connection) {
    std::vector<TextRow> rows;
    if (!connection.Catalog().empty()) rows.push_back({connection.Catalog(), std::nullopt, std::nullopt, std::nullopt, std::nullopt});
    return std::make_unique<MemoryResultSet>(TablesColumns(), std::move(rows));
}

std::unique_ptr<ResultSet> TableTypeList() {
    std::vector<TextRow> rows;
    for (const char* type : {"SYSTEM TABLE", "TABLE", "VIEW"}) {
        rows.push_back({std::nullopt, std::nullopt, std::nullopt, std::string(type), std::nullopt});
    }
    return std::make_unique<MemoryResultSet>(TablesColumns(), std::move(rows));
}

bool CatalogMatches(const Connection& connection, const Argument& catalog) {
    return !catalog || catalog->empty() || MatchesNamePattern(*catalog, connection.Catalog());
}

std::optional<std::int64_t> NumberOf(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    std::int64_t number = 0;
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), number);
    if (error != std::errc() || end != text->data() + text->size()) return std::nullopt;
    return number;
}

std::string DataType(SQLSMALLINT sqlType, DateTypeNumbers dates) {
    if (sqlType == SQL_TYPE_TIMESTAMP && dates == DateTypeNumbers::Odbc2) return std::to_string(SQL_TIMESTAMP);
    return std::to_string(sqlType);
}

// One row of SQLColumns from a row of the COLUMNS schema rowset.
TextRow ColumnRow(const Connection& connection, const TextRow& schemaRow, DateTypeNumbers dates) {
    DBCOLUMNINFO info;
    info.type = static_cast<DBTYPE>(NumberOf(schemaRow[11]).value_or(DBTYPE_WSTR));
    info.flags = static_cast<DBCOLUMNFLAGS>(NumberOf(schemaRow[9]).value_or(0));
    info.columnSize = static_cast<std::size_t>(NumberOf(schemaRow[13]).value_or(0));
    if (schemaRow[10] == "True") info.flags |= DBCOLUMNFLAGS_ISNULLABLE;
    ResultColumn column = DescribeProviderColumn(info);
    const bool text = column.sqlType == SQL_VARCHAR || column.sqlType == SQL_LONGVARCHAR;
    const bool decimal = column.sqlType == SQL_DECIMAL;
    std::string size = std::to_string(column.size);
    std::string octets = std::to_string(OctetLength(column));
    std::optional<std::string> none;
    auto datetimeSub = column.sqlType == SQL_TYPE_TIMESTAMP ? std::optional<std::string>(std::to_string(SQL_CODE_TIMESTAMP)) : none;
    auto sqlDataType = column.sqlType == SQL_TYPE_TIMESTAMP ? std::to_string(SQL_DATETIME) : std::to_string(column.sqlType);
    return {connection.Catalog(),
            none,
            schemaRow[2],
            schemaRow[3],
            DataType(column.sqlType, dates),
            std::string(SqlTypeName(column.sqlType)),
            size,
            octets,
            decimal ? std::optional<std::string>("4") : none,
            text ? none : std::optional<std::string>("10"),
            std::to_string(column.nullable),
            none,
            schemaRow[8],
            sqlDataType,
            datetimeSub,
            text ? std::optional<std::string>(octets) : none,
            schemaRow[6],
            std::string(column.nullable == SQL_NULLABLE ? "YES" : "NO")};
}

}  // namespace

std::unique_ptr<ResultSet> TablesResult(const Connection& connection, const Argument& catalog, const Argument& schema,
                                        const Argument& table, const Argument& types, Diagnostics& diagnostics) {
    if (IsAll(catalog) && IsEmpty(schema) && IsEmpty(table)) return CatalogList(connection);
    if (IsAll(schema) && IsEmpty(catalog) && IsEmpty(table)) {
        return std::make_unique<MemoryResultSet>(TablesColumns(), std::vector<TextRow>{});  // no schemas
    }
    if (types && *types == SQL_ALL_TABLE_TYPES && IsEmpty(catalog) && IsEmpty(schema) && IsEmpty(table)) {
        return TableTypeList();
    }
    std::vector<TextRow> schemaRows;
    if (!SchemaRows(connection, DBSCHEMA_TABLES, {}, schemaRows, diagnostics)) return nullptr;
    std::set<std::string> typeList = types ? TypeList(*types) : std::set<std::string>{};
    std::vector<TextRow> rows;
    bool schemaGiven = schema && !schema->empty() && *schema != "%";
    if (!CatalogMatches(connection, catalog) || schemaGiven) {
        return std::make_unique<MemoryResultSet>(TablesColumns(), std::move(rows));
    }
    for (auto& row : schemaRows) {
        const std::string name = row[2].value_or("");
        const std::string type = row[3].value_or("TABLE");
        if (table && !table->empty() && !MatchesNamePattern(*table, name)) continue;
        if (!typeList.empty() && !typeList.count(type)) continue;
        rows.push_back({connection.Catalog(), std::nullopt, name, type, row[5]});
    }
    return std::make_unique<MemoryResultSet>(TablesColumns(), std::move(rows));
}

std::unique_ptr<ResultSet> ColumnsResult(const Connection& connection, const Argument& table, const Argument& column,
                                         DateTypeNumbers dates, Diagnostics& diagnostics) {
    std::vector<TextRow> schemaRows;
    if (!SchemaRows(connection, DBSCHEMA_COLUMNS, {}, schemaRows, diagnostics)) return nullptr;
    std::vector<TextRow> rows;
    for (const auto& row : schemaRows) {
        if (table && !table->empty() && !MatchesNamePattern(*table, row[2].value_or(""))) continue;
        if (column && !column->empty() && !MatchesNamePattern(*column, row[3].value_or(""))) continue;
        rows.push_back(ColumnRow(connection, row, dates));
    }
    std::vector<ResultColumn> columns{
        Text("TABLE_CAT"),         Text("TABLE_SCHEM"),        Text("TABLE_NAME", SQL_NO_NULLS),
        Text("COLUMN_NAME", SQL_NO_NULLS), Small("DATA_TYPE", SQL_NO_NULLS), Text("TYPE_NAME", SQL_NO_NULLS),
        Integer("COLUMN_SIZE"),    Integer("BUFFER_LENGTH"),   Small("DECIMAL_DIGITS"),
        Small("NUM_PREC_RADIX"),   Small("NULLABLE", SQL_NO_NULLS), Text("REMARKS"),
        Text("COLUMN_DEF"),        Small("SQL_DATA_TYPE", SQL_NO_NULLS), Small("SQL_DATETIME_SUB"),
        Integer("CHAR_OCTET_LENGTH"), Integer("ORDINAL_POSITION", SQL_NO_NULLS), Text("IS_NULLABLE")};
    return std::make_unique<MemoryResultSet>(std::move(columns), std::move(rows));
}

std::unique_ptr<ResultSet> StatisticsResult(const Connection& connection, const Argument& table, bool uniqueOnly,
                                            Diagnostics& diagnostics) {
    std::vector<ResultColumn> columns{
        Text("TABLE_CAT"),      Text("TABLE_SCHEM"), Text("TABLE_NAME", SQL_NO_NULLS), Small("NON_UNIQUE"),
        Text("INDEX_QUALIFIER"), Text("INDEX_NAME"), Small("TYPE", SQL_NO_NULLS),      Small("ORDINAL_POSITION"),
        Text("COLUMN_NAME"),    Text("ASC_OR_DESC"), Integer("CARDINALITY"),           Integer("PAGES"),
        Text("FILTER_CONDITION")};
    std::vector<TextRow> schemaRows;
    Restrictions restrictions{std::nullopt, std::nullopt, std::nullopt, std::nullopt, table};
    if (!table || table->empty()) {
        diagnostics.Add("HY009", "SQLStatistics needs a table name.");
        return nullptr;
    }
    if (!SchemaRows(connection, DBSCHEMA_INDEXES, restrictions, schemaRows, diagnostics)) return nullptr;
    std::vector<TextRow> rows;
    for (const auto& row : schemaRows) {
        const bool unique = row[7] == "True";
        if (uniqueOnly && !unique) continue;
        rows.push_back({connection.Catalog(), std::nullopt, row[2], std::string(unique ? "0" : "1"), std::nullopt, row[5],
                        std::to_string(SQL_INDEX_OTHER), row[16], row[17], std::string("A"), std::nullopt, std::nullopt,
                        std::nullopt});
    }
    return std::make_unique<MemoryResultSet>(std::move(columns), std::move(rows));
}

std::unique_ptr<ResultSet> TypeInfoResult(SQLSMALLINT sqlType, DateTypeNumbers dates) {
    std::vector<ResultColumn> columns{
        Text("TYPE_NAME", SQL_NO_NULLS), Small("DATA_TYPE", SQL_NO_NULLS), Integer("COLUMN_SIZE"),
        Text("LITERAL_PREFIX"),          Text("LITERAL_SUFFIX"),           Text("CREATE_PARAMS"),
        Small("NULLABLE", SQL_NO_NULLS), Small("CASE_SENSITIVE", SQL_NO_NULLS), Small("SEARCHABLE", SQL_NO_NULLS),
        Small("UNSIGNED_ATTRIBUTE"),     Small("FIXED_PREC_SCALE", SQL_NO_NULLS), Small("AUTO_UNIQUE_VALUE"),
        Text("LOCAL_TYPE_NAME"),         Small("MINIMUM_SCALE"),           Small("MAXIMUM_SCALE"),
        Small("SQL_DATA_TYPE", SQL_NO_NULLS), Small("SQL_DATETIME_SUB"),   Integer("NUM_PREC_RADIX"),
        Small("INTERVAL_PRECISION")};
    struct Kind {
        SQLSMALLINT type;
        SQLULEN size;
        const char* quote;
        const char* createParams;
    };
    // In DATA_TYPE order (ODBC 3 numbers), as SQLGetTypeInfo lists them.
    const Kind kinds[] = {{SQL_BIT, 1, nullptr, nullptr},
                          {SQL_LONGVARCHAR, ::tabvex::xls::kMaxCellText, "'", nullptr},
                          {SQL_DECIMAL, 19, nullptr, nullptr},
                          {SQL_DOUBLE, 15, nullptr, nullptr},
                          {SQL_VARCHAR, 255, "'", "max length"},
                          {SQL_TYPE_TIMESTAMP, 19, "#", nullptr}};
    std::vector<TextRow> rows;
    auto text = [](const char* value) { return value ? std::optional<std::string>(value) : std::nullopt; };
    if (sqlType == SQL_TIMESTAMP) sqlType = SQL_TYPE_TIMESTAMP;
    for (const Kind& kind : kinds) {
        if (sqlType != SQL_ALL_TYPES && sqlType != kind.type) continue;
        const bool character = kind.quote && *kind.quote == '\'';
        const bool number = !kind.quote && kind.type != SQL_BIT;
        const bool timestamp = kind.type == SQL_TYPE_TIMESTAMP;
        auto flag = [](bool value) { return std::string(value ? "1" : "0"); };
        auto numberOnly = [&](const char* value) { return number ? std::optional<std::string>(value) : std::nullopt; };
        rows.push_back({SqlTypeName(kind.type), DataType(kind.type, dates), std::to_string(kind.size), text(kind.quote),
                        text(kind.quote), text(kind.createParams), std::to_string(SQL_NULLABLE), flag(false),
                        std::to_string(character ? SQL_SEARCHABLE : SQL_PRED_BASIC), numberOnly("0"),
                        flag(kind.type == SQL_DECIMAL), numberOnly("0"), std::nullopt,
                        kind.type == SQL_DECIMAL ? std::optional<std::string>("4") : std::nullopt,
                        kind.type == SQL_DECIMAL ? std::optional<std::string>("4") : std::nullopt,
                        std::to_string(timestamp ? SQL_DATETIME : kind.type),
                        timestamp ? std::optional<std::string>(std::to_string(SQL_CODE_TIMESTAMP)) : std::nullopt,
                        numberOnly("10"), std::nullopt});
    }
    // ODBC 2's timestamp number moves DATETIME before VARCHAR.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TextRow& a, const TextRow& b) { return std::stoi(*a[1]) < std::stoi(*b[1]); });
    return std::make_unique<MemoryResultSet>(std::move(columns), std::move(rows));
}

std::unique_ptr<ResultSet> PrimaryKeysResult() {
    return std::make_unique<MemoryResultSet>(
        std::vector<ResultColumn>{Text("TABLE_CAT"), Text("TABLE_SCHEM"), Text("TABLE_NAME", SQL_NO_NULLS),
                                  Text("COLUMN_NAME", SQL_NO_NULLS), Small("KEY_SEQ", SQL_NO_NULLS), Text("PK_NAME")},
        std::vector<TextRow>{});
}

std::unique_ptr<ResultSet> SpecialColumnsResult() {
    return std::make_unique<MemoryResultSet>(
        std::vector<ResultColumn>{Small("SCOPE"), Text("COLUMN_NAME", SQL_NO_NULLS), Small("DATA_TYPE", SQL_NO_NULLS),
                                  Text("TYPE_NAME", SQL_NO_NULLS), Integer("COLUMN_SIZE"), Integer("BUFFER_LENGTH"),
                                  Small("DECIMAL_DIGITS"), Small("PSEUDO_COLUMN")},
        std::vector<TextRow>{});
}

}  // namespace tabvex::odbc::xls
