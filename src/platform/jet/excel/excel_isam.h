// The "Excel 8.0" ISAM: a workbook's worksheets ("Name$") and defined names as tables.
// CREATE TABLE adds a worksheet with the header row and a defined name over it;
// INSERT appends a row just under a table's area and widens the defined name; the
// first row of a table names its columns and the next eight rows decide their types.
//
// The workbook stays in memory while the ISAM lives. It is saved (atomically, through
// a temporary file) by Flush, which the provider calls when its session is released,
// and before every CREATE TABLE: the migration creates a table only after the rows of
// the previous one are all inserted, so a table whose transfer completed is on disk
// even if the program dies during the next one. Flush rewrites the whole file, so it
// belongs at batch ends, not after every INSERT.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/jet/excel/excel_column_kind.h"
#include "platform/jet/excel/excel_date_serial.h"
#include "platform/jet/isam.h"
#include "platform/xls/workbook.h"

namespace tabvex::jet::excel {

// Orders names as Jet matches them: without regard to case.
struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

class ExcelIsam : public Isam {
public:
    // Opens the workbook, or starts a new one (written at the first Flush after a
    // CREATE TABLE) when the file does not exist. IsamError (E_FAIL) naming the file
    // and the problem for a file that is no readable workbook.
    explicit ExcelIsam(std::filesystem::path path);
    // A workbook that is on disk as it is in memory is kept for whoever opens it next.
    ~ExcelIsam() override;
    ExcelIsam(const ExcelIsam&) = delete;
    ExcelIsam& operator=(const ExcelIsam&) = delete;

    std::vector<IsamTable> Tables() override;
    std::vector<IsamColumn> Columns(const std::string& table) override;
    std::size_t ColumnCount(const std::string& table) override;
    std::vector<IsamIndex> Indexes(const std::string& table) override;
    std::unique_ptr<IsamCursor> OpenCursor(const std::string& table) override;
    void CreateTable(const std::string& table, const std::vector<ColumnDefinition>& columns) override;
    void InsertRow(const std::string& table, std::vector<oledb::Value> values) override;
    void Flush() override;

private:
    // A defined name over one area of a worksheet.
    struct NamedArea {
        std::string name;
        xls::SheetArea area;
        bool widened = false;  // grown by INSERTs, not yet written into the workbook
    };
    // Which table a name stands for: a worksheet, or a defined name on one.
    struct Location {
        std::size_t sheet = 0;
        NamedArea* named = nullptr;  // null for a worksheet table
        std::string key;             // the table as the caches know it
    };
    // What Columns() found, kept until an INSERT changes the rows types are guessed from.
    struct TableShape {
        std::vector<IsamColumn> columns;
        std::vector<ExcelColumnKind> kinds;
    };

    void LoadNamedAreas();
    // The defined names and worksheets that are tables, sorted as Jet lists them.
    std::vector<IsamTable> ListTables() const;
    // The table a statement names; the last one found is remembered, since a migration
    // names the same table in statement after statement.
    const Location& Locate(const std::string& table);
    Location Find(const std::string& table);
    // The rectangle from a table's header row down; nothing for an empty worksheet.
    std::optional<xls::CellRange> Range(const Location& location);
    std::optional<xls::CellRange>& UsedRange(std::size_t sheet);
    const TableShape& Shape(const Location& location, const std::optional<xls::CellRange>& range);
    std::vector<ExcelColumnKind> ColumnKinds(const Location& location, const xls::CellRange& range,
                                             std::size_t count) const;
    std::uint32_t AppendRowIndex(const Location& location, const std::optional<xls::CellRange>& range,
                                 const std::string& table) const;
    bool NoteRowWritten(std::size_t sheet, const xls::CellRange& written);
    xls::Worksheet& AddWorksheet(const std::string& name);
    void Save();

    std::filesystem::path path_;
    std::optional<xls::Workbook> workbook_;
    DateSystem dates_ = DateSystem::Excel1900;
    std::map<std::string, NamedArea, NameLess> namedAreas_;
    // The table list as ListTables made it, kept because the schema rowsets ask for it
    // once per table; CREATE TABLE drops it.
    std::optional<std::vector<IsamTable>> tables_;
    // Column kinds of the tables this ISAM created, as their CREATE TABLE declared them.
    std::map<std::string, std::vector<ExcelColumnKind>, NameLess> declaredKinds_;
    std::map<std::string, TableShape, NameLess> shapes_;
    // The used range of each worksheet measured so far, kept up to date as rows are
    // written, so that appending to a worksheet table does not measure it again.
    std::map<std::size_t, std::optional<xls::CellRange>> usedRanges_;
    std::string lastTable_;
    std::optional<Location> lastLocation_;
    bool unsaved_ = false;
};

// The ISAM the provider opens for "Excel 8.0" connections.
std::unique_ptr<Isam> OpenExcelIsam(const std::filesystem::path& path);

}  // namespace tabvex::jet::excel
