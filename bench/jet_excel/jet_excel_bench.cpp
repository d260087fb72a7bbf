// Times what a migration does to one workbook: a CREATE TABLE of 12 text columns, then
// 65,000 single-row INSERT statements of 12 text values, each parsed, resolved against
// the table's columns and appended, and finally the save of the session's release.
// Prints wall-clock and CPU figures (the CPU time is what counts on a busy machine);
// run it from an optimized build.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/jet/excel/excel_isam.h"
#include "platform/jet/sql/insert_values.h"
#include "platform/jet/sql/parser.h"

namespace {

using namespace tabvex;
using Clock = std::chrono::steady_clock;

constexpr int kRows = 65000;
constexpr int kColumns = 12;

// Wall-clock and processor time since a starting point.
struct Stopwatch {
    Clock::time_point wall = Clock::now();
    std::clock_t cpu = std::clock();
    double WallSeconds() const { return std::chrono::duration<double>(Clock::now() - wall).count(); }
    double CpuSeconds() const { return static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC; }
};

std::string CreateStatement() {
    std::string text = "Create Table Bench (";
    for (int c = 0; c < kColumns; ++c) text += (c ? " ,`Column" : "`Column") + std::to_string(c + 1) + "` Text";
    return text + ")";
}

std::string InsertStatement(int row) {
    std::string text = "insert into Bench values (";
    for (int c = 0; c < kColumns; ++c)
        text += (c ? ",'" : "'") + std::string("Row ") + std::to_string(row) + " value " + std::to_string(c) + "'";
    return text + ");\n";
}

jet::ColumnDefinition ToIsamColumn(const jet::sql::ColumnDefinition& column) {
    return jet::ColumnDefinition{column.name, column.typeName, static_cast<std::uint32_t>(column.type.size)};
}

// Parses and resolves one INSERT as the provider's command does before it appends.
std::vector<oledb::Value> ResolveRow(jet::Isam& isam, const std::string& statement, std::string& table) {
    auto insert = std::get<jet::sql::InsertStatement>(jet::sql::ParseStatement(statement));
    std::vector<std::string> names;
    for (const auto& column : isam.Columns(insert.table.name)) names.push_back(column.name);
    std::vector<oledb::Value> values;
    table = insert.table.name;
    for (const auto& value : jet::sql::ResolveInsertValues(insert, names))
        values.push_back(value.isNull() ? oledb::Value() : oledb::Value(value.ToText()));
    return values;
}

}  // namespace

int main() {
    auto folder = std::filesystem::temp_directory_path() / ("tabvex-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    auto path = folder / "bench.xls";

    std::vector<std::string> statements;
    for (int row = 0; row < kRows; ++row) statements.push_back(InsertStatement(row));

    Stopwatch total;
    {
        jet::excel::ExcelIsam isam(path);
        auto create = std::get<jet::sql::CreateTableStatement>(jet::sql::ParseStatement(CreateStatement()));
        std::vector<jet::ColumnDefinition> columns;
        for (const auto& column : create.columns) columns.push_back(ToIsamColumn(column));
        isam.CreateTable(create.table.name, columns);
        std::string table;
        for (const auto& statement : statements) {
            auto values = ResolveRow(isam, statement, table);
            isam.InsertRow(table, values);
        }
        std::printf("%d INSERT statements of %d text values: %.3f s wall, %.3f s CPU\n", kRows, kColumns,
                    total.WallSeconds(), total.CpuSeconds());
        Stopwatch save;
        isam.Flush();
        std::printf("save at release: %.3f s wall, %.3f s CPU, %.1f MB\n", save.WallSeconds(), save.CpuSeconds(),
                    static_cast<double>(std::filesystem::file_size(path)) / 1e6);
        std::printf("total: %.3f s wall, %.3f s CPU (goal: under 1 s)\n", total.WallSeconds(), total.CpuSeconds());

        // The share of parsing and resolving alone, without appending.
        Stopwatch parse;
        for (const auto& statement : statements) ResolveRow(isam, statement, table);
        std::printf("of which parsing and resolving the statements: %.3f s CPU\n", parse.CpuSeconds());
    }
    std::filesystem::remove_all(folder);
    return 0;
}
