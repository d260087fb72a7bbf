#include "platform/jet/mdb/database_writer.h"

#include <glib.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <unistd.h>
#include <optional>

#include "platform/jet/mdb/header_page.h"
#include "platform/jet/mdb/jet_date.h"
#include "platform/jet/mdb/long_value_writer.h"
#include "platform/jet/mdb/mdb_error.h"
#include "platform/jet/mdb/page_set.h"
#include "platform/jet/mdb/row_encoder.h"
#include "platform/jet/mdb/row_page.h"
#include "platform/jet/mdb/system_tables.h"
#include "platform/jet/mdb/table_definition.h"
#include "platform/jet/mdb/usage_map.h"
#include "platform/jet/mdb/utf16.h"
#include "platform/jet/mdb/value_encoder.h"

namespace tabvex::mdb {

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxNameLength = 64;  // characters, as Jet allows
constexpr size_t kMaxColumns = 255;
constexpr int kMaxTextLength = 255;
constexpr size_t kMaxLongValue = 0xFFFFFF;  // a long value's length has 24 bits
constexpr size_t kLongValueReference = 12;
constexpr std::uint32_t kMapPageOwner = 1;

bool IsWritableType(JetType type) {
    switch (type) {
        case JetType::Numeric:
        case JetType::Complex:
        case JetType::BigInt: return false;
        default: return JetTypeName(type) != "Unknown";
    }
}

using Fields = std::vector<std::optional<Bytes>>;

struct PendingTable {
    std::string name;
    bool system = false;
    TableLayout layout;
    std::vector<Fields> rows;
};

struct PendingDocument {
    std::string name;
    DocumentKind kind;
    std::optional<std::int32_t> id;
    size_t tablesBefore = 0;  // its place in the catalog, among the tables
};

const char* DocumentKindName(DocumentKind kind) {
    switch (kind) {
        case DocumentKind::Form: return "form";
        case DocumentKind::Report: return "report";
        case DocumentKind::Macro: return "macro";
        case DocumentKind::Module: return "module";
    }
    return "document";
}

// Where a table's pieces went in the file being laid out.
struct TablePlacement {
    std::vector<std::uint32_t> definitionPages;
    std::vector<std::uint32_t> dataPages;
};

double NowAsJetDate() {
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch());
    return 25569.0 + std::floor(static_cast<double>(seconds.count())) / 86400.0;
}

bool SameName(const std::string& a, const std::string& b) { return g_ascii_strcasecmp(a.c_str(), b.c_str()) == 0; }

}  // namespace

struct DatabaseWriter::State {
    fs::path target;
    std::vector<PendingTable> tables;
    std::vector<PendingDocument> documents;

    [[noreturn]] void Fail(const std::string& problem) const { throw MdbError(target, problem); }
    void CheckName(const std::string& name, const char* what) const;
    PendingTable& Table(const std::string& name);
    void AddTable(const std::string& name, const std::vector<ColumnSpec>& columns, bool system);
    std::optional<Bytes> EncodeField(const PendingTable& table, size_t row, const ColumnLayout& column,
                                     const Value& value) const;
    Fields EncodeRowValues(const PendingTable& table, size_t rowNumber, const std::vector<Value>& values) const;
    void WriteRows(PageSet& pages, const PendingTable& table, const std::vector<Fields>& rows,
                   TablePlacement& placement) const;
    PageSet Layout(double created) const;
};

void DatabaseWriter::State::CheckName(const std::string& name, const char* what) const {
    auto utf16 = Utf8ToUtf16Le(name);
    if (name.empty() || !utf16 || Utf16Length(*utf16) > kMaxNameLength || name.find_first_of(".!`[]") != std::string::npos ||
        static_cast<unsigned char>(name[0]) == ' ')
        Fail(std::string("'") + name + "' is not a valid " + what + " name");
}

PendingTable& DatabaseWriter::State::Table(const std::string& name) {
    for (auto& t : tables)
        if (SameName(t.name, name)) return t;
    Fail("there is no table named '" + name + "'");
}

