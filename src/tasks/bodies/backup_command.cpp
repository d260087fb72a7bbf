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

using browser::TreeNodeKind;

void Refuse(app::Output& output, std::string_view tip, const char* box) {
    app::ShowTip(output, tip);
    output.ui().ShowMessageBox({box, app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Warning});
}

// Asks for the folder (starting at the one chosen last, else `programBackup`, which
// a relative answer is taken from), remembers it and makes it; nullopt when the
// person cancels or it cannot be made.
std::optional<std::filesystem::path> ChooseBackupFolder(app::Output& output, BackupFolderChoice& choice,
                                                        const std::filesystem::path& programBackup) {
    const auto chosen = output.ui().ChooseFolder(kBackupFolderTitle, choice.StartFolder(programBackup));
    if (!chosen || chosen->empty()) return std::nullopt;
    const std::filesystem::path folder = BackupFolderFor(*chosen);
    const std::filesystem::path remembered = choice.Remember(folder.is_relative() ? programBackup / folder : folder);
    const com::FolderResult made = com::FolderAtPath(remembered.string());
    if (!made) {
        app::WriteOutputLine(output, "E::%s", made.error.c_str());
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
std::optional<BackupPlan> PlanBackup(const browser::NodeSnapshot& selected) {
    const std::string& text = selected.node.text;
    switch (selected.node.kind) {
        case TreeNodeKind::Database: return Plan(TaskType::BackupGroup, "A", text);
        case TreeNodeKind::TablesFolder: return Plan(TaskType::BackupGroup, "T", selected.parentText);
        case TreeNodeKind::ViewsFolder: return Plan(TaskType::BackupGroup, "V", selected.parentText);
        case TreeNodeKind::Table: return Plan(TaskType::BackupObject, "T", selected.grandparentText, text);
        case TreeNodeKind::View: return Plan(TaskType::BackupObject, "V", selected.grandparentText, text);
        default: return std::nullopt;
    }
}

}  // namespace

std::filesystem::path BackupFolderChoice::StartFolder(const std::filesystem::path& programBackup) const {
    std::lock_guard lock(mutex_);
    return chosen_.value_or(programBackup);
}

std::filesystem::path BackupFolderChoice::Remember(std::filesystem::path folder) {
    std::lock_guard lock(mutex_);
    chosen_ = std::move(folder);
    return *chosen_;
}

std::filesystem::path BackupFolderFor(const std::filesystem::path& chosen) {
    constexpr std::size_t kRootLikeLength = 3;  // "C:\" or "/"
    return chosen.native().size() <= kRootLikeLength ? chosen / "Backup.Script" : chosen;
}

void BackupCommand(app::Output& output, const browser::Sides& sides, Engine& engine, BackupFolderChoice& choice) {
    const browser::PublishedSide target = sides.target().published();
    if (!target.connected) {
        Refuse(output, "Please confirm your target Database connected SUCCESSFULLY!",
               "No Target DataSource Connection!");
        return;
    }
    const com::FolderResult programBackup = com::ProgramSubfolder(sides.programDirectory(), "./backup");
    if (!programBackup) app::WriteOutputLine(output, "E::%s", programBackup.error.c_str());
    const std::int64_t queuedAt = std::time(nullptr);
    // The selection becomes the task's names before the chooser opens: a task running
    // meanwhile may refill the tree, and the backup still names what was selected.
    const auto selected = sides.target().tree().selection();
    if (!selected) {
        Refuse(output, "Please select a Object in Target Databases Tree to backup!", "No selected Objects to backup!");
    } else if (auto plan = PlanBackup(*selected)) {
        const auto folder = ChooseBackupFolder(output, choice, programBackup.folder);
        if (!folder) return;
        plan->names.targetDbms = target.settings.dbmsName;
        plan->names.folder = *folder;
        engine.taskList().Append(
            std::make_shared<MigrationTask>(TaskCategory::Backup, plan->type, std::move(plan->names), queuedAt));
    }
    StartWorkerAfterNewTasks(engine);
}

}  // namespace tabvex::tasks
