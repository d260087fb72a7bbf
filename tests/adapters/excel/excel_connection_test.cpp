#include "adapters/excel/excel_connection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/xls/workbook.h"
#include "shell/program.h"
#include "support/jet_connection.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"

namespace tabvex::adapters {
namespace {

using namespace tabvex::oledb;
using ::testing::ElementsAre;
using ::testing::StartsWith;

std::vector<DBPROPID> Ids(const DBPROPSET& set) {
    std::vector<DBPROPID> ids;
    for (const auto& property : set.properties) ids.push_back(property.id);
    return ids;
}

TEST(ExcelInitProperties, JetPropertiesInOrderAndTheCatalogRecomputedFromTheSourceName) {
    connect::ConnectionSettings settings{"", "Microsoft.Jet.OLEDB.4.0", "sales", "/x/Sales.xls", "pw", "Admin", ""};
    DBPROPSET set{DBPROPSET_DBINIT, {}};
    EXPECT_TRUE(BuildExcelInitProperties(settings, set, false));
    EXPECT_THAT(Ids(set), ElementsAre(DBPROP_AUTH_ENCRYPT_PASSWORD, DBPROP_AUTH_MASK_PASSWORD, DBPROP_AUTH_PASSWORD,
                                      DBPROP_AUTH_USERID, DBPROP_INIT_DATASOURCE, DBPROP_INIT_CATALOG,
                                      DBPROP_INIT_MODE, DBPROP_INIT_PROMPT, DBPROP_INIT_PROVIDERSTRING));
    EXPECT_EQ(set.properties[2].value, PropertyValue{std::string("pw")});
    EXPECT_EQ(set.properties[6].value, PropertyValue{std::int32_t{16}});
    EXPECT_EQ(set.properties[7].value, PropertyValue{std::int16_t{4}});
    EXPECT_EQ(set.properties[8].value, PropertyValue{std::string("Excel 8.0;HDR=Yes;")});
    EXPECT_EQ(settings.catalogName, "/x/Sales");

    // The ending in any case, and only at the end of the file's name.
    for (auto [source, catalog] : {std::pair{"/x/BOOK.XLS", "/x/BOOK"}, {"/x/annualxls", "/x/annualxls"},
                                   {"/x/old.xls.d/Book", "/x/old.xls.d/Book"}, {"", ""}}) {
        connect::ConnectionSettings other{"", "microsoft.jet.oledb.4.0", "old", source, "", "", ""};
        DBPROPSET otherSet{DBPROPSET_DBINIT, {}};
        BuildExcelInitProperties(other, otherSet, false);
        EXPECT_EQ(other.catalogName, catalog) << source;
    }
}

TEST(ExcelInitProperties, CatalogRepeatingTheFileNameIsLeftOutWhenConnectingOnly) {
    connect::ConnectionSettings settings{"", "MSDASQL", "/x/Sales", "/x/sales.XLS", "", "", ""};
    DBPROPSET connecting{DBPROPSET_DBINIT, {}};
    BuildExcelInitProperties(settings, connecting, false);
    DBPROPSET testing{DBPROPSET_DBINIT, {}};
    BuildExcelInitProperties(settings, testing, true);
    EXPECT_EQ(connecting.properties.size(), 8u);
    EXPECT_EQ(testing.properties[5].value, PropertyValue{std::string("/x/Sales")});
    EXPECT_EQ(connecting.properties.back().value,
              PropertyValue{std::string("Driver={Microsoft Excel Driver (*.xls)};DriverId=790;ReadOnly=0;")});
    EXPECT_EQ(testing.properties.back().value,
              PropertyValue{std::string("Driver={Microsoft Excel Driver (*.xls)};DriverId=790;")});
    EXPECT_EQ(settings.catalogName, "/x/Sales") << "only Jet rewrites the catalog";
}

class ExcelVersionTest : public ::testing::Test {
protected:
    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    shell::Program program{ui, scratch.path()};
};

TEST_F(ExcelVersionTest, JetRefusesTheStatementAndItsDescriptionIsTheText) {
    auto book = xls::Workbook::CreateNew({"Sheet1"});
    book.Save(scratch / "book.xls");
    EXPECT_EQ(QueryExcelVersion(program.output(), test::OpenJetConnection(scratch / "book.xls")),
              "Syntax error at position 8 near '@'.");
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(QueryExcelVersion(program.output(), connect::ConnectionHolder{}), "No Connection!");
    ASSERT_EQ(ui.lines().size(), 1u);
    EXPECT_THAT(ui.messages()[0], StartsWith("No Connection! \r\n failed with error code:[0x"));
    EXPECT_FALSE(ui.lines()[0].colours) << "a plain line";
}

}  // namespace
}  // namespace tabvex::adapters
