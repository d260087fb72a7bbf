// Migrating 65,000 rows x 12 text columns into a new workbook through the whole path
// (tabvex-cli migrate as a process), along the Jet route and the ODBC routes (the
// workbook through this project's driver, the database through mdbtools' driver),
// beside the same data through mdb-export and a spreadsheet converter when one is
// installed; then Northwind whole beside mdb-export of all its tables. Prints wall
// time, peak memory and the ratios.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/big_table.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRows = tabvex::bench::kBigTableRows;
constexpr int kColumns = tabvex::bench::kBigTableColumns;

struct Run {
    bool ok = false;
    double seconds = 0;
    long peakKilobytes = 0;
};

// Runs the command line through the shell with its output thrown away.
Run Time(const std::string& command) {
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", (command + " >/dev/null 2>&1").c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0,
            std::chrono::duration<double>(Clock::now() - start).count(), usage.ru_maxrss};
}

bool Installed(const char* tool) { return std::system((std::string("command -v ") + tool + " >/dev/null").c_str()) == 0; }

void Print(const char* what, const Run& run) {
    std::printf("%-34s %7.3f s  %7.1f MB peak%s\n", what, run.seconds, run.peakKilobytes / 1024.0,
                run.ok ? "" : "  (exit status not 0)");
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / ("tabvex-migration-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path source = folder / "big.mdb";
    // Written by a child, so that the parent's memory does not count in the peaks
    // of the processes it starts.
    if (const pid_t writer = fork(); writer == 0) {
        tabvex::bench::WriteBigTableDatabase(source);
        _exit(0);
    } else {
        waitpid(writer, nullptr, 0);
    }
    const std::string cli = std::string(TABVEX_CLI) + " migrate --program-dir " + Quoted(folder / "program");

    std::printf("%d rows x %d text columns\n", kRows, kColumns);
    const Run tabvex = Time(cli + " " + Quoted(source) + " " + Quoted(folder / "big.xls"));
    Print("tabvex-cli migrate", tabvex);
    const Run odbcTarget = Time(cli + " --target-provider 'Microsoft Excel Driver' " + Quoted(source) + " " +
                                Quoted(folder / "odbc-target.xls"));
    Print("  workbook through ODBC", odbcTarget);
    std::printf("  ratio to Jet %.2fx (goal at most 1.5x)\n", odbcTarget.seconds / tabvex.seconds);
    const Run odbcSource = Time(cli + " --source-provider 'Microsoft Access Driver' " + Quoted(source) + " " +
                                Quoted(folder / "odbc-source.xls"));
    Print("  database through mdbtools' ODBC", odbcSource);
    std::printf("  ratio to Jet %.2fx\n", odbcSource.seconds / tabvex.seconds);
    const std::string csv = Quoted(folder / "big.csv");
    if (Installed("ssconvert")) {
        const Run gnumeric = Time("mdb-export " + Quoted(source) + " Big > " + csv + " && ssconvert " + csv + " " +
                                  Quoted(folder / "gnumeric.xls"));
        Print("mdb-export | ssconvert", gnumeric);
        std::printf("  ratio %.1fx (goal 10x)\n", gnumeric.seconds / tabvex.seconds);
    } else {
        std::printf("ssconvert not installed: Gnumeric route not timed\n");
    }
    if (Installed("soffice")) {
        const Run office = Time("mdb-export " + Quoted(source) + " Big > " + csv +
                                " && soffice --headless --convert-to xls --outdir " + Quoted(folder / "office") + " " + csv);
        Print("mdb-export + soffice --convert-to", office);
        std::printf("  ratio %.1fx (goal 5x)\n", office.seconds / tabvex.seconds);
    } else {
        std::printf("soffice not installed: LibreOffice route not timed\n");
    }

    const fs::path northwind = fs::path(TABVEX_SOURCE_DIR) / "../shared/testdata/mdb/Northwind.mdb";
    if (fs::exists(northwind)) {
        Print("Northwind: tabvex-cli migrate", Time(cli + " " + Quoted(northwind) + " " + Quoted(folder / "nw.xls")));
        Print("Northwind: mdb-export every table",
              Time("for t in $(mdb-tables -1 " + Quoted(northwind) + " | tr ' ' '?'); do mdb-export " +
                   Quoted(northwind) + " \"$(echo $t | tr '?' ' ')\"; done"));
    }
    fs::remove_all(folder);
    return 0;
}
