#include "tasks/bodies/migrate_command.h"

#include <ctime>
#include <filesystem>
#include <memory>
#include <string_view>

#include "adapters/excel/excel_workbook.h"
#include "app/output_lines.h"
#include "com/folders.h"
#include "tasks/worker.h"

namespace tabvex::tasks {

namespace {

using app::Migrator;
using browser::DbTree;
using browser::NodeId;
using browser::TreeNodeKind;

enum class PlanOutcome { Task, NoTask, WrongTarget };

struct MigrationPlan {
    PlanOutcome outcome = PlanOutcome::WrongTarget;
    TaskType type = TaskType::CloneDatabase;
    std::string question;
    TaskNames names;
    std::string newWorkbook;  // a clone: the file it creates
};

// The question with each "%s" replaced by the next name, in order.
std::string Question(std::string_view pattern, std::initializer_list<std::string_view> names) {
    std::string text;
    auto name = names.begin();
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern.compare(at, 2, "%s") == 0 && name != names.end()) {
            text += *name++;
            ++at;
        } else {
            text += pattern[at];
        }
    }
    return text;
}

MigrationPlan Task(TaskType type, std::string question, std::string sourceDatabase, std::string targetDatabase,
                   std::string sourceObject = {}) {
    MigrationPlan plan{PlanOutcome::Task, type, std::move(question), {}, {}};
    plan.names.sourceDatabase = std::move(sourceDatabase);
    plan.names.targetDatabase = std::move(targetDatabase);
    plan.names.sourceObject = std::move(sourceObject);
    return plan;
}

MigrationPlan Without(PlanOutcome outcome) { return {outcome, TaskType::CloneDatabase, {}, {}, {}}; }

// What a database node of the target tree receives from the selected source node.
MigrationPlan PlanIntoDatabase(const DbTree& source, NodeId sourceNode, const std::string& target) {
    const browser::TreeNode node = source.node(sourceNode);
    const std::string& text = node.text;
    switch (node.kind) {
        case TreeNodeKind::Database:
            return Task(TaskType::MigrateDatabase,
                        Question("Convert database [%s] into Target database [%s]?", {text, target}), text, target);
        case TreeNodeKind::TablesFolder: {
            const std::string database = source.AncestorText(sourceNode, 1);
            return Task(TaskType::MigrateTables,
                        Question("Convert tables of [%s] into Target database [%s]?", {database, target}), database,
                        target);
        }
        case TreeNodeKind::ViewsFolder: {
            const std::string database = source.AncestorText(sourceNode, 1);
            return Task(TaskType::MigrateViews,
                        Question("Convert views of [%s] into Target database [%s]?", {database, target}), database,
                        target);
        }
        case TreeNodeKind::Table:
            return Task(TaskType::MigrateTable,
                        Question("Convert table [%s] into Target database [%s]?", {text, target}),
                        source.AncestorText(sourceNode, 2), target, text);
        case TreeNodeKind::View:
            return Task(TaskType::MigrateView, Question("Convert view [%s] into Target database [%s]?", {text, target}),
                        source.AncestorText(sourceNode, 2), target, text);
        default: return Without(PlanOutcome::NoTask);
    }
}

// The clone's question names the workbook it creates.
MigrationPlan PlanClone(const Migrator& migrator, const std::string& database) {
    const std::string workbook =
        adapters::NewWorkbookPath(migrator, migrator.publishedSide(browser::kTargetSide).settings, database);
    MigrationPlan plan = Task(TaskType::CloneDatabase,
                              Question("Clone database [%s] of source tree?\nIt creates the workbook [%s].",
                                       {database, workbook}),
                              database, database);
    plan.newWorkbook = workbook;
    return plan;
}

MigrationPlan PlanMigration(const Migrator& migrator, NodeId sourceNode, NodeId targetNode) {
    const DbTree& source = migrator.sourceTree();
    const browser::TreeNode targetItem = migrator.targetTree().node(targetNode);
    if (targetItem.kind == TreeNodeKind::Database) return PlanIntoDatabase(source, sourceNode, targetItem.text);
    const browser::TreeNode sourceItem = source.node(sourceNode);
    if (targetItem.kind == TreeNodeKind::Root && sourceItem.kind == TreeNodeKind::Database)
        return PlanClone(migrator, sourceItem.text);
    return Without(PlanOutcome::WrongTarget);
}

