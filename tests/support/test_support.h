// Helpers shared by the test suites: scratch folders, the shared corpus, running
// the project's command-line tool and reading workbooks back with python3-xlrd.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tabvex::test {

// A fresh folder under the system's temporary folder, removed when the object dies.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The shared corpus folder (TABVEX_TESTDATA, else ../shared/testdata beside the
// source tree), or an empty path when it is absent; corpus tests skip then.
std::filesystem::path CorpusDir();

std::filesystem::path SourceDir();
std::filesystem::path BinaryDir();

// Path of tabvex-cli in the build tree.
std::filesystem::path CliPath();

struct CommandResult {
    int exitCode = -1;
    std::string out;  // stdout
    std::string err;  // stderr
};

// Runs in the child process before the command starts: limits, another user.
using ChildSetup = std::function<void()>;

// Runs argv[0] with the given arguments (no shell), capturing both streams.
CommandResult RunCommand(const std::vector<std::string>& argv, const ChildSetup& setup = {});

// Starts argv[0] with its streams going to the two files and returns at once with its
// process id, for tests that watch or interrupt the command.
pid_t StartCommand(const std::vector<std::string>& argv, const std::filesystem::path& outPath,
                   const std::filesystem::path& errPath, const ChildSetup& setup = {});

// The exit status of a command that ended, or 128 + the signal that ended it.
int WaitForExit(pid_t pid);

// Reads a workbook with python3-xlrd (formatting_info on where xlrd allows it) and
// returns what tests/support/xlrd_dump.py prints. Fails the calling test when xlrd
// refuses the file.
nlohmann::json ReadWithXlrd(const std::filesystem::path& workbook);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& content);

}  // namespace tabvex::test
