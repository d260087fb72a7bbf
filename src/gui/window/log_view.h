// The Log page: one list line per output line, each with the colours its marker
// gave it, at most as many lines as the Log model keeps, always scrolled to the
// newest. Its context menu copies the selected lines (also Ctrl+C), asks for the
// whole Log to be saved as a text file, and shows the error lines only.
#pragma once

#include <QAction>
#include <QListWidget>

#include "app/output_line.h"

namespace tabvex::gui {

class LogView : public QListWidget {
    Q_OBJECT
public:
    explicit LogView(QWidget* parent = nullptr);
    void AppendLine(const app::OutputLine& line);

    // The selected lines in Log order, one per line.
    QString SelectedText() const;
    // Every line the Log holds, shown or not, each ended by a line break.
    QString AllText() const;
    void SetErrorsOnly(bool errorsOnly);
    bool errorsOnly() const { return errorsOnly_->isChecked(); }

    QAction* copyAction() const { return copy_; }
    QAction* saveAction() const { return save_; }
    QAction* errorsOnlyAction() const { return errorsOnly_; }

signals:
    // Save Log As was chosen; the window asks where and writes AllText().
    void saveWanted();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CopySelection() const;

    QAction* copy_;
    QAction* save_;
    QAction* errorsOnly_;
};

}  // namespace tabvex::gui