void DatabaseWriter::State::AddTable(const std::string& name, const std::vector<ColumnSpec>& columns, bool system) {
    CheckName(name, "table");
    for (const auto& t : tables)
        if (SameName(t.name, name)) Fail("a table named '" + name + "' exists already");
    if (columns.empty() || columns.size() > kMaxColumns) Fail("table '" + name + "' needs 1 to 255 columns");
    for (size_t i = 0; i < columns.size(); ++i) {
        const ColumnSpec& c = columns[i];
        CheckName(c.name, "column");
        for (size_t j = 0; j < i; ++j)
            if (SameName(columns[j].name, c.name)) Fail("table '" + name + "' has two columns named '" + c.name + "'");
        if (!IsWritableType(c.type)) Fail("column '" + c.name + "': the writer does not write that type");
        bool sized = c.type == JetType::Text || c.type == JetType::Binary;
        if (sized && (c.length < 0 || c.length > kMaxTextLength))
            Fail("column '" + c.name + "': length " + std::to_string(c.length) + " is outside 1-255");
    }
    tables.push_back({name, system, LayOutColumns(columns), {}});
}

std::optional<Bytes> DatabaseWriter::State::EncodeField(const PendingTable& table, size_t row,
                                                        const ColumnLayout& column, const Value& value) const {
    if (!value) return std::nullopt;
    auto where = [&] {
        return "table '" + table.name + "', row " + std::to_string(row + 1) + ", column '" + column.spec.name + "': ";
    };
    auto bytes = EncodeValue(column.spec.type, *value);
    if (!bytes) Fail(where() + "'" + value->substr(0, 40) + "' is no " + std::string(JetTypeName(column.spec.type)) + " value");
    bool sized = column.spec.type == JetType::Text || column.spec.type == JetType::Binary;
    if (sized && bytes->size() > static_cast<size_t>(column.storedLength))
        Fail(where() + "the value is longer than the column's " + std::to_string(column.spec.type == JetType::Text ? column.storedLength / 2 : column.storedLength) + " characters");
    if (IsLongValueType(column.spec.type) && bytes->size() > kMaxLongValue) Fail(where() + "the value is longer than 16 MB");
    return bytes;
}

Fields DatabaseWriter::State::EncodeRowValues(const PendingTable& table, size_t rowNumber,
                                              const std::vector<Value>& values) const {
    if (values.size() != table.layout.columns.size())
        Fail("table '" + table.name + "', row " + std::to_string(rowNumber + 1) + ": " + std::to_string(values.size()) +
             " values for " + std::to_string(table.layout.columns.size()) + " columns");
    Fields fields;
    fields.reserve(values.size());
    // The row's size as stored, with long values as their references (and inline data).
    size_t rowSize = 2 + static_cast<size_t>(table.layout.fixedAreaSize) + (values.size() + 7) / 8 +
                     (table.layout.varColumns > 0 ? 4 + 2 * static_cast<size_t>(table.layout.varColumns) : 0);
    for (const auto& column : table.layout.columns) {
        fields.push_back(EncodeField(table, rowNumber, column, values[static_cast<size_t>(column.number)]));
        const auto& field = fields.back();
        if (column.fixed || !field) continue;
        bool inlineLong = field->size() <= LongValueWriter::kInlineLimit;
        rowSize += IsLongValueType(column.spec.type) ? kLongValueReference + (inlineLong ? field->size() : 0) : field->size();
    }
    if (rowSize > RowPage::kMaxRowSize)
        Fail("table '" + table.name + "', row " + std::to_string(rowNumber + 1) + ": the row takes " +
             std::to_string(rowSize) + " bytes, more than a page holds");
    return fields;
}

void DatabaseWriter::State::WriteRows(PageSet& pages, const PendingTable& table, const std::vector<Fields>& rows,
                                      TablePlacement& placement) const {
    LongValueWriter longValues(pages);
    std::optional<RowPage> page;
    Fields stored;
    for (const auto& fields : rows) {
        stored = fields;
        for (const auto& column : table.layout.columns) {
            auto& field = stored[static_cast<size_t>(column.number)];
            if (field && IsLongValueType(column.spec.type)) field = longValues.Store(*field);
        }
        Bytes row = EncodeRow(table.layout, stored);
        if (!page || !page->Fits(row.size())) {
            placement.dataPages.push_back(pages.Allocate());
            page.emplace(pages[placement.dataPages.back()], placement.definitionPages.front());
        }
        page->Add(row);
    }
}

