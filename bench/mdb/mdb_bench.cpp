// Builds a database with a table of 65,000 rows x 12 columns of mixed types, reads
// every row back as text, and times mdb-export of the same table to CSV in the same
// run. Prints the figures; `mdb_bench --generate OUT.mdb` only writes the database.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/jet/mdb/database.h"
#include "platform/jet/mdb/database_writer.h"

namespace {

namespace fs = std::filesystem;
using namespace tabvex::mdb;
using Clock = std::chrono::steady_clock;

constexpr int kRows = 65000;
constexpr const char* kTable = "Mixed";

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

std::vector<ColumnSpec> Columns() {
    return {{"Id", JetType::Long},       {"Name", JetType::Text, 50},   {"City", JetType::Text, 30},
            {"Quantity", JetType::Integer}, {"Grade", JetType::Byte},    {"Price", JetType::Currency},
            {"Ratio", JetType::Single},  {"Measure", JetType::Double},  {"Ordered", JetType::DateTime},
            {"Shipped", JetType::Boolean}, {"Notes", JetType::Memo},    {"Code", JetType::Long}};
}

std::vector<Value> Row(int i) {
    static const char* kCities[] = {"Berlin", "Zürich", "London", "São Paulo", "Kraków", "Oslo"};
    Value notes = i % 5 == 0 ? Value() : Value("Order note " + std::to_string(i) + (i % 7 == 0 ? std::string(100, '.') : ""));
    char date[32];
    std::snprintf(date, sizeof date, "20%02d-%02d-%02d %02d:%02d:00", i % 25, 1 + i % 12, 1 + i % 28, i % 24, i % 60);
    return {std::to_string(i),
            "Customer " + std::to_string(i * 7919 % 100000),
            std::string(kCities[i % 6]),
            std::to_string(i % 30000 - 15000),
            std::to_string(i % 256),
            std::to_string(i % 100000) + "." + std::to_string(i % 10000),
            std::to_string((i % 1000) / 8.0),
            std::to_string(i * 3.14159),
            std::string(date),
            i % 2 ? "True" : "False",
            notes,
            i % 11 == 0 ? Value() : Value(std::to_string(i * 31))};
}

void Generate(const fs::path& file) {
    DatabaseWriter writer(file);
    writer.AddTable(kTable, Columns());
    for (int i = 0; i < kRows; ++i) writer.AddRow(kTable, Row(i));
    writer.Write();
}

// Runs mdb-export of the table with its output thrown away; returns the seconds taken.
double TimeMdbExport(const fs::path& file) {
    auto start = Clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        execlp("mdb-export", "mdb-export", file.c_str(), kTable, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::cerr << "mdb-export failed\n";
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--generate") {
        Generate(argv[2]);
        return 0;
    }
    fs::path file = fs::temp_directory_path() / ("tabvex-mdb-bench-" + std::to_string(getpid()) + ".mdb");

    auto start = Clock::now();
    Generate(file);
    double build = Seconds(start);

    Database db = Database::Open(file);
    long rssBefore = ResidentKilobytes(), rssAt10k = 0;
    start = Clock::now();
    RowCursor cursor = db.OpenCursor(kTable);
    long rows = 0;
    size_t characters = 0;
    while (cursor.Next()) {
        for (const auto& v : cursor.values()) characters += v ? v->size() : 0;
        if (++rows == 10000) rssAt10k = ResidentKilobytes();
    }
    double read = Seconds(start);
    long rssAfter = ResidentKilobytes();
    double exportTime = TimeMdbExport(file);

    std::printf("database: %d rows x %zu columns, %.1f MB\n", kRows, Columns().size(),
                static_cast<double>(fs::file_size(file)) / 1e6);
    std::printf("build:          %.3f s\n", build);
    std::printf("read all rows:  %.3f s (%ld rows, %zu characters of text)\n", read, rows, characters);
    std::printf("mdb-export CSV: %.3f s\n", exportTime);
    std::printf("read / export:  %.2f\n", read / exportTime);
    std::printf("resident memory while reading: %ld kB at open, %ld kB after 10,000 rows, %ld kB after %ld rows\n",
                rssBefore, rssAt10k, rssAfter, rows);
    fs::remove(file);
    return rows == kRows ? 0 : 1;
}
