// Running queued tasks from a shell: the Log lines go to stdout as the Log page shows
// them (to stderr with --json, which keeps stdout for the document), every error line
// ("E::", "T::") to stderr only, each coloured only on a terminal; the worker runs
// until it is idle again and the tasks' outcome becomes the exit status. On a
// terminal the rows' progress is one line rewritten in place instead of the Log's
// row counts.
#pragma once

#include "app/console_user_interface.h"
#include "cli/report_options.h"
#include "shell/program.h"

namespace tabvex::cli {

class TaskConsole : public app::ConsoleUserInterface {
public:
    TaskConsole(const ReportOptions& report, app::ConsoleAnswers answers);
    void ShowOutputLine(const app::OutputLine& line) override;

    bool showsProgress() const { return showsProgress_; }

private:
    ReportOptions report_;
    bool logColours_;
    bool errorColours_;
    bool showsProgress_;
};

// Worker timings for a command line: no pauses meant for a person watching.
void UseConsoleTimings(shell::Program& program);

// Waits until the worker is idle, showing the running task's progress line when the
// console does: 0 when every queued task ended "SUCCESS", 1 when one failed or nothing
// was queued. Ctrl+C or SIGTERM meanwhile stops the tasks as the Stop button does
// (the table's stop line, the summary, a saved workbook) and gives 128 + the signal:
// 130 or 143.
int WaitForTasks(shell::Program& program, TaskConsole& console);

}  // namespace tabvex::cli
