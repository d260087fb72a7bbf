// A saved workbook kept for the next opening of its file is handed out once, and
// never once anything else has written the file.
#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <iterator>

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

namespace tabvex::xls {
namespace {

using tabvex::test::ScratchDir;

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A workbook on disk, opened and changed as the provider changes it.
Workbook OpenedAndChanged(const std::filesystem::path& path, const std::string& text) {
    Workbook book = Workbook::Open(path);
    book.Sheet(0).SetCellText(1, 0, text);
    return book;
}

class SaveHoldTest : public ::testing::Test {
protected:
    void SetUp() override { Workbook::CreateNew({"Sheet1"}).Save(path); before = FileBytes(path); }

    ScratchDir scratch;
    std::filesystem::path path = scratch / "book.xls";
    std::string before;
};

TEST_F(SaveHoldTest, HeldSavesLeaveTheFileAloneUntilReleasedThenAllArriveInOneWrite) {
    SaveHold hold(scratch.path() / "." / "book.xls");  // the same file, spelled otherwise
    Workbook rows = OpenedAndChanged(path, "row");
    rows.Save(path);
    EXPECT_TRUE(rows.SaveHeld());
    KeepSavedWorkbook(std::move(rows));
    EXPECT_EQ(FileBytes(path), before);

    // Another thread reads the file as it is; the holder's thread gets the held rows.
    const auto seenElsewhere =
        std::async(std::launch::async, [&] { return Workbook::Open(path).Sheet(0).CellText(1, 0); }).get();
    EXPECT_EQ(seenElsewhere, "");
    Workbook formatted = Workbook::Open(path);
    ASSERT_EQ(formatted.Sheet(0).CellText(1, 0), "row");
    formatted.Sheet(0).SetCellText(0, 0, "header");
    formatted.Save(path);
    KeepSavedWorkbook(std::move(formatted));
    EXPECT_EQ(FileBytes(path), before);

    hold.Release();
    const Workbook onDisk = Workbook::OpenOnDisk(path);
    EXPECT_EQ(onDisk.Sheet(0).CellText(0, 0), "header");
    EXPECT_EQ(onDisk.Sheet(0).CellText(1, 0), "row");
    // Written, it is kept as any saved workbook, and saves are no longer held.
    Workbook again = Workbook::Open(path);
    again.Save(path);
    EXPECT_FALSE(again.SaveHeld());
}

TEST_F(SaveHoldTest, AHeldWorkbookIsNotDisplacedByAnotherFilesSave) {
    SaveHold hold(path);
    Workbook rows = OpenedAndChanged(path, "row");
    rows.Save(path);
    KeepSavedWorkbook(std::move(rows));
    auto other = Workbook::CreateNew({"Other"});
    other.Save(scratch / "other.xls");
    KeepSavedWorkbook(std::move(other));
    hold.Release();
    EXPECT_EQ(Workbook::OpenOnDisk(path).Sheet(0).CellText(1, 0), "row");
}

TEST_F(SaveHoldTest, AnAbandonedHoldLeavesTheFileAndHandsTheHeldChangesToNobody) {
    {
        SaveHold hold(path);
        Workbook rows = OpenedAndChanged(path, "row");
        rows.Save(path);
        KeepSavedWorkbook(std::move(rows));
        hold.Abandon();
    }
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_EQ(Workbook::Open(path).Sheet(0).CellText(1, 0), "");
    Workbook again = Workbook::Open(path);
    again.Save(path);
    EXPECT_FALSE(again.SaveHeld());
}

TEST_F(SaveHoldTest, ChangesDroppedBeforeTheReleaseAreReportedNotLostInSilence) {
    SaveHold hold(path);
    OpenedAndChanged(path, "row").Save(path);  // held, then dropped unkept
    EXPECT_THROW(hold.Release(), XlsError);
    EXPECT_EQ(FileBytes(path), before);
}

TEST_F(SaveHoldTest, AFailedWriteOnReleaseIsReportedAndEndsTheHold) {
    const auto folder = scratch / "gone";
    std::filesystem::create_directories(folder);
    const auto inFolder = folder / "book.xls";
    std::filesystem::copy_file(path, inFolder);
    {
        SaveHold hold(inFolder);
        Workbook rows = OpenedAndChanged(inFolder, "row");
        rows.Save(inFolder);
        KeepSavedWorkbook(std::move(rows));
        std::filesystem::remove_all(folder);  // nowhere left to write
        EXPECT_THROW(hold.Release(), XlsError);
    }
    std::filesystem::create_directories(folder);
    auto later = Workbook::CreateNew({"Later"});
    later.Save(inFolder);
    EXPECT_FALSE(later.SaveHeld());
    EXPECT_EQ(Workbook::OpenOnDisk(inFolder).Sheet(0).Name(), "Later");
}

TEST_F(SaveHoldTest, AHoldEndedByAnExceptionStillWritesWhatItHeld) {
    try {
        SaveHold hold(path);
        Workbook rows = OpenedAndChanged(path, "row");
        rows.Save(path);
        KeepSavedWorkbook(std::move(rows));
        throw std::runtime_error("formatting failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Workbook::OpenOnDisk(path).Sheet(0).CellText(1, 0), "row");
}

}  // namespace
}  // namespace tabvex::xls
