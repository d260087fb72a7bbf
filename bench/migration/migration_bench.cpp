// Migrating 65,000 rows x 12 text columns into a new workbook through the whole path
// (tabvex-cli migrate as a process), along the Jet route and the ODBC routes (the
// workbook through this project's driver, the database through mdbtools' driver),
// beside the same table written as CSV by mdb-export and through a spreadsheet
// converter when one is installed; Northwind whole beside mdb-export of all its
// tables; the target tree of a workbook of 1,000 worksheets (tabvex-cli tree); a
// source table of 1,000,000 rows, of which a worksheet takes 65,535. Each command
// runs once to warm the caches, then three times; the run of median wall time is
// printed: wall time, CPU time (user + system: the figure to trust on a busy
// machine), peak memory, and the ratios, each with its goal.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/support/big_table.h"
#include "bench/support/named_sheets_workbook.h"
#include "platform/jet/mdb/database_writer.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRows = tabvex::bench::kBigTableRows;
constexpr int kColumns = tabvex::bench::kBigTableColumns;

constexpr int kManySheets = 1000;
constexpr int kMillionRows = 1000000;

struct Run {
    bool ok = false;
    double seconds = 0;
    double cpuSeconds = 0;
    long peakKilobytes = 0;
};

double Seconds(const timeval& time) { return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6; }

constexpr int kTimedRuns = 3;

// Runs the command line through the shell with its output thrown away.
Run TimeOnce(const std::string& command) {
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", (command + " >/dev/null 2>&1").c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, std::chrono::duration<double>(Clock::now() - start).count(),
            Seconds(usage.ru_utime) + Seconds(usage.ru_stime), usage.ru_maxrss};
}

// A warming run, then the run of median wall time of kTimedRuns. `removeOutput` runs
// before each, untimed, so that every run writes its files anew.
Run Time(const std::string& command, const std::function<void()>& removeOutput = [] {}) {
    removeOutput();
    TimeOnce(command);
    std::vector<Run> runs;
    for (int i = 0; i < kTimedRuns; ++i) {
        removeOutput();
        runs.push_back(TimeOnce(command));
    }
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.seconds < b.seconds; });
    return runs[runs.size() / 2];
}

// Removes the given files and folders.
std::function<void()> Removing(std::vector<fs::path> paths) {
    return [paths] {
        for (const auto& path : paths) fs::remove_all(path);
    };
}

bool Installed(const char* tool) { return std::system((std::string("command -v ") + tool + " >/dev/null").c_str()) == 0; }

void Print(const char* what, const Run& run) {
    std::printf("%-36s %7.3f s  %7.3f s CPU  %7.1f MB peak%s\n", what, run.seconds, run.cpuSeconds,
                run.peakKilobytes / 1024.0, run.ok ? "" : "  (exit status not 0)");
}

void PrintRatio(const char* what, const Run& run, const Run& base, const char* goal) {
    std::printf("  %s %.2fx wall, %.2fx CPU (%s)\n", what, run.seconds / base.seconds, run.cpuSeconds / base.cpuSeconds,
                goal);
}

// Runs `write` in a child, so that the parent's memory does not count in the peaks of
// the processes it starts later.
template <typename Write>
void WriteInChild(Write write) {
    if (const pid_t writer = fork(); writer == 0) {
        write();
        _exit(0);
    } else {
        waitpid(writer, nullptr, 0);
    }
}

