// What the tabvex-cli process tests share: small databases built by mdb-build, the
// Northwind corpus database, runs under a pseudo-terminal, and text taken apart.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace tabvex::test {

// Builds `file` from the JSON tables tabvex-cli mdb-build reads; fails the test when it cannot.
inline std::filesystem::path BuildDatabase(const ScratchDir& scratch, const std::string& file, const std::string& spec) {
    WriteFile(scratch / (file + ".json"), spec);
    const auto built = RunCommand({CliPath().string(), "mdb-build", (scratch / file).string(), (scratch / (file + ".json")).string()});
    EXPECT_EQ(built.exitCode, 0) << built.err;
    return scratch / file;
}

// A table of `rows` rows (Id, Name), enough for several row counts of the Log.
inline std::string NumberedTableSpec(const std::string& table, int rows) {
    std::string spec = R"({"tables": [{"name": ")" + table +
                       R"(", "columns": [{"name": "Id", "type": "Long Integer"}, {"name": "Name", "type": "Text", "length": 20}], "rows": [)";
    for (int i = 1; i <= rows; ++i) spec += (i > 1 ? "," : "") + ("[" + std::to_string(i) + ", \"n" + std::to_string(i) + "\"]");
    return spec + "]}]}";
}

// The corpus's Northwind, or empty when the corpus is absent.
inline std::filesystem::path Northwind() {
    const auto corpus = CorpusDir();
    return corpus.empty() ? std::filesystem::path() : corpus / "mdb" / "Northwind.mdb";
}

inline std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the command on a pseudo-terminal (util-linux `script`), as a person at a
// terminal would: both streams arrive merged in `out`. `environment` is put before
// the command ("NO_COLOR=1").
inline CommandResult RunInTerminal(const std::vector<std::string>& argv, const std::string& environment = "") {
    std::string command = "env " + environment;
    for (const auto& arg : argv) command += " " + ShellQuoted(arg);
    return RunCommand({"/usr/bin/script", "-qec", command, "/dev/null"});
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

inline std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

}  // namespace tabvex::test
