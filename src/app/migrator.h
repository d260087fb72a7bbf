// The main window's non-visual half: everything that lives longer than one command.
// Routines that act on "the main window" take a Migrator&; it reaches the person
// only through its UserInterface.
#pragma once

#include <array>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>

#include "app/help_page.h"
#include "app/output_log.h"
#include "app/user_interface.h"
#include "browser/db_tree.h"
#include "connect/connection_holder.h"
#include "connect/connection_settings.h"
#include "tasks/run_state.h"
#include "tasks/task_list.h"
#include "tasks/worker_context.h"
#include "tasks/worker_thread.h"

namespace tabvex::app {

inline constexpr const char* kProgramTitle = "Tabvex";  // caption of message boxes
inline constexpr const char* kProductLine = "Norvu Tabvex Version: 1.0";
inline constexpr const char* kIdleEngineStatus = "Main Controller:IDLE";

// A side as the window last saw it: published when a connect of the side ends, with
// its outcome. The worker reconnects sides within a task (it owns the holders and
// the settings while tasks run), so the window's commands read this copy instead and
// never see a side as gone, or settings half-changed, in the middle of that.
struct PublishedSide {
    bool connected = false;
    connect::ConnectionSettings settings;
};

class Migrator {
public:
    // programDirectory: where migrator.cfg, Condition.cfg, data_cache and backup live.
    Migrator(UserInterface& ui, std::filesystem::path programDirectory);
    // Ends a running worker before anything it touches goes away.
    ~Migrator();
    Migrator(const Migrator&) = delete;
    Migrator& operator=(const Migrator&) = delete;

    UserInterface& ui() const { return ui_; }
    const std::filesystem::path& programDirectory() const { return programDirectory_; }

    OutputLog& log() { return log_; }
    const OutputLog& log() const { return log_; }
    HelpPage& helpPage() { return helpPage_; }
    const HelpPage& helpPage() const { return helpPage_; }

    connect::ConnectionSettings& sourceSettings() { return sourceSettings_; }
    connect::ConnectionSettings& targetSettings() { return targetSettings_; }
    const connect::ConnectionSettings& sourceSettings() const { return sourceSettings_; }
    const connect::ConnectionSettings& targetSettings() const { return targetSettings_; }

    bool autoBackup() const { return autoBackup_; }
    void setAutoBackup(bool on) { autoBackup_ = on; }
    // "Continue long tables on new sheets": rows past a worksheet's end go on to new sheets.
    bool splitLongTables() const { return splitLongTables_; }
    void setSplitLongTables(bool on) { splitLongTables_ = on; }
    // "Verify after writing": each migrated table is read back from the saved workbook.
    bool verifyAfterWriting() const { return verifyAfterWriting_; }
    void setVerifyAfterWriting(bool on) { verifyAfterWriting_ = on; }
    // "Save long binary values as files": binary values a cell cannot hold go to files.
    bool binaryFiles() const { return binaryFiles_; }
    void setBinaryFiles(bool on) { binaryFiles_ = on; }

    bool tipsPageShown() const { return tipsPageShown_; }
    // Records the Display Tips choice and adds or removes the window's Tips tab.
    void ShowTipsPage(bool shown);

    std::string statusText(StatusPane pane) const;
    void SetStatusText(StatusPane pane, std::string text);

    // The side (browser::kSourceSide or kTargetSide) as its last connect left it.
    PublishedSide publishedSide(int side) const;
    void PublishSide(int side, PublishedSide state);

    // Each side's live connection and its tree.
    connect::ConnectionHolder& sourceHolder() { return sourceHolder_; }
    connect::ConnectionHolder& targetHolder() { return targetHolder_; }
    browser::DbTree& sourceTree() { return sourceTree_; }
    browser::DbTree& targetTree() { return targetTree_; }
    const browser::DbTree& sourceTree() const { return sourceTree_; }
    const browser::DbTree& targetTree() const { return targetTree_; }

    // The character-set name connecting sets ("LATIN1").
    std::string charsetName() const;
    void SetCharsetName(std::string name);
    // "Source" while the configuration dialog creates a source database, else empty.
    std::string creationSide() const;
    void SetCreationSide(std::string side);
    std::filesystem::path conditionFilePath() const { return programDirectory_ / "Condition.cfg"; }
    // The backup folder chosen last, and whether one was chosen in this run.
    std::filesystem::path backupFolder() const;
    bool backupFolderChosen() const;
    void SetBackupFolder(std::filesystem::path folder);

    tasks::TaskList& taskList() { return taskList_; }
    const tasks::TaskList& taskList() const { return taskList_; }
    std::atomic<tasks::RunState>& runState() { return runState_; }
    bool stopping() const { return runState_.load() == tasks::RunState::Stopping; }
    tasks::TaskBodyTable& taskBodies() { return taskBodies_; }
    tasks::WorkerTimings& workerTimings() { return workerTimings_; }
    tasks::WorkerThread& workerThread() { return workerThread_; }
    StartStopButton startStopButton() const;
    // Records the button's new look and redraws it.
    void ShowStartStopButton(StartStopButton button);

private:
    UserInterface& ui_;
    std::filesystem::path programDirectory_;
    OutputLog log_;
    HelpPage helpPage_;
    connect::ConnectionSettings sourceSettings_;
    connect::ConnectionSettings targetSettings_;
    std::atomic<bool> autoBackup_{false};
    std::atomic<bool> splitLongTables_{false};
    std::atomic<bool> verifyAfterWriting_{false};
    std::atomic<bool> binaryFiles_{false};
    std::atomic<bool> tipsPageShown_{false};
    mutable std::mutex statusMutex_;
    std::array<std::string, 3> statusTexts_{kProductLine, kIdleEngineStatus, ""};
    mutable std::mutex publishedMutex_;
    std::array<PublishedSide, 2> published_;
    connect::ConnectionHolder sourceHolder_;
    connect::ConnectionHolder targetHolder_;
    browser::DbTree sourceTree_{browser::kSourceSide};
    browser::DbTree targetTree_{browser::kTargetSide};
    std::string charsetName_;
    std::string creationSide_;
    std::filesystem::path backupFolder_;
    bool backupFolderChosen_ = false;
    tasks::TaskList taskList_;
    std::atomic<tasks::RunState> runState_{tasks::RunState::Idle};
    tasks::TaskBodyTable taskBodies_;
    tasks::WorkerTimings workerTimings_;
    StartStopButton startStopButton_;
    // Last, so that it is destroyed first: the worker uses everything above.
    tasks::WorkerThread workerThread_;
};

}  // namespace tabvex::app
