#include "gui/dialogs/config_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "gui/dialogs/drag_by_background.h"

namespace tabvex::gui {

using connect::ConfigSide;

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The source-name list: with a Jet provider, dropping it down lets the person choose
// a database file instead of showing the list.
class SourceNameBox : public QComboBox {
public:
    SourceNameBox(std::function<bool()> browseInstead, QWidget* parent)
        : QComboBox(parent), browseInstead_(std::move(browseInstead)) {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);
        setMinimumContentsLength(40);
    }

    void showPopup() override {
        if (!browseInstead_()) QComboBox::showPopup();
    }

private:
    std::function<bool()> browseInstead_;
};

}  // namespace

CConfigDlg::CConfigDlg(app::Output& output, app::TaskGate& gate, browser::Sides& sides,
                       connect::SharedOptions& options, QWidget* parent, connect::OdbcConfigFiles odbc)
    : QDialog(parent), model_(output, gate, sides, options, std::move(odbc)) {
    setWindowTitle("Config");
    auto* layout = new QVBoxLayout(this);
    auto* sidesRow = new QHBoxLayout;
    sidesRow->addWidget(BuildSide(ConfigSide::Source));
    sidesRow->addWidget(BuildSide(ConfigSide::Target));
    layout->addLayout(sidesRow);
    layout->addWidget(BuildOptions());
    layout->addWidget(BuildButtons());
    DragByBackground(this);
    ShowMembers();
}

CConfigDlg::~CConfigDlg() = default;

QGroupBox* CConfigDlg::BuildSide(ConfigSide side) {
    SideControls& controls = sides_[Index(side)];
    const bool source = side == ConfigSide::Source;
    const QString family = Q(std::string(connect::DbmsKindName(model_.family(side))));
    controls.group = new QGroupBox(family, this);
    controls.group->setObjectName(source ? "1043" : "1044");
    auto* form = new QFormLayout(controls.group);

    controls.family = new QComboBox(controls.group);
    controls.family->setObjectName(source ? "1009" : "1021");
    for (const auto name : connect::kDbmsKindNames) controls.family->addItem(Q(std::string(name)));
    controls.family->setCurrentIndex(static_cast<int>(model_.family(side)));
    controls.family->setEnabled(false);
    form->addRow(controls.family);

    controls.provider = new QComboBox(controls.group);
    controls.provider->setObjectName(source ? "1007" : "1010");
    connect(controls.provider, &QComboBox::activated, this, [this, side](int index) { OnProviderChosen(side, index); });
    form->addRow("DB Provider:", controls.provider);

    controls.sourceName = new SourceNameBox([this, side] { return OnSourceNameDropDown(side); }, controls.group);
    controls.sourceName->setObjectName(source ? "1017" : "1018");
    controls.sourceNameLabel = new QLabel(controls.group);
    controls.sourceNameLabel->setObjectName(source ? "1047" : "1048");
    form->addRow(controls.sourceNameLabel, controls.sourceName);

    controls.userId = new QLineEdit(controls.group);
    controls.userId->setObjectName(source ? "1004" : "1011");
    form->addRow("User ID:", controls.userId);
    controls.password = new QLineEdit(controls.group);
    controls.password->setObjectName(source ? "1005" : "1012");
    controls.password->setEchoMode(QLineEdit::Password);
    form->addRow("Password:", controls.password);
    controls.catalogName = new QLineEdit(controls.group);
    controls.catalogName->setObjectName(source ? "1006" : "1013");
    controls.catalogName->installEventFilter(this);
    form->addRow("Catalog Name:", controls.catalogName);
    return controls.group;
}

QWidget* CConfigDlg::BuildOptions() {
    auto* options = new QWidget(this);
    auto* layout = new QVBoxLayout(options);
    auto addBox = [&](const char* id, const char* text) {
        auto* box = new QCheckBox(text, options);
        box->setObjectName(id);
        layout->addWidget(box);
        return box;
    };
    addBox("1015", "Overwrite the same-name database")->setEnabled(false);
    overwriteTable_ = addBox("1014", "Overwrite the same-name table");
    autoBackup_ = addBox("1016", "Auto Backup (need more time and disk space)");
    // The migration's own options, each named after its migrator.cfg key.
    splitLongTables_ = addBox("SplitLongTables", "Continue long tables on new sheets");
    verifyAfterWriting_ = addBox("Verify", "Verify after writing");
    binaryFiles_ = addBox("BinaryFiles", "Save long binary values as files");
    configFile_ = addBox("1008", "Properties from and to config file");
    displayTips_ = addBox("1019", "Display Tips");
    // The options change by their clicks, whatever a box shows; the boxes then show them.
    connect(autoBackup_, &QCheckBox::clicked, this, [this] { model_.ToggleAutoBackup(); ShowOptions(); });
    connect(splitLongTables_, &QCheckBox::clicked, this, [this] { model_.ToggleSplitLongTables(); ShowOptions(); });
    connect(configFile_, &QCheckBox::clicked, this, [this] { model_.ToggleConfigFile(); ShowOptions(); });
    connect(displayTips_, &QCheckBox::clicked, this, [this] { model_.ToggleDisplayTips(); ShowOptions(); });
    connect(verifyAfterWriting_, &QCheckBox::clicked, this, [this] {
        model_.ToggleVerifyAfterWriting();
        ShowOptions();
    });
    connect(binaryFiles_, &QCheckBox::clicked, this, [this] { model_.ToggleBinaryFiles(); ShowOptions(); });
    connect(overwriteTable_, &QCheckBox::clicked, this, [this] { model_.ToggleOverwriteTable(); ShowOptions(); });
    return options;
}

