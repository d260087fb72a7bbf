#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <strings.h>

#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using tabvex::test::CliPath;
using tabvex::test::RunCommand;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
    return parts;
}

// The tables of `tabvex-cli tree` output with their fields, in the order shown.
std::vector<std::pair<std::string, std::vector<std::string>>> TablesOf(const std::string& tree) {
    std::vector<std::pair<std::string, std::vector<std::string>>> tables;
    bool inFields = false;
    for (const auto& line : Lines(tree)) {
        if (line.rfind("      2 ", 0) == 0) {
            tables.push_back({line.substr(8), {}});
        } else if (line.rfind("      ", 0) == 0 && line.size() > 6 && line[6] != ' ') {
            tables.push_back({"", {}});  // a view: its fields are not a table's
        } else if (line == "        5 Fields") {
            inFields = true;
            continue;
        } else if (inFields && line.rfind("          4 ", 0) == 0) {
            tables.back().second.push_back(line.substr(12));
            continue;
        }
        inFields = false;
    }
    std::erase_if(tables, [](const auto& table) { return table.first.empty(); });
    return tables;
}

std::string BuildShop(const tabvex::test::ScratchDir& scratch) {
    tabvex::test::WriteFile(scratch / "spec.json", R"({"tables": [
        {"name": "Orders", "columns": [{"name": "Id", "type": "Long Integer"}, {"name": "City", "type": "Text", "length": 30}],
         "rows": [[1, "Cowes"], [2, "Oslo"], [3, "Cowes"]]},
        {"name": "Order Lines", "columns": [{"name": "Id", "type": "Long Integer"}]},
        {"name": "Cost$", "columns": [{"name": "Amount", "type": "Currency"}]}]})");
    const auto db = (scratch / "shop.mdb").string();
    EXPECT_EQ(RunCommand({CliPath().string(), "mdb-build", db, (scratch / "spec.json").string()}).exitCode, 0);
    return db;
}

