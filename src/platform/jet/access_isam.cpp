#include "platform/jet/access_isam.h"

#include <charconv>
#include <cstdio>

#include "platform/jet/mdb/database.h"
#include "platform/jet/mdb/mdb_error.h"

namespace tabvex::jet {
namespace {

using mdb::JetType;

TableKind KindOf(mdb::ObjectKind kind) {
    switch (kind) {
        case mdb::ObjectKind::UserTable: return TableKind::Table;
        case mdb::ObjectKind::SystemTable: return TableKind::SystemTable;
        case mdb::ObjectKind::SelectQuery: return TableKind::View;
        case mdb::ObjectKind::LinkedTable: return TableKind::Link;
    }
    return TableKind::Table;
}

IsamColumn ToIsamColumn(const mdb::ColumnInfo& column) {
    IsamColumn isamColumn;
    isamColumn.name = column.name;
    isamColumn.type = column.oledbType;
    isamColumn.flags = column.flags;
    isamColumn.maxLength = column.maxLength;
    isamColumn.precision = column.precision;
    isamColumn.scale = column.scale;
    isamColumn.nullable = column.nullable;
    isamColumn.defaultValue = column.defaultValue;
    return isamColumn;
}

template <typename Number>
oledb::Value NumberOrText(const std::string& text) {
    Number number{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return text;
    if constexpr (std::is_same_v<Number, double>) {
        return number;
    } else {
        return static_cast<std::int64_t>(number);
    }
}

oledb::Value DateOrText(const std::string& text) {
    oledb::DateTime when;
    int read = std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &when.year, &when.month, &when.day, &when.hour,
                           &when.minute, &when.second);
    if (read != 3 && read != 6) return text;
    return when;
}

// The engine gives each value as its text; the evaluator needs it typed by the column.
// Puts the column's value into `slot`, which holds the same column's value of the row
// before: text goes into that value's string, so that its buffer is used again.
void AssignTypedValue(oledb::Value& slot, JetType type, const std::string& text) {
    switch (type) {
        case JetType::Boolean: slot = text == "True"; return;
        case JetType::Byte:
        case JetType::Integer:
        case JetType::Long:
        case JetType::BigInt: slot = NumberOrText<std::int64_t>(text); return;
        case JetType::Single:
        case JetType::Double: slot = NumberOrText<double>(text); return;
        case JetType::Currency:
        case JetType::Numeric: slot = oledb::Decimal{text}; return;
        case JetType::DateTime: slot = DateOrText(text); return;
        default: break;
    }
    if (auto* kept = std::get_if<std::string>(&slot)) kept->assign(text);
    else slot = text;
}

class AccessCursor : public IsamCursor {
public:
    explicit AccessCursor(mdb::RowCursor cursor) : cursor_(std::move(cursor)) {
        for (const auto& column : cursor_.columns()) types_.push_back(column.type);
    }

    bool Next(std::vector<oledb::Value>& row) override {
        try {
            if (!cursor_.Next()) return false;
        } catch (const mdb::MdbError& error) {
            throw IsamError(oledb::E_FAIL, error.what());
        }
        const auto& values = cursor_.values();
        row.resize(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (values[i]) AssignTypedValue(row[i], types_[i], *values[i]);
            else row[i] = std::monostate{};
        }
        return true;
    }

private:
    mdb::RowCursor cursor_;
    std::vector<JetType> types_;
};

class AccessIsam : public Isam {
public:
    explicit AccessIsam(mdb::Database database) : database_(std::move(database)) {}

    std::vector<IsamTable> Tables() override {
        std::vector<IsamTable> tables;
        for (const auto& entry : database_.catalog()) tables.push_back({entry.name, KindOf(entry.kind)});
        return tables;
    }

    std::vector<IsamColumn> Columns(const std::string& table) override {
        // The engine cannot describe what a saved query or a link returns.
        if (!HasRowsOfItsOwn(table)) return {};
        std::vector<IsamColumn> columns;
        for (const auto& column : Schema(table).columns) columns.push_back(ToIsamColumn(column));
        return columns;
    }

    std::vector<IsamIndex> Indexes(const std::string& table) override {
        if (!HasRowsOfItsOwn(table)) return {};
        std::vector<IsamIndex> indexes;
        for (const auto& index : Schema(table).indexes) {
            indexes.push_back({index.name, index.columns, index.primary, index.unique});
        }
        return indexes;
    }

    std::unique_ptr<IsamCursor> OpenCursor(const std::string& table) override {
        if (!HasRowsOfItsOwn(table)) {
            throw IsamError(oledb::DB_E_NOTSUPPORTED,
                            "'" + table + "' is a saved query or a linked table of '" + database_.path().string() +
                                "'; only its tables can be read.");
        }
        try {
            return std::make_unique<AccessCursor>(database_.OpenCursor(table));
        } catch (const mdb::MdbError& error) {
            throw IsamError(oledb::E_FAIL, error.what());
        }
    }

    // Access keeps each table's row count in its definition.
    std::optional<std::int64_t> StoredRowCount(const std::string& table) override {
        if (!HasRowsOfItsOwn(table)) return std::nullopt;
        return static_cast<std::int64_t>(Schema(table).rowCount);
    }

    void CreateTable(const std::string& table, const std::vector<ColumnDefinition>&) override { RefuseChange(table); }
    void InsertRow(const std::string& table, std::vector<oledb::Value>) override { RefuseChange(table); }
    void Flush() override {}

private:
    // True for a table; false for a query or link; DB_E_NOTABLE for an unknown name.
    bool HasRowsOfItsOwn(const std::string& table) const {
        const mdb::CatalogEntry* entry = database_.Find(table);
        if (!entry) {
            throw IsamError(oledb::DB_E_NOTABLE,
                            "The Microsoft Jet database engine cannot find the input table or query '" + table +
                                "'. Make sure it exists and that its name is spelled correctly.");
        }
        return entry->kind == mdb::ObjectKind::UserTable || entry->kind == mdb::ObjectKind::SystemTable;
    }

    mdb::TableSchema Schema(const std::string& table) const {
        try {
            return database_.Schema(table);
        } catch (const mdb::MdbError& error) {
            throw IsamError(oledb::E_FAIL, error.what());
        }
    }

    [[noreturn]] void RefuseChange(const std::string& table) const {
        throw IsamError(oledb::DB_E_NOTSUPPORTED, "Cannot change table '" + table + "': the Access database '" +
                                                      database_.path().string() + "' is opened for reading only.");
    }

    mdb::Database database_;
};

}  // namespace

std::unique_ptr<Isam> OpenAccessIsam(const std::filesystem::path& path) {
    try {
        return std::make_unique<AccessIsam>(mdb::Database::Open(path));
    } catch (const mdb::MdbError& error) {
        throw IsamError(oledb::E_FAIL, error.what());
    }
}

}  // namespace tabvex::jet
