#include "platform/automation/variant.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/automation/automation_error.h"

namespace tabvex::automation {
namespace {

HRESULT CodeOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& error) {
        return error.code();
    }
    return oledb::S_OK;
}

TEST(VariantTest, MissingIsTheParameterNotFoundErrorAndNothingElse) {
    EXPECT_TRUE(Variant::Missing().IsMissing());
    EXPECT_TRUE(Variant::Missing().IsError());
    EXPECT_FALSE(Variant().IsMissing());
    EXPECT_FALSE(Variant(Variant::Error{DISP_E_TYPEMISMATCH}).IsMissing());
    EXPECT_FALSE(Variant(0).IsMissing());
}

TEST(VariantTest, ValuesBecomeTextAsTheAutomationRuntimeWritesThem) {
    EXPECT_EQ(Variant().ToText(), "");
    EXPECT_EQ(Variant("Name").ToText(), "Name");
    EXPECT_EQ(Variant(true).ToText(), "True");
    EXPECT_EQ(Variant(std::int16_t{-7}).ToText(), "-7");
    EXPECT_EQ(Variant(42.0).ToText(), "42");
    EXPECT_EQ(Variant(0.1).ToText(), "0.1");
    EXPECT_EQ(Variant(-0.0).ToText(), "0");
    EXPECT_EQ(Variant(1e20).ToText(), "1E+20");
    EXPECT_EQ(Variant(1.0 / 3).ToText(), "0.333333333333333");
    EXPECT_EQ(Variant(10.5f).ToText(), "10.5");
}

TEST(VariantTest, NumbersRoundHalfToEvenAndTextConvertsWhenItReadsAsANumber) {
    EXPECT_EQ(Variant(2.5).ToInt32(), 2);
    EXPECT_EQ(Variant(3.5).ToInt32(), 4);
    EXPECT_EQ(Variant(-4108).ToInt32(), -4108);
    EXPECT_EQ(Variant(" 12 ").ToInt32(), 12);
    EXPECT_EQ(Variant(true).ToInt32(), -1);
    EXPECT_TRUE(Variant("TRUE").ToBool());
    EXPECT_FALSE(Variant("0").ToBool());
    EXPECT_FALSE(Variant().ToBool());
}

TEST(VariantTest, UnconvertibleValuesRaiseTheirErrors) {
    EXPECT_EQ(CodeOf([] { Variant::Missing().ToText(); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CodeOf([] { Variant("Bold").ToInt32(); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CodeOf([] { Variant("").ToDouble(); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CodeOf([] { Variant("1e999").ToDouble(); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CodeOf([] { Variant(3e9).ToInt32(); }), DISP_E_OVERFLOW);
}

}  // namespace
}  // namespace tabvex::automation