TEST(CliTree, PrintsTheDbmsNameAndTheTreeOfAnAccessDatabase) {
    tabvex::test::ScratchDir scratch;
    const std::string db = BuildShop(scratch);
    auto tree = RunCommand({CliPath().string(), "tree", db});
    ASSERT_EQ(tree.exitCode, 0) << tree.err;
    const auto lines = Lines(tree.out);
    ASSERT_EQ(lines.size(), 18u) << tree.out;
    EXPECT_EQ(lines[0], "MS Jet[04.00.0000]");
    EXPECT_EQ(lines[1], "0 " + db);
    EXPECT_EQ(lines[2], "  1 " + db.substr(0, db.size() - 4));
    EXPECT_EQ(TablesOf(tree.out), (std::vector<std::pair<std::string, std::vector<std::string>>>{
                                      {"Orders", {"Id", "City"}}, {"Order Lines", {"Id"}}, {"Cost$", {"Amount"}}}));

    auto missing = RunCommand({CliPath().string(), "tree", (scratch / "none.mdb").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("Source Connection error!"), std::string::npos) << missing.err;
    const auto typo = RunCommand({CliPath().string(), "tree", (scratch / "typo.xls").string()});
    EXPECT_EQ(typo.exitCode, 1);
    EXPECT_EQ(typo.out, "");
    EXPECT_NE(typo.err.find("typo.xls cannot be opened"), std::string::npos) << typo.err;
    EXPECT_FALSE(fs::exists(scratch / "typo.xls"));

    EXPECT_EQ(RunCommand({CliPath().string(), "tree"}).exitCode, 2);
    EXPECT_EQ(RunCommand({CliPath().string(), "tree", db, db}).exitCode, 2);
}

// Every user table mdbtools lists, names with blanks included, with the columns
// mdb-export puts in its header, in the same order.
TEST(CliTree, CorpusDatabasesListWhatMdbtoolsReads) {
    const fs::path corpus = tabvex::test::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(corpus / "mdb")) {
        const std::string file = entry.path().string();
        const auto listed = RunCommand({"mdb-tables", "-1", file});
        if (listed.exitCode != 0) continue;
        SCOPED_TRACE(file);
        std::vector<std::pair<std::string, std::vector<std::string>>> expected;
        for (const auto& table : Lines(listed.out)) {
            if (table.empty()) continue;
            const auto exported = RunCommand({"mdb-export", file, table});
            ASSERT_EQ(exported.exitCode, 0) << table << exported.err;
            const auto header = Lines(exported.out);
            expected.push_back({table, header.empty() ? std::vector<std::string>{} : Split(header[0], ',')});
        }
        const auto tree = RunCommand({CliPath().string(), "tree", file});
        ASSERT_EQ(tree.exitCode, 0) << tree.err;
        EXPECT_EQ(TablesOf(tree.out), expected);
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

// The names a workbook's tree lists: global names over one area of a worksheet,
// without "$"; built-in names are no tables.
std::set<std::string> ExpectedNames(const nlohmann::json& dump) {
    static const std::set<std::string> kBuiltIn = {
        "Consolidate_Area", "Auto_Open",    "Auto_Close",    "Extract",         "Database",
        "Criteria",         "Print_Area",   "Print_Titles",  "Recorder",        "Data_Form",
        "Auto_Activate",    "Auto_Deactivate", "Sheet_Title", "_FilterDatabase"};
    static const std::regex kOneArea(R"(^=('(?:[^']|'')+'|[^'!:]+)!\$?[A-Z]{1,3}\$?[0-9]+(?::\$?[A-Z]{1,3}\$?[0-9]+)?$)");
    std::map<std::string, std::string> sheetKinds;
    for (const auto& sheet : dump["sheets"]) sheetKinds[sheet["name"]] = sheet["kind"];
    std::set<std::string> names, seen;
    for (const auto& name : dump["names"]) {
        const std::string text = name["name"];
        const std::string formula = name["formula"];
        std::string folded = text;
        for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::smatch match;
        if (!name["scope"].is_null() || kBuiltIn.contains(text) || !std::regex_match(formula, match, kOneArea))
            continue;
        std::string sheet = match[1];
        if (sheet.front() == '\'') sheet = std::regex_replace(sheet.substr(1, sheet.size() - 2), std::regex("''"), "'");
        const auto kind = sheetKinds.find(sheet);
        if (kind == sheetKinds.end() || (kind->second != "worksheet" && kind->second != "macrosheet")) continue;
        if (!seen.insert(folded).second) continue;  // names match without case: the first one counts
        if (text.find('$') == std::string::npos) names.insert(text);
    }
    return names;
}

TEST(CliTree, CorpusWorkbooksListTheirDefinedNames) {
    const fs::path corpus = tabvex::test::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    int withNames = 0;
    for (const auto& entry : fs::directory_iterator(corpus / "xls")) {
        const std::string file = entry.path().string();
        const auto dump = RunCommand({CliPath().string(), "xls-dump", file});
        if (dump.exitCode != 0) continue;  // a workbook the engine refuses cannot be connected either
        SCOPED_TRACE(file);
        const auto tree = RunCommand({CliPath().string(), "tree", file});
        ASSERT_EQ(tree.exitCode, 0) << tree.err;
        std::set<std::string> shown;
        for (const auto& [table, fields] : TablesOf(tree.out)) shown.insert(table);
        const auto expected = ExpectedNames(nlohmann::json::parse(dump.out));
        EXPECT_EQ(shown, expected);
        withNames += !expected.empty();
    }
    EXPECT_GT(withNames, 0);
}

TEST(CliCondition, TestsAndSavesATablesCondition) {
    tabvex::test::ScratchDir scratch;
    const std::string db = BuildShop(scratch);
    const std::string dir = (scratch / "program").string();
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {CliPath().string(), "condition", "--program-dir", dir});
        return RunCommand(args);
    };

    auto all = run({db, "Orders"});
    EXPECT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out, "Test successfully!\n  3 Records can be converted.\n");

    auto saved = run({db, "orders", "City='Cowes'", "--save"});
    EXPECT_EQ(saved.exitCode, 0) << saved.err;
    const fs::path file = fs::path(dir) / "Condition.cfg";
    EXPECT_EQ(saved.out, "Test successfully!\n  2 Records can be converted.\nSaved in " + file.string() + "\n");
    EXPECT_EQ(tabvex::test::ReadFile(file), "[" + db.substr(0, db.size() - 4) + "]\nOrders=City='Cowes'\n");

    auto stored = run({db, "Orders"});  // no condition given: the stored one
    EXPECT_EQ(stored.out, "Test successfully!\n  2 Records can be converted.\n");

    auto failed = run({db, "Orders", "Town='Cowes'", "--save"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out.rfind("Test failed!\n  Because:  ", 0), 0u) << failed.out;
    EXPECT_EQ(tabvex::test::ReadFile(file), "[" + db.substr(0, db.size() - 4) + "]\nOrders=City='Cowes'\n");

    // The tree marks the table whose rows the condition restricts; its name stays.
    auto tree = RunCommand({CliPath().string(), "tree", "--program-dir", dir, db});
    EXPECT_EQ(tree.exitCode, 0) << tree.err;
    const auto lines = Lines(tree.out);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "      2 Orders  [condition: City='Cowes']"), lines.end())
        << tree.out;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "      2 Cost$"), lines.end()) << tree.out;
    EXPECT_EQ(RunCommand({CliPath().string(), "tree", db, "--program-dir"}).exitCode, 2);

    // A save that fails says why, and the exit status says it failed.
    fs::remove(file);
    fs::create_directory(file);
    auto unsaved = run({db, "Orders", "Id>1", "--save"});
    EXPECT_EQ(unsaved.exitCode, 1);
    EXPECT_NE(unsaved.out.find("Save failed!\n  Because:  " + file.string()), std::string::npos) << unsaved.out;
    fs::remove(file);

    EXPECT_EQ(run({db, "Order Lines"}).exitCode, 1);  // not in the tree
    EXPECT_EQ(run({db}).exitCode, 2);
    EXPECT_EQ(run({db, "Orders", "Id>1", "extra"}).exitCode, 2);
    EXPECT_EQ(run({db, "Orders", "--force"}).exitCode, 2);
}

}  // namespace
