#include "gui/window/status_line.h"

#include <algorithm>

namespace tabvex::gui {

StatusLine::StatusLine(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    for (auto& pane : panes_) {
        pane = new QLabel(this);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        addPermanentWidget(pane);
    }
    QLabel* clock = panes_[static_cast<int>(app::StatusPane::Clock)];
    const int textWidth = clock->fontMetrics().horizontalAdvance("00:00:00") + 2 * clock->frameWidth() + 4;
    clock->setFixedWidth(std::max(kClockWidth, textWidth));
}

void StatusLine::SetText(app::StatusPane pane, const QString& text) { panes_[static_cast<int>(pane)]->setText(text); }

QString StatusLine::text(app::StatusPane pane) const { return panes_[static_cast<int>(pane)]->text(); }

int StatusLine::paneWidth(app::StatusPane pane) const { return panes_[static_cast<int>(pane)]->width(); }

void StatusLine::FitPanes(int clientWidth) {
    panes_[static_cast<int>(app::StatusPane::Product)]->setFixedWidth(clientWidth * 5 / 8);
    panes_[static_cast<int>(app::StatusPane::Engine)]->setFixedWidth(clientWidth * 2 / 8);
}

}  // namespace tabvex::gui
