#include "gui/window/log_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <algorithm>

#include "app/output_log.h"

namespace tabvex::gui {

namespace {

QColor ColourOf(app::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// Marks the items of error lines ("E::"), which Errors Only keeps in sight.
constexpr int kErrorRole = Qt::UserRole + 1;

bool IsError(const QListWidgetItem& item) { return item.data(kErrorRole).toBool(); }

}  // namespace

LogView::LogView(QWidget* parent)
    : QListWidget(parent), copy_(new QAction("Copy", this)), save_(new QAction("Save Log As...", this)),
      errorsOnly_(new QAction("Errors Only", this)) {
    setObjectName("Log");
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    copy_->setShortcut(QKeySequence::Copy);
    copy_->setShortcutContext(Qt::WidgetShortcut);
    addAction(copy_);
    errorsOnly_->setCheckable(true);
    connect(copy_, &QAction::triggered, this, &LogView::CopySelection);
    connect(save_, &QAction::triggered, this, &LogView::saveWanted);
    connect(errorsOnly_, &QAction::toggled, this, &LogView::SetErrorsOnly);
}

void LogView::AppendLine(const app::OutputLine& line) {
    if (static_cast<std::size_t>(count()) > app::OutputLog::kTrimThreshold) delete takeItem(0);
    auto* item = new QListWidgetItem(QString::fromStdString(line.text));
    if (line.colours) {
        item->setForeground(ColourOf(line.colours->text));
        item->setBackground(ColourOf(line.colours->background));
    }
    item->setData(kErrorRole, line.colours == app::kErrorColours);
    addItem(item);
    item->setHidden(errorsOnly() && !IsError(*item));
    if (item->isHidden()) return;
    // The newest line is the one selected; in a multi-line list a plain
    // setCurrentItem would add it to the selection, until every line was.
    setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item);
}

QString LogView::SelectedText() const {
    QList<QListWidgetItem*> items = selectedItems();
    std::sort(items.begin(), items.end(), [this](auto* a, auto* b) { return row(a) < row(b); });
    QStringList lines;
    for (const QListWidgetItem* item : items) lines << item->text();
    return lines.join('\n');
}

QString LogView::AllText() const {
    QString text;
    for (int row = 0; row < count(); ++row) text += item(row)->text() + '\n';
    return text;
}

void LogView::SetErrorsOnly(bool errorsOnly) {
    if (errorsOnly_->isChecked() != errorsOnly) {
        errorsOnly_->setChecked(errorsOnly);  // its toggled signal comes back here
        return;
    }
    for (int row = 0; row < count(); ++row) item(row)->setHidden(errorsOnly && !IsError(*item(row)));
    if (currentItem() != nullptr) scrollToItem(currentItem());
}

void LogView::contextMenuEvent(QContextMenuEvent* event) {
    copy_->setEnabled(!selectedItems().isEmpty());
    QMenu menu(this);
    menu.addAction(copy_);
    menu.addAction(save_);
    menu.addSeparator();
    menu.addAction(errorsOnly_);
    menu.exec(event->globalPos());
}

void LogView::CopySelection() const {
    if (!selectedItems().isEmpty()) QApplication::clipboard()->setText(SelectedText());
}

}  // namespace tabvex::gui
