// The Log page: one list line per output line, each with the colours its marker
// gave it, at most as many lines as the Log model keeps, always scrolled to the
// newest.
#pragma once

#include <QListWidget>

#include "app/output_line.h"

namespace tabvex::gui {

class LogView : public QListWidget {
    Q_OBJECT
public:
    explicit LogView(QWidget* parent = nullptr);
    void AppendLine(const app::OutputLine& line);
};

}  // namespace tabvex::gui
