// The UserInterface of tabvex-cli: Log lines and tips go to an output stream, and
// questions are answered by the command line's choice instead of a person. A
// terminal may also show one transient line (progress) below them, rewritten in
// place and wiped before any other line is written.
#pragma once

#include <deque>
#include <filesystem>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "app/user_interface.h"

namespace tabvex::app {

struct ConsoleAnswers {
    // OK/Cancel and Yes/No questions get OK and Yes when set, else Cancel and No, so
    // that nothing destructive happens unless the command line asked for it.
    bool agree = false;
    std::optional<std::filesystem::path> folder;  // answer of ChooseFolder
    std::optional<std::filesystem::path> file;    // answer of ChooseFile
    bool printed = true;  // each question is printed with its answer
};

class ConsoleUserInterface : public UserInterface {
public:
    ConsoleUserInterface(std::ostream& out, ConsoleAnswers answers);

    void ShowOutputLine(const OutputLine& line) override;
    void ShowTip(const std::string& tip, const std::string& helpPageText) override;
    void ShowTipsPage(bool shown) override;
    void SetStatusText(StatusPane pane, const std::string& text) override;
    MessageAnswer ShowMessageBox(const MessageBoxRequest& request) override;
    std::optional<std::filesystem::path> ChooseFolder(const std::string& title,
                                                      const std::filesystem::path& startFolder) override;
    std::optional<std::filesystem::path> ChooseFile(const FileChooserRequest& request) override;
    void RedrawTree(TreeSide side) override;
    void RebuildTaskList() override;
    void ShowStartStopButton(const StartStopButton& button) override;
    void PostCommand(int commandId) override;

    // The command ids posted since the last call, oldest first; the command loop of
    // tabvex-cli routes them.
    std::vector<int> TakePostedCommands();

    // Shows `text` in place of the transient line; empty text wipes it.
    void ShowTransientLine(std::string_view text);

protected:
    // Writes one line to `stream` (the output stream or another one sharing its
    // terminal), wiping the transient line first.
    void WriteLine(std::ostream& stream, std::string_view text);

private:
    void WipeTransientLine();

    std::size_t transientLength_ = 0;  // 0: no transient line shown
    std::mutex mutex_;  // one line at a time, whichever thread writes
    std::ostream& out_;
    ConsoleAnswers answers_;
    std::deque<int> postedCommands_;
};

}  // namespace tabvex::app
