// A UserInterface for tests: it records everything the program shows (Log lines,
// tips, message boxes, status texts, redraws, posted commands) and answers message
// boxes and choosers from queues the test fills beforehand. A question the test did
// not expect fails the test and is answered Cancel/No/none.
#pragma once

#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/user_interface.h"

namespace tabvex::test {

class ScriptedUserInterface : public app::UserInterface {
public:
    void QueueAnswer(app::MessageAnswer answer);
    void QueueChosenPath(std::optional<std::filesystem::path> path);  // for folders and files alike

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

    // What was shown so far, oldest first (copies, safe while the worker writes).
    std::vector<app::OutputLine> lines() const;
    // The Log lines' texts without their time stamps.
    std::vector<std::string> messages() const;
    std::vector<std::string> tips() const;
    std::vector<bool> tipsPageChanges() const;
    std::vector<app::MessageBoxRequest> boxes() const;
    std::vector<std::pair<app::StatusPane, std::string>> statusTexts() const;
    std::vector<app::FileChooserRequest> fileRequests() const;
    std::vector<app::TreeSide> redrawnTrees() const;
    int taskListRebuilds() const;
    std::vector<app::StartStopButton> startStopButtons() const;
    std::vector<int> postedCommands() const;

    // Length of the "YYYY/MM/DD hh:mm:ss:mmm " stamp in front of every Log line.
    static constexpr std::size_t kTimeStampLength = 24;

private:
    std::optional<std::filesystem::path> NextChosenPath(const std::string& what);

    mutable std::mutex mutex_;
    std::deque<app::MessageAnswer> answers_;
    std::deque<std::optional<std::filesystem::path>> chosenPaths_;
    std::vector<app::OutputLine> lines_;
    std::vector<std::string> tips_;
    std::vector<bool> tipsPageChanges_;
    std::vector<app::MessageBoxRequest> boxes_;
    std::vector<std::pair<app::StatusPane, std::string>> statusTexts_;
    std::vector<app::FileChooserRequest> fileRequests_;
    std::vector<app::TreeSide> redrawnTrees_;
    int taskListRebuilds_ = 0;
    std::vector<app::StartStopButton> startStopButtons_;
    std::vector<int> postedCommands_;
};

}  // namespace tabvex::test
