// tabvex-cli in a shell: --json documents that parse and tell what the text tells,
// colours and progress only on a terminal, each error line once, --quiet, and usage
// errors that say what was wrong.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <map>
#include <regex>

#include "cli/cli_run.h"

namespace tabvex::test {
namespace {

namespace fs = std::filesystem;

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

constexpr const char* kShopSpec = R"({"tables": [
    {"name": "Customers", "columns": [{"name": "Id", "type": "Long Integer"}, {"name": "Name", "type": "Text", "length": 20}],
     "rows": [[1, "Ann"], [2, "Bo"], [3, null]]},
    {"name": "Orders", "columns": [{"name": "Id", "type": "Long Integer"}], "rows": [[10], [11]]}]})";

class ShellOutputTest : public ::testing::Test {
protected:
    // Every workbook a test wrote reads back through xlrd with each table's rows and
    // its header, whatever the run showed.
    void TearDown() override {
        const std::map<std::string, int> rows{{"Customers", 4}, {"Orders", 3}, {"Big", 2501}};
        for (const auto& entry : fs::directory_iterator(scratch.path())) {
            if (entry.path().extension() != ".xls") continue;
            const nlohmann::json read = ReadWithXlrd(entry.path());
            ASSERT_FALSE(read["sheets"].empty()) << entry.path();
            for (const auto& sheet : read["sheets"])
                EXPECT_EQ(sheet["nrows"], rows.at(sheet["name"].get<std::string>())) << entry.path();
        }
    }
    CommandResult Cli(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), CliPath().string());
        return RunCommand(arguments);
    }
    std::vector<std::string> Migrate(std::vector<std::string> options, const fs::path& workbook) {
        std::vector<std::string> argv{CliPath().string(), "migrate", "--program-dir", (scratch / "program").string()};
        argv.insert(argv.end(), options.begin(), options.end());
        argv.push_back(shop.string());
        argv.push_back(workbook.string());
        return argv;
    }
    // python3's own JSON parser takes the text.
    void ExpectValidJson(const std::string& text) {
        WriteFile(scratch / "document.json", text);
        const auto parsed = RunCommand({"/usr/bin/python3", "-m", "json.tool", (scratch / "document.json").string()});
        EXPECT_EQ(parsed.exitCode, 0) << parsed.err << text;
    }

    ScratchDir scratch;
    fs::path shop = BuildDatabase(scratch, "shop.mdb", kShopSpec);
};

// The summary line's facts: tables done, the names failed or left out, rows.
struct SummaryFacts {
    int tables = -1;
    std::string notDone;
    int rows = -1;
};

SummaryFacts SummaryOf(const std::string& log) {
    static const std::regex summary(R"(Summary: (\d+) tables \w+, (none failed or left out|\d+ failed or left out: (.*)); (\d+) rows copied)");
    std::smatch match;
    if (!std::regex_search(log, match, summary)) return {};
    return {std::stoi(match[1]), match[3], std::stoi(match[4])};
}

std::string Bracketed(const nlohmann::json& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "[" : ", [") + name.get<std::string>() + "]";
    return text;
}

TEST_F(ShellOutputTest, MigrateJsonParsesAndTellsWhatTheSummaryLineTells) {
    const fs::path book = scratch / "book.xls";
    for (const int expectedStatus : {0, 1}) {  // the second run finds both sheets taken
        SCOPED_TRACE(expectedStatus);
        const auto run = RunCommand(Migrate({"--json"}, book));
        ASSERT_EQ(run.exitCode, expectedStatus) << run.err;
        ExpectValidJson(run.out);
        const auto document = nlohmann::json::parse(run.out);
        EXPECT_EQ(document["exit_status"], expectedStatus);
        EXPECT_EQ(document["succeeded"], expectedStatus == 0);
        ASSERT_EQ(document["tasks"].size(), 1u);
        const auto& summary = document["tasks"][0]["summary"];
        // The Log went to stderr, the summary line with it.
        const SummaryFacts text = SummaryOf(run.err);
        EXPECT_EQ(summary["tables"].size(), static_cast<std::size_t>(text.tables));
        EXPECT_EQ(Bracketed(summary["failed_or_left_out"]), text.notDone);
        EXPECT_EQ(summary["rows"], text.rows);
        EXPECT_EQ(summary["whole"], expectedStatus == 0);
        EXPECT_EQ(document["tasks"][0]["state"], expectedStatus == 0 ? "SUCCESS" : "FAILURE");
    }
    EXPECT_EQ(SummaryOf(RunCommand(Migrate({}, scratch / "again.xls")).out).rows, 5) << "the text form";
}

TEST_F(ShellOutputTest, CheckJsonParsesAndTellsWhatTheLinesTell) {
    const auto text = Cli({"check", shop.string()});
    const auto json = Cli({"check", "--json", shop.string()});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(json.exitCode, text.exitCode);
    ExpectValidJson(json.out);
    const auto document = nlohmann::json::parse(json.out);
    const auto lines = Lines(text.out);
    ASSERT_EQ(lines.size(), document["tables"].size() + 1);
    for (std::size_t i = 0; i < document["tables"].size(); ++i) {
        const auto& table = document["tables"][i];
        EXPECT_THAT(lines[i], StartsWith("[" + table["table"].get<std::string>() + "]"));
        EXPECT_THAT(lines[i], HasSubstr(std::to_string(table["rows"].get<int>()) + " rows"));
        EXPECT_TRUE(table["whole"].get<bool>());
    }
    EXPECT_EQ(document["summary"], lines.back());
    EXPECT_EQ(document["whole"], true);
}

