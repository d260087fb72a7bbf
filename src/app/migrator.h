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
#include "connect/connection_settings.h"

namespace tabvex::app {

inline constexpr const char* kProgramTitle = "Tabvex";  // caption of message boxes
inline constexpr const char* kProductLine = "Norvu Tabvex Version: 1.0";
inline constexpr const char* kIdleEngineStatus = "Main Controller:IDLE";

class Migrator {
public:
    // programDirectory: where migrator.cfg, Condition.cfg, data_cache and backup live.
    Migrator(UserInterface& ui, std::filesystem::path programDirectory);
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

    bool tipsPageShown() const { return tipsPageShown_; }
    // Records the Display Tips choice and adds or removes the window's Tips tab.
    void ShowTipsPage(bool shown);

    std::string statusText(StatusPane pane) const;
    void SetStatusText(StatusPane pane, std::string text);

private:
    UserInterface& ui_;
    std::filesystem::path programDirectory_;
    OutputLog log_;
    HelpPage helpPage_;
    connect::ConnectionSettings sourceSettings_;
    connect::ConnectionSettings targetSettings_;
    std::atomic<bool> autoBackup_{false};
    std::atomic<bool> tipsPageShown_{false};
    mutable std::mutex statusMutex_;
    std::array<std::string, 3> statusTexts_{kProductLine, kIdleEngineStatus, ""};
};

}  // namespace tabvex::app
