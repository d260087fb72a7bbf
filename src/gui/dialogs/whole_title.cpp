#include "gui/dialogs/whole_title.h"

#include <QWidget>
#include <algorithm>

namespace tabvex::gui {

namespace {

// Room a title bar takes besides its text: the icon, the window manager's buttons and
// a bold title font.
constexpr int kTitleBarExtra = 160;

}  // namespace

void KeepWholeTitle(QWidget* dialog) {
    const int wanted = dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()) + kTitleBarExtra;
    dialog->setMinimumWidth(std::max(dialog->minimumWidth(), wanted));
}

}  // namespace tabvex::gui
