// The character-set dialog: 36 radio buttons in two columns with their descriptions;
// Select makes the checked set the main window's character-set name.
#pragma once

#include <QDialog>

#include "app/output.h"
#include "app/task_gate.h"
#include "browser/sides.h"
#include "browser/charset_dialog.h"

class QButtonGroup;

namespace tabvex::gui {

class CCharsetDlg : public QDialog {
    Q_OBJECT

public:
    CCharsetDlg(browser::Sides& sides, QWidget* parent = nullptr);

    QButtonGroup* buttons() const { return buttons_; }

private:
    browser::CharsetDialog model_;
    QButtonGroup* buttons_ = nullptr;
};

// The Change Charset command (32774) of a tree: for a MySQL-family tree, the dialog,
// then the SET statements and a refill; for every other family (Access, Excel)
// nothing happens.
void ChangeCharsetCommand(app::Output& output, app::TaskGate& gate, browser::Sides& sides, browser::DbTree& tree,
                          QWidget* parent);

}  // namespace tabvex::gui
