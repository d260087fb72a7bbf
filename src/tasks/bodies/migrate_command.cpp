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
MigrationPlan PlanIntoDatabase(const browser::NodeSnapshot& source, const std::string& target) {
    const std::string& text = source.node.text;
    switch (source.node.kind) {
        case TreeNodeKind::Database:
            return Task(TaskType::MigrateDatabase,
                        Question("Convert database [%s] into Target database [%s]?", {text, target}), text, target);
        case TreeNodeKind::TablesFolder:
            return Task(TaskType::MigrateTables,
                        Question("Convert tables of [%s] into Target database [%s]?", {source.parentText, target}),
                        source.parentText, target);
        case TreeNodeKind::ViewsFolder:
            return Task(TaskType::MigrateViews,
                        Question("Convert views of [%s] into Target database [%s]?", {source.parentText, target}),
                        source.parentText, target);
        case TreeNodeKind::Table:
            return Task(TaskType::MigrateTable,
                        Question("Convert table [%s] into Target database [%s]?", {text, target}),
                        source.grandparentText, target, text);
        case TreeNodeKind::View:
            return Task(TaskType::MigrateView, Question("Convert view [%s] into Target database [%s]?", {text, target}),
                        source.grandparentText, target, text);
        default: return Without(PlanOutcome::NoTask);
    }
}

// The clone's question names the workbook it creates.
MigrationPlan PlanClone(const browser::Sides& sides, const std::string& database) {
    const std::string workbook =
        adapters::NewWorkbookPath(sides, sides.target().published().settings, database);
    MigrationPlan plan = Task(TaskType::CloneDatabase,
                              Question("Clone database [%s] of source tree?\nIt creates the workbook [%s].",
                                       {database, workbook}),
                              database, database);
    plan.newWorkbook = workbook;
    return plan;
}

MigrationPlan PlanMigration(const browser::Sides& sides, const browser::NodeSnapshot& source,
                            const browser::NodeSnapshot& target) {
    if (target.node.kind == TreeNodeKind::Database) return PlanIntoDatabase(source, target.node.text);
    if (target.node.kind == TreeNodeKind::Root && source.node.kind == TreeNodeKind::Database)
        return PlanClone(sides, source.node.text);
    return Without(PlanOutcome::WrongTarget);
}

void Refuse(app::Output& output, std::string_view tip, const char* box) {
    app::ShowTip(output, tip);
    output.ui().ShowMessageBox({box, app::kProgramTitle, app::MessageButtons::Ok, app::MessageIcon::Warning});
}

bool Confirmed(app::Output& output, const std::string& question) {
    return output.ui().ShowMessageBox({question, app::kProgramTitle, app::MessageButtons::OkCancel,
                                       app::MessageIcon::Question}) == app::MessageAnswer::Ok;
}

// A clone onto a file that exists replaces it only when the person says Yes; the
// task carries the file agreed to, so it replaces no other.
bool MayCreateWorkbook(app::Output& output, MigrationPlan& plan) {
    std::error_code error;
    if (plan.newWorkbook.empty() || !std::filesystem::exists(plan.newWorkbook, error)) return true;
    const std::string question = Question(
        "The workbook [%s] exists already. Replace it?\nYes replaces the whole file; No keeps it and clones nothing.",
        {plan.newWorkbook});
    if (output.ui().ShowMessageBox({question, app::kProgramTitle, app::MessageButtons::YesNo,
                                    app::MessageIcon::Warning, app::DefaultButton::Refuse}) != app::MessageAnswer::Yes)
        return false;
    plan.names.replaceableWorkbook = plan.newWorkbook;
    return true;
}

}  // namespace

std::optional<std::filesystem::path> CacheFolder(app::Output& output, const std::filesystem::path& cacheRoot) {
    const com::FolderResult cache = com::ProgramSubfolder(cacheRoot, "./data_cache");
    if (!cache) {
        app::WriteOutputLine(output, "E::%s", cache.error.c_str());
        return std::nullopt;
    }
    return cache.folder;
}

void QueueMigrationTask(app::Output& output, const browser::Sides& sides, Engine& engine, TaskType type,
                        TaskNames names) {
    const auto cache = CacheFolder(output, sides.folders().cache);
    if (!cache) return;
    names.folder = *cache;
    names.sourceDbms = sides.source().published().settings.dbmsName;
    names.targetDbms = sides.target().published().settings.dbmsName;
    engine.taskList().Append(
        std::make_shared<MigrationTask>(TaskCategory::Migration, type, std::move(names), std::time(nullptr)));
    StartWorkerAfterNewTasks(engine);
}

void MigrateCommand(app::Output& output, const browser::Sides& sides, Engine& engine) {
    if (!sides.target().published().connected) {
        Refuse(output, "Please confirm your Target Database Connection is valid!", "No Target DataSource Connection!");
        return;
    }
    // A cache folder that cannot be made refuses the command before any question.
    if (!CacheFolder(output, sides.folders().cache)) return;
    // Both selections are read once, before any question: what the person selected
    // is what the task names, whatever a running task does to the trees meanwhile.
    const auto source = sides.source().tree().selection();
    if (!source) {
        Refuse(output, "Please Select a Object to Convert in Source Databases Tree!",
               "No Selected Source Database Object!");
        return;
    }
    const auto target = sides.target().tree().selection();
    if (!target) {
        Refuse(output, "Please Select a object in Target Tree!", "No Selected Target Objects!");
        return;
    }
    MigrationPlan plan = PlanMigration(sides, *source, *target);
    switch (plan.outcome) {
        case PlanOutcome::WrongTarget:
            Refuse(output, "Please select a database in Target Database Tree!", "Please select a target Database!");
            return;
        case PlanOutcome::NoTask: StartWorkerAfterNewTasks(engine); return;
        case PlanOutcome::Task:
            if (Confirmed(output, plan.question) && MayCreateWorkbook(output, plan))
                QueueMigrationTask(output, sides, engine, plan.type, std::move(plan.names));
            return;
    }
}

}  // namespace tabvex::tasks
