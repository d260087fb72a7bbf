// The Backup command: the target tree's selection becomes one backup task, written
// below a folder the person chooses, and the worker is started.
#pragma once

#include <filesystem>
#include <mutex>
#include <optional>

#include "app/output.h"
#include "browser/sides.h"
#include "tasks/engine.h"

namespace tabvex::tasks {

inline constexpr int kBackupMenuCommand = 32782;
inline constexpr int kBackupButtonCommand = 1034;

inline constexpr const char* kBackupFolderTitle = "Please choise your backup directory:";

// The backup folder chosen last in this run, where the next chooser starts.
class BackupFolderChoice {
public:
    // The folder chosen last, else `programBackup`.
    std::filesystem::path StartFolder(const std::filesystem::path& programBackup) const;
    // Remembers the folder and returns it.
    std::filesystem::path Remember(std::filesystem::path folder);

private:
    mutable std::mutex mutex_;
    std::optional<std::filesystem::path> chosen_;
};

// Runs on the window's thread; refusals show a tip and a message box. A selected node
// that backs up nothing (a field, an index) asks for no folder.
void BackupCommand(app::Output& output, const browser::Sides& sides, Engine& engine, BackupFolderChoice& choice);

// The folder the scripts go below: a drive root or similar short path gets a
// "Backup.Script" folder of its own instead of filling the root.
std::filesystem::path BackupFolderFor(const std::filesystem::path& chosen);

}  // namespace tabvex::tasks
