// Times the row transfer of one table: 65,000 rows of 12 text columns, written by
// the project's Access writer, copied by TransferTableRows into a new workbook
// (source command and rowset, one INSERT command per row, the trace file), then the
// save that releasing the target makes. Prints wall-clock and CPU figures and the
// peak memory; run it from an optimized build.
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "adapters/excel/excel_create_table.h"
#include "adapters/excel/table_transfer.h"
#include "bench/support/big_table.h"
#include "bench/support/jet_holder.h"
#include "bench/support/silent_user_interface.h"
#include "bench/support/stopwatch.h"
#include "platform/xls/workbook.h"
#include "connect/statement_runners.h"
#include "shell/program.h"

namespace {

namespace fs = std::filesystem;
using namespace tabvex;
using namespace tabvex::oledb;
using bench::Stopwatch;

constexpr int kColumns = bench::kBigTableColumns;

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / ("tabvex-transfer-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    bench::WriteBigTableDatabase(folder / "bench.mdb");
    xls::Workbook::CreateNew({"Sheet1"}).Save(folder / "bench.xls");
    bench::SilentUserInterface ui;
    shell::Program program(ui, folder);
    {
        connect::ConnectionHolder source = bench::OpenJetHolder(folder / "bench.mdb", false);
        connect::ConnectionHolder target = bench::OpenJetHolder(folder / "bench.xls", true);
        if (!source.HasSession() || !target.HasSession()) return 1;
        Stopwatch total;
        connect::ExecuteStatement(program.output(), target, adapters::BuildExcelCreateTable(program.output(), source, bench::kBigTable, bench::kBigTable), true);
        const adapters::TransferResult result = adapters::TransferTableRows(program.output(), program.gate(), program.sides(), "bench", bench::kBigTable, bench::kBigTable,
                                        folder / "trace.data");
        std::printf("TransferTableRows, %lld rows x %d text columns: %.3f s wall, %.3f s CPU\n",
                    static_cast<long long>(result.rowsCopied), kColumns, total.WallSeconds(), total.CpuSeconds());
        if (result.failed()) std::printf("transfer FAILED: %s %s\n", result.text.c_str(), result.firstError.c_str());
        Stopwatch save;
        target.Release();  // saves the workbook
        std::printf("save at release: %.3f s wall, %.3f s CPU\n", save.WallSeconds(), save.CpuSeconds());
        std::printf("total: %.3f s wall, %.3f s CPU, peak %.0f MB (goal: under 0.7 s)\n", total.WallSeconds(),
                    total.CpuSeconds(), PeakMegabytes());
    }
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
    return 0;
}
