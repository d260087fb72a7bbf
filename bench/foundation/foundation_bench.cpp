// How fast Log lines are written once the Log is full, and how long reading and
// writing migrator.cfg take.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "app/output_lines.h"
#include "bench/support/silent_user_interface.h"
#include "connecting/config_file.h"
#include "shell/program.h"

namespace {

namespace fs = std::filesystem;
using namespace tabvex;

using bench::SilentUserInterface;

void WriteOutputLineIntoAFullLog(benchmark::State& state) {
    SilentUserInterface ui;
    shell::Program program(ui, "/nonexistent");
    for (int i = 0; i < 1001; ++i) app::WriteOutputLine(program.output(), "warm-up %d", i);
    int row = 0;
    for (auto _ : state) app::WriteOutputLine(program.output(), "E::TABLE: [%s].[%s] row %d failed", "shop", "orders", ++row);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(WriteOutputLineIntoAFullLog);

class ConfigFolder {
public:
    ConfigFolder() : path_(fs::temp_directory_path() / ("tabvex-bench-" + std::to_string(getpid()))) {
        fs::create_directories(path_);
    }
    ~ConfigFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

connect::ConfigDialogRecord TypicalRecord() {
    connect::ConfigDialogRecord record;
    record.source = {"Microsoft Jet 4.0 OLE DB Provider", "/data/shop.mdb", "Admin", "secret", "shop"};
    record.target = {"Microsoft Jet 4.0 OLE DB Provider", "/data/shop.xls", "", "", "shop"};
    record.options.configFile = true;
    return record;
}

void ConnectWritesMigratorCfg(benchmark::State& state) {
    ConfigFolder folder;
    SilentUserInterface ui;
    shell::Program program(ui, folder.path());
    for (auto _ : state) {
        auto record = TypicalRecord();
        connect::WriteConfigOnConnect(record, program.output(), program.options(), program.sides());
    }
}
BENCHMARK(ConnectWritesMigratorCfg);

void DialogReadsMigratorCfg(benchmark::State& state) {
    ConfigFolder folder;
    SilentUserInterface ui;
    shell::Program program(ui, folder.path());
    auto typed = TypicalRecord();
    connect::WriteConfigOnConnect(typed, program.output(), program.options(), program.sides());
    for (auto _ : state) {
        connect::ConfigDialogRecord record;
        connect::ReadConfigOptions(record, program.output(), program.options(), program.programDirectory());
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(DialogReadsMigratorCfg);

}  // namespace
