// A saved workbook kept for the next opening of its file is handed out once, and
// never once anything else has written the file.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/xls/kept_workbook.h"
#include "platform/xls/workbook.h"
#include "support/test_support.h"

namespace tabvex::xls {
namespace {

using tabvex::test::ScratchDir;

// The kept copy is told apart from the file by a cell changed after the save, which
// the contract forbids; it only marks which of the two an opening returned.
Workbook SavedWithUnsavedMark(const std::filesystem::path& path) {
    auto book = Workbook::CreateNew({"Sheet1"});
    book.Sheet(0).SetCellText(0, 0, "saved");
    book.Save(path);
    book.Sheet(0).SetCellText(0, 0, "kept");
    return book;
}

TEST(KeptWorkbook, TheNextOpeningOfTheSameFileGetsItOnceThenTheFileIsRead) {
    ScratchDir scratch;
    const auto path = scratch / "book.xls";
    KeepSavedWorkbook(SavedWithUnsavedMark(path));
    const auto elsewhere = scratch / "other.xls";
    Workbook::CreateNew({"Other"}).Save(elsewhere);
    EXPECT_EQ(Workbook::Open(elsewhere).Sheet(0).Name(), "Other");

    Workbook first = Workbook::Open(scratch.path() / "." / "book.xls");
    EXPECT_EQ(first.Sheet(0).CellText(0, 0), "kept");
    EXPECT_EQ(first.Path(), scratch.path() / "." / "book.xls");
    EXPECT_EQ(Workbook::Open(path).Sheet(0).CellText(0, 0), "saved");
}

TEST(KeptWorkbook, AFileWrittenSinceTheSaveIsReadAgain) {
    ScratchDir scratch;
    const auto path = scratch / "book.xls";
    KeepSavedWorkbook(SavedWithUnsavedMark(path));
    Workbook::CreateNew({"Replaced"}).Save(path);  // another inode
    EXPECT_EQ(Workbook::Open(path).Sheet(0).Name(), "Replaced");

    KeepSavedWorkbook(SavedWithUnsavedMark(path));
    std::ofstream(path, std::ios::app) << "more";  // same inode, other size
    EXPECT_EQ(Workbook::Open(path).Sheet(0).CellText(0, 0), "saved");
}

TEST(KeptWorkbook, AWorkbookNeverSavedIsNotKept) {
    ScratchDir scratch;
    const auto path = scratch / "book.xls";
    Workbook::CreateNew({"OnDisk"}).Save(path);
    KeepSavedWorkbook(Workbook::CreateNew({"NeverSaved"}));
    EXPECT_EQ(Workbook::Open(path).Sheet(0).Name(), "OnDisk");
}

}  // namespace
}  // namespace tabvex::xls
