#include <gtest/gtest.h>

#include "connect/dbms_kind.h"
#include "connect/provider_prog_id.h"

namespace tabvex::connect {
namespace {

TEST(ProviderProgId, MapsDisplayNamesWithoutRegardToCase) {
    EXPECT_EQ(ProviderProgId("Microsoft Jet 4.0 OLE DB Provider"), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(ProviderProgId("MICROSOFT JET 3.51 OLE DB PROVIDER"), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(ProviderProgId("microsoft ole db provider for odbc divers"), "MSDASQL");
    EXPECT_EQ(ProviderProgId("Microsoft Excel Driver"), "MSDASQL");
    EXPECT_EQ(ProviderProgId("Oracle Provider for OLE DB"), "OraOLEDB.Oracle");
    EXPECT_EQ(ProviderProgId("Microsoft OLE DB Provider for SQL Server"), "SQLOLEDB");
}

TEST(ProviderProgId, UnknownNamesComeBackUnchanged) {
    EXPECT_EQ(ProviderProgId("Some Other Provider"), "Some Other Provider");
    EXPECT_EQ(ProviderProgId(""), "");
    EXPECT_EQ(ProviderProgId("Microsoft Jet 4.0 OLE DB Provider "), "Microsoft Jet 4.0 OLE DB Provider ");
}

TEST(DbmsKind, CodesAreTheListPositions) {
    EXPECT_EQ(DbmsKindName(DbmsKind::TextDataFile), "Text Data File");
    EXPECT_EQ(DbmsKindName(kSourceDbmsKind), "Access");
    EXPECT_EQ(static_cast<int>(kSourceDbmsKind), 4);
    EXPECT_EQ(static_cast<int>(kTargetDbmsKind), 5);
    EXPECT_EQ(DbmsKindFromName("sybaseiq"), DbmsKind::SybaseIq);
    EXPECT_EQ(DbmsKindFromName("EXCEL"), DbmsKind::Excel);
    EXPECT_EQ(DbmsKindFromName("db2"), std::nullopt);
}

}  // namespace
}  // namespace tabvex::connect
