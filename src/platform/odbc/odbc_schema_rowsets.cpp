#include "platform/odbc/odbc_schema_rowsets.h"

#include <sqlext.h>

#include <charconv>
#include <set>

#include "platform/odbc/column_types.h"
#include "platform/odbc/statement_rows.h"
#include "platform/oledb/schema_rows.h"

namespace tabvex::odbc {
namespace {

using oledb::NameMatches;
using oledb::RestrictionAt;
using oledb::Restrictions;
using oledb::Value;
using ResultRows = std::vector<std::vector<Value>>;

// A catalog function's argument: the restriction, or NULL (everything) when absent.
struct Argument {
    explicit Argument(const std::optional<std::string>& value) : text(value.value_or("")), given(value.has_value()) {}
    SQLCHAR* data() { return given ? reinterpret_cast<SQLCHAR*>(text.data()) : nullptr; }
    SQLSMALLINT length() const { return given ? static_cast<SQLSMALLINT>(text.size()) : 0; }
    std::string text;
    bool given;
};

// Every row a catalog function left on the statement.
ResultRows AllRows(std::unique_ptr<Statement> statement) {
    StatementRows rows(std::move(statement));
    ResultRows all;
    std::vector<Value> row;
    while (rows.Next(row)) all.push_back(std::move(row));
    return all;
}

std::optional<std::string> TextAt(const std::vector<Value>& row, std::size_t index) {
    if (index >= row.size() || oledb::IsNull(row[index])) return std::nullopt;
    return oledb::ValueText(row[index]);
}

std::optional<std::int64_t> NumberAt(const std::vector<Value>& row, std::size_t index) {
    auto text = TextAt(row, index);
    if (!text) return std::nullopt;
    std::int64_t number = 0;
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), number);
    if (error != std::errc()) return std::nullopt;
    return number;
}

bool Matches(const std::optional<std::string>& restriction, const std::optional<std::string>& name) {
    return !restriction || (name && NameMatches(restriction, *name));
}

oledb::SchemaTableName TableNameOf(const std::vector<Value>& row) {
    return {TextAt(row, 0), TextAt(row, 1), TextAt(row, 2).value_or("")};
}

bool TableMatches(const Restrictions& restrictions, const oledb::SchemaTableName& table, std::size_t nameIndex) {
    return Matches(RestrictionAt(restrictions, 0), table.catalog) &&
           Matches(RestrictionAt(restrictions, 1), table.schema) &&
           Matches(RestrictionAt(restrictions, nameIndex), table.name);
}

ResultRows RunTables(const std::shared_ptr<Connection>& connection, Argument catalog, Argument schema, Argument table) {
    auto statement = std::make_unique<Statement>(connection);
    statement->Check(SQLTables(statement->handle(), catalog.data(), catalog.length(), schema.data(), schema.length(),
                               table.data(), table.length(), nullptr, 0),
                     "SQLTables");
    return AllRows(std::move(statement));
}

// A table's columns as a query of all of them describes them. Drivers that leave
// COLUMN_SIZE NULL in SQLColumns (mdbtools') tell sizes, memos (VARCHAR of size 0)
// and singles (FLOAT of size 4) only so. Nothing is fetched.
std::vector<OdbcColumnDescription> QueriedColumns(const std::shared_ptr<Connection>& connection,
                                                  const oledb::SchemaTableName& table) {
    std::string open = connection->InfoText(SQL_IDENTIFIER_QUOTE_CHAR);
    if (open == " ") open.clear();
    std::string close = open == "[" ? "]" : open;
    std::string text = "SELECT * FROM " + open + table.name + close;
    auto statement = std::make_unique<Statement>(connection);
    SqlText command(text);
    statement->Check(SQLExecDirect(statement->handle(), command.data(), command.length()), "SQLExecDirect");
    SQLSMALLINT count = 0;
    statement->Check(SQLNumResultCols(statement->handle(), &count), "SQLNumResultCols");
    std::vector<OdbcColumnDescription> columns;
    for (SQLUSMALLINT i = 1; i <= count; ++i) columns.push_back(DescribeResultColumn(*statement, i));
    return columns;
}

