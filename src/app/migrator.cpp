#include "app/migrator.h"

namespace tabvex::app {

Migrator::Migrator(UserInterface& ui, std::filesystem::path programDirectory)
    : ui_(ui), programDirectory_(std::move(programDirectory)) {}

Migrator::~Migrator() {
    runState_ = tasks::RunState::Stopping;
    workerThread_.Shutdown();
}

void Migrator::ShowTipsPage(bool shown) {
    tipsPageShown_ = shown;
    ui_.ShowTipsPage(shown);
}

std::string Migrator::statusText(StatusPane pane) const {
    std::lock_guard lock(statusMutex_);
    return statusTexts_.at(static_cast<std::size_t>(pane));
}

void Migrator::SetStatusText(StatusPane pane, std::string text) {
    {
        std::lock_guard lock(statusMutex_);
        statusTexts_.at(static_cast<std::size_t>(pane)) = text;
    }
    ui_.SetStatusText(pane, text);
}

std::string Migrator::charsetName() const {
    std::lock_guard lock(statusMutex_);
    return charsetName_;
}

void Migrator::SetCharsetName(std::string name) {
    std::lock_guard lock(statusMutex_);
    charsetName_ = std::move(name);
}

std::string Migrator::creationSide() const {
    std::lock_guard lock(statusMutex_);
    return creationSide_;
}

void Migrator::SetCreationSide(std::string side) {
    std::lock_guard lock(statusMutex_);
    creationSide_ = std::move(side);
}

std::filesystem::path Migrator::backupFolder() const {
    std::lock_guard lock(statusMutex_);
    return backupFolder_;
}

bool Migrator::backupFolderChosen() const {
    std::lock_guard lock(statusMutex_);
    return backupFolderChosen_;
}

void Migrator::SetBackupFolder(std::filesystem::path folder) {
    std::lock_guard lock(statusMutex_);
    backupFolder_ = std::move(folder);
    backupFolderChosen_ = true;
}

PublishedSide Migrator::publishedSide(int side) const {
    std::lock_guard lock(publishedMutex_);
    return published_.at(static_cast<std::size_t>(side));
}

void Migrator::PublishSide(int side, PublishedSide state) {
    std::lock_guard lock(publishedMutex_);
    published_.at(static_cast<std::size_t>(side)) = std::move(state);
}

StartStopButton Migrator::startStopButton() const {
    std::lock_guard lock(statusMutex_);
    return startStopButton_;
}

void Migrator::ShowStartStopButton(StartStopButton button) {
    {
        std::lock_guard lock(statusMutex_);
        startStopButton_ = button;
    }
    ui_.ShowStartStopButton(button);
}

}  // namespace tabvex::app
