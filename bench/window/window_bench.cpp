// The window's figures on the offscreen platform: start to window shown and idle;
// while a 65,000-row table migrates, the longest gap between ticks of a 10 ms timer
// of the window's thread and how soon after the worker started and ended the task
// its row in the task list's model reads "Working" and its final state; the longest
// gap while the worker writes 100,000 Log lines, and how many lines the Log holds
// afterwards; a target tree of 1,000 tables connected, filled and painted; a
// keystroke in the tree's filter field answered with the view laid out and painted.
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QSettings>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "app/output_lines.h"
#include "bench/support/big_table.h"
#include "bench/support/named_sheets_workbook.h"
#include "bench/support/stopwatch.h"
#include "browser/fill_tree.h"
#include "connecting/connecting.h"
#include "gui/window/command_ids.h"
#include "gui/window/migrator_dlg.h"
#include "gui/window/task_list_model.h"
#include "gui/window/tree_filter_field.h"
#include "platform/xls/workbook.h"

namespace {

namespace fs = std::filesystem;
using tabvex::gui::CMigratorDlg;
using tabvex::gui::TaskListModel;
using tabvex::tasks::MigrationTask;
using tabvex::adapters::SteadyMilliseconds;
using tabvex::tasks::StateTextOf;
using tabvex::tasks::TaskStateText;

constexpr int kRows = tabvex::bench::kBigTableRows;
constexpr int kColumns = tabvex::bench::kBigTableColumns;
constexpr int kLogLines = 100000;
constexpr int kManyTables = 1000;
constexpr int kManyTablesColumns = 20;
constexpr int kManyTablesRows = 20;
// Typed into the target tree's filter field one key at a time, then taken back.
constexpr char kFilterTyped[] = "area5";

// Runs the window's event loop until `done` holds, ticking a 10 ms timer, and gives
// the longest gap between two ticks in milliseconds.
double LongestTickGap(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last != 0) longest = std::max(longest, now - last);
        last = now;
        if (done()) QCoreApplication::exit();
    });
    ticker.start();
    QCoreApplication::exec();
    return longest / 1e6;
}

// Handles what is waiting: the first pass lays the views out, which asks for the
// paint the second pass does.
void SettleWindow() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

bool IsFinal(TaskStateText state) { return state == TaskStateText::Success || state == TaskStateText::Failure; }

// When the worker ended a task (steady milliseconds), seen by a thread that looks
// at the task's state text every millisecond: fine enough for figures of tens of
// milliseconds, and light beside the window's thread.
class TaskEndWatch {
public:
    explicit TaskEndWatch(std::shared_ptr<MigrationTask> task)
        : thread_([this, task = std::move(task)] {
              while (!stop_) {
                  if (IsFinal(task->stateText.load())) {
                      endedAtMs_ = SteadyMilliseconds();
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(1));
              }
          }) {}
    ~TaskEndWatch() {
        stop_ = true;
        thread_.join();
    }
    std::int64_t endedAtMs() const { return endedAtMs_; }

private:
    std::atomic<bool> stop_ = false;
    std::atomic<std::int64_t> endedAtMs_ = 0;
    std::thread thread_;  // last: it starts once the flags exist
};

// When the task list's model first showed its first row "Working" and in its
// final state (steady milliseconds), noted as the model reports changes.
struct FirstRowShown {
    std::int64_t workingAtMs = 0;
    std::int64_t finalAtMs = 0;

    void Look(const TaskListModel& model) {
        if (model.rowCount() == 0) return;
        const QString state = model.data(model.index(0, TaskListModel::kStateColumn)).toString();
        const auto shows = [&state](TaskStateText text) { return state == QString::fromLatin1(StateTextOf(text)); };
        if (workingAtMs == 0 && shows(TaskStateText::Working)) workingAtMs = SteadyMilliseconds();
        if (finalAtMs == 0 && (shows(TaskStateText::Success) || shows(TaskStateText::Failure)))
            finalAtMs = SteadyMilliseconds();
    }
};