void Refuse(Migrator& migrator, std::string_view tip, const char* box) {
    app::ShowTip(migrator, tip);
    migrator.ui().ShowMessageBox({box, app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Warning});
}

bool Confirmed(Migrator& migrator, const std::string& question) {
    return migrator.ui().ShowMessageBox({question, app::kProgramTitle, app::MessageButtons::OkCancel,
                                         app::MessageIcon::Question}) == app::MessageAnswer::Ok;
}

// A clone onto a file that exists replaces it only when the person says Yes; the
// task remembers that, so it replaces nothing it was not allowed to.
bool MayCreateWorkbook(Migrator& migrator, MigrationPlan& plan) {
    std::error_code error;
    if (plan.newWorkbook.empty() || !std::filesystem::exists(plan.newWorkbook, error)) return true;
    const std::string question = Question(
        "The workbook [%s] exists already. Replace it?\nYes replaces the whole file; No keeps it and clones nothing.",
        {plan.newWorkbook});
    plan.names.replaceTargetFile = migrator.ui().ShowMessageBox({question, app::kProgramTitle,
                                                                 app::MessageButtons::YesNo,
                                                                 app::MessageIcon::Warning}) == app::MessageAnswer::Yes;
    return plan.names.replaceTargetFile;
}

}  // namespace

std::optional<std::filesystem::path> CacheFolder(Migrator& migrator) {
    const com::FolderResult cache = com::ProgramSubfolder(migrator.programDirectory(), "./data_cache");
    if (!cache) {
        app::WriteOutputLine(migrator, "E::%s", cache.error.c_str());
        return std::nullopt;
    }
    return cache.folder;
}

void QueueMigrationTask(Migrator& migrator, TaskType type, TaskNames names) {
    const auto cache = CacheFolder(migrator);
    if (!cache) return;
    names.folder = *cache;
    names.sourceDbms = migrator.publishedSide(browser::kSourceSide).settings.dbmsName;
    names.targetDbms = migrator.publishedSide(browser::kTargetSide).settings.dbmsName;
    migrator.taskList().Append(
        std::make_shared<MigrationTask>(TaskCategory::Migration, type, std::move(names), std::time(nullptr)));
    StartWorkerAfterNewTasks(migrator);
}

void MigrateCommand(Migrator& migrator) {
    if (!migrator.publishedSide(browser::kTargetSide).connected) {
        Refuse(migrator, "Please confirm your Target Database Connection is valid!",
               "No Target DataSource Connection!");
        return;
    }
    // A cache folder that cannot be made refuses the command before any question.
    if (!CacheFolder(migrator)) return;
    const NodeId sourceNode = migrator.sourceTree().selected();
    if (sourceNode == browser::kNoNode) {
        Refuse(migrator, "Please Select a Object to Convert in Source Databases Tree!",
               "No Selected Source Database Object!");
        return;
    }
    const NodeId targetNode = migrator.targetTree().selected();
    if (targetNode == browser::kNoNode) {
        Refuse(migrator, "Please Select a object in Target Tree!", "No Selected Target Objects!");
        return;
    }
    MigrationPlan plan = PlanMigration(migrator, sourceNode, targetNode);
    switch (plan.outcome) {
        case PlanOutcome::WrongTarget:
            Refuse(migrator, "Please select a database in Target Database Tree!", "Please select a target Database!");
            return;
        case PlanOutcome::NoTask: StartWorkerAfterNewTasks(migrator); return;
        case PlanOutcome::Task:
            if (Confirmed(migrator, plan.question) && MayCreateWorkbook(migrator, plan))
                QueueMigrationTask(migrator, plan.type, std::move(plan.names));
            return;
    }
}

}  // namespace tabvex::tasks
