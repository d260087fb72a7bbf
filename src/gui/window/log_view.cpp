#include "gui/window/log_view.h"

#include "app/output_log.h"

namespace tabvex::gui {

namespace {

QColor ColourOf(app::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

}  // namespace

LogView::LogView(QWidget* parent) : QListWidget(parent) {
    setObjectName("Log");
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void LogView::AppendLine(const app::OutputLine& line) {
    if (static_cast<std::size_t>(count()) > app::OutputLog::kTrimThreshold) delete takeItem(0);
    auto* item = new QListWidgetItem(QString::fromStdString(line.text));
    if (line.colours) {
        item->setForeground(ColourOf(line.colours->text));
        item->setBackground(ColourOf(line.colours->background));
    }
    addItem(item);
    setCurrentItem(item);
    scrollToItem(item);
}

}  // namespace tabvex::gui
