// Fills the worker's dispatch table with every task body the program has.
#pragma once

#include "tasks/engine.h"

namespace tabvex::tasks {

void RegisterTaskBodies(Engine& engine);

}  // namespace tabvex::tasks
