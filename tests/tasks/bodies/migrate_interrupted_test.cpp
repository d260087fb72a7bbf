// tabvex-cli migrate interrupted from outside: killed in the middle of a table, a
// full disk, a folder it may not write. The workbook must stay readable and hold
// what was saved before, and the task must say that it failed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tasks/bodies/migration_fixture.h"

namespace tabvex::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr uid_t kNobody = 65534;

// A save that failed leaves the table's rows unsaved: its line names the reason and
// the task row and summary count no row.
void ExpectNothingCountedAsSaved(const CommandResult& result) {
    const std::string lines = result.out + result.err;
    EXPECT_THAT(lines, Not(HasSubstr("convertion completed SUCCESSFULLY"))) << lines;
    EXPECT_THAT(lines, HasSubstr("[Customers] 0 of 3 rows copied whole: The workbook could not be saved"));
    EXPECT_THAT(lines, HasSubstr("0 rows copied in"));
    EXPECT_THAT(result.out, HasSubstr("Operation FAILURE!"));
}

class MigrateInterruptedTest : public MigrationFixture {
protected:
    // A table long enough that a kill lands while its rows are copied.
    static SourceTable LongTable(const std::string& name, int rows) {
        SourceTable table{name, {{"Key", mdb::JetType::Long, 0}, {"Text", mdb::JetType::Text, 40}}, {}};
        for (int r = 0; r < rows; ++r) table.rows.push_back({std::to_string(r), "row " + std::to_string(r)});
        return table;
    }

    // A workbook of its own, bigger than what the migration adds to it.
    fs::path WriteBigBook(const fs::path& path) {
        auto book = xls::Workbook::CreateNew({"Sales"});
        for (std::uint16_t r = 0; r < 5000; ++r) book.Sheet(0).SetCellText(r, 0, "region " + std::to_string(r));
        book.Save(path);
        return path;
    }

    static bool WaitForLine(const fs::path& out, const std::string& line) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (ReadFile(out).find(line) == std::string::npos) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
};

TEST_F(MigrateInterruptedTest, AKillMidTableLeavesTheWorkbookWithEveryTableFinishedBefore) {
    const fs::path shop = WriteDatabase(scratch / "shop.mdb", {Customers(), LongTable("Ledger", 60000)});
    const fs::path book = scratch / "shop.xls";
    const pid_t pid = StartCommand(MigrateCommandLine({shop.string(), book.string()}), scratch / "out", scratch / "err");
    const bool midTable = WaitForLine(scratch / "out", "[Ledger] 1000 records converted!");
    kill(pid, SIGKILL);
    WaitForExit(pid);
    ASSERT_TRUE(midTable) << ReadFile(scratch / "out") << ReadFile(scratch / "err");
    ASSERT_THAT(ReadFile(scratch / "out"), Not(HasSubstr("[Ledger] 60000 records converted")));

    const auto read = ReadWithXlrd(book);
    ASSERT_NE(FindSheet(read, "Customers"), nullptr);
    EXPECT_EQ(SheetRows(*FindSheet(read, "Customers")), kCustomers);
    EXPECT_EQ(FindSheet(read, "Ledger"), nullptr);
    // No temporary file of a save is left beside it.
    for (const auto& entry : fs::directory_iterator(scratch.path()))
        EXPECT_EQ(entry.path().filename().string().rfind(".shop.xls", 0), std::string::npos) << entry.path();
}

