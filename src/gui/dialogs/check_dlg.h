// The Check dialog: the report of check::CheckDialog as a table with green and red
// rows, its summary line, and a button that starts the migration of what was checked.
#pragma once

#include <QDialog>
#include <memory>

#include "check/check_dialog.h"

class QLabel;
class QPushButton;
class QTableView;

namespace tabvex::gui {

class CheckReportModel;

class CCheckDlg : public QDialog {
    Q_OBJECT

public:
    explicit CCheckDlg(std::unique_ptr<check::CheckDialog> model, QWidget* parent = nullptr);
    ~CCheckDlg() override;

    QTableView* table() const { return table_; }
    QLabel* summary() const { return summary_; }
    QPushButton* migrateButton() const { return migrate_; }

private:
    void OnMigrate();

    std::unique_ptr<check::CheckDialog> model_;
    CheckReportModel* rows_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* migrate_ = nullptr;
};

}  // namespace tabvex::gui
