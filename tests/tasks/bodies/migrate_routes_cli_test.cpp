// The same migration along the four routes (the Jet provider or ODBC on each side)
// gives the same workbook: the same sheets with the same cells as xlrd reads them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "tasks/bodies/migration_fixture.h"

namespace tabvex::test {
namespace {

using ::testing::HasSubstr;

struct Route {
    const char* name;
    std::vector<std::string> options;
};

const std::vector<Route> kRoutes = {
    {"Jet to Jet", {}},
    {"ODBC Access to Jet", {"--source-provider", "Microsoft Access Driver"}},
    {"Jet to ODBC Excel", {"--target-provider", "Microsoft Excel Driver"}},
    {"ODBC to ODBC", {"--source-provider", "Driver do Microsoft Access", "--target-provider", "Driver do Microsoft Excel"}},
};

class MigrateRoutesCliTest : public MigrationFixture {
protected:
    // Migrates `source` into a new workbook along each route; the workbooks as xlrd
    // reads them, in route order, after checking that every route exits alike.
    std::vector<nlohmann::json> MigrateAlongEveryRoute(const fs::path& source) {
        std::vector<nlohmann::json> workbooks;
        int firstExit = -1;
        for (std::size_t i = 0; i < kRoutes.size(); ++i) {
            SCOPED_TRACE(kRoutes[i].name);
            const fs::path book = scratch / ("route" + std::to_string(i) + ".xls");
            std::vector<std::string> arguments = kRoutes[i].options;
            arguments.insert(arguments.end(), {source.string(), book.string()});
            const auto result = RunCommand(MigrateCommandLine(arguments));
            EXPECT_NE(result.exitCode, 2) << result.err;
            if (firstExit < 0) firstExit = result.exitCode;
            EXPECT_EQ(result.exitCode, firstExit) << result.out << result.err;
            workbooks.push_back(fs::exists(book) ? ReadWithXlrd(book) : nlohmann::json());
        }
        return workbooks;
    }

    // A driver list and data sources of the test's own, for a child's ODBCSYSINI.
    ChildSetup OdbcFiles(const std::string& drivers, const std::string& sources) {
        const fs::path folder = scratch / "odbc";
        fs::create_directories(folder);
        WriteFile(folder / "odbcinst.ini", drivers);
        WriteFile(folder / "odbc.ini", sources);
        return [text = folder.string()] { setenv("ODBCSYSINI", text.c_str(), 1); };
    }

    static std::string ProgramDrivers() { return ReadFile(fs::path(std::getenv("ODBCSYSINI")) / "odbcinst.ini"); }

