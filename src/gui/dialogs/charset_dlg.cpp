#include "gui/dialogs/charset_dlg.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/dialogs/drag_by_background.h"
#include "gui/dialogs/whole_title.h"

namespace tabvex::gui {

namespace {

constexpr int kRowsPerColumn = 18;

// The radio buttons' control ids follow the table, except that "cp850" and "hp8"
// swapped theirs.
int ControlId(int index) {
    if (index == 2) return 1027;
    if (index == 3) return 1026;
    return 1024 + index;
}

}  // namespace

CCharsetDlg::CCharsetDlg(browser::Sides& sides, QWidget* parent) : QDialog(parent), model_(sides) {
    setWindowTitle("Change Charset");
    KeepWholeTitle(this);
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox("Character Sets", this);
    auto* grid = new QGridLayout(group);
    buttons_ = new QButtonGroup(this);
    for (int index = 0; index < static_cast<int>(browser::kCharacterSets.size()); ++index) {
        const browser::CharacterSet& set = browser::kCharacterSets[static_cast<std::size_t>(index)];
        auto* button = new QRadioButton(set.label, group);
        button->setObjectName(QString::number(ControlId(index)));
        buttons_->addButton(button, index);
        const int row = index % kRowsPerColumn;
        const int column = 2 * (index / kRowsPerColumn);
        grid->addWidget(button, row, column);
        grid->addWidget(new QLabel(set.description, group), row, column + 1);
    }
    if (QAbstractButton* checked = buttons_->button(model_.chosenIndex())) checked->setChecked(true);
    connect(buttons_, &QButtonGroup::idClicked, this, [this](int index) { model_.Choose(index); });
    layout->addWidget(group);

    auto* row = new QHBoxLayout;
    auto* select = new QPushButton("Select", this);
    select->setObjectName("1");
    select->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("2");
    row->addStretch();
    row->addWidget(select);
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(select, &QPushButton::clicked, this, [this] {
        model_.Select();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    DragByBackground(this);
}

void ChangeCharsetCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides, browser::DbTree& tree,
                          QWidget* parent) {
    browser::ChangeCharset(output, gate, sides, tree, [&] {
        CCharsetDlg dialog(sides, parent);
        return dialog.exec() == QDialog::Accepted;
    });
}

}  // namespace tabvex::gui
