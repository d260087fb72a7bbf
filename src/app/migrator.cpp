#include "app/migrator.h"

namespace tabvex::app {

Migrator::Migrator(UserInterface& ui, std::filesystem::path programDirectory)
    : ui_(ui), programDirectory_(std::move(programDirectory)) {}

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

}  // namespace tabvex::app
