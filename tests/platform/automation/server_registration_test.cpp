#include <gtest/gtest.h>

#include "platform/automation/application.h"
#include "platform/registry/class_registry.h"

namespace tabvex::automation {
namespace {

TEST(ServerRegistrationTest, TheProgIdCreatesAFreshApplication) {
    std::shared_ptr<oledb::ComObject> first;
    std::shared_ptr<oledb::ComObject> second;
    ASSERT_EQ(registry::CreateInstanceByProgId("Excel.Application", first), oledb::S_OK);
    ASSERT_EQ(registry::CreateInstanceByProgId("excel.application", second), oledb::S_OK);
    auto excel = std::dynamic_pointer_cast<Application>(first);
    ASSERT_NE(excel, nullptr);
    EXPECT_FALSE(excel->Visible());
    EXPECT_EQ(excel->Workbooks().Count(), 0);
    excel->Workbooks().Add();
    EXPECT_EQ(std::dynamic_pointer_cast<Application>(second)->Workbooks().Count(), 0);
}

}  // namespace
}  // namespace tabvex::automation
