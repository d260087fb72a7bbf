#include "platform/oledb/rowset.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/oledb/interface_ids.h"

namespace tabvex::oledb {
namespace {

// The row buffer of the row transfer: one 8200-byte slot per column, value in the
// first 8192 bytes, then the 32-bit length and the 32-bit status.
constexpr std::size_t kSlot = 8200;
constexpr std::size_t kMaxText = 8192;

std::vector<DBBINDING> TextSlots(std::size_t count, DBORDINAL firstOrdinal) {
    std::vector<DBBINDING> bindings;
    for (std::size_t i = 0; i < count; ++i) {
        DBBINDING binding;
        binding.ordinal = firstOrdinal + i;
        binding.valueOffset = i * kSlot;
        binding.lengthOffset = i * kSlot + kMaxText;
        binding.statusOffset = i * kSlot + kMaxText + 4;
        binding.maxLength = kMaxText;
        binding.type = DBTYPE_STR;
        bindings.push_back(binding);
    }
    return bindings;
}

struct Slot {
    std::string text;
    std::uint32_t length;
    DBSTATUS status;
};

Slot ReadSlot(const std::vector<std::byte>& buffer, std::size_t index, std::size_t maxText = kMaxText,
              std::size_t slot = kSlot) {
    Slot read;
    read.text = reinterpret_cast<const char*>(buffer.data() + index * slot);
    std::memcpy(&read.length, buffer.data() + index * slot + maxText, 4);
    std::memcpy(&read.status, buffer.data() + index * slot + maxText + 4, 4);
    return read;
}

DBCOLUMNINFO Column(const char* name, DBORDINAL ordinal, DBTYPE type) {
    DBCOLUMNINFO column;
    column.name = name;
    column.ordinal = ordinal;
    column.type = type;
    return column;
}

std::shared_ptr<Rowset> PeopleRowset(Rowset::Bookmark bookmark) {
    std::vector<DBCOLUMNINFO> columns{Column("Name", 1, DBTYPE_WSTR), Column("Age", 2, DBTYPE_I4),
                                      Column("Born", 3, DBTYPE_DATE)};
    std::vector<std::vector<Value>> rows;
    rows.push_back({Value{std::string("Ada")}, Value{std::int64_t{36}}, Value{DateTime{1815, 12, 10}}});
    rows.push_back({Value{std::string("Grace")}, Value{}, Value{DateTime{1906, 12, 9, 8, 30, 0}}});
    return std::make_shared<Rowset>(std::make_unique<MemoryRowSource>(columns, std::move(rows)), bookmark);
}

TEST(RowsetColumns, CommandRowsetReportsAndCountsItsBookmarkColumn) {
    auto rowset = PeopleRowset(Rowset::Bookmark::Reported);
    std::vector<DBCOLUMNINFO> columns;
    ASSERT_EQ(rowset->GetColumnInfo(columns), S_OK);
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[0].ordinal, 0u);
    EXPECT_TRUE(columns[0].flags & DBCOLUMNFLAGS_ISBOOKMARK);
    EXPECT_EQ(columns[1].name, "Name");
    EXPECT_EQ(columns[3].ordinal, 3u);

    auto schemaLike = PeopleRowset(Rowset::Bookmark::None);
    ASSERT_EQ(schemaLike->GetColumnInfo(columns), S_OK);
    EXPECT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].name, "Name");
}

// The row transfer's way: count minus one bindings over ordinals 1..count-1.
TEST(RowsetFetch, TextSlotsCarryValuesNullStatusAndEndOfRowset) {
    auto rowset = PeopleRowset(Rowset::Bookmark::Reported);
    std::vector<DBCOLUMNINFO> columns;
    rowset->GetColumnInfo(columns);
    auto bindings = TextSlots(columns.size() - 1, 1);
    HACCESSOR accessor = 0;
    ASSERT_EQ(rowset->CreateAccessor(DBACCESSOR_ROWDATA, bindings, accessor), S_OK);
    std::vector<std::byte> buffer(columns.size() * kSlot);

    HROW row = 0;
    ASSERT_EQ(rowset->GetNextRows(row), S_OK);
    ASSERT_EQ(rowset->GetData(row, accessor, buffer.data()), S_OK);
    EXPECT_EQ(ReadSlot(buffer, 0).text, "Ada");
    EXPECT_EQ(ReadSlot(buffer, 0).length, 3u);
    EXPECT_EQ(ReadSlot(buffer, 1).text, "36");
    EXPECT_EQ(ReadSlot(buffer, 2).text, "1815-12-10");
    rowset->ReleaseRows(row);

    ASSERT_EQ(rowset->GetNextRows(row), S_OK);
    ASSERT_EQ(rowset->GetData(row, accessor, buffer.data()), S_OK);
    EXPECT_EQ(ReadSlot(buffer, 1).status, DBSTATUS_S_ISNULL);
    EXPECT_EQ(ReadSlot(buffer, 1).text, "") << "a NULL must not show the previous row's value";
    EXPECT_EQ(ReadSlot(buffer, 2).text, "1906-12-09 08:30:00");
    rowset->ReleaseRows(row);

    EXPECT_EQ(rowset->GetNextRows(row), DB_S_ENDOFROWSET);
    EXPECT_EQ(row, 0u);
    EXPECT_EQ(rowset->GetNextRows(row), DB_S_ENDOFROWSET);
}