// Ctrl+C and SIGTERM are the Stop button: the table ends after its current row, the
// summary follows, the workbook is saved and formatted, and the exit status tells the
// signal.
TEST_F(MigrateInterruptedTest, ASignalStopsAsTheStopButtonDoes) {
    const fs::path shop = WriteDatabase(scratch / "shop.mdb", {Customers(), LongTable("Ledger", 60000)});
    for (const auto& [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        SCOPED_TRACE(status);
        const fs::path book = scratch / ("shop" + std::to_string(status) + ".xls");
        const fs::path out = scratch / ("out" + std::to_string(status));
        const pid_t pid = StartCommand(MigrateCommandLine({shop.string(), book.string()}), out, scratch / "err");
        const bool midTable = WaitForLine(out, "[Ledger] 1000 records converted!");
        kill(pid, signal);
        EXPECT_EQ(WaitForExit(pid), status);
        ASSERT_TRUE(midTable) << ReadFile(out) << ReadFile(scratch / "err");
        const std::string log = ReadFile(out), errors = ReadFile(scratch / "err");
        EXPECT_THAT(log, HasSubstr("Data Converting Terminaled!"));
        // Error lines go to stderr alone.
        EXPECT_THAT(errors, HasSubstr("rows copied, not the whole table: stopped before the last row"));
        EXPECT_THAT(errors, HasSubstr("Summary:"));
        EXPECT_THAT(log, HasSubstr("Operation FAILURE!"));

        const auto read = ReadWithXlrd(book);
        std::vector<std::string> sheets;
        for (const auto& sheet : read["sheets"]) sheets.push_back(sheet["name"].get<std::string>());
        EXPECT_THAT(sheets, ::testing::ElementsAre("Customers", "Ledger")) << "no leftover sheet";
        EXPECT_EQ(SheetRows(*FindSheet(read, "Customers")), kCustomers);
    }
}

TEST_F(MigrateInterruptedTest, AFullDiskEndsTheTaskWithAnErrorLineAndTheOldFileIntact) {
    const fs::path shop = WriteDatabase(scratch / "shop.mdb", {Customers()});
    const fs::path book = WriteBigBook(scratch / "book.xls");
    const std::string before = ReadFile(book);
    // The file-size limit stands in for the disk: the new workbook cannot be longer
    // than the old one, while the small cache files still fit.
    const auto limit = static_cast<rlim_t>(before.size());
    const auto result = RunCommand(MigrateCommandLine({shop.string(), book.string(), "--table", "Customers"}), [limit] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{limit, limit};
        setrlimit(RLIMIT_FSIZE, &fileSize);
    });
    EXPECT_EQ(result.exitCode, 1) << result.out << result.err;
    EXPECT_THAT(result.err, HasSubstr("The workbook could not be saved"));
    EXPECT_THAT(result.err, HasSubstr("File too large"));
    ExpectNothingCountedAsSaved(result);
    EXPECT_EQ(ReadFile(book), before);
}

// Root may write into any folder, so as root the command runs as nobody, for whom
// the folder is read-only as it is for everyone else.
TEST_F(MigrateInterruptedTest, AReadOnlyFolderEndsTheTaskWithAnErrorLineAndTheOldFileIntact) {
    const fs::path shop = WriteDatabase(scratch / "shop.mdb", {Customers()});
    const fs::path folder = scratch / "locked";
    fs::create_directories(folder);
    const fs::path book = WriteBook(folder / "book.xls");
    const std::string before = ReadFile(book);
    const fs::path cache = programFolder() / "data_cache";
    for (const fs::path& open : {scratch / "home", cache}) fs::create_directories(open);
    for (const fs::path& open : {scratch.path(), scratch / "home", programFolder(), cache})
        fs::permissions(open, fs::perms::all);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const std::string home = (scratch / "home").string();
    const auto result = RunCommand(MigrateCommandLine({shop.string(), book.string(), "--table", "Customers"}), [home] {
        for (const char* profile : {"HOME", "USERPROFILE"}) setenv(profile, home.c_str(), 1);
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(126);
    });
    fs::permissions(folder, fs::perms::owner_all);
    ASSERT_NE(result.exitCode, 126) << "could not become nobody";
    EXPECT_EQ(result.exitCode, 1) << result.out << result.err;
    // Connecting already tells that the folder takes nothing.
    EXPECT_THAT(result.out + result.err, HasSubstr("The folder " + folder.string() + " cannot be written (Permission denied)"));
    ExpectNothingCountedAsSaved(result);
    EXPECT_EQ(ReadFile(book), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "something was left beside the workbook";
}

}  // namespace
}  // namespace tabvex::test
