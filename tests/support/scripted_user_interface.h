// A UserInterface for tests: it records everything the program shows (Log lines,
// tips, message boxes, status texts, redraws, posted commands) and answers message
// boxes and choosers from queues the test fills beforehand. A question the test did
// not expect fails the test and is answered Cancel/No/none.
//
// By default every call runs on its caller's thread. After CarryOutCallsOnThisThread
// it behaves as the window's host does: a call from another thread (the worker)
// waits until the test's thread, playing the window's thread, carries it out in
// HandleCalls or HandleCallsUntil; Detach makes such calls return at once unanswered,
// as the window does before it destroys the shell::Program.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/user_interface.h"

namespace tabvex::test {

class ScriptedUserInterface : public app::UserInterface {
public:
    void QueueAnswer(app::MessageAnswer answer);
    void QueueChosenPath(std::optional<std::filesystem::path> path);  // for folders and files alike
    // A person nobody scripted: questions and choosers the queues do not answer are
    // answered by these instead of failing the test.
    void AnswerUnscripted(std::function<app::MessageAnswer(const app::MessageBoxRequest&)> answer,
                          std::function<std::optional<std::filesystem::path>()> path);

    // The calling thread becomes the one that carries out every call.
    void CarryOutCallsOnThisThread();
    // Carries out the calls waiting now (on the carrying thread).
    void HandleCalls();
    // Carries out calls until `done` holds; false when `timeout` passed first.
    bool HandleCallsUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // From now on calls from other threads return at once without being carried out.
    void Detach();
    // The next question is answered only once `ready` holds, the calls being carried
    // out meanwhile, as a box's own event loop does: a person who takes their time.
    void AnswerWhen(std::function<bool()> ready);

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
    struct PendingCall {
        std::function<void()> call;
        bool done = false;
    };

    // Runs `call` on the carrying thread and waits for it; false when the host was
    // detached before it ran.
    bool CarryOut(const std::function<void()>& call);
    app::MessageAnswer Answer(const app::MessageBoxRequest& request);
    std::optional<std::filesystem::path> NextChosenPath(const std::string& what);

    std::mutex callsMutex_;
    std::condition_variable callsChanged_;
    std::optional<std::thread::id> carryingThread_;
    std::deque<std::shared_ptr<PendingCall>> calls_;
    bool detached_ = false;
    std::function<bool()> answerWhen_;

    mutable std::mutex mutex_;
    std::deque<app::MessageAnswer> answers_;
    std::deque<std::optional<std::filesystem::path>> chosenPaths_;
    std::function<app::MessageAnswer(const app::MessageBoxRequest&)> unscriptedAnswer_;
    std::function<std::optional<std::filesystem::path>()> unscriptedPath_;
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
