#include "gui/window/about_box.h"

#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/output.h"
#include "gui/dialogs/whole_title.h"
#include "gui/window/build_info.h"
#include "gui/window/window_icons.h"

namespace tabvex::gui {

namespace {

QString BuildText(const BuildInfo& build) {
    return QString("Build: commit %1, %2, %3, Qt %4").arg(build.commit, build.date, build.compiler, build.qtVersion);
}

QString FoldersText(const com::ProgramFolders& folders) {
    return QString("Files: settings in %1, cache in %2, backups in %3")
        .arg(QString::fromStdString(folders.config.string()), QString::fromStdString(folders.cache.string()),
             QString::fromStdString(folders.program.string()));
}

// One row per library: its name, what it is used for, its licence.
QGroupBox* LibrariesBox(QWidget* parent) {
    auto* box = new QGroupBox("Libraries used", parent);
    box->setObjectName("Libraries");
    auto* grid = new QGridLayout(box);
    int row = 0;
    for (const LinkedLibrary& library : kLinkedLibraries) {
        int column = 0;
        for (const char* text : {library.name, library.use, library.licence})
            grid->addWidget(new QLabel(text, box), row, column++);
        ++row;
    }
    return box;
}

}  // namespace

AboutBox::AboutBox(const com::ProgramFolders& folders, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString("About ") + app::kProductLine);
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    auto* product = new QLabel(app::kProductLine, this);
    product->setObjectName("ProductLine");
    QFont larger = product->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.3);
    larger.setBold(true);
    product->setFont(larger);
    auto* build = new QLabel(BuildText(ThisBuild()), this);
    build->setObjectName("BuildLine");
    build->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* folderLine = new QLabel(FoldersText(folders), this);
    folderLine->setObjectName("FoldersLine");
    folderLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* link = new QCommandLinkButton("Norvu website", this);
    link->setObjectName("WebsiteLink");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Help | QDialogButtonBox::Close, this);
    connect(link, &QCommandLinkButton::clicked, this, &AboutBox::websiteWanted);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &AboutBox::helpWanted);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(product, 1);
    layout->addLayout(top);
    layout->addWidget(build);
    layout->addWidget(folderLine);
    layout->addWidget(LibrariesBox(this));
    layout->addWidget(link);
    layout->addWidget(buttons);
    // Nothing is cut, however small the screen, and the title bar shows the whole title.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    KeepWholeTitle(this);
}

}  // namespace tabvex::gui
