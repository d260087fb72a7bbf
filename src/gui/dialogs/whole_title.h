// Keeps a dialog wide enough for its title bar to show the whole title.
#pragma once

class QWidget;

namespace tabvex::gui {

// Call once the title is set.
void KeepWholeTitle(QWidget* dialog);

}  // namespace tabvex::gui
