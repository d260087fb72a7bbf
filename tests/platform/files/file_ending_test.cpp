#include "platform/files/file_ending.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace tabvex::files {
namespace {

namespace fs = std::filesystem;

TEST(FileEndingTest, AnEndingCountsInAnyCaseAndOnlyAtTheEndOfTheLastComponent) {
    EXPECT_TRUE(HasFileEnding("/d/SHOP.MDB", ".mdb"));
    EXPECT_TRUE(HasFileEnding("C:\\d\\Shop.Accdb", ".accdb"));
    EXPECT_TRUE(HasAnyFileEnding("Book.XLS", kWorkbookEndings));
    EXPECT_FALSE(HasFileEnding("/d/data.mdb.d/shop", ".mdb")) << "a folder's name is no ending";
    EXPECT_FALSE(HasFileEnding("/d/readmdb", ".mdb")) << "the dot belongs to the ending";
    EXPECT_FALSE(HasFileEnding("/d/.mdb", ".mdb")) << "an ending needs a name before it";
    EXPECT_FALSE(HasFileEnding("/d/x.mdb/", ".mdb"));

    EXPECT_EQ(WithoutFileEnding("/d/SHOP.MDB", kAccessEndings), "/d/SHOP");
    EXPECT_EQ(WithoutFileEnding("/d/Shop.accdb", kAccessEndings), "/d/Shop");
    EXPECT_EQ(WithoutFileEnding("/d/a.xls.xls", kWorkbookEndings), "/d/a.xls") << "one ending only";
    EXPECT_EQ(WithoutFileEnding("/d/data.mdb.d/Shop", kAccessEndings), "/d/data.mdb.d/Shop");
    EXPECT_EQ(WithoutFileEnding("/d/Book.XLS", kAccessEndings), "/d/Book.XLS");
}

TEST(FileEndingTest, ADatabaseNameStandsForTheFileThatIsThereSpelledAsItIs) {
    test::ScratchDir scratch;
    const fs::path folder = scratch / "data.mdb.d";
    fs::create_directories(folder);
    test::WriteFile(folder / "SHOP.MDB", "x");
    test::WriteFile(folder / "Sales.Accdb", "x");
    const std::string shop = (folder / "SHOP").string();

    EXPECT_EQ(ExistingFileWithEnding(shop, kAccessEndings), (folder / "SHOP.MDB").string());
    EXPECT_EQ(ExistingFileWithEnding((folder / "Sales").string(), kAccessEndings), (folder / "Sales.Accdb").string());
    EXPECT_EQ(ExistingFileWithEnding((folder / "shop").string(), kAccessEndings), std::nullopt)
        << "only the ending is compared without case";
    EXPECT_EQ(ExistingFileWithEnding((folder / "SHO").string(), kAccessEndings), std::nullopt);

    EXPECT_EQ(DatabaseFileOf(shop, kAccessEndings), (folder / "SHOP.MDB").string());
    EXPECT_EQ(DatabaseFileOf(shop, kAccessEndings, {"/elsewhere/SHOP.mdb"}), (folder / "SHOP.MDB").string());
    EXPECT_EQ(DatabaseFileOf(shop, kAccessEndings, {"Shop", shop + ".accdb"}), shop + ".accdb")
        << "a file the side names wins when it is the one the name stands for";
    EXPECT_EQ(DatabaseFileOf("/d/x.mdb", kAccessEndings, {"/d/x.mdb.mdb"}), "/d/x.mdb.mdb");
    EXPECT_EQ(DatabaseFileOf("/d/Book.XLS", kWorkbookEndings), "/d/Book.XLS");
    EXPECT_EQ(DatabaseFileOf((folder / "New").string(), kWorkbookEndings), (folder / "New.xls").string());
}

}  // namespace
}  // namespace tabvex::files
