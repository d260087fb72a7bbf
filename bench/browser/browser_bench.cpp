// How long filling a database tree takes: the target tree over a workbook with 200
// worksheets and 200 defined names, and the source tree over an Access database
// with 200 tables of 20 columns (the Access writer writes no indexes, so the
// INDEXES rowsets come back empty). Goal: under 0.2 s per fill. A workbook of
// 1,000 worksheets shows whether the fill grows linearly with the table count
// (goal: under 0.3 s).
// Usage: browser_bench [FOLDER] (a temporary folder by default).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "bench/support/jet_holder.h"
#include "bench/support/named_sheets_workbook.h"
#include "bench/support/silent_user_interface.h"
#include "browser/fill_tree.h"
#include "platform/jet/mdb/database_writer.h"
#include "shell/program.h"

namespace {

namespace fs = std::filesystem;
using namespace tabvex;
using namespace tabvex::oledb;
using Clock = std::chrono::steady_clock;

constexpr int kObjects = 200;
constexpr int kManySheets = 1000;
constexpr int kColumns = 20;
constexpr int kRows = 20;
constexpr int kRuns = 5;

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

std::string Numbered(const char* stem, int i) { return stem + std::to_string(i); }

void BuildDatabase(const fs::path& path) {
    mdb::DatabaseWriter writer(path);
    std::vector<mdb::ColumnSpec> columns;
    for (int column = 0; column < kColumns; ++column)
        columns.push_back({Numbered("Column", column), column % 2 ? mdb::JetType::Text : mdb::JetType::Long,
                           column % 2 ? 40 : 0});
    for (int i = 0; i < kObjects; ++i) writer.AddTable(Numbered("Table", i), columns);
    writer.Write();
}

// Opens the file into the tree's side and fills the tree kRuns times: the first
// fill (cold caches) and the best of the rest.
void Measure(const char* title, shell::Program& program, browser::DbTree& tree, connect::ConnectionHolder& holder,
             const fs::path& file, bool workbook) {
    holder.Release();
    auto start = Clock::now();
    holder = bench::OpenJetHolder(file, workbook);
    const double open = Milliseconds(Clock::now() - start);
    tree.SetConnection({&holder, "", "Microsoft.Jet.OLEDB.4.0", workbook ? 5 : 4, "", ""});
    double first = 0, best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        start = Clock::now();
        browser::FillTree(program.output(), program.sides().conditionFile(), tree);
        const double took = Milliseconds(Clock::now() - start);
        if (run == 0) first = took;
        else best = std::min(best, took);
    }
    const auto remembered = tree.remembered();
    const std::size_t shown =
        remembered.tablesFolder == browser::kNoNode ? 0 : tree.node(remembered.tablesFolder).children.size();
    std::printf("%-44s open %7.1f ms   first fill %7.1f ms   best fill %7.1f ms   %zu tables, %zu nodes\n", title,
                open, first, best, shown, tree.nodeCount());
}

}  // namespace

int main(int argc, char** argv) {
    const bool temporary = argc < 2;
    const fs::path folder = temporary ? fs::temp_directory_path() / ("browser_bench." + std::to_string(getpid()))
                                      : fs::path(argv[1]);
    fs::create_directories(folder);
    const fs::path book = folder / "book.xls", bigBook = folder / "many_sheets.xls", database = folder / "shop.mdb";

    auto start = Clock::now();
    bench::WriteNamedSheetsWorkbook(book, kObjects, kColumns, kRows);
    std::printf("workbook: %d worksheets of %dx%d cells, %d defined names, built in %.0f ms\n", kObjects, kRows + 1,
                kColumns, kObjects, Milliseconds(Clock::now() - start));
    start = Clock::now();
    BuildDatabase(database);
    std::printf("database: %d tables of %d columns (no indexes: the Access writer writes none), built in %.0f ms\n",
                kObjects, kColumns, Milliseconds(Clock::now() - start));

    start = Clock::now();
    bench::WriteNamedSheetsWorkbook(bigBook, kManySheets, kColumns, kRows);
    std::printf("workbook: %d worksheets of %dx%d cells, %d defined names, built in %.0f ms\n", kManySheets, kRows + 1,
                kColumns, kManySheets, Milliseconds(Clock::now() - start));

    bench::SilentUserInterface ui;
    shell::Program program(ui, folder);
    Measure("target tree (workbook)", program, program.sides().target().tree(), program.sides().target().holder(), book, true);
    Measure("target tree (workbook of 1,000 worksheets)", program, program.sides().target().tree(), program.sides().target().holder(),
            bigBook, true);
    Measure("source tree (database)", program, program.sides().source().tree(), program.sides().source().holder(), database, false);

    program.sides().target().holder().Release();
    program.sides().source().holder().Release();
    if (temporary) fs::remove_all(folder);
    return 0;
}
