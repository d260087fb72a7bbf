// tabvex-cli migrate --replace: a table whose sheet the workbook already has replaces
// it, along both routes to the workbook, and only when its rows all arrive.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tasks/bodies/migration_fixture.h"

namespace tabvex::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class ReplaceTableCliTest : public MigrationFixture {
protected:
    // The workbook with Sales of its own and Customers from an earlier run.
    fs::path BookWithCustomers() {
        const fs::path first = WriteDatabase(scratch / "first.mdb", {Customers()});
        const fs::path book = WriteBook(scratch / "book.xls");
        const auto earlier = RunCommand(MigrateCommandLine({first.string(), book.string()}));
        EXPECT_EQ(earlier.exitCode, 0) << earlier.out << earlier.err;
        return book;
    }

    static SourceTable NewCustomers(std::string note) {
        return {"Customers",
                {{"ID", mdb::JetType::Long, 0}, {"Name", mdb::JetType::Text, 40}, {"Note", mdb::JetType::Memo, 0}},
                {{"7", "Zed", std::move(note)}}};
    }

    static std::vector<std::string> SheetNames(const fs::path& book) {
        std::vector<std::string> names;
        const nlohmann::json read = ReadWithXlrd(book);
        for (const auto& sheet : read["sheets"]) names.push_back(sheet["name"].get<std::string>());
        return names;
    }
};

TEST_F(ReplaceTableCliTest, TheSheetGetsTheNewRowsAndEveryOtherSheetStays) {
    for (const std::string provider : {"Microsoft Jet 4.0 OLE DB Provider", "Microsoft Excel Driver"}) {
        SCOPED_TRACE(provider);
        const fs::path book = BookWithCustomers();
        const auto namesBefore = SheetNames(book);
        const fs::path second = WriteDatabase(scratch / "second.mdb", {NewCustomers("new")});

        const auto refused = RunCommand(MigrateCommandLine({"--target-provider", provider, second.string(),
                                                            book.string(), "--table", "Customers"}));
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_THAT(refused.err, HasSubstr("Table 'Customers' already exists."));
        EXPECT_EQ(SheetOf(book, "Customers"), kCustomers);

        const auto replaced = RunCommand(MigrateCommandLine({"--target-provider", provider, "--replace",
                                                             second.string(), book.string(), "--table", "Customers"}));
        EXPECT_EQ(replaced.exitCode, 0) << replaced.out << replaced.err;
        EXPECT_THAT(replaced.out, HasSubstr("[Customers] replaced"));
        EXPECT_EQ(SheetOf(book, "Customers"), (Rows{{"ID", "Name", "Note"}, {"7", "Zed", "new"}}));
        EXPECT_EQ(SheetOf(book, "Sales"), (Rows{{"Region"}}));
        EXPECT_EQ(SheetNames(book), namesBefore);
    }
}

// A value too long for a cell cuts the new table short: the old sheet stays, and the
// task counts no row copied.
TEST_F(ReplaceTableCliTest, ATableThatDoesNotArriveWholeLeavesTheOldSheet) {
    const fs::path book = BookWithCustomers();
    const fs::path tooLong = WriteDatabase(scratch / "long.mdb", {NewCustomers(std::string(40000, 'x'))});
    const auto result =
        RunCommand(MigrateCommandLine({"--replace", tooLong.string(), book.string(), "--table", "Customers"}));
    EXPECT_EQ(result.exitCode, 1) << result.out;
    EXPECT_THAT(result.err, HasSubstr("[Customers] not replaced: the workbook keeps the sheet it had"));
    EXPECT_THAT(result.out, Not(HasSubstr("[Customers] replaced")));
    EXPECT_THAT(result.out + result.err, HasSubstr("0 rows copied in"));
    EXPECT_EQ(SheetOf(book, "Customers"), kCustomers);
}

}  // namespace
}  // namespace tabvex::test
