#include "gui/window/qt_user_interface.h"

#include <QThread>
#include <chrono>
#include <future>
#include <memory>

namespace tabvex::gui {

QtUserInterface::QtUserInterface(app::UserInterface& onUiThread, QObject* parent)
    : QObject(parent), onUiThread_(onUiThread) {}

bool QtUserInterface::OnUiThread(const std::function<void()>& call) {
    if (QThread::currentThread() == thread()) {
        call();
        return true;
    }
    if (detached_) return false;
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    // Queued to this object: if the window (and this host) is gone before the call
    // runs, Qt drops it.
    QMetaObject::invokeMethod(
        this,
        [call, done] {
            call();
            done->set_value();
        },
        Qt::QueuedConnection);
    using namespace std::chrono_literals;
    while (finished.wait_for(20ms) != std::future_status::ready)
        if (detached_) return false;
    return true;
}

void QtUserInterface::ShowOutputLine(const app::OutputLine& line) {
    OnUiThread([&] { onUiThread_.ShowOutputLine(line); });
}

void QtUserInterface::ShowTip(const std::string& tip, const std::string& helpPageText) {
    OnUiThread([&] { onUiThread_.ShowTip(tip, helpPageText); });
}

void QtUserInterface::ShowTipsPage(bool shown) {
    OnUiThread([&] { onUiThread_.ShowTipsPage(shown); });
}

void QtUserInterface::SetStatusText(app::StatusPane pane, const std::string& text) {
    OnUiThread([&] { onUiThread_.SetStatusText(pane, text); });
}

app::MessageAnswer QtUserInterface::ShowMessageBox(const app::MessageBoxRequest& request) {
    app::MessageAnswer answer = request.buttons == app::MessageButtons::YesNo ? app::MessageAnswer::No
                                                                              : app::MessageAnswer::Cancel;
    OnUiThread([&] { answer = onUiThread_.ShowMessageBox(request); });
    return answer;
}

std::optional<std::filesystem::path> QtUserInterface::ChooseFolder(const std::string& title,
                                                                   const std::filesystem::path& startFolder) {
    std::optional<std::filesystem::path> chosen;
    OnUiThread([&] { chosen = onUiThread_.ChooseFolder(title, startFolder); });
    return chosen;
}

std::optional<std::filesystem::path> QtUserInterface::ChooseFile(const app::FileChooserRequest& request) {
    std::optional<std::filesystem::path> chosen;
    OnUiThread([&] { chosen = onUiThread_.ChooseFile(request); });
    return chosen;
}

void QtUserInterface::RedrawTree(app::TreeSide side) {
    OnUiThread([&] { onUiThread_.RedrawTree(side); });
}

void QtUserInterface::RebuildTaskList() {
    OnUiThread([&] { onUiThread_.RebuildTaskList(); });
}

void QtUserInterface::ShowStartStopButton(const app::StartStopButton& button) {
    OnUiThread([&] { onUiThread_.ShowStartStopButton(button); });
}

void QtUserInterface::PostCommand(int commandId) {
    OnUiThread([&] { onUiThread_.PostCommand(commandId); });
}

}  // namespace tabvex::gui
