#include "gui/window/window_icons.h"

// The images are compiled into this static library, whose resources register only
// when asked to.
static void RegisterWindowResources() { Q_INIT_RESOURCE(window); }

namespace tabvex::gui {

namespace {

QIcon FromResources(const QString& path) {
    static const bool registered = (RegisterWindowResources(), true);
    Q_UNUSED(registered);
    return QIcon(path);
}

QIcon Numbered(const char* strip, int image) { return FromResources(QString(":/icons/%1_%2.png").arg(strip).arg(image)); }

}  // namespace

QIcon ToolBarIcon(int image) { return Numbered("tool", image); }
QIcon TaskToolIcon(int image) { return Numbered("task", image); }
QIcon TreeNodeIcon(browser::TreeNodeKind kind) { return Numbered("node", static_cast<int>(kind)); }
QIcon ConditionedTableIcon() { return FromResources(":/icons/node_2_condition.png"); }
QIcon OutputTabIcon(int image) { return Numbered("tab", image); }
QIcon ProgramIcon() { return FromResources(":/icons/tabvex.png"); }

}  // namespace tabvex::gui
