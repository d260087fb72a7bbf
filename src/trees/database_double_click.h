// A double click on a tree: on a database node the side switches to that database
// and is connected again, which refills the tree. Other nodes only expand or
// collapse, which the view does itself.
#pragma once

#include "app/output.h"
#include "app/task_gate.h"
#include "browser/sides.h"
#include "browser/db_tree.h"

namespace tabvex::trees {

// True when the double click switched the side's database.
bool DoubleClickNode(app::Output& output, app::TaskGate& gate, browser::Sides& sides, browser::DbTree& tree,
                     browser::NodeId node);

}  // namespace tabvex::trees
