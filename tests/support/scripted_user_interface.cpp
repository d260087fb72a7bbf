#include "support/scripted_user_interface.h"

#include <gtest/gtest.h>

namespace tabvex::test {

using app::MessageAnswer;
using app::MessageButtons;

void ScriptedUserInterface::QueueAnswer(MessageAnswer answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
}

void ScriptedUserInterface::QueueChosenPath(std::optional<std::filesystem::path> path) {
    std::lock_guard lock(mutex_);
    chosenPaths_.push_back(std::move(path));
}

void ScriptedUserInterface::ShowOutputLine(const app::OutputLine& line) {
    std::lock_guard lock(mutex_);
    lines_.push_back(line);
}

void ScriptedUserInterface::ShowTip(const std::string& tip, const std::string&) {
    std::lock_guard lock(mutex_);
    tips_.push_back(tip);
}

void ScriptedUserInterface::ShowTipsPage(bool shown) {
    std::lock_guard lock(mutex_);
    tipsPageChanges_.push_back(shown);
}

void ScriptedUserInterface::SetStatusText(app::StatusPane pane, const std::string& text) {
    std::lock_guard lock(mutex_);
    statusTexts_.emplace_back(pane, text);
}

MessageAnswer ScriptedUserInterface::ShowMessageBox(const app::MessageBoxRequest& request) {
    std::lock_guard lock(mutex_);
    boxes_.push_back(request);
    if (request.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << request.text;
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    }
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::filesystem::path> ScriptedUserInterface::NextChosenPath(const std::string& what) {
    std::lock_guard lock(mutex_);
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
    return NextChosenPath(title);
}

std::optional<std::filesystem::path> ScriptedUserInterface::ChooseFile(const app::FileChooserRequest& request) {
    {
        std::lock_guard lock(mutex_);
        fileRequests_.push_back(request);
    }
    return NextChosenPath(request.title);
}

void ScriptedUserInterface::RedrawTree(app::TreeSide side) {
    std::lock_guard lock(mutex_);
    redrawnTrees_.push_back(side);
}

void ScriptedUserInterface::RebuildTaskList() {
    std::lock_guard lock(mutex_);
    ++taskListRebuilds_;
}

void ScriptedUserInterface::ShowStartStopButton(const app::StartStopButton& button) {
    std::lock_guard lock(mutex_);
    startStopButtons_.push_back(button);
}

void ScriptedUserInterface::PostCommand(int commandId) {
    std::lock_guard lock(mutex_);
    postedCommands_.push_back(commandId);
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
