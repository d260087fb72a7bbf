#include "gui/dialogs/check_dlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "check/check_text.h"
#include "gui/dialogs/check_report_model.h"
#include "gui/dialogs/drag_by_background.h"
#include "gui/dialogs/whole_title.h"

namespace tabvex::gui {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CCheckDlg::CCheckDlg(std::unique_ptr<check::CheckDialog> model, QWidget* parent)
    : QDialog(parent), model_(std::move(model)) {
    setWindowTitle(Q(model_->title()));
    KeepWholeTitle(this);
    auto* layout = new QVBoxLayout(this);
    rows_ = new CheckReportModel(model_->report(), this);
    table_ = new QTableView(this);
    table_->setObjectName("CheckTable");
    table_->setModel(rows_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->resizeColumnsToContents();
    layout->addWidget(table_);
    summary_ = new QLabel(Q(check::CheckSummaryLine(model_->report())), this);
    summary_->setObjectName("CheckSummary");
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    auto* buttons = new QHBoxLayout;
    migrate_ = new QPushButton("Migrate...", this);
    migrate_->setObjectName("Migrate");
    migrate_->setToolTip("Migrate what was checked, as a drop on the target tree does");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("2");
    close->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(migrate_);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(migrate_, &QPushButton::clicked, this, &CCheckDlg::OnMigrate);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    resize(720, 360);
    DragByBackground(this);
}

CCheckDlg::~CCheckDlg() = default;

void CCheckDlg::OnMigrate() {
    model_->Migrate();
    accept();
}

}  // namespace tabvex::gui