    static void ExpectSameSheets(const std::vector<nlohmann::json>& workbooks) {
        ASSERT_FALSE(workbooks.empty());
        const auto& expected = workbooks.front()["sheets"];
        for (std::size_t i = 1; i < workbooks.size(); ++i) {
            SCOPED_TRACE(kRoutes[i].name);
            const auto& sheets = workbooks[i]["sheets"];
            ASSERT_EQ(sheets.size(), expected.size());
            for (std::size_t s = 0; s < sheets.size(); ++s) {
                EXPECT_EQ(sheets[s]["name"], expected[s]["name"]);
                EXPECT_EQ(SheetRows(sheets[s]), SheetRows(expected[s])) << expected[s]["name"];
            }
        }
    }
};

TEST_F(MigrateRoutesCliTest, ADatabaseArrivesTheSameAlongEveryRoute) {
    const fs::path shop = WriteDatabase(scratch / "shop.mdb", {Customers(), Orders()});
    const auto workbooks = MigrateAlongEveryRoute(shop);
    ExpectSameSheets(workbooks);
    EXPECT_EQ(SheetRows(*FindSheet(workbooks.back(), "Customers")), kCustomers);
}

TEST_F(MigrateRoutesCliTest, NorthwindArrivesTheSameAlongEveryRoute) {
    const fs::path corpus = CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    const auto workbooks = MigrateAlongEveryRoute(corpus / "mdb" / "Northwind.mdb");
    ASSERT_NE(FindSheet(workbooks.front(), "Customers"), nullptr);
    ExpectSameSheets(workbooks);
}

// Every file below a folder with its content, by its path inside the folder.
std::map<std::string, std::string> FolderFiles(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = ReadFile(entry.path());
    }
    return files;
}

// The scripts of a workbook's backup are the same whether the workbook is read
// through the Jet provider or through the workbook driver.
TEST_F(MigrateRoutesCliTest, ABackupWritesTheSameScriptsThroughEitherRoute) {
    const fs::path shop = WriteDatabase(scratch / "shop.mdb", {Customers(), Orders()});
    const fs::path book = scratch / "book.xls";
    ASSERT_EQ(RunCommand(MigrateCommandLine({shop.string(), book.string()})).exitCode, 0);
    const std::string cli = CliPath().string();
    const std::string program = programFolder().string();
    const auto jet = RunCommand({cli, "backup", "--program-dir", program, book.string(), (scratch / "jet").string()});
    ASSERT_EQ(jet.exitCode, 0) << jet.out << jet.err;
    const auto odbc = RunCommand({cli, "backup", "--program-dir", program, "--target-provider",
                                  "Microsoft Excel Driver", book.string(), (scratch / "odbc").string()});
    ASSERT_EQ(odbc.exitCode, 0) << odbc.out << odbc.err;
    const auto files = FolderFiles(scratch / "jet");
    EXPECT_TRUE(files.contains("book/DATA/Customers.data"));
    EXPECT_EQ(FolderFiles(scratch / "odbc"), files);
}

// Data sources of the program's odbc.ini name the driver and the file (mdbtools'
// driver reads its file from "Database", the workbook driver from "DBQ").
TEST_F(MigrateRoutesCliTest, DataSourcesOfTheProgramsOdbcIniAreConnectedByName) {
    const fs::path shop = WriteDatabase(scratch / "shop.mdb", {Customers(), Orders()});
    const fs::path book = WriteBook(scratch / "book.xls");
    const auto odbc = OdbcFiles(ProgramDrivers(),
                                "[ODBC Data Sources]\nShop=Microsoft Access Driver (*.mdb)\n"
                                "Book=Microsoft Excel Driver (*.xls)\n"
                                "[Shop]\nDriver=Microsoft Access Driver (*.mdb)\nDatabase=" + shop.string() + "\n"
                                "[Book]\nDriver=Microsoft Excel Driver (*.xls)\nDBQ=" + book.string() + "\n");
    const auto result = RunCommand(
        MigrateCommandLine({"--source-dsn", "Shop", "--target-dsn", "Book", shop.string(), book.string()}), odbc);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(SheetRows(*FindSheet(ReadWithXlrd(book), "Customers")), kCustomers);
}

TEST_F(MigrateRoutesCliTest, UnknownDataSourcesProvidersAndLostDriversAreClearErrors) {
    const fs::path shop = WriteDatabase(scratch / "shop.mdb", {Orders()});
    const auto missing = RunCommand(MigrateCommandLine({"--source-dsn", "Nowhere", shop.string(),
                                                        (scratch / "new.xls").string()}));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.out, HasSubstr("Source Connection error!"));
    EXPECT_THAT(missing.err, HasSubstr("DSN=Nowhere;")) << "the driver's reason names the data source";

    const auto unknown = RunCommand(MigrateCommandLine({"--target-provider", "Lotus Driver", shop.string(),
                                                        (scratch / "new.xls").string()}));
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_THAT(unknown.err, HasSubstr("'Lotus Driver' is not in the Excel provider list"));

    std::string drivers = ProgramDrivers();
    const std::string library = "libtabvexodbcxls.so";
    for (auto at = drivers.find(library); at != std::string::npos; at = drivers.find(library, at + 1))
        drivers.replace(at, library.size(), "libgone.so");
    const auto lost = RunCommand(MigrateCommandLine({"--target-provider", "Microsoft Excel Driver", shop.string(),
                                                     WriteBook(scratch / "book.xls").string()}),
                                 OdbcFiles(drivers, ""));
    EXPECT_EQ(lost.exitCode, 1);
    EXPECT_THAT(lost.out, HasSubstr("Target Connection error!"));
    EXPECT_THAT(lost.err, HasSubstr("libgone.so"));
}

}  // namespace
}  // namespace tabvex::test
