// The Backup command: the target tree's selection becomes one backup task, written
// below a folder the person chooses, and the worker is started.
#pragma once

#include <filesystem>

#include "app/migrator.h"

namespace tabvex::tasks {

inline constexpr int kBackupMenuCommand = 32782;
inline constexpr int kBackupButtonCommand = 1034;

inline constexpr const char* kBackupFolderTitle = "Please choise your backup directory:";

// Runs on the window's thread; refusals show a tip and a message box.
void BackupCommand(app::Migrator& migrator);

// The folder the scripts go below: a drive root or similar short path gets a
// "Backup.Script" folder of its own instead of filling the root.
std::filesystem::path BackupFolderFor(const std::filesystem::path& chosen);

}  // namespace tabvex::tasks