// The names of the table's primary key's index; empty when the driver cannot tell.
std::set<std::string> PrimaryKeyNames(const std::shared_ptr<Connection>& connection,
                                      const oledb::SchemaTableName& table) {
    std::set<std::string> names;
    try {
        auto statement = std::make_unique<Statement>(connection);
        Argument catalog(table.catalog), schema(table.schema), name(table.name);
        statement->Check(SQLPrimaryKeys(statement->handle(), catalog.data(), catalog.length(), schema.data(),
                                        schema.length(), name.data(), name.length()),
                         "SQLPrimaryKeys");
        for (const auto& row : AllRows(std::move(statement))) {
            if (auto keyName = TextAt(row, 5)) names.insert(*keyName);
        }
    } catch (const std::exception&) {
        // Drivers without SQLPrimaryKeys report every index as not primary.
    }
    return names;
}

void AppendIndexRows(const std::shared_ptr<Connection>& connection, const oledb::SchemaTableName& table,
                     const Restrictions& restrictions, ResultRows& rows) {
    auto statement = std::make_unique<Statement>(connection);
    Argument catalog(table.catalog), schema(table.schema), name(table.name);
    statement->Check(SQLStatistics(statement->handle(), catalog.data(), catalog.length(), schema.data(),
                                   schema.length(), name.data(), name.length(), SQL_INDEX_ALL, SQL_QUICK),
                     "SQLStatistics");
    ResultRows statistics = AllRows(std::move(statement));
    if (statistics.empty()) return;
    auto primaryKeys = PrimaryKeyNames(connection, table);
    const auto& indexName = RestrictionAt(restrictions, 2);
    for (const auto& row : statistics) {
        if (NumberAt(row, 6) == SQL_TABLE_STAT) continue;
        auto index = TextAt(row, 5);
        auto column = TextAt(row, 8);
        if (!index || !column || !NameMatches(indexName, *index)) continue;
        oledb::SchemaIndexColumn indexColumn{*index, primaryKeys.contains(*index), NumberAt(row, 3) == SQL_FALSE,
                                             static_cast<std::size_t>(NumberAt(row, 7).value_or(1)), *column};
        rows.push_back(oledb::IndexesRow(table, indexColumn));
    }
}

}  // namespace

std::unique_ptr<oledb::RowSource> CatalogsSchema(const std::shared_ptr<Connection>& connection,
                                                 const Restrictions& restrictions, const std::string& currentCatalog) {
    std::vector<std::pair<std::string, std::optional<std::string>>> catalogs;
    std::string all = SQL_ALL_CATALOGS;
    for (const auto& row : RunTables(connection, Argument(all), Argument(std::string()), Argument(std::string()))) {
        // Catalog rows name no table.
        auto catalog = TextAt(row, 0);
        if (!catalog || catalog->empty() || !TextAt(row, 2).value_or("").empty()) continue;
        catalogs.emplace_back(*catalog, TextAt(row, 4));
    }
    if (catalogs.empty() && !currentCatalog.empty()) catalogs.emplace_back(currentCatalog, std::nullopt);
    ResultRows rows;
    for (const auto& [catalog, description] : catalogs) {
        if (Matches(RestrictionAt(restrictions, 0), catalog)) rows.push_back(oledb::CatalogsRow(catalog, description));
    }
    return std::make_unique<oledb::MemoryRowSource>(oledb::CatalogsLayout(), std::move(rows));
}