tabvex::browser::NodeId Find(const tabvex::browser::DbTree& tree, tabvex::browser::TreeNodeKind kind) {
    const auto nodes = tree.nodes();
    for (tabvex::browser::NodeId id = 0; id < nodes.size(); ++id)
        if (nodes[id].kind == kind) return id;
    return tabvex::browser::kNoNode;
}

tabvex::connect::ConnectionSettings Settings(const fs::path& file) {
    return {"Microsoft Jet 4.0 OLE DB Provider", "Microsoft.Jet.OLEDB.4.0", "", file.string(), "", "Admin", ""};
}

void QuietTimings(CMigratorDlg& window) {
    using namespace std::chrono_literals;
    auto& timings = window.program().engine().timings();
    timings.startDelay = 0ms;
    timings.passInterval = 10ms;
    timings.bodyStartDelay = 0ms;
    timings.startPause = 0ms;
}

// The 65,000-row table migrated from an Access database into a workbook.
void MeasureMigration(CMigratorDlg& window, const fs::path& folder) {
    tabvex::bench::WriteBigTableDatabase(folder / "big.mdb");
    tabvex::xls::Workbook::CreateNew({"Sheet1"}).Save(folder / "big.xls");
    QuietTimings(window);
    auto& program = window.program();
    program.sides().source().settings() = Settings(folder / "big.mdb");
    program.sides().target().settings() = Settings(folder / "big.xls");
    window.RouteCommand(tabvex::gui::kConnectButtonCommand);
    program.sides().source().tree().Select(Find(program.sides().source().tree(), tabvex::browser::TreeNodeKind::Table));
    program.sides().target().tree().Select(Find(program.sides().target().tree(), tabvex::browser::TreeNodeKind::Database));
    const TaskListModel& taskRows = window.outputPane()->taskList()->model();
    FirstRowShown shown;
    const auto look = [&] { shown.Look(taskRows); };
    const auto changed = QObject::connect(&taskRows, &QAbstractItemModel::dataChanged, look);
    const auto reset = QObject::connect(&taskRows, &QAbstractItemModel::modelReset, look);
    QElapsedTimer migration;
    migration.start();
    window.RouteCommand(tabvex::gui::kMigrateButtonCommand);
    const auto queued = program.engine().taskList().Snapshot();
    if (queued.empty()) {
        std::fprintf(stderr, "window_bench: the migration was not queued\n");
        return;
    }
    const MigrationTask& task = *queued.front();
    double gap = 0;
    std::int64_t endedAtMs = 0;
    {
        TaskEndWatch end(queued.front());
        gap = LongestTickGap([&] { return shown.finalAtMs != 0; });
        endedAtMs = end.endedAtMs();
    }
    QObject::disconnect(changed);
    QObject::disconnect(reset);
    std::printf("migration of %d rows x %d columns   %8.1f s\n", kRows, kColumns, migration.nsecsElapsed() / 1e9);
    std::printf("  longest gap between window ticks  %8.1f ms (goal 50 ms)\n", gap);
    std::printf("  row reads Working after the start %8lld ms (goal 200 ms)\n",
                static_cast<long long>(shown.workingAtMs - task.rows.startedAtMs.load()));
    std::printf("  row reads %-7s after the end    %8lld ms (goal 200 ms)\n", StateTextOf(task.stateText.load()).data(),
                static_cast<long long>(shown.finalAtMs - endedAtMs));
    LongestTickGap([&] { return program.engine().runState().load() == tabvex::tasks::RunState::Idle; });
}

void MeasureLogLines(CMigratorDlg& window) {
    std::atomic<bool> written = false;
    QElapsedTimer logging;
    logging.start();
    std::thread worker([&] {
        for (int i = 0; i < kLogLines; ++i) tabvex::app::WriteOutputLine(window.program().output(), "Log line %d", i);
        written = true;
    });
    const double gap = LongestTickGap([&] { return written.load(); });
    worker.join();
    std::printf("%d Log lines from the worker      %8.1f s\n", kLogLines, logging.nsecsElapsed() / 1e9);
    std::printf("  longest gap between window ticks  %8.1f ms (goal 50 ms)\n", gap);
    std::printf("  lines in the Log afterwards       %8d (at least %d expected)\n",
                window.outputPane()->log()->model()->rowCount(), kLogLines);
}

