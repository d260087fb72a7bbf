#include "platform/oledb/property_store.h"

#include <gtest/gtest.h>

namespace tabvex::oledb {
namespace {

PropertyStore RowsetProperties() {
    return PropertyStore({{DBPROPSET_ROWSET, DBPROP_IRowset, PropertyValue{false}},
                          {DBPROPSET_ROWSET, DBPROP_UPDATABILITY, PropertyValue{std::int32_t{0}}}});
}

TEST(PropertyStore, SetsKnownPropertiesOfTheRightKind) {
    auto store = RowsetProperties();
    DBPROPSET set{DBPROPSET_ROWSET, {}};
    AddProperty(set, DBPROP_IRowset, true);
    AddProperty(set, DBPROP_UPDATABILITY, std::int32_t{7});
    std::vector sets{set};
    EXPECT_EQ(store.SetProperties(sets), S_OK);
    EXPECT_EQ(std::get<std::int32_t>(*store.Get(DBPROPSET_ROWSET, DBPROP_UPDATABILITY)), 7);
    EXPECT_EQ(sets[0].properties[1].status, DBPROPSTATUS_OK);
}

TEST(PropertyStore, ReportsEachRejectedPropertyByItsStatus) {
    auto store = RowsetProperties();
    DBPROPSET set{DBPROPSET_ROWSET, {}};
    AddProperty(set, DBPROP_IRowset, true);
    AddProperty(set, DBPROP_UPDATABILITY, std::string("7"));  // wrong VARIANT kind
    AddProperty(set, 999, true);
    set.properties.back().options = DBPROPOPTIONS_OPTIONAL;
    std::vector sets{set};
    EXPECT_EQ(store.SetProperties(sets), DB_S_ERRORSOCCURRED);
    EXPECT_EQ(sets[0].properties[1].status, DBPROPSTATUS_BADVALUE);
    EXPECT_EQ(sets[0].properties[2].status, DBPROPSTATUS_NOTSET);
    EXPECT_EQ(std::get<std::int32_t>(*store.Get(DBPROPSET_ROWSET, DBPROP_UPDATABILITY)), 0);

    DBPROPSET other{DBPROPSET_DBINIT, {}};
    AddProperty(other, DBPROP_IRowset, true);  // right id, wrong set
    std::vector none{other};
    EXPECT_EQ(store.SetProperties(none), DB_E_ERRORSOCCURRED);
    EXPECT_EQ(none[0].properties[0].status, DBPROPSTATUS_NOTSUPPORTED);
}

}  // namespace
}  // namespace tabvex::oledb