std::unique_ptr<oledb::RowSource> TablesSchema(const std::shared_ptr<Connection>& connection,
                                               const Restrictions& restrictions) {
    ResultRows rows;
    const auto& type = RestrictionAt(restrictions, 3);
    for (const auto& row : RunTables(connection, Argument(RestrictionAt(restrictions, 0)),
                                     Argument(RestrictionAt(restrictions, 1)), Argument(RestrictionAt(restrictions, 2)))) {
        auto table = TableNameOf(row);
        std::string tableType = TextAt(row, 3).value_or("");
        if (!TableMatches(restrictions, table, 2) || (type && *type != tableType)) continue;
        rows.push_back(oledb::TablesRow(table, tableType, TextAt(row, 4)));
    }
    return std::make_unique<oledb::MemoryRowSource>(oledb::TablesLayout(), std::move(rows));
}

std::unique_ptr<oledb::RowSource> ColumnsSchema(const std::shared_ptr<Connection>& connection,
                                                const Restrictions& restrictions) {
    auto statement = std::make_unique<Statement>(connection);
    Argument catalog(RestrictionAt(restrictions, 0)), schema(RestrictionAt(restrictions, 1)),
        table(RestrictionAt(restrictions, 2)), column(RestrictionAt(restrictions, 3));
    statement->Check(SQLColumns(statement->handle(), catalog.data(), catalog.length(), schema.data(), schema.length(),
                                table.data(), table.length(), column.data(), column.length()),
                     "SQLColumns");
    ResultRows rows;
    std::string previousTable;
    std::size_t ordinalInTable = 0;
    std::vector<OdbcColumnDescription> queried;  // the previous table's, when its sizes were needed
    for (const auto& row : AllRows(std::move(statement))) {
        auto tableName = TableNameOf(row);
        if (tableName.name != previousTable) queried.clear();
        ordinalInTable = tableName.name == previousTable ? ordinalInTable + 1 : 1;
        previousTable = tableName.name;
        OdbcColumnDescription description;
        description.name = TextAt(row, 3).value_or("");
        if (!TableMatches(restrictions, tableName, 2) || !NameMatches(RestrictionAt(restrictions, 3), description.name)) {
            continue;
        }
        description.sqlType = static_cast<SQLSMALLINT>(NumberAt(row, 4).value_or(SQL_VARCHAR));
        description.decimalDigits = static_cast<SQLSMALLINT>(NumberAt(row, 8).value_or(0));
        description.nullable = static_cast<SQLSMALLINT>(NumberAt(row, 10).value_or(SQL_NULLABLE_UNKNOWN));
        auto ordinal = static_cast<std::size_t>(NumberAt(row, 16).value_or(static_cast<std::int64_t>(ordinalInTable)));
        if (auto size = NumberAt(row, 6)) {
            description.columnSize = static_cast<SQLULEN>(*size);
            if (!connection->KnowsNullability()) TakeAccessNullability(description);
        } else {
            if (queried.empty()) queried = QueriedColumns(connection, tableName);
            if (ordinal >= 1 && ordinal <= queried.size()) description = queried[ordinal - 1];
        }
        auto described = DescribeColumn(description);
        described.defaultValue = TextAt(row, 12);
        rows.push_back(oledb::ColumnsRow(tableName, described, ordinal));
    }
    return std::make_unique<oledb::MemoryRowSource>(oledb::ColumnsLayout(), std::move(rows));
}

std::unique_ptr<oledb::RowSource> IndexesSchema(const std::shared_ptr<Connection>& connection,
                                                const Restrictions& restrictions) {
    ResultRows rows;
    const auto& type = RestrictionAt(restrictions, 3);
    if (!type || *type == "1") {
        // SQLStatistics takes one table: the restricted one, or each table in turn.
        for (const auto& row : RunTables(connection, Argument(RestrictionAt(restrictions, 0)),
                                         Argument(RestrictionAt(restrictions, 1)),
                                         Argument(RestrictionAt(restrictions, 4)))) {
            auto table = TableNameOf(row);
            if (TextAt(row, 3) != "TABLE" || !TableMatches(restrictions, table, 4)) continue;
            AppendIndexRows(connection, table, restrictions, rows);
        }
    }
    return std::make_unique<oledb::MemoryRowSource>(oledb::IndexesLayout(), std::move(rows));
}

}  // namespace tabvex::odbc
