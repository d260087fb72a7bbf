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
    std::vector<int> ShownRows() {
        std::vector<int> rows;
        for (int row = 0; row < log().count(); ++row)
            if (!log().item(row)->isHidden()) rows.push_back(row);
        return rows;
    }
};

TEST_F(LogViewTest, CopiesTheSelectedLinesInLogOrder) {
    ASSERT_EQ(log().selectedItems().size(), 1) << "only the newest line is selected as lines arrive";
    EXPECT_EQ(log().selectedItems().front(), log().item(log().count() - 1));
    log().clearSelection();
    log().item(2)->setSelected(true);
    log().item(0)->setSelected(true);
    log().copyAction()->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), log().item(0)->text() + "\n" + log().item(2)->text());
    EXPECT_TRUE(QApplication::clipboard()->text().endsWith(" Second failure"));
}

TEST_F(LogViewTest, ErrorsOnlyHidesTheOtherLinesAlsoThoseStillToComeAndKeepsTheColours) {
    log().errorsOnlyAction()->trigger();
    EXPECT_TRUE(log().errorsOnly());
    EXPECT_EQ(ShownRows(), (std::vector<int>{0, 2}));
    app::WriteOutputLine(program().output(), "another plain step");
    app::WriteOutputLine(program().output(), "E::Third failure");
    EXPECT_EQ(ShownRows(), (std::vector<int>{0, 2, 5}));
    EXPECT_EQ(log().item(5)->foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(log().currentRow(), 5);

    log().errorsOnlyAction()->trigger();
    EXPECT_EQ(ShownRows(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(log().item(3)->foreground().color(), QColor(0, 255, 0));
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
    EXPECT_EQ(QString::fromStdString(text), log().AllText());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch / "."), {}), 2) << "program folder and the file only";

    // A folder that is not there: the reason shows in a box, nothing is written.
    window->messageBoxes().SetPathScript([&](const std::string&) { return std::optional(scratch / "gone/saved.txt"); });
    answers = {app::MessageAnswer::Ok};
    log().saveAction()->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Save Log As");
    EXPECT_EQ(boxes[0].icon, app::MessageIcon::Error);
}

}  // namespace
}  // namespace tabvex::gui::testing
