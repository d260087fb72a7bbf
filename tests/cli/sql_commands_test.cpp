#include <gtest/gtest.h>

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

}  // namespace