// The target connected to a workbook of 1,000 tables, its tree filled and painted.
void MeasureManyTables(CMigratorDlg& window, const fs::path& folder) {
    tabvex::bench::WriteNamedSheetsWorkbook(folder / "many.xls", kManyTables, kManyTablesColumns, kManyTablesRows);
    auto& program = window.program();
    program.sides().target().settings() = Settings(folder / "many.xls");
    tabvex::bench::Stopwatch filling;
    tabvex::connect::ConnectTarget(program.output(), program.sides());
    SettleWindow();
    const std::size_t nodes = window.targetTreeView()->treeModel()->nodes().size();
    std::printf("target tree of %d tables (%zu nodes)\n", kManyTables, nodes);
    std::printf("  connected, filled and painted     %8.1f ms, CPU %6.1f ms\n", filling.WallSeconds() * 1e3,
                filling.CpuSeconds() * 1e3);
    filling = {};
    tabvex::browser::FillTree(program.output(), program.sides().conditionFile(), program.sides().target().tree());
    SettleWindow();
    std::printf("  filled again and painted          %8.1f ms, CPU %6.1f ms (goal 300 ms)\n",
                filling.WallSeconds() * 1e3, filling.CpuSeconds() * 1e3);
}

// Keystrokes in the target tree's filter field, each until the view is laid out and painted.
void MeasureFilterKeystrokes(CMigratorDlg& window) {
    auto* filter = window.findChild<tabvex::gui::TreeFilterField*>("TargetTreeFilter");
    struct Answer {
        double wallMs, cpuMs;
    };
    std::vector<Answer> answers;
    const auto press = [&](int key, const QString& text) {
        const tabvex::bench::Stopwatch answered;
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(filter, &event);
        SettleWindow();
        answers.push_back({answered.WallSeconds() * 1e3, answered.CpuSeconds() * 1e3});
    };
    // Qt's key codes of letters and digits are their upper-case ASCII codes.
    for (const char typed : std::string(kFilterTyped))
        press(std::toupper(static_cast<unsigned char>(typed)), QString(QChar(typed)));
    if (filter->text() != kFilterTyped)
        std::fprintf(stderr, "window_bench: the filter field reads %s\n", qPrintable(filter->text()));
    for (std::size_t i = 0; i < sizeof kFilterTyped - 1; ++i) press(Qt::Key_Backspace, {});
    std::sort(answers.begin(), answers.end(), [](const Answer& a, const Answer& b) { return a.wallMs < b.wallMs; });
    const Answer& median = answers[answers.size() / 2];
    std::printf("filter keystrokes (\"%s\" typed, then taken back) on that tree\n", kFilterTyped);
    std::printf("  median keystroke answered         %8.1f ms, CPU %6.1f ms\n", median.wallMs, median.cpuMs);
    std::printf("  slowest keystroke answered        %8.1f ms, CPU %6.1f ms (goal 50 ms)\n", answers.back().wallMs,
                answers.back().cpuMs);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const fs::path folder = fs::temp_directory_path() / ("tabvex-window-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);

    QElapsedTimer start;
    start.start();
    QApplication application(argc, argv);
    // The person's remembered window layout is neither read nor written.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString((folder / "config").string()));
    auto window = std::make_unique<CMigratorDlg>(folder / "program");
    window->messageBoxes().SetBoxScript([](const tabvex::app::MessageBoxRequest&) { return tabvex::app::MessageAnswer::Ok; });
    window->show();
    QTimer::singleShot(0, [] { QCoreApplication::exit(); });
    QCoreApplication::exec();
    std::printf("start to window shown and idle      %8.1f ms (goal 300 ms)\n", start.nsecsElapsed() / 1e6);

    MeasureMigration(*window, folder);
    MeasureLogLines(*window);
    MeasureManyTables(*window, folder);
    MeasureFilterKeystrokes(*window);

    window.reset();
    fs::remove_all(folder);
    return 0;
}
