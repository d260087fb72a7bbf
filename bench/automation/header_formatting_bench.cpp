// Formatting the header rows of a migrated workbook: open, format every sheet,
// save, for workbooks of growing size. Prints the time per run and the size.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "automation_test_support.h"
#include "support/test_support.h"

namespace {

using tabvex::automation::test::FormatHeaderRows;
using tabvex::automation::test::MakeWorkbook;
using tabvex::automation::test::SheetContent;

std::vector<SheetContent> Tables(int sheets, int rows) {
    std::vector<SheetContent> tables;
    for (int s = 0; s < sheets; ++s) {
        SheetContent table{"Table" + std::to_string(s + 1), {}};
        for (int r = 0; r < rows; ++r) {
            std::vector<std::string> row;
            for (int c = 0; c < 12; ++c) row.push_back((r == 0 ? "Column" : "value ") + std::to_string(r * 12 + c));
            table.rows.push_back(std::move(row));
        }
        tables.push_back(std::move(table));
    }
    return tables;
}

void FormatHeaders(benchmark::State& state) {
    tabvex::test::ScratchDir dir;
    const auto file = dir / "bench.xls";
    MakeWorkbook(file, Tables(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    for (auto _ : state) FormatHeaderRows(file);
    state.counters["file_kB"] = static_cast<double>(std::filesystem::file_size(file)) / 1024;
    state.counters["cells"] = static_cast<double>(state.range(0) * state.range(1) * 12);
}

BENCHMARK(FormatHeaders)->Args({1, 100})->Args({3, 2000})->Args({3, 20000})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
