#include "support/scripted_user_interface.h"

#include <gtest/gtest.h>

namespace tabvex::test {

using app::MessageAnswer;
using app::MessageButtons;

void ScriptedUserInterface::QueueAnswer(MessageAnswer answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
}

void ScriptedUserInterface::AnswerUnscripted(std::function<MessageAnswer(const app::MessageBoxRequest&)> answer,
                                             std::function<std::optional<std::filesystem::path>()> path) {
    std::lock_guard lock(mutex_);
    unscriptedAnswer_ = std::move(answer);
    unscriptedPath_ = std::move(path);
}

void ScriptedUserInterface::QueueChosenPath(std::optional<std::filesystem::path> path) {
    std::lock_guard lock(mutex_);
    chosenPaths_.push_back(std::move(path));
}

void ScriptedUserInterface::CarryOutCallsOnThisThread() {
    std::lock_guard lock(callsMutex_);
    carryingThread_ = std::this_thread::get_id();
}

bool ScriptedUserInterface::CarryOut(const std::function<void()>& call) {
    std::unique_lock lock(callsMutex_);
    if (!carryingThread_ || *carryingThread_ == std::this_thread::get_id()) {
        lock.unlock();
        call();
        return true;
    }
    if (detached_) return false;
    auto pending = std::make_shared<PendingCall>(PendingCall{call});
    calls_.push_back(pending);
    callsChanged_.notify_all();
    callsChanged_.wait(lock, [&] { return pending->done || detached_; });
    return pending->done;
}

void ScriptedUserInterface::HandleCalls() {
    std::unique_lock lock(callsMutex_);
    while (!calls_.empty()) {
        const auto next = calls_.front();
        calls_.pop_front();
        lock.unlock();
        next->call();
        lock.lock();
        next->done = true;
        callsChanged_.notify_all();
    }
}

bool ScriptedUserInterface::HandleCallsUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        HandleCalls();
        if (done()) return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::unique_lock lock(callsMutex_);
        callsChanged_.wait_for(lock, std::chrono::milliseconds(1), [this] { return !calls_.empty(); });
    }
}

void ScriptedUserInterface::Detach() {
    std::lock_guard lock(callsMutex_);
    detached_ = true;
    calls_.clear();  // their callers return unanswered; nothing of theirs runs later
    callsChanged_.notify_all();
}

void ScriptedUserInterface::ShowOutputLine(const app::OutputLine& line) {
    CarryOut([&] {
        std::lock_guard lock(mutex_);
        lines_.push_back(line);
    });
}

void ScriptedUserInterface::ShowTip(const std::string& tip, const std::string&) {
    CarryOut([&] {
        std::lock_guard lock(mutex_);
        tips_.push_back(tip);
    });
}

void ScriptedUserInterface::ShowTipsPage(bool shown) {
    CarryOut([&] {
        std::lock_guard lock(mutex_);
        tipsPageChanges_.push_back(shown);
    });
}

void ScriptedUserInterface::SetStatusText(app::StatusPane pane, const std::string& text) {
    CarryOut([&] {
        std::lock_guard lock(mutex_);
        statusTexts_.emplace_back(pane, text);
    });
}

void ScriptedUserInterface::AnswerWhen(std::function<bool()> ready) {
    std::lock_guard lock(mutex_);
    answerWhen_ = std::move(ready);
}

MessageAnswer ScriptedUserInterface::ShowMessageBox(const app::MessageBoxRequest& request) {
    MessageAnswer answer = request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    CarryOut([&] {
        std::function<bool()> ready;
        {
            std::lock_guard lock(mutex_);
            ready.swap(answerWhen_);
        }
        if (ready && !HandleCallsUntil(ready)) ADD_FAILURE() << "never ready to answer: " << request.text;
        answer = Answer(request);
    });
    return answer;
}

