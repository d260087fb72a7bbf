// Where tabvex-cli keeps its files: beside a program that runs from a writable folder
// of its own, in the XDG folders for an installed one, and no trace with --no-trace.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/cli_run.h"

namespace tabvex::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr const char* kShopSpec = R"({"tables": [{"name": "Orders", "columns": [
    {"name": "Id", "type": "Long Integer"}], "rows": [[1], [2], [3]]}]})";

std::vector<fs::path> FilesBelow(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error))
        if (entry.is_regular_file()) files.push_back(entry.path());
    return files;
}

class ProgramFoldersTest : public ::testing::Test {
protected:
    // Copies the built program, with its class registry and driver list in `filesFolder`.
    fs::path CopyProgram(const fs::path& programFolder, const fs::path& filesFolder) {
        fs::create_directories(programFolder);
        fs::create_directories(filesFolder);
        fs::copy_file(CliPath(), programFolder / "tabvex-cli");
        for (const char* file : {"tabvex-classes.cfg", "odbcinst.ini"})
            fs::copy_file(CliPath().parent_path() / file, filesFolder / file);
        return programFolder / "tabvex-cli";
    }

    // Runs `program` with a home and XDG folders of the test's own.
    CommandResult Run(const fs::path& program, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), program.string());
        const std::string home = (scratch / "home").string(), xdg = (scratch / "xdg").string();
        return RunCommand(arguments, [home, xdg] {
            setenv("HOME", home.c_str(), 1);
            setenv("XDG_CONFIG_HOME", (xdg + "/config").c_str(), 1);
            setenv("XDG_CACHE_HOME", (xdg + "/cache").c_str(), 1);
            setenv("XDG_DATA_HOME", (xdg + "/data").c_str(), 1);
        });
    }

    ScratchDir scratch;
    fs::path shop = BuildDatabase(scratch, "shop.mdb", kShopSpec);
};

// An installed layout (bin/ without the registry, lib/tabvex/ with it) counts as not
// writable even for root, for whom a read-only mode changes nothing; the mode is set
// too, so that it holds for anyone else as well.
TEST_F(ProgramFoldersTest, AnInstalledProgramKeepsItsFilesInTheXdgFoldersAndNoneBesideItself) {
    const fs::path bin = scratch / "usr" / "bin";
    const fs::path program = CopyProgram(bin, scratch / "usr" / "lib" / "tabvex");
    fs::permissions(bin, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const fs::path config = scratch / "xdg" / "config" / "tabvex", cache = scratch / "xdg" / "cache" / "tabvex";

    const auto shown = Run(program, {"config-show"});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_THAT(shown.out, HasSubstr("File: " + (config / "migrator.cfg").string() + "\n"));
    EXPECT_THAT(shown.out, HasSubstr("  Conditions:  " + (config / "Condition.cfg").string() + "\n"));
    EXPECT_THAT(shown.out, HasSubstr("  Cache:       " + (cache / "data_cache").string() + "\n"));

    const auto saved = Run(program, {"condition", shop.string(), "Orders", "Id > 1", "--save"});
    EXPECT_EQ(saved.exitCode, 0) << saved.out << saved.err;
    EXPECT_THAT(ReadFile(config / "Condition.cfg"), HasSubstr("Orders=Id > 1"));

    const auto migrated = Run(program, {"migrate", shop.string(), (scratch / "shop.xls").string()});
    EXPECT_EQ(migrated.exitCode, 0) << migrated.err;
    EXPECT_THAT(migrated.out, HasSubstr("only rows where Id > 1")) << "the condition saved above";
    EXPECT_TRUE(fs::is_regular_file(cache / "data_cache" / "Orders.data"));
    EXPECT_EQ(ReadWithXlrd(scratch / "shop.xls")["sheets"][0]["nrows"], 3) << "the header and Id 2 and 3";

    EXPECT_EQ(FilesBelow(bin), std::vector<fs::path>{program});
    fs::permissions(bin, fs::perms::owner_all);  // so that the scratch folder can go
}

TEST_F(ProgramFoldersTest, AProgramInAWritableFolderOfItsOwnKeepsEverythingBesideItself) {
    const fs::path own = scratch / "own";
    const fs::path program = CopyProgram(own, own);
    const auto shown = Run(program, {"config-show"});
    EXPECT_THAT(shown.out, HasSubstr("File: " + (own / "migrator.cfg").string() + "\n"));
    ASSERT_EQ(Run(program, {"migrate", shop.string(), (scratch / "shop.xls").string()}).exitCode, 0);
    EXPECT_TRUE(fs::is_regular_file(own / "data_cache" / "Orders.data"));
    EXPECT_EQ(ReadWithXlrd(scratch / "shop.xls")["sheets"][0]["nrows"], 4);
    EXPECT_FALSE(fs::exists(scratch / "xdg"));
}

TEST_F(ProgramFoldersTest, NoTraceLeavesNoCacheFiles) {
    const fs::path program = scratch / "program";
    const auto untraced = RunCommand({CliPath().string(), "migrate", "--no-trace", "--program-dir", program.string(),
                                      shop.string(), (scratch / "a.xls").string()});
    EXPECT_EQ(untraced.exitCode, 0) << untraced.err;
    EXPECT_EQ(FilesBelow(program), std::vector<fs::path>{});
    EXPECT_EQ(ReadWithXlrd(scratch / "a.xls")["sheets"][0]["nrows"], 4) << "the rows arrived all the same";

    RunCommand({CliPath().string(), "migrate", "--program-dir", program.string(), shop.string(),
                (scratch / "b.xls").string()});
    EXPECT_EQ(ReadWithXlrd(scratch / "b.xls")["sheets"][0]["nrows"], 4);
    EXPECT_TRUE(fs::is_regular_file(program / "data_cache" / "Orders.data"));
}

}  // namespace
}  // namespace tabvex::test
