// The rows a statement or catalog function produced, read as text, with the ODBC
// description of each column. Query rows come from a Jet rowset (its bookmark column
// left out); catalog rows are built in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sql.h>

#include "platform/oledb/text_rows.h"
#include "platform/odbc/xls_driver/diagnostics.h"
#include "platform/oledb/rowset.h"
#include "platform/oledb/session.h"

namespace tabvex::odbc::xls {

struct ResultColumn {
    std::string name;
    SQLSMALLINT sqlType = SQL_VARCHAR;
    SQLULEN size = 0;  // column size: characters, or digits for numbers
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = SQL_NULLABLE;
    oledb::DBTYPE providerType = oledb::DBTYPE_WSTR;
};

enum class FetchOutcome { Row, End, Failed };

class ResultSet {
public:
    virtual ~ResultSet() = default;
    virtual const std::vector<ResultColumn>& Columns() const = 0;
    virtual FetchOutcome Next(Diagnostics& diagnostics) = 0;
    // The value of a column (from 0) of the current row; nullopt for NULL.
    virtual std::optional<std::string_view> Value(std::size_t column) const = 0;
};

using TextRow = std::vector<std::optional<std::string>>;

class MemoryResultSet : public ResultSet {
public:
    MemoryResultSet(std::vector<ResultColumn> columns, std::vector<TextRow> rows)
        : columns_(std::move(columns)), rows_(std::move(rows)) {}

    const std::vector<ResultColumn>& Columns() const override { return columns_; }
    FetchOutcome Next(Diagnostics& diagnostics) override;
    std::optional<std::string_view> Value(std::size_t column) const override;

private:
    std::vector<ResultColumn> columns_;
    std::vector<TextRow> rows_;
    std::size_t next_ = 0;
};

class RowsetResultSet : public ResultSet {
public:
    // Fails (nullptr, with diagnostics) when the rowset's columns cannot be bound.
    // `session` is kept until the result is dropped, since the rows come from it.
    static std::unique_ptr<RowsetResultSet> Open(std::shared_ptr<oledb::Session> session,
                                                 std::shared_ptr<oledb::Rowset> rowset, Diagnostics& diagnostics);

    const std::vector<ResultColumn>& Columns() const override { return columns_; }
    FetchOutcome Next(Diagnostics& diagnostics) override;
    std::optional<std::string_view> Value(std::size_t column) const override;

private:
    RowsetResultSet(std::shared_ptr<oledb::Session> session, std::shared_ptr<oledb::Rowset> rowset,
                    std::vector<ResultColumn> columns);

    std::shared_ptr<oledb::Session> session_;
    std::shared_ptr<oledb::Rowset> rowset_;
    std::vector<ResultColumn> columns_;
    oledb::TextRowReader reader_;
};

// The ODBC description of a provider column.
ResultColumn DescribeProviderColumn(const oledb::DBCOLUMNINFO& column);

// The name the workbook gives a column type (SQLColumns' TYPE_NAME).
const char* SqlTypeName(SQLSMALLINT sqlType);

}  // namespace tabvex::odbc::xls
