#include "platform/jet/schema_rowsets.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "jet_test_support.h"

namespace tabvex::jet {
namespace {

using namespace tabvex::oledb;
using test::ColumnOf;
using test::LastErrorDescription;

class NorthwindSchema : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::NorthwindPath().empty()) GTEST_SKIP() << "corpus absent";
        session_ = test::OpenSession(test::NorthwindPath());
        ASSERT_NE(session_, nullptr);
    }

    std::shared_ptr<Rowset> Schema(const Guid& schema, const Restrictions& restrictions) {
        std::shared_ptr<Rowset> rowset;
        EXPECT_EQ(session_->GetSchemaRowset(schema, restrictions, rowset), S_OK) << LastErrorDescription();
        return rowset;
    }

    std::shared_ptr<Session> session_;
};

TEST_F(NorthwindSchema, TablesByTypeAsTheTreeAsksForThem) {
    auto tables = ColumnOf(*Schema(DBSCHEMA_TABLES, {std::nullopt, std::nullopt, std::nullopt, "TABLE"}), "TABLE_NAME");
    EXPECT_EQ(tables, (std::vector<std::string>{"Categories", "Customers", "Employees", "Order Details", "Orders",
                                                "Products", "Shippers", "Suppliers"}));

    auto views = ColumnOf(*Schema(DBSCHEMA_TABLES, {std::nullopt, std::nullopt, std::nullopt, "VIEW"}), "TABLE_NAME");
    EXPECT_NE(std::find(views.begin(), views.end(), "Products by Category"), views.end());
    EXPECT_EQ(std::find(views.begin(), views.end(), "Orders"), views.end());

    auto system = ColumnOf(*Schema(DBSCHEMA_TABLES, {std::nullopt, std::nullopt, "msysobjects"}), "TABLE_TYPE");
    EXPECT_EQ(system, std::vector<std::string>{"SYSTEM TABLE"});

    std::vector<DBCOLUMNINFO> columns;
    Schema(DBSCHEMA_TABLES, {})->GetColumnInfo(columns);
    EXPECT_EQ(columns.front().name, "TABLE_CATALOG") << "schema rowsets report no bookmark column";
    EXPECT_EQ(columns[3].name, "TABLE_TYPE");
}

TEST_F(NorthwindSchema, ColumnsOfOneTableInTableOrderWithTypesAndFlags) {
    auto rowset = Schema(DBSCHEMA_COLUMNS, {std::nullopt, std::nullopt, "shippers"});
    auto rows = test::ReadAll(*rowset);
    ASSERT_EQ(rows.size(), 3u);
    // TABLE_NAME 2, COLUMN_NAME 3, ORDINAL_POSITION 6, COLUMN_FLAGS 9, DATA_TYPE 11, CHARACTER_MAXIMUM_LENGTH 13
    EXPECT_EQ(rows[0][3], "ShipperID");
    EXPECT_EQ(rows[0][6], "1");
    EXPECT_EQ(rows[0][11], "3");  // Long (AutoNumber): DBTYPE_I4
    EXPECT_EQ(rows[1][3], "CompanyName");
    EXPECT_EQ(rows[1][11], "130");
    EXPECT_EQ(rows[1][13], "40");
    EXPECT_EQ(rows[2][3], "Phone");
    EXPECT_EQ(rows[0][2], "Shippers");

    auto oneColumn = ColumnOf(*Schema(DBSCHEMA_COLUMNS, {std::nullopt, std::nullopt, "Shippers", "phone"}), "COLUMN_NAME");
    EXPECT_EQ(oneColumn, std::vector<std::string>{"Phone"});
}

TEST_F(NorthwindSchema, IndexesGiveOneRowPerIndexColumnRestrictedByTheFifthRestriction) {
    auto rowset = Schema(DBSCHEMA_INDEXES, {std::nullopt, std::nullopt, std::nullopt, std::nullopt, "Order Details"});
    auto rows = test::ReadAll(*rowset);
    // TABLE_NAME 2, INDEX_NAME 5, PRIMARY_KEY 6, COLUMN_NAME 17
    std::vector<std::string> primaryColumns;
    for (const auto& row : rows) {
        EXPECT_EQ(row[2], "Order Details");
        if (row[5] == "PrimaryKey") {
            EXPECT_EQ(row[6], "True");
            primaryColumns.push_back(row[17]);
        }
    }
    EXPECT_EQ(primaryColumns, (std::vector<std::string>{"OrderID", "ProductID"}));
}

TEST_F(NorthwindSchema, UnknownTablesGiveEmptyRowsetsAndCatalogsAreRefused) {
    EXPECT_TRUE(test::ReadAll(*Schema(DBSCHEMA_COLUMNS, {std::nullopt, std::nullopt, "Ordres"})).empty());
    EXPECT_TRUE(test::ReadAll(*Schema(DBSCHEMA_TABLES, {"somecatalog"})).empty());

    std::shared_ptr<Rowset> rowset;
    EXPECT_EQ(session_->GetSchemaRowset(DBSCHEMA_CATALOGS, {}, rowset), E_INVALIDARG);
    EXPECT_EQ(rowset, nullptr);
    EXPECT_NE(LastErrorDescription().find("CATALOGS"), std::string::npos);
}

}  // namespace
}  // namespace tabvex::jet
