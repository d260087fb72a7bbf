// Fills the worker's dispatch table with every task body the program has.
#pragma once

#include "app/migrator.h"

namespace tabvex::tasks {

void RegisterTaskBodies(app::Migrator& migrator);

}  // namespace tabvex::tasks
