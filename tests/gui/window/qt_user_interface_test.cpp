#include "gui/window/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <thread>

#include "gui/window/window_test_support.h"
#include "support/scripted_user_interface.h"

namespace tabvex::gui::testing {
namespace {

// Records on which thread each call was carried out.
class ThreadRecordingUserInterface : public test::ScriptedUserInterface {
public:
    app::MessageAnswer ShowMessageBox(const app::MessageBoxRequest& request) override {
        onThread = QThread::currentThread();
        return test::ScriptedUserInterface::ShowMessageBox(request);
    }
    QThread* onThread = nullptr;
};

TEST(QtUserInterface, AWorkerCallRunsOnTheWindowThreadAndReturnsItsAnswer) {
    TestApplication();
    ThreadRecordingUserInterface window;
    QtUserInterface host(window);
    window.QueueAnswer(app::MessageAnswer::Yes);
    std::atomic<bool> done = false;
    app::MessageAnswer answer = app::MessageAnswer::Cancel;
    std::thread worker([&] {
        answer = host.ShowMessageBox({"Continue?", "Tabvex", app::MessageButtons::YesNo, app::MessageIcon::Question});
        done = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(answer, app::MessageAnswer::Yes);
    EXPECT_EQ(window.onThread, QThread::currentThread());
}

TEST(QtUserInterface, ADetachedHostAnswersWorkerCallsWithoutTheWindowThread) {
    TestApplication();
    test::ScriptedUserInterface window;
    QtUserInterface host(window);
    host.Detach();
    app::MessageAnswer answer = app::MessageAnswer::Ok;
    std::thread worker([&] {
        host.ShowOutputLine({"line", std::nullopt});
        answer = host.ShowMessageBox({"Stop?", "Tabvex", app::MessageButtons::OkCancel, app::MessageIcon::Question});
    });
    worker.join();  // no events handled meanwhile
    EXPECT_EQ(answer, app::MessageAnswer::Cancel);
    EXPECT_TRUE(window.lines().empty());
    // On the window's own thread a call still runs at once.
    host.ShowOutputLine({"here", std::nullopt});
    EXPECT_EQ(window.lines().size(), 1u);
}

}  // namespace
}  // namespace tabvex::gui::testing
