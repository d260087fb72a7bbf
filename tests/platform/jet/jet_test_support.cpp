#include "jet_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/test_support.h"

namespace tabvex::jet::test {

using namespace tabvex::oledb;

std::shared_ptr<DataSource> OpenDataSource(const std::filesystem::path& file, const std::string& providerString,
                                           const std::string& workgroupFile) {
    auto dataSource = std::make_shared<JetDataSource>();
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    AddProperty(init, DBPROP_INIT_DATASOURCE, file.string());
    AddProperty(init, DBPROP_INIT_PROVIDERSTRING, providerString);
    std::vector sets{init};
    if (!workgroupFile.empty()) {
        DBPROPSET jet{DBPROPSET_JETOLEDB_DBINIT, {}};
        AddProperty(jet, DBPROP_JETOLEDB_SYSDBPATH, workgroupFile);
        sets.push_back(jet);
    }
    EXPECT_EQ(dataSource->SetProperties(sets), S_OK);
    EXPECT_EQ(dataSource->Initialize(), S_OK) << LastErrorDescription();
    return dataSource;
}

std::shared_ptr<Session> OpenSession(const std::filesystem::path& file, const std::string& providerString) {
    std::shared_ptr<Session> session;
    EXPECT_EQ(OpenDataSource(file, providerString)->CreateSession(session), S_OK);
    return session;
}

std::vector<std::vector<std::string>> ReadAll(Rowset& rowset) {
    constexpr std::size_t kSlot = 8200;
    std::vector<DBCOLUMNINFO> columns;
    EXPECT_EQ(rowset.GetColumnInfo(columns), S_OK);
    std::vector<DBBINDING> bindings;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        DBBINDING binding;
        binding.ordinal = columns[i].ordinal;
        binding.valueOffset = i * kSlot;
        binding.lengthOffset = i * kSlot + 8192;
        binding.statusOffset = i * kSlot + 8196;
        binding.maxLength = 8192;
        bindings.push_back(binding);
    }
    HACCESSOR accessor = 0;
    EXPECT_EQ(rowset.CreateAccessor(DBACCESSOR_ROWDATA, bindings, accessor), S_OK);
    std::vector<std::byte> buffer(columns.size() * kSlot);
    std::vector<std::vector<std::string>> rows;
    HROW row = 0;
    while (rowset.GetNextRows(row) == S_OK) {
        EXPECT_TRUE(Succeeded(rowset.GetData(row, accessor, buffer.data())));
        std::vector<std::string> values;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            DBSTATUS status = 0;
            std::memcpy(&status, buffer.data() + i * kSlot + 8196, sizeof status);
            values.push_back(status == DBSTATUS_S_ISNULL ? "(NULL)"
                                                         : std::string(reinterpret_cast<const char*>(buffer.data() + i * kSlot)));
        }
        rows.push_back(std::move(values));
        rowset.ReleaseRows(row);
    }
    rowset.ReleaseAccessor(accessor);
    return rows;
}

std::vector<std::string> ColumnOf(Rowset& rowset, const std::string& name) {
    std::vector<DBCOLUMNINFO> columns;
    rowset.GetColumnInfo(columns);
    std::size_t index = 0;
    while (index < columns.size() && columns[index].name != name) ++index;
    EXPECT_LT(index, columns.size()) << name;
    std::vector<std::string> values;
    for (const auto& row : ReadAll(rowset)) values.push_back(index < row.size() ? row[index] : "");
    return values;
}

std::string LastErrorDescription() {
    std::shared_ptr<const ErrorObject> error;
    if (GetErrorInfo(error) != S_OK || !error->Record(0)) return "";
    return error->Record(0)->description;
}

std::filesystem::path NorthwindPath() {
    auto corpus = tabvex::test::CorpusDir();
    if (corpus.empty()) return {};
    return corpus / "mdb" / "Northwind.mdb";
}

}  // namespace tabvex::jet::test
