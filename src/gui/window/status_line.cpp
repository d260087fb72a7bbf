#include "gui/window/status_line.h"

#include <algorithm>

namespace tabvex::gui {

StatusLine::StatusLine(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    for (auto& pane : panes_) {
        pane = new QLabel(this);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        // A pane's text never holds the window wider than it is: the first two panes take
        // the room up to the widths FitPanes gives them, and give way at once when the
        // window shrinks.
        pane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        addPermanentWidget(pane, 1);
    }
    QLabel* clock = panes_[static_cast<int>(app::StatusPane::Clock)];
    const int textWidth = clock->fontMetrics().horizontalAdvance("00:00:00") + 2 * clock->frameWidth() + 4;
    clock->setFixedWidth(std::max(kClockWidth, textWidth));
}

void StatusLine::SetText(app::StatusPane pane, const QString& text) { panes_[static_cast<int>(pane)]->setText(text); }

QString StatusLine::text(app::StatusPane pane) const { return panes_[static_cast<int>(pane)]->text(); }

int StatusLine::paneWidth(app::StatusPane pane) const { return panes_[static_cast<int>(pane)]->width(); }

void StatusLine::FitPanes(int clientWidth) {
    panes_[static_cast<int>(app::StatusPane::Product)]->setMaximumWidth(clientWidth * 5 / 8);
    panes_[static_cast<int>(app::StatusPane::Engine)]->setMaximumWidth(clientWidth * 2 / 8);
}

}  // namespace tabvex::gui
