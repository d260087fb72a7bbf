// What the window suites share: one QApplication on the offscreen platform, a main
// window over a scratch program folder whose message boxes and choosers are
// answered from a script, waiting while the window keeps handling events, and
// screenshots for the manual.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "adapters/adapter_test_support.h"
#include "gui/window/migrator_dlg.h"
#include "gui/screenshot.h"
#include "shell/program.h"
#include "support/brisk_timings.h"
#include "support/test_support.h"

namespace tabvex::gui::testing {

inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "window_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *application;
}

// Handles events until the condition holds or the time is up; true when it holds.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(60)) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeout.count()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

using test::SaveScreenshot;

// The Log lines the window shows that match the text (e.g. Qt::MatchEndsWith).
inline QModelIndexList LogLinesMatching(const LogView& log, const QString& text, Qt::MatchFlags flags) {
    const QAbstractItemModel& lines = *log.model();
    if (lines.rowCount() == 0) return {};
    return lines.match(lines.index(0, 0), Qt::DisplayRole, text, -1, flags);
}

class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        TestApplication();
        // What the window remembers between runs stays within the test.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString((scratch / "config").string()));
        // And so does the session's Log file.
        setenv("XDG_STATE_HOME", (scratch / "state").c_str(), 1);
        window = std::make_unique<CMigratorDlg>(scratch / "program");
        window->program().engine().timings() = test::BriskTimings(std::chrono::milliseconds(20));
        window->messageBoxes().SetBoxScript([this](const app::MessageBoxRequest& request) {
            boxes.push_back(request);
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected box: " << request.text;
                return app::MessageAnswer::Cancel;
            }
            const app::MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        });
        // The window's own dialogs (the driver check opens by itself) are recorded, not run.
        window->SetDialogRunner([this](QDialog& dialog) {
            dialogs.push_back(dialog.metaObject()->className());
            return static_cast<int>(QDialog::Rejected);
        });
        window->show();
    }
    ~WindowTest() override {
        window.reset();
        std::filesystem::current_path(startFolder_);
    }

    shell::Program& program() { return window->program(); }

    std::filesystem::path startFolder_ = std::filesystem::current_path();
    test::ScratchProfile profile;
    test::ScratchDir scratch;
    std::deque<app::MessageAnswer> answers;
    std::vector<app::MessageBoxRequest> boxes;
    std::vector<std::string> dialogs;  // class names of the dialogs the window opened
    std::unique_ptr<CMigratorDlg> window;
};

}  // namespace tabvex::gui::testing
