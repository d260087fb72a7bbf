#include "adapters/excel/excel_create_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/excel/transfer_test_support.h"

namespace tabvex::adapters {
namespace {

using namespace tabvex::oledb;
using mdb::JetType;

using CreateTableTest = test::TransferFixture;

TEST_F(CreateTableTest, EveryColumnTypeOfTheWriterBecomesATextColumnInSourceOrder) {
    mdb::DatabaseWriter writer(sourceFile());
    writer.AddTable("Orders", {{"Id", JetType::Long},
                               {"Name", JetType::Text, 40},
                               {"Notes", JetType::Memo},
                               {"Placed", JetType::DateTime},
                               {"Price", JetType::Currency},
                               {"Paid", JetType::Boolean},
                               {"Weight", JetType::Double},
                               {"Tag", JetType::Guid},
                               {"Blob", JetType::OleObject}});
    writer.AddTable("One", {{"Only Column", JetType::Byte}});
    Connect(writer);

    EXPECT_EQ(BuildExcelCreateTable(program.output(), source, "Orders", "Orders"),
              "Create Table Orders (`Id` Text ,`Name` Text ,`Notes` Text ,`Placed` Text ,`Price` Text ,`Paid` Text "
              ",`Weight` Text ,`Tag` Text ,`Blob` Text)");
    EXPECT_EQ(BuildExcelCreateTable(program.output(), source, "One", "One"), "Create Table One (`Only Column` Text)");
    // No table of that name, rather than a statement without columns.
    EXPECT_EQ(BuildExcelCreateTable(program.output(), source, "Misspelled", "Misspelled"), kCreateTableError);
    // The sheet is named apart from the table whose columns it takes; reserved words
    // and names that are no plain word are bracketed.
    EXPECT_EQ(BuildExcelCreateTable(program.output(), source, "One", "Select"), "Create Table [Select] (`Only Column` Text)");
    EXPECT_EQ(BuildExcelCreateTable(program.output(), source, "One", "values"), "Create Table [values] (`Only Column` Text)");
    EXPECT_EQ(BuildExcelCreateTable(program.output(), source, "One", "Q1/Q2"), "Create Table [Q1/Q2] (`Only Column` Text)");
    EXPECT_EQ(BuildExcelCreateTable(program.output(), source, "One", "Selection"), "Create Table Selection (`Only Column` Text)");
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"There is no table [Misspelled] in the source database"});
}

struct TypeNameCase {
    DBCOLUMNFLAGS flags;
    DBTYPE type;
    const char* jet;
    const char* odbc;
};

// Rows that fail their own group pass on down the chain: 234 -> 90/122 -> 24 -> 106 ->
// 74 for Jet, 232 -> 120 -> 24 -> 104 for ODBC.
TEST(ExcelTypeNames, FirstMatchingRowWinsAndUnmatchedTypesFallThroughTheChain) {
    const TypeNameCase cases[] = {
        {234, DBTYPE_WSTR, "LONGTEXT", "USERDEFINE"},
        {234, DBTYPE_I4, "LONG", "USERDEFINE"},
        {234, DBTYPE_BOOL, "BIT", "USERDEFINE"},
        {234, DBTYPE_I1, "USERDEFINE", "USERDEFINE"},
        {232, DBTYPE_I4, "USERDEFINE", "LONG"},
        {232, DBTYPE_BOOL, "USERDEFINE", "BIT"},
        {90, DBTYPE_WSTR, "TEXT", "USERDEFINE"},
        {120, DBTYPE_NUMERIC, "USERDEFINE", "CURRENCY"},
        {24, DBTYPE_I4, "COUNTER", "COUNTER"},
        {24, DBTYPE_BYTES, "BINARY", "VARBINARY"},
        {106, DBTYPE_I4, "USERDEFINE", "USERDEFINE"},
        {74, DBTYPE_WSTR, "VARCHAR(50) ", "USERDEFINE"},
        {74, DBTYPE_BYTES, "CHAR(50) ", "USERDEFINE"},
        {0x7B, DBTYPE_I4, "USERDEFINE", "USERDEFINE"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExcelTypeNameJet(c.flags, c.type, 50), c.jet) << c.flags << "/" << c.type;
        EXPECT_EQ(ExcelTypeNameOdbc(c.flags, c.type, 50), c.odbc) << c.flags << "/" << c.type;
    }
}

}  // namespace
}  // namespace tabvex::adapters
