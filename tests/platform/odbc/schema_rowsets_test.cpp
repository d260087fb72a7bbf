// The schema rowsets of the ODBC provider over mdbtools' driver: OLE DB's layouts,
// restrictions, and column descriptions the program names column types from.
#include <gtest/gtest.h>

#include <algorithm>

#include "odbc_test_support.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/oledb/schema_rows.h"
#include "support/test_support.h"

namespace tabvex::odbc {
namespace {

using namespace tabvex::oledb;
using mdb::JetType;
using V = mdb::Value;

class OdbcSchema : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::AccessDriverPath().empty()) GTEST_SKIP() << "mdbtools' ODBC driver is not installed";
        mdb::DatabaseWriter writer(scratch_ / "shop.mdb");
        writer.AddTable("Customers", {{"Id", JetType::Long, 0},
                                      {"Name", JetType::Text, 40},
                                      {"Joined", JetType::DateTime, 0},
                                      {"Balance", JetType::Currency, 0},
                                      {"Active", JetType::Boolean, 0},
                                      {"Notes", JetType::Memo, 0}});
        writer.AddTable("Order_Lines", {{"Id", JetType::Long, 0}});
        writer.AddTable("OrderXLines", {{"Id", JetType::Long, 0}});
        writer.AddRow("Customers", {V("1"), V("Ann"), V("1996-07-04"), V("1"), V("True"), V("x")});
        writer.Write();
        session_ = test::OpenAccessSession(scratch_ / "shop.mdb");
        ASSERT_TRUE(session_);
    }

    std::vector<std::vector<std::string>> Schema(const Guid& schema, const Restrictions& restrictions,
                                                 const std::vector<DBCOLUMNINFO>& layout) {
        std::shared_ptr<Rowset> rowset;
        EXPECT_EQ(session_->GetSchemaRowset(schema, restrictions, rowset), S_OK)
            << ::testing::PrintToString(test::ErrorRecords());
        if (!rowset) return {};
        std::vector<DBCOLUMNINFO> columns;
        rowset->GetColumnInfo(columns);
        EXPECT_EQ(columns.size(), layout.size());
        for (std::size_t i = 0; i < std::min(columns.size(), layout.size()); ++i) {
            EXPECT_EQ(columns[i].name, layout[i].name);
        }
        return test::ReadTexts(*rowset);
    }

    static std::vector<std::string> Column(const std::vector<std::vector<std::string>>& rows, std::size_t index) {
        std::vector<std::string> values;
        for (const auto& row : rows) values.push_back(row.at(index));
        return values;
    }

    tabvex::test::ScratchDir scratch_;
    std::shared_ptr<Session> session_;
};

TEST_F(OdbcSchema, TablesAreRestrictedByExactNameAndType) {
    auto all = Schema(DBSCHEMA_TABLES, {}, TablesLayout());
    auto names = Column(all, 2);
    for (const char* table : {"Customers", "Order_Lines", "OrderXLines", "MSysObjects"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), table), names.end()) << table;
    }
    auto user = Schema(DBSCHEMA_TABLES, {std::nullopt, std::nullopt, std::nullopt, "TABLE"}, TablesLayout());
    EXPECT_EQ(Column(user, 2), (std::vector<std::string>{"Customers", "Order_Lines", "OrderXLines"}));
    auto system = Schema(DBSCHEMA_TABLES, {std::nullopt, std::nullopt, std::nullopt, "SYSTEM TABLE"}, TablesLayout());
    EXPECT_FALSE(system.empty());
    // '_' is no wildcard here, and names match without regard to case.
    auto one = Schema(DBSCHEMA_TABLES, {std::nullopt, std::nullopt, "order_lines"}, TablesLayout());
    EXPECT_EQ(Column(one, 2), (std::vector<std::string>{"Order_Lines"}));
    EXPECT_TRUE(Schema(DBSCHEMA_TABLES, {std::nullopt, std::nullopt, "Customers", "VIEW"}, TablesLayout()).empty());
}

TEST_F(OdbcSchema, ColumnsCarryOrdinalsTypesLengthsAndFlags) {
    auto rows = Schema(DBSCHEMA_COLUMNS, {std::nullopt, std::nullopt, "Customers"}, ColumnsLayout());
    ASSERT_EQ(Column(rows, 3), (std::vector<std::string>{"Id", "Name", "Joined", "Balance", "Active", "Notes"}));
    EXPECT_EQ(Column(rows, 6), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(Column(rows, 11), (std::vector<std::string>{"3", "130", "135", "131", "11", "130"}));
    // CHARACTER_MAXIMUM_LENGTH of Name: mdbtools' driver gives bytes (80), not characters.
    EXPECT_TRUE(rows[1][13] == "40" || rows[1][13] == "80") << rows[1][13];
    EXPECT_EQ(rows[5][13], "0");  // as the Jet provider gives a memo
    auto flags = [&](std::size_t row) { return std::stoul(rows[row][9]); };
    EXPECT_EQ(flags(1) & DBCOLUMNFLAGS_ISFIXEDLENGTH, 0u);
    EXPECT_NE(flags(0) & DBCOLUMNFLAGS_ISFIXEDLENGTH, 0u);
    EXPECT_NE(flags(5) & DBCOLUMNFLAGS_ISLONG, 0u);
    EXPECT_EQ(flags(1) & DBCOLUMNFLAGS_ISLONG, 0u);

    auto one = Schema(DBSCHEMA_COLUMNS, {std::nullopt, std::nullopt, "Customers", "balance"}, ColumnsLayout());
    EXPECT_EQ(Column(one, 3), (std::vector<std::string>{"Balance"}));
}

TEST_F(OdbcSchema, CatalogsAndIndexesAnswerWithTheirLayouts) {
    // mdbtools' driver lists no catalogs: the file is the one, named without its
    // ending, so that the program's tree finds its database among the catalogs.
    auto catalogs = Schema(DBSCHEMA_CATALOGS, {}, CatalogsLayout());
    EXPECT_EQ(Column(catalogs, 0), (std::vector<std::string>{(scratch_ / "shop").string()}));
    EXPECT_TRUE(Schema(DBSCHEMA_CATALOGS, {"elsewhere"}, CatalogsLayout()).empty());
    // The writer writes no indexes: the rowset is there and empty.
    EXPECT_TRUE(Schema(DBSCHEMA_INDEXES, {std::nullopt, std::nullopt, std::nullopt, std::nullopt, "Customers"},
                       IndexesLayout())
                    .empty());
}

TEST_F(OdbcSchema, UnknownSchemaIsRefusedWithARecord) {
    std::shared_ptr<Rowset> rowset;
    const Guid assertions = GuidLiteral("{C8B52210-5CF3-11CE-ADE5-00AA0044773D}");
    EXPECT_EQ(session_->GetSchemaRowset(assertions, {}, rowset), E_INVALIDARG);
    EXPECT_EQ(rowset, nullptr);
    EXPECT_FALSE(test::ErrorRecords().empty());
}

}  // namespace
}  // namespace tabvex::odbc
