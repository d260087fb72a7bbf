// The program's parts, made and wired together once: what the person is told, the
// two sides, the options, the condition file, the task engine and the backup folder
// chosen last. Only the hosts (the window and tabvex-cli) see this; everything
// below them takes the parts it uses.
#pragma once

#include <filesystem>

#include "app/output.h"
#include "app/user_interface.h"
#include "browser/sides.h"
#include "com/program_folders.h"
#include "connecting/connecting.h"
#include "connect/options.h"
#include "tasks/bodies/backup_command.h"
#include "tasks/engine.h"

namespace tabvex::shell {

class Program {
public:
    // folders: where migrator.cfg, Condition.cfg, data_cache and backup live.
    Program(app::UserInterface& ui, com::ProgramFolders folders);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    app::Output& output() { return output_; }
    const app::Output& output() const { return output_; }
    browser::Sides& sides() { return sides_; }
    const browser::Sides& sides() const { return sides_; }
    connect::SharedOptions& options() { return options_; }
    const connect::SharedOptions& options() const { return options_; }
    tasks::BackupFolderChoice& backupFolder() { return backupFolder_; }
    tasks::Engine& engine() { return engine_; }
    const tasks::Engine& engine() const { return engine_; }
    app::TaskGate& gate() { return engine_; }
    const com::ProgramFolders& folders() const { return sides_.folders(); }
    const std::filesystem::path& programDirectory() const { return sides_.programDirectory(); }

private:
    app::Output output_;
    browser::Sides sides_;
    connect::SharedOptions options_;
    tasks::BackupFolderChoice backupFolder_;
    connect::SideConnecting connecting_;
    // Last, so that it is destroyed first: its worker uses everything above.
    tasks::Engine engine_;
};

}  // namespace tabvex::shell