TEST(RowsetFetch, TooLongTextIsCutAtACharacterBoundaryAndMarkedTruncated) {
    std::string value = "ab\xC3\xA9\xC3\xA9";  // "abéé": 6 bytes
    std::vector<std::vector<Value>> rows{{Value{value}}, {Value{std::string(9000, 'x')}}};
    Rowset rowset(std::make_unique<MemoryRowSource>(std::vector{Column("T", 1, DBTYPE_WSTR)}, std::move(rows)),
                  Rowset::Bookmark::None);

    DBBINDING small;
    small.ordinal = 1;
    small.valueOffset = 0;
    small.maxLength = 4;  // room for 3 bytes and the zero: "ab" and half an é
    small.lengthOffset = 8;
    small.statusOffset = 12;
    DBBINDING slot = TextSlots(1, 1)[0];
    slot.valueOffset += 16;
    slot.lengthOffset += 16;
    slot.statusOffset += 16;
    HACCESSOR accessor = 0;
    ASSERT_EQ(rowset.CreateAccessor(DBACCESSOR_ROWDATA, std::vector{small, slot}, accessor), S_OK);
    std::vector<std::byte> buffer(16 + kSlot);

    HROW row = 0;
    rowset.GetNextRows(row);
    EXPECT_EQ(rowset.GetData(row, accessor, buffer.data()), DB_S_ERRORSOCCURRED);
    Slot cut = ReadSlot(buffer, 0, 8, 0);
    EXPECT_EQ(cut.text, "ab");
    EXPECT_EQ(cut.length, 6u) << "the length part tells the whole value's length";
    EXPECT_EQ(cut.status, DBSTATUS_S_TRUNCATED);

    rowset.GetNextRows(row);
    EXPECT_EQ(rowset.GetData(row, accessor, buffer.data()), DB_S_ERRORSOCCURRED);
    std::vector<std::byte> shifted(buffer.begin() + 16, buffer.end());
    Slot full = ReadSlot(shifted, 0);
    EXPECT_EQ(full.text.size(), kMaxText - 1);
    EXPECT_EQ(full.status, DBSTATUS_S_TRUNCATED);
}

TEST(RowsetFetch, NumericBindingsConvertOrReportTheirStatus) {
    std::vector<std::vector<Value>> rows{{Value{std::string("42")}, Value{std::int64_t{70000}}, Value{true}}};
    Rowset rowset(std::make_unique<MemoryRowSource>(
                      std::vector{Column("A", 1, DBTYPE_WSTR), Column("B", 2, DBTYPE_I4), Column("C", 3, DBTYPE_BOOL)},
                      std::move(rows)),
                  Rowset::Bookmark::None);
    struct Record {
        std::int32_t a;
        DBSTATUS aStatus;
        std::int16_t b;
        DBSTATUS bStatus;
        std::int16_t c;
        DBSTATUS cStatus;
    } record{};
    auto bind = [](DBORDINAL ordinal, DBTYPE type, std::size_t value, std::size_t status) {
        DBBINDING binding;
        binding.ordinal = ordinal;
        binding.type = type;
        binding.valueOffset = value;
        binding.statusOffset = status;
        binding.parts = DBPART_VALUE | DBPART_STATUS;
        return binding;
    };
    std::vector<DBBINDING> bindings{bind(1, DBTYPE_I4, offsetof(Record, a), offsetof(Record, aStatus)),
                                    bind(2, DBTYPE_I2, offsetof(Record, b), offsetof(Record, bStatus)),
                                    bind(3, DBTYPE_BOOL, offsetof(Record, c), offsetof(Record, cStatus))};
    HACCESSOR accessor = 0;
    ASSERT_EQ(rowset.CreateAccessor(DBACCESSOR_ROWDATA, bindings, accessor), S_OK);
    HROW row = 0;
    rowset.GetNextRows(row);
    EXPECT_EQ(rowset.GetData(row, accessor, &record), DB_S_ERRORSOCCURRED);
    EXPECT_EQ(record.a, 42);
    EXPECT_EQ(record.aStatus, DBSTATUS_S_OK);
    EXPECT_EQ(record.bStatus, DBSTATUS_E_DATAOVERFLOW);
    EXPECT_EQ(record.c, -1);
}

TEST(RowsetErrors, BadAccessorsAndRowHandlesFailWithARecord) {
    auto rowset = PeopleRowset(Rowset::Bookmark::Reported);
    HACCESSOR accessor = 0;
    auto beyond = TextSlots(1, 4);
    EXPECT_EQ(rowset->CreateAccessor(DBACCESSOR_ROWDATA, beyond, accessor), DB_E_ERRORSOCCURRED);
    std::shared_ptr<const ErrorObject> error;
    ASSERT_EQ(GetErrorInfo(error), S_OK);
    EXPECT_NE(error->Record(0)->description.find("ordinal 4"), std::string::npos);
    EXPECT_TRUE(rowset->InterfaceSupportsErrorInfo(IID_IAccessor));

    EXPECT_EQ(rowset->CreateAccessor(0, TextSlots(1, 1), accessor), DB_E_BADACCESSORFLAGS);
    ASSERT_EQ(rowset->CreateAccessor(DBACCESSOR_ROWDATA, TextSlots(1, 1), accessor), S_OK);

    std::vector<std::byte> buffer(kSlot);
    HROW row = 0;
    rowset->GetNextRows(row);
    rowset->ReleaseRows(row);
    EXPECT_EQ(rowset->GetData(row, accessor, buffer.data()), DB_E_BADROWHANDLE);
    EXPECT_EQ(rowset->GetNextRows(row), S_OK);
    EXPECT_EQ(rowset->GetData(row, accessor + 7, buffer.data()), DB_E_BADACCESSORHANDLE);
    EXPECT_EQ(rowset->ReleaseAccessor(accessor), S_OK);
    EXPECT_EQ(rowset->ReleaseAccessor(accessor), DB_E_BADACCESSORHANDLE);
}

}  // namespace
}  // namespace tabvex::oledb
