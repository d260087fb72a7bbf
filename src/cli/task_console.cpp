#include "cli/task_console.h"

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <ostream>
#include <thread>

#include "com/program_directory.h"
#include "tasks/worker.h"

namespace tabvex::cli {

namespace {

using namespace std::chrono_literals;

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

}  // namespace

TaskConsole::TaskConsole(std::ostream& out, std::ostream& errors, bool colours, app::ConsoleAnswers answers)
    : ConsoleUserInterface(out, std::move(answers)), errors_(errors), colours_(colours) {}

void TaskConsole::ShowOutputLine(const app::OutputLine& line) {
    const char* colour = colours_ ? ColourCode(line) : nullptr;
    ConsoleUserInterface::ShowOutputLine(colour ? app::OutputLine{colour + line.text + "\033[0m", line.colours} : line);
    if (IsErrorLine(line)) errors_ << line.text << '\n' << std::flush;
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

}  // namespace

int WaitForTasks(shell::Program& program) {
    StopTasksOnSignals();
    bool stopRequested = false;
    while (program.engine().runState().load() != tasks::RunState::Idle) {
        if (stopSignal != 0 && !stopRequested) {
            tasks::RequestStop(program.engine());
            stopRequested = true;
        }
        std::this_thread::sleep_for(5ms);
    }
    program.engine().thread().Join();
    if (stopSignal != 0) return 128 + stopSignal;
    const auto queued = program.engine().taskList().Snapshot();
    if (queued.empty()) return 1;
    for (const auto& task : queued)
        if (task->state.load() != tasks::TaskState::Succeeded) return 1;
    return 0;
}

std::optional<TaskArguments> ParseTaskArguments(const std::vector<std::string>& args, std::size_t fewestFiles) {
    TaskArguments parsed;
    parsed.programDirectory = com::DefaultProgramDirectory();
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--program-dir" && i + 1 < args.size()) {
            // Absolute: the bodies change the current folder before they read
            // Condition.cfg or write below the program folder.
            parsed.programDirectory = std::filesystem::absolute(args[++i]);
        } else if (args[i] == "--table" && i + 1 < args.size()) {
            parsed.table = args[++i];
        } else if (args[i].rfind("--", 0) == 0) {
            return std::nullopt;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() < fewestFiles || files.size() > 2) return std::nullopt;
    parsed.first = files[0];
    if (files.size() == 2) parsed.second = files[1];
    return parsed;
}

bool TakeFlag(std::vector<std::string>& args, std::string_view flag) {
    return std::erase(args, flag) > 0;
}

}  // namespace tabvex::cli
