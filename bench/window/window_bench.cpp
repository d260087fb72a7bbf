// The window's figures on the offscreen platform: start to window shown and idle;
// the longest gap between ticks of a 10 ms timer of the window's thread while a
// 65,000-row table migrates; the same while the worker writes 100,000 Log lines,
// and how many lines the Log holds afterwards.
#include <unistd.h>

#include <QApplication>
#include <QSettings>
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "app/output_lines.h"
#include "bench/support/big_table.h"
#include "gui/window/command_ids.h"
#include "gui/window/migrator_dlg.h"
#include "platform/xls/workbook.h"

namespace {

namespace fs = std::filesystem;
using tabvex::gui::CMigratorDlg;

constexpr int kRows = tabvex::bench::kBigTableRows;
constexpr int kColumns = tabvex::bench::kBigTableColumns;
constexpr int kLogLines = 100000;

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
    auto& timings = window.migrator().workerTimings();
    timings.startDelay = 0ms;
    timings.passInterval = 10ms;
    timings.bodyStartDelay = 0ms;
    timings.startPause = 0ms;
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

    tabvex::bench::WriteBigTableDatabase(folder / "big.mdb");
    tabvex::xls::Workbook::CreateNew({"Sheet1"}).Save(folder / "big.xls");
    QuietTimings(*window);
    auto& migrator = window->migrator();
    migrator.sourceSettings() = Settings(folder / "big.mdb");
    migrator.targetSettings() = Settings(folder / "big.xls");
    window->RouteCommand(tabvex::gui::kConnectButtonCommand);
    migrator.sourceTree().Select(Find(migrator.sourceTree(), tabvex::browser::TreeNodeKind::Table));
    migrator.targetTree().Select(Find(migrator.targetTree(), tabvex::browser::TreeNodeKind::Database));
    QElapsedTimer migration;
    migration.start();
    window->RouteCommand(tabvex::gui::kMigrateButtonCommand);
    const double migrationGap = LongestTickGap([&] {
        const auto tasks = migrator.taskList().Snapshot();
        return tasks.empty() || tasks[0]->state.load() != tabvex::tasks::TaskState::NotRun;
    });
    std::printf("migration of %d rows x %d columns   %8.1f s\n", kRows, kColumns, migration.nsecsElapsed() / 1e9);
    std::printf("  longest gap between window ticks  %8.1f ms (goal 50 ms)\n", migrationGap);
    LongestTickGap([&] { return migrator.runState().load() == tabvex::tasks::RunState::Idle; });

    std::atomic<bool> written = false;
    QElapsedTimer logging;
    logging.start();
    std::thread worker([&] {
        for (int i = 0; i < kLogLines; ++i) tabvex::app::WriteOutputLine(migrator, "Log line %d", i);
        written = true;
    });
    const double logGap = LongestTickGap([&] { return written.load(); });
    worker.join();
    std::printf("%d Log lines from the worker      %8.1f s\n", kLogLines, logging.nsecsElapsed() / 1e9);
    std::printf("  longest gap between window ticks  %8.1f ms (goal 50 ms)\n", logGap);
    std::printf("  lines in the Log afterwards       %8d (1001 expected)\n", window->outputPane()->log()->count());

    window.reset();
    fs::remove_all(folder);
    return 0;
}
