#include "cli/task_console.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <iostream>
#include <thread>

#include "cli/terminal.h"
#include "tasks/task_row_figures.h"
#include "tasks/worker.h"

namespace tabvex::cli {

namespace {

using namespace std::chrono_literals;

constexpr auto kProgressInterval = 200ms;

bool IsErrorLine(const app::OutputLine& line) {
    return line.colours == app::kErrorColours || line.colours == app::kProviderTextColours;
}

// The terminal colour nearest to the Log's colour of the line.
const char* ColourCode(const app::OutputLine& line) {
    if (line.colours == app::kErrorColours) return "\033[31m";
    if (line.colours == app::kSuccessColours) return "\033[32m";
    if (line.colours == app::kProviderTextColours) return "\033[33m";
    return nullptr;
}

std::string ShownText(const app::OutputLine& line, bool colours) {
    const char* colour = colours ? ColourCode(line) : nullptr;
    return colour ? colour + line.text + "\033[0m" : line.text;
}

}  // namespace

namespace {

// The questions' lines are neither errors nor the summary: --quiet leaves them out.
app::ConsoleAnswers Printed(app::ConsoleAnswers answers, const ReportOptions& report) {
    answers.printed = !report.quiet;
    return answers;
}

}  // namespace

TaskConsole::TaskConsole(const ReportOptions& report, app::ConsoleAnswers answers)
    : ConsoleUserInterface(report.json ? std::cerr : std::cout, Printed(std::move(answers), report)),
      report_(report),
      logColours_(ColoursOn(report.json ? STDERR_FILENO : STDOUT_FILENO)),
      errorColours_(ColoursOn(STDERR_FILENO)),
      showsProgress_(IsTerminal(STDOUT_FILENO) && !report.json && !report.quiet && !report.log) {}

void TaskConsole::ShowOutputLine(const app::OutputLine& line) {
    if (IsErrorLine(line)) {
        WriteLine(std::cerr, ShownText(line, errorColours_));
        return;
    }
    if (report_.quiet && line.kind != app::LineKind::Summary) return;
    if (showsProgress_ && line.kind == app::LineKind::RowCount) return;
    ConsoleUserInterface::ShowOutputLine({ShownText(line, logColours_), line.colours, line.kind});
}

void UseConsoleTimings(shell::Program& program) {
    auto& timings = program.engine().timings();
    timings.startDelay = 0ms;
    timings.passInterval = 10ms;
    timings.bodyStartDelay = 0ms;
    timings.startPause = 0ms;
}

namespace {

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void NoteStopSignal(int signal) { stopSignal = signal; }

// Ctrl+C and SIGTERM stop the tasks as the Stop button does; a second one ends the
// program at once (the handler is reset after the first).
void StopTasksOnSignals() {
    struct sigaction action {};
    action.sa_handler = NoteStopSignal;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// "Orders: 16,250 of 65,000 rows, 8,125 rows/s, 6 s left" for the running task; empty
// before its first row.
std::string ProgressText(const tasks::TaskList& list) {
    for (const auto& task : list.Snapshot()) {
        if (task->stateText.load() != tasks::TaskStateText::Working) continue;
        const auto figures = tasks::TaskRowFiguresOf(*task, adapters::SteadyMilliseconds());
        if (figures.text.empty()) return {};
        const std::string table = task->rows.table();
        return table.empty() ? figures.text : table + ": " + figures.text;
    }
    return {};
}

}  // namespace

int WaitForTasks(shell::Program& program, TaskConsole& console) {
    StopTasksOnSignals();
    bool stopRequested = false;
    auto nextProgress = std::chrono::steady_clock::now();
    while (program.engine().runState().load() != tasks::RunState::Idle) {
        if (stopSignal != 0 && !stopRequested) {
            tasks::RequestStop(program.engine());
            stopRequested = true;
        }
        if (console.showsProgress() && std::chrono::steady_clock::now() >= nextProgress) {
            console.ShowTransientLine(ProgressText(program.engine().taskList()));
            nextProgress += kProgressInterval;
        }
        std::this_thread::sleep_for(5ms);
    }
    program.engine().thread().Join();
    console.ShowTransientLine({});
    if (stopSignal != 0) return 128 + stopSignal;
    const auto queued = program.engine().taskList().Snapshot();
    if (queued.empty()) return 1;
    for (const auto& task : queued)
        if (task->state.load() != tasks::TaskState::Succeeded) return 1;
    return 0;
}

}  // namespace tabvex::cli
