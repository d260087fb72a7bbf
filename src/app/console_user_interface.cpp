#include "app/console_user_interface.h"

#include <ostream>
#include <string>

namespace tabvex::app {

namespace {

MessageAnswer AnswerFor(MessageButtons buttons, bool agree) {
    switch (buttons) {
        case MessageButtons::OkCancel: return agree ? MessageAnswer::Ok : MessageAnswer::Cancel;
        case MessageButtons::YesNo: return agree ? MessageAnswer::Yes : MessageAnswer::No;
        case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
}

const char* AnswerText(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok: return "OK";
        case MessageAnswer::Cancel: return "Cancel";
        case MessageAnswer::Yes: return "Yes";
        case MessageAnswer::No: return "No";
    }
    return "";
}

}  // namespace

ConsoleUserInterface::ConsoleUserInterface(std::ostream& out, ConsoleAnswers answers)
    : out_(out), answers_(std::move(answers)) {}

void ConsoleUserInterface::ShowOutputLine(const OutputLine& line) { WriteLine(out_, line.text); }

void ConsoleUserInterface::ShowTip(const std::string& tip, const std::string&) { WriteLine(out_, "Tip: " + tip); }

void ConsoleUserInterface::WriteLine(std::ostream& stream, std::string_view text) {
    std::lock_guard lock(mutex_);
    WipeTransientLine();
    stream << text << '\n' << std::flush;
}

void ConsoleUserInterface::ShowTransientLine(std::string_view text) {
    std::lock_guard lock(mutex_);
    WipeTransientLine();
    out_ << text << std::flush;
    transientLength_ = text.size();
}

// Blanks over the line and back to its start: no escape sequence, so any terminal
// (and NO_COLOR) takes it.
void ConsoleUserInterface::WipeTransientLine() {
    if (transientLength_ == 0) return;
    out_ << '\r' << std::string(transientLength_, ' ') << '\r' << std::flush;
    transientLength_ = 0;
}

// A console has no tabs, no status bar and no views to redraw.
void ConsoleUserInterface::ShowTipsPage(bool) {}
void ConsoleUserInterface::SetStatusText(StatusPane, const std::string&) {}
void ConsoleUserInterface::RedrawTree(TreeSide) {}
void ConsoleUserInterface::RebuildTaskList() {}

void ConsoleUserInterface::ShowStartStopButton(const StartStopButton&) {}

MessageAnswer ConsoleUserInterface::ShowMessageBox(const MessageBoxRequest& request) {
    const MessageAnswer answer = AnswerFor(request.buttons, answers_.agree);
    if (answers_.printed) WriteLine(out_, (request.caption.empty() ? "" : request.caption + ": ") + request.text + " [" +
                        AnswerText(answer) + "]");
    return answer;
}

std::optional<std::filesystem::path> ConsoleUserInterface::ChooseFolder(const std::string&,
                                                                        const std::filesystem::path&) {
    return answers_.folder;
}

std::optional<std::filesystem::path> ConsoleUserInterface::ChooseFile(const FileChooserRequest&) {
    return answers_.file;
}

void ConsoleUserInterface::PostCommand(int commandId) {
    std::lock_guard lock(mutex_);
    postedCommands_.push_back(commandId);
}

std::vector<int> ConsoleUserInterface::TakePostedCommands() {
    std::lock_guard lock(mutex_);
    std::vector<int> commands(postedCommands_.begin(), postedCommands_.end());
    postedCommands_.clear();
    return commands;
}

}  // namespace tabvex::app
