#include "gui/window/log_model.h"

#include <QColor>

namespace tabvex::gui {

namespace {

QColor ColourOf(app::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

}  // namespace

bool LogModel::Append(app::OutputLine line) {
    const bool shown = !errorsOnly_ || app::IsErrorOrWarning(line);
    if (lines_.TrimsOnAppend(line)) {
        beginResetModel();
        lines_.Append(std::move(line));
        IndexShownLines();
        endResetModel();
    } else if (shown) {
        const int row = rowCount();
        beginInsertRows({}, row, row);
        lines_.Append(std::move(line));
        if (errorsOnly_) shown_.push_back(lines_.size() - 1);
        endInsertRows();
    } else {
        lines_.Append(std::move(line));
    }
    return shown;
}

void LogModel::SetErrorsOnly(bool errorsOnly) {
    if (errorsOnly == errorsOnly_) return;
    beginResetModel();
    errorsOnly_ = errorsOnly;
    IndexShownLines();
    endResetModel();
}

void LogModel::IndexShownLines() {
    shown_.clear();
    if (!errorsOnly_) return;
    const auto& lines = lines_.lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (app::IsErrorOrWarning(lines[i])) shown_.push_back(i);
}

int LogModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(errorsOnly_ ? shown_.size() : lines_.size());
}

const app::OutputLine& LogModel::LineAt(int row) const {
    const auto at = static_cast<std::size_t>(row);
    return lines_.lines()[errorsOnly_ ? shown_[at] : at];
}

QVariant LogModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const app::OutputLine& line = LineAt(index.row());
    switch (role) {
        case Qt::DisplayRole: return QString::fromStdString(line.text);
        case Qt::ForegroundRole: return line.colours ? QVariant(ColourOf(line.colours->text)) : QVariant();
        case Qt::BackgroundRole: return line.colours ? QVariant(ColourOf(line.colours->background)) : QVariant();
        default: return {};
    }
}

}  // namespace tabvex::gui
