#include "gui/window/about_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>

#include "gui/window/build_info.h"
#include "gui/window/command_ids.h"
#include "gui/window/window_test_support.h"

namespace tabvex::gui::testing {
namespace {

class AboutBoxTest : public WindowTest {};

TEST_F(AboutBoxTest, ShowsTheWholeTitleTheBuildAndTheLibrariesWithTheirLicences) {
    window->RouteCommand(kAboutButtonCommand);
    EXPECT_EQ(dialogs.back(), "tabvex::gui::AboutBox");

    AboutBox about(window->program().folders(), window.get());
    about.show();
    EXPECT_EQ(about.windowTitle(), "About Norvu Tabvex Version: 1.0");
    EXPECT_GT(about.width(), about.fontMetrics().horizontalAdvance(about.windowTitle()));
    EXPECT_EQ(about.findChild<QLabel*>("ProductLine")->text(), "Norvu Tabvex Version: 1.0");

    const QString build = about.findChild<QLabel*>("BuildLine")->text();
    const QRegularExpression buildLine(R"(^Build: commit ([0-9a-f]{7,}|unknown), \d{4}-\d\d-\d\d, \S+ \d+\.\d+\S*, Qt )" +
                                       QRegularExpression::escape(qVersion()));
    EXPECT_TRUE(buildLine.match(build).hasMatch()) << build.toStdString();

    // Where the program keeps its files: here all in the test's program folder.
    const QString folders = about.findChild<QLabel*>("FoldersLine")->text();
    const QString programFolder = QString::fromStdString(window->program().programDirectory().string());
    EXPECT_EQ(folders.count(programFolder), 3) << folders.toStdString();

    QString libraries;
    for (const QLabel* cell : about.findChild<QWidget*>("Libraries")->findChildren<QLabel*>()) {
        EXPECT_GE(cell->width(), cell->sizeHint().width()) << "cut: " << cell->text().toStdString();
        libraries += cell->text() + "\n";
    }
    for (const char* expected : {"Qt 6", "libmdb", "libgsf", "GLib", "unixODBC", "nlohmann/json", "LGPL-3.0", "MIT"})
        EXPECT_TRUE(libraries.contains(expected)) << expected;

    QSignalSpy help(&about, &AboutBox::helpWanted);
    about.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
    EXPECT_EQ(help.count(), 1);
    SaveScreenshot(about, "about_box.png");
}

}  // namespace
}  // namespace tabvex::gui::testing
