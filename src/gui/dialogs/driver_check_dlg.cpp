#include "gui/dialogs/driver_check_dlg.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "connecting/config_dialog.h"
#include "gui/dialogs/drag_by_background.h"

namespace tabvex::gui {

namespace {

// The layout's pixel sizes suit a small font: the dialog's own 8-point one.
constexpr int kDialogWidth = 640;
constexpr int kFontPoints = 8;

QRect Rect(const connect::PixelRect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

void Colour(QLabel* label) {
    const connect::DriverTextColour colour = connect::DriverTextColourOf(label->text().toStdString());
    if (colour == connect::DriverTextColour::Default) return;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour == connect::DriverTextColour::Red ? QColor(255, 0, 0) : QColor(0, 255, 0));
    label->setPalette(palette);
}

}  // namespace

CDriverCheckDlg::CDriverCheckDlg(app::UserInterface& ui, QWidget* parent, const connect::DriverCheckSources& sources)
    : QDialog(parent), ui_(ui) {
    QFont small = font();
    small.setPointSize(kFontPoints);
    setFont(small);
    const auto sourceRows = connect::DriverCheckRows(connect::CheckAccessDrivers(sources));
    const auto targetRows = connect::DriverCheckRows(connect::CheckExcelDrivers(sources));
    const connect::DriverCheckLayout layout = connect::LayOutDriverCheck(
        kDialogWidth, static_cast<int>(sourceRows.size()), static_cast<int>(targetRows.size()));
    BuildBlock(sourceRows, layout.source, "Access");
    BuildBlock(targetRows, layout.target, "Excel");

    auto* openConfig = new QPushButton("Open Config", this);
    openConfig->setObjectName("1");
    openConfig->setDefault(true);
    openConfig->setGeometry(Rect(layout.openConfig));
    connect(openConfig, &QPushButton::clicked, this, &CDriverCheckDlg::OnOpenConfig);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("2");
    cancel->setGeometry(Rect(layout.cancel));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setWindowTitle("ODBC Driver/OLEDB Provider Check");
    setFixedSize(kDialogWidth, layout.dialogHeight);
    DragByBackground(this);
}

void CDriverCheckDlg::BuildBlock(const std::vector<connect::DriverCheckRow>& rows,
                                 const connect::DriverBlockLayout& places, const char* caption) {
    auto* group = new QGroupBox(caption, this);
    group->setGeometry(Rect(places.group));
    group->lower();
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const connect::DriverRowRects& row = places.rows[k];
        for (const auto& [text, rect] : {std::pair{rows[k].name, row.name}, std::pair{rows[k].status, row.status},
                                        std::pair{rows[k].usability, row.usability}}) {
            auto* label = new QLabel(QString::fromStdString(text), this);
            label->setGeometry(Rect(rect));
            Colour(label);
            rowLabels_.push_back(label);
        }
    }
    auto* link = new QLabel(QString("<a href=\"%1\">%2</a>").arg(QString(connect::kDriverSetupAddress), QString(connect::kDriverSetupLinkText)),
                            this);
    link->setGeometry(Rect(places.link));
    link->setToolTip(connect::kDriverSetupLinkTip);
    link->setObjectName("SetupLink");
    connect(link, &QLabel::linkActivated, this, [this](const QString& address) { OpenWebAddress(QUrl(address), ui_, urlOpener_); });
    auto* note = new QLabel(QString::fromStdString(connect::DriverCheckNote()).replace("\r\n", "\n"), this);
    note->setGeometry(Rect(places.note));
    note->setWordWrap(true);
}

void CDriverCheckDlg::OnOpenConfig() {
    accept();
    ui_.PostCommand(connect::kConfigButton);
}

}  // namespace tabvex::gui