TEST_F(ShellOutputTest, ColoursOnlyOnATerminalAndNeverWithNoColor) {
    const auto coloured = RunInTerminal(Migrate({}, scratch / "a.xls"));
    EXPECT_EQ(coloured.exitCode, 0) << coloured.out;
    EXPECT_THAT(coloured.out, HasSubstr("\033[32m")) << "the success lines are green on a terminal";

    const auto plain = RunInTerminal(Migrate({}, scratch / "b.xls"), "NO_COLOR=1");
    EXPECT_EQ(plain.exitCode, 0) << plain.out;
    EXPECT_THAT(plain.out, HasSubstr("Summary:"));
    EXPECT_THAT(plain.out, Not(HasSubstr("\033")));

    const auto piped = RunCommand(Migrate({}, scratch / "c.xls"));
    EXPECT_THAT(piped.out + piped.err, Not(HasSubstr("\033")));
}

TEST_F(ShellOutputTest, OnATerminalEachErrorLineShowsOnce) {
    const fs::path book = scratch / "book.xls";
    ASSERT_EQ(RunCommand(Migrate({}, book)).exitCode, 0);
    const auto again = RunInTerminal(Migrate({}, book), "NO_COLOR=1");
    EXPECT_EQ(again.exitCode, 1) << again.out;
    EXPECT_EQ(Occurrences(again.out, "failed or left out: [Customers], [Orders]"), 1u) << again.out;
    // Off a terminal errors go to stderr alone.
    const auto piped = RunCommand(Migrate({}, book));
    EXPECT_THAT(piped.err, HasSubstr("failed or left out"));
    EXPECT_THAT(piped.out, Not(HasSubstr("failed or left out")));
}

// The Log's row counts (every 1,000 rows) stay off a terminal and with --log; a
// terminal has the progress line instead, and nothing off a terminal rewrites a line.
TEST_F(ShellOutputTest, RowCountsAreLogLinesOffATerminalOrWithLog) {
    shop = BuildDatabase(scratch, "big.mdb", NumberedTableSpec("Big", 2500));
    const auto piped = RunCommand(Migrate({"--no-trace"}, scratch / "piped.xls"));
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(Occurrences(piped.out, "records converted!"), 2u) << piped.out;
    EXPECT_THAT(piped.out + piped.err, Not(HasSubstr("\r")));

    const auto terminal = RunInTerminal(Migrate({"--no-trace"}, scratch / "terminal.xls"), "NO_COLOR=1");
    EXPECT_EQ(terminal.exitCode, 0) << terminal.out;
    EXPECT_EQ(Occurrences(terminal.out, "records converted!"), 0u) << terminal.out;

    const auto logged = RunInTerminal(Migrate({"--no-trace", "--log"}, scratch / "logged.xls"), "NO_COLOR=1");
    EXPECT_EQ(Occurrences(logged.out, "records converted!"), 2u) << logged.out;
}

TEST_F(ShellOutputTest, QuietLeavesTheErrorsAndTheSummaryLine) {
    const fs::path book = scratch / "book.xls";
    const auto whole = RunCommand(Migrate({"--quiet"}, book));
    EXPECT_EQ(whole.exitCode, 0) << whole.err;
    ASSERT_EQ(Lines(whole.out).size(), 1u) << whole.out;
    EXPECT_THAT(whole.out, HasSubstr("Summary: 2 tables arrived"));
    EXPECT_EQ(whole.err, "");

    const auto failed = RunCommand(Migrate({"--quiet"}, book));
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_THAT(failed.err, HasSubstr("Summary: 0 tables arrived"));
}

// Each usage error: exit 2, one line saying what was wrong, then the usage line.
TEST_F(ShellOutputTest, UsageErrorsSayWhatWasWrongBeforeTheUsageLine) {
    const std::string book = (scratch / "book.xls").string();
    const std::string folder = scratch.path().string();
    const struct {
        std::vector<std::string> arguments;
        std::string wrong;
    } cases[] = {
        {{"migrate", "--x", shop.string(), book}, "unknown option \"--x\""},
        {{"migrate", shop.string(), book, "--table"}, "missing argument for \"--table\""},
        {{"migrate", shop.string(), (scratch / "out.txt").string()}, "\"" + (scratch / "out.txt").string() + "\" is not a workbook"},
        {{"migrate", shop.string()}, "missing TARGET"},
        {{"backup", book}, "missing FOLDER"},
        {{"check", "--json", shop.string(), "--program-dir"}, "missing argument for \"--program-dir\""},
        {{"tables"}, "missing FILE"},
        {{"tables", shop.string(), book}, "unexpected argument"},
        {{"restore", folder, book}, "holds no backup's TABLES folder"},
        {{"sql", "--tsv", shop.string(), "select * from Orders"}, "unknown option \"--tsv\""},
        {{"condition", "--save"}, "missing FILE"},
        {{"config-show", "--json"}, "\"--json\""},
    };
    for (const auto& wrong : cases) {
        const auto run = Cli(wrong.arguments);
        SCOPED_TRACE(wrong.arguments[0] + " " + wrong.wrong);
        EXPECT_EQ(run.exitCode, 2);
        const auto lines = Lines(run.err);
        ASSERT_EQ(lines.size(), 2u) << run.err;
        EXPECT_THAT(lines[0], HasSubstr(wrong.wrong));
        EXPECT_THAT(lines[1], StartsWith("usage: tabvex-cli " + wrong.arguments[0]));
    }
}

}  // namespace
}  // namespace tabvex::test
