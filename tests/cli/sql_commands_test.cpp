#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "support/test_support.h"

namespace {

using tabvex::test::CliPath;
using tabvex::test::RunCommand;

TEST(CliSql, RunsQueriesOnAnAccessFileAndReportsFailuresWithTheirCode) {
    tabvex::test::ScratchDir scratch;
    tabvex::test::WriteFile(scratch / "spec.json", R"({"tables": [{"name": "Orders", "columns": [
        {"name": "Id", "type": "Long Integer"}, {"name": "Ship To", "type": "Text", "length": 30}],
        "rows": [[1, "Cowes"], [2, null], [3, "London"]]}]})");
    auto db = (scratch / "shop.mdb").string();
    ASSERT_EQ(RunCommand({CliPath().string(), "mdb-build", db, (scratch / "spec.json").string()}).exitCode, 0);

    auto rows = RunCommand({CliPath().string(), "sql", db, "select * from Orders where Id >= 2"});
    EXPECT_EQ(rows.exitCode, 0) << rows.err;
    EXPECT_EQ(rows.out, "Id\tShip To\n2\t(NULL)\n3\tLondon\n");

    auto count = RunCommand({CliPath().string(), "sql", db, "select count(*) from Orders where [Ship To] like 'C%'"});
    EXPECT_EQ(count.out, "Expr1000\n1\n");

    auto unknown = RunCommand({CliPath().string(), "sql", db, "select * from Ordres"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("[0x80040e37]"), std::string::npos) << unknown.err;
    EXPECT_NE(unknown.err.find("'Ordres'"), std::string::npos) << unknown.err;

    auto missing = RunCommand({CliPath().string(), "sql", (scratch / "none.mdb").string(), "select * from Orders"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("none.mdb"), std::string::npos) << missing.err;
}

TEST(CliSql, AnXlsFileOpensTheExcelIsam) {
    tabvex::test::ScratchDir scratch;
    auto book = (scratch / "book.xls").string();
    auto run = [&](const std::string& statement) { return RunCommand({CliPath().string(), "sql", book, statement}); };
    EXPECT_EQ(run("Create Table Orders (`Id` Text ,`City` Text)").exitCode, 0);
    auto insert = run("insert into Orders values ('1','Cowes');");
    EXPECT_EQ(insert.out, "RESULT: The operation completed SUCCESSFULLY (1 rows affected)\n") << insert.err;
    EXPECT_EQ(run("select * from [Orders$]").out, "Id\tCity\n1\tCowes\n");
    auto tooMany = run("insert into Orders values ('2','Oslo','x')");
    EXPECT_EQ(tooMany.exitCode, 1);
    EXPECT_NE(tooMany.err.find("[0x80040e14]"), std::string::npos) << tooMany.err;
    EXPECT_EQ(run("select count(*) from Orders").out, "Expr1000\n1\n");
}

// Every row stays one line (one CSV record) whatever its values hold: tabs, line
// breaks and backslashes are escaped in the tab-separated form, and CSV quotes as
// RFC 4180 asks, which python's csv module reads back to the values.
TEST(CliSql, ValuesCannotBreakARowApart) {
    tabvex::test::ScratchDir scratch;
    const auto db = tabvex::test::BuildDatabase(scratch, "notes.mdb", R"({"tables": [{"name": "Notes", "columns": [
        {"name": "Id", "type": "Long Integer"}, {"name": "Text", "type": "Memo"}],
        "rows": [[1, "tab\there"], [2, "two\nlines\r\n"], [3, "back\\slash, \"quoted\""], [4, null]]}]})");
    const auto tsv = RunCommand({CliPath().string(), "sql", db.string(), "select * from Notes"});
    EXPECT_EQ(tsv.out, "Id\tText\n1\ttab\\there\n2\ttwo\\nlines\\r\\n\n3\tback\\\\slash, \"quoted\"\n4\t(NULL)\n");

    const auto csv = RunCommand({CliPath().string(), "sql", "--csv", db.string(), "select * from Notes"});
    EXPECT_EQ(csv.exitCode, 0) << csv.err;
    tabvex::test::WriteFile(scratch / "notes.csv", csv.out);
    const auto read = RunCommand({"/usr/bin/python3", "-c",
                                  "import csv, json, sys; print(json.dumps(list(csv.reader(open(sys.argv[1], newline='')))))",
                                  (scratch / "notes.csv").string()});
    EXPECT_EQ(nlohmann::json::parse(read.out),
              nlohmann::json::parse(R"([["Id", "Text"], ["1", "tab\there"], ["2", "two\nlines\r\n"],
                                        ["3", "back\\slash, \"quoted\""], ["4", ""]])"));
}

TEST(CliSql, NorthwindsOrdersPrintOneLineEach) {
    const auto northwind = tabvex::test::Northwind();
    if (northwind.empty()) GTEST_SKIP() << "no corpus";
    const auto orders = RunCommand({CliPath().string(), "sql", northwind.string(), "select * from Orders"});
    EXPECT_EQ(tabvex::test::Lines(orders.out).size(), 831u) << "830 rows under the header";
    const auto employees = RunCommand({CliPath().string(), "sql", northwind.string(), "select * from Employees"});
    EXPECT_EQ(tabvex::test::Lines(employees.out).size(), 10u) << "notes with line breaks stay on their row";
}

}  // namespace