PageSet DatabaseWriter::State::Layout(double created) const {
    PageSet pages;
    pages.Allocate();  // the header
    pages.Allocate();  // the usage maps
    // Definitions first, so that MSysObjects' lands on page 2 and the catalog rows
    // can name every table's page.
    std::vector<TablePlacement> placements(tables.size());
    for (size_t i = 0; i < tables.size(); ++i) {
        const auto& t = tables[i];
        size_t count = TableDefinitionPageCount(EncodeTableDefinition({t.layout, t.system, 0, 0, 0}).size());
        for (size_t p = 0; p < count; ++p) placements[i].definitionPages.push_back(pages.Allocate());
    }
    std::vector<CatalogObject> objects;
    auto document = documents.begin();
    for (size_t i = 0; i <= tables.size(); ++i) {
        for (; document != documents.end() && document->tablesBefore == i; ++document)
            objects.push_back({document->name, document->kind, document->id, false});
        if (i < tables.size())
            objects.push_back({tables[i].name, std::nullopt,
                               static_cast<std::int32_t>(placements[i].definitionPages.front()), tables[i].system});
    }
    std::vector<Fields> catalogRows;
    for (const auto& row : CatalogRows(objects, JetDateToText(created)))
        catalogRows.push_back(EncodeRowValues(tables.front(), catalogRows.size(), row));

    for (size_t i = 0; i < tables.size(); ++i)
        WriteRows(pages, tables[i], i == 0 ? catalogRows : tables[i].rows, placements[i]);

    std::optional<RowPage> mapPage(std::in_place, pages[1], kMapPageOwner);
    std::uint32_t mapPageNumber = 1;
    auto addMap = [&](const std::vector<std::uint32_t>& mapped, const std::string& table) {
        auto row = UsageMapRow(mapped);
        if (!row) Fail("table '" + table + "' is too large for the writer's page maps");
        if (!mapPage->Fits(row->size())) {
            mapPageNumber = pages.Allocate();
            mapPage.emplace(pages[mapPageNumber], kMapPageOwner);
        }
        return mapPageNumber << 8 | mapPage->Add(*row);
    };
    for (size_t i = 0; i < tables.size(); ++i) {
        const auto& t = tables[i];
        auto rowCount = static_cast<std::uint32_t>(i == 0 ? catalogRows.size() : t.rows.size());
        std::uint32_t usageMap = addMap(placements[i].dataPages, t.name);
        std::uint32_t freeMap = addMap({}, t.name);
        TableDefinition def{t.layout, t.system, rowCount, usageMap, freeMap};
        WriteTableDefinition(pages, placements[i].definitionPages, EncodeTableDefinition(def));
    }
    WriteHeaderPage(pages[0], created);
    return pages;
}

DatabaseWriter::DatabaseWriter(fs::path target) : state_(std::make_unique<State>()) {
    state_->target = std::move(target);
    for (const auto& system : SystemTables()) state_->AddTable(system.name, system.columns, true);
}
DatabaseWriter::DatabaseWriter(DatabaseWriter&&) noexcept = default;
DatabaseWriter::~DatabaseWriter() = default;

void DatabaseWriter::AddTable(const std::string& name, const std::vector<ColumnSpec>& columns) {
    if (name.rfind("MSys", 0) == 0) state_->Fail("'" + name + "' is a system table's name");
    state_->AddTable(name, columns, false);
}

void DatabaseWriter::AddRow(const std::string& table, const std::vector<Value>& values) {
    PendingTable& t = state_->Table(table);
    if (t.system) state_->Fail("rows cannot be added to system table '" + table + "'");
    t.rows.push_back(state_->EncodeRowValues(t, t.rows.size(), values));
}

void DatabaseWriter::AddDocument(const std::string& name, DocumentKind kind, std::optional<std::int32_t> id) {
    state_->CheckName(name, DocumentKindName(kind));
    for (const auto& d : state_->documents)
        if (d.kind == kind && SameName(d.name, name))
            state_->Fail(std::string("a ") + DocumentKindName(kind) + " named '" + name + "' exists already");
    state_->documents.push_back({name, kind, id, state_->tables.size()});
}

void DatabaseWriter::Write() const {
    PageSet pages = state_->Layout(NowAsJetDate());
    fs::path temp = state_->target;
    temp += ".tmp-" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) state_->Fail("cannot create the file (" + temp.string() + ")");
        for (const Bytes& page : pages.pages()) out.write(reinterpret_cast<const char*>(page.data()), static_cast<std::streamsize>(page.size()));
        out.close();
        if (!out) {
            std::error_code ec;
            fs::remove(temp, ec);
            state_->Fail("cannot write the file (disk full?)");
        }
    }
    std::error_code ec;
    fs::rename(temp, state_->target, ec);
    if (ec) {
        fs::remove(temp, ec);
        state_->Fail("cannot replace the file: " + ec.message());
    }
}

void CreateEmptyDatabase(const fs::path& target) { DatabaseWriter(target).Write(); }

}  // namespace tabvex::mdb
