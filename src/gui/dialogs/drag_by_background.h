// Lets a dialog be dragged by any free spot of its client area, as its title bar
// would be: a press on the dialog itself (not on a control) starts a window move.
#pragma once

class QWidget;

namespace tabvex::gui {

void DragByBackground(QWidget* dialog);

}  // namespace tabvex::gui
