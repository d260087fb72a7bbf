#include "gui/window/about_box.h"

#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/migrator.h"
#include "gui/window/window_icons.h"

namespace tabvex::gui {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString("About ") + app::kProductLine);
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    auto* product = new QLabel(app::kProductLine, this);
    product->setObjectName("ProductLine");
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
    layout->addWidget(link);
    layout->addWidget(buttons);
}

}  // namespace tabvex::gui
