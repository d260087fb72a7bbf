// Counts with conditions through the provider over Northwind, against counts
// computed independently from mdb-export's CSV of the same table.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

#include "jet_test_support.h"
#include "support/test_support.h"

namespace tabvex::jet {
namespace {

using namespace tabvex::oledb;
using Record = std::map<std::string, std::optional<std::string>>;  // nullopt: NULL

// mdb-export's CSV: quoted text with doubled quotes; an empty unquoted field is NULL.
std::vector<Record> ParseExport(const std::string& csv) {
    std::vector<std::vector<std::optional<std::string>>> lines(1);
    std::string field;
    bool quoted = false, inQuotes = false;
    auto endField = [&] {
        lines.back().push_back(field.empty() && !quoted ? std::nullopt : std::optional(field));
        field.clear();
        quoted = false;
    };
    for (std::size_t i = 0; i < csv.size(); ++i) {
        char c = csv[i];
        if (inQuotes) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                inQuotes = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            inQuotes = quoted = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\n') {
            endField();
            lines.emplace_back();
        } else {
            field += c;
        }
    }
    std::vector<Record> records;
    for (std::size_t line = 1; line < lines.size(); ++line) {
        if (lines[line].size() != lines[0].size()) continue;
        Record record;
        for (std::size_t i = 0; i < lines[0].size(); ++i) record[*lines[0][i]] = lines[line][i];
        records.push_back(std::move(record));
    }
    return records;
}

std::size_t Utf8Length(const std::string& text) {
    std::size_t length = 0;
    for (unsigned char c : text) length += (c & 0xC0) != 0x80;
    return length;
}

class NorthwindCounts : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::NorthwindPath().empty()) GTEST_SKIP() << "corpus absent";
        session_ = test::OpenSession(test::NorthwindPath());
    }

    std::string ProviderCount(const std::string& table, const std::string& condition) {
        std::shared_ptr<Command> command;
        session_->CreateCommand(command);
        command->SetCommandText(DBGUID_DBSQL, "select count(*) from " + table + " where " + condition);
        std::shared_ptr<Rowset> rowset;
        EXPECT_EQ(command->Execute(rowset), S_OK) << test::LastErrorDescription();
        if (!rowset) return "";
        return test::ReadAll(*rowset).at(0).at(1);
    }

    std::string ExportCount(const std::string& table, const std::function<bool(const Record&)>& keep) {
        auto result = tabvex::test::RunCommand(
            {"mdb-export", "-T", "%Y-%m-%d %H:%M:%S", test::NorthwindPath().string(), table});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        std::size_t count = 0;
        for (const auto& record : ParseExport(result.out)) count += keep(record);
        return std::to_string(count);
    }

    std::shared_ptr<Session> session_;
};

TEST_F(NorthwindCounts, EqualCountsComputedFromMdbExport) {
    EXPECT_EQ(ProviderCount("Customers", "Country='UK' AND (City='London' OR City='Cowes')"),
              ExportCount("Customers", [](const Record& r) {
                  return r.at("Country") == "UK" && (r.at("City") == "London" || r.at("City") == "Cowes");
              }));
    EXPECT_EQ(ProviderCount("Orders", "OrderDate >= #1997-01-01#"), ExportCount("Orders", [](const Record& r) {
                  return r.at("OrderDate") && *r.at("OrderDate") >= "1997-01-01";
              }));
    EXPECT_EQ(ProviderCount("[Order Details]", "Discount > 0.1"), ExportCount("Order Details", [](const Record& r) {
                  return r.at("Discount") && std::stod(*r.at("Discount")) > 0.1;
              }));
    EXPECT_EQ(ProviderCount("Products", "Len(ProductName) > 20"), ExportCount("Products", [](const Record& r) {
                  return r.at("ProductName") && Utf8Length(*r.at("ProductName")) > 20;
              }));
    EXPECT_EQ(ProviderCount("Customers", "Region IS NULL"),
              ExportCount("Customers", [](const Record& r) { return !r.at("Region").has_value(); }));
    EXPECT_EQ(ProviderCount("Customers", "Region IS NULL"), "60");
}

}  // namespace
}  // namespace tabvex::jet
