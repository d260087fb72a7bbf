#include "gui/window/log_view.h"

#include <QClipboard>
#include <fstream>
#include <sstream>

#include "app/output_lines.h"
#include "gui/window/window_test_support.h"

namespace tabvex::gui::testing {
namespace {

class LogViewTest : public WindowTest {
protected:
    LogViewTest() {
        for (const char* message : {"E::No Connection!", "plain step", "E::Second failure", "S::done"})
            app::WriteOutputLine(program().output(), "%s", message);
    }
    LogView& log() { return *window->outputPane()->log(); }
    QAbstractItemModel& rows() { return *log().model(); }
    QString Text(int row) { return rows().index(row, 0).data().toString(); }
    // The shown rows, by the end of their text.
    std::vector<std::string> ShownMessages() {
        std::vector<std::string> messages;
        for (int row = 0; row < rows().rowCount(); ++row) messages.push_back(Text(row).section(' ', 2, -1).toStdString());
        return messages;
    }
    void Select(std::initializer_list<int> shownRows) {
        log().clearSelection();
        for (int row : shownRows) log().selectionModel()->select(rows().index(row, 0), QItemSelectionModel::Select);
    }
};

TEST_F(LogViewTest, CopiesTheSelectedLinesInLogOrder) {
    ASSERT_EQ(log().selectionModel()->selectedRows().size(), 1) << "only the newest line is selected as lines arrive";
    EXPECT_EQ(log().selectionModel()->selectedRows().front().row(), rows().rowCount() - 1);
    Select({2, 0});
    log().copyAction()->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), Text(0) + "\n" + Text(2));
    EXPECT_TRUE(QApplication::clipboard()->text().endsWith(" Second failure"));
}

TEST_F(LogViewTest, ErrorsOnlyShowsErrorsAndWarningsAlsoThoseStillToComeAndKeepsTheColours) {
    app::WriteOutputLine(program().output(), "T::a reason the provider gave");
    log().errorsOnlyAction()->trigger();
    EXPECT_TRUE(log().errorsOnly());
    EXPECT_EQ(ShownMessages(), (std::vector<std::string>{"No Connection!", "Second failure", "a reason the provider gave"}));
    app::WriteOutputLine(program().output(), "another plain step");
    app::WriteOutputLine(program().output(), "E::Third failure");
    ASSERT_EQ(rows().rowCount(), 4);
    EXPECT_TRUE(Text(3).endsWith(" Third failure"));
    EXPECT_EQ(rows().index(2, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 128, 0));
    EXPECT_EQ(rows().index(3, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(log().currentIndex().row(), 3);

    log().errorsOnlyAction()->trigger();
    EXPECT_EQ(rows().rowCount(), 7);
    EXPECT_EQ(rows().index(3, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 255, 0));
    EXPECT_EQ(log().currentIndex().row(), 6) << "back at the newest line";
}

TEST_F(LogViewTest, AVeryLongSessionKeepsItsBeginningAndItsErrors) {
    for (int i = 0; i < 3000; ++i) app::WriteOutputLine(program().output(), "[Big02] %d records converted!", (i + 1) * 1000);
    ASSERT_EQ(rows().rowCount(), 3004);
    EXPECT_TRUE(Text(0).endsWith(" No Connection!"));
    log().selectAll();
    log().copyAction()->trigger();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(Text(0) + "\n" + Text(1)));
    EXPECT_TRUE(QApplication::clipboard()->text().endsWith(" 3000000 records converted!"));

    // Home and End go to the first and the last line.
    QTest::keyClick(&log(), Qt::Key_Home);
    EXPECT_EQ(log().currentIndex().row(), 0);
    EXPECT_EQ(log().selectionModel()->selectedRows().size(), 1);
    QTest::keyClick(&log(), Qt::Key_End);
    EXPECT_EQ(log().currentIndex().row(), 3003);
}

TEST_F(LogViewTest, SaveWritesTheWholeLogEvenWhatErrorsOnlyHides) {
    const std::filesystem::path saved = scratch / "saved.txt";
    std::vector<std::string> asked;
    window->messageBoxes().SetPathScript([&](const std::string& title) {
        asked.push_back(title);
        return std::optional(saved);
    });
    log().SetErrorsOnly(true);
    log().saveAction()->trigger();
    EXPECT_EQ(asked, std::vector<std::string>{"Save Log As"});
    std::ifstream in(saved);
    std::stringstream read;
    read << in.rdbuf();
    const std::string text = read.str();
    EXPECT_EQ(text, app::LogText(program().output().log().Lines()));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_TRUE(text.starts_with(Text(0).toStdString())) << "the first error, shown first";

    // A name without an ending becomes a text file.
    window->messageBoxes().SetPathScript([&](const std::string&) { return std::optional(scratch / "named"); });
    log().saveAction()->trigger();
    EXPECT_EQ(test::ReadFile(scratch / "named.txt"), text);

    // A folder that is not there: the reason shows in a box, nothing is written.
    window->messageBoxes().SetPathScript([&](const std::string&) { return std::optional(scratch / "gone/saved.txt"); });
    answers = {app::MessageAnswer::Ok};
    log().saveAction()->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Save Log As");
    EXPECT_EQ(boxes[0].icon, app::MessageIcon::Error);
    EXPECT_FALSE(std::filesystem::exists(scratch / "gone"));
}

TEST_F(LogViewTest, TheSessionsLogGoesToAFileInTheStateFolder) {
    const auto file = program().output().log().sessionFile();
    ASSERT_TRUE(file);
    EXPECT_EQ(file->parent_path(), scratch / "state/tabvex");
    EXPECT_EQ(test::ReadFile(*file), app::LogText(program().output().log().Lines()));
}

}  // namespace
}  // namespace tabvex::gui::testing
