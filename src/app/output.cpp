#include "app/output.h"

namespace tabvex::app {

std::string Output::statusText(StatusPane pane) const {
    std::lock_guard lock(mutex_);
    return statusTexts_.at(static_cast<std::size_t>(pane));
}

void Output::SetStatusText(StatusPane pane, std::string text) {
    {
        std::lock_guard lock(mutex_);
        statusTexts_.at(static_cast<std::size_t>(pane)) = text;
    }
    ui_.SetStatusText(pane, text);
}

StartStopButton Output::startStopButton() const {
    std::lock_guard lock(mutex_);
    return startStopButton_;
}

void Output::ShowStartStopImage(StartStopImage image) {
    {
        std::lock_guard lock(mutex_);
        startStopButton_.image = image;
    }
    RedrawStartStopButton();
}

void Output::ShowStartStopToolTip(std::string toolTip) {
    {
        std::lock_guard lock(mutex_);
        startStopButton_.toolTip = std::move(toolTip);
    }
    RedrawStartStopButton();
}

// The host is called without the lock held: it may wait for the window's thread,
// which may be changing the button itself. The button is read afresh, so the last
// redraw shows both halves as they stand.
void Output::RedrawStartStopButton() { ui_.ShowStartStopButton(startStopButton()); }

}  // namespace tabvex::app
