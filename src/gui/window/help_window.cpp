#include "gui/window/help_window.h"

#include <QImage>
#include <QStyle>
#include <QToolBar>

namespace tabvex::gui {

namespace {

// The manual's pictures are window-sized; in the help window they are shown this wide at most.
constexpr int kWidestPicture = 640;

// Qt's rich text knows no figure elements and would run their pictures into the text
// before them; as plain blocks they stand on their own.
QString WithFiguresAsBlocks(QString html) {
    for (const char* tag : {"figure", "figcaption"}) {
        html.replace(QString("<%1").arg(tag), "<div");
        html.replace(QString("</%1>").arg(tag), "</div>");
    }
    return html;
}

}  // namespace

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    QVariant resource = QTextBrowser::loadResource(type, name);
    if (type == QTextDocument::HtmlResource) return WithFiguresAsBlocks(QString::fromUtf8(resource.toByteArray()));
    if (type != QTextDocument::ImageResource) return resource;
    QImage picture = QImage::fromData(resource.toByteArray());
    if (picture.isNull()) return resource;
    if (picture.width() > kWidestPicture) picture = picture.scaledToWidth(kWidestPicture, Qt::SmoothTransformation);
    return picture;
}

HelpWindow::HelpWindow(const QUrl& home, QWidget* parent) : QMainWindow(parent), browser_(new HelpBrowser(this)) {
    setObjectName("HelpWindow");
    auto* bar = addToolBar("Navigation");
    bar->setMovable(false);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), "Back", browser_, &QTextBrowser::backward);
    QAction* forward =
        bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), "Forward", browser_, &QTextBrowser::forward);
    bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), "Home", browser_, &QTextBrowser::home);
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? "Tabvex manual" : title);
    });
    browser_->setOpenExternalLinks(true);
    setCentralWidget(browser_);
    browser_->setSource(home);
    resize(760, 640);
}

}  // namespace tabvex::gui
