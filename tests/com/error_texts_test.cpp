#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <regex>

#include "com/automation_error_text.h"
#include "com/error_line.h"
#include "com/error_record_text.h"
#include "com/provider_error_text.h"
#include "com/system_error_text.h"
#include "platform/oledb/interface_ids.h"

namespace tabvex::com {
namespace {

using oledb::ErrorInfo;
using oledb::ErrorObject;
using oledb::ErrorRecord;
using oledb::MakeResult;

TEST(ErrorLine, CodeIsEightLowerCaseHexDigitsBetweenTheLineBreaks) {
    EXPECT_EQ(FormatErrorLine("Create Accessor", 0x80040E14, "Command contained one or more errors."),
              "Create Accessor \r\n failed with error code:[0x80040e14] \r\n discription:Command contained one or more errors.");
    EXPECT_EQ(FormatErrorLine("open", 0, ""), "open \r\n failed with error code:[0x00000000] \r\n discription:");
}

TEST(ErrorLine, LongPartsAreNeverCut) {
    const std::string label(3000, 'l'), description(5000, 'd');
    const std::string line = FormatErrorLine(label, 1, description);
    EXPECT_TRUE(line.starts_with(label + " \r\n"));
    EXPECT_TRUE(line.ends_with("discription:" + description));
}

TEST(SystemErrorText, UsesTheThreadsLastErrorAndItsSystemText) {
    errno = ENOENT;
    EXPECT_EQ(SystemErrorText("No Source Connection!"),
              "No Source Connection! \r\n failed with error code:[0x00000002] \r\n discription:No such file or directory");
    errno = 0;
    EXPECT_EQ(SystemErrorText("Drop Table"), "Drop Table \r\n failed with error code:[0x00000000] \r\n discription:Success");
}

TEST(ProviderErrorText, TakesTheTextFromTheMessageTable) {
    EXPECT_EQ(ProviderErrorText(oledb::E_FAIL, "Bind Entry"),
              "Bind Entry \r\n failed with error code:[0x80004005] \r\n discription:Unspecified error.");
    EXPECT_THAT(ProviderErrorText(MakeResult(0x8123ABCD), "Drop Database"),
                ::testing::StartsWith("Drop Database \r\n failed with error code:[0x8123abcd] \r\n discription:"));
}

// A provider object that answers ISupportErrorInfo for one interface only.
class FakeProviderObject : public oledb::SupportErrorInfo {
public:
    bool InterfaceSupportsErrorInfo(const oledb::Guid& id) const override { return id == oledb::IID_ICommandText; }
};

class ErrorRecordTextTest : public ::testing::Test {
protected:
    void TearDown() override { oledb::SetErrorInfo(nullptr); }
    FakeProviderObject command;
};

TEST_F(ErrorRecordTextTest, FirstRecordOnlyAndTheThreadsSlotIsTaken) {
    oledb::SetErrorInfo(ErrorObject::WithRecords({
        ErrorRecord{oledb::E_FAIL, ErrorInfo{"Syntax error in FROM clause.", "Jet", oledb::IID_ICommandText, 0, {}}},
        ErrorRecord{oledb::E_FAIL, ErrorInfo{"second", "Jet", oledb::IID_ICommandText, 0, {}}},
        ErrorRecord{oledb::E_FAIL, ErrorInfo{"third", "Jet", oledb::IID_ICommandText, 0, {}}},
    }));
    EXPECT_EQ(ErrorRecordText(&command, oledb::IID_ICommandText), "Syntax error in FROM clause.");
    EXPECT_EQ(ErrorRecordText(&command, oledb::IID_ICommandText), kUnknownError) << "the error object was consumed";
}

TEST_F(ErrorRecordTextTest, ErrorObjectWithoutRecordsIsReadAsRecordZero) {
    oledb::SetErrorInfo(ErrorObject::WithoutRecords(ErrorInfo{"Bare description", "", {}, 0, {}}));
    EXPECT_EQ(ErrorRecordText(&command, oledb::IID_ICommandText), "Bare description");
}

TEST_F(ErrorRecordTextTest, UnknownErrorWhenNothingCanBeSaid) {
    oledb::SetErrorInfo(ErrorObject::WithoutRecords(ErrorInfo{"kept", "", {}, 0, {}}));
    EXPECT_EQ(ErrorRecordText(&command, oledb::IID_IRowset), kUnknownError) << "interface without error info";
    EXPECT_EQ(ErrorRecordText(nullptr, oledb::IID_ICommandText), kUnknownError) << "no object at all";
    EXPECT_EQ(ErrorRecordText(&command, oledb::IID_ICommandText), "kept") << "refusals leave the error object alone";
    EXPECT_EQ(ErrorRecordText(&command, oledb::IID_ICommandText), kUnknownError) << "no error object on the thread";
    oledb::SetErrorInfo(ErrorObject::WithRecords({}));
    EXPECT_EQ(ErrorRecordText(&command, oledb::IID_ICommandText), kUnknownError) << "zero records";
}

TEST_F(ErrorRecordTextTest, AProvidersReasonFollowsTheCodesMessageOnce) {
    oledb::SetErrorInfo(ErrorObject::WithRecords(
        {ErrorRecord{oledb::E_FAIL, ErrorInfo{"shop.accdb: the file does not exist", "Jet", {}, 0, {}}}}));
    EXPECT_EQ(ProviderErrorText(oledb::E_FAIL, "Open tables Error: "),
              "Open tables Error:  \r\n failed with error code:[0x80004005] \r\n discription:Unspecified error. "
              "shop.accdb: the file does not exist");
    EXPECT_EQ(ProviderErrorText(oledb::E_FAIL, "Bind Entry"),
              "Bind Entry \r\n failed with error code:[0x80004005] \r\n discription:Unspecified error.")
        << "the record was taken with the first line";
}

TEST(AutomationErrorText, KnownCodesGiveTheirTextUnknownOnesTheFallbackForms) {
    EXPECT_EQ(AutomationErrorText(oledb::DISP_E_EXCEPTION), "Exception occurred.");
    // The codes the spreadsheet object model raises have their texts too.
    EXPECT_EQ(AutomationErrorText(oledb::DISP_E_BADINDEX), "Invalid index.");
    EXPECT_EQ(AutomationErrorText(oledb::DISP_E_TYPEMISMATCH), "Type mismatch.");
    EXPECT_EQ(AutomationErrorText(oledb::RPC_E_DISCONNECTED), "The object invoked has disconnected from its clients.");
    EXPECT_EQ(AutomationErrorText(MakeResult(0x80040203)), "IDispatch error #3");
    EXPECT_EQ(AutomationErrorText(MakeResult(0x8004FFFF)), "IDispatch error #65023");
    EXPECT_EQ(AutomationErrorText(MakeResult(0x80040200)), "Unknown error 0x80040200");
    EXPECT_EQ(AutomationErrorText(MakeResult(0x800a03ec)), "Unknown error 0x800A03EC");
}

}  // namespace
}  // namespace tabvex::com
