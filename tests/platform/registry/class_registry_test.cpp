#include "platform/registry/class_registry.h"

#include <gtest/gtest.h>

#include "platform/jet/jet_data_source.h"
#include "platform/odbc/odbc_data_source.h"
#include "platform/oledb/error_info.h"
#include "support/test_support.h"

namespace tabvex::registry {
namespace {

using namespace tabvex::oledb;

std::string LastErrorDescription() {
    std::shared_ptr<const ErrorObject> error;
    if (GetErrorInfo(error) != S_OK) return "";
    return error->Record(0)->description;
}

TEST(InstalledRegistry, CreatesTheJetProviderByProgIdInAnyLetterCase) {
    std::shared_ptr<ComObject> object;
    ASSERT_EQ(CreateInstanceByProgId("microsoft.jet.oledb.4.0", object), S_OK) << LastErrorDescription();
    EXPECT_NE(std::dynamic_pointer_cast<DataSource>(object), nullptr);

    Guid classId;
    ASSERT_EQ(InstalledRegistry().ClassIdFromProgId("Microsoft.Jet.OLEDB.4.0", classId), S_OK);
    EXPECT_EQ(classId, jet::CLSID_JETOLEDB_4_00);
    ASSERT_EQ(InstalledRegistry().CreateInstance(classId, object), S_OK);
}

TEST(InstalledRegistry, CreatesTheOdbcProviderByProgId) {
    EXPECT_TRUE(ModuleIsAvailable("msdasql"));
    std::shared_ptr<ComObject> object;
    ASSERT_EQ(CreateInstanceByProgId("MSDASQL", object), S_OK) << LastErrorDescription();
    EXPECT_NE(std::dynamic_pointer_cast<odbc::OdbcDataSource>(object), nullptr);
}

TEST(ClassRegistryFile, RegisteredProviderWithoutItsModuleIsNotAvailable) {
    auto registry = ClassRegistry::FromText(
        "[ProgID]\nSome.Provider = {11111111-2222-3333-4444-555555555555}\n"
        "[InprocServer]\n{11111111-2222-3333-4444-555555555555} = notbuilt\n");
    Guid classId;
    ASSERT_EQ(registry.ClassIdFromProgId("Some.Provider", classId), S_OK);
    std::shared_ptr<ComObject> object;
    EXPECT_EQ(registry.CreateInstance(classId, object), CO_E_DLLNOTFOUND);
    EXPECT_EQ(object, nullptr);
    EXPECT_NE(LastErrorDescription().find("not available"), std::string::npos);
}

TEST(InstalledRegistry, ARegisteredModuleServesItsClasses) {
    struct Application : ComObject {};
    Guid excel = *Guid::Parse("{00024500-0000-0000-C000-000000000046}");
    RegisterModule("automation", [excel](const Guid& classId) -> std::shared_ptr<ComObject> {
        if (classId != excel) return nullptr;
        return std::make_shared<Application>();
    });
    std::shared_ptr<ComObject> object;
    EXPECT_EQ(CreateInstanceByProgId("Excel.Application", object), S_OK);
    EXPECT_NE(std::dynamic_pointer_cast<Application>(object), nullptr);
}

TEST(ClassRegistryFile, FailsAsComDoesForUnknownProgIdsAndClasses) {
    auto registry = ClassRegistry::FromText(
        "# test\n[ProgID]\nOnly.Class = {11111111-2222-3333-4444-555555555555}\nBroken = not-a-guid\n"
        "[InprocServer]\n{11111111-2222-3333-4444-555555555555} = jet\n");
    Guid classId;
    EXPECT_EQ(registry.ClassIdFromProgId("Microsoft.Jet.OLEDB.4.0", classId), CO_E_CLASSSTRING);
    EXPECT_NE(LastErrorDescription().find("Microsoft.Jet.OLEDB.4.0"), std::string::npos);
    EXPECT_EQ(registry.ClassIdFromProgId("Broken", classId), CO_E_CLASSSTRING);

    std::shared_ptr<ComObject> object;
    EXPECT_EQ(registry.CreateInstance(jet::CLSID_JETOLEDB_4_00, object), REGDB_E_CLASSNOTREG);
    // Registered to the jet module, which serves no such class.
    ASSERT_EQ(registry.ClassIdFromProgId("only.class", classId), S_OK);
    EXPECT_EQ(registry.CreateInstance(classId, object), CO_E_DLLNOTFOUND);

    tabvex::test::ScratchDir scratch;
    auto missing = ClassRegistry::FromFile(scratch / "absent.cfg");
    EXPECT_EQ(missing.ClassIdFromProgId("Microsoft.Jet.OLEDB.4.0", classId), CO_E_CLASSSTRING);
}

}  // namespace
}  // namespace tabvex::registry
