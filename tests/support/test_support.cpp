#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tabvex::test {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    std::random_device rd;
    for (;;) {
        path_ = fs::temp_directory_path() / ("tabvex-test-" + std::to_string(rd()));
        if (fs::create_directory(path_)) break;
    }
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

fs::path SourceDir() { return TABVEX_SOURCE_DIR; }

fs::path BinaryDir() { return TABVEX_BINARY_DIR; }

fs::path CorpusDir() {
    if (const char* env = std::getenv("TABVEX_TESTDATA"); env && *env)
        return fs::is_directory(env) ? fs::path(env) : fs::path();
    fs::path beside = SourceDir().parent_path() / "shared" / "testdata";
    return fs::is_directory(beside) ? beside : fs::path();
}

fs::path CliPath() { return BinaryDir() / "src" / "cli" / "tabvex-cli"; }

namespace {

std::string Drain(int fd) {
    std::string text;
    char buffer[65536];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
    close(fd);
    return text;
}

}  // namespace

pid_t StartCommand(const std::vector<std::string>& argv, const fs::path& outPath, const fs::path& errPath,
                   const ChildSetup& setup) {
    pid_t pid = fork();
    if (pid == 0) {
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        if (setup) setup();
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

int WaitForExit(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

CommandResult RunCommand(const std::vector<std::string>& argv, const ChildSetup& setup) {
    // stdout and stderr go to files so that neither pipe can fill and block the child.
    ScratchDir scratch;
    fs::path outPath = scratch / "out", errPath = scratch / "err";
    CommandResult result;
    result.exitCode = WaitForExit(StartCommand(argv, outPath, errPath, setup));
    result.out = Drain(open(outPath.c_str(), O_RDONLY));
    result.err = Drain(open(errPath.c_str(), O_RDONLY));
    return result;
}

nlohmann::json ReadWithXlrd(const fs::path& workbook) {
    CommandResult r = RunCommand({"/usr/bin/python3", (SourceDir() / "tests/support/xlrd_dump.py").string(),
                                  workbook.string()});
    if (r.exitCode != 0) {
        ADD_FAILURE() << "xlrd could not read " << workbook << ": " << r.err;
        return nlohmann::json();
    }
    return nlohmann::json::parse(r.out);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

}  // namespace tabvex::test
