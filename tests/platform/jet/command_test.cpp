#include "platform/jet/jet_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "jet_test_support.h"
#include "platform/jet/mdb/database_writer.h"
#include "platform/oledb/interface_ids.h"
#include "support/test_support.h"

namespace tabvex::jet {
namespace {

using namespace tabvex::oledb;
using mdb::JetType;
using test::LastErrorDescription;

// Customers of a small shop, written by the project's Access writer.
std::filesystem::path WriteShop(const std::filesystem::path& path) {
    mdb::DatabaseWriter writer(path);
    writer.AddTable("Customers", {{"Id", JetType::Long, 0},
                                  {"Name", JetType::Text, 40},
                                  {"Country", JetType::Text, 20},
                                  {"City", JetType::Text, 20},
                                  {"Region", JetType::Text, 20},
                                  {"Joined", JetType::DateTime, 0},
                                  {"Balance", JetType::Currency, 0},
                                  {"Discount", JetType::Double, 0},
                                  {"Active", JetType::Boolean, 0}});
    using V = mdb::Value;
    auto row = [&](const char* id, const char* name, const char* country, const char* city, V region,
                   const char* joined, const char* balance, const char* discount, const char* active) {
        writer.AddRow("Customers", {V(id), V(name), V(country), V(city), region, V(joined), V(balance), V(discount),
                                    V(active)});
    };
    row("1", "Around the Horn", "UK", "London", std::nullopt, "1996-07-04", "12.5", "0.05", "True");
    row("2", "Island Trading", "UK", "Cowes", V("Isle of Wight"), "1997-01-01", "0", "0.15", "True");
    row("3", "North/South", "UK", "London", std::nullopt, "1997-03-15 14:30:00", "1234.5678", "0.1", "False");
    row("4", "Seven Seas Imports", "UK", "Manchester", std::nullopt, "1998-05-06", "-3", "0.25", "True");
    row("5", "Alfreds Futterkiste", "Germany", "Berlin", std::nullopt, "1996-12-31 23:59:59", "10", "0", "False");
    row("6", "Königlich Essen", "Germany", "Brandenburg", V("Nord"), "1999-02-01", "7.25", "0.2", "True");
    writer.Write();
    return path;
}

class ShopCommands : public ::testing::Test {
protected:
    void SetUp() override { session_ = test::OpenSession(WriteShop(scratch_ / "shop.mdb")); }

    // The statement runners' sequence: a command with the rowset properties
    // IRowset = true and updatability = 7, SQL text, execute.
    HRESULT Run(const std::string& text, std::shared_ptr<Rowset>& rowset) {
        std::shared_ptr<Command> command;
        EXPECT_EQ(session_->CreateCommand(command), S_OK);
        DBPROPSET set{DBPROPSET_ROWSET, {}};
        AddProperty(set, DBPROP_IRowset, true);
        AddProperty(set, DBPROP_UPDATABILITY, std::int32_t{7});
        AddProperty(set, DBPROP_IRowsetChange, true);
        std::vector sets{set};
        EXPECT_EQ(command->SetProperties(sets), S_OK);
        EXPECT_EQ(command->SetCommandText(DBGUID_DBSQL, text), S_OK);
        lastCommand_ = command;
        return command->Execute(rowset);
    }

