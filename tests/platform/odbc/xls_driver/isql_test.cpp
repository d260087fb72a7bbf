// isql, unixODBC's own client, reading a workbook through a data source registered
// in a folder of the test's own (ODBCSYSINI), as a person would set it up.
#include <gtest/gtest.h>

#include <unistd.h>

#include "driver_session.h"
#include "support/test_support.h"

namespace tabvex::test {
namespace {

// Runs isql over `input` with the configuration in `folder`.
CommandResult RunIsql(const std::filesystem::path& folder, const std::string& dsn, const std::string& input,
                      const std::string& options = "-b") {
    WriteFile(folder / "input.sql", input);
    std::string in = (folder / "input.sql").string();
    return RunCommand({"/bin/sh", "-c", "exec isql " + options + " -d'|' \"$0\" < \"$1\"", dsn, in},
                      [folder] { UseOdbcFilesIn(folder); });
}

TEST(XlsDriverIsql, DataSourceListsTablesAndAnswersQueries) {
#ifdef TABVEX_XLS_ODBC_INSTRUMENTED
    GTEST_SKIP() << "an instrumented driver cannot load into isql";
#endif
    if (access("/usr/bin/isql", X_OK) != 0) GTEST_SKIP() << "isql is not installed";
    ScratchDir dir;
    {
        DriverSession writer;
        ASSERT_TRUE(SQL_SUCCEEDED(writer.Connect("DBQ=" + (dir / "shop.xls").string() + ";ReadOnly=0")));
        ASSERT_EQ(writer.Execute("CREATE TABLE Products (Name TEXT, Stock DOUBLE)"), SQL_SUCCESS);
        for (const char* row : {"('Käse', 4)", "('Brot', 0)", "('Äpfel', 12)"}) {
            ASSERT_EQ(writer.Execute(std::string("INSERT INTO Products VALUES ") + row), SQL_SUCCESS);
        }
    }
    RegisterDataSource(dir.path(), "shop", (dir / "shop").string(), true);

    CommandResult result = RunIsql(dir.path(), "shop", "help\nSELECT * FROM Products WHERE Stock > 1\n");
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    std::string catalog = (dir / "shop").string();
    EXPECT_NE(result.out.find(catalog + "||Products|TABLE|"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(catalog + "||Products$|TABLE|"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Käse|4\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Äpfel|12\n"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Brot"), std::string::npos) << result.out;

    // The data source is read-only: isql shows the refusal with the driver's message.
    result = RunIsql(dir.path(), "shop", "INSERT INTO Products VALUES ('Milch', 1)\n", "-b -v");
    EXPECT_NE((result.out + result.err).find("[Tabvex][Excel Driver]"), std::string::npos) << result.out << result.err;
}

}  // namespace
}  // namespace tabvex::test
