// Everything the program says to the person: the Log, the help page's tips, the
// status panes, the task list's Start/Stop button, and the message boxes and
// choosers of the UserInterface port. Both the window's thread and the worker use
// it, so each piece guards itself.
#pragma once

#include <array>
#include <mutex>
#include <string>

#include "app/help_page.h"
#include "app/output_log.h"
#include "app/user_interface.h"

namespace tabvex::app {

inline constexpr const char* kProgramTitle = "Tabvex";  // caption of message boxes
inline constexpr const char* kProductLine = "Norvu Tabvex Version: 1.0";
inline constexpr const char* kIdleEngineStatus = "Main Controller:IDLE";

class Output {
public:
    explicit Output(UserInterface& ui) : ui_(ui) {}
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    UserInterface& ui() const { return ui_; }
    OutputLog& log() { return log_; }
    const OutputLog& log() const { return log_; }
    HelpPage& helpPage() { return helpPage_; }
    const HelpPage& helpPage() const { return helpPage_; }

    std::string statusText(StatusPane pane) const;
    void SetStatusText(StatusPane pane, std::string text);

    // Adds or removes the window's Tips tab.
    void ShowTipsPage(bool shown) { ui_.ShowTipsPage(shown); }

    StartStopButton startStopButton() const;
    // Each changes one half of the button under the lock, so that the worker and the
    // window never undo each other's change, then redraws it.
    void ShowStartStopImage(StartStopImage image);
    void ShowStartStopToolTip(std::string toolTip);

private:
    void RedrawStartStopButton();

    UserInterface& ui_;
    OutputLog log_;
    HelpPage helpPage_;
    mutable std::mutex mutex_;
    std::array<std::string, 3> statusTexts_{kProductLine, kIdleEngineStatus, ""};
    StartStopButton startStopButton_;
};

}  // namespace tabvex::app
