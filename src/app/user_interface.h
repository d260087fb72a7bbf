// The port through which the program reaches the person: the Qt window, the console
// host of tabvex-cli and the scripted host of the tests implement it.
//
// Every call may come from the worker thread. A host carries it out on its own
// user-interface thread and returns only when it is done, so a caller sees the
// answer of a message box or a chooser as the result of the call.
// Destroying the program's parts waits for a running worker to end, so a host that does it
// on its user-interface thread must go on carrying out the worker's calls meanwhile
// (or answer them without waiting for that thread).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/output_line.h"

namespace tabvex::app {

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageIcon { None, Information, Question, Warning, Error };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// The button Enter presses. A question whose Yes or OK destroys something asks with
// Refuse: Enter and Escape then both answer No (or Cancel) and everything stays.
enum class DefaultButton { Agree, Refuse };

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    DefaultButton defaultButton = DefaultButton::Agree;
    bool operator==(const MessageBoxRequest&) const = default;
};

struct FileChooserRequest {
    std::string title;
    std::string filter;  // e.g. "Access Database (*.mdb)"
    // Where the chooser opens when the person has used none yet this session; empty:
    // the home folder.
    std::filesystem::path startFolder;
    bool forSaving = false;
    // An open chooser that also takes the name of a file not there yet.
    bool newFileAllowed = false;
    bool operator==(const FileChooserRequest&) const = default;
};

enum class TreeSide { Source = 0, Target = 1 };

// The task list's Start/Stop button: its image in the task list's image strip and
// its tool tip.
enum class StartStopImage { Pause = 0, Play = 5 };
struct StartStopButton {
    StartStopImage image = StartStopImage::Play;
    std::string toolTip = "Stop Tasks";
    bool operator==(const StartStopButton&) const = default;
};

// Panes of the status bar: product line, engine status, clock.
enum class StatusPane { Product = 0, Engine = 1, Clock = 2 };

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A line was appended to the Log: show it (with its colours) and scroll to it.
    virtual void ShowOutputLine(const OutputLine& line) = 0;
    // A tip was inserted into the help page, which now reads helpPageText; bring the
    // page to front.
    virtual void ShowTip(const std::string& tip, const std::string& helpPageText) = 0;
    // Add or remove the "Tips" tab of the output pane.
    virtual void ShowTipsPage(bool shown) = 0;
    virtual void SetStatusText(StatusPane pane, const std::string& text) = 0;
    virtual MessageAnswer ShowMessageBox(const MessageBoxRequest& request) = 0;
    // nullopt when the person cancels.
    virtual std::optional<std::filesystem::path> ChooseFolder(const std::string& title,
                                                              const std::filesystem::path& startFolder) = 0;
    virtual std::optional<std::filesystem::path> ChooseFile(const FileChooserRequest& request) = 0;
    // The side's tree model changed: redraw it.
    virtual void RedrawTree(TreeSide side) = 0;
    // The task list changed: rebuild its view now (the window runs the task list's
    // timer tick, whose countdown has been set to 5).
    virtual void RebuildTaskList() = 0;
    // Show the Start/Stop button as given and redraw it at once.
    virtual void ShowStartStopButton(const StartStopButton& button) = 0;
    // Queue a command id to the window, to be routed after the current one.
    virtual void PostCommand(int commandId) = 0;
};

}  // namespace tabvex::app