    // RunScalarQuery's reading with the Jet provider: one 8200-byte DBTYPE_STR slot
    // per column, the last reported column left out, the first row's first value.
    std::string Scalar(const std::string& text) {
        std::shared_ptr<Rowset> rowset;
        EXPECT_EQ(Run(text, rowset), S_OK) << LastErrorDescription();
        if (!rowset) return "(no rowset)";
        std::vector<DBCOLUMNINFO> columns;
        EXPECT_EQ(rowset->GetColumnInfo(columns), S_OK);
        std::vector<DBBINDING> bindings;
        for (std::size_t i = 0; i + 1 < columns.size(); ++i) {
            DBBINDING binding;
            binding.ordinal = i + 1;
            binding.valueOffset = i * 8200;
            binding.lengthOffset = i * 8200 + 8192;
            binding.statusOffset = i * 8200 + 8196;
            binding.maxLength = 8192;
            bindings.push_back(binding);
        }
        HACCESSOR accessor = 0;
        EXPECT_EQ(rowset->CreateAccessor(DBACCESSOR_ROWDATA, bindings, accessor), S_OK);
        std::vector<std::byte> buffer(columns.size() * 8200);
        HROW row = 0;
        if (rowset->GetNextRows(row) != S_OK) return "(no row)";
        EXPECT_EQ(rowset->GetData(row, accessor, buffer.data()), S_OK);
        return reinterpret_cast<const char*>(buffer.data());
    }

    // The failure's code and the first record's description, as ErrorRecordText
    // reads it after checking the command supports error info for ICommandPrepare.
    std::pair<HRESULT, std::string> Failure(const std::string& text) {
        std::shared_ptr<Rowset> rowset;
        HRESULT result = Run(text, rowset);
        EXPECT_EQ(rowset, nullptr);
        EXPECT_TRUE(lastCommand_->InterfaceSupportsErrorInfo(IID_ICommandPrepare));
        return {result, LastErrorDescription()};
    }

    tabvex::test::ScratchDir scratch_;
    std::shared_ptr<Session> session_;
    std::shared_ptr<Command> lastCommand_;
};

TEST_F(ShopCommands, CountsWithTheConditionsUsersType) {
    EXPECT_EQ(Scalar("select count(*) from Customers"), "6");
    EXPECT_EQ(Scalar("select count(*) from Customers where Country='UK' AND (City='London' OR City='Cowes')"), "3");
    EXPECT_EQ(Scalar("select count(*) from Customers where Joined >= #1997-01-01#"), "4");
    EXPECT_EQ(Scalar("select count(*) from Customers where Discount > 0.1"), "3");
    EXPECT_EQ(Scalar("select count(*) from Customers where Len(Name) > 15"), "2") << "Len counts characters, not bytes";
    EXPECT_EQ(Scalar("select count(*) from Customers where Region IS NULL"), "4");
    EXPECT_EQ(Scalar("select count(*) from customers where Balance >= 10 and Active"), "1");
    EXPECT_EQ(Scalar("select count(*) from [Customers] where name like 'k*';"), "1");
    EXPECT_EQ(Scalar("select count(*) from Customers where Country = 'France'"), "0");
}

TEST_F(ShopCommands, SelectRowsetReportsTheBookmarkAndGivesValuesAsText) {
    std::shared_ptr<Rowset> rowset;
    ASSERT_EQ(Run("select * from Customers where Region IS NULL and Country = 'UK'", rowset), S_OK);
    std::vector<DBCOLUMNINFO> columns;
    rowset->GetColumnInfo(columns);
    ASSERT_EQ(columns.size(), 10u);
    EXPECT_TRUE(columns[0].flags & DBCOLUMNFLAGS_ISBOOKMARK);
    EXPECT_EQ(columns[2].name, "Name");
    EXPECT_EQ(columns[2].type, DBTYPE_WSTR);

    auto rows = test::ReadAll(*rowset);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "1", "Around the Horn", "UK", "London", "(NULL)", "1996-07-04",
                                                 "12.5", "0.05", "True"}));
    EXPECT_EQ(rows[1][6], "1997-03-15 14:30:00");
    EXPECT_EQ(rows[1][7], "1234.5678");
    EXPECT_EQ(rows[2][7], "-3");
}

