// Connecting the two sides: each side's settings become a data source and a session
// in the side's holder, handed to the side's tree, which fills itself.
#pragma once

#include <string>

#include "app/output.h"
#include "app/task_gate.h"
#include "browser/sides.h"

namespace tabvex::connect {

// The Connect command: refused while tasks are processing or stopping; otherwise
// connects the source, then the target (whatever the source's outcome; a target
// workbook not there yet is created first, MissingTargetWorkbook), and sets the
// character-set name to "LATIN1".
void ConnectCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides);

void ConnectSource(app::Output& output, browser::Sides& sides);
void ConnectTarget(app::Output& output, browser::Sides& sides);

// Points the source at another database (a bare name is looked for beside the
// target's database) and reconnects it. For Jet the name, as the tree shows it
// without its ending, becomes the file it stands for (files::DatabaseFileOf: the
// connected file when it is that one, else the ".mdb" or ".accdb" file there is).
// Returns true.
bool SelectAccessDatabase(app::Output& output, browser::Sides& sides, const std::string& databaseName);

// How the adapters reconnect a side after working on its file as a whole.
class SideConnecting : public browser::SideConnector {
public:
    SideConnecting(app::Output& output, browser::Sides& sides);
    void Reconnect(browser::Side& side) override;

private:
    app::Output& output_;
    browser::Sides& sides_;
};

}  // namespace tabvex::connect
