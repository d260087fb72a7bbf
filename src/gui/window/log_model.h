// The Log page's rows: the window's copy of the session's lines (app::LogLines, with
// the Log's cap), each with its colours, and either all of them or only the errors and
// warnings. Rows are only appended, so a view keeps up with any number of lines; when
// the cap trims old lines, or the filter changes, the model is reset.
#pragma once

#include <QAbstractListModel>
#include <cstddef>
#include <vector>

#include "app/log_lines.h"

namespace tabvex::gui {

class LogModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LogModel(app::LogLines lines = app::LogLines(), QObject* parent = nullptr)
        : QAbstractListModel(parent), lines_(std::move(lines)) {}

    // Appends the line; true when it is shown (Errors Only hides ordinary lines).
    bool Append(app::OutputLine line);
    void SetErrorsOnly(bool errorsOnly);
    bool errorsOnly() const { return errorsOnly_; }
    const app::LogLines& lines() const { return lines_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const app::OutputLine& LineAt(int row) const;
    void IndexShownLines();

    app::LogLines lines_;
    bool errorsOnly_ = false;
    std::vector<std::size_t> shown_;  // with Errors Only: the positions of the lines shown
};

}  // namespace tabvex::gui