// One table of 1,000,000 rows of two short columns.
void WriteMillionRowDatabase(const fs::path& file) {
    tabvex::mdb::DatabaseWriter writer(file);
    writer.AddTable("Million", {{"Id", tabvex::mdb::JetType::Long, 0}, {"Name", tabvex::mdb::JetType::Text, 20}});
    for (int r = 0; r < kMillionRows; ++r) writer.AddRow("Million", {std::to_string(r), "row " + std::to_string(r)});
    writer.Write();
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / ("tabvex-migration-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path source = folder / "big.mdb";
    WriteInChild([&] { tabvex::bench::WriteBigTableDatabase(source); });
    const fs::path program = folder / "program";
    const std::string cli = std::string(TABVEX_CLI) + " migrate --program-dir " + Quoted(program);

    std::printf("%d rows x %d text columns\n", kRows, kColumns);
    const Run tabvex =
        Time(cli + " " + Quoted(source) + " " + Quoted(folder / "big.xls"), Removing({folder / "big.xls", program}));
    Print("tabvex-cli migrate", tabvex);
    std::printf("  goal: under 0.5 s and 150 MB\n");
    const std::string csv = Quoted(folder / "big.csv");
    const Run csvExport = Time("mdb-export " + Quoted(source) + " Big > " + csv);
    Print("mdb-export as CSV", csvExport);
    PrintRatio("tabvex-cli migrate to mdb-export:", tabvex, csvExport, "goal at most 1.5x");
    const Run odbcTarget = Time(cli + " --target-provider 'Microsoft Excel Driver' " + Quoted(source) + " " +
                                    Quoted(folder / "odbc-target.xls"),
                                Removing({folder / "odbc-target.xls", program}));
    Print("  workbook through ODBC", odbcTarget);
    PrintRatio("ratio to Jet", odbcTarget, tabvex, "goal at most 1.2x and under 100 MB");
    const Run odbcSource = Time(cli + " --source-provider 'Microsoft Access Driver' " + Quoted(source) + " " +
                                    Quoted(folder / "odbc-source.xls"),
                                Removing({folder / "odbc-source.xls", program}));
    Print("  database through mdbtools' ODBC", odbcSource);
    PrintRatio("ratio to Jet", odbcSource, tabvex, "no goal");
    if (Installed("ssconvert")) {
        const Run gnumeric = Time("mdb-export " + Quoted(source) + " Big > " + csv + " && ssconvert " + csv + " " +
                                  Quoted(folder / "gnumeric.xls"),
                                  Removing({folder / "gnumeric.xls"}));
        Print("mdb-export | ssconvert", gnumeric);
        PrintRatio("ratio to tabvex-cli migrate", gnumeric, tabvex, "goal about 14x");
    } else {
        std::printf("ssconvert not installed: Gnumeric route not timed\n");
    }
    if (Installed("soffice")) {
        const Run office = Time("mdb-export " + Quoted(source) + " Big > " + csv +
                                " && soffice --headless --convert-to xls --outdir " + Quoted(folder / "office") + " " + csv,
                                Removing({folder / "office"}));
        Print("mdb-export + soffice --convert-to", office);
        PrintRatio("ratio to tabvex-cli migrate", office, tabvex, "goal about 19x");
    } else {
        std::printf("soffice not installed: LibreOffice route not timed\n");
    }

    const fs::path northwind = fs::path(TABVEX_SOURCE_DIR) / "../shared/testdata/mdb/Northwind.mdb";
    if (fs::exists(northwind)) {
        const Run whole =
            Time(cli + " " + Quoted(northwind) + " " + Quoted(folder / "nw.xls"), Removing({folder / "nw.xls", program}));
        Print("Northwind: tabvex-cli migrate", whole);
        const Run exported = Time("for t in $(mdb-tables -1 " + Quoted(northwind) + " | tr ' ' '?'); do mdb-export " +
                                  Quoted(northwind) + " \"$(echo $t | tr '?' ' ')\"; done");
        Print("Northwind: mdb-export every table", exported);
        PrintRatio("ratio", whole, exported, "goal at most 2x");
    }

    const fs::path sheets = folder / "sheets.xls";
    WriteInChild([&] { tabvex::bench::WriteNamedSheetsWorkbook(sheets, kManySheets, 20, 20); });
    Print("1,000 worksheets: tabvex-cli tree", Time(std::string(TABVEX_CLI) + " tree --program-dir " +
                                                     Quoted(program) + " " + Quoted(sheets)));
    std::printf("  goal: the fill under 0.3 s (the whole process is more: connecting, printing)\n");

    const fs::path million = folder / "million.mdb";
    WriteInChild([&] { WriteMillionRowDatabase(million); });
    const Run past =
        Time(cli + " " + Quoted(million) + " " + Quoted(folder / "million.xls"), Removing({folder / "million.xls", program}));
    Print("1,000,000 rows (65,535 fit)", past);
    std::printf("  goal: memory bounded by the row (compare the 65,000-row peak), the rest counted quickly;\n"
                "  the task fails, since not every row fits\n");
    fs::remove_all(folder);
    return 0;
}
