// Running queued tasks from a terminal: the Log lines go to stdout as the Log page
// shows them (coloured when stdout is a terminal) and every error line ("E::",
// "T::") also goes to stderr; the worker runs until it is idle again and the tasks'
// outcome becomes the exit status.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/console_user_interface.h"
#include "app/migrator.h"

namespace tabvex::cli {

class TaskConsole : public app::ConsoleUserInterface {
public:
    TaskConsole(std::ostream& out, std::ostream& errors, bool colours, app::ConsoleAnswers answers);
    void ShowOutputLine(const app::OutputLine& line) override;

private:
    std::ostream& errors_;
    bool colours_;
};

// What the task commands (migrate, backup) take: [--program-dir DIR] two files
// [--table NAME]. nullopt for an unknown option or not exactly two files.
struct TaskArguments {
    std::filesystem::path programDirectory;
    std::string first;
    std::string second;
    std::optional<std::string> table;
};
std::optional<TaskArguments> ParseTaskArguments(const std::vector<std::string>& args);

// Worker timings for a command line: no pauses meant for a person watching.
void UseConsoleTimings(app::Migrator& migrator);

// Waits until the worker is idle: 0 when every queued task ended "SUCCESS", 1 when
// one failed or nothing was queued.
int WaitForTasks(app::Migrator& migrator);

}  // namespace tabvex::cli
