// The driver check: for each side the rows of connect::CheckAccessDrivers and
// CheckExcelDrivers (name, installed, usable; usable green, unusable red), a link to
// setup programs (its address in a box when no browser opens it) and a note. "Open Config" closes it and posts the Config command.
#pragma once

#include <QDialog>
#include <vector>

#include "app/user_interface.h"
#include "connect/driver_check.h"
#include "connect/driver_check_layout.h"
#include "gui/dialogs/web_address.h"

class QLabel;

namespace tabvex::gui {

class CDriverCheckDlg : public QDialog {
    Q_OBJECT

public:
    CDriverCheckDlg(app::UserInterface& ui, QWidget* parent = nullptr,
                    const connect::DriverCheckSources& sources = connect::InstalledDriverCheckSources());

    // The row texts, source rows first: name, status and usability of each.
    const std::vector<QLabel*>& rowLabels() const { return rowLabels_; }
    // How the setup link is opened (the desktop's browser unless set).
    void SetUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }

private:
    // Creates one side's rows, link, group box and note where the layout puts them.
    void BuildBlock(const std::vector<connect::DriverCheckRow>& rows, const connect::DriverBlockLayout& places, const char* caption);
    void OnOpenConfig();

    app::UserInterface& ui_;
    std::vector<QLabel*> rowLabels_;
    UrlOpener urlOpener_ = OpenWithDesktop;
};

}  // namespace tabvex::gui
