#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "app/output_lines.h"
#include "app/save_log.h"
#include "app/session_log.h"
#include "support/scripted_user_interface.h"
#include "support/test_support.h"

namespace tabvex::app {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class SessionLogTest : public ::testing::Test {
protected:
    test::ScratchDir scratch;
    test::ScriptedUserInterface ui;
    Output output{ui};
};

TEST_F(SessionLogTest, EveryLineGoesToTheSessionFileAsItComes) {
    WriteOutputLine(output, "before the file");
    KeepSessionLog(output, scratch / "state/tabvex");
    const auto file = output.log().sessionFile();
    ASSERT_TRUE(file);
    EXPECT_EQ(file->parent_path(), scratch / "state/tabvex");
    EXPECT_TRUE(file->filename().string().starts_with("tabvex-"));
    EXPECT_EQ(file->extension(), ".log");

    WriteOutputLine(output, "E::No Connection!");
    EXPECT_EQ(ReadFile(*file), output.log().Lines()[1].text + "\n") << "flushed at once, without its marker";
    for (int i = 0; i < 3000; ++i) WriteOutputLine(output, "[Big02] %d records converted!", i);
    EXPECT_EQ(ReadFile(*file), LogText(output.log().Lines()).substr(output.log().Lines()[0].text.size() + 1));
}

TEST_F(SessionLogTest, TheFolderIsTheStateHomesAndOnlyTheNewestSessionsStay) {
    const char* old = std::getenv("XDG_STATE_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_STATE_HOME", (scratch / "state").c_str(), 1);
    EXPECT_EQ(SessionLogFolder(), scratch / "state/tabvex");
    setenv("XDG_STATE_HOME", "relative/state", 1);
    EXPECT_EQ(SessionLogFolder(), fs::path(std::getenv("HOME")) / ".local/state/tabvex") << "only absolute paths count";
    if (old) setenv("XDG_STATE_HOME", saved.c_str(), 1); else unsetenv("XDG_STATE_HOME");

    const fs::path folder = scratch / "sessions";
    fs::create_directories(folder);
    for (int day = 10; day < 10 + 25; ++day) test::WriteFile(folder / ("tabvex-2020-01-" + std::to_string(day) + "_08-00-00-1.log"), "old\n");
    test::WriteFile(folder / "notes.txt", "mine\n");
    const auto session = SessionLogFile::Open(folder, std::chrono::system_clock::now());
    const auto files = FilesIn(folder);
    ASSERT_EQ(files.size(), SessionLogFile::kKeptSessions + 1);
    EXPECT_EQ(files.front().filename(), "notes.txt") << "other files are left alone";
    EXPECT_EQ(files[1].filename(), "tabvex-2020-01-16_08-00-00-1.log") << "the oldest sessions went";
    EXPECT_EQ(files.back(), session->path());
}

TEST_F(SessionLogTest, AFolderThatCannotBeMadeIsSaidInTheLogWhichGoesOn) {
    test::WriteFile(scratch / "taken", "a file where the folder should be");
    KeepSessionLog(output, scratch / "taken/tabvex");
    EXPECT_FALSE(output.log().sessionFile());
    ASSERT_EQ(ui.lines().size(), 1u);
    EXPECT_EQ(ui.lines()[0].colours, kProviderTextColours);
    EXPECT_NE(ui.messages()[0].find("This session's Log is not kept in a file: "), std::string::npos);
}

TEST_F(SessionLogTest, SaveLogAsWritesEveryLineAndAddsTxtToANameWithoutEnding) {
    for (int i = 0; i < 1500; ++i) WriteOutputLine(output, "line %d", i);
    EXPECT_EQ(SaveLogAs(output.log(), scratch / "session"), scratch / "session.txt");
    EXPECT_EQ(ReadFile(scratch / "session.txt"), LogText(output.log().Lines()));
    EXPECT_EQ(SaveLogAs(output.log(), scratch / "session.log"), scratch / "session.log") << "an ending is kept";
    EXPECT_THROW(SaveLogAs(output.log(), scratch / "gone/session"), fs::filesystem_error);
}

}  // namespace
}  // namespace tabvex::app