MessageAnswer ScriptedUserInterface::Answer(const app::MessageBoxRequest& request) {
    std::unique_lock lock(mutex_);
    boxes_.push_back(request);
    if (request.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers_.empty() && unscriptedAnswer_) {
        const auto answer = unscriptedAnswer_;
        lock.unlock();
        return answer(request);
    }
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << request.text;
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    }
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::filesystem::path> ScriptedUserInterface::NextChosenPath(const std::string& what) {
    std::unique_lock lock(mutex_);
    if (chosenPaths_.empty() && unscriptedPath_) {
        // Unlocked: the person's answer may take its time and use the program meanwhile.
        const auto answer = unscriptedPath_;
        lock.unlock();
        return answer();
    }
    if (chosenPaths_.empty()) {
        ADD_FAILURE() << "unexpected chooser: " << what;
        return std::nullopt;
    }
    auto path = chosenPaths_.front();
    chosenPaths_.pop_front();
    return path;
}

std::optional<std::filesystem::path> ScriptedUserInterface::ChooseFolder(const std::string& title,
                                                                         const std::filesystem::path&) {
    std::optional<std::filesystem::path> chosen;
    CarryOut([&] { chosen = NextChosenPath(title); });
    return chosen;
}

std::optional<std::filesystem::path> ScriptedUserInterface::ChooseFile(const app::FileChooserRequest& request) {
    std::optional<std::filesystem::path> chosen;
    CarryOut([&] {
        {
            std::lock_guard lock(mutex_);
            fileRequests_.push_back(request);
        }
        chosen = NextChosenPath(request.title);
    });
    return chosen;
}

void ScriptedUserInterface::RedrawTree(app::TreeSide side) {
    CarryOut([&] {
        std::lock_guard lock(mutex_);
        redrawnTrees_.push_back(side);
    });
}

void ScriptedUserInterface::RebuildTaskList() {
    CarryOut([&] {
        std::lock_guard lock(mutex_);
        ++taskListRebuilds_;
    });
}

void ScriptedUserInterface::ShowStartStopButton(const app::StartStopButton& button) {
    CarryOut([&] {
        std::lock_guard lock(mutex_);
        startStopButtons_.push_back(button);
    });
}

void ScriptedUserInterface::PostCommand(int commandId) {
    CarryOut([&] {
        std::lock_guard lock(mutex_);
        postedCommands_.push_back(commandId);
    });
}

std::vector<app::OutputLine> ScriptedUserInterface::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

std::vector<std::string> ScriptedUserInterface::messages() const {
    std::vector<std::string> texts;
    for (const auto& line : lines()) texts.push_back(line.text.substr(kTimeStampLength));
    return texts;
}

std::vector<std::string> ScriptedUserInterface::tips() const {
    std::lock_guard lock(mutex_);
    return tips_;
}

std::vector<bool> ScriptedUserInterface::tipsPageChanges() const {
    std::lock_guard lock(mutex_);
    return tipsPageChanges_;
}

std::vector<app::MessageBoxRequest> ScriptedUserInterface::boxes() const {
    std::lock_guard lock(mutex_);
    return boxes_;
}

std::vector<std::pair<app::StatusPane, std::string>> ScriptedUserInterface::statusTexts() const {
    std::lock_guard lock(mutex_);
    return statusTexts_;
}

std::vector<app::FileChooserRequest> ScriptedUserInterface::fileRequests() const {
    std::lock_guard lock(mutex_);
    return fileRequests_;
}

std::vector<app::TreeSide> ScriptedUserInterface::redrawnTrees() const {
    std::lock_guard lock(mutex_);
    return redrawnTrees_;
}

int ScriptedUserInterface::taskListRebuilds() const {
    std::lock_guard lock(mutex_);
    return taskListRebuilds_;
}

std::vector<int> ScriptedUserInterface::postedCommands() const {
    std::lock_guard lock(mutex_);
    return postedCommands_;
}

std::vector<app::StartStopButton> ScriptedUserInterface::startStopButtons() const {
    std::lock_guard lock(mutex_);
    return startStopButtons_;
}

}  // namespace tabvex::test
