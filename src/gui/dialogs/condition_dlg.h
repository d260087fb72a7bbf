// The migration-condition dialog for the table that is the source tree's current
// node: the condition box, Test (counts the rows it selects) and Save (stores the
// tested condition in Condition.cfg). A thin view of browser::ConditionDialog.
#pragma once

#include <QDialog>
#include <memory>

#include <filesystem>

#include "app/output.h"
#include "app/task_gate.h"
#include "browser/condition_dialog.h"
#include "browser/db_tree.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tabvex::gui {

class CConditionDlg : public QDialog {
    Q_OBJECT

public:
    // Over the dialog's model for the source tree's current table, as
    // browser::OpenConditionDialog makes it; OpenConditionDlg does both.
    explicit CConditionDlg(std::unique_ptr<browser::ConditionDialog> model, QWidget* parent = nullptr);
    ~CConditionDlg() override;

    QPlainTextEdit* conditionBox() const { return condition_; }
    QPlainTextEdit* resultBox() const { return result_; }
    QPushButton* testButton() const { return test_; }
    QPushButton* saveButton() const { return save_; }

private:
    void OnTest();
    void OnSave();

    void ShowResult();

    std::unique_ptr<browser::ConditionDialog> model_;
    QLabel* label_ = nullptr;
    QPlainTextEdit* condition_ = nullptr;
    QPlainTextEdit* result_ = nullptr;
    QPushButton* test_ = nullptr;
    QPushButton* save_ = nullptr;
};

// The Migration Condition command (32776) on a tree: opens the dialog modally for a
// source tree's current node; on any other tree, or without a current node, nothing.
void OpenConditionDlg(app::Output& output, app::TaskGate& gate, const std::filesystem::path& conditionFile,
                      browser::DbTree& tree, QWidget* parent);

}  // namespace tabvex::gui
