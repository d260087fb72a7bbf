// The configuration dialog: both sides' provider, source name, user id, password and
// catalog name, the three options, Test Connections, Save Config and Connect. A thin
// view of connect::ConfigDialog. exec() returns Accepted after Connect (the window
// then brings its Task List page to front); Close rejects.
#pragma once

#include <QDialog>
#include <array>

#include "connecting/config_dialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tabvex::gui {

class CConfigDlg : public QDialog {
    Q_OBJECT

public:
    CConfigDlg(app::Output& output, app::TaskGate& gate, browser::Sides& sides, connect::SharedOptions& options,
               QWidget* parent = nullptr,
               connect::OdbcConfigFiles odbc = connect::InstalledOdbcConfigFiles());
    ~CConfigDlg() override;

    // One side's controls, by the ids the dialog's controls carry as object names.
    struct SideControls {
        QComboBox* family = nullptr;     // 1009 / 1021, disabled
        QGroupBox* group = nullptr;      // 1043 / 1044
        QComboBox* provider = nullptr;   // 1007 / 1010
        QComboBox* sourceName = nullptr;  // 1017 / 1018: with a Jet provider, dropping it down browses
        QLabel* sourceNameLabel = nullptr;    // 1047 / 1048
        QLineEdit* userId = nullptr;     // 1004 / 1011
        QLineEdit* password = nullptr;   // 1005 / 1012
        QLineEdit* catalogName = nullptr;  // 1006 / 1013
    };
    const SideControls& controls(connect::ConfigSide side) const { return sides_[Index(side)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static std::size_t Index(connect::ConfigSide side) { return static_cast<std::size_t>(side); }
    QGroupBox* BuildSide(connect::ConfigSide side);
    QWidget* BuildOptions();
    QWidget* BuildButtons();
    void ShowOptions();
    // The record's fields and lists into the controls, and the typed texts back.
    void ShowMembers();
    void ShowSide(connect::ConfigSide side);
    void ReadControls();
    void OnProviderChosen(connect::ConfigSide side, int index);
    // The source-name list is about to drop down: true when it browsed instead.
    bool OnSourceNameDropDown(connect::ConfigSide side);
    void OnCatalogDoubleClick(connect::ConfigSide side);
    void OnTestConnections();
    void OnSaveConfig();
    void OnConnect();

    connect::ConfigDialog model_;
    std::array<SideControls, 2> sides_;
    QCheckBox* autoBackup_ = nullptr;
    QCheckBox* splitLongTables_ = nullptr;
    QCheckBox* verifyAfterWriting_ = nullptr;
    QCheckBox* binaryFiles_ = nullptr;
    QCheckBox* overwriteTable_ = nullptr;
    QCheckBox* configFile_ = nullptr;
    QCheckBox* displayTips_ = nullptr;
};

}  // namespace tabvex::gui
