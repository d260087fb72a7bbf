// The window's Check command without its window: the report for the source tree's
// database or table, and the migration it can start. The Qt dialog shows it.
#pragma once

#include <memory>
#include <string>

#include "app/output.h"
#include "app/task_gate.h"
#include "browser/sides.h"
#include "connect/options.h"
#include "browser/db_tree.h"
#include "check/source_check.h"

namespace tabvex::check {

class CheckDialog {
public:
    // Checks what `node` (a database, its tables folder or a table of the source
    // tree) stands for, against the connected target workbook when there is one.
    CheckDialog(app::Output& output, browser::Sides& sides, const connect::Options& options, browser::DbTree& tree,
                browser::NodeId node);

    // "Check - [Shop]" or "Check - [Shop].[Orders]".
    const std::string& title() const { return title_; }
    const CheckReport& report() const { return report_; }

    // Selects the checked node in the source tree and posts the Migrate command, as
    // a drop on the target tree does; the command asks and queues as always. With no
    // target node selected, the connected workbook's database node is chosen.
    void Migrate();

private:
    app::Output& output_;
    browser::Sides& sides_;
    browser::DbTree& tree_;
    browser::NodeId node_;
    std::string title_;
    CheckReport report_;
};

// The Check command on a tree: opens for the source tree's current node when it is
// a database, tables folder or table and the source is connected; refused while
// tasks run (they own the connections). Otherwise a box says why and the result is
// null.
std::unique_ptr<CheckDialog> OpenCheckDialog(app::Output& output, app::TaskGate& gate, browser::Sides& sides,
                                             const connect::Options& options, browser::DbTree& tree);

}  // namespace tabvex::check
