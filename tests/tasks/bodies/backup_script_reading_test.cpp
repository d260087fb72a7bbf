#include "tasks/bodies/backup_script_reading.h"

#include <gtest/gtest.h>

#include "tasks/bodies/backup_scripts.h"

namespace tabvex::tasks {
namespace {

using Statements = std::vector<std::string>;

// What the backup writes reads back statement by statement: a line break inside a
// quoted value (apostrophes doubled) belongs to the value.
TEST(BackupScriptReading, DataScriptsSplitAtLineBreaksOutsideQuotedValuesOnly) {
    std::string script = DataLineStart("Notes");
    AppendScriptValue(script, oledb::DBTYPE_WSTR, std::string_view("it's\nthere)\n"));
    script += ",";
    AppendScriptValue(script, oledb::DBTYPE_WSTR, std::nullopt);
    script += ")\n" + DataLineStart("Notes") + "'plain',NULL)\n\n";
    EXPECT_EQ(DataScriptStatements(script),
              (Statements{"insert into Notes values ('it''s\nthere)\n','')", "insert into Notes values ('plain',NULL)"}));
    EXPECT_EQ(DataScriptStatements("insert into T values ('a')"), Statements{"insert into T values ('a')"})
        << "a last line without its line break";
    EXPECT_EQ(DataScriptStatements(""), Statements{});
}

TEST(BackupScriptReading, TheCreatedTableIsNamedWithoutItsBrackets) {
    const std::vector<ScriptColumn> columns{{"Id", "TEXT", std::nullopt}};
    EXPECT_EQ(CreatedTableName(TableScript("Orders", columns)), "Orders");
    EXPECT_EQ(CreatedTableName(TableScript("[Order Details]", columns)), "Order Details");
    EXPECT_EQ(CreatedTableName(kUserDefinedNameScript), "");
    EXPECT_EQ(CreatedTableName("CREATE TABLE (\n"), "");
}

}  // namespace
}  // namespace tabvex::tasks
