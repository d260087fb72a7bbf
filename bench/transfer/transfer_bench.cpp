// Times the row transfer of one table: 65,000 rows of 12 text columns, written by
// the project's Access writer, copied by TransferTableRows into a new workbook
// (source command and rowset, one INSERT command per row, the trace file), then the
// save that releasing the target makes. Prints wall-clock and CPU figures and the
// peak memory; run it from an optimized build.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "adapters/excel/excel_create_table.h"
#include "adapters/excel/table_transfer.h"
#include "app/migrator.h"
#include "bench/support/silent_user_interface.h"
#include "platform/jet/jet_data_source.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/xls/workbook.h"
#include "tasks/statement_runners.h"

namespace {

namespace fs = std::filesystem;
using namespace tabvex;
using namespace tabvex::oledb;
using Clock = std::chrono::steady_clock;

constexpr int kRows = 65000;
constexpr int kColumns = 12;

struct Stopwatch {
    Clock::time_point wall = Clock::now();
    std::clock_t cpu = std::clock();
    double WallSeconds() const { return std::chrono::duration<double>(Clock::now() - wall).count(); }
    double CpuSeconds() const { return static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC; }
};

void BuildDatabase(const fs::path& path) {
    mdb::DatabaseWriter writer(path);
    std::vector<mdb::ColumnSpec> columns;
    for (int c = 0; c < kColumns; ++c) columns.push_back({"Column" + std::to_string(c + 1), mdb::JetType::Text, 40});
    writer.AddTable("Bench", columns);
    for (int row = 0; row < kRows; ++row) {
        std::vector<mdb::Value> values;
        for (int c = 0; c < kColumns; ++c) values.push_back("Row " + std::to_string(row) + " value " + std::to_string(c));
        writer.AddRow("Bench", values);
    }
    writer.Write();
}

connect::ConnectionHolder Open(const fs::path& file, const char* providerString) {
    auto dataSource = std::make_shared<jet::JetDataSource>();
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    AddProperty(init, DBPROP_INIT_DATASOURCE, file.string());
    AddProperty(init, DBPROP_INIT_PROVIDERSTRING, std::string(providerString));
    std::vector sets{init};
    connect::ConnectionHolder holder;
    std::shared_ptr<Session> session;
    if (Failed(dataSource->SetProperties(sets)) || Failed(dataSource->Initialize()) ||
        Failed(dataSource->CreateSession(session))) {
        std::fprintf(stderr, "cannot open %s\n", file.c_str());
        std::exit(1);
    }
    holder.dataSource = std::move(dataSource);
    holder.session = std::move(session);
    return holder;
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / ("tabvex-transfer-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    fs::current_path(folder);  // the trace file goes to the current folder
    BuildDatabase(folder / "bench.mdb");
    xls::Workbook::CreateNew({"Sheet1"}).Save(folder / "bench.xls");
    bench::SilentUserInterface ui;
    app::Migrator migrator(ui, folder);
    {
        connect::ConnectionHolder source = Open(folder / "bench.mdb", "");
        connect::ConnectionHolder target = Open(folder / "bench.xls", "Excel 8.0;HDR=Yes;");
        Stopwatch total;
        tasks::ExecuteStatement(migrator, target, adapters::BuildExcelCreateTable(migrator, source, "Bench"), true);
        const adapters::TransferResult result = adapters::TransferTableRows(migrator, source, target, "bench", "Bench");
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
