// The status bar's three panes: the product line (five eighths of the window's
// width), the engine status (two eighths) and the clock (42 pixels, or as wide as
// the clock's text needs in the desktop's font, so that it is never cut). The first two
// never keep the window from shrinking.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <array>

#include "app/user_interface.h"

namespace tabvex::gui {

class StatusLine : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kClockWidth = 42;

    explicit StatusLine(QWidget* parent = nullptr);
    void SetText(app::StatusPane pane, const QString& text);
    QString text(app::StatusPane pane) const;
    int paneWidth(app::StatusPane pane) const;
    // Lays the panes out for a window whose client area is that wide.
    void FitPanes(int clientWidth);

private:
    std::array<QLabel*, 3> panes_{};
};

}  // namespace tabvex::gui
