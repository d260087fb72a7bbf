// The shared corpus: every workbook goes through `tabvex-cli xls-copy`; those xlrd
// reads must read the same after the copy, the rest are refused with a clear error.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using tabvex::test::CorpusDir;
using tabvex::test::RunCommand;

// What INDEX.tsv says of each workbook: true when xlrd reads it.
std::map<std::string, bool> XlrdVerdicts(const fs::path& corpus) {
    std::map<std::string, bool> verdicts;
    std::ifstream index(corpus / "INDEX.tsv");
    for (std::string line; std::getline(index, line);) {
        if (line.rfind("xls/", 0) != 0) continue;
        auto tab = line.find('\t');
        verdicts[line.substr(4, tab - 4)] = line.find("xlrd reads it") != std::string::npos;
    }
    return verdicts;
}

TEST(XlsCorpus, CopiesReadTheSameAndRefusalsAreClear) {
    fs::path corpus = CorpusDir();
    if (corpus.empty() || !fs::exists(corpus / "xls")) GTEST_SKIP() << "no corpus";
    tabvex::test::ScratchDir out;
    auto verdicts = XlrdVerdicts(corpus);
    ASSERT_FALSE(verdicts.empty());

    std::vector<std::string> pairs = {"/usr/bin/python3",
                                      (tabvex::test::SourceDir() / "tests/platform/xls/xlrd_compare.py").string()};
    int read = 0, refused = 0, refusedOlder = 0;
    for (const auto& [name, xlrdReads] : verdicts) {
        fs::path original = corpus / "xls" / name, copy = out / name;
        auto r = RunCommand({tabvex::test::CliPath().string(), "xls-copy", original.string(), copy.string()});
        if (r.exitCode == 0) {
            ++read;
            if (xlrdReads) pairs.push_back(original.string()), pairs.push_back(copy.string());
            continue;
        }
        ++refused;
        EXPECT_EQ(r.exitCode, 1) << name << " ended abnormally: " << r.err;
        EXPECT_NE(r.err.find(original.string() + ": "), std::string::npos) << name << ": " << r.err;
        EXPECT_FALSE(fs::exists(copy)) << name;
        bool older = r.err.find("older Excel format") != std::string::npos;
        refusedOlder += older;
        // Workbooks xlrd reads are refused only for being older than BIFF8.
        EXPECT_TRUE(!xlrdReads || older) << name << ": " << r.err;
    }

    auto compared = RunCommand(pairs);
    ASSERT_EQ(compared.exitCode, 0) << compared.err;
    auto results = nlohmann::json::parse(compared.out);
    int same = 0;
    for (const auto& [original, verdict] : results.items()) {
        if (verdict == "same") {
            ++same;
        } else {
            ADD_FAILURE() << original << ": " << verdict.get<std::string>();
        }
    }
    std::cout << "[ corpus   ] " << verdicts.size() << " workbooks: " << read << " read, " << refused
              << " refused (" << refusedOlder << " older than BIFF8), " << same << " of " << results.size()
              << " read by xlrd the same after xls-copy\n";
}

}  // namespace
