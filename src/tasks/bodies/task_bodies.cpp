#include "tasks/bodies/task_bodies.h"

#include "tasks/bodies/backup_bodies.h"
#include "tasks/bodies/migration_bodies.h"
#include "tasks/bodies/restore_body.h"

namespace tabvex::tasks {

void RegisterTaskBodies(Engine& engine) {
    auto& bodies = engine.taskBodies();
    bodies[TaskType::CloneDatabase] = CloneDatabaseBody;
    bodies[TaskType::MigrateDatabase] = MigrateDatabaseTablesBody;
    bodies[TaskType::MigrateTables] = MigrateDatabaseTablesBody;
    bodies[TaskType::MigrateViews] = RefuseViewsBody;
    bodies[TaskType::MigrateTable] = MigrateOneTableBody;
    bodies[TaskType::MigrateView] = RefuseViewsBody;
    bodies[TaskType::BackupGroup] = BackupGroupBody;
    bodies[TaskType::BackupObject] = BackupObjectBody;
    bodies[TaskType::Restore] = RestoreBody;
}

}  // namespace tabvex::tasks
