#include "odbc_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/odbc/odbc_data_source.h"

namespace tabvex::odbc::test {

using namespace tabvex::oledb;

std::filesystem::path AccessDriverPath() {
    std::filesystem::path driver = "/usr/lib/x86_64-linux-gnu/odbc/libmdbodbc.so";
    return std::filesystem::exists(driver) ? driver : std::filesystem::path();
}

std::string AccessDriverProviderString() { return "Driver=" + AccessDriverPath().string() + ";"; }

std::vector<DBPROPSET> InitProperties(const std::string& providerString, const std::string& dataSourceName,
                                      const std::string& catalog) {
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    AddProperty(init, DBPROP_INIT_PROVIDERSTRING, providerString);
    if (!dataSourceName.empty()) AddProperty(init, DBPROP_INIT_DATASOURCE, dataSourceName);
    if (!catalog.empty()) AddProperty(init, DBPROP_INIT_CATALOG, catalog);
    AddProperty(init, DBPROP_INIT_PROMPT, std::int16_t{4});
    return {init};
}

std::shared_ptr<DataSource> InitializeWith(const std::vector<DBPROPSET>& sets, HRESULT& result) {
    auto dataSource = std::make_shared<OdbcDataSource>();
    auto copy = sets;
    EXPECT_EQ(dataSource->SetProperties(copy), S_OK);
    result = dataSource->Initialize();
    return dataSource;
}

std::shared_ptr<Session> OpenAccessSession(const std::filesystem::path& file) {
    HRESULT result = S_OK;
    auto dataSource = InitializeWith(InitProperties(AccessDriverProviderString(), "", file.string()), result);
    EXPECT_EQ(result, S_OK) << ::testing::PrintToString(ErrorRecords());
    std::shared_ptr<Session> session;
    if (result == S_OK) {
        EXPECT_EQ(dataSource->CreateSession(session), S_OK);
    }
    return session;
}

std::shared_ptr<Rowset> Query(Session& session, const std::string& text) {
    std::shared_ptr<Command> command;
    EXPECT_EQ(session.CreateCommand(command), S_OK);
    EXPECT_EQ(command->SetCommandText(DBGUID_DBSQL, text), S_OK);
    std::shared_ptr<Rowset> rowset;
    EXPECT_EQ(command->Execute(rowset), S_OK) << text << ": " << ::testing::PrintToString(ErrorRecords());
    return rowset;
}

std::vector<std::vector<std::string>> ReadTexts(Rowset& rowset) {
    constexpr std::size_t kValueSize = 200000;  // longer than any memo the tests write
    constexpr std::size_t kSlot = kValueSize + 8;
    std::vector<DBCOLUMNINFO> columns;
    EXPECT_EQ(rowset.GetColumnInfo(columns), S_OK);
    std::vector<DBBINDING> bindings;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        DBBINDING binding;
        binding.ordinal = columns[i].ordinal;
        binding.valueOffset = i * kSlot;
        binding.lengthOffset = i * kSlot + kValueSize;
        binding.statusOffset = i * kSlot + kValueSize + 4;
        binding.maxLength = kValueSize;
        bindings.push_back(binding);
    }
    HACCESSOR accessor = 0;
    EXPECT_EQ(rowset.CreateAccessor(DBACCESSOR_ROWDATA, bindings, accessor), S_OK);
    std::vector<std::byte> buffer(columns.size() * kSlot);
    std::vector<std::vector<std::string>> rows;
    HROW row = 0;
    while (rowset.GetNextRows(row) == S_OK) {
        EXPECT_EQ(rowset.GetData(row, accessor, buffer.data()), S_OK);
        std::vector<std::string> values;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            DBSTATUS status = 0;
            std::memcpy(&status, buffer.data() + i * kSlot + kValueSize + 4, sizeof status);
            values.push_back(status == DBSTATUS_S_ISNULL
                                 ? "(NULL)"
                                 : std::string(reinterpret_cast<const char*>(buffer.data() + i * kSlot)));
        }
        rows.push_back(std::move(values));
        rowset.ReleaseRows(row);
    }
    rowset.ReleaseAccessor(accessor);
    return rows;
}

std::vector<std::string> ErrorRecords() {
    std::shared_ptr<const ErrorObject> error;
    std::vector<std::string> records;
    if (GetErrorInfo(error) != S_OK || !error) return records;
    for (std::size_t i = 0; i < error->RecordCount(); ++i) {
        if (auto record = error->Record(i)) records.push_back(record->description);
    }
    return records;
}

}  // namespace tabvex::odbc::test
