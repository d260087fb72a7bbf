// The Log page: one row per Log line (LogModel), each with the colours its marker gave
// it, always scrolled to the newest. A one-column table of fixed-height rows, so appending
// a line costs little however many lines it holds. Its context menu copies the selected lines (also
// Ctrl+C), asks for the whole Log to be saved as a text file, and shows only the error
// and warning lines, also those still to come.
#pragma once

#include <QAction>
#include <QTableView>

#include "gui/window/log_model.h"

namespace tabvex::gui {

class LogView : public QTableView {
    Q_OBJECT
public:
    explicit LogView(QWidget* parent = nullptr);
    void AppendLine(const app::OutputLine& line);

    // The selected lines in Log order, one per line.
    QString SelectedText() const;
    void SetErrorsOnly(bool errorsOnly);
    bool errorsOnly() const { return errorsOnly_->isChecked(); }
    const LogModel& lines() const { return model_; }

    QAction* copyAction() const { return copy_; }
    QAction* saveAction() const { return save_; }
    QAction* errorsOnlyAction() const { return errorsOnly_; }

signals:
    // Save Log As was chosen; the window asks where and writes the whole Log.
    void saveWanted();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Home and End go to the first and the last line, as in a list.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void SelectNewest();
    // The one column is as wide as the widest line so far, measured as each line comes.
    void WidenFor(const QString& text);
    void CopySelection() const;

    LogModel model_;
    QAction* copy_;
    QAction* save_;
    QAction* errorsOnly_;
};

}  // namespace tabvex::gui
