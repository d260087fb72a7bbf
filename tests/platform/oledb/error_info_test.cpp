#include "platform/oledb/error_info.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/oledb/interface_ids.h"
#include "platform/oledb/message_table.h"

namespace tabvex::oledb {
namespace {

TEST(ThreadErrorObject, IsTakenOnceAndOnlyByItsThread) {
    ReportError(DB_E_NOTABLE, IID_ICommandPrepare, "The table 'Ordres' does not exist.");

    std::shared_ptr<const ErrorObject> seenElsewhere;
    HRESULT elsewhere = S_OK;
    std::thread([&] { elsewhere = GetErrorInfo(seenElsewhere); }).join();
    EXPECT_EQ(elsewhere, S_FALSE);
    EXPECT_EQ(seenElsewhere, nullptr);

    std::shared_ptr<const ErrorObject> error;
    ASSERT_EQ(GetErrorInfo(error), S_OK);
    ASSERT_TRUE(error->HasRecords());
    EXPECT_EQ(error->FirstCode(), DB_E_NOTABLE);
    EXPECT_EQ(error->Record(0)->description, "The table 'Ordres' does not exist.");
    EXPECT_EQ(error->Record(0)->interfaceId, IID_ICommandPrepare);

    EXPECT_EQ(GetErrorInfo(error), S_FALSE);
    EXPECT_EQ(error, nullptr);
}

TEST(ThreadErrorObject, SettingNullClearsIt) {
    ReportError(E_FAIL, IID_IRowset, "x");
    SetErrorInfo(nullptr);
    std::shared_ptr<const ErrorObject> error;
    EXPECT_EQ(GetErrorInfo(error), S_FALSE);
}

TEST(ErrorObjectRecords, ObjectWithoutRecordsCountsAsOneRecord) {
    auto error = ErrorObject::WithoutRecords(ErrorInfo{"bare description", "src", {}, 0, {}});
    EXPECT_FALSE(error->HasRecords());
    EXPECT_EQ(error->RecordCount(), 1u);
    EXPECT_EQ(error->Record(0)->description, "bare description");
    EXPECT_FALSE(error->Record(1).has_value());
}

TEST(ErrorObjectRecords, KeepsRecordOrderAndAllowsNone) {
    auto error = ErrorObject::WithRecords({{DB_E_ERRORSINCOMMAND, {"first", "", {}, 0, {}}},
                                           {E_FAIL, {"second", "", {}, 0, {}}},
                                           {E_FAIL, {"third", "", {}, 0, {}}}});
    EXPECT_EQ(error->RecordCount(), 3u);
    EXPECT_EQ(error->Record(0)->description, "first");
    EXPECT_EQ(error->Record(2)->description, "third");

    auto empty = ErrorObject::WithRecords({});
    EXPECT_TRUE(empty->HasRecords());
    EXPECT_EQ(empty->RecordCount(), 0u);
    EXPECT_FALSE(empty->Record(0).has_value());
}

TEST(MessageTable, HoldsATextForEveryCodeTheLayerReturns) {
    for (HRESULT code : {S_OK, S_FALSE, DB_S_ENDOFROWSET, DB_S_ERRORSOCCURRED, E_NOTIMPL, E_NOINTERFACE,
                         E_POINTER, E_FAIL, E_UNEXPECTED, E_OUTOFMEMORY, E_INVALIDARG, E_ACCESSDENIED,
                         REGDB_E_CLASSNOTREG, CO_E_CLASSSTRING, CO_E_DLLNOTFOUND, CLASS_E_NOAGGREGATION,
                         DISP_E_EXCEPTION, DB_E_BADACCESSORHANDLE, DB_E_READONLYACCESSOR,
                         DB_E_SCHEMAVIOLATION, DB_E_BADROWHANDLE, DB_E_CANTCONVERTVALUE, DB_E_BADBINDINFO,
                         DB_E_NOCOMMAND, DB_E_PARAMNOTOPTIONAL, DB_E_BADCOLUMNID, DB_E_ERRORSINCOMMAND, DB_E_DIALECTNOTSUPPORTED,
                         DB_E_ERRORSOCCURRED, DB_E_INTEGRITYVIOLATION, DB_E_BADTYPENAME, DB_E_NOTABLE,
                         DB_E_BADTABLEID, DB_E_DUPLICATECOLUMNID, DB_E_DUPLICATETABLEID,
                         DB_E_BADACCESSORFLAGS, DB_SEC_E_AUTH_FAILED, DB_E_ALREADYINITIALIZED,
                         DB_E_NOTSUPPORTED, DB_E_BADORDINAL, DB_E_DATAOVERFLOW}) {
        auto text = ResultCodeMessage(code);
        ASSERT_TRUE(text.has_value()) << std::hex << code;
        EXPECT_FALSE(text->empty());
        EXPECT_NE(text->back(), '\n');
    }
    EXPECT_EQ(ResultCodeMessage(DB_E_ERRORSINCOMMAND), "Command contained one or more errors.");
    EXPECT_FALSE(ResultCodeMessage(MakeResult(0x80040200)).has_value());
}

TEST(GuidText, RoundTripsAndRefusesMalformedText) {
    const char* text = "{0C733A26-2A1C-11CE-ADE5-00AA0044773D}";
    auto guid = Guid::Parse("{0c733a26-2a1c-11ce-ade5-00aa0044773d}");
    ASSERT_TRUE(guid.has_value());
    EXPECT_EQ(guid->ToString(), text);
    EXPECT_EQ(*guid, IID_ICommandPrepare);
    EXPECT_TRUE(IID_NULL.IsNull());
    EXPECT_FALSE(Guid::Parse("0C733A26-2A1C-11CE-ADE5-00AA0044773D").has_value());
    EXPECT_FALSE(Guid::Parse("{0C733A26-2A1C-11CE-ADE5-00AA0044773G}").has_value());
    EXPECT_FALSE(Guid::Parse("{0C733A26+2A1C-11CE-ADE5-00AA0044773D}").has_value());
}

}  // namespace
}  // namespace tabvex::oledb
