// Figures of the Jet provider: "select count(*) from t where …" over a 65,000-row
// Access table, against mdb-export of the same table (the goal: at most 2x).
// Usage: provider_bench [FOLDER] (a temporary folder by default).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/jet/jet_data_source.h"
#include "platform/jet/mdb/database_writer.h"

namespace {

using namespace tabvex;
using namespace tabvex::oledb;
using Clock = std::chrono::steady_clock;

constexpr int kRows = 65000;

void BuildTable(const std::filesystem::path& path) {
    using mdb::JetType;
    mdb::DatabaseWriter writer(path);
    writer.AddTable("t", {{"Id", JetType::Long, 0},        {"Name", JetType::Text, 40},
                          {"City", JetType::Text, 20},     {"Country", JetType::Text, 20},
                          {"Qty", JetType::Integer, 0},    {"Price", JetType::Currency, 0},
                          {"Discount", JetType::Double, 0}, {"Ordered", JetType::DateTime, 0},
                          {"Shipped", JetType::Boolean, 0}, {"Note", JetType::Text, 100},
                          {"Code", JetType::Text, 10},     {"Weight", JetType::Single, 0}});
    static const char* kCountries[] = {"UK", "Germany", "France", "Brazil", "USA"};
    for (int i = 0; i < kRows; ++i) {
        char date[32];
        std::snprintf(date, sizeof date, "199%d-%02d-%02d 10:30:00", 5 + i % 5, 1 + i % 12, 1 + i % 28);
        writer.AddRow("t", {std::to_string(i), "Customer number " + std::to_string(i), "City " + std::to_string(i % 97),
                            std::string(kCountries[i % 5]), std::to_string(i % 1000), std::to_string(i % 500) + ".25",
                            std::to_string((i % 30) / 100.0), std::string(date), i % 2 ? "True" : "False",
                            i % 7 ? mdb::Value("a note about order " + std::to_string(i)) : std::nullopt,
                            "C" + std::to_string(i % 10000), std::to_string(i % 50) + ".5"});
    }
    writer.Write();
}

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double TimeMdbExport(const std::filesystem::path& path) {
    std::string command = "mdb-export '" + path.string() + "' t > /dev/null";
    auto start = Clock::now();
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "mdb-export failed\n");
    return Seconds(start);
}

double TimeCount(const std::filesystem::path& path, const std::string& condition, std::string& count) {
    auto start = Clock::now();
    jet::JetDataSource dataSource;
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    AddProperty(init, DBPROP_INIT_DATASOURCE, path.string());
    std::vector sets{init};
    dataSource.SetProperties(sets);
    std::shared_ptr<Session> session;
    std::shared_ptr<Command> command;
    std::shared_ptr<Rowset> rowset;
    if (Failed(dataSource.Initialize()) || Failed(dataSource.CreateSession(session)) ||
        Failed(session->CreateCommand(command)) ||
        Failed(command->SetCommandText(DBGUID_DBSQL, "select count(*) from t where " + condition)) ||
        Failed(command->Execute(rowset))) {
        std::fprintf(stderr, "the count failed\n");
        return 0;
    }
    DBBINDING binding;
    binding.ordinal = 1;
    binding.lengthOffset = 8192;
    binding.statusOffset = 8196;
    binding.maxLength = 8192;
    HACCESSOR accessor = 0;
    HROW row = 0;
    std::vector<char> slot(8200);
    rowset->CreateAccessor(DBACCESSOR_ROWDATA, std::vector{binding}, accessor);
    rowset->GetNextRows(row);
    rowset->GetData(row, accessor, slot.data());
    count = slot.data();
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    auto folder = argc > 1 ? std::filesystem::path(argv[1])
                           : std::filesystem::temp_directory_path() / "tabvex-provider-bench";
    std::filesystem::create_directories(folder);
    auto path = folder / "bench.mdb";
    auto start = Clock::now();
    BuildTable(path);
    std::printf("built %d rows x 12 columns in %.3f s (%s)\n", kRows, Seconds(start), path.c_str());

    double export_ = 1e9;
    for (int i = 0; i < 3; ++i) export_ = std::min(export_, TimeMdbExport(path));
    std::printf("mdb-export of t:                         %.3f s (best of 3)\n", export_);
    for (const char* condition : {"Country = 'UK' AND (City = 'City 3' OR City = 'City 5')",
                                  "Ordered >= #1997-01-01# AND Discount > 0.1", "Len(Name) > 20 OR Note IS NULL"}) {
        double best = 1e9;
        std::string count;
        for (int i = 0; i < 3; ++i) best = std::min(best, TimeCount(path, condition, count));
        std::printf("count where %-52s = %6s: %.3f s, %.2fx mdb-export\n", condition, count.c_str(), best,
                    best / export_);
    }
    std::filesystem::remove(path);
    return 0;
}
