// Times what a migration does to one workbook: a CREATE TABLE of 12 text columns, then
// 65,000 single-row INSERT statements of 12 text values, each run as its own command
// with the rowset properties the statement runner sets, and finally the save that
// releasing the session makes. Prints wall-clock and CPU figures (the CPU time is what
// counts on a busy machine); run it from an optimized build.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/stopwatch.h"
#include "platform/jet/excel/excel_isam.h"
#include "platform/jet/jet_command.h"
#include "platform/oledb/property.h"

namespace {

using namespace tabvex;
using bench::Stopwatch;

constexpr int kRows = 65000;
constexpr int kColumns = 12;

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

// One statement as the statement runner executes it: a fresh command with
// DBPROP_IRowset and DBPROP_UPDATABILITY set.
void Execute(const std::shared_ptr<jet::Isam>& isam, const std::string& text) {
    jet::JetCommand command(isam);
    std::vector<oledb::DBPROPSET> sets(1);
    sets[0].setId = oledb::DBPROPSET_ROWSET;
    oledb::AddProperty(sets[0], oledb::DBPROP_IRowset, oledb::PropertyValue{true});
    oledb::AddProperty(sets[0], oledb::DBPROP_UPDATABILITY, oledb::PropertyValue{std::int32_t{7}});
    command.SetProperties(sets);
    command.SetCommandText(oledb::DBGUID_DBSQL, text);
    std::shared_ptr<oledb::Rowset> rowset;
    if (oledb::Failed(command.Execute(rowset))) {
        std::fprintf(stderr, "statement failed: %s", text.c_str());
        std::exit(1);
    }
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
        std::shared_ptr<jet::Isam> isam = jet::excel::OpenExcelIsam(path);
        Execute(isam, CreateStatement());
        for (const auto& statement : statements) Execute(isam, statement);
        std::printf("%d INSERT commands of %d text values: %.3f s wall, %.3f s CPU\n", kRows, kColumns,
                    total.WallSeconds(), total.CpuSeconds());
        Stopwatch save;
        isam->Flush();  // what releasing the session does
        std::printf("save at release: %.3f s wall, %.3f s CPU, %.1f MB\n", save.WallSeconds(), save.CpuSeconds(),
                    static_cast<double>(std::filesystem::file_size(path)) / 1e6);
    }
    std::printf("total: %.3f s wall, %.3f s CPU (goal: under 1 s)\n", total.WallSeconds(), total.CpuSeconds());
    std::filesystem::remove_all(folder);
    return 0;
}