TEST_F(ShopCommands, FailuresReturnTheirCodeAndARecordNamingTheCause) {
    auto [syntax, syntaxText] = Failure("select * form Customers");
    EXPECT_EQ(syntax, DB_E_ERRORSINCOMMAND);
    EXPECT_NE(syntaxText.find("form"), std::string::npos) << syntaxText;

    auto [noTable, noTableText] = Failure("select * from Ordres");
    EXPECT_EQ(noTable, DB_E_NOTABLE);
    EXPECT_NE(noTableText.find("'Ordres'"), std::string::npos) << noTableText;

    auto [noColumn, noColumnText] = Failure("select count(*) from Customers where Contry = 'UK'");
    EXPECT_EQ(noColumn, DB_E_PARAMNOTOPTIONAL);
    EXPECT_NE(noColumnText.find("Contry"), std::string::npos) << noColumnText;

    EXPECT_TRUE(Failed(Failure("select @@Version").first));
    EXPECT_TRUE(Failed(Failure("select count(*) from Customers where    ").first));

    auto [readOnly, readOnlyText] = Failure("insert into Customers (Id) values (7)");
    EXPECT_EQ(readOnly, DB_E_NOTSUPPORTED);
    EXPECT_NE(readOnlyText.find("Customers"), std::string::npos);
    EXPECT_EQ(Scalar("select count(*) from Customers"), "6");
}

TEST_F(ShopCommands, CommandNeedsTextInItsOwnDialect) {
    std::shared_ptr<Command> command;
    ASSERT_EQ(session_->CreateCommand(command), S_OK);
    std::shared_ptr<Rowset> rowset;
    EXPECT_EQ(command->Execute(rowset), DB_E_NOCOMMAND);
    EXPECT_EQ(command->SetCommandText(IID_IRowset, "select * from Customers"), DB_E_DIALECTNOTSUPPORTED);
    EXPECT_EQ(command->SetCommandText(DBGUID_DEFAULT, "select * from Customers"), S_OK);
    EXPECT_EQ(command->Execute(rowset), S_OK);
    EXPECT_NE(rowset, nullptr);
}

TEST(JetCreateDataSource, CreatesAnEmptyDatabaseAndAWorkgroupFile) {
    tabvex::test::ScratchDir scratch;
    auto path = (scratch / "Access_New.mdb").string();
    JetDataSource dataSource;
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    AddProperty(init, DBPROP_INIT_DATASOURCE, path);
    std::vector sets{init};
    ASSERT_EQ(dataSource.CreateDataSource(sets), S_OK) << LastErrorDescription();
    std::shared_ptr<Session> session;
    ASSERT_EQ(dataSource.CreateSession(session), S_OK);
    std::shared_ptr<Rowset> tables;
    ASSERT_EQ(session->GetSchemaRowset(DBSCHEMA_TABLES, {std::nullopt, std::nullopt, std::nullopt, "TABLE"}, tables), S_OK);
    EXPECT_TRUE(test::ReadAll(*tables).empty());

    JetDataSource again;
    EXPECT_EQ(again.CreateDataSource(sets), E_FAIL);
    EXPECT_NE(LastErrorDescription().find("already exists"), std::string::npos);

    // The workgroup file, in a profile folder that does not exist yet, named with
    // backslashes as the system writes it.
    auto workgroup = scratch / "profile" / "Microsoft" / "Access" / "System.MDW";
    std::string windowsStyle = workgroup.string();
    std::replace(windowsStyle.begin(), windowsStyle.end(), '/', '\\');
    JetDataSource admin;
    DBPROPSET workgroupInit{DBPROPSET_DBINIT, {}};
    AddProperty(workgroupInit, DBPROP_INIT_DATASOURCE, windowsStyle);
    DBPROPSET create{DBPROPSET_JETOLEDB_DBINIT, {}};
    AddProperty(create, DBPROP_JETOLEDB_CREATE_SYSDB, true);
    std::vector adminSets{workgroupInit, create};
    ASSERT_EQ(admin.CreateDataSource(adminSets), S_OK) << LastErrorDescription();
    EXPECT_TRUE(std::filesystem::is_regular_file(workgroup));
    auto source = test::OpenDataSource(path, ";COUNTRY=0;CP=1252;LANGID=0x0409", windowsStyle);
    EXPECT_NE(source, nullptr);
}

}  // namespace
}  // namespace tabvex::jet
