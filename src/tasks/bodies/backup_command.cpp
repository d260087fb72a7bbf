#include "tasks/bodies/backup_command.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string_view>

#include "app/output_lines.h"
#include "com/folders.h"
#include "tasks/worker.h"

namespace tabvex::tasks {

namespace {

using app::Migrator;
using browser::NodeId;
using browser::TreeNodeKind;

void Refuse(Migrator& migrator, std::string_view tip, const char* box) {
    app::ShowTip(migrator, tip);
    migrator.ui().ShowMessageBox({box, app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Warning});
}

// Asks for the folder (starting at the one chosen last, else `programBackup`, which
// a relative answer is taken from), remembers it and makes it; nullopt when the
// person cancels or it cannot be made.
std::optional<std::filesystem::path> ChooseBackupFolder(Migrator& migrator, const std::filesystem::path& programBackup) {
    const std::filesystem::path start = migrator.backupFolderChosen() ? migrator.backupFolder() : programBackup;
    const auto chosen = migrator.ui().ChooseFolder(kBackupFolderTitle, start);
    if (!chosen || chosen->empty()) return std::nullopt;
    const std::filesystem::path folder = BackupFolderFor(*chosen);
    migrator.SetBackupFolder(folder.is_relative() ? programBackup / folder : folder);
    const com::FolderResult made = com::FolderAtPath(migrator.backupFolder().string());
    if (!made) {
        app::WriteOutputLine(migrator, "E::%s", made.error.c_str());
        return std::nullopt;
    }
    return made.folder;
}

struct BackupPlan {
    TaskType type;
    TaskNames names;
};

BackupPlan Plan(TaskType type, std::string scope, std::string database, std::string object = {}) {
    BackupPlan plan{type, {}};
    plan.names.scope = std::move(scope);
    plan.names.targetDatabase = std::move(database);
    plan.names.targetObject = std::move(object);
    return plan;
}

// The task a selected node asks for; nullopt for nodes that back up nothing.
std::optional<BackupPlan> PlanBackup(const browser::DbTree& tree, NodeId node) {
    const browser::TreeNode item = tree.node(node);
    switch (item.kind) {
        case TreeNodeKind::Database: return Plan(TaskType::BackupGroup, "A", item.text);
        case TreeNodeKind::TablesFolder: return Plan(TaskType::BackupGroup, "T", tree.AncestorText(node, 1));
        case TreeNodeKind::ViewsFolder: return Plan(TaskType::BackupGroup, "V", tree.AncestorText(node, 1));
        case TreeNodeKind::Table: return Plan(TaskType::BackupObject, "T", tree.AncestorText(node, 2), item.text);
        case TreeNodeKind::View: return Plan(TaskType::BackupObject, "V", tree.AncestorText(node, 2), item.text);
        default: return std::nullopt;
    }
}

}  // namespace

std::filesystem::path BackupFolderFor(const std::filesystem::path& chosen) {
    constexpr std::size_t kRootLikeLength = 3;  // "C:\" or "/"
    return chosen.native().size() <= kRootLikeLength ? chosen / "Backup.Script" : chosen;
}

void BackupCommand(Migrator& migrator) {
    if (!migrator.publishedSide(browser::kTargetSide).connected) {
        Refuse(migrator, "Please confirm your target Database connected SUCCESSFULLY!",
               "No Target DataSource Connection!");
        return;
    }
    const com::FolderResult programBackup = com::ProgramSubfolder(migrator.programDirectory(), "./backup");
    if (!programBackup) app::WriteOutputLine(migrator, "E::%s", programBackup.error.c_str());
    const std::int64_t queuedAt = std::time(nullptr);
    const NodeId node = migrator.targetTree().selected();
    if (node == browser::kNoNode) {
        Refuse(migrator, "Please select a Object in Target Databases Tree to backup!", "No selected Objects to backup!");
    } else {
        const auto folder = ChooseBackupFolder(migrator, programBackup.folder);
        if (!folder) return;
        if (auto plan = PlanBackup(migrator.targetTree(), node)) {
            plan->names.targetDbms = migrator.publishedSide(browser::kTargetSide).settings.dbmsName;
            plan->names.folder = *folder;
            migrator.taskList().Append(
                std::make_shared<MigrationTask>(TaskCategory::Backup, plan->type, std::move(plan->names), queuedAt));
        }
    }
    StartWorkerAfterNewTasks(migrator);
}

}  // namespace tabvex::tasks
