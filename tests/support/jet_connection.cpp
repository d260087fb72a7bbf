#include "support/jet_connection.h"

#include <gtest/gtest.h>

#include "platform/registry/class_registry.h"

namespace tabvex::test {

using namespace tabvex::oledb;

connect::ConnectionHolder OpenJetConnection(const std::filesystem::path& file) {
    connect::ConnectionHolder holder;
    std::shared_ptr<ComObject> object;
    EXPECT_EQ(registry::CreateInstanceByProgId("Microsoft.Jet.OLEDB.4.0", object), S_OK);
    holder.dataSource = std::dynamic_pointer_cast<DataSource>(object);
    if (!holder.dataSource) return {};
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    AddProperty(init, DBPROP_INIT_DATASOURCE, file.string());
    AddProperty(init, DBPROP_INIT_PROVIDERSTRING,
                std::string(file.extension() == ".xls" ? "Excel 8.0;HDR=Yes;" : ";COUNTRY=0;CP=1252;LANGID=0x0409"));
    std::vector sets{init};
    EXPECT_EQ(holder.dataSource->SetProperties(sets), S_OK);
    EXPECT_EQ(holder.dataSource->Initialize(), S_OK) << file;
    EXPECT_EQ(holder.dataSource->CreateSession(holder.session), S_OK) << file;
    return holder;
}

}  // namespace tabvex::test
