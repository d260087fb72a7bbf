#include "gui/dialogs/condition_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "gui/dialogs/drag_by_background.h"
#include "gui/dialogs/whole_title.h"

namespace tabvex::gui {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CConditionDlg::CConditionDlg(std::unique_ptr<browser::ConditionDialog> model, QWidget* parent)
    : QDialog(parent), model_(std::move(model)) {
    setWindowTitle("Migration Condition - " + Q(model_->tableName()));
    KeepWholeTitle(this);
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(Q(model_->label()), this);
    label_->setObjectName("1037");
    layout->addWidget(label_);
    layout->addWidget(new QLabel("Condition(SQL WHERE clause):", this));
    condition_ = new QPlainTextEdit(Q(model_->condition()), this);
    condition_->setObjectName("1032");
    condition_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(condition_);
    layout->addWidget(new QLabel("Result:", this));
    result_ = new QPlainTextEdit(this);
    result_->setObjectName("1034");
    result_->setReadOnly(true);
    layout->addWidget(result_);

    auto* buttons = new QHBoxLayout;
    test_ = new QPushButton("Test", this);
    test_->setObjectName("3");
    test_->setDefault(true);
    save_ = new QPushButton("Save", this);
    save_->setObjectName("1031");
    save_->setEnabled(false);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("2");
    buttons->addStretch();
    buttons->addWidget(test_);
    buttons->addWidget(save_);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    // The box takes no more than the model keeps.
    connect(condition_, &QPlainTextEdit::textChanged, this, [this] {
        model_->SetCondition(condition_->toPlainText().toStdString());
        const QString kept = Q(model_->condition());
        if (kept != condition_->toPlainText()) {
            condition_->setPlainText(kept);
            condition_->moveCursor(QTextCursor::End);
        }
    });
    connect(test_, &QPushButton::clicked, this, &CConditionDlg::OnTest);
    connect(save_, &QPushButton::clicked, this, &CConditionDlg::OnSave);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    DragByBackground(this);
}

CConditionDlg::~CConditionDlg() = default;

void CConditionDlg::OnTest() {
    model_->Test();
    ShowResult();
}

void CConditionDlg::OnSave() {
    model_->Save();
    ShowResult();
}

void CConditionDlg::ShowResult() {
    result_->setPlainText(Q(model_->result()).replace("\r\n", "\n"));
    save_->setEnabled(model_->saveEnabled());
}

void OpenConditionDlg(app::Output& output, app::TaskGate& gate, const std::filesystem::path& conditionFile,
                      browser::DbTree& tree, QWidget* parent) {
    auto model = browser::OpenConditionDialog(output, gate, conditionFile, tree);
    if (!model) return;
    CConditionDlg dialog(std::move(model), parent);
    dialog.exec();
}

}  // namespace tabvex::gui
