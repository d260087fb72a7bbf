#include "platform/jet/statement_runner.h"

#include <strings.h>

#include <algorithm>

#include "platform/jet/query_rows.h"
#include "platform/jet/sql/evaluator.h"
#include "platform/jet/sql/insert_values.h"
#include "platform/jet/sql/parser.h"
#include "platform/jet/sql/sql_error.h"
#include "platform/jet/value_conversion.h"

namespace tabvex::jet {
namespace {

using oledb::HRESULT;

HRESULT CodeOf(sql::SqlErrorKind kind) {
    switch (kind) {
        case sql::SqlErrorKind::Syntax:
        case sql::SqlErrorKind::UnknownFunction: return oledb::DB_E_ERRORSINCOMMAND;
        case sql::SqlErrorKind::UnknownColumn: return oledb::DB_E_PARAMNOTOPTIONAL;
        case sql::SqlErrorKind::TypeMismatch: return oledb::DB_E_CANTCONVERTVALUE;
        case sql::SqlErrorKind::Overflow: return oledb::DB_E_DATAOVERFLOW;
        case sql::SqlErrorKind::InvalidArgument:
        case sql::SqlErrorKind::DivisionByZero: return oledb::E_FAIL;
    }
    return oledb::E_FAIL;
}

bool HasColumn(const std::vector<IsamColumn>& columns, std::string_view name) {
    return std::any_of(columns.begin(), columns.end(), [name](const IsamColumn& column) {
        return column.name.size() == name.size() && strncasecmp(column.name.data(), name.data(), name.size()) == 0;
    });
}

// COUNT(*) answers one row with one column, named as Jet names an unnamed expression.
std::unique_ptr<oledb::RowSource> CountRows(std::int64_t count) {
    oledb::DBCOLUMNINFO column;
    column.name = "Expr1000";
    column.ordinal = 1;
    column.type = oledb::DBTYPE_I4;
    column.columnSize = 4;
    column.flags = oledb::DBCOLUMNFLAGS_ISFIXEDLENGTH | oledb::DBCOLUMNFLAGS_ISNULLABLE | oledb::DBCOLUMNFLAGS_MAYBENULL;
    std::vector<std::vector<oledb::Value>> rows{{oledb::Value{count}}};
    return std::make_unique<oledb::MemoryRowSource>(std::vector{column}, std::move(rows));
}

StatementOutcome RunSelect(Isam& isam, sql::SelectStatement& select) {
    auto columns = isam.Columns(select.table.name);
    if (select.where) {
        sql::CheckColumns(*select.where, [&](std::string_view name) { return HasColumn(columns, name); });
    }
    if (select.countOnly && !select.where) {
        if (const auto stored = isam.StoredRowCount(select.table.name)) return {CountRows(*stored), -1};
    }
    auto rows = std::make_unique<QueryRows>(columns, isam.OpenCursor(select.table.name), std::move(select.where));
    if (!select.countOnly) return {std::move(rows), -1};
    std::int64_t count = 0;
    std::vector<oledb::Value> row;
    while (rows->Next(row)) ++count;
    return {CountRows(count), -1};
}

std::string TypeName(const sql::ColumnType& type) {
    switch (type.kind) {
        case sql::ColumnTypeKind::Text: return "TEXT";
        case sql::ColumnTypeKind::Memo: return "MEMO";
        case sql::ColumnTypeKind::Byte: return "BYTE";
        case sql::ColumnTypeKind::Short: return "SHORT";
        case sql::ColumnTypeKind::Long: return "LONG";
        case sql::ColumnTypeKind::Single: return "SINGLE";
        case sql::ColumnTypeKind::Double: return "DOUBLE";
        case sql::ColumnTypeKind::Currency: return "CURRENCY";
        case sql::ColumnTypeKind::Decimal: return "DECIMAL";
        case sql::ColumnTypeKind::DateTime: return "DATETIME";
        case sql::ColumnTypeKind::Boolean: return "BIT";
        case sql::ColumnTypeKind::Counter: return "COUNTER";
        case sql::ColumnTypeKind::Guid: return "GUID";
        case sql::ColumnTypeKind::Binary: return "BINARY";
        case sql::ColumnTypeKind::LongBinary: return "LONGBINARY";
    }
    return "TEXT";
}

StatementOutcome RunCreate(Isam& isam, const sql::CreateTableStatement& create) {
    std::vector<ColumnDefinition> columns;
    for (const auto& column : create.columns) {
        std::optional<std::uint32_t> size;
        if (sql::TakesSize(column.type.kind)) size = static_cast<std::uint32_t>(column.type.size);
        columns.push_back({column.name, TypeName(column.type), size});
    }
    isam.CreateTable(create.table.name, columns);
    return {nullptr, 0};
}

std::vector<std::string> ColumnNames(Isam& isam, const std::string& table) {
    std::vector<IsamColumn> columns = isam.Columns(table);
    std::vector<std::string> names;
    names.reserve(columns.size());
    for (auto& column : columns) names.push_back(std::move(column.name));
    return names;
}

StatementOutcome RunInsert(Isam& isam, sql::InsertStatement insert) {
    const std::vector<std::string> names = ColumnNames(isam, insert.table.name);
    std::vector<oledb::Value> values;
    values.reserve(names.size());
    std::string table = insert.table.name;
    for (auto& value : sql::ResolveInsertValues(std::move(insert), names)) values.push_back(ToRowValue(std::move(value)));
    isam.InsertRow(table, std::move(values));
    return {nullptr, 1};
}

// A row whose values are all text literals, as ResolveInsertValues would place them.
// Without a column list they fill the table's columns in order, so only their
// count is looked at.
StatementOutcome RunRepeatedInsert(Isam& isam, const sql::InsertStatement& head, std::vector<std::string>& literals) {
    std::vector<oledb::Value> values;
    if (head.columns.empty()) {
        sql::CheckValueCount(head, literals.size(), isam.ColumnCount(head.table.name));
        values.reserve(literals.size());
        for (std::string& literal : literals) values.emplace_back(std::move(literal));
    } else {
        const std::vector<std::string> names = ColumnNames(isam, head.table.name);
        const std::vector<std::size_t> destinations = sql::InsertDestinations(head, literals.size(), names);
        values.resize(names.size());
        for (std::size_t i = 0; i < destinations.size(); ++i) values[destinations[i]] = std::move(literals[i]);
    }
    isam.InsertRow(head.table.name, std::move(values));
    return {nullptr, 1};
}

}  // namespace

StatementOutcome RunJetStatement(Isam& isam, std::string_view text) {
    try {
        // Reused from row to row, so that reading a row's literals allocates nothing more.
        thread_local std::vector<std::string> literals;
        if (const sql::InsertStatement* head = sql::ReadRepeatedInsert(text, literals))
            return RunRepeatedInsert(isam, *head, literals);
        sql::Statement statement = sql::ParseStatement(text);
        if (auto* select = std::get_if<sql::SelectStatement>(&statement)) return RunSelect(isam, *select);
        if (auto* create = std::get_if<sql::CreateTableStatement>(&statement)) return RunCreate(isam, *create);
        return RunInsert(isam, std::get<sql::InsertStatement>(std::move(statement)));
    } catch (const sql::SqlError& error) {
        throw IsamError(CodeOf(error.kind()), error.what());
    }
}

}  // namespace tabvex::jet
