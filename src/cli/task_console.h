// Running queued tasks from a terminal: the Log lines go to stdout as the Log page
// shows them (coloured when stdout is a terminal) and every error line ("E::",
// "T::") also goes to stderr; the worker runs until it is idle again and the tasks'
// outcome becomes the exit status.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/console_user_interface.h"
#include "shell/program.h"

namespace tabvex::cli {

class TaskConsole : public app::ConsoleUserInterface {
public:
    TaskConsole(std::ostream& out, std::ostream& errors, bool colours, app::ConsoleAnswers answers);
    void ShowOutputLine(const app::OutputLine& line) override;

private:
    std::ostream& errors_;
    bool colours_;
};

// What the task commands (migrate, backup, check) take: [--program-dir DIR] two
// files (or one, when `fewestFiles` allows it; `second` is then empty) [--table NAME].
// nullopt for an unknown option or a wrong number of files.
struct TaskArguments {
    std::filesystem::path programDirectory;
    std::string first;
    std::string second;
    std::optional<std::string> table;
};
std::optional<TaskArguments> ParseTaskArguments(const std::vector<std::string>& args, std::size_t fewestFiles = 2);

// Takes every `flag` out of `args`; true when there was one.
bool TakeFlag(std::vector<std::string>& args, std::string_view flag);

// Worker timings for a command line: no pauses meant for a person watching.
void UseConsoleTimings(shell::Program& program);

// Waits until the worker is idle: 0 when every queued task ended "SUCCESS", 1 when
// one failed or nothing was queued. Ctrl+C or SIGTERM meanwhile stops the tasks as the
// Stop button does (the table's stop line, the summary, a saved workbook) and gives
// 128 + the signal: 130 or 143.
int WaitForTasks(shell::Program& program);

}  // namespace tabvex::cli
