// The window's host of the UserInterface port. Every call may come from the worker:
// it is carried out on the window's thread by `onUiThread` and the caller waits for
// it; a call made on the window's thread runs at once.
//
// A worker call waits as a blocking queued call would, but also gives up when the
// host is detached: the window detaches it before it destroys the shell::Program, which
// waits for the worker on the window's thread, so a worker call made meanwhile is
// answered at once (Cancel, nothing chosen) instead of waiting forever.
#pragma once

#include <QObject>
#include <atomic>
#include <functional>

#include "app/user_interface.h"

namespace tabvex::gui {

class QtUserInterface : public QObject, public app::UserInterface {
    Q_OBJECT
public:
    explicit QtUserInterface(app::UserInterface& onUiThread, QObject* parent = nullptr);

    // From now on calls from other threads return without waiting for the window.
    void Detach() { detached_ = true; }

    void ShowOutputLine(const app::OutputLine& line) override;
    void ShowTip(const std::string& tip, const std::string& helpPageText) override;
    void ShowTipsPage(bool shown) override;
    void SetStatusText(app::StatusPane pane, const std::string& text) override;
    app::MessageAnswer ShowMessageBox(const app::MessageBoxRequest& request) override;
    std::optional<std::filesystem::path> ChooseFolder(const std::string& title,
                                                      const std::filesystem::path& startFolder) override;
    std::optional<std::filesystem::path> ChooseFile(const app::FileChooserRequest& request) override;
    void RedrawTree(app::TreeSide side) override;
    void RebuildTaskList() override;
    void ShowStartStopButton(const app::StartStopButton& button) override;
    void PostCommand(int commandId) override;

private:
    // Runs the call on the window's thread and waits; false when the host was
    // detached before the call ran.
    bool OnUiThread(const std::function<void()>& call);

    app::UserInterface& onUiThread_;
    std::atomic<bool> detached_{false};
};

}  // namespace tabvex::gui