QWidget* CConfigDlg::BuildButtons() {
    auto* buttons = new QWidget(this);
    auto* layout = new QHBoxLayout(buttons);
    auto addButton = [&](const char* id, const char* text, void (CConfigDlg::*handler)()) {
        auto* button = new QPushButton(text, buttons);
        button->setObjectName(id);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        layout->addWidget(button);
        return button;
    };
    addButton("3", "&Test Connections", &CConfigDlg::OnTestConnections);
    addButton("4", "Save Config", &CConfigDlg::OnSaveConfig);
    layout->addStretch();
    addButton("1", "Connect", &CConfigDlg::OnConnect);
    addButton("2", "Close", &CConfigDlg::reject);
    return buttons;
}

void CConfigDlg::ShowMembers() {
    ShowSide(ConfigSide::Source);
    ShowSide(ConfigSide::Target);
    ShowOptions();
}

void CConfigDlg::ShowOptions() {
    const connect::ConfigDialogOptions& options = model_.record().options;
    autoBackup_->setChecked(options.autoBackup);
    splitLongTables_->setChecked(options.splitLongTables);
    configFile_->setChecked(options.configFile);
    displayTips_->setChecked(options.displayTips);
    verifyAfterWriting_->setChecked(options.verifyAfterWriting);
    binaryFiles_->setChecked(options.binaryFiles);
    overwriteTable_->setChecked(options.overwriteTable);
}

void CConfigDlg::ShowSide(ConfigSide side) {
    SideControls& controls = sides_[Index(side)];
    const connect::SideFields& fields = model_.fields(side);
    controls.provider->clear();
    for (const auto& provider : model_.providers(side)) controls.provider->addItem(Q(provider));
    controls.provider->setCurrentIndex(model_.selectedProvider(side));

    const connect::SourceNameList& names = model_.sourceNames(side);
    controls.sourceName->clear();
    for (const auto& name : names.entries) controls.sourceName->addItem(Q(name));
    controls.sourceName->setCurrentIndex(names.selected);
    controls.sourceName->setEditText(Q(fields.sourceName));
    controls.sourceNameLabel->setText(Q(names.label));

    controls.userId->setText(Q(fields.userId));
    controls.password->setText(Q(fields.password));
    controls.catalogName->setText(Q(fields.catalogName));
}

void CConfigDlg::ReadControls() {
    for (ConfigSide side : {ConfigSide::Source, ConfigSide::Target}) {
        const SideControls& controls = sides_[Index(side)];
        connect::SideFields& fields = model_.fields(side);
        fields.providerName = controls.provider->currentText().toStdString();
        fields.sourceName = controls.sourceName->currentText().toStdString();
        fields.userId = controls.userId->text().toStdString();
        fields.password = controls.password->text().toStdString();
        fields.catalogName = controls.catalogName->text().toStdString();
    }
}

bool CConfigDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (ConfigSide side : {ConfigSide::Source, ConfigSide::Target}) {
            if (watched != sides_[Index(side)].catalogName) continue;
            OnCatalogDoubleClick(side);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CConfigDlg::OnProviderChosen(ConfigSide side, int index) {
    ReadControls();
    model_.SelectProvider(side, index);
    ShowSide(side);
}

bool CConfigDlg::OnSourceNameDropDown(ConfigSide side) {
    ReadControls();
    if (!model_.BrowsesOnSourceNameDropDown(side)) return false;
    if (model_.BrowseSourceName(side)) ShowSide(side);
    sides_[Index(side)].sourceName->setFocus();
    return true;
}

void CConfigDlg::OnCatalogDoubleClick(ConfigSide side) {
    ReadControls();
    if (!model_.BrowsesOnCatalogDoubleClick(side)) return;
    if (model_.BrowseCatalogName(side)) ShowSide(side);
    sides_[Index(side)].catalogName->setFocus();
}

void CConfigDlg::OnTestConnections() {
    ReadControls();
    model_.TestConnections();
}

void CConfigDlg::OnSaveConfig() {
    ReadControls();
    model_.SaveConfig();
}

void CConfigDlg::OnConnect() {
    ReadControls();
    if (model_.Connect()) accept();
}

}  // namespace tabvex::gui
